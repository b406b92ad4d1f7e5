#include "forms/GetExtension.h"

namespace morvane {

std::optional<std::u16string> GetExtension(std::u16string_view filename) {
    // size_t positions throughout: paths longer than 32,767 units exist
    // (\\?\ names), and a narrower index would overflow on them.
    const std::size_t dot = filename.rfind(u'.');
    if (dot == std::u16string_view::npos) return std::nullopt;
    const std::size_t backslash = filename.rfind(u'\\');
    if (backslash != std::u16string_view::npos && backslash > dot) return std::nullopt;
    return std::u16string(filename.substr(dot + 1));
}

}  // namespace morvane
