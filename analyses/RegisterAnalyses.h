// RegisterAnalyses: enters the factory of every analysis this build has into
// the analysis registry (RegisterAnalysisFactory). The program calls it once
// before the registry is built; an analysis not entered here stays disabled.
#pragma once

void RegisterAnalyses();
