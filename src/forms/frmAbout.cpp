#include "forms/frmAbout.h"

#include <string>

#include "forms/Project.h"
#include "platform/Declares.h"
#include "resources/resource.h"

namespace morvane {
namespace {

// The usage text lays itself out in the label with runs of blanks, as it
// always has: 4 before the first paragraph, then 63 and 59 between them.
const std::wstring& UsageText() {
    static const std::wstring text = std::wstring(4, L' ') +
        L"如果您不知道某个文件的后缀名是什么，那就用这个查吧，直接输入后缀名，软件就会自动显示出这个后缀名的解译。"
        L"如果您看到一个文件但不知道后缀名是什么，别急单击“查看文件后缀名”这时您单击“载入文件”这是您就可以选择您想知道的文件。"
        L"看吧后缀名是不是就知道了，然后再输入到“请输入要查寻的后缀名”的文本框内。" +
        std::wstring(63, L' ') + L"如果您有什么好的意见请给我发信或留言，有空记得来“Veyra”看看。" + std::wstring(59, L' ') +
        L"如果您知道的后缀名这个东东上没有请您告诉我，资源共享嘛。";
    return text;
}

const std::wstring& HomeCaption() {
    static const std::wstring text = L"网址:" + HomePageAddress();
    return text;
}

const std::wstring& MailCaption() {
    static const std::wstring text = L"E-mail:" + MailAddress();
    return text;
}

void cmdOK_Click(Form& form) { form.Unload(); }

void Command1_Click(Form& form) { form.Unload(); }

void Command2_Click(Form&) { OpenWebPage(UpdatePageAddress()); }

void Label1_Click(Form&) { OpenWebPage(HomePageAddress()); }

// The mail program is started hidden, with this window as its owner.
void Label2_Click(Form& form) {
    const std::wstring address = L"mailto:" + MailAddress();
    Declares::Api().Execute(form.hWnd(), L"open", address.c_str(), nullptr, nullptr, SW_HIDE);
}

using K = ControlKind;
constexpr Colour kBlack = Colour::Rgb(0, 0, 0);
constexpr Colour kLinkBlue = Colour::Rgb(0, 0, 255);

const ControlDesign kControls[] = {
    // kind, name, index, caption, left, top, width, height (twips), tab index, flags, colour, click, change, resource
    {K::Button, L"cmdOK", -1, L"确定", 120, 2880, 1500, 345, 0, kDefault | kCancel, {}, cmdOK_Click},
    {K::Label, L"lblDescription", 0, UsageText(), 120, 1080, 5445, 1650, 1, kWrap, kBlack},
    {K::Picture, L"Picture1", -1, L"", 480, 120, 480, 480, 2, 0, {}, nullptr, nullptr, IDI_ABOUT_PICTURE},
    // The links size themselves to their text, so that an address set at
    // build time always shows whole and only the text itself is clickable.
    {K::Label, L"Label1", -1, HomeCaption(), 1920, 480, 2295, 255, 3, kLink | kAutoSize, kLinkBlue, Label1_Click, nullptr,
     IDC_LINK_HAND},
    {K::Label, L"Label2", -1, MailCaption(), 1800, 720, 2775, 255, 4, kLink | kAutoSize, kLinkBlue, Label2_Click, nullptr,
     IDC_LINK_HAND},
    {K::Button, L"Command1", -1, L"退出", 3840, 2880, 1500, 345, 5, 0, {}, Command1_Click},
    {K::Button, L"Command2", -1, L"在线升级", 2040, 2880, 1500, 345, 6, 0, {}, Command2_Click},
    {K::Label, L"lblDescription", 1, L"Morvane", 2400, 120, 1125, 210, 7, 0, kBlack},
    {K::Label, L"lblDescription", 2, L"版本：Free V2.0", 120, 720, 1365, 210, 8, 0, kBlack},
};

// An etched separator above the buttons: a white line under a grey one.
constexpr LineDesign kLines[] = {
    {0, 2760, 5760, 2760, RGB(255, 255, 255), 2, false},  // Line1(0)
    {-120, 2760, 5760, 2760, RGB(128, 128, 128), 1, true},  // Line1(1)
};

const FormDesign kDesign = {
    L"frmAbout", L"", 5790, 3270, IDI_ABOUT_WINDOW, false, kControls, {}, kLines,
};

}  // namespace

FrmAbout::FrmAbout() : Form(kDesign) {}

}  // namespace morvane
