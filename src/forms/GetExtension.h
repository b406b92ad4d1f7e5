// The extension of a file name or full path, as the file window shows it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace morvane {

// Everything after the last dot, provided no backslash follows that dot.
// No value when there is no dot or the last dot lies in a folder name; the
// empty text when the name ends in a dot. Only U+002E and U+005C count:
// '/' and ':' are ordinary characters. Names of any length are handled.
std::optional<std::u16string> GetExtension(std::u16string_view filename);

}  // namespace morvane
