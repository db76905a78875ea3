// Broken and hostile table files: the corpus of known cases (and what the
// fuzzer found), and every cut and many changed bytes of sound tables. Each
// gives the corrupt-table error, never a crash or a read outside the file
// (the sanitizer build checks the latter).

#include "EngineFixture.h"
#include "database/ParadoxFormat.h"

#include <dirent.h>
#include <fstream>
#include <sstream>

namespace database::test {
namespace {

namespace px = paradox;

std::vector<std::string> filesIn(const std::string& folder)
{
    std::vector<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (dirent* entry = readdir(dir)) {
            if (entry->d_name[0] != '.')
                names.push_back(entry->d_name);
        }
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string contentOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// Parses bytes; true when they are a table, false for a format error.
bool parses(const std::string& bytes)
{
    try {
        px::Table t = px::parseTable(bytes);
        for (const std::string& record : t.records) {
            for (const px::Field& f : t.fields)
                px::valueText(f, px::fieldBytes(f, record));
        }
        return true;
    } catch (const px::FormatError&) {
        return false;
    }
}

TEST(CorruptTables, EveryCorpusFileIsACorruptTable)
{
    std::vector<std::string> names = filesIn(TARN_DATABASE_CORPUS);
    ASSERT_FALSE(names.empty());
    for (const std::string& name : names)
        EXPECT_FALSE(parses(contentOf(std::string(TARN_DATABASE_CORPUS) + "/" + name))) << name;
}

TEST(CorruptTables, SeedTablesAreSound)
{
    std::string folder = std::string(TARN_DATABASE_SEEDS);
    for (const std::string& name : filesIn(folder)) {
        if (name.size() > 3 && name.substr(name.size() - 3) == ".DB") {
            EXPECT_TRUE(parses(contentOf(folder + "/" + name))) << name;
        }
    }
}

TEST(CorruptTables, EveryCutOfATableIsCorrupt)
{
    for (const char* seed : {"plain-v7.DB", "protected-v7.DB", "plain-v3.DB"}) {
        std::string bytes = contentOf(std::string(TARN_DATABASE_SEEDS) + "/" + seed);
        ASSERT_TRUE(parses(bytes)) << seed;
        for (std::size_t size = 0; size < bytes.size(); size += size < 0x900 ? 1 : 97)
            EXPECT_FALSE(parses(bytes.substr(0, size))) << seed << " cut at " << size;
    }
}

TEST(CorruptTables, ChangedBytesNeverBreakTheReader)
{
    std::string bytes = contentOf(std::string(TARN_DATABASE_SEEDS) + "/plain-v7.DB");
    std::size_t header =
        std::size_t(static_cast<unsigned char>(bytes[2]) | static_cast<unsigned char>(bytes[3]) << 8);
    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i < 0x400; ++i)
        positions.push_back(i);
    for (std::size_t i = header; i < header + 16; ++i)
        positions.push_back(i);
    for (std::size_t at : positions) {
        for (unsigned char value : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
            std::string changed = bytes;
            changed[at] = char(value);
            parses(changed); // either outcome; no crash, no stray read
        }
    }
}

TEST_F(EngineTest, CorruptTableIsAnEngineErrorNamingIt)
{
    std::string bytes = contentOf(std::string(TARN_DATABASE_CORPUS) + "/chain-loop.DB");
    files::test::writeHostFile(host("C:\\DB\\BROKEN.DB"), bytes);
    TDatabase db;
    connect(db);
    TTable t;
    t.SetDatabaseName("tarn");
    t.SetTableName("Broken");
    try {
        t.Open();
        FAIL() << "opened";
    } catch (const EngineError& e) {
        EXPECT_EQ(e.code(), EngineError::Code::CorruptTable);
        EXPECT_NE(std::string(e.what()).find("C:\\DB\\BROKEN.DB"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("circle"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(t.Active());
}

} // namespace
} // namespace database::test
