// The extension is exactly what follows the last dot, never holds a
// backslash, and is no value when there is no dot or a backslash follows it.
#include <cstdio>
#include <cstdlib>

#include "FuzzInput.h"
#include "forms/GetExtension.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string name = morvane::fuzz::Utf16(data, size);
    const auto extension = morvane::GetExtension(name);
    const std::size_t dot = name.rfind(u'.');
    if (dot == std::u16string::npos || name.find(u'\\', dot) != std::u16string::npos) {
        FUZZ_CHECK(!extension);
    } else {
        FUZZ_CHECK(extension && *extension == name.substr(dot + 1));
        FUZZ_CHECK(extension->find(u'\\') == std::u16string::npos && extension->find(u'.') == std::u16string::npos);
    }
    return 0;
}
