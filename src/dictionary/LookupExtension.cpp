#include "dictionary/LookupExtension.h"

namespace morvane {
namespace {

// Maps one UTF-16 unit to the form it is compared in. Full-width ASCII
// variants (U+FF01..U+FF5E) sit at a fixed offset from their ASCII forms.
constexpr char16_t Fold(char16_t c) noexcept {
    if (c >= 0xFF01 && c <= 0xFF5E) c = static_cast<char16_t>(c - 0xFEE0);
    else if (c == 0x3000) c = u' ';
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - (u'a' - u'A'));
    return c;
}

}  // namespace

bool KeyEquals(std::u16string_view key, std::u16string_view typed) noexcept {
    // Every folding above maps one unit to one unit, so unequal lengths can
    // never match; checking first keeps a pasted megabyte as cheap as a key.
    if (key.size() != typed.size()) return false;
    for (std::size_t i = 0; i < key.size(); ++i) {
        if (Fold(key[i]) != Fold(typed[i])) return false;
    }
    return true;
}

const ExtensionEntry* FindExtension(std::u16string_view typed) noexcept {
    const ExtensionEntry* found = nullptr;
    // No early exit: a repeated key must resolve to its last row.
    for (const ExtensionEntry& row : ExtensionTable()) {
        if (KeyEquals(row.key, typed)) found = &row;
    }
    return found;
}

void LookupExtension(ExtensionLookupView& form) {
    const std::u16string typed = form.InputText();
    if (const ExtensionEntry* row = FindExtension(typed)) {
        form.SetDescription(row->description);
    }
}

}  // namespace morvane
