// A person's eyes and hands on the running program, from outside: finds its
// windows by class and title, reads and drives their controls.
// probe wait|gone|rect CLASS TITLE        shown (10 s at most) | gone | "x y width height"
// probe move CLASS TITLE X Y
// probe text|click CLASS TITLE CTLCLASS N  the Nth control of that class: print its text | click it
// probe key CLASS TITLE CTLCLASS N VK      a key press posted to it, as the keyboard does
// probe settext|command CLASS TITLE ID [TEXT]  a dialog item's text | a posted WM_COMMAND
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

struct Search { const wchar_t *cls, *title; HWND found; };

BOOL CALLBACK Match(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<Search*>(lp);
    wchar_t cls[256] = {}, title[512] = {};
    GetClassNameW(hwnd, cls, 256);
    GetWindowTextW(hwnd, title, 512);
    if (IsWindowVisible(hwnd) && !wcscmp(cls, s->cls) && !wcscmp(title, s->title)) s->found = hwnd;
    return !s->found;
}

HWND Find(const wchar_t* cls, const wchar_t* title) {
    Search search{cls, title, nullptr};
    EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Child(HWND parent, const wchar_t* cls, int index) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[256] = {};
        GetClassNameW(child, name, 256);
        if (!_wcsicmp(name, cls) && index-- == 0) return child;
    }
    return nullptr;
}

int Fail(const char* what) { return std::fprintf(stderr, "probe: %s\n", what), 1; }

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) return Fail("usage: see probe.cpp");
    const std::wstring command = argv[1];
    if (command == L"wait" || command == L"gone") {
        for (int i = 0; i < 400; ++i, Sleep(25))
            if (!Find(argv[2], argv[3]) == (command == L"gone")) return 0;
        return Fail("timed out");
    }
    HWND window = Find(argv[2], argv[3]);
    if (!window) return Fail("no such window");
    RECT r{};
    if (command == L"rect" && GetWindowRect(window, &r)) return std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top) < 0;
    if (command == L"command" && argc >= 5) return !PostMessageW(window, WM_COMMAND, _wtoi(argv[4]), 0);
    if (argc < 6) return Fail("missing arguments");
    if (command == L"move") return !SetWindowPos(window, nullptr, _wtoi(argv[4]), _wtoi(argv[5]), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    if (command == L"settext") return !SendMessageW(GetDlgItem(window, _wtoi(argv[4])), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[5]));
    HWND control = Child(window, argv[4], _wtoi(argv[5]));
    if (!control) return Fail("no such control");
    if (command == L"text") {
        wchar_t text[4096] = {};
        SendMessageW(control, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text));
        char utf8[16384] = {};
        WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
        return std::printf("%s\n", utf8) < 0;
    }
    // Posted, not sent: a click that opens a modal dialog would block the probe.
    if (command == L"click") return !PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, 0x00020002) || !PostMessageW(control, WM_LBUTTONUP, 0, 0x00020002);
    if (command == L"key" && argc >= 7) return !PostMessageW(control, WM_KEYDOWN, _wtoi(argv[6]), 1) || !PostMessageW(control, WM_KEYUP, _wtoi(argv[6]), 0xC0000001);
    return Fail("unknown command");
}
