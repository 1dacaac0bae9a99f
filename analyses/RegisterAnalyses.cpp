#include "analyses/RegisterAnalyses.h"

#include "analyses/AutoRecodeDialog.h"
#include "analyses/FreqOption.h"
#include "analyses/XTAB.h"
#include "analyses/XtabOption.h"
#include "shell/AnalysisRegistry.h"

void RegisterAnalyses()
{
    RegisterAnalysisFactory("USE_ONEWAY_FREQ", TableOption::Make<FreqOption>);
    RegisterAnalysisFactory("USE_TWOWAY_CROSS", TableOption::Make<XtabOption>);
    // The crosstab offers its wide variables for grouping in the same
    // dialog; an offer installed before (a test's) is kept.
    if (XTAB::AutoRecodeOffer installed = XTAB::SetAutoRecodeOffer(nullptr)) {
        XTAB::SetAutoRecodeOffer(installed);
        return;
    }
    XTAB::SetAutoRecodeOffer([](long *candidates, long *intervals, const char *title) {
        return AutoRecodeDialog(candidates, intervals, title);
    });
}
