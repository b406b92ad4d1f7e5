// The first argument never reaches past its command line, and a line of
// plain words gives its first word back unchanged.
#include <cstdio>
#include <cstdlib>

#include "FuzzInput.h"
#include "platform/CommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string line = morvane::fuzz::Utf16(data, size);
    const auto first = morvane::FirstArgument(line);
    const std::size_t start = line.find_first_not_of(u" \t");
    FUZZ_CHECK(first.has_value() == (start != std::u16string::npos));
    if (!first) return 0;
    FUZZ_CHECK(first->size() <= line.size());
    const std::u16string_view rest = std::u16string_view(line).substr(start);
    const std::size_t wordEnd = rest.find_first_of(u" \t");
    const std::u16string_view word = rest.substr(0, wordEnd);
    if (word.find_first_of(u"\"\\") == std::u16string_view::npos) FUZZ_CHECK(*first == word);
    return 0;
}
