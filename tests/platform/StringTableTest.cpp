// The built string table: every line "id TAB text", and no id given two texts
// (the source files of different areas are joined into one table).
#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace fs = std::filesystem;

TEST(StringTable, EveryIdHasOneText)
{
    std::ifstream in(fs::path(KM_RES_DIR) / "strings.tsv", std::ios::binary);
    ASSERT_TRUE(in);
    std::map<unsigned long, std::string> texts;
    std::string line;
    for (int n = 1; std::getline(in, line); ++n) {
        SCOPED_TRACE(testing::Message() << "line " << n << ": " << line);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        size_t tab = line.find('\t');
        ASSERT_NE(tab, std::string::npos);
        ASSERT_GT(tab, 0u);
        ASSERT_EQ(line.find_first_not_of("0123456789"), tab);
        // A second TAB means two lines ran together (a file without its last newline).
        EXPECT_EQ(line.find('\t', tab + 1), std::string::npos);
        unsigned long id = std::stoul(line.substr(0, tab));
        std::string text = line.substr(tab + 1);
        auto [it, fresh] = texts.emplace(id, text);
        EXPECT_TRUE(fresh || it->second == text) << "id " << id << " also reads \"" << it->second << "\"";
    }
    EXPECT_FALSE(texts.empty());
}

TEST(StringTable, SourceFilesEndWithANewline)
{
    for (const auto& e : fs::directory_iterator(fs::path(KM_SOURCE_DIR) / "resources" / "strings")) {
        if (e.path().extension() != ".tsv") continue;
        std::ifstream in(e.path(), std::ios::binary);
        std::string all(std::istreambuf_iterator<char>(in), {});
        if (!all.empty()) {
            EXPECT_EQ(all.back(), '\n') << e.path();
        }
    }
}
