// Every text of every window whole in its box, and none under another
// control, at the message font of the Wine prefix the test runs in: the
// usual WenQuanYi Micro Hei, and a tall prefix whose Noto Sans CJK SC stands
// in for a zh-CN Windows' Microsoft YaHei UI at 9 points (tests/gui/CMakeLists.txt
// runs this file there at 96, 120, 144 and 192 DPI).
#include <cstdlib>

#include "GuiTest.h"

namespace morvane::testing {
namespace {

struct Extent {
    int widthPx, cellPx;
};

Extent Measure(HWND control, std::wstring_view text) {
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return {static_cast<int>(size.cx), static_cast<int>(metrics.tmHeight)};
}

RECT InParent(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return name;
}

// The checks a reader's eye makes, one window at a time.
void ExpectEveryTextFits(const Form& form) {
    SCOPED_TRACE(std::wstring(form.Design().name).size() ? std::string(form.Design().name.begin(), form.Design().name.end()) : "");
    const int edgePx = MulDiv(2, static_cast<int>(form.Dpi()), 96);  // a button's frame, scaled
    std::vector<std::pair<HWND, RECT>> texts;  // where each control shows text
    int lowestControlPx = 0;
    HWND statusBar = nullptr;
    for (const ControlDesign& row : form.Design().controls) {
        if (row.kind == ControlKind::Picture) continue;
        HWND control = form.Control(row.name, row.index);
        const std::string name(row.name.begin(), row.name.end());
        RECT client{};
        GetClientRect(control, &client);
        const std::wstring text = GuiTest::TextOf(control);
        const Extent extent = Measure(control, text);
        RECT shown = InParent(control);
        const std::wstring cls = ClassOf(control);
        if (row.kind == ControlKind::Label && (row.flags & kWrap)) {
            const WrappedText layout = form.WrappedLayout(row.name, row.index);
            EXPECT_GE(layout.pitchPx, layout.glyphHeightPx) << name;
            EXPECT_LE(static_cast<int>(layout.lines.size()) * layout.pitchPx, client.bottom) << name << ": the usage text is cut";
        } else if (row.kind == ControlKind::Label) {
            EXPECT_LE(extent.widthPx, client.right) << name;
            EXPECT_LE(extent.cellPx, client.bottom) << name;
            shown.right = shown.left + extent.widthPx;
            shown.bottom = shown.top + extent.cellPx;
        } else if (row.kind == ControlKind::TextBox) {
            EXPECT_LE(extent.cellPx, client.bottom) << name << ": a line of text is taller than the box";
        } else if (row.kind == ControlKind::Button) {
            EXPECT_LE(extent.widthPx, client.right - 2 * edgePx) << name;
            EXPECT_LE(extent.cellPx, client.bottom - 2 * edgePx) << name;
        } else if (row.kind == ControlKind::StatusBar) {
            statusBar = control;
            for (int p = 0; p < static_cast<int>(form.Design().panels.size()); ++p) {
                RECT part{};
                SendMessageW(control, SB_GETRECT, p, reinterpret_cast<LPARAM>(&part));
                const Extent panel = Measure(control, form.Design().panels[p].text);
                EXPECT_LE(panel.widthPx, part.right - part.left - 2 * edgePx) << "panel " << p;
                EXPECT_LE(panel.cellPx, part.bottom - part.top) << "panel " << p;
            }
        }
        if (row.kind != ControlKind::StatusBar) lowestControlPx = std::max<int>(lowestControlPx, InParent(control).bottom);
        texts.emplace_back(control, shown);
    }
    if (statusBar) {
        EXPECT_GE(InParent(statusBar).top, lowestControlPx) << "the status bar covers the buttons";
    }
    // A label's box may reach under a neighbour, as the main window's prompt
    // does by design; what it paints may not.
    for (std::size_t a = 0; a < texts.size(); ++a) {
        for (std::size_t b = a + 1; b < texts.size(); ++b) {
            RECT overlap{};
            EXPECT_FALSE(IntersectRect(&overlap, &texts[a].second, &texts[b].second))
                << "controls " << GetDlgCtrlID(texts[a].first) << " and " << GetDlgCtrlID(texts[b].first) << " overlap";
        }
    }
}

class Fit : public GuiTest {};

TEST_F(Fit, EveryTextIsWholeInItsBoxAtTheMessageFont) {
    if (const char* dpi = std::getenv("MORVANE_EXPECT_DPI")) {
        ASSERT_EQ(main->Dpi(), static_cast<UINT>(std::atoi(dpi)));
    }
    // The message font's face; its size only as far reduced as fitting needs.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTW used{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(main->Control(L"Text1"), WM_GETFONT, 0, 0)), sizeof used, &used);
    EXPECT_STREQ(used.lfFaceName, metrics.lfMessageFont.lfFaceName);
    EXPECT_GE(std::abs(used.lfHeight) * 4, std::abs(metrics.lfMessageFont.lfHeight) * 3);

    // The description box shows the longest description whole.
    std::u16string_view longest;
    for (const ExtensionEntry& row : ExtensionTable())
        if (row.description.size() > longest.size()) longest = row.description;
    HWND text2 = main->Control(L"Text2");
    SetWindowTextW(text2, reinterpret_cast<const wchar_t*>(std::u16string(longest).c_str()));
    RECT client{};
    GetClientRect(text2, &client);
    EXPECT_LE(static_cast<int>(SendMessageW(text2, EM_GETLINECOUNT, 0, 0)) * Measure(text2, L"x").cellPx, client.bottom);
    SetWindowTextW(text2, L"");

    ExpectEveryTextFits(*main);
    Click(main->Control(L"Command1"));
    ExpectEveryTextFits(ExtractIconSlot());
    Click(main->Control(L"Command3"));
    ExpectEveryTextFits(AboutSlot());
}

TEST_F(Fit, MovedToAnotherDpiTheWindowsFitAgain) {
    for (UINT dpi : {144u, 120u}) {
        // What Windows suggests: room for the client area at the new DPI
        // (Wine keeps the frame's size whatever the DPI).
        RECT suggested{}, client{};
        GetWindowRect(main->hWnd(), &suggested);
        GetClientRect(main->hWnd(), &client);
        suggested.right += TwipsToPixels(main->Design().clientWidthTw, dpi) - client.right;
        suggested.bottom += TwipsToPixels(main->Design().clientHeightTw, dpi) - client.bottom;
        SendMessageW(main->hWnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        ExpectEveryTextFits(*main);
    }
}

}  // namespace
}  // namespace morvane::testing
