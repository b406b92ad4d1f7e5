#include <filesystem>
#include <fstream>

#include "GuiTest.h"
#include "forms/Form1.h"
#include "forms/Project.h"
#include "forms/frmExtractIcon.h"

namespace morvane::testing {
namespace {

class FileWindow : public GuiTest {
protected:
    Form1* mainForm = nullptr;
    FrmExtractIcon* window = nullptr;

    void SetUp() override {
        GuiTest::SetUp();
        mainForm = &StartProgram();
        Click(mainForm->Control(L"Command1"));
        window = &ExtractIconSlot();
        ASSERT_TRUE(window->IsLoaded());
    }
    std::wstring Shown(const wchar_t* name, int index = -1) const { return WindowText(window->Control(name, index)); }
    void Load(std::optional<std::wstring> answer) {
        env.openAnswers.push_back(std::move(answer));
        Click(window->Control(L"cmdLoad"));
    }
    void ExpectFields(const std::wstring& path, const std::wstring& extension, const std::wstring& display,
                      const std::wstring& type) const {
        EXPECT_EQ(Shown(L"txtFileName"), path);
        EXPECT_EQ(Shown(L"Label3"), extension);
        EXPECT_EQ(Shown(L"lblFileName"), display);
        EXPECT_EQ(Shown(L"lblFileType"), type);
    }
};

TEST_F(FileWindow, OpensWithItsCaptionsAndTheFocusInThePathBox) {
    EXPECT_EQ(WindowText(window->hWnd()), L"查看文件后缀名");
    EXPECT_EQ(Shown(L"Label1"), L"文件名:");
    EXPECT_EQ(Shown(L"Label2"), L"文件类型:");
    EXPECT_EQ(Shown(L"Label5", 1), L"后缀名:");
    EXPECT_EQ(Shown(L"Label5", 0), L"路径:");
    ExpectFields(L"", L"", L"", L"");
    EXPECT_EQ(ClientSize(window->hWnd()).cx, 319);
    EXPECT_EQ(ClientSize(window->hWnd()).cy, 142);

    EXPECT_EQ(GetFocus(), window->Control(L"txtFileName"));
    Key(VK_TAB);
    EXPECT_EQ(GetFocus(), window->Control(L"cmdLoad"));
    Key(VK_TAB);
    EXPECT_EQ(GetFocus(), window->Control(L"Command1"));
    Key(VK_TAB);
    EXPECT_EQ(GetFocus(), window->Control(L"txtFileName"));
    Key(VK_ESCAPE);  // no cancel button here
    EXPECT_TRUE(window->IsLoaded());
    EXPECT_EQ(env.ends, 0);
}

TEST_F(FileWindow, ALoadShowsPathExtensionAndTheShellsNames) {
    const std::wstring report = L"C:\\Documents\\report.txt";
    shell.knownFiles[report] = {L"report.txt", L"文本文档"};
    Load(report);
    ExpectFields(report, L"txt", L"report.txt", L"文本文档");
    ASSERT_EQ(shell.queries.size(), 2u);
    EXPECT_EQ(shell.queries[0].path, report);
    EXPECT_EQ(shell.queries[0].flags, 0x4605u);
    EXPECT_EQ(shell.queries[1].flags, 0x4604u);
    EXPECT_EQ(env.openOwners.at(0), window->hWnd());
    EXPECT_EQ(env.openInitialNames.at(0), L"");

    // A second load replaces all four; a name without extension shows none.
    const std::wstring readme = L"C:\\my.dir\\readme";
    shell.knownFiles[readme] = {L"readme", L"文件"};
    Load(readme);
    ExpectFields(readme, L"", L"readme", L"文件");
    EXPECT_EQ(env.openInitialNames.at(1), report);  // the dialog opens on the last file
}

TEST_F(FileWindow, AFailedQueryShowsNoNamesRatherThanTheLastFilesNames) {
    shell.knownFiles[L"C:\\a.doc"] = {L"a.doc", L"Word 文档"};
    Load(L"C:\\a.doc");
    Load(L"C:\\gone\\b.xls");  // the shell knows nothing of it
    ExpectFields(L"C:\\gone\\b.xls", L"xls", L"", L"");
}

TEST_F(FileWindow, CancellingKeepsWhatTheDialogHeld) {
    Load(std::nullopt);
    ExpectFields(L"", L"", L"", L"");
    EXPECT_TRUE(shell.queries.empty()) << "no file was chosen, so there is nothing to ask the shell about";

    shell.knownFiles[L"C:\\x.zip"] = {L"x.zip", L"压缩文件"};
    Load(L"C:\\x.zip");
    Load(std::nullopt);
    ExpectFields(L"C:\\x.zip", L"zip", L"x.zip", L"压缩文件");
}

TEST_F(FileWindow, EnterLoadsAndReplacesWhatWasTypedByHand) {
    Type(L"typed by hand");
    shell.knownFiles[L"D:\\pic.JPG"] = {L"pic.JPG", L"JPEG 图像"};
    env.openAnswers.push_back(L"D:\\pic.JPG");
    Key(VK_RETURN);
    EXPECT_EQ(env.openInitialNames.size(), 1u);
    ExpectFields(L"D:\\pic.JPG", L"JPG", L"pic.JPG", L"JPEG 图像");
}

TEST_F(FileWindow, ReopeningStartsAfreshButTheSameSlot) {
    shell.knownFiles[L"C:\\a.txt"] = {L"a.txt", L"文本"};
    Load(L"C:\\a.txt");
    Click(window->Control(L"Command1"));
    EXPECT_FALSE(window->IsLoaded());
    Click(mainForm->Control(L"Command1"));
    ASSERT_TRUE(window->IsLoaded());
    EXPECT_EQ(&ExtractIconSlot(), window);
    ExpectFields(L"", L"", L"", L"");
    Load(std::nullopt);
    EXPECT_EQ(env.openInitialNames.back(), L"");  // a fresh dialog holds no file name
    ExpectFields(L"", L"", L"", L"");
}

TEST_F(FileWindow, NamesOutsideTheAnsiCodePageReachTheShellIntact) {
    const std::wstring korean = L"C:\\자료\\노트 😀.한글";
    shell.knownFiles[korean] = {L"노트 😀.한글", L"한글 file"};
    Load(korean);
    ExpectFields(korean, L"한글", L"노트 😀.한글", L"한글 file");
    EXPECT_EQ(shell.queries.at(0).path, korean);
}

TEST_F(FileWindow, PathsBeyondMaxPathAreShownWhole) {
    const std::wstring deep = L"\\\\?\\C:\\" + std::wstring(400, L'd') + L"\\" + std::wstring(300, L'f') + L".dat";
    Load(deep);
    EXPECT_EQ(Shown(L"txtFileName"), deep);
    EXPECT_EQ(Shown(L"Label3"), L"dat");
}

TEST_F(FileWindow, TheRealShellNamesARealFile) {
    Declares::SetApi(nullptr);
    const auto folder = std::filesystem::temp_directory_path() / L"morvane-test";
    std::filesystem::create_directories(folder);
    const auto file = folder / L"测试文件.txt";
    std::ofstream(file) << "hello";
    Load(file.wstring());
    EXPECT_EQ(Shown(L"txtFileName"), file.wstring());
    EXPECT_EQ(Shown(L"Label3"), L"txt");
    EXPECT_EQ(Shown(L"lblFileName"), L"测试文件.txt");
    EXPECT_FALSE(Shown(L"lblFileType").empty());
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace morvane::testing
