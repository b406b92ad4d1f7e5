#include "GuiTest.h"

namespace morvane::testing {
namespace {

class FileWindow : public GuiTest {
protected:
    FrmExtractIcon& window = ExtractIconSlot();

    void SetUp() override {
        GuiTest::SetUp();
        Click(main->Control(L"Command1"));
        ASSERT_TRUE(window.IsLoaded());
    }
    void Load(std::optional<std::wstring> pick) {
        rec.picks.push_back(std::move(pick));
        Click(window.Control(L"cmdLoad"));
    }
    // Path, extension, display name, type name, as the window shows them.
    std::vector<std::wstring> Shown() const {
        std::vector<std::wstring> fields;
        for (const wchar_t* name : {L"txtFileName", L"Label3", L"lblFileName", L"lblFileType"})
            fields.push_back(TextOf(window.Control(name)));
        return fields;
    }
    using Fields = std::vector<std::wstring>;
};

TEST_F(FileWindow, LoadsShowFourFactsAndEachLoadReplacesThem) {
    EXPECT_EQ(TextOf(window.hWnd()), L"查看文件后缀名");
    EXPECT_EQ(RectOf(window.hWnd()), (std::vector<LONG>{319, 142}));
    EXPECT_EQ(Shown(), (Fields{L"", L"", L"", L""}));
    rec.files[L"C:\\Documents\\report.txt"] = {L"report.txt", L"文本文档"};
    Load(L"C:\\Documents\\report.txt");
    EXPECT_EQ(Shown(), (Fields{L"C:\\Documents\\report.txt", L"txt", L"report.txt", L"文本文档"}));
    // Both queries name the file; SHGFI_EXETYPE is left out, or the shell would fill nothing.
    EXPECT_EQ(rec.queries, (std::vector<std::pair<std::wstring, UINT>>{{L"C:\\Documents\\report.txt", 0x4605}, {L"C:\\Documents\\report.txt", 0x4604}}));

    rec.files[L"C:\\my.dir\\readme"] = {L"readme", L"文件"};
    Load(L"C:\\my.dir\\readme");
    EXPECT_EQ(Shown(), (Fields{L"C:\\my.dir\\readme", L"", L"readme", L"文件"}));
    EXPECT_EQ(rec.dialogStartNames, (Fields{L"", L"C:\\Documents\\report.txt"}));

    Load(L"C:\\gone\\b.xls");  // the shell knows nothing of it: no names, not the last file's
    EXPECT_EQ(Shown(), (Fields{L"C:\\gone\\b.xls", L"xls", L"", L""}));
}

TEST_F(FileWindow, CancelKeepsWhatTheDialogHeldAndAFreshWindowHoldsNothing) {
    Load(std::nullopt);
    EXPECT_EQ(Shown(), (Fields{L"", L"", L"", L""}));
    EXPECT_TRUE(rec.queries.empty()) << "no file, so nothing to ask the shell about";
    rec.files[L"C:\\x.zip"] = {L"x.zip", L"压缩文件"};
    Load(L"C:\\x.zip");
    Load(std::nullopt);
    EXPECT_EQ(Shown(), (Fields{L"C:\\x.zip", L"zip", L"x.zip", L"压缩文件"}));

    Click(window.Control(L"Command1"));
    EXPECT_FALSE(window.IsLoaded());
    Click(main->Control(L"Command1"));
    EXPECT_EQ(Shown(), (Fields{L"", L"", L"", L""}));
    Load(std::nullopt);
    EXPECT_EQ(rec.dialogStartNames.back(), L"");
}

TEST_F(FileWindow, EnterInThePathBoxLoadsOverWhatWasTyped) {
    EXPECT_EQ(GetFocus(), window.Control(L"txtFileName"));
    for (const wchar_t* name : {L"cmdLoad", L"Command1", L"txtFileName"}) {
        Key(VK_TAB);
        EXPECT_EQ(GetFocus(), window.Control(name));
    }
    Type(L"typed by hand");
    rec.picks.push_back(L"D:\\pic.JPG");
    Key(VK_RETURN);
    EXPECT_EQ(Shown()[0], L"D:\\pic.JPG");
    EXPECT_EQ(Shown()[1], L"JPG");
    Key(VK_ESCAPE);  // the window has no cancel button: Esc does nothing here
    EXPECT_TRUE(window.IsLoaded() && rec.ends == 0);
}

TEST_F(FileWindow, AFileDroppedOnItLoadsAsIfChosenInTheDialog) {
    const std::wstring chinese = L"C:\\资料\\年度报告.PDF";
    rec.files[chinese] = {L"年度报告.PDF", L"PDF 文件"};
    Drop(window.hWnd(), {chinese, L"C:\\ignored.txt"});
    EXPECT_EQ(Shown(), (Fields{chinese, L"PDF", L"年度报告.PDF", L"PDF 文件"}));
    EXPECT_EQ(rec.queries.size(), 2u);
    Load(std::nullopt);  // the next dialog starts at the dropped file, as after a choice
    EXPECT_EQ(rec.dialogStartNames.back(), chinese);

    // While a dialog holds the window disabled, a drop is refused.
    EnableWindow(window.hWnd(), FALSE);
    Drop(window.hWnd(), {L"C:\\later.txt"});
    EnableWindow(window.hWnd(), TRUE);
    EXPECT_EQ(Shown()[0], chinese);
}

// The system's own shell on real files: one that vanished between the choice
// and the query, one nobody may read, and one chosen normally.
TEST_F(FileWindow, RealFilesThatVanishOrCannotBeReadGiveCalmAnswers) {
    rec.realShell = true;
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring present = std::wstring(folder) + L"实在的文件.txt";
    const std::wstring locked = std::wstring(folder) + L"不可读.dat";
    for (const std::wstring& path : {present, locked}) {
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        CloseHandle(file);
    }
    // Held open with no sharing: no other opener may read it.
    HANDLE holder = CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);

