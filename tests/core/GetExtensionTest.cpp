#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "forms/GetExtension.h"

namespace morvane {
namespace {

TEST(GetExtension, TakesWhatFollowsTheLastDotOfTheLastComponent) {
    const std::pair<std::u16string, std::optional<std::u16string>> cases[] = {
        {u"C:\\Documents\\report.txt", u"txt"}, {u"archive.tar.gz", u"gz"}, {u"Report.TXT", u"TXT"},
        {u"C:\\dir\\name.", u""}, {u".profile", u"profile"}, {u"C:\\dir\\.profile", u"profile"},
        {u"C:file.txt", u"txt"}, {u"C:/dir.d/file", u"d/file"},  // '/' and ':' separate nothing
        {u"readme", std::nullopt}, {u"", std::nullopt}, {u"C:\\my.dir\\readme", std::nullopt},
        {u"C:\\my.dir\\", std::nullopt}, {u"name\uFF0Etxt", std::nullopt},  // the full-width dot is no dot
    };
    for (const auto& [name, extension] : cases) EXPECT_EQ(GetExtension(name), extension);
}

TEST(GetExtension, HandlesNamesLongerThanAShortIndex) {
    // \\?\ paths reach 32,767 units; a 16-bit dot position would overflow.
    EXPECT_EQ(GetExtension(u"\\\\?\\C:\\" + std::u16string(40000, u'a') + u".log"), u"log");
    for (std::size_t dotAt : {32766u, 32767u, 32768u, 65536u}) {
        std::u16string name(dotAt + 10, u'x');
        name[dotAt] = u'.';
        EXPECT_EQ(GetExtension(name), std::u16string(9, u'x')) << dotAt;
    }
    EXPECT_EQ(GetExtension(std::u16string(50000, u'd') + u".dir\\file"), std::nullopt);
}

}  // namespace
}  // namespace morvane
