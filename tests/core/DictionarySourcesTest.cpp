// Every description someone wrote says where its facts come from, as the tz
// database cites a source for each rule: the .sources.tsv file beside each
// table, one line a row.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "dictionary/ExtensionTable.h"
#include "dictionary/LookupExtension.h"
#include "dictionary/SupplementTable.h"

namespace morvane {
namespace {

constexpr char16_t kStock[] = u"用途因程序而异的专用数据文件";

struct SourceLine {
    std::vector<std::string> sources;
    std::string note;
};

// KEY<TAB>SOURCES[<TAB>NOTE]; '#' opens a comment line.
std::map<std::string, SourceLine> ReadSources(const std::string& file) {
    std::ifstream in(std::string(MORVANE_DICTIONARY_DIR) + "/" + file);
    EXPECT_TRUE(in) << file;
    std::map<std::string, SourceLine> lines;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> fields;
        std::stringstream split(line);
        for (std::string field; std::getline(split, field, '\t');) fields.push_back(field);
        EXPECT_TRUE(fields.size() == 2 || fields.size() == 3) << line;
        if (fields.size() < 2) continue;
        SourceLine& entry = lines[fields[0]];
        EXPECT_TRUE(entry.sources.empty()) << "two lines for " << fields[0];
        std::stringstream words(fields[1]);
        for (std::string word; words >> word;) entry.sources.push_back(word);
        if (fields.size() == 3) entry.note = fields[2];
    }
    return lines;
}

std::string Ascii(std::u16string_view key) { return std::string(key.begin(), key.end()); }

// A reference is a URL, or a MIME type of shared-mime-info or of Debian's mime.types.
bool IsReference(const std::string& source) {
    static const std::regex reference(R"((freedesktop|mime\.types):[a-z0-9-]+/[A-Za-z0-9.+_-]+|https?://\S+)");
    return std::regex_match(source, reference);
}

// The rows whose text was given with the table, not written by us: no source needed.
const std::set<std::size_t> kGivenPositions = {1,   2,   3,   4,   5,   6,   26,  27,   62,   74,   90,   100,
                                               103, 125, 126, 146, 162, 163, 169, 193,  195,  200,  307,  308,
                                               311, 322, 343, 346, 400, 456, 611, 713,  788,  789,  826,  903,
                                               1008, 1010, 1040, 1052, 1071, 1072, 1073, 1086, 1087, 1088};

TEST(DictionarySources, EveryAuthoredRowOfTheBuiltInTableHasItsSources) {
    auto lines = ReadSources("ExtensionTable.sources.tsv");
    for (std::size_t pos = 1; pos <= kExtensionCount; ++pos) {
        if (kGivenPositions.count(pos)) continue;
        const ExtensionEntry& row = ExtensionTable()[pos - 1];
        const auto found = lines.find(Ascii(row.key));
        if (found == lines.end()) {
            ADD_FAILURE() << "no source line for " << Ascii(row.key);
            continue;
        }
        const SourceLine& line = found->second;
        const bool stock = row.description == kStock;
        ASSERT_FALSE(line.sources.empty()) << Ascii(row.key);
        if (stock) {
            // No reference knows the key: the line says so, and how it was looked for.
            EXPECT_EQ(line.sources, std::vector<std::string>{"none"}) << Ascii(row.key);
            EXPECT_FALSE(line.note.empty()) << Ascii(row.key) << ": which searches found nothing?";
        } else {
            for (const std::string& source : line.sources) EXPECT_TRUE(IsReference(source)) << Ascii(row.key) << ": " << source;
        }
        lines.erase(found);
    }
    for (const auto& [key, line] : lines) ADD_FAILURE() << "a source line for " << key << ", which no authored row has";
}

TEST(DictionarySources, EveryRowOfTheSupplementHasItsReferences) {
    auto lines = ReadSources("SupplementTable.sources.tsv");
    // Debian's lists, where this machine has them: a cited type really exists.
    std::ifstream sharedMimeInfo("/usr/share/mime/packages/freedesktop.org.xml"), mimeTypes("/etc/mime.types");
    const std::string freedesktop{std::istreambuf_iterator<char>(sharedMimeInfo), {}};
    const std::string debian{std::istreambuf_iterator<char>(mimeTypes), {}};
    for (const ExtensionEntry& row : SupplementTable()) {
        const auto found = lines.find(Ascii(row.key));
        if (found == lines.end()) {
            ADD_FAILURE() << "no source line for " << Ascii(row.key);
            continue;
        }
        EXPECT_FALSE(found->second.sources.empty()) << Ascii(row.key);
        for (const std::string& source : found->second.sources) {
            EXPECT_TRUE(IsReference(source)) << Ascii(row.key) << ": " << source;
            const std::string type = source.substr(source.find(':') + 1);
            if (source.starts_with("freedesktop:") && !freedesktop.empty()) {
                EXPECT_NE(freedesktop.find("\"" + type + "\""), std::string::npos) << Ascii(row.key) << ": " << source;
            }
            if (source.starts_with("mime.types:") && !debian.empty()) {
                EXPECT_NE(debian.find("\n" + type), std::string::npos) << Ascii(row.key) << ": " << source;
            }
        }
        lines.erase(found);
    }
    for (const auto& [key, line] : lines) ADD_FAILURE() << "a source line for " << key << ", which the supplement lacks";
}

// Two keys share a text only when they name one format: then they cite it alike.
TEST(DictionarySources, SupplementRowsShareATextOnlyWithTheSameFormat) {
    const auto lines = ReadSources("SupplementTable.sources.tsv");
    std::map<std::u16string_view, std::vector<std::string>> keysByText;
    for (const ExtensionEntry& row : SupplementTable()) keysByText[row.description].push_back(Ascii(row.key));
    for (const auto& [text, keys] : keysByText) {
        for (std::size_t i = 1; i < keys.size(); ++i) {
            const auto& a = lines.at(keys[0]).sources;
            const auto& b = lines.at(keys[i]).sources;
            EXPECT_TRUE(std::find_first_of(a.begin(), a.end(), b.begin(), b.end()) != a.end())
                << keys[0] << " and " << keys[i] << " share a text but no source";
        }
    }
}

// What the user reads about the dictionary's size is what it holds: README and
// the guide that ships with the program give both tables' counts.
TEST(DictionarySources, ReadmeAndGuideGiveTheCountsTheTablesHold) {
    // A key the user can type counts once: the row the lookup answers with.
    std::size_t builtIn = 0;
    for (const ExtensionEntry& row : ExtensionTable()) builtIn += !row.key.empty() && FindExtension(row.key) == &row;
    const auto thousands = [](std::size_t n) {
        const std::string digits = std::to_string(n);
        std::string grouped;
        for (std::size_t i = 0; i < digits.size(); ++i) {
            if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
            grouped += digits[i];
        }
        return grouped;
    };
    const std::string counts[] = {thousands(builtIn), thousands(SupplementTable().size()),
                                  thousands(builtIn + SupplementTable().size())};
    for (const char8_t* doc : {u8"/../../README.md", u8"/../../docs/使用说明.txt"}) {
        // A path, not a narrow string: on Windows a narrow name is read in the ANSI code page.
        const std::filesystem::path path = std::filesystem::path(MORVANE_DICTIONARY_DIR) / std::filesystem::path(doc + 1);
        std::ifstream in(path, std::ios::binary);
        ASSERT_TRUE(in) << path;
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        for (const std::string& count : counts) EXPECT_NE(text.find(count), std::string::npos) << path << " lacks " << count;
    }
}

}  // namespace
}  // namespace morvane
