// Finding the description of what the user typed.
#pragma once

#include <string>
#include <string_view>

#include "dictionary/ExtensionTable.h"

namespace morvane {

// True when the typed text equals a table key as a user means it: letters in
// any case, and the full-width forms an input method produces (Ｚｉｐ, the
// ideographic space) as their ASCII counterparts. Nothing is trimmed, no dot
// is dropped, and keys are literal text, never patterns. Independent of the
// user's locale, so a Turkish dotless-i rule cannot hide "GIF".
bool KeyEquals(std::u16string_view key, std::u16string_view typed) noexcept;

// The last row of the built-in table whose key equals the text; when it has
// none, the supplement's row for it; or nullptr.
const ExtensionEntry* FindExtension(std::u16string_view typed) noexcept;

// What the lookup needs of the main window, and nothing more.
class ExtensionLookupView {
public:
    virtual std::u16string InputText() const = 0;
    virtual void SetDescription(std::u16string_view description) = 0;

protected:
    ~ExtensionLookupView() = default;
};

// Runs on every change of the input. A miss leaves the description as it
// was; the empty input matches the empty key and so clears it.
void LookupExtension(ExtensionLookupView& form);

}  // namespace morvane
