#include "analyses/RegisterAnalyses.h"

#include "analyses/AutoRecodeDialog.h"
#include "analyses/FreqOption.h"
#include "analyses/XTAB.h"
#include "analyses/XtabOption.h"
#include "shell/AnalysisRegistry.h"

void RegisterAnalyses()
{
    RegisterAnalysisFactory("USE_ONEWAY_FREQ", FreqOption::Make);
    RegisterAnalysisFactory("USE_TWOWAY_CROSS", MakeXtabOption);
    // The crosstab offers its wide variables for grouping in the same dialog.
    XTAB::SetAutoRecodeOffer([](long *candidates, long *intervals, const char *title) {
        return AutoRecodeDialog(candidates, intervals, title);
    });
}
