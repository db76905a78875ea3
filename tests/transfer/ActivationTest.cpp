// Activation: the database folder from the markers and the settings file,
// the connection, the passwords, the two folders from param.db, the six
// messages and what follows each, the folder checks and the free space.

#include "Window.h"
#include "database/Database.h"
#include "database/TableBuilder.h"
#include "files/FileSystem.h"
#include "ui/DirectoryListBox.h"
#include "ui/DriveComboBox.h"
#include "ui/FileListBox.h"
#include "ui/Label.h"

#include <cctype>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <regex>

using namespace transfertest;

namespace {

// param.db is protected by one of the suite's passwords, so it opens only
// once the passwords are registered.
constexpr const char* ParamPassword = "wgl639275";
constexpr const char* DataFolder = "C:\\TARN\\DATA";
constexpr const char* BackupFolder = "D:\\BACKUP";

struct Row
{
    std::string key;
    std::string value;
};

void writeParamTable(const std::string& folder, const std::vector<Row>& rows)
{
    database::paradox::TableSpec spec;
    spec.fields = {{"Key", database::paradox::FieldType::Alpha, 10},
                   {"Value", database::paradox::FieldType::Alpha, 240}};
    spec.keyFields = 1;
    spec.password = ParamPassword;
    spec.tableName = "param.db";
    std::vector<std::vector<std::string>> values;
    for (const Row& r : rows)
        values.push_back({r.key, r.value});
    database::createTable(folder + "\\param.db", spec, values);
}

// A database folder of the suite: inst.DB and param.db.
void writeDatabaseFolder(const Drives& drives, const std::string& folder, const std::vector<Row>& rows)
{
    drives.file(folder + "\\inst.DB", "suite");
    writeParamTable(folder, rows);
}

std::string logOf(const ui::ShownWindow& w)
{
    switch (w.kind) {
    case ui::ModalKind::Beep:
        return "beep";
    case ui::ModalKind::SystemBox:
        return "box " + w.caption + ": " + w.text;
    case ui::ModalKind::ErrorBox:
        return "error: " + w.text;
    case ui::ModalKind::Password:
        return "password prompt";
    default:
        return "window " + w.caption + ": " + w.text;
    }
}

class Activation : public ::testing::TestWithParam<TransferDirection>
{
protected:
    Activation()
    {
        drives.folder("C:\\TARN");
        drives.file("C:\\TARN\\Tarn.ini", "[TARN]\r\nPATH=C:\\TARN\\DB\r\n");
        writeDatabaseFolder(drives, "C:\\TARN\\DB", folderRows(DataFolder, BackupFolder));
        drives.file("C:\\TARN\\DATA\\a.db", "1234");
        drives.file("C:\\TARN\\DATA\\b.txt", "x");
        drives.file("D:\\BACKUP\\old.db");
        files::setCurrentFolder("C:\\TARN");
        database::Session().RemoveAllPasswords();
        database::Session().SetNetFileDir("");
    }
    ~Activation() override
    {
        database::Session().RemoveAllPasswords();
        database::Session().SetNetFileDir("");
        database::Session().SetPasswordPrompt(nullptr);
    }

    bool backup() const
    {
        return GetParam() == TransferDirection::Backup;
    }
    const char* sourceKey() const
    {
        return backup() ? "5-BAKS" : "5-BAKD";
    }
    const char* targetKey() const
    {
        return backup() ? "5-BAKD" : "5-BAKS";
    }
    // The direction's source folder, and its target folder.
    std::string source() const
    {
        return backup() ? DataFolder : BackupFolder;
    }
    std::string target() const
    {
        return backup() ? BackupFolder : DataFolder;
    }
    // Rows naming the data folder and the backup folder.
    static std::vector<Row> folderRows(const std::string& data, const std::string& backupFolder)
    {
        return {{"5-BAKS", data}, {"5-BAKD", backupFolder}, {"9-OTHER", "x"}};
    }
    // Rows naming the direction's source and target.
    std::vector<Row> sourceAndTarget(const std::string& sourceValue, const std::string& targetValue) const
    {
        return {{sourceKey(), sourceValue}, {targetKey(), targetValue}};
    }
    void params(const std::vector<Row>& rows) const
    {
        writeParamTable("C:\\TARN\\DB", rows);
    }

