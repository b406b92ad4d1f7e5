// The window tests' ground: the program's seams replaced by a recorder, and
// a user's keys and clicks delivered through the program's own message loop.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "MorvaneConfig.h"
#include "forms/Form1.h"
#include "forms/Project.h"
#include "forms/frmAbout.h"
#include "forms/frmExtractIcon.h"
#include "platform/Declares.h"

#include <commctrl.h>  // after windows.h, which the forms bring
#include <shlobj.h>

namespace morvane::testing {

struct Recorder : Environment, Declares::Shell {
    int ends = 0;
    std::deque<std::optional<std::wstring>> picks;  // the user's choice in each Open dialog; nullopt cancels
    std::vector<std::wstring> dialogStartNames;
    struct Call { HWND owner; std::wstring verb, file; bool noParameters, noDirectory; INT show; };
    std::vector<Call> opened;
    std::vector<std::pair<std::wstring, UINT>> queries;                   // path, flags
    std::map<std::wstring, std::pair<std::wstring, std::wstring>> files;  // path -> display name, type name

    void End() override { ++ends; }
    std::vector<std::wstring> fatalErrors;
    bool expectFatal = false;
    void ShowFatalError(std::wstring_view message) override {
        fatalErrors.emplace_back(message);
        if (!expectFatal) ADD_FAILURE() << "run-time error";
    }
    BOOL ShowOpenDialog(OPENFILENAMEW* ofn) override {
        dialogStartNames.emplace_back(ofn->lpstrFile);
        const auto pick = picks.empty() ? std::nullopt : picks.front();
        if (!picks.empty()) picks.pop_front();
        return pick && pick->size() < ofn->nMaxFile && wcscpy(ofn->lpstrFile, pick->c_str());  // a cancel touches nothing
    }
    HINSTANCE Execute(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory, INT show) override {
        opened.push_back({owner, verb, file, !parameters, !directory, show});
        return reinterpret_cast<HINSTANCE>(33);
    }
    bool realShell = false;  // the system's own file information, for real files
    DWORD_PTR GetFileInfo(LPCWSTR path, DWORD attributes, SHFILEINFOW* info, UINT size, UINT flags) override {
        queries.emplace_back(path, flags);
        if (realShell) return Declares::Shell::GetFileInfo(path, attributes, info, size, flags);
        const auto found = files.find(path);
        if (size != sizeof *info || found == files.end()) return 0;  // a failed query fills nothing
        wcsncpy(info->szDisplayName, found->second.first.c_str(), MAX_PATH - 1);
        wcsncpy(info->szTypeName, found->second.second.c_str(), 79);
        return 1;
    }
};

class GuiTest : public ::testing::Test {
protected:
    Recorder rec;
    Form1* main = nullptr;

    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
        ASSERT_TRUE(InitCommonControlsEx(&controls));
        SetEnvironment(&rec);
        Declares::SetApi(&rec);
        main = &StartProgram();
        Pump();
    }
    void TearDown() override {
        ResetProgramForTesting();
        Pump();
        SetEnvironment(nullptr);
        Declares::SetApi(nullptr);
    }
public:
    // Each returns true when the program asked to quit meanwhile.
    static bool Pump() { return PumpMessages(); }
    static bool Type(std::wstring_view text) {  // WM_CHAR to the focused control, as typing arrives
        for (wchar_t c : text) PostMessageW(GetFocus(), WM_CHAR, c, 1);
        return Pump();
    }
    static bool Key(UINT key) {
        PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
        PostMessageW(GetFocus(), WM_KEYUP, key, 0xC0000001);
        return Pump();
    }
    static bool Click(HWND control) {
        PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        return Pump();
    }
    static bool DoubleClick(HWND control) {  // two quick clicks, as the mouse reports them
        PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        PostMessageW(control, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
        PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        return Pump();
    }
    // Files dragged from Explorer onto a window arrive as one HDROP: a
    // DROPFILES header, then the paths, each ended by a NUL, and one more.
    static bool Drop(HWND window, std::initializer_list<std::wstring> paths) {
        std::size_t units = 1;
        for (const std::wstring& path : paths) units += path.size() + 1;
        HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + units * sizeof(wchar_t));
        auto* files = static_cast<DROPFILES*>(GlobalLock(memory));
        files->pFiles = sizeof(DROPFILES);
        files->fWide = TRUE;
        wchar_t* out = reinterpret_cast<wchar_t*>(files + 1);
        for (const std::wstring& path : paths) out = std::copy(path.begin(), path.end(), out) + 1;
        GlobalUnlock(memory);
        PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);  // the window frees it
        return Pump();
    }
    static std::wstring TextOf(HWND hwnd) {
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
        return text;
    }
    // A control's rectangle in its window's client area; for a window, its client size.
    static std::vector<LONG> RectOf(HWND hwnd) {
        RECT r{};
        if (!GetParent(hwnd)) return GetClientRect(hwnd, &r), std::vector<LONG>{r.right, r.bottom};
        GetWindowRect(hwnd, &r);
        MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
        return {r.left, r.top, r.right, r.bottom};
    }
    static bool Centred(HWND window) {
        RECT r{};
        GetWindowRect(window, &r);
        MONITORINFO m{};
        m.cbSize = sizeof m;
        GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &m);
        return std::abs(r.left + r.right - m.rcWork.left - m.rcWork.right) <= 1 &&
               std::abs(r.top + r.bottom - m.rcWork.top - m.rcWork.bottom) <= 1;
    }
};

}  // namespace morvane::testing
