#include "samplesuite/SampleSuite.h"

#include "database/Database.h"
#include "files/FileSystem.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

TEST(SampleSuite, BuildsDrivesFoldersAndFiles)
{
    fs::path root = fs::temp_directory_path() / ("suite-" + std::to_string(::getpid()));
    fs::remove_all(root);
    samplesuite::Layout layout = samplesuite::build(root.string());

    EXPECT_EQ(fs::canonical(fs::path(layout.dosdevices) / "c:"), fs::canonical(root / "c"));
    EXPECT_EQ(fs::canonical(fs::path(layout.dosdevices) / "d:"), fs::canonical(root / "d"));
    EXPECT_TRUE(fs::is_regular_file(fs::path(layout.suiteFolder) / "Tarn.ini"));
    EXPECT_TRUE(fs::is_directory(layout.backupFolder));
    for (const samplesuite::SampleFile& file : samplesuite::sampleFiles())
        EXPECT_EQ(fs::file_size(fs::path(layout.dataFolder) / file.relativePath), file.size)
            << file.relativePath;
    EXPECT_EQ(fs::file_size(fs::path(layout.dataFolder) / "VENDOR.DB"), 32768u);

    // Building twice over the same folder works.
    EXPECT_NO_THROW(samplesuite::build(root.string()));
    fs::remove_all(root);
}

TEST(SampleSuite, TablesHoldTheFoldersAndSubfoldersBehindTwoSuitePasswords)
{
    fs::path root = fs::temp_directory_path() / ("suite-tables-" + std::to_string(::getpid()));
    fs::remove_all(root);
    samplesuite::Layout layout = samplesuite::build(root.string());
    files::mount(layout.dosdevices, layout.suiteFolder);
    EXPECT_TRUE(files::fileExists("C:\\TARN\\DB\\Inst.Db"));

    const std::vector<std::string> suitePasswords = {
        "604217",    "qzwrt402617", "mvb417306", "kdr528149", "wgl639275", "hjoy702318", "fxeu813046",
        "nyc924157", "tzq135860",   "ubx246971", "739582",    "rme357028", "jkw468139"};
    for (const std::string* password :
         {&samplesuite::parameterTablePassword(), &samplesuite::subfolderTablePassword()})
        EXPECT_NE(std::find(suitePasswords.begin(), suitePasswords.end(), *password), suitePasswords.end());
    EXPECT_NE(samplesuite::parameterTablePassword(), samplesuite::subfolderTablePassword());

    database::Session().RemoveAllPasswords();
    database::TDatabase db;
    db.SetDatabaseName("tarn");
    db.SetDriverName("STANDARD");
    db.Params() = {"PATH=C:\\TARN\\DB\\"};
    db.Open();
    database::TTable param;
    param.SetDatabaseName("TARN");
    param.SetTableName("param.db");
    database::TTable bakPath;
    bakPath.SetDatabaseName("tarn");
    bakPath.SetTableName("BakPath");
    EXPECT_THROW(param.Open(), database::EngineError);
    EXPECT_THROW(bakPath.Open(), database::EngineError);

    for (const std::string& password : suitePasswords)
        database::Session().AddPassword(password);
    param.Open();
    ASSERT_TRUE(param.FindKey("5-BAKS"));
    EXPECT_EQ(param.FieldByName("Value").AsString(), "C:\\TARN\\DATA");
    ASSERT_TRUE(param.FindKey("5-BAKD"));
    EXPECT_EQ(param.FieldByName("Value").AsString(), "D:\\BACKUP");

    bakPath.Open();
    std::vector<std::string> names;
    for (bakPath.First(); !bakPath.Eof(); bakPath.Next())
        names.push_back(bakPath.FieldByName("PathName").AsString());
    EXPECT_EQ(names, samplesuite::registeredSubfolders());

    db.Close();
    database::Session().RemoveAllPasswords();
    fs::remove_all(root);
}
