#include "platform/Toolkit.h"

#include <commctrl.h>

#include <algorithm>
#include <cassert>
#include <climits>
#include <map>

#include "platform/Declares.h"
#include "platform/Text.h"
#include "platform/TextWrap.h"

namespace morvane {
namespace {

constexpr wchar_t kFormClass[] = L"MorvaneForm";
constexpr int kFirstControlId = 100;  // clear of IDOK and IDCANCEL
int g_loadedForms = 0;

Environment g_realEnvironment;
Environment* g_environment = &g_realEnvironment;

// Functions newer than the oldest Windows we run on are looked up, not imported.
template <typename Fn>
Fn User32Function(const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);

int MetricAtDpi(int index, UINT dpi) {
    static const auto forDpi = User32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
    return forDpi ? forDpi(index, dpi) : GetSystemMetrics(index);
}

UINT SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

UINT WindowDpi(HWND hwnd) {
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    if (getDpiForWindow) {
        if (UINT dpi = getDpiForWindow(hwnd)) return dpi;
    }
    return SystemDpi();
}

// The system's message font, as it stands at the given DPI.
LOGFONTW MessageFont(UINT dpi) {
    static const auto spiForDpi = User32Function<SystemParametersInfoForDpiFn>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (spiForDpi && spiForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) return metrics.lfMessageFont;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, SystemDpi());
        return metrics.lfMessageFont;
    }
    LOGFONTW font{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    return font;
}

// The frame a button or a status-bar panel draws inside its rectangle:
// two pixels at 96 DPI, scaled.
int EdgePx(UINT dpi) { return MulDiv(2, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI); }

// Text measured in a control's font.
struct TextExtent {
    int widthPx = 0;
    int cellPx = 0;  // the font's line height, internal leading and descent included
};

TextExtent MeasureText(HDC dc, HFONT font, std::wstring_view text) {
    HGDIOBJ old = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &extent);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    return {static_cast<int>(extent.cx), static_cast<int>(metrics.tmHeight)};
}

RECT WindowRectForClient(int widthPx, int heightPx, DWORD style, DWORD exStyle, UINT dpi) {
    static const auto adjustForDpi = User32Function<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
    RECT rect{0, 0, widthPx, heightPx};
    if (!adjustForDpi || !adjustForDpi(&rect, style, FALSE, exStyle, dpi)) AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    return rect;
}

COLORREF TextColourOf(const ControlDesign& row) {
    switch (row.textColour.kind) {
        case Colour::Kind::System: return GetSysColor(static_cast<int>(row.textColour.value));
        case Colour::Kind::Rgb: return row.textColour.value;
        case Colour::Kind::Default: break;
    }
    return GetSysColor(COLOR_BTNTEXT);
}

