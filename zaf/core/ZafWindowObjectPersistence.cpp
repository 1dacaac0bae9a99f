// ZafWindowObject: reading and writing the window-object record.

#include "zaf/core/ZafWindowObject.h"
#include "zaf/core/ZafErrorCodes.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafDisplay.h"
#include "zaf/core/ZafEventManager.h"
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafGeometryManager.h"
#include "zaf/core/ZafWindow.h"
#include "zaf/core/ZafWindowManager.h"
#include "zaf/core/ZafList.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindowPersistence.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

// --- Persistence -----------------------------------------------------------

namespace {

// The entries that keep a window object's function names beside its record.
constexpr ZafNumberID userFunctionEntryID = 3201;
constexpr ZafNumberID userObjectEntryID = 3202;

// Writes a name of the record; a name too long to be read back is refused
// (error Write, 17) and stored as none.
void WriteName(ZafWindowPersistence &persistence, const char *name)
{
    if (name && std::strlen(name) > static_cast<std::size_t>(ZafWindowPersistence::maxNameLength)) {
        if (persistence.Error() == 0)
            persistence.SetError(ZafError::Write);
        name = nullptr;
    }
    persistence.WriteString(name);
}

} // namespace

ZafWindowObject::ZafWindowObject(const char *name, ZafWindowPersistence &persistence) : region(0, 0, 0, 0, ZAF_CELL)
{
    persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry);
    SetStringID(name);
    if (persistence.OpenLevelFile(name, ZafWindowPersistence::readMode) == 0)
        ReadFrom(persistence);
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

void ZafWindowObject::ReadFrom(ZafWindowPersistence &persistence)
{
    std::uint16_t numberID = 0, attributes = 0, coordinates = 0, dragFlags = 0, reserved = 0;
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    persistence.Read16(numberID);
    persistence.Read32(left);
    persistence.Read32(top);
    persistence.Read32(right);
    persistence.Read32(bottom);
    persistence.Read16(attributes);
    persistence.Read16(coordinates);
    char *texts[3] = {nullptr, nullptr, nullptr};
    for (char *&text : texts)
        persistence.ReadString(&text);
    persistence.Read16(dragFlags);
    persistence.Read16(reserved);
    char *unused = nullptr;
    persistence.ReadString(&unused);
    delete[] unused;
    // Names go into 64-character buffers; a longer name is refused with
    // error Read (16).
    char names[3][ZafWindowPersistence::maxNameLength + 1];
    for (char *name : names)
        persistence.ReadStringInto(name, sizeof names[0]);

    const ZafCoordinateType type = coordinates & 0x0F;
    if (persistence.Error() == 0 && !ZafIsCoordinateType(type))
        persistence.SetError(ZafError::Read);
    // Only a storable region is taken: widths and the cell spacing computed
    // from one near the ends of the 32-bit range would overflow.
    if (persistence.Error() == 0 && !ZafRegionRect(left, top, right, bottom, type).IsStorable())
        persistence.SetError(ZafError::Read);
    if (persistence.Error() != 0) {
        for (char *text : texts)
            delete[] text;
        return;
    }
    SetNumberID(numberID);
    coordinateType = type;
    region = ZafRegionRect(left, top, right, bottom, type);
    regionType = (coordinates >> 4) & 0x0F;
    storedFlags = (attributes | static_cast<std::uint32_t>(dragFlags) << 16) & storedFlagMask;
    // The texts were read as heap copies; the object takes them over.
    delete[] helpContext;
    delete[] tipText;
    delete[] secondTipText;
    helpContext = texts[0];
    tipText = texts[1];
    secondTipText = texts[2];
    if (names[0][0])
        userFunction = persistence.GetUserFunction(names[0]);
    if (names[1][0])
        userObject = persistence.GetUserObject(names[1]);
    if (names[2][0])
        if (ZafPaletteData *palette = persistence.ReadPaletteData(names[2]))
            SetPaletteData(palette);
}

void ZafWindowObject::Write(ZafWindowPersistence &persistence)
{
    persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry);
    if (persistence.OpenLevelFile(StringID(), ZafWindowPersistence::writeMode) == 0) {
        persistence.Write16(static_cast<std::uint16_t>(NumberID()));
        persistence.Write32(static_cast<std::int32_t>(region.left));
        persistence.Write32(static_cast<std::int32_t>(region.top));
        persistence.Write32(static_cast<std::int32_t>(region.right));
        persistence.Write32(static_cast<std::int32_t>(region.bottom));
        persistence.Write16(static_cast<std::uint16_t>(storedFlags & 0xFFFF));
        persistence.Write16(static_cast<std::uint16_t>((coordinateType & 0x0F) | (regionType & 0x0F) << 4));
        persistence.WriteString(helpContext);
        persistence.WriteString(tipText);
        persistence.WriteString(secondTipText);
        persistence.Write16(static_cast<std::uint16_t>(storedFlags >> 16));
        persistence.Write16(static_cast<std::uint16_t>(0));
        persistence.WriteString(nullptr);
        const char *functionName = persistence.GetUserFunctionName(userFunction);
        const char *objectName = persistence.GetUserObjectName(userObject);
        WriteName(persistence, functionName);
        WriteName(persistence, objectName);
        WriteName(persistence, paletteData ? persistence.WritePaletteData(paletteData) : nullptr);
        if (functionName)
            persistence.WriteLevelEntry("userFunction", functionName, userFunctionEntryID, functionName);
        if (objectName)
            persistence.WriteLevelEntry("userObject", objectName, userObjectEntryID, objectName);
    }
    persistence.PopLevel();
}
