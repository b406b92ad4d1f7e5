#include "forms/Project.h"

#include <memory>

#include "MorvaneConfig.h"
#include "forms/Form1.h"
#include "forms/frmAbout.h"
#include "forms/frmExtractIcon.h"
#include "platform/Declares.h"

namespace morvane {
namespace {
std::unique_ptr<Form1> g_main;
std::unique_ptr<FrmExtractIcon> g_extractIcon;
std::unique_ptr<FrmAbout> g_about;
}  // namespace

Form1& StartProgram(const std::optional<std::wstring>& path) {
    if (!g_main) g_main = std::make_unique<Form1>();
    g_main->Show();
    if (path && !path->empty()) g_main->TypeExtensionOf(*path);
    return *g_main;
}

FrmExtractIcon& ExtractIconSlot() {
    if (!g_extractIcon) g_extractIcon = std::make_unique<FrmExtractIcon>();
    return *g_extractIcon;
}

FrmAbout& AboutSlot() {
    if (!g_about) g_about = std::make_unique<FrmAbout>();
    return *g_about;
}

void ResetProgramForTesting() {
    g_extractIcon.reset();
    g_about.reset();
    g_main.reset();
}

void OpenWebPage(const std::wstring& address) {
    Declares::Api().Execute(nullptr, L"open", address.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
}

std::wstring HomePageAddress() { return std::wstring(L"http://") + kWebHost; }
std::wstring UpdatePageAddress() { return HomePageAddress() + L"/updata.htm"; }
std::wstring GuestbookAddress() { return HomePageAddress() + L"/guestbook/default.asp"; }
std::wstring MailAddress() { return kMailAddress; }

}  // namespace morvane