bool IsPushButton(HWND hwnd) {
    return (SendMessageW(hwnd, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

// The keyboard of a form's controls. A multi-line edit asks the dialog
// manager for every key, so Tab would stay inside it: here Tab moves on from
// every control alike. Tab, Enter and Esc are decided in PreTranslate before
// any control sees them, in our own message loop. A modal loop that is not
// ours (the Open dialog's, a message box's) dispatches them to the control
// instead: Windows offers them to a message filter first, Wine does not, so
// the control hands them back to the form here, and swallows the characters
// they would make (a beep, or a multi-line box closing its window on Esc).
LRESULT CALLBACK FormKeysSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    switch (msg) {
        case WM_GETDLGCODE:
            return DefSubclassProc(hwnd, msg, wp, lp) & ~(DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_WANTMESSAGE);
        case WM_KEYDOWN:
            if (wp == VK_TAB || wp == VK_RETURN || wp == VK_ESCAPE) {
                MSG key{hwnd, msg, wp, lp, 0, {}};
                if (Form::PreTranslate(key)) return 0;
            }
            break;
        case WM_CHAR:
            if (wp == L'\t' || wp == L'\r' || wp == 0x1B) return 0;
            break;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

void RegisterFormClass(WNDPROC windowProc) {
    static const bool registered = [windowProc] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = windowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kFormClass;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

}  // namespace

int TwipsToPixels(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }

void Environment::End() { ExitProcess(0); }

void Environment::ShowFatalError(std::wstring_view message) {
    const std::wstring text(message);
    MessageBoxW(nullptr, text.c_str(), L"Morvane", MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);
}

Environment& Env() { return *g_environment; }
void SetEnvironment(Environment* env) { g_environment = env ? env : &g_realEnvironment; }

void End() { Env().End(); }

void RaiseRuntimeError(std::wstring_view what) {
    std::wstring message = L"运行时错误：";
    message += what;
    Env().ShowFatalError(message);
    End();
}

Form::Form(const FormDesign& design) : design_(design) {}

Form::~Form() {
    if (hwnd_) DestroyWindow(hwnd_);
}

Form* Form::FromHandle(HWND hwnd) {
    if (!hwnd) return nullptr;
    wchar_t cls[32];
    if (!GetClassNameW(hwnd, cls, 32) || wcscmp(cls, kFormClass) != 0) return nullptr;
    return reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

int Form::LoadedCount() { return g_loadedForms; }

void Form::Show() {
    if (!hwnd_) {
        Load();
        if (!hwnd_) return;
        ShowWindow(hwnd_, SW_SHOW);
        SetForegroundWindow(hwnd_);
        if (HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE)) SetFocus(first);
        return;
    }
    // Already loaded: bring the one window forward, never a second one.
    if (IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    BringWindowToTop(hwnd_);
}

void Form::Unload() {
    if (hwnd_) DestroyWindow(hwnd_);
}

void Form::Load() {
    RegisterFormClass(WindowProc);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | (design_.minimizeBox ? WS_MINIMIZEBOX : 0);
    // WS_EX_ACCEPTFILES is all DragAcceptFiles does; set here, it keeps
    // shell32 unloaded until a file is really dropped.
    const DWORD exStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT | (design_.onDrop ? WS_EX_ACCEPTFILES : 0);

    // Create where the window will stand, so that it is born on the monitor
    // whose DPI it is then measured at.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT work = monitor.rcWork;
    const std::wstring caption(design_.caption);
    HWND hwnd = CreateWindowExW(exStyle, kFormClass, caption.c_str(), style, (work.left + work.right) / 2,
                                (work.top + work.bottom) / 2, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (!hwnd) return RaiseRuntimeError(L"无法创建窗口“" + std::wstring(design_.name) + L"”。");
    assert(hwnd_ == hwnd);

    dpi_ = WindowDpi(hwnd_);
    // Sized and centred before the controls are laid out: the status bar
    // docks to the client area, and fitting the font measures the real one.
    const RECT frame = WindowRectForClient(TwipsToPixels(design_.clientWidthTw, dpi_),
                                           TwipsToPixels(design_.clientHeightTw, dpi_), style, exStyle, dpi_);
    const int widthPx = frame.right - frame.left;
    const int heightPx = frame.bottom - frame.top;
    SetWindowPos(hwnd_, nullptr, work.left + (work.right - work.left - widthPx) / 2,
                 work.top + (work.bottom - work.top - heightPx) / 2, widthPx, heightPx, SWP_NOZORDER | SWP_NOACTIVATE);
    CreateControls();
    ApplyDpi(dpi_);
    ResetControls();
}

void Form::CreateControls() {
    // Created in tab-index order: the dialog manager tabs in creation order.
    std::vector<std::size_t> order(design_.controls.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return design_.controls[a].tabIndex < design_.controls[b].tabIndex;
    });
    controls_.assign(design_.controls.size(), nullptr);
    captions_.assign(design_.controls.size(), std::wstring());

    HINSTANCE module = GetModuleHandleW(nullptr);
    for (std::size_t i : order) {
        const ControlDesign& row = design_.controls[i];
        const wchar_t* cls = nullptr;
        DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
        DWORD exStyle = 0;
        switch (row.kind) {
            case ControlKind::Label:
                cls = L"STATIC";
                // Wrapped captions are laid out by the form itself (see PaintWrappedLabel).
                style |= SS_NOPREFIX | ((row.flags & kWrap) ? SS_OWNERDRAW : SS_LEFTNOWORDWRAP);
                if (row.onClick || (row.flags & kLink)) style |= SS_NOTIFY;
                break;
            case ControlKind::TextBox:
                cls = L"EDIT";
                // A one-pixel border rather than the sunken two-pixel edge: the
                // design's 18-pixel input box then holds a 16-pixel line of
                // Microsoft YaHei UI whole.
                style |= WS_TABSTOP | WS_BORDER;
                style |= (row.flags & kMultiLine) ? (ES_MULTILINE | ES_AUTOVSCROLL) : ES_AUTOHSCROLL;
                if (row.flags & kLocked) style |= ES_READONLY;
                break;
            case ControlKind::Button:
                cls = L"BUTTON";
                // No BS_NOTIFY: with it the second of two quick clicks arrives as
                // BN_DOUBLECLICKED instead of a click, and would be lost.
                style |= WS_TABSTOP | ((row.flags & kDefault) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
                break;
            case ControlKind::StatusBar:
                cls = STATUSCLASSNAMEW;
                // Placed by the form (LayoutStatusBar), not by its own idea of
                // its height, which would grow over the buttons with a tall font.
                style |= CCS_NORESIZE | CCS_NOPARENTALIGN;
                break;
            case ControlKind::Picture:
                continue;  // painted by the form itself, at the form's DPI
        }
        const std::wstring caption(row.caption);
        HWND control = CreateWindowExW(exStyle, cls, caption.c_str(), style, 0, 0, 0, 0, hwnd_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + i)), module, nullptr);
        if (!control) return RaiseRuntimeError(L"无法创建控件“" + std::wstring(row.name) + L"”。");
        controls_[i] = control;
        captions_[i] = caption;
        if (row.kind == ControlKind::TextBox) {
            SendMessageW(control, EM_SETLIMITTEXT, 0, 0);  // no length limit: pastes of any size arrive whole
        }
        if (row.kind == ControlKind::TextBox || row.kind == ControlKind::Button) {
            SetWindowSubclass(control, FormKeysSubclass, 0, 0);
        }
    }
}

void Form::LoadIcons() {
    // Title-bar and taskbar icons drawn for the window's own DPI, not
    // stretched from another size.
    HINSTANCE module = GetModuleHandleW(nullptr);
    const HICON big = static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(design_.iconId), IMAGE_ICON,
                                                    MetricAtDpi(SM_CXICON, dpi_), MetricAtDpi(SM_CYICON, dpi_), 0));
    const HICON small = static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(design_.iconId), IMAGE_ICON,
                                                      MetricAtDpi(SM_CXSMICON, dpi_), MetricAtDpi(SM_CYSMICON, dpi_), 0));
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    // The window no longer refers to the old pair once the new one is set.
    if (bigIcon_) DestroyIcon(bigIcon_);
    if (smallIcon_) DestroyIcon(smallIcon_);
    bigIcon_ = big;
    smallIcon_ = small;
}

