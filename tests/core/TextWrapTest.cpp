#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/TextWrap.h"

namespace morvane {
namespace {

// Ideographs 12 pixels wide, Latin letters and punctuation 6, blanks 3: the
// proportions of a Chinese user-interface font at 9 points.
int Width(char16_t c) {
    if (c == u' ') return 3;
    return c < 0x80 ? 6 : 12;
}

std::vector<std::u16string> Wrap(std::u16string_view text, int widthPx) {
    std::vector<std::u16string> out;
    for (const TextLine& line : WrapText(text, widthPx, Width)) out.emplace_back(text.substr(line.start, line.length));
    return out;
}

TEST(WrapText, ChineseBreaksAnywhereButNeverBeforeClosingPunctuation) {
    EXPECT_EQ(Wrap(u"如果您不知道某个文件", 48), (std::vector<std::u16string>{u"如果您不", u"知道某个", u"文件"}));
    // "，" would open the second line, so it hangs past the edge of the first.
    EXPECT_EQ(Wrap(u"那就用这，直接输入", 48), (std::vector<std::u16string>{u"那就用这，", u"直接输入"}));
    EXPECT_EQ(Wrap(u"文本框内。”", 48), (std::vector<std::u16string>{u"文本框内。”"}));
}

TEST(WrapText, LatinWordsMoveWholeToTheNextLine) {
    EXPECT_EQ(Wrap(u"记得来Veyra看看", 60), (std::vector<std::u16string>{u"记得来", u"Veyra看看"}));
    // A word longer than a line has to break somewhere.
    EXPECT_EQ(Wrap(u"abcdefghij", 30), (std::vector<std::u16string>{u"abcde", u"fghij"}));
}

TEST(WrapText, LongRunsOfBlanksEndAParagraphAndOpeningBlanksStay) {
    const std::u16string text = u"    开头一段。" + std::u16string(20, u' ') + u"第二段" + std::u16string(3, u' ') + u"续";
    // Blanks count half an ideograph (6 px) for layout: 4 of them take 24 px,
    // and the run of 20 overflows its line, so the second paragraph starts
    // afresh instead of after a gap.
    const auto lines = Wrap(text, 96);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].substr(0, 9), u"    开头一段。");
    EXPECT_EQ(lines[1], u"第二段   续");
}

TEST(WrapText, AlwaysAdvancesEvenWhenNothingFits) {
    EXPECT_TRUE(Wrap(u"", 100).empty());
    EXPECT_EQ(Wrap(u"宽字", 5), (std::vector<std::u16string>{u"宽", u"字"}));
    EXPECT_TRUE(Wrap(u"      ", 0).size() <= 6);
}

}  // namespace
}  // namespace morvane
