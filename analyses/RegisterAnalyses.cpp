#include "analyses/RegisterAnalyses.h"

#include "analyses/FreqOption.h"
#include "analyses/XtabOption.h"
#include "shell/AnalysisRegistry.h"

void RegisterAnalyses()
{
    RegisterAnalysisFactory("USE_ONEWAY_FREQ", FreqOption::Make);
    RegisterAnalysisFactory("USE_TWOWAY_CROSS", MakeXtabOption);
}