void Form::ApplyDpi(UINT dpi) {
    dpi_ = dpi;
    LoadIcons();
    // The design's boxes were drawn for a font with a 12-pixel cell. The
    // message font of a zh-CN Windows (Microsoft YaHei UI, 9 points) is
    // taller, and a user may choose larger still: the font keeps its face
    // and, where some text would not fit its box, steps down a pixel at a
    // time until every text does, no further than three quarters of its size.
    LOGFONTW font = MessageFont(dpi);
    const int sign = font.lfHeight < 0 ? -1 : 1;
    const int fullPx = std::max(1, std::abs(static_cast<int>(font.lfHeight)));
    const int floorPx = (fullPx * 3 + 3) / 4;
    for (int sizePx = fullPx;; --sizePx) {
        font.lfHeight = sign * sizePx;
        HFONT next = CreateFontIndirectW(&font);
        if (!next) break;
        // A size whose captions cannot fit even the design's room is passed
        // over before any control is touched: start-up pays for every size laid out.
        if (sizePx > floorPx && !CaptionsFitTheirRows(next)) {
            DeleteObject(next);
            continue;
        }
        for (HWND control : controls_) {
            if (control) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(next), FALSE);
        }
        if (font_) DeleteObject(font_);
        font_ = next;
        for (std::size_t i = 0; i < controls_.size(); ++i) PlaceControl(i);
        LayoutStatusBar();
        if (TextsFit() || sizePx <= floorPx) break;
    }
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

