#include "shell/TableOptionWindow.h"

#include "dataset/AssumeError.h"
#include "shell/Main.h"
#include "shell/TableOption.h"
#include "zaf/data/ZafObjectPersistence.h"

namespace {

// An empty stand-in persistence for a program without its UI data file:
// the read then fails as for a missing window.
ZafWindowPersistence &ProgramPersistence()
{
    static ZafObjectPersistence none(nullptr);
    return userPersist ? *static_cast<ZafWindowPersistence *>(userPersist) : none;
}

} // namespace

TableOptionWindow::TableOptionWindow(const TableDescription &description, const char *windowName)
    : TableOptionWindow(description, windowName, ProgramPersistence())
{}

TableOptionWindow::TableOptionWindow(const TableDescription &description, const char *windowName,
                                     ZafWindowPersistence &persistence)
    : OptionWindow(windowName, persistence), description(description)
{
    AssumeError(Error() == 0, description.sourceName, __LINE__,
                "The option window could not be read from mervalo.znc.");
}

TableOptionWindow::TableOptionWindow(const TableDescription &description, int width, int height)
    : OptionWindow(width, height), description(description)
{}

void TableOptionWindow::UpdateControls()
{
    TableOption::ShowTexts(this, description);
}
