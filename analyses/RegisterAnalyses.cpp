#include "analyses/RegisterAnalyses.h"

#include "analyses/kit/AnalysisBook.h"
#include "analyses/kit/AutoRecodeDialog.h"
#include "analyses/frequencies/BattFreqOption.h"
#include "analyses/crosstab/BiplotOption.h"
#include "analyses/multivariate/CorrOption.h"
#include "analyses/frequencies/FreqOption.h"
#include "analyses/caselist/ListOption.h"
#include "analyses/map/MapStatOption.h"
#include "analyses/paired/McNemarOption.h"
#include "analyses/descriptives/MeanOption.h"
#include "analyses/multivariate/MultregOption.h"
#include "analyses/frequencies/MultrespDikoOption.h"
#include "analyses/frequencies/MultrespFreqOption.h"
#include "analyses/multivariate/NtabOption.h"
#include "analyses/descriptives/OnewayOption.h"
#include "analyses/paired/SignTestOption.h"
#include "analyses/paired/TtestParOption.h"
#include "analyses/paired/WilcoxonOption.h"
#include "analyses/crosstab/XtabOption.h"
#include "shell/AnalysisRegistry.h"

StatOption *CreateMeanOption()
{
    return TableOption::Make<MeanOption>();
}

StatOption *CreateOnewayOption()
{
    return TableOption::Make<OnewayOption>();
}

StatOption *CreateTtestParOption()
{
    return TableOption::Make<TtestParOption>();
}

// The case list has no settings to load.
StatOption *CreateListOption()
{
    return new ListOption;
}

void RegisterAnalyses()
{
    RegisterAnalysisFactory("USE_ONEWAY_FREQ", TableOption::Make<FreqOption>);
    RegisterAnalysisFactory("USE_ONEWAY_DESCRIP", CreateMeanOption);
    RegisterAnalysisFactory("USE_TWOWAY_CROSS", TableOption::Make<XtabOption>);
    RegisterAnalysisFactory("USE_TWOWAY_BIPLOT", TableOption::Make<BiplotOption>);
    RegisterAnalysisFactory("USE_TWOWAY_DESCRIP_CROSS", CreateOnewayOption);
    RegisterAnalysisFactory("USE_TWOWAY_TTEST", CreateTtestParOption);
    RegisterAnalysisFactory("USE_MULTIWAY_CORR", TableOption::Make<CorrOption>);
    RegisterAnalysisFactory("USE_MCNEMAR", TableOption::Make<McNemarOption>);
    RegisterAnalysisFactory("USE_SIGNTEST", TableOption::Make<SignTestOption>);
    RegisterAnalysisFactory("USE_WILCOXON", TableOption::Make<WilcoxonOption>);
    RegisterAnalysisFactory("USE_BATTFREQ", TableOption::Make<BattFreqOption>);
    RegisterAnalysisFactory("USE_ONEWAY_MULTI", TableOption::Make<MultrespFreqOption>);
    RegisterAnalysisFactory("USE_ONEWAY_MULTI_DICO", TableOption::Make<MultrespDikoOption>);
    RegisterAnalysisFactory("USE_MAP", TableOption::Make<MapStatOption>);
    RegisterAnalysisFactory("USE_MULTIWAY_NTAB", [] {
        auto *record = new NtabOption;
        record->LoadSettings(1);
        record->userLayers = 1; // a new record starts with one layer
        return static_cast<StatOption *>(record);
    });
    RegisterAnalysisFactory("USE_LOOK", CreateListOption);
    RegisterAnalysisFactory("USE_MULTIWAY_REG", TableOption::Make<MultregOption>);
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
