// The program's command line, without Windows: what Explorer's Send To and
// Open with pass, a path, quoted when it holds blanks.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace morvane {

// The first argument of a command line that follows the program's name (as
// wWinMain receives it), split and unquoted by Windows' own rules: blanks and
// tabs separate, double quotes group, 2n backslashes before a quote are n
// backslashes, 2n+1 are n and a literal quote, other backslashes are
// literal. No value when there is no argument; "" is the empty text.
std::optional<std::u16string> FirstArgument(std::u16string_view commandLine);

}  // namespace morvane
