// RegisterAnalyses: enters the factory of every analysis this build has into
// the analysis registry (RegisterAnalysisFactory). The program calls it once
// before the registry is built; an analysis not entered here stays disabled.
#pragma once

class StatOption;

void RegisterAnalyses();

// The factories of the descriptives, the descriptives by groups, the paired
// t-test and the case list: each a new record with its settings loaded.
StatOption *CreateMeanOption();
StatOption *CreateOnewayOption();
StatOption *CreateTtestParOption();
StatOption *CreateListOption();
