// The built-in dictionary: every extension the program knows, in a fixed order.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace morvane {

struct ExtensionEntry {
    std::u16string_view key;          // the extension without its dot, exactly as matched
    std::u16string_view description;  // shown verbatim, blanks at either end included
};

inline constexpr std::size_t kExtensionCount = 1088;

// Read-only and in table order. The order is part of the data: where keys
// repeat, the later row's description is the one the user sees.
std::span<const ExtensionEntry, kExtensionCount> ExtensionTable() noexcept;

}  // namespace morvane
