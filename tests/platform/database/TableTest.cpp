// The engine on real table files in temporary drives: reading in key order,
// key lookups, every write path checked by reading the table again from
// disk, passwords, folders and the errors the programs show.

#include "EngineFixture.h"
#include "database/TableBuilder.h"
#include "files/FileSystem.h"
#include "platform/files/FailingFileOps.h"

namespace database::test {
namespace {

namespace px = paradox;
using Code = EngineError::Code;

// Runs body and returns the engine error it throws.
template <typename Body> EngineError errorOf(Body body)
{
    try {
        body();
    } catch (const EngineError& e) {
        return e;
    }
    ADD_FAILURE() << "no engine error";
    return EngineError(Code::General, "");
}

Rows names(std::initializer_list<const char*> list)
{
    Rows rows;
    for (const char* n : list)
        rows.push_back({n});
    return rows;
}

class TableTest : public EngineTest
{
protected:
    void SetUp() override
    {
        createTable("C:\\DB\\BAKPATH.DB", bakPathSpec(), names({"STOCK", "月報", "ACCOUNT", "ARCHIVE"}));
        connect(db);
        table.SetDatabaseName("TARN");
        table.SetTableName("BakPath");
    }

    Rows onDisk() const
    {
        return readTable("BakPath", {"PathName"});
    }

    TDatabase db;
    TTable table;
};

TEST_F(TableTest, ReadsInKeyOrderAndFindsExactKeys)
{
    table.Open();
    EXPECT_EQ(table.RecordCount(), 4);
    EXPECT_EQ(readAll(table, {"PathName"}), names({"ACCOUNT", "ARCHIVE", "STOCK", "月報"}));

    EXPECT_TRUE(table.FindKey("月報"));
    EXPECT_EQ(table.FieldByName("pathname").AsString(), "月報");
    EXPECT_TRUE(table.FindKey("ARCHIVE"));
    EXPECT_FALSE(table.FindKey("archive"));
    EXPECT_FALSE(table.FindKey("NONE"));
    EXPECT_EQ(table.FieldByName("PathName").AsString(), "ARCHIVE") << "a miss keeps the current row";
}

TEST_F(TableTest, UnkeyedTableReadsInRecordOrder)
{
    px::TableSpec spec;
    spec.fields = {{"Name", px::FieldType::Alpha, 10}, {"Size", px::FieldType::Long}};
    createTable("C:\\DB\\LOG.DB", spec, {{"b", "2"}, {"a", "1"}, {"c", "3"}});
    EXPECT_EQ(readTable("log", {"Name", "Size"}), (Rows{{"b", "2"}, {"a", "1"}, {"c", "3"}}));
}

TEST_F(TableTest, AppendEditAndDeleteReachTheDisk)
{
    table.Open();
    table.Append();
    table.FieldByName("PathName").SetAsString("BANK");
    table.Post();
    EXPECT_EQ(table.FieldByName("PathName").AsString(), "BANK");
    EXPECT_EQ(onDisk(), names({"ACCOUNT", "ARCHIVE", "BANK", "STOCK", "月報"}));

    ASSERT_TRUE(table.FindKey("STOCK"));
    table.Edit();
    table.FieldByName("PathName").SetAsString("AAA");
    table.Post();
    EXPECT_EQ(onDisk(), names({"AAA", "ACCOUNT", "ARCHIVE", "BANK", "月報"}));

    ASSERT_TRUE(table.FindKey("ARCHIVE"));
    table.Delete();
    EXPECT_EQ(table.FieldByName("PathName").AsString(), "BANK") << "the next row becomes current";
    EXPECT_EQ(onDisk(), names({"AAA", "ACCOUNT", "BANK", "月報"}));
    EXPECT_EQ(table.RecordCount(), 4);

    // The index beside it is rewritten with the rows.
    px::Table back = px::parseTable(files::test::readHostFile(host("C:\\DB\\BAKPATH.DB")));
    EXPECT_EQ(files::test::readHostFile(host("C:\\DB\\BAKPATH.PX")), px::writePrimaryIndex(back, {}));
}

TEST_F(TableTest, RegisteringAnExistingNameKeepsOneRow)
{
    table.Open();
    ASSERT_TRUE(table.FindKey("STOCK"));
    table.Edit();
    table.FieldByName("PathName").SetAsString("STOCK");
    table.Post();
    EXPECT_EQ(onDisk(), names({"ACCOUNT", "ARCHIVE", "STOCK", "月報"}));
}

TEST_F(TableTest, DuplicateKeyIsAKeyViolationAndChangesNothing)
{
    table.Open();
    table.Append();
    table.FieldByName("PathName").SetAsString("STOCK");
    EngineError e = errorOf([&] { table.Post(); });
    EXPECT_EQ(e.code(), Code::KeyViolation);
    EXPECT_NE(std::string(e.what()).find("BAKPATH.DB"), std::string::npos) << e.what();
    EXPECT_EQ(table.State(), DataSetState::Insert);
    table.Cancel();

    ASSERT_TRUE(table.FindKey("ACCOUNT"));
    table.Edit();
    table.FieldByName("PathName").SetAsString("ARCHIVE");
    EXPECT_EQ(errorOf([&] { table.Post(); }).code(), Code::KeyViolation);
    EXPECT_EQ(onDisk(), names({"ACCOUNT", "ARCHIVE", "STOCK", "月報"}));
}

TEST_F(TableTest, LongNamesAreCutToTheFieldWidthBetweenCharacters)
{
    std::string chinese;
    for (int i = 0; i < 7; ++i)
        chinese += "資料夾"; // 42 bytes in code page 950
    table.Open();
    for (const std::string& name : {chinese, "a" + chinese}) {
        table.Append();
        table.FieldByName("PathName").SetAsString(name);
        table.Post();
    }
    std::string twenty = chinese.substr(0, 20 * 3);   // 40 bytes
    std::string nineteen = chinese.substr(0, 19 * 3); // 38 bytes, 39 with "a"
    // Key order with letter case folded: ACCOUNT, ARCHIVE, a資..., STOCK, 月報, 資...
    Rows rows = onDisk();
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[2][0], "a" + nineteen);
    EXPECT_EQ(rows[5][0], twenty);
    EXPECT_EQ(files::cp950Length(rows[2][0]), 39u);