    Load(present);
    EXPECT_EQ(Shown(), (Fields{present, L"txt", L"实在的文件.txt", Shown()[3]}));
    EXPECT_FALSE(Shown()[3].empty());
    EXPECT_TRUE(Declares::ComIsUp());  // the shell's first use brought COM with it
    Load(locked);
    EXPECT_EQ(Shown()[0], locked);
    EXPECT_EQ(Shown()[2], L"不可读.dat");
    CloseHandle(holder);
    DeleteFileW(locked.c_str());
    DeleteFileW(present.c_str());
    Load(present);  // gone by the time the shell is asked: no names, not the last file's
    EXPECT_EQ(Shown(), (Fields{present, L"txt", L"", L""}));
}

// A system library or function that cannot be bound (a stripped-down or
// damaged Windows) is the toolkit's run-time error, with its name, not a crash.
TEST_F(FileWindow, AFunctionThatCannotBeBoundIsARunTimeError) {
    rec.expectFatal = true;
    EXPECT_EQ(Declares::Bind(L"shell32.dll", "NoSuchFunctionW"), nullptr);
    EXPECT_EQ(Declares::Bind(L"no-such-library.dll", "ShellExecuteW"), nullptr);
    ASSERT_EQ(rec.fatalErrors.size(), 2u);
    EXPECT_NE(rec.fatalErrors[0].find(L"NoSuchFunctionW"), std::wstring::npos);
    EXPECT_NE(rec.fatalErrors[1].find(L"no-such-library.dll"), std::wstring::npos);
    EXPECT_EQ(rec.ends, 2);  // the error ends the program, as every run-time error does
}

TEST_F(FileWindow, NamesOutsideCodePage936AndBeyondMaxPathArriveIntact) {
    const std::wstring korean = L"C:\\자료\\노트 😀.한글";
    const std::wstring deep = L"\\\\?\\C:\\" + std::wstring(400, L'd') + L"\\" + std::wstring(300, L'f') + L".dat";
    rec.files[korean] = {L"노트 😀.한글", L"한글 file"};
    rec.files[deep] = {L"fff.dat", L"DAT"};
    Load(korean);
    EXPECT_EQ(Shown(), (Fields{korean, L"한글", L"노트 😀.한글", L"한글 file"}));
    Load(deep);
    EXPECT_EQ(Shown(), (Fields{deep, L"dat", L"fff.dat", L"DAT"}));
    const std::wstring dropped = L"C:\\" + std::wstring(300, L'문') + L".한글";
    Drop(window.hWnd(), {dropped});
    EXPECT_EQ(Shown()[0], dropped);
    EXPECT_EQ(Shown()[1], L"한글");
}

}  // namespace
}  // namespace morvane::testing
