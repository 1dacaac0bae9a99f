#include "shell/AnalysisRegistry.h"

#include "dataset/TextCatalog.h"

#include <cstring>
#include <map>
#include <string>

std::vector<RegisteredOption> RegisteredOptionsList;

namespace {

struct Listed
{
    const char *helpName;
    int menuId;
    int menuGroup;
};

// The program's analyses in menu order. "USE_WEIGHT" (the weight choice)
// belongs to the transformations, which this system does not have; it is
// listed so that the order stays whole, and takes no factory.
const Listed listed[] = {
    {"USE_ONEWAY_FREQ", 12, 1},   {"USE_ONEWAY_DESCRIP", 15, 1},
    {"USE_ONEWAY_MULTI", 18, 1},  {"USE_ONEWAY_MULTI_DICO", 19, 1},
    {"USE_TWOWAY_CROSS", 13, 2},  {"USE_TWOWAY_DESCRIP_CROSS", 16, 2},
    {"USE_TWOWAY_BIPLOT", 20, 2}, {"USE_TWOWAY_TTEST", 23, 2},
    {"USE_MCNEMAR", 24, 2},       {"USE_SIGNTEST", 25, 2},
    {"USE_WILCOXON", 26, 2},      {"USE_MULTIWAY_NTAB", 22, 3},
    {"USE_MULTIWAY_REG", 17, 3},  {"USE_MULTIWAY_CORR", 21, 3},
    {"USE_BATTFREQ", 77, 3},      {"USE_MAP", 47, 4},
    {"USE_LOOK", 58, 4},          {"USE_WEIGHT", 34, 4},
};

constexpr const char *weightChoiceName = "USE_WEIGHT";

std::map<std::string, StatOptionFactory> &Factories()
{
    static std::map<std::string, StatOptionFactory> factories;
    return factories;
}

char *CopyText(const char *text)
{
    char *copy = new char[std::strlen(text) + 1];
    std::strcpy(copy, text);
    return copy;
}

} // namespace

bool RegisterAnalysisFactory(const char *helpName, StatOptionFactory factory)
{
    if (!helpName)
        return false;
    if (std::strcmp(helpName, weightChoiceName) == 0)
        return false;
    for (const Listed &entry : listed) {
        if (std::strcmp(entry.helpName, helpName) == 0) {
            Factories()[helpName] = factory;
            return true;
        }
    }
    return false;
}

void BuildAnalysisRegistry(TextCatalog *catalog)
{
    FreeAnalysisRegistry();
    for (const Listed &entry : listed) {
        const auto found = Factories().find(entry.helpName);
        StatOptionFactory factory = found == Factories().end() ? nullptr : found->second;
        const char *text = catalog ? catalog->GetText(entry.menuId, analysisTextGroup) : TextCatalog::kMissingText;
        RegisteredOption option;
        option.text = CopyText(text);
        option.menuId = entry.menuId;
        option.enabled = factory ? 1 : 0;
        option.factory = factory;
        option.menuGroup = entry.menuGroup;
        option.helpName = entry.helpName;
        RegisteredOptionsList.push_back(option);
    }
}

void FreeAnalysisRegistry()
{
    for (RegisteredOption &option : RegisteredOptionsList)
        delete[] option.text;
    RegisteredOptionsList.clear();
}

const RegisteredOption *FindRegisteredOption(int menuId)
{
    for (const RegisteredOption &option : RegisteredOptionsList)
        if (option.menuId == menuId)
            return &option;
    return nullptr;
}
