#include "platform/Declares.h"

#include <objbase.h>

#include <string>

#include "platform/Toolkit.h"

namespace morvane::Declares {
namespace {

Shell g_realShell;
Shell* g_shell = &g_realShell;
SHFILEINFOW g_fileInfo{};
bool g_comUp = false;

// Loads a library from the system folder by its full path, so that a copy
// planted beside the exe or in the current folder is never taken, even on
// systems where the search cannot be restricted. Kept for the whole run.
HMODULE SystemLibrary(const wchar_t* name) {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const std::wstring path = std::wstring(folder, length) + L"\\" + name;
    // Altered search path: the library's own dependencies are looked for
    // beside it, in the system folder, first.
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

// COM, apartment-threaded with OLE1 DDE off as the shell asks, comes up
// with the first shell function: shell extensions, URL handlers and the
// Open dialog's folder view are COM objects.
void BringUpCom() {
    if (g_comUp) return;
    using CoInitializeExFn = HRESULT(WINAPI*)(LPVOID, DWORD);
    if (auto init = reinterpret_cast<CoInitializeExFn>(reinterpret_cast<void*>(Bind(L"ole32.dll", "CoInitializeEx")))) {
        // S_FALSE (already up on this thread) also needs its matching uninitialize.
        g_comUp = SUCCEEDED(init(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    }
}

// One shell function, bound on its first call and kept; COM first.
template <typename Fn>
Fn ShellFunction(const wchar_t* library, const char* name, Fn& slot) {
    if (!slot) {
        BringUpCom();
        slot = reinterpret_cast<Fn>(reinterpret_cast<void*>(Bind(library, name)));
    }
    return slot;
}

using ShellExecuteWFn = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
using SHGetFileInfoWFn = DWORD_PTR(WINAPI*)(LPCWSTR, DWORD, SHFILEINFOW*, UINT, UINT);
using DragQueryFileWFn = UINT(WINAPI*)(HDROP, UINT, LPWSTR, UINT);
using DragFinishFn = void(WINAPI*)(HDROP);
using GetOpenFileNameWFn = BOOL(WINAPI*)(OPENFILENAMEW*);
ShellExecuteWFn g_shellExecute = nullptr;
SHGetFileInfoWFn g_getFileInfo = nullptr;
DragQueryFileWFn g_dragQueryFile = nullptr;
DragFinishFn g_dragFinish = nullptr;
GetOpenFileNameWFn g_getOpenFileName = nullptr;

}  // namespace

FARPROC Bind(const wchar_t* library, const char* function) {
    HMODULE module = SystemLibrary(library);
    FARPROC address = module ? GetProcAddress(module, function) : nullptr;
    if (!address) {
        const std::string name(function);
        RaiseRuntimeError(L"无法载入 " + std::wstring(library) + L" 中的 " + std::wstring(name.begin(), name.end()) + L"。");
    }
    return address;
}

void RestrictLibrarySearch() {
    // Present from Windows 8, and on Windows 7 with KB2533623; looked up so
    // that the program still starts without it.
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
    if (auto setDirectories = reinterpret_cast<SetDefaultDllDirectoriesFn>(
            reinterpret_cast<void*>(GetProcAddress(kernel32, "SetDefaultDllDirectories")))) {
        setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    SetDllDirectoryW(L"");  // drops the current folder from the older search order too
}

HINSTANCE Shell::Execute(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory,
                         INT showCommand) {
    auto fn = ShellFunction(L"shell32.dll", "ShellExecuteW", g_shellExecute);
    return fn ? fn(owner, verb, file, parameters, directory, showCommand) : nullptr;
}

DWORD_PTR Shell::GetFileInfo(LPCWSTR path, DWORD attributes, SHFILEINFOW* info, UINT infoSize, UINT flags) {
    auto fn = ShellFunction(L"shell32.dll", "SHGetFileInfoW", g_getFileInfo);
    return fn ? fn(path, attributes, info, infoSize, flags) : 0;
}

UINT Shell::QueryDroppedFile(HDROP drop, UINT index, LPWSTR file, UINT size) {
    auto fn = ShellFunction(L"shell32.dll", "DragQueryFileW", g_dragQueryFile);
    return fn ? fn(drop, index, file, size) : 0;
}

void Shell::FinishDrop(HDROP drop) {
    if (auto fn = ShellFunction(L"shell32.dll", "DragFinish", g_dragFinish)) fn(drop);
}

BOOL Shell::ShowOpenDialog(OPENFILENAMEW* ofn) {
    auto fn = ShellFunction(L"comdlg32.dll", "GetOpenFileNameW", g_getOpenFileName);
    return fn ? fn(ofn) : FALSE;
}

Shell& Api() { return *g_shell; }
void SetApi(Shell* shell) { g_shell = shell ? shell : &g_realShell; }

bool ComIsUp() { return g_comUp; }

void ReleaseCom() {
    if (!g_comUp) return;
    using CoUninitializeFn = void(WINAPI*)();
    // ole32 is already mapped: COM came up through it.
    if (auto uninit = reinterpret_cast<CoUninitializeFn>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ole32.dll"), "CoUninitialize")))) {
        uninit();
    }
    g_comUp = false;
}

SHFILEINFOW& FileInfo() { return g_fileInfo; }

}  // namespace morvane::Declares
