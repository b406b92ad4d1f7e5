#include "GuiTest.h"

namespace morvane::testing {
namespace {

class AboutWindow : public GuiTest {
protected:
    FrmAbout& about = AboutSlot();
    void SetUp() override {
        GuiTest::SetUp();
        Click(main->Control(L"Command3"));
        ASSERT_TRUE(about.IsLoaded());
    }
};

TEST_F(AboutWindow, ShowsVersionUsageAndWholeLinksWithTheHandPointer) {
    EXPECT_EQ(TextOf(about.hWnd()), L"");
    if (about.Dpi() == 96) {
        EXPECT_EQ(RectOf(about.hWnd()), (std::vector<LONG>{386, 218}));  // 5790 x 3270 twips
    }
    EXPECT_EQ(GetFocus(), about.Control(L"cmdOK"));
    EXPECT_EQ(TextOf(about.Control(L"lblDescription", 2)), L"版本：Free V2.0");
    const std::wstring usage = TextOf(about.Control(L"lblDescription", 0));
    EXPECT_EQ(usage.size(), 4u + 149 + 63 + 34 + 59 + 28);
    EXPECT_NE(usage.find(L"的文本框内。" + std::wstring(63, L' ') + L"如果您有什么"), std::wstring::npos);
    EXPECT_NE(usage.find(L"看看。" + std::wstring(59, L' ') + L"如果您知道"), std::wstring::npos);

    HWND mail = about.Control(L"Label2");
    EXPECT_EQ(TextOf(mail), std::wstring(L"E-mail:") + kMailAddress);
    EXPECT_LT(RectOf(mail)[2], RectOf(about.hWnd())[0]);  // sized to its text, which shows whole

    for (HWND link : {about.Control(L"Label1"), mail}) {
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        SendMessageW(about.hWnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(link), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        ICONINFO hand{};
        ASSERT_TRUE(GetIconInfo(GetCursor(), &hand));
        EXPECT_EQ(std::make_pair(hand.xHotspot, hand.yHotspot), std::make_pair(12ul, 1ul));
        DeleteObject(hand.hbmMask);
        DeleteObject(hand.hbmColor);
    }
}

TEST_F(AboutWindow, LinksAndUpdateOpenTheirAddressesAndLeaveTheWindowOpen) {
    for (const wchar_t* name : {L"Command2", L"Label1", L"Label2"}) Click(about.Control(name));
    const std::wstring home = std::wstring(L"http://") + kWebHost;
    ASSERT_EQ(rec.opened.size(), 3u);
    DoubleClick(about.Control(L"Label1"));  // a link counts each of two quick clicks too
    ASSERT_EQ(rec.opened.size(), 5u);
    EXPECT_EQ(rec.opened[4].file, home);
    const std::tuple<HWND, std::wstring, INT> expected[] = {
        {nullptr, home + L"/updata.htm", SW_SHOWMAXIMIZED}, {nullptr, home, SW_SHOWMAXIMIZED},
        {about.hWnd(), std::wstring(L"mailto:") + kMailAddress, SW_HIDE}};
    for (std::size_t i = 0; i < 3; ++i) {
        const auto& call = rec.opened[i];
        EXPECT_EQ(std::make_tuple(call.owner, call.file, call.show), expected[i]) << i;
        EXPECT_TRUE(call.verb == L"open" && call.noParameters && call.noDirectory);
    }
    EXPECT_TRUE(about.IsLoaded());
}

TEST_F(AboutWindow, EnterPressesTheFocusedButtonElseClosesEscClosesAndItReopensCentred) {
    SetFocus(about.Control(L"Command2"));
    Key(VK_RETURN);
    EXPECT_EQ(rec.opened.size(), 1u);
    Key(VK_ESCAPE);
    EXPECT_FALSE(about.IsLoaded());
    Click(main->Control(L"Command3"));
    Key(VK_RETURN);
    EXPECT_FALSE(about.IsLoaded());
    for (const wchar_t* focus : {L"cmdOK", L"Command1"}) {  // Esc closes it from either button
        Click(main->Control(L"Command3"));
        SetFocus(about.Control(focus));
        Key(VK_ESCAPE);
        EXPECT_FALSE(about.IsLoaded()) << focus;
    }
    Click(main->Control(L"Command3"));
    Click(about.Control(L"Command1"));  // 退出 closes it too, and only it
    EXPECT_TRUE(!about.IsLoaded() && main->IsLoaded() && rec.ends == 0);

    Click(main->Control(L"Command3"));
    SetWindowPos(about.hWnd(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SendMessageW(about.hWnd(), WM_CLOSE, 0, 0);  // the close box
    Click(main->Control(L"Command3"));
    EXPECT_EQ(&AboutSlot(), &about);
    EXPECT_TRUE(Centred(about.hWnd()));
    Click(main->Control(L"Command4"));  // the main window's exit ends everything
    EXPECT_EQ(rec.ends, 1);
}

}  // namespace
}  // namespace morvane::testing
