#include "graphs/GraphTextDialog.h"

#include "dataset/AssumeError.h"
#include "graphs/GraphTextDialogDefinition.h"
#include "graphs/TEKSTELEMENT.h"
#include "shell/Main.h"
#include "stats/StatClass.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafInteger.h"
#include "zaf/controls/ZafString.h"
#include "zaf/data/ZafObjectPersistence.h"

namespace {

namespace N = GraphTextDialogNames;

constexpr int buttonGroup = 0, dialogGroup = 20, deleteGroup = 21;
constexpr const char *missingControl = "Internal error: Duru-object is NULL";

} // namespace

TEXT_DIALOG::TEXT_DIALOG(ZafWindowPersistence &persistence, int pointerX, int pointerY, TEKSTELEMENT *edited)
    : ZafDialogWindow(N::dialog, persistence), element(edited), x(pointerX), y(pointerY)
{
    if (Error() != 0)
        return;
    SetHelpContext(helpTopic);
    textField = dynamic_cast<ZafString *>(Find(N::text, __LINE__));
    if (ZafWindowObject *holder = Find(N::size, __LINE__)) {
        sizeField = new ZafInteger(0, 0, sizeFieldWidth, 0);
        sizeField->SetStringID("GTD_SIZE_FIELD");
        if (auto *window = dynamic_cast<ZafWindow *>(holder)) {
            // The field fills its holder, which is one row high.
            ZafRegionRect place = holder->Region();
            holder->ConvertRegion(place, ZAF_PIXEL);
            sizeField->SetRegion(ZafRegionRect(0, 0, place.Width() - 1, place.Height() - 1, ZAF_PIXEL));
            window->AddObject(sizeField);
        } else
            AddObject(sizeField);
    }
    SetTexts();
    SetStates();
}

TEXT_DIALOG *TEXT_DIALOG::Open(int x, int y, TEKSTELEMENT *element)
{
    if (!AssumeError(userPersist != nullptr, __FILE__, __LINE__, N::dialog))
        return nullptr;
    auto *dialog = new TEXT_DIALOG(*userPersist, x, y, element);
    if (!AssumeError(dialog->Error() == 0, __FILE__, __LINE__, N::dialog)) {
        delete dialog;
        return nullptr;
    }
    return dialog;
}

ZafWindowObject *TEXT_DIALOG::Find(const char *name, int line)
{
    ZafWindowObject *object = FindObjectByStringID(name);
    AssumeError(object != nullptr, __FILE__, line, missingControl);
    return object;
}

void TEXT_DIALOG::SetTexts()
{
    // Each text is copied at once: asking the catalogue for the next one
    // may free the previous one.
    const std::string title = StatText(0, dialogGroup);
    if (ZafWindowObject *caption = FindTitle())
        caption->SetText(title.c_str());
    const struct
    {
        const char *name;
        int number, group;
    } texts[] = {
        {N::ok, 0, buttonGroup},         {N::cancel, 4, buttonGroup},      {N::help, 9, buttonGroup},
        {N::remove, 0, deleteGroup},     {N::familyGroup, 1, dialogGroup}, {N::serif, 4, dialogGroup},
        {N::sansSerif, 5, dialogGroup},  {N::weightGroup, 2, dialogGroup}, {N::bold, 6, dialogGroup},
        {N::italic, 7, dialogGroup},     {N::pitchGroup, 3, dialogGroup},  {N::variablePitch, 8, dialogGroup},
        {N::fixedPitch, 9, dialogGroup}, {N::sizePrompt, 10, dialogGroup},
    };
    for (const auto &entry : texts) {
        const std::string text = StatText(entry.number, entry.group);
        if (ZafWindowObject *control = Find(entry.name, __LINE__))
            control->SetText(text.c_str());
    }
}

void TEXT_DIALOG::SetStates()
{
    const std::uint32_t bits = element ? element->StyleBits() : TEKSTELEMENT::styleBold;
    if (ZafWindowObject *remove = Find(N::remove, __LINE__))
        remove->SetDisabled(element == nullptr);
    // The program has no help files: Help would open nothing.
    if (ZafWindowObject *help = Find(N::help, __LINE__))
        help->SetDisabled(true);
    if (textField)
        textField->SetText(element ? element->Text() : "");
    const bool serif = (bits & TEKSTELEMENT::styleSerif) != 0;
    const bool fixed = (bits & TEKSTELEMENT::styleFixed) != 0;
    const struct
    {
        const char *name;
        bool selected;
    } states[] = {
        {N::serif, serif},
        {N::sansSerif, !serif},
        {N::bold, (bits & TEKSTELEMENT::styleBold) != 0},
        {N::italic, (bits & TEKSTELEMENT::styleItalic) != 0},
        {N::variablePitch, !fixed},
        {N::fixedPitch, fixed},
    };
    for (const auto &state : states)
        if (ZafWindowObject *control = Find(state.name, __LINE__))
            control->SetSelected(state.selected);
    if (sizeField) {
        if (element)
            sizeField->SetValue(element->FontSize());
        else
            sizeField->SetText("");
    }
}

bool TEXT_DIALOG::IsSelected(const char *name) const
{
    ZafWindowObject *control = const_cast<TEXT_DIALOG *>(this)->FindObjectByStringID(name);
    return control && control->Selected();
}

ZafEventType TEXT_DIALOG::Event(const ZafEventRecord &event)
{
    // The typed text lives in the controls, which go with the dialog's
    // window when its loop ends.
    if (event.type == ZAF_DIALOG_OK && IsRunning())
        TakeResults();
    return ZafDialogWindow::Event(event);
}

void TEXT_DIALOG::TakeResults()
{
    takenText = EnteredText();
    takenSize = ChosenSize();
    taken = true;
}

std::string TEXT_DIALOG::EnteredText()
{
    if (taken)
        return takenText;
    const char *text = textField ? textField->Text() : nullptr;
    return text ? text : "";
}

std::uint32_t TEXT_DIALOG::ChosenStyle(std::uint32_t old) const
{
    const struct
    {
        const char *name;
        std::uint32_t bit;
    } bits[] = {
        {N::serif, TEKSTELEMENT::styleSerif},
        {N::bold, TEKSTELEMENT::styleBold},
        {N::italic, TEKSTELEMENT::styleItalic},
        {N::fixedPitch, TEKSTELEMENT::styleFixed},
    };
    std::uint32_t style = old;
    for (const auto &entry : bits)
        style = IsSelected(entry.name) ? style | entry.bit : style & ~entry.bit;
    return style;
}

int TEXT_DIALOG::ChosenSize()
{
    if (taken)
        return takenSize;
    if (!sizeField)
        return 0;
    const std::int32_t value = sizeField->GetValue();
    const char *text = sizeField->Text();
    return text && *text ? static_cast<int>(value) : 0;
}
