#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dictionary/LookupExtension.h"

namespace morvane {
namespace {

// Stands in for the main window: an input box the test types into and a
// description box the lookup writes.
class FakeForm : public ExtensionLookupView {
public:
    std::u16string input;
    std::u16string description;
    int writes = 0;

    std::u16string InputText() const override { return input; }
    void SetDescription(std::u16string_view text) override {
        description = text;
        ++writes;
    }

    // Each keystroke changes the text, then the lookup runs, as in the window.
    void Type(std::u16string_view keys) {
        for (char16_t k : keys) {
            input += k;
            LookupExtension(*this);
        }
    }
    void Set(std::u16string_view text) {
        input = text;
        LookupExtension(*this);
    }
};

std::u16string Describe(std::u16string_view typed) {
    const ExtensionEntry* row = FindExtension(typed);
    return row ? std::u16string(row->description) : u"<miss>";
}

constexpr std::u16string_view kAif = u"音频互交换文件，Silicon Graphic and Macintosh应用程序的声音格式";

TEST(LookupExtension, TypingOneLetterAtATimeShowsEachMatchAndKeepsItOnAMiss) {
    FakeForm form;
    form.Type(u"a");
    EXPECT_EQ(form.description, u"");
    EXPECT_EQ(form.writes, 0);
    form.Type(u"i");
    EXPECT_EQ(form.description, u"Adobe Illustrator格式图形 ");
    form.Type(u"f");
    EXPECT_EQ(form.description, kAif);
    form.Type(u"x");
    EXPECT_EQ(form.description, kAif);

    FakeForm zip;
    zip.Type(u"z");
    EXPECT_EQ(zip.description, u"UNIX gzip文件");
    zip.Type(u"i");
    EXPECT_EQ(zip.description, u"UNIX gzip文件");
    zip.Type(u"p");
    EXPECT_EQ(zip.description, u"Zip文件");
}

TEST(LookupExtension, ErasingTheInputClearsTheDescription) {
    FakeForm form;
    form.Type(u"zip");
    form.Set(u"");
    EXPECT_EQ(form.description, u"");
}

TEST(LookupExtension, AMissWritesNothing) {
    FakeForm form;
    form.Type(u"doc");
    const int writes = form.writes;
    for (std::u16string_view miss : {u"docx?", u" zip", u"zip ", u".zip", u"zi p", u"COM", u"a01", u"r99"}) {
        form.Set(miss);
        EXPECT_EQ(form.writes, writes) << std::string(miss.begin(), miss.end());
    }
}

TEST(FindExtension, IgnoresLetterCaseOnly) {
    for (std::u16string_view zip : {u"ZIP", u"zip", u"Zip", u"zIp", u"ziP"}) EXPECT_EQ(Describe(zip), u"Zip文件");
    EXPECT_EQ(Describe(u"getright"), u"GetRight未完成的下载文件");
    EXPECT_EQ(Describe(u"GETRIGHT"), u"GetRight未完成的下载文件");
    EXPECT_EQ(Describe(u"NETCDF"), u"网络公用数据表单");
    EXPECT_EQ(Describe(u"netcdf"), u"网络公用数据表单");
    EXPECT_EQ(Describe(u"c0L"), Describe(u"C0l"));
    EXPECT_EQ(Describe(u"C01"), u"<miss>");  // the digit one is not the letter l
    // Keys are literal text: "Axx" stands for numbered parts but matches only itself.
    EXPECT_NE(Describe(u"AXX"), u"<miss>");
    EXPECT_EQ(Describe(u"a01"), u"<miss>");
    EXPECT_EQ(Describe(u"RXX"), u"多卷档案上的RAR压缩文件（xx= 1～99间的一个数字） ");
    EXPECT_EQ(Describe(u"r01"), u"<miss>");
    EXPECT_EQ(Describe(u"000"), u"000-999 用于为老版本（或备份）文件编号（比如：被安装程序改变的CONFIG.SYS文件）；又可用于为小范围的PC应用程序的多个用户相关数据文件编号");
}

TEST(FindExtension, RepeatedKeysResolveToTheirLaterRow) {
    EXPECT_EQ(Describe(u"cpd"), u"传真覆盖文档");
    EXPECT_EQ(Describe(u"PLI"), u"Oracle 7数据描述");
    EXPECT_EQ(Describe(u"wr1"), u"Lotus Symphony ");
}

TEST(FindExtension, BlanksAndSymbolsAreLiteral) {
    EXPECT_EQ(Describe(u"COM "), u"Corel Print Office文件（图形");
    EXPECT_EQ(Describe(u"com"), u"<miss>");
    EXPECT_EQ(Describe(u" COM"), u"<miss>");
    for (std::u16string_view k : {u"ATW", u"CLP", u"CNF"}) EXPECT_EQ(Describe(k), u"<miss>");
    EXPECT_EQ(Describe(u"clp "), u"Windows 剪贴板文件");
    EXPECT_EQ(Describe(u"bk$"), u"有时用于代表备份版本");
    EXPECT_EQ(Describe(u"bs_"), u"Microsoft Bookshelf Find菜单外壳扩展名");
    EXPECT_EQ(Describe(u"$$$"), u"OS/2用来跟踪档案文件");
    EXPECT_EQ(Describe(u"#01"), u"及更高的号 为计算机演示而扫描的一系列电影的图片文件编号方法");
    EXPECT_EQ(Describe(u"@@"), u"<miss>");
    EXPECT_EQ(Describe(u""), u"");
}

TEST(FindExtension, FullWidthInputFromAnInputMethodFindsItsRow) {
    EXPECT_EQ(Describe(u"ＺＩＰ"), u"Zip文件");
    EXPECT_EQ(Describe(u"ｚｉｐ"), u"Zip文件");
    EXPECT_EQ(Describe(u"ｚip"), u"Zip文件");
    EXPECT_EQ(Describe(u"ＣＯＭ　"), u"Corel Print Office文件（图形");  // ideographic space
    EXPECT_EQ(Describe(u"ＢＫ＄"), u"有时用于代表备份版本");
    EXPECT_EQ(Describe(u"ＺＩＰ．"), u"<miss>");
    EXPECT_EQ(Describe(u"ｚｉｐ\x3001"), u"<miss>");  // the ideographic comma is not a dot
}

TEST(FindExtension, OnlyAsciiLettersFoldSoLocaleRulesCannotInterfere) {
    EXPECT_EQ(Describe(u"gif"), Describe(u"GIF"));
    EXPECT_NE(Describe(u"GIF"), u"<miss>");
    EXPECT_EQ(Describe(u"g\x0131" u"f"), u"<miss>");  // Turkish dotless i
    EXPECT_EQ(Describe(u"G\x0130" u"F"), u"<miss>");  // Turkish dotted capital I
    EXPECT_EQ(Describe(u"\x212A" u"EY"), u"<miss>");  // Kelvin sign is not K
}

TEST(FindExtension, APastedMegabyteIsAMissWithoutBeingRead) {
    FakeForm form;
    form.Type(u"zip");
    form.Set(std::u16string(1 << 20, u'Z') + u"ZIP");
    EXPECT_EQ(form.description, u"Zip文件");

    // Only a text as long as a key is ever compared. The view claims a
    // megabyte over a few units, so any read past them trips the sanitizer
    // (or the page guard) instead of passing quietly.
    auto few = std::make_unique<char16_t[]>(4);
    const std::u16string_view huge(few.get(), 1 << 20);
    for (const ExtensionEntry& row : ExtensionTable()) EXPECT_FALSE(KeyEquals(row.key, huge));
}

}  // namespace
}  // namespace morvane
