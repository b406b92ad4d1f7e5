// The yardstick for the program's start-up: a bare Win32 window with the same
// controls, the same manifest and the same build, and nothing else (no
// toolkit, no dictionary). Started by StartupBench beside Morvane.exe.
#include <windows.h>
#include <commctrl.h>

namespace {

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(hwnd, msg, wp, lp);
}

HWND Child(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h) {
    return CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"BareForm";
    RegisterClassExW(&wc);
    HWND window = CreateWindowExW(0, L"BareForm", L"Bare2.0", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 390, 220, nullptr, nullptr, instance, nullptr);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
    HWND children[] = {
        Child(window, L"STATIC", L"请输入要查寻的后缀名： ", 0, 16, 8, 137, 17),
        Child(window, L"EDIT", L"", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 144, 8, 201, 18),
        Child(window, L"EDIT", L"", WS_BORDER | WS_TABSTOP | ES_MULTILINE | ES_READONLY, 8, 32, 353, 97),
        Child(window, L"BUTTON", L"查看文件后缀名", WS_TABSTOP, 8, 136, 97, 20),
        Child(window, L"BUTTON", L"没有这个后缀名", WS_TABSTOP, 112, 136, 97, 20),
        Child(window, L"BUTTON", L"关  于", WS_TABSTOP, 216, 136, 73, 20),
        Child(window, L"BUTTON", L"退  出", WS_TABSTOP, 296, 136, 65, 20),
        Child(window, STATUSCLASSNAMEW, L"", 0, 0, 0, 0, 0),
    };
    for (HWND child : children) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ShowWindow(window, show);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(window, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return 0;
}
