// Breaking a label's caption into lines, without Windows: the caller
// supplies the width of each character in pixels.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

namespace morvane {

struct TextLine {
    std::size_t start;
    std::size_t length;
};

// Lines no wider than widthPx where that can be had. Chinese text breaks
// between any two characters, Latin words only at blanks, and never inside a
// surrogate pair; closing punctuation stays on the line it closes, even past
// blanks. A blank counts at least half an ideograph wide. Blanks at a break
// are dropped, so a long run of blanks ends a paragraph instead of indenting
// the next line; blanks that open the text are kept.
std::vector<TextLine> WrapText(std::u16string_view text, int widthPx,
                               const std::function<int(char16_t)>& charWidthPx);

}  // namespace morvane
