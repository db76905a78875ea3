#include "EngineFixture.h"

#include "files/FileSystem.h"

namespace database::test {

EngineTest::EngineTest() : drives("CD")
{
    files::test::makeHostFolder(drives.host("C:\\DB"));
    Session().RemoveAllPasswords();
    Session().SetPasswordPrompt(nullptr);
    Session().SetNetFileDir("");
}

EngineTest::~EngineTest()
{
    Session().RemoveAllPasswords();
    Session().SetPasswordPrompt(nullptr);
    Session().SetNetFileDir("");
}

std::string EngineTest::host(const std::string& windowsPath) const
{
    return drives.host(windowsPath);
}

void EngineTest::connect(TDatabase& db, const std::string& folder) const
{
    db.SetDatabaseName("tarn");
    db.SetDriverName("STANDARD");
    db.Params().clear();
    if (!folder.empty())
        db.Params().push_back("PATH=" + folder);
    db.Open();
}

paradox::TableSpec EngineTest::bakPathSpec(const std::string& password)
{
    paradox::TableSpec spec;
    spec.fields = {{"PathName", paradox::FieldType::Alpha, 40}};
    spec.keyFields = 1;
    spec.password = password;
    spec.tableName = "BakPath.DB";
    return spec;
}

Rows EngineTest::readAll(TTable& table, const std::vector<std::string>& fields)
{
    Rows rows;
    table.First();
    while (!table.Eof()) {
        std::vector<std::string> row;
        for (const std::string& f : fields)
            row.push_back(table.FieldByName(f).AsString());
        rows.push_back(row);
        table.Next();
    }
    return rows;
}

Rows EngineTest::readTable(const std::string& tableName, const std::vector<std::string>& fields) const
{
    TDatabase db;
    connect(db);
    TTable table;
    table.SetDatabaseName("TARN");
    table.SetTableName(tableName);
    table.Open();
    return readAll(table, fields);
}

} // namespace database::test
