#include "analyses/FrOptions.h"

#include "analyses/OptionControls.h"
#include "dataset/AssumeError.h"
#include "shell/Main.h"
#include "stats/StatClass.h"
#include "zaf/data/ZafObjectPersistence.h"

namespace {

constexpr int textGroup = 5;

struct ControlText
{
    const char *name;
    int text;
};
constexpr ControlText controlTexts[] = {
    {"title", 21},       {"coltitles", 22},  {"category", 23},  {"code", 24},    {"number", 25},
    {"pctofall", 26},    {"pctofvalid", 27}, {"accumtype", 28}, {"ofvalid", 29}, {"oftotal", 30},
    {"notused", 31},     {"sorting", 32},    {"byvalue", 33},   {"byfreq", 34},  {"byvalue_desc", 35},
    {"byfreq_desc", 36}, {"pr_colwid", 37},  {"stat", 38},      {"modus", 39},   {"median", 40},
    {"mean", 42},
};
// Graph groups that only some windows of the family hold.
constexpr ControlText optionalTexts[] = {{"grp", 17}, {"gbh", 18}, {"gbv", 18}};

// An empty stand-in persistence for a program without its UI data file:
// the read then fails as for a missing window.
ZafWindowPersistence &ProgramPersistence()
{
    static ZafObjectPersistence none(nullptr);
    return userPersist ? *static_cast<ZafWindowPersistence *>(userPersist) : none;
}

} // namespace

FrOptions::FrOptions() : FrOptions(ProgramPersistence())
{}

FrOptions::FrOptions(ZafWindowPersistence &persistence) : OptionWindow(windowName, persistence)
{
    AssumeError(Error() == 0, "FrOptions", __LINE__, "The option window could not be read from mervalo.znc.");
}

void FrOptions::UpdateControls()
{
    OptionControls controls(this, "FrOptions");
    for (const ControlText &entry : controlTexts)
        controls.SetText(entry.name, StatText(entry.text, textGroup), __LINE__);
    for (const ControlText &entry : optionalTexts)
        controls.SetTextIfPresent(entry.name, StatText(entry.text, textGroup));
}
