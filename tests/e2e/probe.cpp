// A stand-in for a person's eyes and hands on the running program: finds its
// windows and controls from outside, reads their text, presses buttons.
// Usage: probe COMMAND WINDOW-CLASS WINDOW-TITLE [CONTROL-CLASS INDEX] [TEXT]
//   wait | gone            until the window is shown | gone (10 s at most)
//   text  CLASS N          print the text of the Nth control of that class
//   click CLASS N          press it (a button, or a label by mouse)
//   key   CLASS N VK       post a key press (down and up) to it, as the keyboard does
//   settext ID TEXT        set a dialog item's text; command ID posts WM_COMMAND
//   rect                   print the window's screen rectangle: x y width height
//   move X Y               move the window (its size stays)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Search {
    const wchar_t* cls;
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<Search*>(lp);
    wchar_t name[256] = {}, text[512] = {};
    GetClassNameW(hwnd, name, 256);
    GetWindowTextW(hwnd, text, 512);
    if (IsWindowVisible(hwnd) && wcscmp(name, s->cls) == 0 && wcscmp(text, s->title) == 0) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND FindTopLevel(const wchar_t* cls, const wchar_t* title) {
    Search search{cls, title, nullptr};
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Child(HWND parent, const wchar_t* cls, int index) {
    std::vector<HWND> matches;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[256] = {};
        GetClassNameW(child, name, 256);
        if (_wcsicmp(name, cls) == 0) matches.push_back(child);
    }
    return index >= 0 && static_cast<std::size_t>(index) < matches.size() ? matches[index] : nullptr;
}

void PrintUtf8(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
    bytes += '\n';
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

int Fail(const char* what) {
    std::fprintf(stderr, "probe: %s\n", what);
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) return Fail("usage: probe COMMAND WINDOW-CLASS WINDOW-TITLE ...");
    const std::wstring command = argv[1];
    const wchar_t* cls = argv[2];
    const wchar_t* title = argv[3];

    if (command == L"wait" || command == L"gone") {
        for (int i = 0; i < 400; ++i) {
            if ((FindTopLevel(cls, title) != nullptr) == (command == L"wait")) return 0;
            Sleep(25);
        }
        return Fail(command == L"wait" ? "window did not appear" : "window did not go");
    }
    HWND window = FindTopLevel(cls, title);
    if (!window) return Fail("no such window");
    if (command == L"rect") {
        RECT rect{};
        GetWindowRect(window, &rect);
        std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
        return 0;
    }
    if (command == L"move" && argc >= 6) {
        return SetWindowPos(window, nullptr, _wtoi(argv[4]), _wtoi(argv[5]), 0, 0, SWP_NOSIZE | SWP_NOZORDER) ? 0
                                                                                                         : Fail("move failed");
    }
    if (command == L"settext" && argc >= 6) {
        HWND item = GetDlgItem(window, _wtoi(argv[4]));
        if (!item) return Fail("no such dialog item");
        return SendMessageW(item, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[5])) ? 0 : Fail("WM_SETTEXT failed");
    }
    if (command == L"command" && argc >= 5) {
        return PostMessageW(window, WM_COMMAND, MAKEWPARAM(_wtoi(argv[4]), BN_CLICKED), 0) ? 0 : Fail("post failed");
    }
    if (argc < 6) return Fail("missing CONTROL-CLASS INDEX");
    HWND control = Child(window, argv[4], _wtoi(argv[5]));
    if (!control) return Fail("no such control");
    if (command == L"text") {
        std::wstring text(static_cast<std::size_t>(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(
            SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
        PrintUtf8(text);
        return 0;
    }
    if (command == L"click") {
        // Posted, not sent: a click that opens a modal dialog would block us.
        PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        return 0;
    }
    if (command == L"key" && argc >= 7) {
        const WPARAM key = static_cast<WPARAM>(_wtoi(argv[6]));
        PostMessageW(control, WM_KEYDOWN, key, 1);
        PostMessageW(control, WM_KEYUP, key, 1 | (1u << 30) | (1u << 31));
        return 0;
    }
    return Fail("unknown command");
}
