// The real program kept busy from outside for a long while: keystrokes of
// every kind (hits, misses, full-width text, pastes, erasures), each checked
// against what the lookup says the description must be, and the secondary
// windows opened and closed again and again; meanwhile the program's
// resources must stay flat after a warm-up.
// Usage: Soak PROGRAM.exe KEYSTROKES CYCLES PASTE-KB [SEED]
#include <windows.h>
#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "dictionary/LookupExtension.h"
#include "dictionary/SupplementTable.h"

namespace {

constexpr DWORD kPatienceMs = 60000;

[[noreturn]] void Fail(const char* what, const std::wstring& detail = L"") {
    std::fprintf(stderr, "FAIL (soak): %s %ls\n", what, detail.substr(0, 200).c_str());
    std::exit(1);
}

struct Program {
    PROCESS_INFORMATION process{};
    DWORD thread = 0;
    HWND main = nullptr, input = nullptr, description = nullptr;
    HWND fileButton = nullptr, aboutButton = nullptr;
};

struct Search { DWORD process; const wchar_t* title; HWND found; };

BOOL CALLBACK FindTitled(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<Search*>(lp);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    wchar_t title[64] = {}, cls[64] = {};
    GetWindowTextW(hwnd, title, 64);
    GetClassNameW(hwnd, cls, 64);
    if (owner == s->process && IsWindowVisible(hwnd) && !wcscmp(cls, L"MorvaneForm") && !wcscmp(title, s->title))
        s->found = hwnd;
    return !s->found;
}

HWND WaitForWindow(const Program& p, const wchar_t* title) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < kPatienceMs; Sleep(1)) {
        Search s{p.process.dwProcessId, title, nullptr};
        EnumWindows(FindTitled, reinterpret_cast<LPARAM>(&s));
        if (s.found) return s.found;
    }
    Fail("a window did not appear:", title);
}

HWND Child(HWND parent, const wchar_t* cls, int index) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[64] = {};
        GetClassNameW(child, name, 64);
        if (!_wcsicmp(name, cls) && index-- == 0) return child;
    }
    Fail("a control is missing:", cls);
}

// Sent, not posted: each returns once the program has handled it, and with
// it the lookup that the change ran.
LRESULT Send(HWND hwnd, UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(hwnd, msg, wp, lp, SMTO_ABORTIFHUNG, kPatienceMs, &result)) Fail("the program stopped answering");
    return static_cast<LRESULT>(result);
}

