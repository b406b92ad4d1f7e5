// The fuzzers' common ground: bytes read as UTF-16 code units, little-endian,
// as a pasted text reaches the program.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace morvane::fuzz {

inline std::u16string Utf16(const std::uint8_t* data, std::size_t size) {
    std::u16string text(size / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    return text;
}

// A property that does not hold: abort, so that the fuzzer keeps the input
// and the replay of the corpus fails with it.
#define FUZZ_CHECK(condition)                                                               \
    do {                                                                                    \
        if (!(condition)) {                                                                 \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                   \
        }                                                                                   \
    } while (false)

}  // namespace morvane::fuzz
