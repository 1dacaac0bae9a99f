#include "analyses/RegisterAnalyses.h"

#include "analyses/FreqOption.h"
#include "shell/AnalysisRegistry.h"

void RegisterAnalyses()
{
    RegisterAnalysisFactory("USE_ONEWAY_FREQ", FreqOption::Make);
}
