#include "zaf/data/ZafCodeSetData.h"

#include <cstring>

#include "zaf/core/ZafText.h"
#include "zaf/data/ZafDataClassSupport.h"
#include "zaf/data/ZafDataManager.h"
#include "zaf/data/ZafDataPersistence.h"
#include "zaf/data/ZafFile.h"
#include "zaf/data/ZafStaticCleanup.h"

ZafCodeSetData *zafCodeSet = nullptr;

namespace {
constexpr int staticBufferSize = 256;
char isoToLocalBuffer[staticBufferSize];
char localToIsoBuffer[staticBufferSize];
char byCodeSetBuffer[staticBufferSize];
char toIsoBuffer[staticBufferSize];

// A plain copy into the output the conversion functions choose.
char *CopyText(const char *text, char *buffer, bool allocate, char *staticBuffer)
{
    if (!text)
        return nullptr;
    if (allocate)
        return DuplicateLibraryString(text);
    if (buffer)
        return std::strcpy(buffer, text);
    CopyTextBounded(text, staticBuffer, staticBufferSize - 1);
    staticBuffer[staticBufferSize - 1] = '\0';
    return staticBuffer;
}
} // namespace

// ---------------------------------------------------------------------------
// ZafCharLookup

ZafCharLookup::ZafCharLookup(const char *tableName, const unsigned char *table, const char *name)
    : name(DuplicateLibraryString(name)), tableName(DuplicateLibraryString(tableName))
{
    if (table)
        std::memcpy(this->table, table, sizeof this->table);
}

ZafCharLookup::ZafCharLookup(const ZafCharLookup &copy)
    : name(DuplicateLibraryString(copy.name)), tableName(DuplicateLibraryString(copy.tableName)), first(copy.first),
      last(copy.last)
{
    std::memcpy(table, copy.table, sizeof table);
}

ZafCharLookup::ZafCharLookup(const char *name, const char *tableName, ZafDataPersistence &persistence)
    : name(DuplicateLibraryString(name)), tableName(DuplicateLibraryString(tableName))
{
    persistence.PushLevel(className, classID, ZafDataPersistence::dataEntry);
    if (persistence.OpenLevelFile(tableName, ZafFileMode::Read) == 0 && persistence.File()) {
        ZafFile &file = *persistence.File();
        std::uint8_t firstRead = 0, lastRead = 0;
        if (file.Read8(firstRead) != 1 || file.Read8(lastRead) != 1)
            file.SetError(ZafError::Read);
        if (file.Error() == 0 && firstRead <= lastRead) {
            const int count = lastRead - firstRead + 1;
            if (file.ReadBytes(table + firstRead, count) != count && file.Error() == 0)
                file.SetError(ZafError::Read);
        }
        if (file.Error() == 0) {
            first = firstRead;
            last = lastRead;
        } else {
            // A table read only in part would convert some characters.
            std::memset(table, 0, sizeof table);
            persistence.SetError(file.Error());
        }
    }
    persistence.PopLevel();
}

ZafCharLookup::~ZafCharLookup()
{
    delete[] name;
    delete[] tableName;
}

void ZafCharLookup::SetRange(unsigned char first, unsigned char last)
{
    this->first = first;
    this->last = last;
}

int ZafCharLookup::ConvertChar(unsigned char c, char *output) const
{
    const unsigned char replacement = (c >= first && c <= last) ? table[c] : 0;
    output[0] = static_cast<char>(replacement ? replacement : c);
    return 1;
}

int ZafCharLookup::ConvertCharFrom(const char *input, char *output) const
{
    return ConvertChar(static_cast<unsigned char>(*input), output);
}

std::uint32_t ZafCharLookup::Write(ZafDataPersistence &persistence) const
{
    persistence.PushLevel(className, classID, ZafDataPersistence::dataEntry);
    if (persistence.OpenLevelFile(tableName, ZafFileMode::Write) == 0 && persistence.File()) {
        ZafFile &file = *persistence.File();
        file.Write8(first);
        file.Write8(last);
        if (first <= last)
            file.WriteBytes(table + first, last - first + 1);
    }
    persistence.PopLevel();
    return persistence.Error();
}

// ---------------------------------------------------------------------------
// ZafCodeSetData

ZafCodeSetData::ZafCodeSetData(const unsigned char *isoToLocal, const unsigned char *localToIso)
    : isoToLocal(new ZafCharLookup("isoToLocal", isoToLocal)), localToIso(new ZafCharLookup("localToIso", localToIso))
{}

