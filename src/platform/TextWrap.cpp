#include "platform/TextWrap.h"

#include <algorithm>

namespace morvane {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == 0x3000; }

bool IsLatinWordChar(char16_t c) { return c > u' ' && c < 0x7F; }

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

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
    // A character outside the BMP is a surrogate pair: one unit, never split.
    const auto unitLength = [&](std::size_t at) {
        return at + 1 < n && IsHighSurrogate(text[at]) && IsLowSurrogate(text[at + 1]) ? 2 : 1;
    };
    const auto unitWidth = [&](std::size_t at) {
        return unitLength(at) == 2 ? widthOf(text[at]) + widthOf(text[at + 1]) : widthOf(text[at]);
    };
    while (pos < n) {
        if (pos > 0) {
            while (pos < n && IsBlank(text[pos])) ++pos;
            if (pos == n) break;
        }
        // As many characters as fit, and always at least one.
        std::size_t end = pos;
        int usedPx = 0;
        while (end < n && (end == pos || usedPx + unitWidth(end) <= widthPx)) {
            usedPx += unitWidth(end);
            end += unitLength(end);
        }
        if (end < n && !IsBlank(text[end])) {
            // Keep a Latin word whole by breaking before it, if it has a start on this line.
            if (IsLatinWordChar(text[end]) && IsLatinWordChar(text[end - 1])) {
                std::size_t wordStart = end - 1;
                while (wordStart > pos && IsLatinWordChar(text[wordStart - 1])) --wordStart;
                if (wordStart > pos) end = wordStart;
            }
        }
        // Closing punctuation hangs past the edge rather than open a line,
        // also where blanks stand before it, as often as it comes.
        for (;;) {
            std::size_t next = end;
            while (next < n && IsBlank(text[next])) ++next;
            if (next == n || !ClosesSomething(text[next])) break;
            end = next;
            while (end < n && ClosesSomething(text[end])) ++end;
        }
        lines.push_back({pos, end - pos});
        pos = end;
    }
    return lines;
}

}  // namespace morvane
