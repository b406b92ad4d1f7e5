#include "GuiTest.h"
#include "MorvaneConfig.h"
#include "forms/Form1.h"
#include "forms/Project.h"
#include "forms/frmAbout.h"
#include "resources/resource.h"

namespace morvane::testing {
namespace {

class AboutWindow : public GuiTest {
protected:
    Form1* mainForm = nullptr;
    FrmAbout* about = nullptr;

    void SetUp() override {
        GuiTest::SetUp();
        mainForm = &StartProgram();
        Click(mainForm->Control(L"Command3"));
        about = &AboutSlot();
        ASSERT_TRUE(about->IsLoaded());
    }
    std::wstring Shown(const wchar_t* name, int index = -1) const { return WindowText(about->Control(name, index)); }
};

TEST_F(AboutWindow, ShowsVersionUsageAndLinks) {
    EXPECT_EQ(WindowText(about->hWnd()), L"");
    EXPECT_EQ(GetFocus(), about->Control(L"cmdOK"));
    EXPECT_EQ(Shown(L"lblDescription", 1), L"Morvane");
    EXPECT_EQ(Shown(L"lblDescription", 2), L"版本：Free V2.0");
    EXPECT_EQ(Shown(L"Label1"), std::wstring(L"网址:http://") + kWebHost);
    EXPECT_EQ(Shown(L"Label2"), std::wstring(L"E-mail:") + kMailAddress);
    EXPECT_FALSE(GetWindowLongW(about->hWnd(), GWL_STYLE) & (WS_MAXIMIZEBOX | WS_THICKFRAME));

    const std::wstring usage = Shown(L"lblDescription", 0);
    EXPECT_EQ(usage.find(L"    如果您不知道某个文件的后缀名是什么"), 0u);
    EXPECT_NE(usage.find(L"的文本框内。" + std::wstring(63, L' ') + L"如果您有什么好的意见"), std::wstring::npos);
    EXPECT_NE(usage.find(L"看看。" + std::wstring(59, L' ') + L"如果您知道的后缀名"), std::wstring::npos);
    EXPECT_EQ(usage.size(), 4u + 149u + 63u + 34u + 59u + 28u);

    // Links show whole, and inside the window.
    for (const wchar_t* link : {L"Label1", L"Label2"}) {
        const RECT rect = RectInParent(about->Control(link));
        HDC dc = GetDC(about->Control(link));
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(about->Control(link), WM_GETFONT, 0, 0)));
        SIZE extent{};
        const std::wstring text = Shown(link);
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        ReleaseDC(about->Control(link), dc);
        EXPECT_GE(rect.right - rect.left, extent.cx);
        EXPECT_LE(rect.right, ClientSize(about->hWnd()).cx);
    }
}

TEST_F(AboutWindow, LinksAndUpdateButtonOpenTheirAddressesAndStayOpen) {
    Click(about->Control(L"Command2"));
    Click(about->Control(L"Label1"));
    Click(about->Control(L"Label2"));
    ASSERT_EQ(shell.executions.size(), 3u);
    const std::wstring home = std::wstring(L"http://") + kWebHost;
    const struct {
        HWND owner;
        std::wstring file;
        INT show;
    } expected[] = {
        {nullptr, home + L"/updata.htm", SW_SHOWMAXIMIZED},
        {nullptr, home, SW_SHOWMAXIMIZED},
        {about->hWnd(), std::wstring(L"mailto:") + kMailAddress, SW_HIDE},
    };
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(shell.executions[i].owner, expected[i].owner) << i;
        EXPECT_EQ(shell.executions[i].verb, L"open") << i;
        EXPECT_EQ(shell.executions[i].file, expected[i].file) << i;
        EXPECT_TRUE(shell.executions[i].parametersNull && shell.executions[i].directoryNull) << i;
        EXPECT_EQ(shell.executions[i].show, expected[i].show) << i;
    }
    EXPECT_TRUE(about->IsLoaded());
}

TEST_F(AboutWindow, LinksShowTheHandPointer) {
    HWND link = about->Control(L"Label2");
    SendMessageW(about->hWnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(link), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    HCURSOR hand = static_cast<HCURSOR>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_LINK_HAND),
                                                   IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    ASSERT_NE(hand, nullptr);
    EXPECT_EQ(GetCursor(), hand);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(hand, &info));
    EXPECT_EQ(info.xHotspot, 12u);
    EXPECT_EQ(info.yHotspot, 1u);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
}

TEST_F(AboutWindow, EnterPressesTheFocusedButtonElseClosesAndEscAlwaysCloses) {
    SetFocus(about->Control(L"Command2"));
    Key(VK_RETURN);
    EXPECT_EQ(shell.executions.size(), 1u);
    EXPECT_TRUE(about->IsLoaded());
    Key(VK_ESCAPE);
    EXPECT_FALSE(about->IsLoaded());
    EXPECT_EQ(env.ends, 0);

    Click(mainForm->Control(L"Command3"));
    ASSERT_TRUE(about->IsLoaded());
    Key(VK_RETURN);
    EXPECT_FALSE(about->IsLoaded());

    Click(mainForm->Control(L"Command3"));
    SetFocus(about->Control(L"Command1"));
    Key(VK_RETURN);
    EXPECT_FALSE(about->IsLoaded());
    EXPECT_TRUE(mainForm->IsLoaded());
}

TEST_F(AboutWindow, ReopensCentredAsTheSameWindowSlot) {
    SetWindowPos(about->hWnd(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    RECT moved{};
    GetWindowRect(about->hWnd(), &moved);
    EXPECT_EQ(moved.left, 0);
    SendMessageW(about->hWnd(), WM_CLOSE, 0, 0);  // the close box
    Pump();
    EXPECT_FALSE(about->IsLoaded());
    Click(mainForm->Control(L"Command3"));
    EXPECT_EQ(&AboutSlot(), about);
    RECT window{};
    GetWindowRect(about->hWnd(), &window);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(about->hWnd(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    EXPECT_NEAR(window.left + window.right, monitor.rcWork.left + monitor.rcWork.right, 1);
}

TEST_F(AboutWindow, TheExitButtonOfTheMainWindowEndsEverything) {
    Click(mainForm->Control(L"Command1"));
    Click(mainForm->Control(L"Command4"));
    EXPECT_EQ(env.ends, 1);
}

}  // namespace
}  // namespace morvane::testing
