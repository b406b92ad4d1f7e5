// The extensions people hold today that the built-in table lacks (DOCX, MP4,
// JSON, APK...), consulted only when the built-in table has no row.
#pragma once

#include <span>

#include "dictionary/ExtensionTable.h"

namespace morvane {

// Read-only, one row per extension. Keys are written as the lookup compares
// them (printable ASCII, letters in upper case) and sorted by code unit, so
// that a key is found by binary search; no key repeats one of the built-in
// table's.
std::span<const ExtensionEntry> SupplementTable() noexcept;

// No longer text can match a supplement key.
std::size_t LongestSupplementKey() noexcept;

}  // namespace morvane
