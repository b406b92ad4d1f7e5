// The lookup equals a plain scan of both tables, folding only ASCII letters
// and the full-width forms an input method types: the built-in table's last
// matching row, else the supplement's row.
#include <cstdio>
#include <cstdlib>

#include "FuzzInput.h"
#include "dictionary/LookupExtension.h"
#include "dictionary/SupplementTable.h"

namespace {

char16_t Plain(char16_t c) {
    if (c == 0x3000) return u' ';
    if (c >= 0xFF01 && c <= 0xFF5E) c = static_cast<char16_t>(c - 0xFF01 + 0x21);
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

bool Same(std::u16string_view key, std::u16string_view typed) {
    if (key.size() != typed.size()) return false;
    for (std::size_t i = 0; i < key.size(); ++i)
        if (Plain(key[i]) != Plain(typed[i])) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace morvane;
    const std::u16string typed = fuzz::Utf16(data, size);
    const ExtensionEntry* expected = nullptr;
    for (const ExtensionEntry& row : ExtensionTable())
        if (Same(row.key, typed)) expected = &row;
    if (!expected) {
        for (const ExtensionEntry& row : SupplementTable())
            if (Same(row.key, typed)) expected = &row;
    }
    FUZZ_CHECK(FindExtension(typed) == expected);
    return 0;
}
