#include "platform/CommandLine.h"

namespace morvane {

std::optional<std::u16string> FirstArgument(std::u16string_view line) {
    const auto isBlank = [](char16_t c) { return c == u' ' || c == u'\t'; };
    std::size_t i = 0;
    while (i < line.size() && isBlank(line[i])) ++i;
    if (i == line.size()) return std::nullopt;
    std::u16string argument;
    bool quoted = false;
    while (i < line.size() && (quoted || !isBlank(line[i]))) {
        if (line[i] == u'\\') {
            std::size_t backslashes = 0;
            while (i < line.size() && line[i] == u'\\') ++backslashes, ++i;
            if (i < line.size() && line[i] == u'"') {
                argument.append(backslashes / 2, u'\\');
                if (backslashes % 2) argument += u'"', ++i;  // an escaped quote; else the quote toggles below
            } else {
                argument.append(backslashes, u'\\');
            }
            continue;
        }
        if (line[i] == u'"') {
            // Inside quotes, "" is one literal quote, as the C runtime reads it.
            if (quoted && i + 1 < line.size() && line[i + 1] == u'"') {
                argument += u'"';
                i += 2;
                continue;
            }
            quoted = !quoted;
            ++i;
            continue;
        }
        argument += line[i++];
    }
    return argument;
}

}  // namespace morvane
