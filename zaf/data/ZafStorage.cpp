#include "zaf/data/ZafStorage.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "zaf/core/ZafText.h"
#include "zaf/data/ZafPath.h"
#include "zaf/data/ZafStorageFile.h"

namespace {
constexpr std::uint16_t magicNumber = 0x05AF;
constexpr std::uint8_t majorVersion = 5;
constexpr std::uint16_t newVersion = 0x0501;
constexpr int titleSize = 64;
constexpr int headerSize = 72;
const char titleText[] = "Duru Data File Version 5.1";

bool IsInside(const ZafDirectoryElement *entry, const ZafDirectoryElement *ancestor)
{
    for (; entry; entry = entry->Parent())
        if (entry == ancestor)
            return true;
    return false;
}
} // namespace

// ---------------------------------------------------------------------------
// ZafDirectoryElement

ZafDirectoryElement::ZafDirectoryElement(const char *entryName, std::uint16_t entryFlags, const char *stringID,
                                         ZafNumberID objectID)
    : name(DuplicateLibraryString(entryName)), flags(entryFlags)
{
    SetStringID(stringID);
    SetNumberID(objectID);
}

ZafDirectoryElement::~ZafDirectoryElement()
{
    delete[] name;
}

std::uint32_t ZafDirectoryElement::ReadFrom(const char *entryName, ZafFile &file)
{
    char *copy = DuplicateLibraryString(entryName);
    delete[] name;
    name = copy;
    return ReadRecord(file, file.Length(), 0);
}

std::uint32_t ZafDirectoryElement::ReadRecord(ZafFile &file, long long fileLength, int depth)
{
    char *id = nullptr;
    if (file.ReadString(&id) < 2)
        return ZafError::Read;
    SetStringID(id);
    delete[] id;
    std::uint16_t objectID = 0;
    std::uint32_t position = 0;
    std::uint32_t size = 0;
    const int moved = file.Read16(objectID) + file.Read32(position) + file.Read32(size) + file.Read16(flags);
    if (moved != 12 || file.Error() != 0)
        return ZafError::Read;
    SetNumberID(objectID);
    dataFile = &file;
    dataPosition = static_cast<std::int32_t>(position);
    dataSize = static_cast<std::int32_t>(size);
    // Data must lie inside the file: a size read from a damaged file must
    // never size an allocation.
    if (size != 0 &&
        (size > 0x7FFFFFFFu || position > 0x7FFFFFFFu || static_cast<long long>(position) + size > fileLength))
        return ZafError::Read;
    for (;;) {
        char *childName = nullptr;
        if (file.ReadString(&childName) < 2 || file.Error() != 0) {
            delete[] childName;
            return ZafError::Read;
        }
        if (!childName)
            return 0;
        if (depth >= maxDepth) {
            delete[] childName;
            return ZafError::Read;
        }
        ZafDirectoryElement *child = AddChild(new ZafDirectoryElement(nullptr, 0));
        child->name = childName;
        const std::uint32_t result = child->ReadRecord(file, fileLength, depth + 1);
        if (result != 0)
            return result;
    }
}

bool ZafDirectoryElement::Matches(const char *pattern, const char *stringID, ZafNumberID objectID) const
{
    if (!pattern || !name || ZafWildcardMatch(name, pattern) != 0)
        return false;
    return MatchesIDs(stringID, objectID);
}

bool ZafDirectoryElement::MatchesIDs(const char *stringID, ZafNumberID objectID) const
{
    if (stringID && (!StringID() || std::strcmp(stringID, StringID()) != 0))
        return false;
    return objectID == 0 || objectID == NumberID();
}

ZafDirectoryElement *ZafDirectoryElement::FindNamedChild(const char *childName, const char *stringID,
                                                         ZafNumberID objectID) const
{
    if (!childName)
        return nullptr;
    for (ZafDirectoryElement *child = FirstChild(); child; child = child->NextSibling())
        if (child->name && std::strcmp(child->name, childName) == 0 && child->MatchesIDs(stringID, objectID))
            return child;
    return nullptr;
}

ZafDirectoryElement *ZafDirectoryElement::FindChild(const char *pattern, const char *stringID,
                                                    ZafNumberID objectID) const
{
    for (ZafDirectoryElement *child = FirstChild(); child; child = child->NextSibling())
        if (child->Matches(pattern, stringID, objectID))
            return child;
    return nullptr;
}

