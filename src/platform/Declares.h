// The operating-system functions the program calls beyond the window
// toolkit, in one place, and the program's one shell file-information record.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

namespace morvane::Declares {

// Before anything else loads a library: libraries come from the system
// folder only, never from beside the exe (a downloads folder) or the
// current folder.
void RestrictLibrarySearch();

// The shell, the Open dialog and COM are bound by name on their first call,
// from the system folder, and kept: a program at rest maps none of them.
// The first binding brings COM up on this thread, as the shell needs it;
// a binding that fails is the toolkit's run-time error. Wide versions
// throughout: a path outside the ANSI code page would reach the shell mangled.
class Shell {
public:
    virtual ~Shell() = default;
    virtual HINSTANCE Execute(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory,
                              INT showCommand);
    virtual DWORD_PTR GetFileInfo(LPCWSTR path, DWORD attributes, SHFILEINFOW* info, UINT infoSize, UINT flags);
    virtual UINT QueryDroppedFile(HDROP drop, UINT index, LPWSTR file, UINT size);
    virtual void FinishDrop(HDROP drop);
    virtual BOOL ShowOpenDialog(OPENFILENAMEW* ofn);
};

// A function of a system library, bound by name from the system folder; a
// library or function that is not there is the toolkit's run-time error.
FARPROC Bind(const wchar_t* library, const char* function);

Shell& Api();
void SetApi(Shell* shell);  // nullptr restores the real shell

// True once the first shell binding has brought COM up on this thread.
bool ComIsUp();
// Ends COM on the program's way out, if the shell ever brought it up.
void ReleaseCom();

// Lives for the whole run, zero at start.
SHFILEINFOW& FileInfo();

}  // namespace morvane::Declares
