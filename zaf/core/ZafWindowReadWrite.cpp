// ZafWindow: reading and writing the window record and its objects.

#include "zaf/core/ZafWindow.h"
#include "zaf/core/ZafErrorCodes.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafBorder.h"
#include "zaf/core/ZafEventManager.h"
#include "zaf/core/ZafLatin1.h"
#include "zaf/core/ZafScrollBar.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindowManager.h"
#include "zaf/core/ZafWindowPersistence.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <initializer_list>
#include <memory>
#include <vector>

// --- Persistence -----------------------------------------------------------

namespace {

// What ReadObjects collects while the children are built.
struct ReadContext
{
    ZafWindow *window;
    std::uint32_t firstError;
};

void AddReadObject(ZafElement *element, void *context)
{
    auto *read = static_cast<ReadContext *>(context);
    auto *object = dynamic_cast<ZafWindowObject *>(element);
    if (!object) {
        delete element;
        return;
    }
    if (object->Error() != 0 && read->firstError == 0)
        read->firstError = static_cast<std::uint32_t>(object->Error());
    read->window->AddObject(object);
}

} // namespace

ZafWindow::ZafWindow(const char *name, ZafWindowPersistence &persistence)
    : ZafWindowObject(name, persistence.PushLevel(className, classID, ZafWindowPersistence::topLevelEntry)),
      clientRegion(0, 0, 0, 0, ZAF_CELL)
{
    if (persistence.Error() == 0)
        ReadData(persistence);
    if (persistence.Error() == 0)
        ReadObjects(persistence);
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

ZafElement *ZafWindow::New(const char *name, ZafWindowPersistence &persistence)
{
    return new ZafWindow(name, persistence);
}

void ZafWindow::ReadData(ZafWindowPersistence &persistence)
{
    std::uint16_t flags = 0, mode = 0, clientType = 0;
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    persistence.Read16(flags);
    persistence.Read16(mode);
    persistence.Read32(left);
    persistence.Read32(top);
    persistence.Read32(right);
    persistence.Read32(bottom);
    persistence.Read16(clientType);
    if (persistence.Error() == 0 && (mode > 2 || !ZafIsCoordinateType(clientType) ||
                                     !ZafRegionRect(left, top, right, bottom, clientType).IsStorable()))
        persistence.SetError(ZafError::Read);
    if (persistence.Error() != 0)
        return;
    windowFlags = flags & windowFlagMask;
    selectionMode = mode;
    clientRegion = ZafRegionRect(left, top, right, bottom, clientType);

    char name[ZafWindowPersistence::maxNameLength + 1];
    if (persistence.ReadLevelEntry("compareFunction", name, sizeof name) == 0 && name[0])
        SetCompareFunction(persistence.GetCompareFunction(name));
}

void ZafWindow::ReadObjects(ZafWindowPersistence &persistence)
{
    ReadContext context = {this, 0};
    persistence.ReadChildObjects(AddReadObject, &context);
    // A later child that opens cleanly resets the context's error word; the
    // first child's failure must still reach the window.
    if (context.firstError != 0 && persistence.Error() == 0)
        persistence.SetError(context.firstError);
}

void ZafWindow::Write(ZafWindowPersistence &persistence)
{
    persistence.PushLevel(className, classID, ZafWindowPersistence::topLevelEntry);
    ZafWindowObject::Write(persistence);
    if (persistence.Error() == 0)
        WriteData(persistence);
    if (persistence.Error() == 0)
        WriteSupportObjects(persistence);
    if (persistence.Error() == 0)
        WriteChildren(persistence);
    persistence.PopLevel();
}

void ZafWindow::WriteData(ZafWindowPersistence &persistence)
{
    persistence.Write16(windowFlags);
    persistence.Write16(static_cast<std::uint16_t>(selectionMode));
    persistence.Write32(static_cast<std::int32_t>(clientRegion.left));
    persistence.Write32(static_cast<std::int32_t>(clientRegion.top));
    persistence.Write32(static_cast<std::int32_t>(clientRegion.right));
    persistence.Write32(static_cast<std::int32_t>(clientRegion.bottom));
    persistence.Write16(static_cast<std::uint16_t>(clientRegion.coordinateType));
    const char *compareName = persistence.GetCompareFunctionName(CompareFunction());
    if (compareName && std::strlen(compareName) <= static_cast<std::size_t>(ZafWindowPersistence::maxNameLength))
        persistence.WriteLevelEntry("compareFunction", nullptr, 0, compareName);
}

namespace {

// Writes the objects of one list, each in a level of its own. Names already
// used in the window are refused (error Write, 17): the object would replace the
// directory of the one written before it.
void WriteObjectList(ZafWindowPersistence &persistence, const ZafList &list, std::set<std::string> &names)
{
    std::uint32_t firstError = 0;
    for (ZafElement *e = list.First(); e; e = e->Next()) {
        auto *object = static_cast<ZafWindowObject *>(e);
        const std::string name = object->StringID() && *object->StringID() ? object->StringID() : object->ClassName();
        if (!names.insert(name).second) {
            if (firstError == 0)
                firstError = ZafError::Write;
            continue;
        }
        persistence.WriteChild(*object);
        if (firstError == 0)
            firstError = persistence.Error();
    }
    if (firstError != 0 && persistence.Error() == 0)
        persistence.SetError(firstError);
}

} // namespace

void ZafWindow::WriteSupportObjects(ZafWindowPersistence &persistence)
{
    std::set<std::string> names;
    WriteObjectList(persistence, support, names);
}

void ZafWindow::WriteChildren(ZafWindowPersistence &persistence)
{
    std::set<std::string> names;
    for (ZafElement *e = support.First(); e; e = e->Next()) {
        auto *object = static_cast<ZafWindowObject *>(e);
        names.insert(object->StringID() && *object->StringID() ? object->StringID() : object->ClassName());
    }
    WriteObjectList(persistence, *this, names);
}
