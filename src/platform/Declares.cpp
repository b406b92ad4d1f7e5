#include "platform/Declares.h"

namespace morvane::Declares {
namespace {
Shell g_realShell;
Shell* g_shell = &g_realShell;
SHFILEINFOW g_fileInfo{};
}  // namespace

HINSTANCE Shell::Execute(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory,
                              INT showCommand) {
    return ::ShellExecuteW(owner, verb, file, parameters, directory, showCommand);
}

DWORD_PTR Shell::GetFileInfo(LPCWSTR path, DWORD attributes, SHFILEINFOW* info, UINT infoSize, UINT flags) {
    return ::SHGetFileInfoW(path, attributes, info, infoSize, flags);
}

Shell& Api() { return *g_shell; }
void SetApi(Shell* shell) { g_shell = shell ? shell : &g_realShell; }
SHFILEINFOW& FileInfo() { return g_fileInfo; }

}  // namespace morvane::Declares