bool Form::CaptionsFitTheirRows(HFONT font) const {
    HDC dc = CreateCompatibleDC(nullptr);
    const int edgePx = EdgePx(dpi_);
    bool fits = true;
    for (std::size_t i = 0; fits && i < design_.controls.size(); ++i) {
        const ControlDesign& row = design_.controls[i];
        if (row.kind != ControlKind::Label && row.kind != ControlKind::Button) continue;
        if (row.flags & kWrap) continue;
        const int leftPx = TwipsToPixels(row.leftTw, dpi_);
        // The room a caption has: its box, for a label that sizes itself up to
        // the nearest control standing to its right on the same line.
        int roomPx = (row.flags & kAutoSize) ? INT_MAX : TwipsToPixels(row.widthTw, dpi_);
        if (row.kind == ControlKind::Button) roomPx -= 2 * edgePx;
        for (const ControlDesign& other : design_.controls) {
            const bool sameLine = other.topTw < row.topTw + row.heightTw && row.topTw < other.topTw + other.heightTw;
            if (&other != &row && sameLine && other.leftTw > row.leftTw && other.kind != ControlKind::StatusBar)
                roomPx = std::min(roomPx, TwipsToPixels(other.leftTw, dpi_) - leftPx);
        }
        fits = MeasureText(dc, font, row.caption).widthPx <= roomPx;
    }
    DeleteDC(dc);
    return fits;
}

bool Form::TextsFit() const {
    // One memory DC for every measurement: a control's own DC costs a round
    // trip each, and start-up pays for every size tried.
    HDC dc = CreateCompatibleDC(nullptr);
    const int edgePx = EdgePx(dpi_);
    std::vector<RECT> shown;  // where each control shows its text
    bool fits = true;
    for (std::size_t i = 0; fits && i < controls_.size(); ++i) {
        HWND control = controls_[i];
        const ControlDesign& row = design_.controls[i];
        if (!control) continue;
        RECT client{}, box{};
        GetClientRect(control, &client);
        GetWindowRect(control, &box);
        MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&box), 2);
        const TextExtent text = MeasureText(dc, font_, captions_[i]);
        switch (row.kind) {
            case ControlKind::Label:
                if (row.flags & kWrap) {
                    const WrappedText layout = LayoutWrappedText(dc, i, client.right, client.bottom);
                    fits = static_cast<int>(layout.lines.size()) * layout.glyphHeightPx <= client.bottom;
                } else {
                    fits = text.widthPx <= client.right && text.cellPx <= client.bottom;
                    // A label's box may reach under its neighbour (the main
                    // window's prompt does, by design); only its text must stay clear.
                    box.right = std::min<LONG>(box.right, box.left + text.widthPx);
                    box.bottom = std::min<LONG>(box.bottom, box.top + text.cellPx);
                }
                break;
            case ControlKind::TextBox:
                fits = text.cellPx <= client.bottom;  // one line at least, whole
                break;
            case ControlKind::Button:
                fits = text.widthPx <= client.right - 2 * edgePx && text.cellPx <= client.bottom - 2 * edgePx;
                break;
            case ControlKind::StatusBar:
                for (std::size_t p = 0; p < design_.panels.size(); ++p) {
                    RECT part{};
                    SendMessageW(control, SB_GETRECT, p, reinterpret_cast<LPARAM>(&part));
                    const TextExtent panel = MeasureText(dc, font_, design_.panels[p].text);
                    fits = fits && panel.widthPx <= part.right - part.left - 2 * edgePx &&
                           panel.cellPx <= part.bottom - part.top;
                }
                break;
            case ControlKind::Picture:
                break;
        }
        // No text may lie under another control.
        RECT overlap{};
        for (const RECT& other : shown) fits = fits && !IntersectRect(&overlap, &box, &other);
        shown.push_back(box);
    }
    DeleteDC(dc);
    return fits;
}

