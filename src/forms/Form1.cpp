#include "forms/Form1.h"

#include "forms/GetExtension.h"
#include "forms/Project.h"
#include "forms/frmAbout.h"
#include "forms/frmExtractIcon.h"
#include "platform/Text.h"
#include "resources/resource.h"

namespace morvane {
namespace {

void Text1_Change(Form& form) { LookupExtension(static_cast<Form1&>(form)); }

void Command1_Click(Form&) { ExtractIconSlot().Show(); }

// The guestbook is where users report an extension the table lacks.
void Command2_Click(Form&) { OpenWebPage(GuestbookAddress()); }

void Command3_Click(Form&) { AboutSlot().Show(); }

void Command4_Click(Form&) { End(); }

void Form1_Drop(Form& form, const std::wstring& path) { static_cast<Form1&>(form).TypeExtensionOf(path); }

using K = ControlKind;
constexpr ControlDesign kControls[] = {
    // kind, name, index, caption, left, top, width, height (twips), tab index, flags, colour, click, change
    {K::StatusBar, L"StatusBar1", -1, L"", 0, 2430, 5565, 255, 0},
    {K::TextBox, L"Text1", -1, L"", 2160, 120, 3015, 270, 1, 0, {}, nullptr, Text1_Change},
    {K::TextBox, L"Text2", -1, L"", 120, 480, 5295, 1455, 2, kMultiLine | kLocked},
    {K::Button, L"Command3", -1, L"关  于", 3240, 2040, 1095, 300, 3, 0, {}, Command3_Click},
    {K::Button, L"Command4", -1, L"退  出", 4440, 2040, 975, 300, 4, kCancel, {}, Command4_Click},
    {K::Label, L"Label1", -1, L"请输入要查寻的后缀名： ", 240, 120, 2055, 255, 5, 0, Colour::Sys(COLOR_WINDOWFRAME)},
    {K::Button, L"Command1", -1, L"查看文件后缀名", 120, 2040, 1455, 300, 6, 0, {}, Command1_Click},
    {K::Button, L"Command2", -1, L"没有这个后缀名", 1680, 2040, 1455, 300, 7, 0, {}, Command2_Click},
};

constexpr PanelDesign kPanels[] = {
    {L"Morvane Free 2.0", 2760},
    {L"Veyra ", 2760},
};

constexpr FormDesign kDesign = {
    L"Form1", L"Morvane2.0", 5565, 2685, IDI_APPLICATION_ICON, true, kControls, kPanels, {}, Form1_Drop,
};

}  // namespace

Form1::Form1() : Form(kDesign) {}

std::u16string Form1::InputText() const { return ToU16(Text(L"Text1")); }

void Form1::SetDescription(std::u16string_view description) { SetText(L"Text2", ToWide(description)); }

void Form1::TypeExtensionOf(const std::wstring& path) {
    // The extension as the file window computes it; none leaves the input empty.
    const auto extension = GetExtension(ToU16(path));
    SetText(L"Text1", extension ? ToWide(*extension) : std::wstring());
    PlaceCaretAtEnd(L"Text1");
}

}  // namespace morvane
