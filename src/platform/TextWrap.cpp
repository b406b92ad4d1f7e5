#include "platform/TextWrap.h"

#include <algorithm>

namespace morvane {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == 0x3000; }

bool IsLatinWordChar(char16_t c) { return c > u' ' && c < 0x7F; }

// Punctuation that must not begin a line.
bool ClosesSomething(char16_t c) {
    switch (c) {
        case u'，': case u'。': case u'、': case u'；': case u'：': case u'？': case u'！':
        case u'”': case u'’': case u'）': case u'》': case u'」': case u'』': case u'…':
        case u',': case u'.': case u';': case u':': case u'?': case u'!': case u')':
            return true;
        default:
            return false;
    }
}

}  // namespace

std::vector<TextLine> WrapText(std::u16string_view text, int widthPx,
                               const std::function<int(char16_t)>& charWidthPx) {
    std::vector<TextLine> lines;
    std::size_t pos = 0;
    const std::size_t n = text.size();
    // Runs of blanks were written to push text onto the next line in a
    // fixed-pitch Chinese font, where a blank is half an ideograph wide.
    // Counting them so in any font keeps the paragraphs where they were meant.
    const int blankPx = std::max(charWidthPx(u' '), charWidthPx(u'中') / 2);
    const auto widthOf = [&](char16_t c) { return IsBlank(c) ? (c == u' ' ? blankPx : 2 * blankPx) : charWidthPx(c); };
    while (pos < n) {
        if (pos > 0) {
            while (pos < n && IsBlank(text[pos])) ++pos;
            if (pos == n) break;
        }
        // As many characters as fit, and always at least one.
        std::size_t end = pos;
        int usedPx = 0;
        while (end < n && (end == pos || usedPx + widthOf(text[end]) <= widthPx)) {
            usedPx += widthOf(text[end]);
            ++end;
        }
        if (end < n && !IsBlank(text[end])) {
            // Keep a Latin word whole by breaking before it, if it has a start on this line.
            if (IsLatinWordChar(text[end]) && IsLatinWordChar(text[end - 1])) {
                std::size_t wordStart = end - 1;
                while (wordStart > pos && IsLatinWordChar(text[wordStart - 1])) --wordStart;
                if (wordStart > pos) end = wordStart;
            }
            while (end < n && ClosesSomething(text[end])) ++end;  // hangs past the edge
        }
        lines.push_back({pos, end - pos});
        pos = end;
    }
    return lines;
}

}  // namespace morvane