void Form::PlaceControl(std::size_t i) {
    HWND control = controls_[i];
    const ControlDesign& row = design_.controls[i];
    if (!control || row.kind == ControlKind::StatusBar) return;
    int widthPx = TwipsToPixels(row.widthTw, dpi_);
    int heightPx = TwipsToPixels(row.heightTw, dpi_);
    if (row.kind == ControlKind::Label && !(row.flags & kWrap)) {
        HDC dc = GetDC(control);
        const TextExtent text = MeasureText(dc, font_, captions_[i]);
        ReleaseDC(control, dc);
        // Width follows the caption on one line; the left edge stays put.
        if (row.flags & kAutoSize) widthPx = text.widthPx;
        // A one-line label is as tall as its font's cell, so no descender is
        // cut; it grows downwards, its position kept.
        heightPx = (row.flags & kAutoSize) ? text.cellPx : std::max(heightPx, text.cellPx);
    }
    SetWindowPos(control, nullptr, TwipsToPixels(row.leftTw, dpi_), TwipsToPixels(row.topTw, dpi_), widthPx, heightPx,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::LayoutStatusBar() {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        HWND bar = controls_[i];
        if (!bar || design_.controls[i].kind != ControlKind::StatusBar) continue;
        std::vector<int> edges;
        int rightPx = 0;
        for (const PanelDesign& panel : design_.panels) {
            rightPx += TwipsToPixels(panel.widthTw, dpi_);
            edges.push_back(rightPx);
        }
        // Docked to the bottom, full width: the design's height, or as much
        // more as its font needs, up to the lowest control above it.
        RECT client{};
        GetClientRect(hwnd_, &client);
        int roomPx = client.bottom;
        for (std::size_t j = 0; j < controls_.size(); ++j) {
            if (j == i || !controls_[j]) continue;
            RECT above{};
            GetWindowRect(controls_[j], &above);
            MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&above), 2);
            roomPx = std::min<int>(roomPx, client.bottom - above.bottom);
        }
        HDC dc = GetDC(bar);
        const TextExtent text = MeasureText(dc, font_, L"M");
        ReleaseDC(bar, dc);
        int heightPx = TwipsToPixels(design_.controls[i].heightTw, dpi_);
        for (;;) {
            SetWindowPos(bar, nullptr, 0, client.bottom - heightPx, client.right, heightPx, SWP_NOZORDER | SWP_NOACTIVATE);
            // A status bar that sizes itself no more (CCS_NORESIZE) measures
            // its panels only when told its parts.
            SendMessageW(bar, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
            // The panels' frames take what they take: measured, not assumed.
            RECT panel{};
            SendMessageW(bar, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&panel));
            const int shortPx = text.cellPx - (panel.bottom - panel.top);
            if (shortPx <= 0 || heightPx >= roomPx) break;
            heightPx = std::min(roomPx, heightPx + shortPx);
        }
        // Panels exist only once the parts are set, so their texts follow.
        for (std::size_t p = 0; p < design_.panels.size(); ++p) {
            const std::wstring panelText(design_.panels[p].text);
            SendMessageW(bar, SB_SETTEXTW, p, reinterpret_cast<LPARAM>(panelText.c_str()));
        }
    }
}

int Form::FindRow(std::wstring_view name, int index) const {
    for (std::size_t i = 0; i < design_.controls.size(); ++i) {
        if (design_.controls[i].name == name && design_.controls[i].index == index) return static_cast<int>(i);
    }
    return -1;
}

int Form::RowOfId(int controlId) const {
    const int row = controlId - kFirstControlId;
    return row >= 0 && static_cast<std::size_t>(row) < design_.controls.size() ? row : -1;
}

