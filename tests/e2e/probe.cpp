// A person's eyes and hands on the running program, from outside: finds its
// windows by class and title, reads and drives their controls. Every wait is
// for an event, long enough for a loaded machine, and says what did not happen.
// probe wait|gone CLASS TITLE             until shown | gone (60 s at most)
// probe rect CLASS TITLE [CTLCLASS N]     "x y width height" on the screen
// probe move CLASS TITLE X Y
// probe text|click CLASS TITLE CTLCLASS N  the Nth control of that class: print its text | click it
// probe until CLASS TITLE CTLCLASS N TEXT  until that control shows TEXT (60 s at most)
// probe key CLASS TITLE CTLCLASS N VK      a key press posted to it, as the keyboard does
// probe chars CLASS TITLE CTLCLASS N TEXT  characters posted to it, as an input method sends them
// probe focused CLASS TITLE TEXT          until the focused control is "CLASS TEXT" (60 s at most)
// probe settext|command CLASS TITLE ID [TEXT]  a dialog item's text | a posted WM_COMMAND
// probe loadlib NAME                       loads a library by its bare name; prints where from
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr DWORD kPatienceMs = 60000;
constexpr DWORD kPollMs = 20;

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

std::wstring TextOf(HWND control) {
    // Sent with a timeout: a window that hangs makes the probe fail, not wait for ever.
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kPatienceMs, &length)) return L"?";
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                        kPatienceMs, &copied);
    text.resize(copied);
    return text;
}

void PrintUtf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8.data(), size, nullptr, nullptr);
    std::printf("%s\n", utf8.c_str());
}

std::string Utf8(const wchar_t* text) {
    char out[1024] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out, sizeof out - 1, nullptr, nullptr);
    return out;
}

// The class and text of the control that has the keyboard focus, if it lies in this window.
std::wstring FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) || !info.hwndFocus ||
        !IsChild(window, info.hwndFocus))
        return L"(nothing)";
    wchar_t cls[64] = {};
    GetClassNameW(info.hwndFocus, cls, 64);
    return std::wstring(cls) + L" " + TextOf(info.hwndFocus);
}

int Fail(const std::string& what) { return std::fprintf(stderr, "probe: %s\n", what.c_str()), 1; }

std::string Named(const wchar_t* cls, const wchar_t* title) { return "window " + Utf8(cls) + " '" + Utf8(title) + "'"; }

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return Fail("usage: see probe.cpp");
    const std::wstring command = argv[1];
    if (command == L"loadlib") {
        HMODULE module = LoadLibraryW(argv[2]);
        wchar_t path[MAX_PATH] = {};
        if (!module || !GetModuleFileNameW(module, path, MAX_PATH)) return Fail("cannot load " + Utf8(argv[2]));
        PrintUtf8(path);
        return 0;
    }
    if (argc < 4) return Fail("usage: see probe.cpp");
    const std::string window = Named(argv[2], argv[3]);
    if (command == L"wait" || command == L"gone") {
        const bool appear = command == L"wait";
        for (DWORD start = GetTickCount(); GetTickCount() - start < kPatienceMs; Sleep(kPollMs))
            if ((Find(argv[2], argv[3]) != nullptr) == appear) return 0;
        return Fail(window + (appear ? " did not appear" : " did not go away") + " within 60 s");
    }
    // The window is expected to be there; a moment's absence (a busy machine)
    // is waited out, a real one fails after the usual patience.
    HWND hwnd = nullptr;
    for (DWORD start = GetTickCount(); !(hwnd = Find(argv[2], argv[3])) && GetTickCount() - start < kPatienceMs;)
        Sleep(kPollMs);
    if (!hwnd) return Fail("no " + window + " (60 s)");
    RECT r{};
    if (command == L"rect") {
        HWND target = argc >= 6 ? Child(hwnd, argv[4], _wtoi(argv[5])) : hwnd;
        if (!target || !GetWindowRect(target, &r)) return Fail("no such control in " + window);
        return std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top) < 0;
    }
    if (command == L"focused" && argc >= 5) {
        std::wstring focus;
        for (DWORD start = GetTickCount(); GetTickCount() - start < kPatienceMs; Sleep(kPollMs))
            if ((focus = FocusOf(hwnd)) == argv[4]) return 0;
        return Fail("the focus in " + window + " is on '" + Utf8(focus.c_str()) + "', not '" + Utf8(argv[4]) +
                    "', after 60 s");
    }
    if (command == L"command" && argc >= 5) return !PostMessageW(hwnd, WM_COMMAND, _wtoi(argv[4]), 0);
    if (argc < 6) return Fail("missing arguments");
    if (command == L"move") return !SetWindowPos(hwnd, nullptr, _wtoi(argv[4]), _wtoi(argv[5]), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    if (command == L"settext") {
        DWORD_PTR done = 0;
        return !SendMessageTimeoutW(GetDlgItem(hwnd, _wtoi(argv[4])), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[5]),
                                    SMTO_ABORTIFHUNG, kPatienceMs, &done);
    }
    HWND control = Child(hwnd, argv[4], _wtoi(argv[5]));
    if (!control) return Fail("no control " + Utf8(argv[4]) + " #" + Utf8(argv[5]) + " in " + window);
    if (command == L"text") return PrintUtf8(TextOf(control)), 0;
    if (command == L"until" && argc >= 7) {
        std::wstring shown;
        for (DWORD start = GetTickCount(); GetTickCount() - start < kPatienceMs; Sleep(kPollMs))
            if ((shown = TextOf(control)) == argv[6]) return 0;
        return Fail(Utf8(argv[4]) + " #" + Utf8(argv[5]) + " of " + window + " still shows '" + Utf8(shown.c_str()) +
                    "', not '" + Utf8(argv[6]) + "', after 60 s");
    }
    // Posted, not sent: a click that opens a modal dialog would block the probe.
    if (command == L"click") {
        return !PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, 0x00020002) ||
               !PostMessageW(control, WM_LBUTTONUP, 0, 0x00020002);
    }
    if (command == L"chars" && argc >= 7) {
        // Characters as an input method delivers them (full-width letters
        // among them): posted WM_CHARs, one a code unit, through the program's loop.
        for (const wchar_t* c = argv[6]; *c; ++c)
            if (!PostMessageW(control, WM_CHAR, *c, 1)) return Fail("the characters did not reach " + window);
        return 0;
    }
    if (command == L"key" && argc >= 7) {
        const WPARAM key = static_cast<WPARAM>(_wtoi(argv[6]));
        if (!PostMessageW(control, WM_KEYDOWN, key, 1)) return Fail("the key did not reach " + window);
        // A key that ends the program (Esc) may leave no window for its release: that is success.
        PostMessageW(control, WM_KEYUP, key, 0xC0000001);
        return 0;
    }
    return Fail("unknown command");
}