    // A new application and window for each case of a test, created in the
    // suite folder as the programs start there.
    Window& make()
    {
        fixture.reset();
        fixture.emplace();
        files::setCurrentFolder("C:\\TARN");
        return fixture->make(GetParam());
    }
    // Activation as the event runs it: errors go to the default handler.
    Window& activateShown()
    {
        Window& w = make();
        w.Show();
        ui::ProcessMessages();
        return w;
    }

    std::vector<std::string> log() const
    {
        std::vector<std::string> all;
        for (const ui::ShownWindow& w : fixture->script.Shown())
            all.push_back(logOf(w));
        return all;
    }
    bool closed()
    {
        return fixture->application.Terminated();
    }

    Drives drives{"CDE"};
    std::optional<WindowFixture> fixture;
};

} // namespace

TEST_P(Activation, ShowsBothSidesAndTheFreeSpace)
{
    Window& w = make();
    w.FormActivate(nullptr);
    EXPECT_TRUE(log().empty());
    EXPECT_FALSE(closed());
    EXPECT_EQ(SourceFolder, source());
    EXPECT_EQ(TargetFolder, target());
    EXPECT_EQ(w.SourceDirectory->Directory(), source());
    EXPECT_EQ(w.DestinationDirectory->Directory(), target());
    EXPECT_EQ(w.SourcePath->Caption(), source());
    EXPECT_EQ(w.DestinationPath->Caption(), target());
    EXPECT_EQ(w.SourceDrive->Drive(), source()[0]);
    EXPECT_EQ(w.DestinationDrive->Drive(), target()[0]);
    EXPECT_EQ(extensionBoxes(w),
              backup() ? (std::vector<std::string>{"db", "txt"}) : std::vector<std::string>{"db"});
    EXPECT_EQ(files::currentFolder(), target());
    std::smatch figure;
    const std::string caption = w.FreeLabel->Caption();
    ASSERT_TRUE(std::regex_match(caption, figure, std::regex("剩餘容量: ([0-9]+) KB"))) << caption;
    EXPECT_GT(std::stoll(figure[1]), 0);
    EXPECT_TRUE(w.Database1->Connected());
    EXPECT_FALSE(w.Table1->Active());
    EXPECT_EQ(ProgramFileName, backup() ? "" : "restore");
    EXPECT_EQ(SourceState, 0);
    EXPECT_EQ(TargetState, 0);
}

TEST_P(Activation, DatabaseFolderByMarkerOrSettingsFile)
{
    // The test path on drive E, and the start folder as a database of its own.
    writeDatabaseFolder(drives, "E:\\test\\TEST-BOM2", folderRows(DataFolder, BackupFolder));
    writeParamTable("C:\\TARN", folderRows(DataFolder, BackupFolder));
    drives.folder("C:\\ELSEWHERE");
    const struct
    {
        std::vector<const char*> markers;
        std::vector<std::string> params;
        std::string netFileDir;
    } cases[] = {
        {{}, {"PATH=C:\\TARN\\DB\\"}, "C:\\TARN\\DB\\"},
        {{"Inst.Db"}, {}, "C:\\TARN"},
        {{"INST.DB"}, {}, "C:\\TARN"},
        {{"check.txt"}, {"PATH=E:\\test\\TEST-BOM2"}, ""},
        {{"CHECK.TXT", "Inst.Db"}, {"PATH=E:\\test\\TEST-BOM2"}, ""},
    };
    for (const auto& c : cases) {
        std::string trace;
        for (const char* m : c.markers) {
            drives.file(std::string("C:\\TARN\\") + m);
            trace += std::string(m) + " ";
        }
        SCOPED_TRACE(trace);
        database::Session().SetNetFileDir("C:\\ELSEWHERE");
        {
            Window& w = make();
            w.FormActivate(nullptr);
            EXPECT_TRUE(log().empty());
            EXPECT_EQ(w.Database1->Params(), c.params);
            EXPECT_TRUE(w.Database1->Connected());
            EXPECT_EQ(database::Session().NetFileDir(), backup() ? c.netFileDir : "C:\\ELSEWHERE");
            EXPECT_EQ(TargetFolder, target());
        }
        for (const char* m : c.markers)
            std::filesystem::remove(drives.host(std::string("C:\\TARN\\") + m));
    }
}