ZafDirectoryElement *ZafDirectoryElement::FindNextMatch(const char *pattern, const char *stringID,
                                                        ZafNumberID objectID) const
{
    for (ZafDirectoryElement *sibling = NextSibling(); sibling; sibling = sibling->NextSibling())
        if (sibling->Matches(pattern, stringID, objectID))
            return sibling;
    return nullptr;
}

ZafDirectoryElement *ZafDirectoryElement::AddChild(ZafDirectoryElement *entry)
{
    children.Add(entry);
    entry->parent = this;
    return entry;
}

void ZafDirectoryElement::Detach()
{
    if (parent)
        parent->children.Subtract(this);
    parent = nullptr;
}

// ---------------------------------------------------------------------------
// ZafStorage: opening and closing

ZafStorage::ZafStorage(const char *name, std::uint16_t storageFlags) : flags(storageFlags)
{
    if (flags & (CreateTree | CreateMissing))
        flags |= Writeable;
    const std::size_t length = name ? std::strlen(name) : 0;
    if (length == 0) {
        Fail(ZafError::NotFound);
        return;
    }
    std::string text(name);
    const std::size_t dot = text.rfind('.');
    const std::size_t separator = text.rfind(ZafDirectorySeparator());
    if (dot == std::string::npos || (separator != std::string::npos && dot < separator))
        text += ".znc";
    // The name must fit the name buffer whole: a cut name opens another file.
    if (text.size() >= sizeof fileName) {
        Fail(ZafError::Open);
        return;
    }
    std::strcpy(fileName, text.c_str());
    char part[ZafMaxPath];
    SplitPath(fileName, nullptr, part);
    SetStringID(part);

    if (flags & CreateTree) {
        MakeEmptyTree();
        version = newVersion;
    } else {
        OpenExisting();
        if (error != 0)
            return;
    }
    opened = true;
    if (flags & Writeable)
        MakeTempFile();
    current = root;
}

// Opens the UI data file and reads its header and tree; on failure the
// storage ends with an empty tree and the error word set.
void ZafStorage::OpenExisting()
{
    const std::uint16_t mode = ((flags & Writeable) ? ZafFileMode::ReadWrite : ZafFileMode::Read) | ZafFileMode::Binary;
    uiFile = new ZafDiskFile(fileName, mode);
    if (uiFile->Error() != 0) {
        std::uint32_t code = uiFile->Error();
        delete uiFile;
        uiFile = nullptr;
        if (!(flags & CreateMissing)) {
            Fail(code);
            return;
        }
        // A missing file may be made: check that it can be, then start empty.
        bool created = false;
        {
            ZafDiskFile probe(fileName, ZafFileMode::Write | ZafFileMode::Binary);
            code = probe.Error();
            created = probe.IsOpen();
        }
        if (created)
            disk.Remove(fileName);
        if (code != 0) {
            Fail(code);
            return;
        }
        MakeEmptyTree();
        version = newVersion;
        return;
    }
    unsigned char title[titleSize];
    std::uint8_t major = 0;
    std::uint8_t minor = 0;
    std::uint16_t magic = 0;
    std::uint32_t directoryPosition = 0;
    uiFile->ReadBytes(title, titleSize);
    uiFile->Read8(major);
    uiFile->Read8(minor);
    uiFile->Read16(magic);
    version = static_cast<std::uint16_t>(major << 8 | minor);
    if (magic != magicNumber || major != majorVersion) {
        Fail(ZafError::Header);
        return;
    }
    const int fileLength = uiFile->Length();
    if (uiFile->Read32(directoryPosition) != 4 || directoryPosition < static_cast<std::uint32_t>(headerSize) ||
        directoryPosition >= static_cast<std::uint32_t>(fileLength) ||
        uiFile->Seek(static_cast<int>(directoryPosition), 0) != 0) {
        Fail(ZafError::Read);
        return;
    }
    char *rootName = nullptr;
    uiFile->ReadString(&rootName);
    root = new ZafDirectoryElement(nullptr, ZafDirectoryElement::directoryFlag);
    // Read errors inside the tree are the storage's: a cut or damaged file
    // does not open.
    const std::uint32_t code = root->ReadFrom(rootName ? rootName : "~", *uiFile);
    delete[] rootName;
    if (code != 0 || uiFile->Error() != 0)
        Fail(code != 0 ? code : uiFile->Error());
}

