#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "dictionary/ExtensionTable.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace morvane {
namespace {

std::string Utf8(std::u16string_view s) {
    std::string out;
    for (char16_t c : s) {
        if (c < 0x80) out += static_cast<char>(c);
        else if (c < 0x800) { out += static_cast<char>(0xC0 | (c >> 6)); out += static_cast<char>(0x80 | (c & 0x3F)); }
        else { out += static_cast<char>(0xE0 | (c >> 12)); out += static_cast<char>(0x80 | ((c >> 6) & 0x3F)); out += static_cast<char>(0x80 | (c & 0x3F)); }
    }
    return out;
}

// Whether the text survives a round trip through code page 936, the system
// code page of the program's users, with no character replaced.
bool FitsCodePage936(std::u16string_view text) {
    if (text.empty()) return true;
#ifdef _WIN32
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, reinterpret_cast<const wchar_t*>(text.data()),
                                      static_cast<int>(text.size()), nullptr, 0, nullptr, &usedDefault);
    return n > 0 && !usedDefault;
#else
    iconv_t cd = iconv_open("CP936", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::string in = Utf8(text);
    std::string out(in.size() * 2 + 8, '\0');
    char* inp = in.data();
    char* outp = out.data();
    size_t inLeft = in.size(), outLeft = out.size();
    const size_t r = iconv(cd, &inp, &inLeft, &outp, &outLeft);
    iconv_close(cd);
    return r == 0 && inLeft == 0;  // r counts irreversible conversions
#endif
}

const ExtensionEntry& Row(std::size_t position) { return ExtensionTable()[position - 1]; }

TEST(ExtensionTable, KeysHaveTheirFixedShape) {
    const auto table = ExtensionTable();
    ASSERT_EQ(table.size(), 1088u);
    EXPECT_EQ(Row(1).key, u"AAM");
    EXPECT_EQ(Row(1088).key, u"000");
    EXPECT_EQ(Row(125).key, u"C0l");  // digit zero, lower-case L
    EXPECT_EQ(Row(903).key, u"");
    EXPECT_EQ(Row(903).description, u"");

    const std::map<std::size_t, std::u16string_view> blankEnded = {
        {62, u"ATW "}, {146, u"CLP "}, {163, u"COM "}, {169, u"CNF "}};
    std::map<std::size_t, std::size_t> byLength;
    std::map<std::u16string, std::vector<std::size_t>> folded;
    for (std::size_t pos = 1; pos <= table.size(); ++pos) {
        const std::u16string_view key = Row(pos).key;
        ++byLength[key.size()];
        std::u16string fold;
        for (char16_t c : key) {
            EXPECT_TRUE(c >= 0x20 && c < 0x7F && c != u'.') << "position " << pos;
            fold += (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
        }
        EXPECT_TRUE(key.empty() || key.front() != u' ') << "position " << pos;
        if (!key.empty() && key.back() == u' ') {
            EXPECT_EQ(blankEnded.at(pos), key);
        }
        while (!fold.empty() && fold.back() == u' ') fold.pop_back();
        folded[fold].push_back(pos);
    }
    EXPECT_EQ(byLength, (std::map<std::size_t, std::size_t>{
                            {0, 1}, {1, 7}, {2, 57}, {3, 955}, {4, 54}, {5, 9}, {6, 4}, {8, 1}}));

    // Equal keys, even after folding case and dropping trailing blanks, are
    // exactly these three pairs, and the pairs keep their distinct texts.
    std::vector<std::vector<std::size_t>> repeated;
    for (const auto& [key, positions] : folded)
        if (positions.size() > 1) repeated.push_back(positions);
    EXPECT_EQ(repeated, (std::vector<std::vector<std::size_t>>{{162, 195}, {322, 713}, {1008, 1010}}));
    for (const auto& pair : repeated) EXPECT_NE(Row(pair[0]).description, Row(pair[1]).description);
}

TEST(ExtensionTable, DescriptionsAreShowableAndFitTheUsersCodePage) {
    std::size_t longest = 0;
    for (std::size_t pos = 1; pos <= ExtensionTable().size(); ++pos) {
        const std::u16string_view d = Row(pos).description;
        if (d.size() > Row(longest ? longest : 1).description.size()) longest = pos;
        EXPECT_LE(d.size(), 128u) << pos;
        for (char16_t c : d) {
            EXPECT_GE(c, 0x20) << "control character at position " << pos;
            EXPECT_FALSE(c >= 0xD800 && c <= 0xDFFF) << "surrogate at position " << pos;
        }
        EXPECT_TRUE(FitsCodePage936(d)) << "position " << pos << ": " << Utf8(d);
    }
    EXPECT_EQ(longest, 200u);
    EXPECT_EQ(Row(200).description.size(), 128u);
}

TEST(ExtensionTable, KeepsTheKnownDescriptionsToTheLetter) {
    const std::map<std::size_t, std::u16string_view> known = {
        {1, u"Authorware shocked文件"},
        {2, u"Authorware shocked包"},
        {3, u"Adobe二进制屏幕字体"},
        {4, u"CorelDRAW自动备份文件"},
        {5, u"该类文件有时用于指示一个摘要（就像在一篇有关科学方面的文章的一个摘要或概要，取自abstract）"},
        {6, u"Ace压缩档案格式"},
        {26, u"Adobe Illustrator格式图形 "},
        {27, u"音频互交换文件，Silicon Graphic and Macintosh应用程序的声音格式"},
        {62, u"来自个人软件的Any Time Deluxe For Windows个人信息管理员文件"},
        {74, u"ARJ压缩文件的分包序号文件，用于将一个大文件压至几个小的压缩包中（xx取01-99的数字）"},
        {90, u"Microsoft Bookshelf Find菜单外壳扩展名"},
        {100, u"Windows或OS/2位图文件"},
        {103, u"有时用于代表备份版本"},
        {125, u"台风波形文件"},
        {126, u"C代码文件"},
        {146, u"Windows 剪贴板文件"},
        {162, u"CPE 传真覆盖文档 "},
        {163, u"Corel Print Office文件（图形"},
        {169, u"Telnet，Windows和其他其内格式会发生改变的应用程序使用的配置文件"},
        {193, u"传真覆盖文档"},
        {195, u"传真覆盖文档"},
        {200, u"dBASE文件，一种由Ashton-Tate创建的格式，可以被ACT！、Lipper、FoxPro、Arago、Wordtech、Xbase和类似数据库或与数据库有关产品识别；可用数据文件（能被Excel 97打开）；Oracle 8.1.x表格空间文件 "},
        {307, u"FORTRAN文件"}, {308, u"FORTRAN文件"}, {311, u"FORTRAN文件"}, {343, u"FORTRAN文件"},
        {322, u"Autodesk FLIC动画"},
        {346, u"GetRight未完成的下载文件"},
        {400, u"C程序头文件"},
        {456, u"JPEG图形文件"},
        {611, u"网络公用数据表单"},
        {713, u"Oracle 7数据描述"},
        {788, u"Pegasus邮件资源文件"},
        {789, u"多卷档案上的RAR压缩文件（xx= 1～99间的一个数字） "},
        {826, u"汇编源代码文件"},
        {1008, u"书写器文档"},
        {1010, u"Lotus Symphony "},
        {1040, u"AVS图像格式"},
        {1052, u"UNIX gzip文件"},
        {1071, u"用于安装过程中的屏幕文件和用于Microsoft Codeview for C这样的应用程序的指导文件 。"},
        {1072, u"OS/2用来跟踪档案文件"},
        {1073, u"及更高的号 为计算机演示而扫描的一系列电影的图片文件编号方法"},
        {1086, u"早前版本的压缩文件"},
        {1087, u"Zip文件"},
        {1088, u"000-999 用于为老版本（或备份）文件编号（比如：被安装程序改变的CONFIG.SYS文件）；又可用于为小范围的PC应用程序的多个用户相关数据文件编号"},
    };
    for (const auto& [pos, text] : known) EXPECT_EQ(Row(pos).description, text) << "position " << pos;
}

// Rows share a description only where their keys name one format. Anything
// else sharing text is a copy-paste slip. Keys whose use could not be
// confirmed say so in one honest phrase instead of guessing, and may share it.
TEST(ExtensionTable, OnlySynonymsShareADescription) {
    constexpr std::u16string_view kUnconfirmed = u"用途因程序而异的专用数据文件";
    const std::set<std::set<std::u16string_view>> synonyms = {
        {u"AIF", u"AIFF", u"AIFC"}, {u"BAK", u"BK"}, {u"BMP", u"DIB"}, {u"CPD", u"CPE"},
        {u"CER", u"CRT"}, {u"CPP", u"CXX"}, {u"EPS", u"EPSF"}, {u"F", u"F77", u"F90", u"FOR"}, {u"F2R", u"F3R"},
        {u"FFA", u"FFK", u"FFL", u"FFO"}, {u"FLC", u"PLI"}, {u"GNA", u"GNX"}, {u"HH", u"HPP"},
        {u"HTM", u"HTML"}, {u"ICC", u"ICM"}, {u"ILBM", u"LBM"}, {u"IVD", u"IVP", u"IVX"},
        {u"JFF", u"JTF"}, {u"JFIF", u"JIF", u"JPE", u"JPEG", u"JPG"}, {u"LHA", u"LZH"},
        {u"MHTM", u"MHTML"}, {u"MIM", u"MIME"}, {u"MOV", u"QT", u"QTM"}, {u"MPE", u"MPEG", u"MPG"},
        {u"PCT", u"PICT"}, {u"PHP", u"PHP3", u"PHTML"}, {u"PNT", u"PNTG"}, {u"QTI", u"QTIF"},
        {u"TGA", u"VDA"}, {u"TIF", u"TIFF"}, {u"TX8", u"TXT"}, {u"UU", u"UUE"}, {u"VQE", u"VQL"},
        {u"VRML", u"WRL"}, {u"WB1", u"WB2"}, {u"WP", u"WP4", u"WP5", u"WP6", u"WPD"},
        {u"WQ1", u"WQ2"}, {u"WS1", u"WS2", u"WS3", u"WS4", u"WS5", u"WS6", u"WS7"}, {u"XY3", u"XY4"},
    };
    std::map<std::u16string_view, std::set<std::u16string_view>> byText;
    for (const ExtensionEntry& row : ExtensionTable()) {
        if (!row.key.empty() && row.description != kUnconfirmed) byText[row.description].insert(row.key);
    }
    std::set<std::set<std::u16string_view>> shared;
    for (const auto& [text, keys] : byText)
        if (keys.size() > 1) shared.insert(keys);
    EXPECT_EQ(shared, synonyms);
}

TEST(ExtensionTable, EveryKeyHasADescriptionWithoutStrayBlanks) {
    // Blanks at an end are kept only where the text came to us with them.
    const std::set<std::size_t> keptBlanks = {26, 162, 200, 789, 1010};
    for (std::size_t pos = 1; pos <= ExtensionTable().size(); ++pos) {
        const std::u16string_view d = Row(pos).description;
        if (pos == 903) continue;
        ASSERT_FALSE(d.empty()) << "position " << pos;
        if (!keptBlanks.count(pos)) {
            EXPECT_NE(d.front(), u' ') << "position " << pos;
            EXPECT_NE(d.back(), u' ') << "position " << pos;
        }
    }
}

}  // namespace
}  // namespace morvane
