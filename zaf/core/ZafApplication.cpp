#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafEventManager.h"
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafWindowManager.h"

#include <commctrl.h>

int zafPlatform = ZAF_PLATFORM_UNKNOWN;
bool zaf3DLook = true;
bool zafCodeSetConversion = false;
ZafEventManager *zafEventManager = nullptr;
ZafWindowManager *zafWindowManager = nullptr;
ZafApplication *zafApplication = nullptr;

namespace {

ZafStartupSteps startupSteps = {};

LRESULT CALLBACK FrameClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The frame's MDI client is its first child of class "MDICLIENT".
    HWND client = FindWindowExA(window, nullptr, "MDICLIENT", nullptr);
    return DefFrameProcA(window, client, message, wParam, lParam);
}

bool RegisterOne(HINSTANCE instance, const char *name, WNDPROC procedure)
{
    WNDCLASSA existing;
    if (GetClassInfoA(instance, name, &existing))
        return true;
    WNDCLASSA c = {};
    c.style = CS_DBLCLKS;
    c.lpfnWndProc = procedure;
    c.hInstance = instance;
    c.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    c.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    c.lpszClassName = name;
    return RegisterClassA(&c) != 0;
}

// "ctl3d32.dll" gives old systems their 3-D dialogs; newer ones lack it.
HMODULE LoadCtl3d(HINSTANCE instance)
{
    char path[MAX_PATH];
    if (!SearchPathA(nullptr, "ctl3d32.dll", nullptr, sizeof(path), path, nullptr))
        return nullptr;
    HMODULE library = LoadLibraryA(path);
    if (!library)
        return nullptr;
    using Register = BOOL(WINAPI *)(HINSTANCE);
    auto reg = reinterpret_cast<Register>(reinterpret_cast<void *>(GetProcAddress(library, "Ctl3dRegister")));
    auto sub = reinterpret_cast<Register>(reinterpret_cast<void *>(GetProcAddress(library, "Ctl3dAutoSubclass")));
    if (reg)
        reg(instance);
    if (sub)
        sub(instance);
    return library;
}

void UnloadCtl3d(HMODULE library, HINSTANCE instance)
{
    if (!library)
        return;
    using Unregister = BOOL(WINAPI *)(HINSTANCE);
    auto unreg = reinterpret_cast<Unregister>(reinterpret_cast<void *>(GetProcAddress(library, "Ctl3dUnregister")));
    if (unreg)
        unreg(instance);
    FreeLibrary(library);
}

} // namespace

ZafApplication::ZafApplication(HINSTANCE instance, std::vector<std::string> arguments, int showCommand)
    : instance(instance), arguments(std::move(arguments)), showCommand(showCommand)
{
    zafApplication = this;
    ZafSetInstance(instance);
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    zafPlatform = GetVersionExA(&version) ? PlatformOf(version.dwPlatformId) : ZAF_PLATFORM_UNKNOWN;

    if (startupSteps.makeDataManager)
        startupSteps.makeDataManager();
    if (startupSteps.initializeI18n)
        startupSteps.initializeI18n(nullptr);
    if (!zafScreenDisplay)
        zafScreenDisplay = new ZafGdiDisplay;
    if (startupSteps.makeSearchPath)
        startupSteps.makeSearchPath(ProgramPath());
    if (startupSteps.openI18nStorage)
        startupSteps.openI18nStorage();
    if (startupSteps.resetI18n)
        startupSteps.resetI18n(nullptr);

    zafEventManager = new ZafOSEventManager;
    zafWindowManager = new ZafWindowManager;
}

ZafApplication::~ZafApplication()
{
    delete zafWindowManager;
    zafWindowManager = nullptr;
    delete zafEventManager;
    zafEventManager = nullptr;
    delete zafScreenDisplay;
    zafScreenDisplay = nullptr;
    if (startupSteps.runStaticCleanups)
        startupSteps.runStaticCleanups(1);
    if (zafApplication == this)
        zafApplication = nullptr;
}

ZafEventType ZafApplication::Control()
{
    if (!zafEventManager || !zafWindowManager)
        return ZAF_NO_WINDOWS;
    ZafEventType code = zafWindowManager->IsEmpty() ? ZAF_NO_WINDOWS : 0;
    while (code != ZAF_EXIT && code != ZAF_NO_WINDOWS) {
        ZafEventRecord event;
        if (!zafEventManager->Get(event))
            continue;
        code = zafWindowManager->Event(event);
    }
    return code;
}

const char *ZafApplication::Argument(int index) const
{
    if (index < 0 || index >= ArgumentCount())
        return nullptr;
    return arguments[static_cast<std::size_t>(index)].c_str();
}

std::string ZafApplication::ProgramDirectory() const
{
    std::string path = ProgramPath() ? ProgramPath() : "";
    std::size_t slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::vector<std::string> ZafApplication::SplitCommandLine(const char *programPath, const char *commandLine)
{
    std::vector<std::string> result;
    result.emplace_back(programPath ? programPath : "");
    if (!commandLine)
        return result;
    const char *c = commandLine;
    for (;;) {
        while (*c == ' ' || *c == '\t')
            ++c;
        if (!*c)
            break;
        std::string argument;
        bool quoted = false;
        for (; *c && (quoted || (*c != ' ' && *c != '\t')); ++c) {
            if (*c == '"')
                quoted = !quoted;
            else
                argument += *c;
        }
        result.push_back(argument);
    }
    return result;
}

ZafStartupSteps ZafApplication::SetStartupSteps(const ZafStartupSteps &steps)
{
    ZafStartupSteps previous = startupSteps;
    startupSteps = steps;
    return previous;
}

const ZafStartupSteps &ZafApplication::StartupSteps()
{
    return startupSteps;
}

int ZafApplication::PlatformOf(DWORD platformID)
{
    switch (platformID) {
    case VER_PLATFORM_WIN32s:
        return ZAF_PLATFORM_WIN32S;
    case VER_PLATFORM_WIN32_WINDOWS:
        return ZAF_PLATFORM_WINDOWS_9X;
    case VER_PLATFORM_WIN32_NT:
        return ZAF_PLATFORM_WINDOWS_NT;
    default:
        return ZAF_PLATFORM_UNKNOWN;
    }
}

bool ZafApplication::RegisterWindowClasses(HINSTANCE instance)
{
    bool ok = RegisterOne(instance, "ZafWindow", DefWindowProcA);
    ok = RegisterOne(instance, "ZafMDIFrame", FrameClassProc) && ok;
    ok = RegisterOne(instance, "ZafMDIChild", DefMDIChildProcA) && ok;
    return ok;
}

int ZafApplication::WinMain(HINSTANCE instance, HINSTANCE previous, const char *commandLine, int showCommand,
                            ZafMainFunction main)
{
    // A second instance (only 16-bit Windows passes one) ends at once.
    if (previous)
        return 0;
    RegisterWindowClasses(instance);
    InitCommonControls();
    HMODULE ctl3d = LoadCtl3d(instance);
    char programPath[MAX_PATH] = "";
    GetModuleFileNameA(instance, programPath, sizeof(programPath));
    programPath[sizeof(programPath) - 1] = '\0';
    int result = 0;
    {
        ZafApplication application(instance, SplitCommandLine(programPath, commandLine), showCommand);
        result = main ? main(application) : 0;
    }
    UnloadCtl3d(ctl3d, instance);
    return result;
}