ZafCodeSetData::ZafCodeSetData(const ZafCodeSetData &copy)
    : ZafCodeSetDataStub(copy), staticData(copy.staticData),
      isoToLocal(copy.isoToLocal ? new ZafCharLookup(*copy.isoToLocal) : nullptr),
      localToIso(copy.localToIso ? new ZafCharLookup(*copy.localToIso) : nullptr)
{
    std::memcpy(directorySeparator, copy.directorySeparator, sizeof directorySeparator);
}

ZafCodeSetData::ZafCodeSetData(const char *name, ZafDataPersistence &persistence)
    : ZafCodeSetDataStub(name, persistence.PushLevel(className, classID, ZafDataPersistence::topLevelEntry))
{
    ZafReadLevel(*this, persistence, [this, name, &persistence](ZafFile &) {
        SetDefaultSeparator();
        isoToLocal = new ZafCharLookup(name, "isoToLocal", persistence);
        if (persistence.Error() == 0)
            localToIso = new ZafCharLookup(name, "localToIso", persistence);
    });
}

ZafCodeSetData::~ZafCodeSetData()
{
    if (zafCodeSet == this)
        zafCodeSet = nullptr;
    delete isoToLocal;
    delete localToIso;
}

ZafElement *ZafCodeSetData::New(const char *name, ZafDataPersistence &persistence)
{
    return new ZafCodeSetData(name, persistence);
}

bool ZafCodeSetData::IsClassID(ZafClassID id) const
{
    return id == classID || ZafCodeSetDataStub::IsClassID(id);
}

bool ZafCodeSetData::IsClassName(const char *name) const
{
    return ZafIsOwnClassName(name, className) || ZafCodeSetDataStub::IsClassName(name);
}

std::uint32_t ZafCodeSetData::Write(ZafDataPersistence &persistence)
{
    // The tables are files of their own, written through the persistence.
    return ZafWriteLevel<ZafData>(*this, persistence, ZafDataPersistence::topLevelEntry, [&](ZafFile &) {
        if (isoToLocal)
            isoToLocal->Write(persistence);
        if (persistence.Error() == 0 && localToIso)
            localToIso->Write(persistence);
    });
}

void ZafCodeSetData::SetDefaultSeparator()
{
    directorySeparator[0] = '\\';
    directorySeparator[1] = '\0';
}

void ZafCodeSetData::ConvertSeparatorToISO()
{
    for (char *c = directorySeparator; *c; c++)
        LocalToISOChar(c, c);
}

int ZafCodeSetData::ISOToLocalChar(unsigned char c, char *output)
{
    int count = 1;
    if (isoToLocal)
        count = isoToLocal->ConvertChar(c, output);
    else
        output[0] = static_cast<char>(c);
    output[count] = '\0';
    return count;
}

int ZafCodeSetData::LocalToISOChar(const char *input, char *output)
{
    if (!localToIso) {
        output[0] = input[0];
        return 1;
    }
    return localToIso->ConvertCharFrom(input, output);
}

char *ZafCodeSetData::Convert(const ZafCharLookup *lookup, const char *text, char *buffer, bool allocate,
                              char *staticBuffer, bool fromLocal)
{
    if (!text || !lookup)
        return CopyText(text, buffer, allocate, staticBuffer);
    const std::size_t length = std::strlen(text);
    char *output = allocate ? new char[length + 1] : buffer ? buffer : staticBuffer;
    // The static buffer takes at most 255 characters.
    const std::size_t room = (allocate || buffer) ? length : staticBufferSize - 1;
    std::size_t in = 0, out = 0;
    while (text[in] && out < room) {
        if (fromLocal) {
            const int consumed = lookup->ConvertCharFrom(text + in, output + out);
            in += consumed > 0 ? consumed : 1;
        } else
            in += lookup->ConvertChar(static_cast<unsigned char>(text[in]), output + out);
        out++;
    }
    output[out] = '\0';
    return output;
}

char *ZafCodeSetData::ISOToLocal(const char *text, char *buffer, bool allocate)
{
    return Convert(isoToLocal, text, buffer, allocate, isoToLocalBuffer, false);
}

char *ZafCodeSetData::LocalToISO(const char *text, char *buffer, bool allocate)
{
    return Convert(localToIso, text, buffer, allocate, localToIsoBuffer, true);
}

