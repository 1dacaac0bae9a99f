// ZafPath: the search path along which a disk file given by a bare name is
// looked for ("cwd", then "pwd" = the program's directory, then each
// directory of the environment variable "ZAF_PATH"), and the free functions
// that build and take apart paths.
//
// The application makes one search path at start-up and keeps it in
// zafSearchPath (it owns it; null until then); ZafDiskFile reads it. A path
// owns its ZafPathElement objects (it is a ZafList).
//
// Paths are texts of at most ZafMaxPath - 1 characters; every output buffer
// of the functions below must hold ZafMaxPath bytes. The directory separator
// is ZafDirectorySeparator(): the current code set's, '\' by default. A storage
// path "file.znc~dir~object" addresses an object inside a UI data file.
#pragma once

#include "zaf/core/ZafList.h"
#include "zaf/data/ZafFileSystem.h"

class ZafPathElement : public ZafElement
{
public:
    // The string id tells where the directory came from: "cwd", "pwd" or
    // "ZAF_PATH". The directory is cut to ZafMaxPath - 1 characters.
    ZafPathElement(const char *directory, const char *origin);

    const char *Directory() const { return directory; }

private:
    char directory[ZafMaxPath];
};

class ZafPath : public ZafList
{
public:
    // Elements in search order: the current directory (when asked and
    // readable), the program path's directory (when a program path is
    // given), then the "ZAF_PATH" pieces split at ';' (an empty piece between
    // two ';' counts, none after a final ';'). A directory too long for a
    // path element is left out rather than cut into another directory.
    ZafPath(const char *programPath, bool useCurrentDirectory);

    // Only path elements belong here.
    ZafPathElement *Add(ZafPathElement *element, ZafPathElement *before = nullptr);
    ZafPathElement *Subtract(ZafPathElement *element);

    ZafPathElement *First() const { return static_cast<ZafPathElement *>(first); }
};

// The application's search path (owned by the application; null before).
extern ZafPath *zafSearchPath;

// The separator of directories in disk paths.
char ZafDirectorySeparator();

// Cuts the path's extension (from the last '.' after the last separator) and
// appends the extension when given, with a '.' in front unless it starts
// with one or the path already ends with one. Returns path.
char *ChangeExtension(char *path, const char *extension);

// result = directory [+ separator] + name, then ChangeExtension with the
// extension when given. result may be directory's own buffer. Returns result.
char *MakePath(char *result, const char *directory, const char *name, const char *extension = nullptr);

// Takes a path apart; every output is optional (null = not wanted).
// directory: the text before the file name (a leading separator or one after
// "X:" stays); fileName: up to the first '~' after it; objectDirectory: from
// that '~' to the last '~'; objectName: from the last '~' (included).
void SplitPath(const char *path, char *directory, char *fileName, char *objectDirectory = nullptr,
               char *objectName = nullptr);
// The directory and file name of a path alone, as SplitPath gives them
// (either output may be null).
inline void SplitStoragePath(const char *path, char *directory, char *fileName)
{
    SplitPath(path, directory, fileName);
}

// Replaces the directory in the buffer by the first name "ZTMP<n>.$$$" in it
// (n = 0, 1, 2 ...) that does not exist yet. Null when none could be found.
char *MakeTempName(char *directory);

// True when the file opens for reading; else, with create, true when it can
// be created (it is removed again at once).
bool FileExists(const char *name, bool create = false);
