#include "dictionary/LookupExtension.h"

#include <algorithm>

#include "dictionary/SupplementTable.h"

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
    if (found || typed.size() > LongestSupplementKey()) return found;
    // Only then today's extensions, by binary search: their keys are folded
    // already and sorted, so the typed text is folded as it is compared.
    // A comparison stops at the first difference, so a pasted megabyte costs
    // no more than a key, and a text longer than every key costs nothing.
    const auto supplement = SupplementTable();
    const auto before = [](const ExtensionEntry& row, std::u16string_view text) {
        const std::size_t common = std::min(row.key.size(), text.size());
        for (std::size_t i = 0; i < common; ++i) {
            const char16_t typedUnit = Fold(text[i]);
            if (row.key[i] != typedUnit) return row.key[i] < typedUnit;
        }
        return row.key.size() < text.size();
    };
    const auto row = std::lower_bound(supplement.begin(), supplement.end(), typed, before);
    return row != supplement.end() && KeyEquals(row->key, typed) ? &*row : nullptr;
}

void LookupExtension(ExtensionLookupView& form) {
    const std::u16string typed = form.InputText();
    if (const ExtensionEntry* row = FindExtension(typed)) {
        form.SetDescription(row->description);
    }
}

}  // namespace morvane
