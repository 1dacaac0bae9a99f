// ZafStorage: a UI data file (".znc") served as a file system. The file holds
// a tree of named directories and objects, each object a byte stream; the
// storage reads the whole tree into memory when it opens, and an object
// opened through it is a ZafStorageFile holding all of its bytes.
//
// File layout (integers little-endian): a 64-byte title block, u8 major
// version 5, u8 minor version, u16 magic 0x05AF, u32 directory position, the
// objects' bytes, and at the directory position the root's name followed by
// the root's entry record. An entry record is: string id, u16 object id, u32
// data position, u32 data size, u16 flags (bit 0 directory), then each child
// as its name and its entry record, ended by an empty name.
//
// Paths: components separated by '~'; a leading '~' starts at the root, any
// other path at the current directory; "." and ".." as usual; a component
// names the first child of exactly that name (case counts). Only FindFirst
// and FindNext take patterns ('*' and '?') in their last component: a name
// read as a pattern would enter or remove a sibling (a child "Q*" would
// replace "Q1"). Names that are not ZafIsStoredName are never made. Paths
// are at most 255 characters.
//
// A storage opened writeable (flag 2) keeps changed objects in a temporary
// file "ZTMP<n>.$$$" beside the UI data file, which ends with the storage.
// Save writes the whole tree into a new UI data file and puts it in place of
// the old one only when all of it was written. Only the tree in memory
// changes otherwise: the UI data file itself is never written in place.
//
// The caller owns the storage. Files opened through it must be closed
// through it before it is deleted. The error word keeps the last failure
// (ZafError codes); after construction 0 means usable.
#pragma once

#include <cstdint>
#include <vector>

#include "zaf/core/ZafList.h"
#include "zaf/data/ZafDiskFile.h"
#include "zaf/data/ZafFileSystem.h"

class ZafStorageFile;

// One node of a storage's tree: a directory or an object. The number id is
// the entry's object id, the string id its string id (the class name for an
// object's directory and for a data object). An entry owns its children.
class ZafDirectoryElement : public ZafElement
{
    friend class ZafStorage;

public:
    static constexpr std::uint16_t directoryFlag = 0x0001;
    // Deepest tree a UI data file may hold below its root.
    static constexpr int maxDepth = 64;

    // An entry made in memory: no data (position -1, size 0).
    ZafDirectoryElement(const char *name, std::uint16_t flags, const char *stringID = nullptr,
                        ZafNumberID objectID = 0);
    ~ZafDirectoryElement() override;

    // Reads the entry record at the file's position and, recursively, its
    // children; the entry takes the name. Returns 0, or 16 when the record is
    // cut short, nests deeper than maxDepth, or names data outside the file;
    // the entry then holds what was read so far.
    std::uint32_t ReadFrom(const char *name, ZafFile &file);

    // The first child matching the name pattern, and, when given, the string
    // id (exactly) and a non-zero object id; null when none does.
    ZafDirectoryElement *FindChild(const char *pattern, const char *stringID = nullptr, ZafNumberID objectID = 0) const;
    // The next sibling after this entry that matches; null when none does.
    ZafDirectoryElement *FindNextMatch(const char *pattern, const char *stringID = nullptr,
                                       ZafNumberID objectID = 0) const;
    // The first child named exactly name that matches the ids as above.
    ZafDirectoryElement *FindNamedChild(const char *name, const char *stringID = nullptr,
                                        ZafNumberID objectID = 0) const;
    bool Matches(const char *pattern, const char *stringID, ZafNumberID objectID) const;
    bool MatchesIDs(const char *stringID, ZafNumberID objectID) const;
    // Appends the entry to the children and becomes its parent.
    ZafDirectoryElement *AddChild(ZafDirectoryElement *entry);

    const char *Name() const { return name; }
    std::uint16_t Flags() const { return flags; }
    bool IsDirectory() const { return (flags & directoryFlag) != 0; }
    ZafFile *DataFile() const { return dataFile; }
    int DataPosition() const { return dataPosition; }
    int DataSize() const { return dataSize; }
    ZafDirectoryElement *Parent() const { return parent; }
    ZafDirectoryElement *FirstChild() const { return static_cast<ZafDirectoryElement *>(children.First()); }
    ZafDirectoryElement *NextSibling() const { return static_cast<ZafDirectoryElement *>(Next()); }
    int ChildCount() const { return children.Count(); }

private:
    std::uint32_t ReadRecord(ZafFile &file, long long fileLength, int depth);
    // Unlinks the entry from its parent (it is not deleted).
    void Detach();

    char *name = nullptr;
    ZafFile *dataFile = nullptr;
    int dataPosition = -1;
    int dataSize = 0;
    std::uint16_t flags = 0;
    ZafDirectoryElement *parent = nullptr;
    ZafList children;
};

