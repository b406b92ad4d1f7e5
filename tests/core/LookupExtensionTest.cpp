#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

#include "dictionary/LookupExtension.h"
#include "dictionary/SupplementTable.h"

namespace morvane {
namespace {

// Stands in for the main window: the lookup runs after each change of the input.
struct FakeForm : ExtensionLookupView {
    std::u16string input, description;
    int writes = 0;
    std::u16string InputText() const override { return input; }
    void SetDescription(std::u16string_view text) override { description = text, ++writes; }
    void Set(std::u16string_view text) { input = text, LookupExtension(*this); }
    void Type(std::u16string_view keys) {
        for (char16_t k : keys) Set(input + k);
    }
};

constexpr std::u16string_view kAif = u"音频互交换文件，Silicon Graphic and Macintosh应用程序的声音格式";

// The supplement's own row for a key, found without the lookup.
std::u16string_view Supplement(std::u16string_view key) {
    for (const ExtensionEntry& row : SupplementTable())
        if (row.key == key) return row.description;
    ADD_FAILURE() << "the supplement has no row " << std::string(key.begin(), key.end());
    return {};
}

TEST(LookupExtension, EachKeystrokeShowsAMatchAndAMissKeepsTheLastOne) {
    FakeForm form;
    // The built-in table has no "A"; today's table knows the ar archive.
    const std::pair<char16_t, std::u16string_view> steps[] = {
        {u'a', Supplement(u"A")}, {u'i', u"Adobe Illustrator格式图形 "}, {u'f', kAif}, {u'x', kAif}};
    for (const auto& [key, shown] : steps) {
        form.Type(std::u16string(1, key));
        EXPECT_EQ(form.description, shown);
    }
    EXPECT_EQ(form.writes, 3);
    form.Set(u"z");
    EXPECT_EQ(form.description, u"UNIX gzip文件");
    form.Type(u"i");
    EXPECT_EQ(form.description, u"UNIX gzip文件");
    form.Type(u"p");
    EXPECT_EQ(form.description, u"Zip文件");
    form.Set(u"");  // the empty key clears it
    EXPECT_EQ(form.description, u"");
}

TEST(FindExtension, MatchesWholeKeysInAnyLetterCaseOrFullWidthAndNothingElse) {
    const std::pair<std::u16string_view, std::u16string_view> cases[] = {
        {u"zIp", u"Zip文件"}, {u"ＺＩＰ", u"Zip文件"}, {u"ｚip", u"Zip文件"},  // an input method's full-width mode
        {u"getright", u"GetRight未完成的下载文件"}, {u"NETCDF", u"网络公用数据表单"},
        {u"cpd", u"传真覆盖文档"}, {u"PLI", u"Oracle 7数据描述"}, {u"wr1", u"Lotus Symphony "},  // the later row wins
        {u"COM ", u"Corel Print Office文件（图形"}, {u"ＣＯＭ　", u"Corel Print Office文件（图形"},
        {u"bk$", u"有时用于代表备份版本"}, {u"ＢＫ＄", u"有时用于代表备份版本"}, {u"rxx", u"多卷档案上的RAR压缩文件（xx= 1～99间的一个数字） "},
        {u"000", u"000-999 用于为老版本（或备份）文件编号（比如：被安装程序改变的CONFIG.SYS文件）；又可用于为小范围的PC应用程序的多个用户相关数据文件编号"},
    };
    for (const auto& [typed, shown] : cases) {
        const ExtensionEntry* row = FindExtension(typed);
        ASSERT_NE(row, nullptr) << std::string(typed.begin(), typed.end());
        EXPECT_EQ(row->description, shown);
    }
    // Blanks, dots and patterns are literal; only ASCII letters fold, so no
    // locale's rules (Turkish dotless i, the Kelvin sign) can change a match.
    // "COM" stays a miss: the built-in key is "COM " with its blank.
    for (std::u16string_view miss : {u"COM", u" zip", u"zip ", u".zip", u"ＺＩＰ．", u"C01", u"a01", u"r99",
                                     u"g\u0131f", u"G\u0130F", u"\u212AEY", u"zi", u"docx ", u".docx", u"doc x"}) {
        EXPECT_EQ(FindExtension(miss), nullptr) << std::string(miss.begin(), miss.end());
    }
}

TEST(FindExtension, TodaysExtensionsWhereTheBuiltInTableHasNoRow) {
    // The first keys a user of today types, in any case and in full width.
    for (std::u16string_view key : {u"DOCX", u"XLSX", u"PPTX", u"MP4", u"MKV", u"WEBP", u"HEIC", u"JSON", u"XML",
                                    u"YAML", u"APK", u"7Z", u"EPUB", u"FLAC", u"SVG", u"PS1", u"VHDX",
                                    // and formats of today's Windows and its programs that neither list knows
                                    u"MSIX", u"APPX", u"EVTX", u"PSM1", u"CSPROJ", u"SLN", u"AAB", u"LIBRARY-MS"}) {
        std::u16string lower(key), wide(key);
        for (char16_t& c : lower) c = (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
        for (char16_t& c : wide) c = static_cast<char16_t>(c + 0xFEE0);
        for (const std::u16string& typed : {std::u16string(key), lower, wide}) {
            const ExtensionEntry* row = FindExtension(typed);
            ASSERT_NE(row, nullptr) << std::string(key.begin(), key.end());
            EXPECT_EQ(row->description, Supplement(key));
        }
    }
    // Where the built-in table has a row, the supplement is never asked.
    const auto builtIn = ExtensionTable();
    for (const ExtensionEntry& row : builtIn) {
        if (row.key.empty()) continue;
        const ExtensionEntry* found = FindExtension(row.key);
        EXPECT_TRUE(found >= builtIn.data() && found < builtIn.data() + builtIn.size())
            << std::string(row.key.begin(), row.key.end());
    }
    FakeForm form;
    form.Set(u"doc");
    form.Set(u"docx");
    EXPECT_EQ(form.description, Supplement(u"DOCX"));  // not the DOC text left standing
    form.Set(u"docxz");
    EXPECT_EQ(form.description, Supplement(u"DOCX"));  // a miss in both keeps it
}

TEST(FindExtension, APastedMegabyteIsAMissWithoutBeingRead) {
    FakeForm form;
    form.Set(u"zip");
    form.Set(std::u16string(1 << 20, u'Z') + u"ZIP");
    EXPECT_EQ(form.description, u"Zip文件");
    // Only a text as long as a key is compared. This view claims a megabyte
    // over four units, so any read past them trips the address sanitizer.
    auto few = std::make_unique<char16_t[]>(4);
    for (const ExtensionEntry& row : ExtensionTable()) EXPECT_FALSE(KeyEquals(row.key, {few.get(), 1 << 20}));
    EXPECT_EQ(FindExtension({few.get(), 1 << 20}), nullptr);  // nor by the supplement's search
}

}  // namespace
}  // namespace morvane
