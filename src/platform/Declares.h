// The operating-system functions the program calls, in one place, and the
// program's one shell file-information record.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <shellapi.h>

namespace morvane::Declares {

// Wide versions throughout: a path outside the ANSI code page (Korean, kana,
// an emoji) would otherwise reach the shell mangled.
class Shell {
public:
    virtual ~Shell() = default;
    virtual HINSTANCE Execute(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory,
                                   INT showCommand);
    virtual DWORD_PTR GetFileInfo(LPCWSTR path, DWORD attributes, SHFILEINFOW* info, UINT infoSize, UINT flags);
};

Shell& Api();
void SetApi(Shell* shell);  // nullptr restores the real shell

// Lives for the whole run, zero at start.
SHFILEINFOW& FileInfo();

}  // namespace morvane::Declares