// ---------------------------------------------------------------------------
// The current code set

char *ConvertTextByCodeSet(const char *text, char *buffer, bool allocate)
{
    if (zafCodeSet)
        return zafCodeSet->ISOToLocal(text, buffer, allocate);
    return CopyText(text, buffer, allocate, byCodeSetBuffer);
}

char *ConvertTextToISO(const char *text, char *buffer, bool allocate)
{
    if (zafCodeSet)
        return zafCodeSet->LocalToISO(text, buffer, allocate);
    return CopyText(text, buffer, allocate, toIsoBuffer);
}

const char *GetDirectorySeparator()
{
    return zafCodeSet ? zafCodeSet->DirectorySeparator() : "\\";
}

void DeleteCodeSet(std::uint8_t flag)
{
    if (flag && zafCodeSet && zafCodeSet->Destroyable() && zafCodeSet->NotificationCount() == 0)
        delete zafCodeSet; // the destructor clears the global
}

namespace {
// The named code set from the data manager, which then owns it; null when
// it has none.
ZafCodeSetData *FindCodeSet(const char *name)
{
    ZafData *found = GetI18nData(name, ZafCodeSetData::className);
    return (found && found->IsClassID(ZafCodeSetData::classID)) ? static_cast<ZafCodeSetData *>(found) : nullptr;
}
} // namespace

namespace {
char *ConvertForOS(const char *text)
{
    return ConvertTextByCodeSet(text, nullptr, true);
}
} // namespace

namespace {
// A code set that becomes current keeps the directory separator in its ISO
// form, so that paths from Windows and ZafDirectorySeparator agree.
void TakeSeparatorToISO(ZafCodeSetData &codeSet)
{
    codeSet.SetDefaultSeparator();
    codeSet.ConvertSeparatorToISO();
}
} // namespace

void InitializeCodeSet(const char *name)
{
    if (zafCodeSet)
        return;
    // Files opened through the core's ZafOpenFile get their names converted.
    SetOSTextConverter(ConvertForOS);
    RegisterStaticCleanup(DeleteCodeSet, nullptr, 0);
    if (name && CompareTextNoCase(name, ZafCodeSetData::builtInName) == 0) {
        zafCodeSet = new ZafCodeSetData();
        zafCodeSet->SetStringID(ZafCodeSetData::builtInName);
        return;
    }
    std::uint32_t error = 0;
    if (name) {
        zafCodeSet = FindCodeSet(name);
        if (zafCodeSet)
            UnregisterStaticCleanup(DeleteCodeSet, nullptr);
        else
            error = ZafTakePersistenceError(zafDataPersistence);
    }
    if (!zafCodeSet) {
        zafCodeSet = new ZafCodeSetData();
        zafCodeSet->SetStringID(ZafCodeSetData::builtInName);
    }
    TakeSeparatorToISO(*zafCodeSet);
    zafCodeSet->SetError(error);
}

int SetCodeSet(const char *name)
{
    InitializeCodeSet(name);
    if (zafCodeSet && name && *name && ZafStringCompare(name, zafCodeSet->StringID()) == 0)
        return 0;
    ZafCodeSetData *found = nullptr;
    if (name && *name) {
        if (CompareTextNoCase(name, ZafCodeSetData::builtInName) == 0) {
            // The built-in code set needs no file: the i18n file does not
            // hold it, so asking the file would refuse the way back to it
            // and keep the other code set.
            found = new ZafCodeSetData();
            found->SetStringID(ZafCodeSetData::builtInName);
        } else
            found = FindCodeSet(name);
    }
    if (found && zafCodeSet) {
        if (found != zafCodeSet) {
            DeleteCodeSet(1);
            zafCodeSet = found;
            TakeSeparatorToISO(*zafCodeSet);
        }
        UnregisterStaticCleanup(DeleteCodeSet, nullptr);
        if (CompareTextNoCase(name, ZafCodeSetData::builtInName) == 0)
            RegisterStaticCleanup(DeleteCodeSet, nullptr, 0);
        return 0;
    }
    if (!found && zafDataPersistence)
        zafDataPersistence->SetError(0);
    if (name && *name && !found) {
        if (zafCodeSet)
            zafCodeSet->SetError(ZafError::InvalidText);
        return 1;
    }
    return 0;
}
