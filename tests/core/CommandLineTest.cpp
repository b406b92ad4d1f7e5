#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "platform/CommandLine.h"

namespace morvane {
namespace {

// What Explorer's Send To and Open with pass, and what people type.
TEST(FirstArgument, SplitsAndUnquotesAsWindowsDoes) {
    const std::pair<std::u16string_view, std::optional<std::u16string>> cases[] = {
        {u"", std::nullopt}, {u"   \t ", std::nullopt},
        {u"C:\\a.txt", u"C:\\a.txt"}, {u"  C:\\a.txt  ", u"C:\\a.txt"},
        {u"\"C:\\My Files\\报告 1.DOCX\"", u"C:\\My Files\\报告 1.DOCX"},
        {u"\"C:\\a b\\x.zip\" \"D:\\second.doc\"", u"C:\\a b\\x.zip"},  // several files: the first
        {u"C:\\a\" b\"\\c.txt next", u"C:\\a b\\c.txt"},                // quotes group inside a word
        {u"\"\"", u""}, {u"\"\" more", u""},                            // an empty argument
        {u"\"C:\\dir\\\\\" tail", u"C:\\dir\\"},                        // 2n backslashes, then a quote
        {u"a\\\\\\\"b", u"a\\\"b"},                                     // 2n+1: a literal quote
        {u"C:\\dir\\file", u"C:\\dir\\file"},                           // lone backslashes stay
        {u"\"say \"\"hi\"\"\"", u"say \"hi\""},                         // "" inside quotes
        {u"\"unterminated path", u"unterminated path"},
    };
    for (const auto& [line, first] : cases) EXPECT_EQ(FirstArgument(line), first) << std::string(line.begin(), line.end());
}

}  // namespace
}  // namespace morvane
