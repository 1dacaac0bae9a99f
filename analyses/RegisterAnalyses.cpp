#include "analyses/RegisterAnalyses.h"

#include "analyses/AnalysisBook.h"
#include "analyses/AutoRecodeDialog.h"
#include "analyses/FreqOption.h"
#include "analyses/MeanOption.h"
#include "analyses/OnewayOption.h"
#include "analyses/TtestParOption.h"
#include "analyses/XtabOption.h"
#include "shell/AnalysisRegistry.h"

void RegisterAnalyses()
{
    RegisterAnalysisFactory("USE_ONEWAY_FREQ", TableOption::Make<FreqOption>);
    RegisterAnalysisFactory("USE_ONEWAY_DESCRIP", TableOption::Make<MeanOption>);
    RegisterAnalysisFactory("USE_TWOWAY_CROSS", TableOption::Make<XtabOption>);
    RegisterAnalysisFactory("USE_TWOWAY_DESCRIP_CROSS", TableOption::Make<OnewayOption>);
    RegisterAnalysisFactory("USE_TWOWAY_TTEST", TableOption::Make<TtestParOption>);
    // The analyses offer their wide variables for grouping in the same
    // dialog; an offer installed before (a test's) is kept.
    if (AnalysisBook::AutoRecodeOffer installed = AnalysisBook::SetAutoRecodeOffer(nullptr)) {
        AnalysisBook::SetAutoRecodeOffer(installed);
        return;
    }
    AnalysisBook::SetAutoRecodeOffer([](long *candidates, long *intervals, const char *title) {
        return AutoRecodeDialog(candidates, intervals, title);
    });
}
