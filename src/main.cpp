// Morvane: the entry point hands control to the forms, and gets it back only
// on the way out, to end what the shell brought up.
#include "platform/Toolkit.h"

#include <commctrl.h>

#include "forms/Project.h"
#include "platform/CommandLine.h"
#include "platform/Declares.h"
#include "platform/Text.h"

namespace {

// The manifest asks for per-monitor awareness; this covers systems that
// read only the older API. Either call fails harmlessly once it is set.
void DeclareDpiAwareness() {
    using SetContextFn = BOOL(WINAPI*)(HANDLE);
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    auto setContext = reinterpret_cast<SetContextFn>(
        reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDpiAwarenessContext")));
    if (setContext && (setContext(reinterpret_cast<HANDLE>(-4)) ||    // per-monitor v2
                       setContext(reinterpret_cast<HANDLE>(-3)))) {  // per-monitor
        return;
    }
    using SetAwareFn = BOOL(WINAPI*)();
    if (auto setAware = reinterpret_cast<SetAwareFn>(reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDPIAware")))) {
        setAware();
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    morvane::Declares::RestrictLibrarySearch();
    DeclareDpiAwareness();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    // A path on the command line (Send To, Open with) is looked up by its extension.
    const auto path = morvane::FirstArgument(morvane::ToU16(commandLine ? commandLine : L""));
    morvane::StartProgram(path ? std::optional<std::wstring>(morvane::ToWide(*path)) : std::nullopt);
    const int exitCode = morvane::RunMessageLoop();
    morvane::Declares::ReleaseCom();
    return exitCode;
}
