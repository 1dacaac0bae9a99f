#include "analyses/XtabPage.h"

#include "analyses/XTABOBJECT.h"
#include "analyses/XtabOption.h"

ZafWindow *XtabPage::CreateGraphWindow(int kind, StatOption *argument)
{
    auto *table = dynamic_cast<XTABOBJECT *>(Computation());
    auto *option = dynamic_cast<XtabOption *>(argument);
    if (!table || !option || kind != XtabOption::barChartKind)
        return nullptr;
    // The bar chart of the table is drawn by a graph window that is not part
    // of the program yet.
    return nullptr;
}