void ZafStorage::MakeEmptyTree()
{
    delete root;
    root = new ZafDirectoryElement("~", ZafDirectoryElement::directoryFlag);
    current = root;
}

// The storage does without its file: empty tree, no files, error set.
std::uint32_t ZafStorage::Fail(std::uint32_t code)
{
    delete uiFile;
    uiFile = nullptr;
    MakeEmptyTree();
    return error = code;
}

void ZafStorage::MakeTempFile()
{
    char directory[ZafMaxPath];
    SplitPath(fileName, directory, nullptr);
    if (!directory[0] && disk.GetCWD(directory, sizeof directory) != 0)
        directory[0] = '\0';
    std::strcpy(tempName, directory);
    if (!MakeTempName(tempName)) {
        tempName[0] = '\0';
        error = ZafError::Open;
        return;
    }
    tempFile = new ZafDiskFile(tempName, ZafFileMode::Write | ZafFileMode::Binary);
    if (tempFile->Error() != 0) {
        error = tempFile->Error();
        delete tempFile;
        tempFile = nullptr;
        tempName[0] = '\0';
    }
}

ZafStorage::~ZafStorage()
{
    for (ZafStorageFile *file : openFiles)
        file->SetDirectoryEntry(nullptr);
    delete uiFile;
    if (tempFile) {
        delete tempFile;
        disk.Remove(tempName);
    }
    delete root;
}

// ---------------------------------------------------------------------------
// ZafStorage: paths

ZafDirectoryElement *ZafStorage::ResolvePath(const char *path) const
{
    if (!path || std::strlen(path) >= static_cast<std::size_t>(ZafMaxPath))
        return nullptr;
    ZafDirectoryElement *entry = current;
    const char *p = path;
    if (*p == '~') {
        entry = root;
        p++;
    }
    while (*p && entry) {
        const char *end = std::strchr(p, '~');
        const std::string component(p, end ? end - p : std::strlen(p));
        if (component == "..")
            entry = entry->Parent();
        else if (!component.empty() && component != ".")
            entry = entry->FindNamedChild(component.c_str());
        if (!end)
            break;
        p = end + 1;
    }
    return entry;
}

ZafDirectoryElement *ZafStorage::SplitDirectory(const char *path, const char **component) const
{
    *component = path ? path : "";
    if (!path || std::strlen(path) >= static_cast<std::size_t>(ZafMaxPath))
        return nullptr;
    const char *cut = std::strrchr(path, '~');
    if (!cut)
        return current;
    *component = cut + 1;
    if (cut == path)
        return root;
    return ResolvePath(std::string(path, cut - path).c_str());
}

int ZafStorage::GetCWD(char *buffer, int size)
{
    if (!buffer || size <= 0)
        return -1;
    buffer[0] = '\0';
    std::string text;
    for (const ZafDirectoryElement *entry = current; entry && entry != root; entry = entry->Parent())
        text = std::string("~") + (entry->Name() ? entry->Name() : "") + text;
    if (text.empty())
        text = "~";
    // A cut path would name another directory: refuse instead.
    if (text.size() >= static_cast<std::size_t>(ZafMaxPath) || text.size() >= static_cast<std::size_t>(size))
        return -1;
    std::strcpy(buffer, text.c_str());
    return 0;
}

// ---------------------------------------------------------------------------
// ZafStorage: directories and search

int ZafStorage::ChDir(const char *path, const char *stringID, ZafNumberID objectID)
{
    ZafDirectoryElement *entry = ResolvePath(path);
    if (!entry) {
        error = ZafError::NotFound;
        return -1;
    }
    if ((stringID && (!entry->StringID() || std::strcmp(stringID, entry->StringID()) != 0)) ||
        (objectID != 0 && objectID != entry->NumberID())) {
        error = ZafError::IdMismatch;
        return -1;
    }
    current = entry;
    return 0;
}

namespace {
int FillInfo(ZafFileInfo &info, ZafDirectoryElement *entry)
{
    info.searchState = entry;
    if (!entry)
        return -1;
    info.SetName(entry->Name());
    info.SetStringID(entry->StringID());
    info.objectID = entry->NumberID();
    info.size = entry->DataSize();
    info.attributes = entry->IsDirectory() ? ZafFileInfo::directory : 0;
    return 0;
}
} // namespace