TEST_P(Activation, SettingsFileLines)
{
    const std::string longFolder = "C:\\" + std::string(197, 'L');
    const std::string chinese = "C:\\帳務\\DB";
    writeDatabaseFolder(drives, longFolder, folderRows(DataFolder, BackupFolder));
    writeDatabaseFolder(drives, chinese, folderRows(DataFolder, BackupFolder));
    const std::string missing = "找不到網路磁碟機上之檔案，請確定路徑是否正確！";
    const struct
    {
        const char* what;
        std::string bytes;
        std::string path; // the PATH line, or empty when the inst.DB message ends it
    } cases[] = {
        {"one line", "[TARN]\r\n", ""},
        {"short second line", "[TARN]\r\nPATH\r\n", ""},
        {"line feeds only", "[TARN]\nPATH=C:\\TARN\\DB\n", ""},
        {"300-byte line", "[TARN]\r\nPATH=" + longFolder + std::string(300 - 5 - 200, 'T') + "\r\n",
         "PATH=" + longFolder + "\\"},
        {"Ctrl-Z", "[TARN]\r\nPATH=C:\\TARN\\DB\x1A\r\nPATH=C:\\ELSE\r\n", "PATH=C:\\TARN\\DB\\"},
        {"Chinese folder", "[TARN]\r\nPATH=C:\\\xB1\x62\xB0\xC8\\DB\r\n", "PATH=" + chinese + "\\"},
        {"folder written with its trailing backslash", "[TARN]\r\nPATH=C:\\TARN\\DB\\\r\n",
         "PATH=C:\\TARN\\DB\\\\"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        drives.file("C:\\TARN\\Tarn.ini", c.bytes);
        files::setCurrentFolder("C:\\TARN");
        Window& w = make();
        w.FormActivate(nullptr);
        if (c.path.empty()) {
            EXPECT_EQ(log(), (std::vector<std::string>{"beep", "box 資訊: " + missing}));
            EXPECT_TRUE(closed());
        } else {
            EXPECT_TRUE(log().empty());
            EXPECT_EQ(w.Database1->Params(), std::vector<std::string>{c.path});
            EXPECT_EQ(w.DestinationDirectory->Directory(), target());
        }
    }
}

TEST_P(Activation, AnEmptySettingsFolderMeansTheRootOfTheCurrentDrive)
{
    writeDatabaseFolder(drives, "C:", folderRows(DataFolder, BackupFolder));
    drives.file("C:\\TARN\\Tarn.ini", "[TARN]\r\nPATH\r\n");
    Window& w = make();
    w.FormActivate(nullptr);
    EXPECT_TRUE(log().empty());
    EXPECT_EQ(w.Database1->Params(), std::vector<std::string>{"PATH=\\"});
    EXPECT_EQ(w.DestinationDirectory->Directory(), target());
}

TEST_P(Activation, TheSixMessagesAndWhatFollows)
{
    const std::string sourceMissing = backup() ? "找不到「來源資料夾」路徑!\r\n請重新設定參數表內之路徑!"
                                               : "找不到「來源資料夾」!\r\n請重新設定參數表內之路徑!";
    const std::string same =
        backup() ? "「來源資料夾」與「目的資料夾」相同,不可備份!\r\n請重新設定參數表內之路徑!"
                 : "「來源資料夾」與「目的資料夾」相同,不可還原!\r\n請重新設定參數表內之路徑!";
    const std::string secondRow =
        backup() ? "找不到「備份目的資料夾」路徑設定參數!" : "找不到「還原目的資料夾」路徑設定參數!";
    const struct
    {
        const char* what;
        std::function<void()> arrange;
        std::vector<std::string> log;
        bool closes;
    } cases[] = {
        {"no settings file",
         [&] { std::filesystem::remove(drives.host("C:\\TARN\\Tarn.ini")); },
         {"beep", "box 資訊: 本程式無法單獨使用!!\r\n請配合本公司軟體方可執行!\r\n\r\n或 請檢查 Tarn.ini "
                  "中網路路徑設定是否正確!"},
         true},
        {"no inst.DB",
         [&] { std::filesystem::remove(drives.host("C:\\TARN\\DB\\inst.DB")); },
         {"beep", "box 資訊: 找不到網路磁碟機上之檔案，請確定路徑是否正確！"},
         true},
        {"no first row",
         [&] {
             params({{targetKey(), target()}});
         },
         {"beep", "box 資訊: 找不到「來源資料夾」路徑設定參數!"},
         false},
        {"no second row",
         [&] {
             params({{sourceKey(), source()}});
         },
         {"beep", "box 資訊: " + secondRow},
         false},
        {"source missing",
         [&] { params(sourceAndTarget("C:\\NOWHERE", target())); },
         {"box 資訊: " + sourceMissing},
         true},
        {"same folders", [&] { params(sourceAndTarget(source(), source())); }, {"box 資訊: " + same}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        drives.file("C:\\TARN\\Tarn.ini", "[TARN]\r\nPATH=C:\\TARN\\DB\r\n");
        writeDatabaseFolder(drives, "C:\\TARN\\DB", folderRows(DataFolder, BackupFolder));
        files::setCurrentFolder("C:\\TARN");
        c.arrange();
        Window& w = make();
        const std::string pathBefore = w.SourcePath->Caption();
        w.FormActivate(nullptr);
        EXPECT_EQ(log(), c.log);
        EXPECT_EQ(closed(), c.closes);
        if (!c.closes) {
            // The window stays as creation left it, connected, param.db closed.
            EXPECT_EQ(w.SourcePath->Caption(), pathBefore);
            EXPECT_EQ(w.FreeLabel->Caption(), "剩餘容量 : 0");
            EXPECT_TRUE(w.Database1->Connected());
            EXPECT_FALSE(w.Table1->Active());
        }
    }
}

TEST_P(Activation, MissingRowsLeaveDriveCForTheirFolder)
{
    params({{targetKey(), target()}});
    Window& w = make();
    TargetFolder = "KEPT";
    w.FormActivate(nullptr);
    EXPECT_EQ(SourceFolder, "C:\\");
    EXPECT_EQ(TargetFolder, "KEPT");

    // Both rows missing: only the first-row message.
    params({{"9-OTHER", "x"}});
    Window& again = make();
    again.FormActivate(nullptr);
    EXPECT_EQ(log(), (std::vector<std::string>{"beep", "box 資訊: 找不到「來源資料夾」路徑設定參數!"}));
    EXPECT_EQ(SourceFolder, "C:\\");
    EXPECT_EQ(TargetFolder, "");
}

TEST_P(Activation, FolderTextsAreComparedExactly)
{
    std::string lower = source();
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const std::string& spelling : {source() + "\\", lower}) {
        SCOPED_TRACE(spelling);
        params(sourceAndTarget(source(), spelling));
        Window& w = make();
        w.FormActivate(nullptr);
        EXPECT_TRUE(log().empty());
        EXPECT_FALSE(closed());
        EXPECT_EQ(TargetFolder, spelling);
        EXPECT_EQ(w.DestinationPath->Caption(), spelling);
    }

    // The same missing folder on both sides: the source is reported first.
    params(sourceAndTarget("C:\\NOWHERE", "C:\\NOWHERE"));
    make().FormActivate(nullptr);
    ASSERT_EQ(log().size(), 1u);
    EXPECT_NE(log()[0].find("找不到「來源資料夾」"), std::string::npos);
    EXPECT_TRUE(closed());
}

TEST_P(Activation, AMissingTargetIsCreatedWithItsParents)
{
    const std::string deep = target() + "\\NEW\\DEEP";
    params(sourceAndTarget(source(), deep));
    Window& w = make();
    w.FormActivate(nullptr);
    EXPECT_TRUE(log().empty());
    EXPECT_TRUE(files::directoryExists(deep));
    EXPECT_EQ(w.DestinationDirectory->Directory(), deep);
    EXPECT_EQ(files::currentFolder(), deep);
    EXPECT_TRUE(std::regex_match(w.FreeLabel->Caption(), std::regex("剩餘容量: [1-9][0-9]* KB")));
}

TEST_P(Activation, AnEmptyTargetStopsWithTheDefaultHandlersBox)
{
    params(sourceAndTarget(source(), ""));
    fixture.reset();
    fixture.emplace();
    fixture->script.Answer(ui::mrOk);
    Window& w = fixture->make(GetParam());
    const std::string pathBefore = w.SourcePath->Caption();
    w.Show();
    ui::ProcessMessages();
    EXPECT_EQ(log(), std::vector<std::string>{"error: Unable to create directory"});
    EXPECT_FALSE(closed());
    EXPECT_TRUE(w.Visible());
    EXPECT_EQ(w.SourcePath->Caption(), pathBefore);
    EXPECT_EQ(w.FreeLabel->Caption(), "剩餘容量 : 0");
}

TEST_P(Activation, RaisedErrorsStopActivationAtTheirStep)
{
    // The start folder is gone.
    Window& w = make();
    std::filesystem::rename(drives.host("C:\\TARN"), drives.host("C:\\MOVED"));
    EXPECT_THROW(w.FormActivate(nullptr), files::InOutError);
    EXPECT_FALSE(w.Database1->Connected());
    std::filesystem::rename(drives.host("C:\\MOVED"), drives.host("C:\\TARN"));

    // param.db without the field Value.
    database::paradox::TableSpec spec;
    spec.fields = {{"Key", database::paradox::FieldType::Alpha, 10},
                   {"Other", database::paradox::FieldType::Alpha, 20}};
    spec.keyFields = 1;
    spec.tableName = "param.db";
    database::createTable("C:\\TARN\\DB\\param.db", spec, {{"5-BAKS", "x"}, {"5-BAKD", "y"}});
    Window& again = make();
    try {
        again.FormActivate(nullptr);
        ADD_FAILURE() << "no error";
    } catch (const database::EngineError& e) {
        EXPECT_STREQ(e.what(), "Field 'Value' not found");
    }

    // param.db under a password that is not the suite's: the user is asked,
    // and without one that fits the table does not open.
    spec.fields = {{"Key", database::paradox::FieldType::Alpha, 10},
                   {"Value", database::paradox::FieldType::Alpha, 20}};
    spec.password = "not-ours";
    database::createTable("C:\\TARN\\DB\\param.db", spec, {{"5-BAKS", "x"}, {"5-BAKD", "y"}});
    Window& third = make();
    fixture->script.Answer(ui::mrCancel);
    EXPECT_THROW(third.FormActivate(nullptr), database::EngineError);
    EXPECT_EQ(log(), std::vector<std::string>{"password prompt"});
}

TEST_P(Activation, AFailedFreeSpaceQueryShowsZero)
{
    Window& w = make();
    // Take the target's drive away right after the refresh enters the target.
    const char drive = target()[0];
    w.DestinationDirectory->OnChange = [&](ui::TObject*) {
        if (w.DestinationDirectory->Directory() == target())
            drives.eject(drive);
    };
    w.FormActivate(nullptr);
    EXPECT_EQ(w.DestinationPath->Caption(), target());
    EXPECT_EQ(w.FreeLabel->Caption(), "剩餘容量: 0 KB");
}

TEST_P(Activation, EveryActivationRedoesEveryStep)
{
    Window& w = make();
    w.FormActivate(nullptr);
    ASSERT_TRUE(log().empty());

    // Another target, the passwords forgotten, a run ended since.
    params(sourceAndTarget(source(), "D:\\OTHER"));
    database::Session().RemoveAllPasswords();
    SourceState = TargetState = 2;
    RunTargetFolder = target();
    files::setCurrentFolder("D:\\");
    w.FormActivate(nullptr);
    EXPECT_TRUE(log().empty());
    EXPECT_EQ(SourceState, 0);
    EXPECT_EQ(TargetState, 0);
    EXPECT_EQ(TargetFolder, "D:\\OTHER");
    EXPECT_EQ(w.DestinationDirectory->Directory(), "D:\\OTHER");
    EXPECT_TRUE(w.Database1->Connected());

    // The folder checks run again too, and can close the window.
    std::filesystem::remove_all(drives.host(source()));
    w.FormActivate(nullptr);
    ASSERT_EQ(log().size(), 1u);
    EXPECT_TRUE(closed());
}

TEST_P(Activation, RunsOnTheFirstFocusOnlyNotWhenAMessageBoxCloses)
{
    params({{targetKey(), target()}});
    fixture.reset();
    fixture.emplace();
    fixture->script.Answer(ui::mrOk);
    Window& w = fixture->make(GetParam());
    w.Show();
    ui::ProcessMessages();
    ui::FocusWindow(w);
    ui::ProcessMessages();
    EXPECT_EQ(log(), (std::vector<std::string>{"beep", "box 資訊: 找不到「來源資料夾」路徑設定參數!"}));
    EXPECT_TRUE(fixture->script.Unexpected().empty());
}

INSTANTIATE_TEST_SUITE_P(BothDirections, Activation,
                         ::testing::Values(TransferDirection::Restore, TransferDirection::Backup),
                         transfertest::DirectionName);
