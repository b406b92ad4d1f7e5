#include "GuiTest.h"

#include <commctrl.h>

#include "forms/Project.h"

namespace morvane::testing {

BOOL RecordingEnvironment::ShowOpenDialog(OPENFILENAMEW* ofn) {
    openInitialNames.emplace_back(ofn->lpstrFile);
    openOwners.push_back(ofn->hwndOwner);
    if (openAnswers.empty() || !openAnswers.front()) {
        if (!openAnswers.empty()) openAnswers.pop_front();
        return FALSE;  // a cancelled dialog leaves the buffer untouched
    }
    const std::wstring answer = *openAnswers.front();
    openAnswers.pop_front();
    if (answer.size() + 1 > ofn->nMaxFile) return FALSE;
    answer.copy(ofn->lpstrFile, answer.size());
    ofn->lpstrFile[answer.size()] = L'\0';
    return TRUE;
}

HINSTANCE RecordingShell::Execute(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory,
                                  INT show) {
    executions.push_back({owner, verb ? verb : L"", file ? file : L"", parameters == nullptr, directory == nullptr, show});
    return reinterpret_cast<HINSTANCE>(33);
}

DWORD_PTR RecordingShell::GetFileInfo(LPCWSTR path, DWORD, SHFILEINFOW* info, UINT infoSize, UINT flags) {
    queries.push_back({path, flags});
    EXPECT_EQ(infoSize, sizeof(SHFILEINFOW));
    const auto found = knownFiles.find(path);
    if (found == knownFiles.end()) return 0;  // a failed query fills nothing
    wcsncpy(info->szDisplayName, found->second.first.c_str(), MAX_PATH - 1);
    wcsncpy(info->szTypeName, found->second.second.c_str(), 79);
    return 1;
}

void GuiTest::SetUp() {
    static const bool initialised = [] {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    ASSERT_TRUE(initialised);
    SetEnvironment(&env);
    Declares::SetApi(&shell);
    Declares::FileInfo() = SHFILEINFOW{};
    Pump();
}

void GuiTest::TearDown() {
    ResetProgramForTesting();
    Pump();
    SetEnvironment(nullptr);
    Declares::SetApi(nullptr);
}

bool GuiTest::Type(std::wstring_view text) {
    bool quit = false;
    for (wchar_t c : text) {
        PostMessageW(GetFocus(), WM_CHAR, c, 1);
        quit |= Pump();
    }
    return quit;
}

bool GuiTest::Key(UINT virtualKey) {
    HWND focus = GetFocus();
    PostMessageW(focus, WM_KEYDOWN, virtualKey, 1);
    PostMessageW(focus, WM_KEYUP, virtualKey, 1 | (1u << 30) | (1u << 31));
    return Pump();
}

bool GuiTest::Click(HWND control) {
    PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    return Pump();
}

std::wstring GuiTest::WindowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

SIZE GuiTest::ClientSize(HWND hwnd) {
    RECT rect{};
    GetClientRect(hwnd, &rect);
    return SIZE{rect.right, rect.bottom};
}

RECT GuiTest::RectInParent(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace morvane::testing