std::wstring TextOf(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(Send(hwnd, WM_GETTEXTLENGTH)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(Send(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

void Paste(const Program& p, const std::wstring& text) {
    if (!OpenClipboard(nullptr)) Fail("the clipboard is busy");
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    Send(p.input, WM_PASTE);
}

struct Resources {
    int windows = 0;
    ULONG handles = 0;
    double workingSetMb = 0;
    DWORD gdiObjects = 0, userObjects = 0;  // 0 where the system does not count them (Wine)
};

BOOL CALLBACK CountChild(HWND, LPARAM lp) {
    ++*reinterpret_cast<int*>(lp);
    return TRUE;
}

BOOL CALLBACK CountWindow(HWND hwnd, LPARAM lp) {
    ++*reinterpret_cast<int*>(lp);
    EnumChildWindows(hwnd, CountChild, lp);
    return TRUE;
}

// Kernel handles as the system keeps count of them; Wine's GetProcessHandleCount says 0.
ULONG KernelHandles(DWORD pid) {
    using QueryFn = NTSTATUS(NTAPI*)(ULONG, PVOID, ULONG, PULONG);
    static const auto query = reinterpret_cast<QueryFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    std::vector<unsigned char> buffer(1 << 20);
    ULONG needed = 0;
    while (query(5 /* SystemProcessInformation */, buffer.data(), static_cast<ULONG>(buffer.size()), &needed) != 0) {
        if (buffer.size() > (64u << 20)) return 0;
        buffer.resize(buffer.size() * 2);
    }
    for (std::size_t offset = 0;;) {
        const auto* info = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(buffer.data() + offset);
        if (reinterpret_cast<DWORD_PTR>(info->UniqueProcessId) == pid) return info->HandleCount;
        if (!info->NextEntryOffset) return 0;
        offset += info->NextEntryOffset;
    }
}

Resources Measure(const Program& p) {
    Resources r;
    EnumThreadWindows(p.thread, CountWindow, reinterpret_cast<LPARAM>(&r.windows));
    r.handles = KernelHandles(p.process.dwProcessId);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    K32GetProcessMemoryInfo(p.process.hProcess, &memory, sizeof memory);
    r.workingSetMb = static_cast<double>(memory.WorkingSetSize) / (1024.0 * 1024.0);
    r.gdiObjects = GetGuiResources(p.process.hProcess, GR_GDIOBJECTS);
    r.userObjects = GetGuiResources(p.process.hProcess, GR_USEROBJECTS);
    return r;
}

void Report(const char* when, const Resources& r) {
    std::printf("%-14s windows %3d   kernel handles %4lu   working set %6.1f MB   GDI %4lu   USER %4lu\n", when,
                r.windows, r.handles, r.workingSetMb, r.gdiObjects, r.userObjects);
}

// One secondary window opened by its button and closed by its close box.
void Cycle(const Program& p, HWND button, const wchar_t* title) {
    Send(button, BM_CLICK);
    HWND window = WaitForWindow(p, title);
    Send(window, WM_CLOSE);
    for (DWORD start = GetTickCount(); IsWindow(window); Sleep(1))
        if (GetTickCount() - start > kPatienceMs) Fail("a window did not close:", title);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 5) return std::fprintf(stderr, "usage: Soak PROGRAM.exe KEYSTROKES CYCLES PASTE-KB [SEED]\n"), 2;
    const int keystrokes = _wtoi(argv[2]), cycles = _wtoi(argv[3]), pasteKb = _wtoi(argv[4]);
    std::mt19937 random(argc > 5 ? static_cast<unsigned>(_wtoi(argv[5])) : 20261206u);

    Program p;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + std::wstring(argv[1]) + L"\"";
    if (!CreateProcessW(argv[1], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &p.process))
        Fail("cannot start", argv[1]);
    p.main = WaitForWindow(p, L"Morvane2.0");
    p.thread = GetWindowThreadProcessId(p.main, nullptr);
    p.input = Child(p.main, L"Edit", 0);
    p.description = Child(p.main, L"Edit", 1);
    p.fileButton = Child(p.main, L"Button", 2);   // 查看文件后缀名
    p.aboutButton = Child(p.main, L"Button", 0);  // 关  于

    // What the user types: keys of both tables, as written, in lower case
    // and in full width; misses; pastes; erasures.
    std::vector<std::u16string> keys;
    for (const auto& row : morvane::ExtensionTable()) keys.emplace_back(row.key);
    for (const auto& row : morvane::SupplementTable()) keys.emplace_back(row.key);
    std::u16string model;  // what the input box must hold
    std::u16string shown;  // what the description box must show
    const auto typed = [&](std::u16string next) {
        model = std::move(next);
        if (const morvane::ExtensionEntry* row = morvane::FindExtension(model)) shown = row->description;
    };
    const auto check = [&](int step) {
        const std::wstring description = TextOf(p.description);
        if (description != reinterpret_cast<const wchar_t*>(shown.c_str()))
            Fail("wrong description at keystroke", std::to_wstring(step) + L": " + description);
        if (model.size() < 4096 && TextOf(p.input) != reinterpret_cast<const wchar_t*>(model.c_str()))
            Fail("the input box went astray at keystroke", std::to_wstring(step));
    };

    Resources warm{};
    const int warmUp = std::max(1, keystrokes / 10);
    for (int step = 0; step < keystrokes; ++step) {
        const unsigned kind = random() % 100;
        if (kind < 70) {  // a character of a key, or of a full-width key
            const std::u16string& key = keys[random() % keys.size()];
            char16_t c = key.empty() ? u'x' : key[random() % key.size()];
            if (random() % 3 == 0 && c > 0x20 && c < 0x7F) c = static_cast<char16_t>(c + 0xFEE0);
            else if (c >= u'A' && c <= u'Z' && random() % 2) c = static_cast<char16_t>(c + 32);
            Send(p.input, WM_CHAR, c, 1);
            typed(model + c);
        } else if (kind < 85) {  // Backspace
            Send(p.input, WM_CHAR, 0x08, 1);
            if (!model.empty()) typed(model.substr(0, model.size() - 1));
        } else if (kind < 95) {  // erase it all, then paste a whole key
            Send(p.input, EM_SETSEL, 0, -1);
            Send(p.input, WM_CHAR, 0x08, 1);
            typed(u"");
            const std::u16string& key = keys[random() % keys.size()];
            Paste(p, reinterpret_cast<const wchar_t*>(key.c_str()));
            typed(key);
        } else if (kind < 99 || pasteKb <= 0) {  // a miss: digits no key holds
            Send(p.input, WM_CHAR, u'9', 1);
            Send(p.input, WM_CHAR, u'7', 1);
            typed(model + u"97");
        } else {  // a huge paste, then erased
            Paste(p, std::wstring(static_cast<std::size_t>(pasteKb) * 1024 / sizeof(wchar_t), L'x'));
            typed(model + std::u16string(static_cast<std::size_t>(pasteKb) * 1024 / sizeof(wchar_t), u'x'));
            check(step);
            Send(p.input, EM_SETSEL, 0, -1);
            Send(p.input, WM_CHAR, 0x08, 1);
            typed(u"");
        }
        check(step);
        if (step + 1 == warmUp) {
            // The warm-up: the first keystrokes and the first few windows
            // create what lives as long as the program (classes, fonts, icons).
            for (int cycle = 0; cycle < std::min(cycles, 5); ++cycle) {
                Cycle(p, p.fileButton, L"查看文件后缀名");
                Cycle(p, p.aboutButton, L"");
            }
            warm = Measure(p);
            Report("after warm-up", warm);
        }
    }
    std::printf("%d keystrokes, each description right\n", keystrokes);

    for (int cycle = std::min(cycles, 5); cycle < cycles; ++cycle) {
        Cycle(p, p.fileButton, L"查看文件后缀名");
        Cycle(p, p.aboutButton, L"");
    }
    std::printf("%d opening-and-closing cycles of each secondary window\n", cycles);
    Send(p.input, EM_SETSEL, 0, -1);
    Send(p.input, WM_CHAR, 0x08, 1);
    const Resources end = Measure(p);
    Report("at the end", end);

    // Flat after the warm-up: the same windows, a handful of handles at most,
    // and memory that has not crept.
    bool flat = end.windows == warm.windows && end.handles <= warm.handles + 4 &&
                end.workingSetMb <= warm.workingSetMb + 4.0 &&
                (warm.gdiObjects == 0 || end.gdiObjects <= warm.gdiObjects + 16) &&
                (warm.userObjects == 0 || end.userObjects <= warm.userObjects + 16);
    TerminateProcess(p.process.hProcess, 0);
    WaitForSingleObject(p.process.hProcess, kPatienceMs);
    if (!flat) Fail("the program's resources grew");
    std::printf("PASS: resources flat\n");
    return 0;
}
