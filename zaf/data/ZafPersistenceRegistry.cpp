#include "zaf/data/ZafPersistenceRegistry.h"

#include <cstring>
#include <memory>
#include <vector>

#include "zaf/core/ZafBorder.h"
#include "zaf/core/ZafDialogWindow.h"
#include "zaf/core/ZafGeometryManager.h"
#include "zaf/core/ZafGroup.h"
#include "zaf/core/ZafMDIWindow.h"
#include "zaf/core/ZafNotebook.h"
#include "zaf/core/ZafScrollBar.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindow.h"

namespace {
// Constructor tables: the class names live in static storage.
std::vector<ZafConstructorEntry> &DataTable()
{
    static std::vector<ZafConstructorEntry> table = {
        {0, "ZafBitmapData", nullptr},     {0, "ZafIconData", nullptr},       {0, "ZafLanguageData", nullptr},
        {3105, "ZafStringData", nullptr},  {3103, "ZafIntegerData", nullptr}, {3110, "ZafScrollData", nullptr},
        {3119, "ZafPaletteData", nullptr}, {ZafEndOfTable, nullptr, nullptr}};
    return table;
}

std::vector<ZafConstructorEntry> &ObjectTable()
{
    static std::vector<ZafConstructorEntry> table = {
        {1007, "ZafWindow", ZafObjectNew<ZafWindow::New>},
        {2, "ZafButton", nullptr},
        {23, "ZafGroup", ZafObjectNew<ZafGroup::New>},
        {1017, "ZafSpinControl", nullptr},
        {6, "ZafInteger", nullptr},
        {11, "ZafPrompt", nullptr},
        {1, "ZafBorder", ZafObjectNew<ZafBorder::New>},
        {15, "ZafText", nullptr},
        {2003, "ZafGeometryManager", ZafObjectNew<ZafGeometryManager::New>},
        {1020, "ZafAttachment", ZafObjectNew<ZafAttachment::New>},
        {1010, "ZafVtList", nullptr},
        {1005, "ZafScrollBar", ZafObjectNew<ZafScrollBar::New>},
        {7, "ZafMaximizeButton", nullptr},
        {8, "ZafMinimizeButton", nullptr},
        {1006, "ZafSystemButton", nullptr},
        {17, "ZafTitle", nullptr},
        {13, "ZafString", nullptr},
        {5, "ZafIcon", nullptr},
        {1018, "ZafNotebook", ZafObjectNew<ZafNotebook::New>},
        {22, "ZafDialogWindow", ZafObjectNew<ZafDialogWindow::New>},
        {1021, "ZafDimensionConstraint", ZafObjectNew<ZafDimensionConstraint::New>},
        {1008, "ZafComboBox", nullptr},
        {2011, "ZafMDIWindow", ZafObjectNew<ZafMDIWindow::New>},
        {1009, "ZafToolBar", nullptr},
        {3500, "ZafButtonX", nullptr},
        {1004, "ZafPullDownMenu", nullptr},
        {1003, "ZafPullDownItem", nullptr},
        {1002, "ZafPopUpMenu", nullptr},
        {19, "ZafPopUpItem", nullptr},
        // Controls beyond the base set, entered so that windows holding
        // them read back too.
        {12, "ZafReal", nullptr},
        {20, "ZafImage", nullptr},
        {1012, "ZafProgressBar", nullptr},
        {1015, "ZafStatusBar", nullptr},
        {31, "ZafSplitter", nullptr},
        {1013, "ZafTable", nullptr},
        {1023, "ZafTableHeader", nullptr},
        {1014, "ZafTableRecord", nullptr},
        {ZafEndOfTable, nullptr, nullptr}};
    return table;
}

// A named table: heap copies of the names beside the end-marked entries.
template <class Value> struct NamedTable
{
    std::vector<std::unique_ptr<char[]>> names;
    std::vector<ZafNamedEntry<Value>> entries{ZafNamedEntry<Value>{nullptr, nullptr}};

    bool Add(const char *name, Value value)
    {
        if (!name)
            return false;
        for (const std::unique_ptr<char[]> &present : names)
            if (std::strcmp(present.get(), name) == 0)
                return false;
        names.emplace_back(DuplicateLibraryString(name));
        entries.insert(entries.end() - 1, ZafNamedEntry<Value>{names.back().get(), value});
        return true;
    }
};

NamedTable<ZafUserFunction> &UserFunctionTable()
{
    static NamedTable<ZafUserFunction> table;
    return table;
}

NamedTable<ZafCompareFunction> &CompareFunctionTable()
{
    static NamedTable<ZafCompareFunction> table;
    return table;
}

NamedTable<void *> &UserObjectTable()
{
    static NamedTable<void *> table;
    return table;
}
} // namespace

const ZafConstructorEntry *ZafPersistenceRegistry::DataConstructors()
{
    return DataTable().data();
}

const ZafConstructorEntry *ZafPersistenceRegistry::ObjectConstructors()
{
    return ObjectTable().data();
}

const ZafNamedEntry<ZafUserFunction> *ZafPersistenceRegistry::UserFunctions()
{
    return UserFunctionTable().entries.data();
}

const ZafNamedEntry<ZafCompareFunction> *ZafPersistenceRegistry::CompareFunctions()
{
    return CompareFunctionTable().entries.data();
}

const ZafNamedEntry<void *> *ZafPersistenceRegistry::UserObjects()
{
    return UserObjectTable().entries.data();
}

bool ZafPersistenceRegistry::RegisterNew(const char *className, ZafReadFunction New)
{
    if (!className)
        return false;
    for (std::vector<ZafConstructorEntry> *table : {&ObjectTable(), &DataTable()})
        for (ZafConstructorEntry &entry : *table)
            if (entry.className && std::strcmp(entry.className, className) == 0) {
                entry.New = New;
                return true;
            }
    return false;
}

bool ZafPersistenceRegistry::RegisterUserFunction(const char *name, ZafUserFunction function)
{
    return UserFunctionTable().Add(name, function);
}

bool ZafPersistenceRegistry::RegisterCompareFunction(const char *name, ZafCompareFunction function)
{
    return CompareFunctionTable().Add(name, function);
}

bool ZafPersistenceRegistry::RegisterUserObject(const char *name, void *object)
{
    return UserObjectTable().Add(name, object);
}

ZafObjectPersistence *ZafPersistenceRegistry::MakePersistence(ZafFileSystem *fileSystem)
{
    return new ZafObjectPersistence(fileSystem, DataConstructors(), ObjectConstructors(), UserFunctions(),
                                    CompareFunctions(), UserObjects());
}
