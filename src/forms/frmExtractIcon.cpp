#include "forms/frmExtractIcon.h"

#include <cwchar>

#include "forms/GetExtension.h"
#include "platform/Declares.h"
#include "platform/Text.h"
#include "resources/resource.h"

namespace morvane {
namespace {

// The shell's name fields up to their first NUL; bounded by the field in
// case a shell fills it to the brim.
template <std::size_t N>
std::wstring UpToNul(const wchar_t (&field)[N]) {
    return std::wstring(field, wcsnlen(field, N));
}

// Without SHGFI_EXETYPE: the shell refuses it in company with other flags
// and would then fill no name at all.
constexpr UINT kQuerySmall = SHGFI_SYSICONINDEX | SHGFI_TYPENAME | SHGFI_DISPLAYNAME | SHGFI_SHELLICONSIZE |
                             SHGFI_SMALLICON;  // 0x4605
constexpr UINT kQueryLarge = kQuerySmall & ~SHGFI_SMALLICON;  // 0x4604
static_assert(kQuerySmall == 0x4605 && kQueryLarge == 0x4604);

// Shows the file the dialog now holds: path, extension, the shell's names.
void ShowChosenFile(FrmExtractIcon& self) {
    self.SetText(L"txtFileName", self.CommonDialog1.FileName());
    const std::wstring path = self.Text(L"txtFileName");
    const auto extension = GetExtension(ToU16(self.CommonDialog1.FileName()));
    self.SetCaption(L"Label3", extension ? ToWide(*extension) : std::wstring());

    // The record outlives the window; clearing its names first keeps a failed
    // query from showing the previous file's names beside the new path.
    SHFILEINFOW& info = Declares::FileInfo();
    info.szDisplayName[0] = L'\0';
    info.szTypeName[0] = L'\0';
    // The shell reads the empty path as the current folder, whose names have
    // nothing to do with a dialog the user cancelled.
    if (!path.empty()) {
        Declares::Api().GetFileInfo(path.c_str(), 0, &info, sizeof info, kQuerySmall);
        Declares::Api().GetFileInfo(path.c_str(), 0, &info, sizeof info, kQueryLarge);
    }
    self.SetCaption(L"lblFileName", UpToNul(info.szDisplayName));
    self.SetCaption(L"lblFileType", UpToNul(info.szTypeName));
}

void cmdLoad_Click(Form& form) {
    auto& self = static_cast<FrmExtractIcon&>(form);
    self.CommonDialog1.ShowOpen(self.hWnd());
    if (self.IsLoaded()) ShowChosenFile(self);
}

// A file dropped on the window loads as if chosen in the dialog.
void frmExtractIcon_Drop(Form& form, const std::wstring& path) {
    auto& self = static_cast<FrmExtractIcon&>(form);
    self.CommonDialog1.SetFileName(path);
    ShowChosenFile(self);
}

void Command1_Click(Form& form) { form.Unload(); }

using K = ControlKind;
constexpr ControlDesign kControls[] = {
    // kind, name, index, caption, left, top, width, height (twips), tab index, flags, colour, click
    {K::Label, L"Label1", -1, L"文件名:", 120, 120, 630, 180, 4, kAutoSize},
    {K::Label, L"lblFileName", -1, L"", 840, 120, 3330, 180, 2, kAutoSize},
    {K::Label, L"Label2", -1, L"文件类型:", 120, 480, 810, 180, 5, kAutoSize},
    {K::Label, L"lblFileType", -1, L"", 960, 480, 3690, 180, 3, kAutoSize},
    {K::Label, L"Label5", 1, L"后缀名:", 120, 840, 630, 180, 7, kAutoSize},
    {K::Label, L"Label3", -1, L"", 840, 840, 2415, 255, 8},
    {K::Label, L"Label5", 0, L"路径:", 120, 1320, 450, 180, 6, kAutoSize},
    {K::TextBox, L"txtFileName", -1, L"", 600, 1320, 4095, 285, 0},
    {K::Button, L"cmdLoad", -1, L"载入文件", 960, 1680, 1215, 375, 1, kDefault, {}, cmdLoad_Click},
    {K::Button, L"Command1", -1, L"退出", 3120, 1680, 1215, 375, 9, 0, {}, Command1_Click},
};

constexpr FormDesign kDesign = {
    L"frmExtractIcon", L"查看文件后缀名", 4785, 2130, IDI_FILE_WINDOW, true, kControls, {}, {}, frmExtractIcon_Drop,
};

}  // namespace

FrmExtractIcon::FrmExtractIcon() : Form(kDesign) {}

}  // namespace morvane
