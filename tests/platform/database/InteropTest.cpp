// Against pxlib, an independent implementation of the format: tables it
// writes read through the engine, and tables the engine writes read back by
// pxlib with their primary index accepted.

#include "EngineFixture.h"
#include "Pxlib.h"
#include "database/TableBuilder.h"
#include "files/FileSystem.h"

#include <algorithm>

namespace database::test {
namespace {

namespace px = paradox;

std::string keyOf(int i)
{
    char text[32];
    std::snprintf(text, sizeof text, "-%04d-", i);
    return "路徑" + std::string(text) + "資料";
}

// Appended rather than "text" + std::to_string(i), which GCC 12 at -O3 takes
// for an overlapping copy (-Wrestrict).
std::string numbered(const char* text, int i)
{
    std::string s = text;
    s += std::to_string(i);
    return s;
}

class InteropTest : public EngineTest, public ::testing::WithParamInterface<std::string>
{
protected:
    std::string password() const
    {
        return GetParam();
    }

    void usePassword() const
    {
        if (!password().empty())
            Session().AddPassword(password());
    }
};

TEST_P(InteropTest, TablesPxlibWritesReadThroughTheEngine)
{
    PxTable table;
    table.columns = {{"PathName", 1, 40}, {"Value", 1, 60}, {"Size", 3, 2}, {"Total", 6, 8}, {"Flag", 9, 1}};
    table.keyFields = 1;
    table.password = password();
    Rows expected;
    for (int i = 0; i < 600; ++i) {
        char total[32];
        std::snprintf(total, sizeof total, "%.15g", i * 1.25);
        std::vector<std::string> row = {keyOf(i), "值 " + std::to_string(i) + " 中文",
                                        std::to_string(i - 300), total, i % 2 != 0 ? "True" : "False"};
        table.rows.push_back(row);
        expected.push_back(row);
    }
    writeWithPxlib(host("C:\\DB\\PXTABLE"), table);

    if (!password().empty()) {
        TDatabase db;
        connect(db);
        TTable locked;
        locked.SetDatabaseName("tarn");
        locked.SetTableName("PXTABLE");
        EXPECT_THROW(locked.Open(), EngineError) << "pxlib's protection is honoured";
    }
    usePassword();
    EXPECT_EQ(readTable("pxtable", {"PathName", "Value", "Size", "Total", "Flag"}), expected);

    TDatabase db;
    connect(db);
    TTable t;
    t.SetDatabaseName("TARN");
    t.SetTableName("PxTable");
    t.Open();
    EXPECT_EQ(t.RecordCount(), 600);
    ASSERT_TRUE(t.FindKey(keyOf(123)));
    EXPECT_EQ(t.FieldByName("Value").AsString(), "值 123 中文");
}

TEST_P(InteropTest, TablesTheEngineWritesReadBackThroughPxlib)
{
    // Two sources: a table the engine created (1 KiB blocks, so that the
    // index has two levels) and one pxlib created with its own index.
    for (bool pxlibMade : {false, true}) {
        SCOPED_TRACE(pxlibMade ? "made by pxlib" : "made by the engine");
        Rows rows;
        for (int i = 0; i < 900; i += 2)
            rows.push_back({keyOf(i), numbered("v", i)});
        if (pxlibMade) {
            PxTable table;
            table.columns = {{"PathName", 1, 40}, {"Value", 1, 60}};
            table.keyFields = 1;
            table.password = password();
            table.rows = rows;
            writeWithPxlib(host("C:\\DB\\OUT"), table);
        } else {
            px::TableSpec spec;
            spec.fields = {{"PathName", px::FieldType::Alpha, 40}, {"Value", px::FieldType::Alpha, 60}};
            spec.keyFields = 1;
            spec.blockSize = 1024;
            spec.password = password();
            spec.tableName = "OUT.DB";
            createTable("C:\\DB\\OUT.DB", spec, rows);
        }
        std::string oldIndex = files::test::readHostFile(host("C:\\DB\\OUT.PX"));
        usePassword();

        TDatabase db;
        connect(db);
        TTable t;
        t.SetDatabaseName("tarn");
        t.SetTableName("OUT");
        t.Open();
        for (int i : {901, 1, 455, 3}) { // appended out of key order
            t.Append();
            t.FieldByName("PathName").SetAsString(keyOf(i));
            t.FieldByName("Value").SetAsString(numbered("new ", i));
            t.Post();
            rows.push_back({keyOf(i), numbered("new ", i)});
        }
        ASSERT_TRUE(t.FindKey(keyOf(100)));
        t.Edit();
        t.FieldByName("Value").SetAsString("edited");
        t.Post();
        rows[50][1] = "edited";
        ASSERT_TRUE(t.FindKey(keyOf(200)));
        t.Delete();
        rows.erase(rows.begin() + 100);
        std::sort(rows.begin(), rows.end());

        PxRead read = readWithPxlib(host("C:\\DB\\OUT.DB"), host("C:\\DB\\OUT.PX"));
        EXPECT_TRUE(read.opened) << read.errors;
        EXPECT_TRUE(read.indexAccepted) << read.errors;
        EXPECT_EQ(read.codePage, 950);
        EXPECT_EQ(read.rows, rows);

        std::string index = files::test::readHostFile(host("C:\\DB\\OUT.PX"));
        if (!pxlibMade) {
            EXPECT_EQ(index[0x20], 2) << "two index levels";
        }
        if (pxlibMade) {
            // pxlib's index header is kept apart from counts and encryption.
            for (std::size_t i = 0; i < 0x800; ++i) {
                bool changing =
                    (i >= 0x06 && i < 0x12) || i == 0x1E || i == 0x1F || i == 0x20 || (i >= 0x25 && i < 0x29);
                if (!changing) {
                    EXPECT_EQ(index[i], oldIndex[i]) << "index header byte " << i;
                }
            }
        }
        if (!password().empty()) {
            EXPECT_EQ(index.find("new 455"), std::string::npos);
        }
        t.Close();
        db.Close();
        Session().RemoveAllPasswords();
    }
}

INSTANTIATE_TEST_SUITE_P(PlainAndProtected, InteropTest, ::testing::Values("", "wgl639275"),
                         [](const auto& info) { return info.param.empty() ? "Plain" : "Protected"; });

} // namespace
} // namespace database::test
