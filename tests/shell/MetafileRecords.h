// What an enhanced metafile holds, as the printing tests read it back: the
// text of each text record and the height of each font made in it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace metafile {

struct Records
{
    std::vector<std::string> texts;
    std::vector<LONG> fontHeights;
};

inline int CALLBACK Collect(HDC, HANDLETABLE *, const ENHMETARECORD *record, int, LPARAM data)
{
    auto *seen = reinterpret_cast<Records *>(data);
    if (record->iType == EMR_EXTTEXTOUTW) {
        auto *text = reinterpret_cast<const EMREXTTEXTOUTW *>(record);
        auto *chars =
            reinterpret_cast<const wchar_t *>(reinterpret_cast<const BYTE *>(record) + text->emrtext.offString);
        seen->texts.emplace_back(chars, chars + text->emrtext.nChars);
    } else if (record->iType == EMR_EXTCREATEFONTINDIRECTW) {
        seen->fontHeights.push_back(
            reinterpret_cast<const EMREXTCREATEFONTINDIRECTW *>(record)->elfw.elfLogFont.lfHeight);
    }
    return 1;
}

inline Records Read(HENHMETAFILE file)
{
    Records seen;
    EnumEnhMetaFile(nullptr, file, Collect, &seen, nullptr);
    return seen;
}

// Ends a metafile's recording, reads it and deletes it.
inline Records Close(HDC dc)
{
    HENHMETAFILE file = CloseEnhMetaFile(dc);
    Records seen = Read(file);
    DeleteEnhMetaFile(file);
    return seen;
}

} // namespace metafile