int ZafStorage::FindFirst(ZafFileInfo &info, const char *pattern, const char *stringID, ZafNumberID objectID)
{
    const char *component = nullptr;
    ZafDirectoryElement *directory = SplitDirectory(pattern, &component);
    info.Clear();
    info.searchState = nullptr;
    if (!directory) {
        error = ZafError::Read;
        return -1;
    }
    return FillInfo(info, directory->FindChild(component, stringID, objectID));
}

int ZafStorage::FindNext(ZafFileInfo &info, const char *pattern, const char *stringID, ZafNumberID objectID)
{
    const char *component = nullptr;
    ZafDirectoryElement *directory = SplitDirectory(pattern, &component);
    // The entry found last may have been removed since (Remove, RmDir, or an
    // open for writing that replaces it): look for it among the directory's
    // children by address before reading it.
    ZafDirectoryElement *previous = nullptr;
    if (directory)
        for (ZafDirectoryElement *child = directory->FirstChild(); child && !previous; child = child->NextSibling())
            if (child == info.searchState)
                previous = child;
    if (!previous) {
        error = ZafError::Read;
        return -1;
    }
    return FillInfo(info, previous->FindNextMatch(component, stringID, objectID));
}

int ZafStorage::FindClose(ZafFileInfo &info)
{
    info.searchState = nullptr;
    return 0;
}

int ZafStorage::MkDir(const char *path, const char *stringID, ZafNumberID objectID)
{
    const char *component = nullptr;
    ZafDirectoryElement *directory = SplitDirectory(path, &component);
    if (!directory || !ZafIsStoredName(component) || directory->FindNamedChild(component))
        return -1;
    directory->AddChild(new ZafDirectoryElement(component, ZafDirectoryElement::directoryFlag, stringID, objectID));
    return 0;
}

int ZafStorage::RmDir(const char *path, bool recursive)
{
    ZafDirectoryElement *entry = ResolvePath(path);
    if (!entry || entry == root)
        return -1;
    if (!recursive && (entry->ChildCount() > 0 || entry == current))
        return -1;
    if (recursive && IsInside(current, entry))
        return -1;
    DeleteEntry(entry);
    return 0;
}

// Takes the entry out of the tree and deletes it with its subtree; files
// still open on any of those entries lose their entry.
void ZafStorage::DeleteEntry(ZafDirectoryElement *entry)
{
    for (ZafStorageFile *file : openFiles)
        if (IsInside(file->DirectoryEntry(), entry))
            file->SetDirectoryEntry(nullptr);
    entry->Detach();
    delete entry;
}

int ZafStorage::Remove(const char *path)
{
    const char *component = nullptr;
    ZafDirectoryElement *directory = SplitDirectory(path, &component);
    ZafDirectoryElement *entry = directory ? directory->FindNamedChild(component) : nullptr;
    if (!entry || entry->IsDirectory())
        return ZafError::NotFound;
    DeleteEntry(entry);
    return 0;
}

int ZafStorage::Rename(const char *oldPath, const char *newPath, const char *stringID, ZafNumberID objectID)
{
    const char *oldComponent = nullptr;
    const char *newComponent = nullptr;
    ZafDirectoryElement *oldDirectory = SplitDirectory(oldPath, &oldComponent);
    ZafDirectoryElement *newDirectory = SplitDirectory(newPath, &newComponent);
    if (!oldDirectory || !newDirectory || !ZafIsStoredName(newComponent))
        return ZafError::NotFound;
    ZafDirectoryElement *entry = oldDirectory->FindNamedChild(oldComponent);
    if (!entry || entry == root)
        return ZafError::NotFound;
    ZafDirectoryElement *existing = newDirectory->FindNamedChild(newComponent);
    if (existing && existing != entry)
        return ZafError::NotFound;
    if (!existing) {
        // A directory moved below itself would leave the tree.
        if (IsInside(newDirectory, entry))
            return ZafError::NotFound;
        entry->Detach();
        char *copy = DuplicateLibraryString(newComponent);
        delete[] entry->name;
        entry->name = copy;
        newDirectory->AddChild(entry);
    }
    if (stringID)
        entry->SetStringID(stringID);
    if (objectID != 0)
        entry->SetNumberID(objectID);
    return 0;
}

// ---------------------------------------------------------------------------
// ZafStorage: objects

// Reads an entry's bytes (exactly its size) into buffer.
bool ZafStorage::ReadEntryData(ZafDirectoryElement *entry, unsigned char *buffer)
{
    ZafFile *file = entry->DataFile();
    if (!file || file->Seek(entry->DataPosition(), 0) != 0)
        return false;
    return file->ReadBytes(buffer, entry->DataSize()) == entry->DataSize();
}

