#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "dictionary/ExtensionTable.h"
#include "dictionary/LookupExtension.h"
#include "dictionary/SupplementTable.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace morvane {
namespace {

#ifdef _WIN32
// True when code page 936, the system code page of the program's users,
// holds every character: converted for real, reporting any replacement.
bool FitsCodePage936(std::u16string_view text) {
    BOOL lossy = FALSE;
    return text.empty() || (WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, reinterpret_cast<const wchar_t*>(text.data()),
                                                static_cast<int>(text.size()), nullptr, 0, nullptr, &lossy) > 0 && !lossy);
}
#else
bool FitsCodePage936(std::u16string_view text) {
    iconv_t cd = iconv_open("CP936", "UTF-16LE");
    std::u16string in(text);
    std::vector<char> out(in.size() * 4 + 4);
    char *inp = reinterpret_cast<char*>(in.data()), *outp = out.data();
    size_t inLeft = in.size() * 2, outLeft = out.size();
    const size_t irreversible = iconv(cd, &inp, &inLeft, &outp, &outLeft);
    iconv_close(cd);
    return irreversible == 0 && inLeft == 0;
}
#endif

const ExtensionEntry& Row(std::size_t position) { return ExtensionTable()[position - 1]; }

TEST(ExtensionTable, KeysHaveTheirFixedShape) {
    ASSERT_EQ(ExtensionTable().size(), 1088u);
    EXPECT_EQ(Row(1).key, u"AAM");
    EXPECT_EQ(Row(1088).key, u"000");
    EXPECT_EQ(Row(125).key, u"C0l");  // digit zero, lower-case L
    EXPECT_EQ(Row(903).key, u"");

    std::map<std::size_t, std::size_t> byLength;
    std::map<std::u16string, std::vector<std::size_t>> folded;  // case and trailing blanks ignored
    std::vector<std::size_t> blankEnded;
    for (std::size_t pos = 1; pos <= 1088; ++pos) {
        const std::u16string_view key = Row(pos).key;
        ++byLength[key.size()];
        std::u16string fold;
        for (char16_t c : key) {
            EXPECT_TRUE(c >= 0x20 && c < 0x7F && c != u'.') << pos;
            fold += (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
        }
        if (!key.empty() && key.back() == u' ') blankEnded.push_back(pos);
        EXPECT_TRUE(key.empty() || key.front() != u' ') << pos;
        while (!fold.empty() && fold.back() == u' ') fold.pop_back();
        folded[fold].push_back(pos);
    }
    EXPECT_EQ(blankEnded, (std::vector<std::size_t>{62, 146, 163, 169}));
    EXPECT_EQ(byLength, (std::map<std::size_t, std::size_t>{{0, 1}, {1, 7}, {2, 57}, {3, 955}, {4, 54}, {5, 9}, {6, 4}, {8, 1}}));
    std::vector<std::vector<std::size_t>> repeated;
    for (const auto& [key, positions] : folded)
        if (positions.size() > 1) repeated.push_back(positions);
    EXPECT_EQ(repeated, (std::vector<std::vector<std::size_t>>{{162, 195}, {322, 713}, {1008, 1010}}));
}

TEST(ExtensionTable, EveryDescriptionIsShowableInTheUsersCodePage) {
    const std::set<std::size_t> keptBlanks = {26, 162, 200, 789, 1010};  // the blanks came with these texts
    std::size_t longest = 1;
    for (std::size_t pos = 1; pos <= 1088; ++pos) {
        const std::u16string_view d = Row(pos).description;
        if (d.size() > Row(longest).description.size()) longest = pos;
        EXPECT_EQ(d.empty(), pos == 903) << pos;
        for (char16_t c : d) EXPECT_TRUE(c >= 0x20 && (c < 0xD800 || c > 0xDFFF)) << pos;
        EXPECT_TRUE(FitsCodePage936(d)) << pos;
        if (!d.empty() && !keptBlanks.count(pos)) {
            EXPECT_TRUE(d.front() != u' ' && d.back() != u' ') << pos;
        }
    }
    EXPECT_EQ(longest, 200u);
    EXPECT_EQ(Row(200).description.size(), 128u);
}

// The lookup tests read most of the given texts; these are the ones no key reaches or they leave out.
TEST(ExtensionTable, KeepsTheGivenDescriptionsToTheLetter) {
    EXPECT_EQ(Row(1).description, u"Authorware shocked文件");
    EXPECT_EQ(Row(162).description, u"CPE 传真覆盖文档 ");
    EXPECT_EQ(Row(1073).description, u"及更高的号 为计算机演示而扫描的一系列电影的图片文件编号方法");
    EXPECT_TRUE(Row(200).description.starts_with(u"dBASE文件，一种由Ashton-Tate创建的格式，可以被ACT！"));
}

// Rows share a description only where their keys name one format; anything
// else is a copy-paste slip. Keys whose use could not be confirmed say so in
// one honest phrase rather than guess, and may share it.
TEST(ExtensionTable, OnlySynonymsShareADescription) {
    const std::set<std::set<std::u16string_view>> synonyms = {
        {u"ADA", u"ADS"}, {u"BAK", u"BK"}, {u"CC", u"CPP", u"CXX"}, {u"CER", u"CRT"}, {u"CPD", u"CPE"}, {u"EPS", u"EPSF"},
        {u"F", u"F77", u"F90", u"FOR"}, {u"FLC", u"PLI"}, {u"HH", u"HPP"}, {u"HTM", u"HTML"}, {u"ICC", u"ICM"},
        {u"JPE", u"JPEG"}, {u"MIM", u"MIME", u"MME"}, {u"MOV", u"QT"}, {u"MPE", u"MPEG", u"MPG"},
        {u"PCT", u"PICT"}, {u"PNT", u"PNTG"}, {u"TGA", u"VDA"}, {u"TIF", u"TIFF"},
        {u"VRML", u"WRL"},
    };
    std::map<std::u16string_view, std::set<std::u16string_view>> byText;
    for (const ExtensionEntry& row : ExtensionTable())
        if (!row.key.empty() && row.description != u"用途因程序而异的专用数据文件") byText[row.description].insert(row.key);
    std::set<std::set<std::u16string_view>> shared;
    for (const auto& [text, keys] : byText)
        if (keys.size() > 1) shared.insert(keys);
    EXPECT_EQ(shared, synonyms);
}

TEST(SupplementTable, KeysAreFoldedSortedAndNeverOneOfTheBuiltInTables) {
    const auto rows = SupplementTable();
    ASSERT_GT(rows.size(), 1000u);
    std::size_t longest = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::u16string_view key = rows[i].key;
        longest = std::max(longest, key.size());
        ASSERT_FALSE(key.empty());
        // As the lookup compares: printable ASCII, upper case, no dot (the binary search relies on it).
        for (char16_t c : key) EXPECT_TRUE(c > 0x20 && c < 0x7F && c != u'.' && !(c >= u'a' && c <= u'z')) << i;
        if (i > 0) {
            EXPECT_LT(rows[i - 1].key, key) << "out of order or repeated at " << i;
        }
        for (const ExtensionEntry& builtIn : ExtensionTable()) EXPECT_FALSE(KeyEquals(builtIn.key, key)) << i;
    }
    EXPECT_EQ(LongestSupplementKey(), longest);
}

TEST(SupplementTable, EveryDescriptionIsShowableInTheUsersCodePage) {
    for (const ExtensionEntry& row : SupplementTable()) {
        const std::u16string_view d = row.description;
        const std::string key(row.key.begin(), row.key.end());
        EXPECT_TRUE(!d.empty() && d.size() <= 127 && d.front() != u' ' && d.back() != u' ') << key;
        for (char16_t c : d) EXPECT_TRUE(c >= 0x20 && (c < 0xD800 || c > 0xDFFF)) << key;
        EXPECT_TRUE(FitsCodePage936(d)) << key;
        EXPECT_NE(d, u"用途因程序而异的专用数据文件") << key;  // a key nobody knows is left out instead
    }
}

}  // namespace
}  // namespace morvane
