#include "analyses/RegisterAnalyses.h"

#include "analyses/XtabOption.h"
#include "shell/AnalysisRegistry.h"

void RegisterAnalyses()
{
    RegisterAnalysisFactory("USE_TWOWAY_CROSS", MakeXtabOption);
}
