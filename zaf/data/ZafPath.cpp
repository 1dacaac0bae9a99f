#include "zaf/data/ZafPath.h"

#include "zaf/data/ZafCodeSetData.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

ZafPath *zafSearchPath = nullptr;

namespace {
// Copies text into a ZafMaxPath buffer, cut when longer.
void CopyBounded(char *target, const std::string &text)
{
    const std::size_t length = text.size() < static_cast<std::size_t>(ZafMaxPath - 1) ? text.size() : ZafMaxPath - 1;
    std::memmove(target, text.data(), length);
    target[length] = '\0';
}
} // namespace

char ZafDirectorySeparator()
{
    return GetDirectorySeparator()[0];
}

ZafPathElement::ZafPathElement(const char *directory, const char *origin)
{
    CopyBounded(this->directory, directory ? directory : "");
    SetStringID(origin);
}

ZafPath::ZafPath(const char *programPath, bool useCurrentDirectory)
{
    if (useCurrentDirectory) {
        char current[MAX_PATH + 1];
        const DWORD length = GetCurrentDirectoryA(sizeof current, current);
        if (length > 0 && length < static_cast<DWORD>(ZafMaxPath))
            Add(new ZafPathElement(ConvertTextToISO(current), "cwd"));
    }
    if (programPath) {
        std::string directory(programPath);
        const std::size_t cut = directory.rfind(ZafDirectorySeparator());
        if (cut != std::string::npos)
            directory.erase(cut);
        if (directory.size() < static_cast<std::size_t>(ZafMaxPath))
            Add(new ZafPathElement(directory.c_str(), "pwd"));
    }
    const char *environment = GetEnvironmentText("ZAF_PATH");
    if (environment) {
        std::string rest(environment);
        while (!rest.empty()) {
            const std::size_t cut = rest.find(';');
            const std::string piece = rest.substr(0, cut);
            // A longer piece would name another directory once cut.
            if (piece.size() < static_cast<std::size_t>(ZafMaxPath))
                Add(new ZafPathElement(piece.c_str(), "ZAF_PATH"));
            if (cut == std::string::npos)
                break;
            rest.erase(0, cut + 1);
        }
    }
}

ZafPathElement *ZafPath::Add(ZafPathElement *element, ZafPathElement *before)
{
    return static_cast<ZafPathElement *>(ZafList::AddBefore(element, before));
}

ZafPathElement *ZafPath::Subtract(ZafPathElement *element)
{
    return static_cast<ZafPathElement *>(ZafList::Subtract(element));
}

char *ChangeExtension(char *path, const char *extension)
{
    std::string text(path);
    const std::size_t separator = text.rfind(ZafDirectorySeparator());
    const std::size_t dot = text.rfind('.');
    if (dot != std::string::npos && (separator == std::string::npos || dot > separator))
        text.erase(dot);
    if (extension && *extension) {
        if (extension[0] != '.' && (text.empty() || text.back() != '.'))
            text += '.';
        text += extension;
    }
    CopyBounded(path, text);
    return path;
}

char *MakePath(char *result, const char *directory, const char *name, const char *extension)
{
    std::string text(directory ? directory : "");
    if (!text.empty() && text.back() != ZafDirectorySeparator() && text.back() != ':')
        text += ZafDirectorySeparator();
    if (name)
        text += name;
    CopyBounded(result, text);
    if (extension)
        ChangeExtension(result, extension);
    return result;
}

void SplitPath(const char *path, char *directory, char *fileName, char *objectDirectory, char *objectName)
{
    const std::string text(path ? path : "");
    const char separator = ZafDirectorySeparator();
    const std::size_t lastSeparator = text.rfind(separator);
    std::size_t fileStart = 0;
    std::string directoryPart;
    if (lastSeparator != std::string::npos) {
        fileStart = lastSeparator + 1;
        const bool afterDrive = lastSeparator == 2 && text[1] == ':';
        // A root separator stays with the directory; any other is dropped.
        directoryPart = text.substr(0, (lastSeparator == 0 || afterDrive) ? lastSeparator + 1 : lastSeparator);
    } else {
        const std::size_t colon = text.rfind(':');
        if (colon != std::string::npos)
            fileStart = colon + 1;
        directoryPart = text.substr(0, fileStart);
    }
    const std::size_t firstTilde = text.find('~', fileStart);
    const std::size_t lastTilde = text.rfind('~');
    const std::string filePart =
        text.substr(fileStart, firstTilde == std::string::npos ? std::string::npos : firstTilde - fileStart);
    std::string objectDirectoryPart;
    std::string objectNamePart;
    if (firstTilde != std::string::npos) {
        objectDirectoryPart = text.substr(firstTilde, lastTilde - firstTilde);
        objectNamePart = text.substr(lastTilde);
    }
    if (directory)
        CopyBounded(directory, directoryPart);
    if (fileName)
        CopyBounded(fileName, filePart);
    if (objectDirectory)
        CopyBounded(objectDirectory, objectDirectoryPart);
    if (objectName)
        CopyBounded(objectName, objectNamePart);
}

char *MakeTempName(char *directory)
{
    const std::string base(directory);
    char name[32];
    // Far more than any directory holds; only a bound against a loop forever.
    for (int n = 0; n < 100000; n++) {
        std::snprintf(name, sizeof name, "%s%d%s", "ZTMP", n, ".$$$");
        if (base.size() + std::strlen(name) + 1 >= static_cast<std::size_t>(ZafMaxPath))
            return nullptr;
        char candidate[ZafMaxPath];
        MakePath(candidate, base.c_str(), name);
        if (!FileExists(candidate)) {
            std::strcpy(directory, candidate);
            return directory;
        }
    }
    return nullptr;
}

bool FileExists(const char *name, bool create)
{
    if (!name || !*name)
        return false;
    if (FILE *file = std::fopen(name, "r")) {
        std::fclose(file);
        return true;
    }
    if (!create)
        return false;
    if (FILE *file = std::fopen(name, "a")) {
        std::fclose(file);
        std::remove(name);
        return true;
    }
    return false;
}
