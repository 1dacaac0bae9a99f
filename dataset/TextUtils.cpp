#include "dataset/TextUtils.h"

#include <windows.h>

#include <cstring>

namespace {
const unsigned char kDosLetters[] = {134, 143, 145, 146, 155, 157};
const unsigned char kWindowsLetters[] = {229, 197, 230, 198, 248, 216};
const size_t kLetterCount = sizeof kDosLetters;
} // namespace

void ConvertNordicLetters(bool leaveAlone, char *text, int direction)
{
    if (leaveAlone || !text || !*text || (direction != 0 && direction != 1))
        return;
    const unsigned char *from = direction == 0 ? kDosLetters : kWindowsLetters;
    const unsigned char *to = direction == 0 ? kWindowsLetters : kDosLetters;
    for (unsigned char *p = reinterpret_cast<unsigned char *>(text); *p; ++p) {
        for (size_t i = 0; i < kLetterCount; ++i) {
            if (*p == from[i]) {
                *p = to[i];
                break;
            }
        }
    }
}

bool InsertTextAt(char *buffer, size_t bufferSize, const char *text, size_t position)
{
    if (!buffer || bufferSize == 0 || !text)
        return false;
    size_t length = strnlen(buffer, bufferSize);
    if (length == bufferSize || position > length)
        return false; // unterminated buffer, or position past the end
    size_t insert = strlen(text);
    if (insert >= bufferSize - length)
        return false;
    memmove(buffer + position + insert, buffer + position, length - position + 1);
    memcpy(buffer + position, text, insert);
    return true;
}

bool IsCtrlShiftDown()
{
    return (GetKeyState(VK_CONTROL) & 0x8000) != 0 && (GetKeyState(VK_SHIFT) & 0x8000) != 0;
}