    // The same cut applies to a lookup, so a long name is found again.
    EXPECT_TRUE(table.FindKey(chinese));
    EXPECT_EQ(table.FieldByName("PathName").AsString(), twenty);
}

TEST_F(TableTest, WritingNeedsEditOrInsertAndValidValues)
{
    table.Open();
    EXPECT_EQ(errorOf([&] { table.FieldByName("PathName").SetAsString("X"); }).code(), Code::NotEditing);
    EXPECT_EQ(errorOf([&] { table.Post(); }).code(), Code::NotEditing);

    px::TableSpec spec;
    spec.fields = {{"Key", px::FieldType::Alpha, 8},
                   {"Size", px::FieldType::Short},
                   {"Id", px::FieldType::AutoIncrement}};
    spec.keyFields = 1;
    createTable("C:\\DB\\SIZES.DB", spec, {{"a", "1", "7"}});
    TTable sizes;
    sizes.SetDatabaseName("tarn");
    sizes.SetTableName("SIZES");
    sizes.Open();
    sizes.Append();
    sizes.FieldByName("Key").SetAsString("b");
    EXPECT_EQ(errorOf([&] { sizes.FieldByName("Size").SetAsString("big"); }).code(), Code::InvalidValue);
    EXPECT_EQ(errorOf([&] { sizes.FieldByName("Id").SetAsString("9"); }).code(), Code::InvalidValue);
    sizes.FieldByName("Size").SetAsString("-2");
    sizes.Post();
    EXPECT_EQ(readTable("sizes", {"Key", "Size", "Id"}), (Rows{{"a", "1", "7"}, {"b", "-2", "8"}}));
}

TEST_F(TableTest, ProtectedTableNeedsItsPassword)
{
    createTable("C:\\DB\\PARAM.DB", bakPathSpec("604217"), names({"5-BAKS"}));
    TTable param;
    param.SetDatabaseName("tarn");
    param.SetTableName("param.db");

    EngineError e = errorOf([&] { param.Open(); });
    EXPECT_EQ(e.code(), Code::WrongPassword);
    EXPECT_NE(std::string(e.what()).find("C:\\DB\\PARAM.DB"), std::string::npos) << e.what();
    EXPECT_FALSE(param.Active());

    Session().AddPassword("qzwrt402617");
    EXPECT_EQ(errorOf([&] { param.Open(); }).code(), Code::WrongPassword);
    Session().AddPassword("604217");
    param.Open();
    EXPECT_TRUE(param.FindKey("5-BAKS"));
}

TEST_F(TableTest, PromptIsAskedUntilAPasswordFitsOrTheUserCancels)
{
    createTable("C:\\DB\\PARAM.DB", bakPathSpec("hjoy702318"), names({"5-BAKS"}));
    std::vector<std::string> asked;
    std::vector<std::optional<std::string>> answers = {"wrong", "hjoy702318"};
    Session().SetPasswordPrompt([&](const std::string& tableName) {
        asked.push_back(tableName);
        return answers.at(asked.size() - 1);
    });
    TTable param;
    param.SetDatabaseName("tarn");
    param.SetTableName("PARAM");
    param.Open();
    EXPECT_EQ(asked, (std::vector<std::string>{"C:\\DB\\PARAM.DB", "C:\\DB\\PARAM.DB"}));
    param.Close();
    param.Open(); // the password given is registered now
    EXPECT_EQ(asked.size(), 2u);

    Session().RemoveAllPasswords();
    param.Close();
    answers = {std::nullopt};
    asked.clear();
    EXPECT_EQ(errorOf([&] { param.Open(); }).code(), Code::WrongPassword);
    EXPECT_EQ(asked.size(), 1u);
}

TEST_F(TableTest, ChangesKeepTheEncryptionOfTheTableAndItsIndex)
{
    createTable("C:\\DB\\PARAM.DB", bakPathSpec("tzq135860"), names({"5-BAKS"}));
    Session().AddPassword("tzq135860");
    TTable param;
    param.SetDatabaseName("tarn");
    param.SetTableName("param");
    param.Open();
    param.Append();
    param.FieldByName("PathName").SetAsString("SECRET-NAME");
    param.Post();

    std::string data = files::test::readHostFile(host("C:\\DB\\PARAM.DB"));
    std::string index = files::test::readHostFile(host("C:\\DB\\PARAM.PX"));
    EXPECT_EQ(px::parseTable(data).passwordCheck, px::passwordCheck("tzq135860"));
    EXPECT_EQ(data.find("SECRET-NAME"), std::string::npos);
    EXPECT_EQ(index.find("SECRET-NAME"), std::string::npos);
    EXPECT_EQ(readTable("param", {"PathName"}), names({"5-BAKS", "SECRET-NAME"}));

    // The index header names the table's encryption, and the index block,
    // which holds the first key of the one data block, deciphers with it.
    const auto byteAt = [&](std::size_t at) {
        return std::uint32_t(static_cast<unsigned char>(index.at(at)));
    };
    const std::uint32_t indexCheck =
        byteAt(0x25) | byteAt(0x26) << 8 | byteAt(0x27) << 16 | byteAt(0x28) << 24;
    EXPECT_EQ(indexCheck, px::passwordCheck("tzq135860"));
    const std::size_t headerSize = byteAt(0x02) | byteAt(0x03) << 8;
    std::string block = index.substr(headerSize, byteAt(0x05) * 1024);
    px::decryptBlock(block.data(), block.size(), indexCheck, 1);
    EXPECT_NE(block.find("5-BAKS"), std::string::npos);
}

TEST_F(TableTest, RewriteKeepsEveryPropertyOfTheTable)
{
    px::TableSpec spec;
    spec.fields = {{"Name", px::FieldType::Alpha, 20},
                   {"Value", px::FieldType::Alpha, 60},
                   {"Changed", px::FieldType::Date}};
    spec.keyFields = 1;
    spec.versionId = 10;
    spec.blockSize = 4096;
    spec.sortOrder = "ascii";
    spec.sortOrderId = 0;
    spec.tableName = "Options";
    createTable("C:\\DB\\OPTIONS.DB", spec, {{"b", "two", "2020/1/2"}});
    std::string before = files::test::readHostFile(host("C:\\DB\\OPTIONS.DB"));

    TTable t;
    t.SetDatabaseName("tarn");
    t.SetTableName("Options");
    t.Open();
    t.Append();
    t.FieldByName("Name").SetAsString("a");
    t.FieldByName("Changed").SetAsString("2021/3/4");
    t.Post();

    std::string after = files::test::readHostFile(host("C:\\DB\\OPTIONS.DB"));
    px::Table a = px::parseTable(before), b = px::parseTable(after);
    ASSERT_EQ(a.header.size(), b.header.size());
    // Only the counts of records and blocks differ.
    for (std::size_t i = 0; i < a.header.size(); ++i) {
        bool count = (i >= 0x06 && i < 0x12) || i == 0x3A || i == 0x3B;
        if (!count) {
            EXPECT_EQ(a.header[i], b.header[i]) << "header byte " << i;
        }
    }
    EXPECT_EQ(b.blockSize, 4096);
    EXPECT_EQ(b.versionId, 10);
    EXPECT_EQ(b.records.size(), 2u);
    EXPECT_EQ(readTable("OPTIONS", {"Name", "Changed"}), (Rows{{"a", "2021/03/04"}, {"b", "2020/01/02"}}));
}

TEST_F(TableTest, ReadsEveryFileVersion)
{
    for (int version : {3, 4, 5, 9, 10, 12}) {
        px::TableSpec spec = bakPathSpec(version % 2 == 0 ? "rme357028" : "");
        spec.versionId = version;
        createTable("C:\\DB\\V.DB", spec, names({"路徑", "B", "A"}));
        Session().AddPassword("rme357028");
        EXPECT_EQ(readTable("V", {"PathName"}), names({"A", "B", "路徑"})) << version;
    }
}

TEST_F(TableTest, NoPathMeansTheCurrentFolderAtConnection)
{
    db.Close();
    files::setCurrentFolder("C:\\DB");
    connect(db, "");
    files::setCurrentFolder("C:\\");
    EXPECT_EQ(db.Directory(), "C:\\DB");
    table.Open();
    EXPECT_EQ(table.RecordCount(), 4);
}

TEST_F(TableTest, ErrorsNameTheTableFieldOrFolder)
{
    table.Open();
    EngineError field = errorOf([&] { table.FieldByName("Value"); });
    EXPECT_EQ(field.code(), Code::FieldNotFound);
    EXPECT_STREQ(field.what(), "Field 'Value' not found");

    TTable missing;
    missing.SetDatabaseName("tarn");
    missing.SetTableName("Nope");
    EngineError table = errorOf([&] { missing.Open(); });
    EXPECT_EQ(table.code(), Code::TableNotFound);
    EXPECT_NE(std::string(table.what()).find("C:\\DB\\Nope.DB"), std::string::npos) << table.what();

    TDatabase other;
    other.SetDatabaseName("other");
    other.SetDriverName("STANDARD");
    other.Params() = {"PATH=C:\\NOWHERE\\"};
    EngineError folder = errorOf([&] { other.Open(); });
    EXPECT_EQ(folder.code(), Code::FolderNotFound);
    EXPECT_NE(std::string(folder.what()).find("C:\\NOWHERE\\"), std::string::npos) << folder.what();
    EXPECT_FALSE(other.Connected());

    missing.SetDatabaseName("unknown");
    EXPECT_EQ(errorOf([&] { missing.Open(); }).code(), Code::DatabaseNotFound);

    EXPECT_EQ(errorOf([&] { Session().SetNetFileDir("C:\\NOWHERE"); }).code(), Code::FolderNotFound);
    Session().SetNetFileDir("C:\\DB\\");
    EXPECT_EQ(Session().NetFileDir(), "C:\\DB\\");
    Session().SetNetFileDir("");
    EXPECT_EQ(Session().NetFileDir(), "");
}

TEST_F(TableTest, DisconnectingClosesTheTables)
{
    table.Open();
    db.Close();
    EXPECT_FALSE(table.Active());
    EXPECT_THROW(table.RecordCount(), EngineError);
    table.Open(); // connects again
    EXPECT_TRUE(db.Connected());
}

TEST_F(TableTest, SecondaryIndexesMakeTheTableReadOnly)
{
    files::test::writeHostFile(host("C:\\DB\\bakpath.x02"), "index");
    table.Open();
    table.Append();
    table.FieldByName("PathName").SetAsString("NEW");
    EngineError e = errorOf([&] { table.Post(); });
    EXPECT_EQ(e.code(), Code::ReadOnly);
    EXPECT_NE(std::string(e.what()).find("bakpath.x02"), std::string::npos) << e.what();
    EXPECT_EQ(onDisk().size(), 4u);
}

TEST_F(TableTest, FailedWriteLeavesTheOldTable)
{
    std::string before = files::test::readHostFile(host("C:\\DB\\BAKPATH.DB"));
    table.Open();
    {
        files::test::FailingFileOps failing;
        failing.failWrite("BAKPATH.DB", 0);
        table.Append();
        table.FieldByName("PathName").SetAsString("NEW");
        EXPECT_EQ(errorOf([&] { table.Post(); }).code(), Code::WriteFailed);
    }
    EXPECT_EQ(files::test::readHostFile(host("C:\\DB\\BAKPATH.DB")), before);
    EXPECT_EQ(table.State(), DataSetState::Insert) << "the row can be posted again";
    table.Post();
    EXPECT_EQ(onDisk().size(), 5u);
}

TEST_F(TableTest, IndexThatCouldNotBeReplacedIsRewrittenByTheNextChange)
{
    table.Open();
    {
        files::test::FailingFileOps failing;
        failing.failCommit("BAKPATH.PX", 1);
        table.Append();
        table.FieldByName("PathName").SetAsString("NEW");
        EngineError e = errorOf([&] { table.Post(); });
        EXPECT_EQ(e.code(), Code::WriteFailed);
        EXPECT_NE(std::string(e.what()).find("BAKPATH.PX"), std::string::npos) << e.what();
        EXPECT_EQ(table.State(), DataSetState::Browse) << "the row itself is written";
        EXPECT_EQ(onDisk().size(), 5u);
        ASSERT_TRUE(table.FindKey("NEW"));
        table.Delete();
    }
    px::Table back = px::parseTable(files::test::readHostFile(host("C:\\DB\\BAKPATH.DB")));
    EXPECT_EQ(files::test::readHostFile(host("C:\\DB\\BAKPATH.PX")), px::writePrimaryIndex(back, {}));
}

} // namespace
} // namespace database::test
