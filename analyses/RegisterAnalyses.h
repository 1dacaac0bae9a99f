// RegisterAnalyses: enters the factory of every analysis this build has in
// the analysis registry (RegisterAnalysisFactory), before Main builds the
// registry from them. Called once at program start; calling it again does
// no harm.
#pragma once

void RegisterAnalyses();