int Form::FindFlag(unsigned flag) const {
    for (std::size_t i = 0; i < design_.controls.size(); ++i) {
        if (design_.controls[i].flags & flag) return static_cast<int>(i);
    }
    return -1;
}

HWND Form::Control(std::wstring_view name, int index) const {
    const int row = FindRow(name, index);
    assert(row >= 0 && "no control of that name in the design");
    return row >= 0 && hwnd_ ? controls_[row] : nullptr;
}

std::wstring Form::Text(std::wstring_view name, int index) const {
    HWND control = Control(name, index);
    if (!control) return RaiseRuntimeError(L"无法读取“" + std::wstring(name) + L"”的文本。"), std::wstring();
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

void Form::SetText(std::wstring_view name, std::wstring_view text, int index) {
    HWND control = Control(name, index);
    const std::wstring value(text);
    if (!control || !SetWindowTextW(control, value.c_str())) {
        RaiseRuntimeError(L"无法设置“" + std::wstring(name) + L"”的文本。");
    }
}

void Form::PlaceCaretAtEnd(std::wstring_view name, int index) {
    if (HWND control = Control(name, index)) SendMessageW(control, EM_SETSEL, GetWindowTextLengthW(control), -1);
}

void Form::Drop(HANDLE handle) {
    const HDROP drop = static_cast<HDROP>(handle);
    Declares::Shell& shell = Declares::Api();
    // Of several files, the first; its name may be of any length.
    std::wstring path;
    if (const UINT length = shell.QueryDroppedFile(drop, 0, nullptr, 0)) {
        path.assign(length + 1, L'\0');
        path.resize(shell.QueryDroppedFile(drop, 0, path.data(), length + 1));
    }
    shell.FinishDrop(drop);
    // While a modal dialog disables the window, a drop could only fight it.
    if (!path.empty() && design_.onDrop && IsWindowEnabled(hwnd_)) design_.onDrop(*this, path);
}

void Form::SetCaption(std::wstring_view name, std::wstring_view caption, int index) {
    SetText(name, caption, index);
    const int row = FindRow(name, index);
    if (row < 0 || !hwnd_) return;
    captions_[row] = caption;
    PlaceControl(static_cast<std::size_t>(row));
    InvalidateRect(controls_[row], nullptr, TRUE);
}

void Form::Click(std::size_t i) {
    if (Handler handler = design_.controls[i].onClick) handler(*this);
}

void Form::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    for (const LineDesign& line : design_.lines) {
        const int widthPx = std::max(1, MulDiv(line.widthPx, dpi_, USER_DEFAULT_SCREEN_DPI));
        HPEN pen = CreatePen(line.insideSolid ? PS_INSIDEFRAME : PS_SOLID, widthPx, line.colour);
        HGDIOBJ oldPen = SelectObject(dc, pen);
        MoveToEx(dc, TwipsToPixels(line.x1Tw, dpi_), TwipsToPixels(line.y1Tw, dpi_), nullptr);
        LineTo(dc, TwipsToPixels(line.x2Tw, dpi_), TwipsToPixels(line.y2Tw, dpi_));
        SelectObject(dc, oldPen);
        DeleteObject(pen);
    }
    for (const ControlDesign& row : design_.controls) {
        if (row.kind != ControlKind::Picture) continue;
        // The icon at its own size: 32 pixels at 96 DPI, loaded at the
        // scaled size so that Windows picks or resamples it once, crisply.
        const int sizePx = MulDiv(32, dpi_, USER_DEFAULT_SCREEN_DPI);
        HICON icon = static_cast<HICON>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(row.resourceId), IMAGE_ICON, sizePx, sizePx, 0));
        if (icon) {
            DrawIconEx(dc, TwipsToPixels(row.leftTw, dpi_), TwipsToPixels(row.topTw, dpi_), icon, sizePx, sizePx, 0,
                       nullptr, DI_NORMAL);
            DestroyIcon(icon);
        }
    }
    EndPaint(hwnd_, &ps);
}