ZafFile *ZafStorage::Open(const char *path, std::uint16_t mode, const char *stringID, ZafNumberID objectID)
{
    const char *component = nullptr;
    ZafDirectoryElement *directory = SplitDirectory(path, &component);
    if (!directory || !*component)
        return nullptr;
    ZafDirectoryElement *entry = directory->FindNamedChild(component, stringID, objectID);
    if (entry && entry->IsDirectory())
        return nullptr;
    const bool replace = (mode & ZafFileMode::Create) != 0;
    const bool create = replace || (mode & ZafFileMode::Append) != 0;
    if (!entry && !create)
        return nullptr;
    if (!entry && !ZafIsStoredName(component)) {
        error = ZafError::NotFound;
        return nullptr;
    }
    // A storage that is not writeable refuses before it changes anything (the
    // entry to be replaced stays).
    if (!(flags & Writeable) && (replace || !entry)) {
        ZafStorageFile *refused = new ZafStorageFile(mode);
        refused->SetError(ZafError::NotFound);
        error = ZafError::NotFound;
        openFiles.push_back(refused);
        return refused;
    }
    if (entry && replace) {
        DeleteEntry(entry);
        entry = nullptr;
    }
    if (!entry)
        entry = directory->AddChild(new ZafDirectoryElement(component, 0, stringID, objectID));

    ZafStorageFile *file = nullptr;
    if (entry->DataSize() < 1)
        file = new ZafStorageFile(mode);
    else {
        std::unique_ptr<unsigned char[]> buffer(new unsigned char[entry->DataSize()]);
        if (ReadEntryData(entry, buffer.get()))
            file = new ZafStorageFile(mode, buffer.release(), entry->DataSize());
        else {
            file = new ZafStorageFile(mode);
            file->SetError(ZafError::Read);
        }
    }
    file->SetDirectoryEntry(entry);
    if (file->Error() != 0)
        error = file->Error();
    openFiles.push_back(file);
    return file;
}

int ZafStorage::Close(ZafFile *file)
{
    ZafStorageFile *storageFile = dynamic_cast<ZafStorageFile *>(file);
    const auto found = std::find(openFiles.begin(), openFiles.end(), storageFile);
    if (!storageFile || found == openFiles.end())
        return -1;
    openFiles.erase(found);
    int result = 0;
    ZafDirectoryElement *entry = storageFile->DirectoryEntry();
    if (storageFile->IsModified()) {
        if (!tempFile) {
            // Nowhere to keep the bytes: the change is dropped and reported.
            error = ZafError::Write;
            result = -1;
        } else if (entry) {
            const int length = storageFile->Length();
            tempFile->Seek(0, 2);
            const int position = tempFile->Tell();
            const int written = tempFile->WriteBytes(storageFile->Buffer(), length);
            if (position < 0 || written != length || tempFile->Error() != 0) {
                error = tempFile->Error();
                if (error == 0)
                    error = ZafError::Write;
                result = -1;
            } else {
                entry->dataFile = tempFile;
                entry->dataPosition = position;
                entry->dataSize = length;
            }
        }
    }
    delete storageFile;
    return result;
}

// ---------------------------------------------------------------------------
// ZafStorage: saving

namespace {
void CollectEntries(ZafDirectoryElement *entry, std::vector<ZafDirectoryElement *> &entries)
{
    entries.push_back(entry);
    for (ZafDirectoryElement *child = entry->FirstChild(); child; child = child->NextSibling())
        CollectEntries(child, entries);
}

// Writes an entry record and its children; positions[i] belongs to the i-th
// entry in tree order, which next counts through.
void WriteRecord(ZafFile &file, ZafDirectoryElement *entry, const std::vector<int> &positions, std::size_t &next)
{
    const int position = positions[next++];
    file.WriteString(entry->StringID());
    file.Write16(static_cast<std::uint16_t>(entry->NumberID()));
    file.Write32(static_cast<std::uint32_t>(entry->DataSize() > 0 ? position : 0));
    file.Write32(static_cast<std::uint32_t>(entry->DataSize() > 0 ? entry->DataSize() : 0));
    file.Write16(entry->Flags());
    for (ZafDirectoryElement *child = entry->FirstChild(); child; child = child->NextSibling()) {
        file.WriteString(child->Name());
        WriteRecord(file, child, positions, next);
    }
    file.WriteString(nullptr);
}
} // namespace

