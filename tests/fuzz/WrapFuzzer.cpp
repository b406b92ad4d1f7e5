// The wrapped lines cover the text in order and lose nothing but the blanks
// at a break; none is wider than the width, except by one unbreakable unit
// or by closing punctuation that hangs; none ends inside a surrogate pair,
// and none opens with closing punctuation.
#include <cstdio>
#include <cstdlib>

#include "FuzzInput.h"
#include "platform/TextWrap.h"

namespace {

bool Blank(char16_t c) { return c == u' ' || c == 0x3000; }
bool High(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool Low(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
bool Closing(char16_t c) { return std::u16string_view(u"，。、；：？！”’）》」』…,.;:?!)").find(c) != std::u16string_view::npos; }

// A font of sorts: blanks 3, ASCII 6, ideographs 12, combining marks 0, the rest 8.
int Width(char16_t c) {
    if (c == u' ') return 3;
    if (c >= 0x0300 && c <= 0x036F) return 0;
    if (c < 0x80) return 6;
    if (c >= 0x3000 && c < 0xA000) return 12;
    return 8;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const int widthPx = data[0];  // 0 to 255 pixels, the narrow ones included
    const std::u16string text = morvane::fuzz::Utf16(data + 1, size - 1);
    const auto lines = morvane::WrapText(text, widthPx, Width);
    const int blankPx = std::max(Width(u' '), Width(u'中') / 2);
    const auto widthOf = [&](char16_t c) { return Blank(c) ? (c == u' ' ? blankPx : 2 * blankPx) : Width(c); };
    std::size_t covered = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto [start, length] = lines[i];
        FUZZ_CHECK(length > 0 && start >= covered && start + length <= text.size());
        for (std::size_t j = covered; j < start; ++j) FUZZ_CHECK(Blank(text[j]));  // only blanks fall away
        FUZZ_CHECK(i == 0 ? start == 0 : !Closing(text[start]));
        const std::size_t end = start + length;
        FUZZ_CHECK(!(High(text[end - 1]) && end < text.size() && Low(text[end])));
        // Wider than the width only by what hangs, or by one unit that fits nowhere.
        std::size_t body = end;
        while (body > start && (Closing(text[body - 1]) || Blank(text[body - 1]))) --body;
        int usedPx = 0;
        for (std::size_t j = start; j < body; ++j) usedPx += widthOf(text[j]);
        const std::size_t unit = High(text[start]) && start + 1 < body && Low(text[start + 1]) ? 2 : 1;
        FUZZ_CHECK(usedPx <= widthPx || body - start <= unit);
        covered = end;
    }
    for (std::size_t j = covered; j < text.size(); ++j) FUZZ_CHECK(Blank(text[j]));
    return 0;
}