WrappedText Form::LayoutWrappedText(HDC dc, std::size_t row, int widthPx, int heightPx) const {
    HGDIOBJ oldFont = SelectObject(dc, font_);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    std::map<char16_t, int> widths;
    WrappedText layout;
    layout.lines = WrapText(ToU16(captions_[row]), widthPx, [&](char16_t c) {
        auto [it, added] = widths.try_emplace(c, 0);
        if (added) {
            SIZE extent{};
            const wchar_t wide = static_cast<wchar_t>(c);
            GetTextExtentPoint32W(dc, &wide, 1, &extent);
            it->second = extent.cx;
        }
        return it->second;
    });
    SelectObject(dc, oldFont);
    // Lines at the font's own spacing where they fit; closer, down to the
    // characters' own height, where the label would otherwise cut its text
    // (fonts with generous leading, such as Microsoft YaHei, need it).
    layout.pitchPx = metrics.tmHeight;
    layout.glyphHeightPx = metrics.tmHeight - metrics.tmInternalLeading;
    const int count = static_cast<int>(layout.lines.size());
    if (count > 0 && count * layout.pitchPx > heightPx) {
        layout.pitchPx = std::max<int>(layout.glyphHeightPx, heightPx / count);
    }
    return layout;
}

WrappedText Form::WrappedLayout(std::wstring_view name, int index) const {
    const int row = FindRow(name, index);
    HWND control = Control(name, index);
    if (row < 0 || !control) return {};
    RECT box{};
    GetClientRect(control, &box);
    HDC dc = GetDC(control);
    WrappedText layout = LayoutWrappedText(dc, static_cast<std::size_t>(row), box.right, box.bottom);
    ReleaseDC(control, dc);
    return layout;
}

void Form::PaintWrappedLabel(const DRAWITEMSTRUCT& item, std::size_t row) {
    HDC dc = item.hDC;
    const RECT box = item.rcItem;
    FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
    const WrappedText layout = LayoutWrappedText(dc, row, box.right - box.left, box.bottom - box.top);
    HGDIOBJ oldFont = SelectObject(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, TextColourOf(design_.controls[row]));
    const std::wstring& text = captions_[row];
    for (std::size_t i = 0; i < layout.lines.size(); ++i) {
        ExtTextOutW(dc, box.left, box.top + static_cast<int>(i) * layout.pitchPx, ETO_CLIPPED, &box,
                    text.data() + layout.lines[i].start, static_cast<UINT>(layout.lines[i].length), nullptr);
    }
    SelectObject(dc, oldFont);
}