// Writes the complete file under newName; entries and positions receive the
// tree in order and where each entry's bytes now lie, length the file's
// length. Returns 0 or the failure's code.
std::uint32_t ZafStorage::WriteNewFile(const char *newName, std::vector<ZafDirectoryElement *> &entries,
                                       std::vector<int> &positions, int &length)
{
    CollectEntries(root, entries);
    ZafDiskFile file(newName, ZafFileMode::Write | ZafFileMode::Binary);
    if (file.Error() != 0)
        return ZafError::Open;
    unsigned char title[titleSize] = {};
    std::memcpy(title, titleText, sizeof titleText - 1);
    title[sizeof titleText - 1] = 0x1A;
    int header = file.WriteBytes(title, titleSize);
    header += file.Write8(static_cast<std::uint8_t>(version >> 8));
    header += file.Write8(static_cast<std::uint8_t>(version & 0xFF));
    header += file.Write16(magicNumber);
    header += file.Write32(static_cast<std::uint32_t>(0));
    if (header != headerSize)
        return ZafError::Write;
    for (ZafDirectoryElement *entry : entries) {
        positions.push_back(file.Tell());
        if (entry->DataSize() < 1)
            continue;
        std::unique_ptr<unsigned char[]> buffer(new unsigned char[entry->DataSize()]);
        if (!ReadEntryData(entry, buffer.get()))
            return ZafError::Read;
        if (file.WriteBytes(buffer.get(), entry->DataSize()) != entry->DataSize())
            return ZafError::Write;
    }
    const int directoryPosition = file.Tell();
    file.WriteString(root->Name());
    std::size_t next = 0;
    WriteRecord(file, root, positions, next);
    length = file.Tell();
    if (file.Seek(headerSize - 4, 0) != 0 || file.Write32(static_cast<std::uint32_t>(directoryPosition)) != 4 ||
        file.Error() != 0 || directoryPosition < headerSize)
        return ZafError::Write;
    return 0;
}

std::uint32_t ZafStorage::Save()
{
    if (!(flags & Writeable) || !opened)
        return error = ZafError::NotFound;
    char newName[ZafMaxPath];
    SplitPath(fileName, newName, nullptr);
    if (!newName[0] && disk.GetCWD(newName, sizeof newName) != 0)
        return error = ZafError::Open;
    if (!MakeTempName(newName))
        return error = ZafError::Open;

    std::vector<ZafDirectoryElement *> entries;
    std::vector<int> positions;
    int length = 0;
    std::uint32_t code = WriteNewFile(newName, entries, positions, length);
    if (code == 0) {
        // Buffered bytes reach the disk only when the stream closes: the new
        // file counts as written when it reads back at its full length.
        ZafDiskFile check(newName, ZafFileMode::Read | ZafFileMode::Binary);
        if (check.Error() != 0 || check.Length() != length)
            code = ZafError::Write;
    }
    if (code != 0) {
        disk.Remove(newName);
        return error = code;
    }

    // Windows refuses to replace a file that is open: close ours first and
    // open whichever file stands afterwards.
    std::vector<bool> inOldFile(entries.size());
    for (std::size_t i = 0; i < entries.size(); i++)
        inOldFile[i] = uiFile && entries[i]->dataFile == uiFile;
    const bool hadFile = uiFile != nullptr;
    delete uiFile;
    uiFile = nullptr;
    const bool replaced = MoveFileExA(newName, fileName, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!replaced)
        disk.Remove(newName);
    if (replaced || hadFile) {
        uiFile = new ZafDiskFile(fileName, ZafFileMode::ReadWrite | ZafFileMode::Binary);
        if (uiFile->Error() != 0) {
            delete uiFile;
            uiFile = nullptr;
        }
    }
    for (std::size_t i = 0; i < entries.size(); i++) {
        ZafDirectoryElement *entry = entries[i];
        if (replaced) {
            entry->dataFile = entry->DataSize() > 0 ? uiFile : nullptr;
            entry->dataPosition = entry->DataSize() > 0 ? positions[i] : -1;
        } else if (inOldFile[i])
            entry->dataFile = uiFile;
    }
    if (!replaced || !uiFile)
        return error = ZafError::Open;
    return 0;
}
