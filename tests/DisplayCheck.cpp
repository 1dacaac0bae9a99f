// Linked into every test program that puts windows on a display: it ends
// the program before the first test when no window can be made (under Wine
// without an X server every window fails, and a test that waits for a
// message of one would wait until the test's time limit).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>

namespace {

class DisplayCheck : public testing::Environment
{
public:
    void SetUp() override
    {
        HWND probe = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, GetModuleHandleA(nullptr),
                                     nullptr);
        if (probe) {
            DestroyWindow(probe);
            return;
        }
        const DWORD error = GetLastError();
        std::fprintf(stderr,
                     "No display: a window cannot be made (error %lu). Run the tests where an X server "
                     "is reachable through DISPLAY (tools/test starts one).\n",
                     static_cast<unsigned long>(error));
        std::fflush(stderr);
        ExitProcess(2);
    }
};

testing::Environment *const displayCheck = testing::AddGlobalTestEnvironment(new DisplayCheck);

} // namespace