LRESULT Form::ControlColour(HDC dc, HWND control) {
    const int id = RowOfId(GetDlgCtrlID(control));
    if (id < 0) return 0;
    const ControlDesign& row = design_.controls[id];
    if (row.kind == ControlKind::TextBox) {
        // A locked box keeps the look of a text box; only its editing is off.
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    SetTextColor(dc, TextColourOf(row));
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT CALLBACK Form::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Form* self = reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
        self = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->hwnd_ = hwnd;
        ++g_loadedForms;
    }
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->controls_.clear();
        self->captions_.clear();
        if (self->font_) DeleteObject(self->font_);
        if (self->bigIcon_) DestroyIcon(self->bigIcon_);
        if (self->smallIcon_) DestroyIcon(self->smallIcon_);
        self->font_ = nullptr;
        self->bigIcon_ = self->smallIcon_ = nullptr;
        // The program lives while any of its windows is loaded.
        if (--g_loadedForms == 0) PostQuitMessage(0);
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    return self->HandleMessage(msg, wp, lp);
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND: {
            const int row = RowOfId(LOWORD(wp));
            if (row < 0) return 0;
            const ControlDesign& design = design_.controls[row];
            switch (HIWORD(wp)) {
                case BN_CLICKED:  // also STN_CLICKED, which shares its value
                    if (design.kind == ControlKind::Button || design.kind == ControlKind::Label) Click(row);
                    break;
                case STN_DBLCLK:  // a label reports the second of two quick clicks only so; it is a click too
                    if (design.kind == ControlKind::Label) Click(row);
                    break;
                case EN_CHANGE:
                    if (design.kind == ControlKind::TextBox && design.onChange) design.onChange(*this);
                    break;
            }
            return 0;
        }
        case WM_DRAWITEM: {
            const int row = RowOfId(static_cast<int>(wp));
            if (row >= 0 && (design_.controls[row].flags & kWrap)) {
                PaintWrappedLabel(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp), static_cast<std::size_t>(row));
                return TRUE;
            }
            break;
        }
        case WM_CTLCOLORSTATIC:
            if (LRESULT brush = ControlColour(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp))) return brush;
            break;
        case WM_SETCURSOR: {
            HWND over = reinterpret_cast<HWND>(wp);
            const int row = over != hwnd_ ? RowOfId(GetDlgCtrlID(over)) : -1;
            if (row >= 0 && (design_.controls[row].flags & kLink) && LOWORD(lp) == HTCLIENT) {
                // Shared resource: loaded once by the system, never destroyed.
                HCURSOR hand = static_cast<HCURSOR>(LoadImageW(GetModuleHandleW(nullptr),
                                                               MAKEINTRESOURCEW(design_.controls[row].resourceId),
                                                               IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
                SetCursor(hand ? hand : LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        }
        case WM_PAINT:
            Paint();
            return 0;
        case WM_SIZE:
            LayoutStatusBar();  // a status bar docks only when told its parent's size changed
            break;
        case WM_ACTIVATE:
            // Like a dialog: the focus leaves with the window and comes back to
            // the same control.
            if (LOWORD(wp) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(hwnd_, focus)) SetPropW(hwnd_, L"MorvaneFocus", focus);
            } else {
                HWND focus = static_cast<HWND>(GetPropW(hwnd_, L"MorvaneFocus"));
                if (!focus || !IsWindow(focus) || !IsChild(hwnd_, focus)) focus = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
                if (focus) SetFocus(focus);
            }
            return 0;
        case WM_DPICHANGED: {
            const RECT* suggested = reinterpret_cast<const RECT*>(lp);
            SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                         suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
            ApplyDpi(HIWORD(wp));
            return 0;
        }
        case WM_DROPFILES:
            Drop(reinterpret_cast<HANDLE>(wp));
            return 0;
        case WM_DESTROY:
            RemovePropW(hwnd_, L"MorvaneFocus");
            break;
    }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

bool Form::PreTranslate(MSG& msg) {
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    Form* form = FromHandle(root);
    if (!form) return false;
    if (msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE)) {
        // Enter presses the focused button, else the default one; Esc the
        // cancel one. Decided here so every control behaves alike, and with
        // no such button the key does nothing: no beep, and no multi-line
        // box closing the window on its own.
        HWND focus = GetFocus();
        int row = -1;
        if (msg.wParam == VK_RETURN && focus && IsChild(root, focus) && IsPushButton(focus)) {
            row = form->RowOfId(GetDlgCtrlID(focus));
        } else {
            row = form->FindFlag(msg.wParam == VK_RETURN ? kDefault : kCancel);
        }
        if (row >= 0) form->Click(static_cast<std::size_t>(row));
        return true;
    }
    if (msg.message == WM_CHAR && (msg.wParam == L'\r' || msg.wParam == 0x1B)) return true;
    return IsDialogMessageW(root, &msg) != FALSE;
}

namespace {
void Deliver(MSG& msg) {
    if (Form::PreTranslate(msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}
}  // namespace

int RunMessageLoop() {
    MSG msg;
    BOOL got;
    while ((got = GetMessageW(&msg, nullptr, 0, 0)) != 0 && got != -1) Deliver(msg);
    return static_cast<int>(msg.wParam);
}

bool PumpMessages() {
    MSG msg;
    bool quit = false;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) quit = true;
        else Deliver(msg);
    }
    return quit;
}

}  // namespace morvane
