#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/TextWrap.h"

namespace morvane {
namespace {

// Ideographs 12 pixels wide, Latin 6, blanks 3: a Chinese interface font at 9 points.
std::vector<std::u16string> Wrap(std::u16string_view text, int widthPx) {
    std::vector<std::u16string> out;
    for (const TextLine& line : WrapText(text, widthPx, [](char16_t c) { return c == u' ' ? 3 : c < 0x80 ? 6 : 12; }))
        out.emplace_back(text.substr(line.start, line.length));
    return out;
}
using Lines = std::vector<std::u16string>;

TEST(WrapText, BreaksChineseAnywhereLatinAtWordsAndNeverBeforeClosingPunctuation) {
    EXPECT_EQ(Wrap(u"如果您不知道某个文件", 48), (Lines{u"如果您不", u"知道某个", u"文件"}));
    EXPECT_EQ(Wrap(u"那就用这，直接输入", 48), (Lines{u"那就用这，", u"直接输入"}));  // the comma hangs
    EXPECT_EQ(Wrap(u"记得来Veyra看看", 60), (Lines{u"记得来", u"Veyra看看"}));
    EXPECT_EQ(Wrap(u"abcdefghij", 30), (Lines{u"abcde", u"fghij"}));  // too long a word breaks anyway
    EXPECT_EQ(Wrap(u"宽字", 5), (Lines{u"宽", u"字"}));               // always advances
    EXPECT_TRUE(Wrap(u"", 100).empty());
    EXPECT_EQ(Wrap(u"你好 ，世界", 24), (Lines{u"你好 ，", u"世界"}));   // hangs past a blank too
    EXPECT_EQ(Wrap(u"😀😀", 5), (Lines{u"😀", u"😀"}));                 // a surrogate pair stays whole
}

TEST(WrapText, LongRunsOfBlanksEndAParagraphAndOpeningBlanksStay) {
    // Blanks count half an ideograph: the run of 20 overflows its line, so the
    // second paragraph starts afresh rather than after a gap.
    const auto lines = Wrap(u"    开头一段。" + std::u16string(20, u' ') + u"第二段   续", 96);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].substr(0, 9), u"    开头一段。");
    EXPECT_EQ(lines[1], u"第二段   续");
}

}  // namespace
}  // namespace morvane