class ZafStorage : public ZafFileSystem
{
public:
    // Construction flags; CreateTree and CreateMissing each imply Writeable.
    static constexpr std::uint16_t Read = 0x01;
    static constexpr std::uint16_t Writeable = 0x02;
    static constexpr std::uint16_t CreateTree = 0x04;    // start with an empty tree
    static constexpr std::uint16_t CreateMissing = 0x08; // empty tree when the file is missing

    // A name without '.' in its last component gets ".znc". Always yields an
    // object: Error() tells whether it is usable (0 = yes). A file that cannot
    // be used leaves an empty tree whose root is "~".
    ZafStorage(const char *name, std::uint16_t flags);
    ~ZafStorage() override;
    ZafStorage(const ZafStorage &) = delete;
    ZafStorage &operator=(const ZafStorage &) = delete;

    // -1 with error 2 when the path does not resolve, error 8 when a given
    // string id or non-zero object id differs from the entry's.
    int ChDir(const char *path, const char *stringID = nullptr, ZafNumberID objectID = 0) override;
    // -1 when nothing (more) matches; error 16 when the pattern's directory
    // does not resolve (or, for FindNext, is not the record's directory).
    int FindFirst(ZafFileInfo &info, const char *pattern, const char *stringID = nullptr,
                  ZafNumberID objectID = 0) override;
    int FindNext(ZafFileInfo &info, const char *pattern, const char *stringID = nullptr,
                 ZafNumberID objectID = 0) override;
    int FindClose(ZafFileInfo &info) override;
    int GetCWD(char *buffer, int size) override;
    int MkDir(const char *path, const char *stringID = nullptr, ZafNumberID objectID = 0) override;
    int RmDir(const char *path, bool recursive = false) override;
    // Writes a modified object to the temporary file and deletes the file
    // object. Without a temporary file the changes are dropped (error 17).
    int Close(ZafFile *file) override;
    // Mode 1 reads an object, 4 replaces it, 8 creates it when missing. Null
    // when the directory does not resolve, the entry is a directory, the
    // object is missing in mode 1, or a missing object's name is not
    // ZafIsStoredName (error 2). A storage that is not writeable refuses 4
    // and 8 with a file (and storage) error 2, leaving its tree unchanged.
    ZafFile *Open(const char *path, std::uint16_t mode, const char *stringID = nullptr,
                  ZafNumberID objectID = 0) override;
    // 0, or 2 when the path names no object.
    int Remove(const char *path) override;
    // 0, or 2 when a directory does not resolve, the old entry is missing,
    // the new name names another entry or is not ZafIsStoredName, or a
    // directory would move into itself.
    int Rename(const char *oldPath, const char *newPath, const char *stringID = nullptr,
               ZafNumberID objectID = 0) override;

    ZafDirectoryElement *ResolvePath(const char *path) const;
    // The directory that would hold the path's last component (null when it
    // does not resolve); *component points at that component inside path.
    ZafDirectoryElement *SplitDirectory(const char *path, const char **component) const;

    // Writes the header, every object's bytes and the tree into a new file
    // and puts it in place of the UI data file. Returns 0; on failure the old
    // file stays as it was, and the code (2 not writeable, 14 file not made
    // or not replaced, 16 object bytes unreadable, 17 write came short) is
    // returned and kept in the error word.
    std::uint32_t Save();

    std::uint16_t Flags() const { return flags; }
    std::uint16_t Version() const { return version; }
    const char *FileName() const { return fileName; }
    const char *TempFileName() const { return tempName; }
    ZafDirectoryElement *Root() const { return root; }
    ZafDirectoryElement *CurrentDirectory() const { return current; }

private:
    void OpenExisting();
    void MakeEmptyTree();
    void MakeTempFile();
    std::uint32_t Fail(std::uint32_t code);
    void DeleteEntry(ZafDirectoryElement *entry);
    bool ReadEntryData(ZafDirectoryElement *entry, unsigned char *buffer);
    std::uint32_t WriteNewFile(const char *newName, std::vector<ZafDirectoryElement *> &entries,
                               std::vector<int> &positions, int &length);

    std::uint16_t flags = 0;
    std::uint16_t version = 0;
    ZafDiskFile *uiFile = nullptr;
    ZafDiskFile *tempFile = nullptr;
    ZafDiskFileSystem disk;
    bool opened = false; // the tree came from the file or was made new
    char fileName[ZafMaxPath] = "";
    char tempName[ZafMaxPath] = "";
    ZafDirectoryElement *current = nullptr;
    ZafDirectoryElement *root = nullptr;
    std::vector<ZafStorageFile *> openFiles;
};
