#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "forms/GetExtension.h"

namespace morvane {
namespace {

struct Case {
    std::u16string name;
    std::optional<std::u16string> extension;
};

TEST(GetExtension, TakesTextAfterLastDotInLastComponent) {
    const Case cases[] = {
        {u"C:\\Documents\\report.txt", u"txt"},
        {u"archive.tar.gz", u"gz"},
        {u"Report.TXT", u"TXT"},             // case kept as the name has it
        {u"C:\\dir\\name.", u""},            // a final dot gives the empty text
        {u".profile", u"profile"},
        {u"C:\\dir\\.profile", u"profile"},
        {u"C:file.txt", u"txt"},             // a drive prefix is no separator
        {u"C:/dir.d/file", u"d/file"},       // nor is the forward slash
        {u"\\\\server\\share\\测试文件.文本", u"文本"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetExtension(c.name), c.extension) << std::string(c.name.begin(), c.name.end());
    }
}

TEST(GetExtension, NoValueWithoutDotInLastComponent) {
    for (std::u16string name : {u"readme", u"", u"C:\\my.dir\\readme", u"C:\\my.dir\\",
                                u"name\xFF0Etxt"}) {  // the full-width dot is an ordinary character
        EXPECT_EQ(GetExtension(name), std::nullopt);
    }
}

TEST(GetExtension, HandlesNamesLongerThanAShortIndex) {
    // Long \\?\ paths exceed 32,767 units; a 16-bit dot position would overflow.
    std::u16string name = u"\\\\?\\C:\\" + std::u16string(40000, u'a') + u".log";
    EXPECT_EQ(GetExtension(name), u"log");

    for (std::size_t dotAt : {32766u, 32767u, 32768u, 65536u}) {
        std::u16string around(dotAt + 10, u'x');
        around[dotAt] = u'.';
        EXPECT_EQ(GetExtension(around), std::u16string(9, u'x')) << dotAt;
    }

    std::u16string dir = std::u16string(50000, u'd') + u".dir\\" + std::u16string(100, u'f');
    EXPECT_EQ(GetExtension(dir), std::nullopt);
}

}  // namespace
}  // namespace morvane
