// The registered-subfolder actions over the sample suite: new folders and
// their BakPath rows, the delete dialog's offer, the refusal, the removal and
// the row deletion, in both directions, with the table re-read from disk.

#include "Window.h"
#include "database/Database.h"
#include "database/TableBuilder.h"
#include "dialogs/CreateNewDirs.h"
#include "dialogs/DeleteOldDirs.h"
#include "files/FileSystem.h"
#include "samplesuite/SampleSuite.h"
#include "ui/Button.h"
#include "ui/ComboBox.h"
#include "ui/DirectoryListBox.h"
#include "ui/Edit.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace transfertest;

namespace {

constexpr const char* DataFolder = "C:\\TARN\\DATA";
constexpr const char* BackupFolder = "D:\\BACKUP";
constexpr const char* SubfolderTable = "C:\\TARN\\DB\\BakPath.DB";

// One line per modal window: its kind, caption, text and buttons.
std::string describe(const ui::ShownWindow& w)
{
    std::string kind;
    switch (w.kind) {
    case ui::ModalKind::Form:
        return "form " + w.formName;
    case ui::ModalKind::SystemBox:
        kind = "box";
        break;
    case ui::ModalKind::MessageDialog:
        kind = "dialog";
        break;
    case ui::ModalKind::PlainMessage:
        kind = "message";
        break;
    case ui::ModalKind::ErrorBox:
        return "error box";
    default:
        kind = "other";
        break;
    }
    std::string buttons;
    for (const std::string& b : w.buttons)
        buttons += (buttons.empty() ? "" : " ") + b;
    return kind + " " + w.caption + ": " + w.text + " [" + buttons + "]";
}

std::vector<std::string> sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

bool contains(const std::vector<std::string>& all, const std::string& one)
{
    return std::find(all.begin(), all.end(), one) != all.end();
}

class SubfolderActions : public ::testing::TestWithParam<TransferDirection>
{
protected:
    SubfolderActions()
    {
        samplesuite::build(drives.root());
        database::Session().RemoveAllPasswords();
        database::Session().SetNetFileDir("");
    }
    ~SubfolderActions() override
    {
        database::Session().RemoveAllPasswords();
        database::Session().SetNetFileDir("");
        database::Session().SetPasswordPrompt(nullptr);
        fixture.application.DestroyForms();
        CreateNewDirDlg = nullptr;
        DeleteOldDirDlg = nullptr;
    }

    bool backup() const
    {
        return GetParam() == TransferDirection::Backup;
    }
    std::string source() const
    {
        return backup() ? DataFolder : BackupFolder;
    }
    std::string target() const
    {
        return backup() ? BackupFolder : DataFolder;
    }

    // The window and both dialogs as start-up creates them, then activated
    // in the suite folder.
    Window& start()
    {
        files::setCurrentFolder("C:\\TARN");
        Window& w = fixture.make(GetParam());
        fixture.application.CreateForm(CreateNewDirDlg);
        fixture.application.CreateForm(DeleteOldDirDlg);
        w.FormActivate(nullptr);
        EXPECT_TRUE(fixture.script.Shown().empty());
        EXPECT_EQ(w.DestinationDirectory->Directory(), target());
        return w;
    }

    static void writeSubfolderTable(const std::vector<std::string>& names)
    {
        database::paradox::TableSpec spec;
        spec.fields = {{"PathName", database::paradox::FieldType::Alpha, 40}};
        spec.keyFields = 1;
        spec.password = samplesuite::subfolderTablePassword();
        spec.tableName = "BakPath";
        std::vector<std::vector<std::string>> rows;
        for (const std::string& name : names)
            rows.push_back({name});
        database::createTable(SubfolderTable, spec, rows);
    }
    void removeSubfolderTable() const
    {
        for (const char* file : {"BakPath.DB", "BakPath.PX"})
            std::filesystem::remove(drives.host(std::string("C:\\TARN\\DB\\") + file));
    }
    // The table's rows as a program that opens it now reads them.
    static std::vector<std::string> registered()
    {
        database::TTable table;
        table.SetDatabaseName("tarn");
        table.SetTableName("BakPath");
        table.Open();
        std::vector<std::string> names;
        for (table.First(); !table.Eof(); table.Next())
            names.push_back(table.FieldByName("PathName").AsString());
        table.Close();
        return names;
    }

    // The user clicks the new-folder button and leaves the dialog with
    // result, having typed name; then closes that many messages with OK.
    void newFolder(Window& w, int result, const std::string& name, int messages = 0)
    {
        fixture.script.Answer(result, [name](ui::TForm& f) {
            CreateNewDirDlg->NewDir->SetFocus();
            ui::TypeText(f, name);
        });
        for (int i = 0; i < messages; ++i)
            fixture.script.Answer(ui::mrOk);
        w.ButtonMkDir->PerformClick();
    }
    // The user clicks the delete-folder button, types name into OldDir,
    // leaves the dialog with result, answers the confirmation and closes
    // that many messages with OK.
    void deleteFolder(Window& w, int result, const std::string& name, int confirmation = ui::mrYes,
                      int messages = 0)
    {
        fixture.script.Answer(result, [name](ui::TForm& f) {
            DeleteOldDirDlg->OldDir->SetFocus();
            ui::TypeText(f, name);
        });
        if (result == ui::mrOk)
            fixture.script.Answer(confirmation);
        for (int i = 0; i < messages; ++i)
            fixture.script.Answer(ui::mrOk);
        w.DeleteDir->PerformClick();
    }

    // The modal windows shown from the index on.
    std::vector<std::string> shownSince(std::size_t from) const
    {
        std::vector<std::string> all;
        const auto& shown = fixture.script.Shown();
        for (std::size_t i = from; i < shown.size(); ++i)
            all.push_back(describe(shown[i]));
        return all;
    }
    std::string refusal() const
    {
        return backup() ? "box 資訊: 不可刪除! [OK]"
                        : "message " + fixture.application.Title() + ": 不可刪除! [OK]";
    }
    static std::string confirmation(const std::string& targetPath)
    {
        return "dialog Confirm: 是否確定刪除資料夾?\r\n " + targetPath + " [&Yes &No]";
    }
    static std::string creationFailure(const std::string& path)
    {
        return "dialog Error: 無法建立資料夾! \r\n" + path + " [OK]";
    }
    bool isFolder(const std::string& windowsPath) const
    {
        return std::filesystem::is_directory(drives.host(windowsPath));
    }

    // Every folder on the drives, as host paths.
    std::vector<std::string> allFolders() const
    {
        std::vector<std::string> folders;
        for (const auto& e : std::filesystem::recursive_directory_iterator(drives.root()))
            if (e.is_directory())
                folders.push_back(e.path().string());
        return sorted(folders);
    }

    Drives drives{"CD"};
    WindowFixture fixture{GetParam() == TransferDirection::Backup ? "/opt/tarn/backup" : "/opt/tarn/restore"};
};

TEST_P(SubfolderActions, NewFolderCancelledTouchesNothing)
{
    Window& w = start();
    // Without the table any access to it would be reported.
    removeSubfolderTable();
    newFolder(w, ui::mrCancel, "NEW");
    EXPECT_EQ(shownSince(0), (std::vector<std::string>{"form CreateNewDirDlg"}));
    EXPECT_FALSE(isFolder(target() + "\\NEW"));
    EXPECT_TRUE(fixture.script.Unexpected().empty());
}

TEST_P(SubfolderActions, NewFolderRegistersTheNameThenCreatesOneLevel)
{
    Window& w = start();
    // Made after the activation, so the target list does not show it yet.
    drives.folder(target() + "\\EXISTS");
    const struct
    {
        std::string name;
        bool created; // else the creation fails with the message
        bool folderAfter;
    } cases[] = {
        {"NEW", true, true},     {"", false, true}, // the target's own path with "\" behind it
        {"ARCHIVE", true, true},                    // registered already: its row is rewritten
        {"EXISTS", false, true},                    // an unregistered folder: registered all the same
        {"a\\b", false, false},                     // the first level is missing
        {" blank ", true, true},                    // taken as typed
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("name \"" + c.name + "\"");
        const std::vector<std::string> before = registered();
        const std::vector<std::string> linesBefore = w.DestinationDirectory->Items().ToVector();
        const std::size_t from = fixture.script.Shown().size();
        const std::string path = target() + "\\" + c.name;

        newFolder(w, ui::mrOk, c.name, c.created ? 0 : 1);

        std::vector<std::string> expected = before;
        if (!c.name.empty() && !contains(before, c.name))
            expected.push_back(c.name);
        EXPECT_EQ(sorted(registered()), sorted(expected));
        EXPECT_EQ(isFolder(path), c.folderAfter);
        std::vector<std::string> log{"form CreateNewDirDlg"};
        if (!c.created)
            log.push_back(creationFailure(path));
        EXPECT_EQ(shownSince(from), log);

        // A success refreshes both sides; the restore direction's target list
        // shows the new folder, the backup direction's keeps its lines.
        const std::vector<std::string> lines = w.DestinationDirectory->Items().ToVector();
        if (c.created && !backup())
            EXPECT_TRUE(contains(lines, c.name));
        else
            EXPECT_EQ(lines, linesBefore);
    }
    EXPECT_FALSE(isFolder(target() + "\\a"));
    EXPECT_TRUE(fixture.script.Unexpected().empty());
}

TEST_P(SubfolderActions, NewFolderAtADriveRootAddsNoSecondBackslash)
{
    Window& w = start();
    w.DestinationDirectory->SetDirectory("D:\\");
    newFolder(w, ui::mrOk, "", 1);
    newFolder(w, ui::mrOk, "ROOTED");
    EXPECT_EQ(shownSince(0), (std::vector<std::string>{"form CreateNewDirDlg", creationFailure("D:\\"),
                                                       "form CreateNewDirDlg"}));
    EXPECT_TRUE(isFolder("D:\\ROOTED"));
    EXPECT_TRUE(contains(registered(), "ROOTED"));
}

TEST_P(SubfolderActions, DeleteOffersTheRegisteredNamesFirstAsText)
{
    std::vector<std::string> hundredAndOne;
    for (int i = 0; i <= 100; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "N%03d", i);
        hundredAndOne.push_back(name);
    }
    const std::vector<std::string> hundred(hundredAndOne.begin(), hundredAndOne.end() - 1);
    const struct
    {
        const char* what;
        std::vector<std::string> rows;
        std::vector<std::string> offered;
    } cases[] = {
        {"empty table", {}, {}},
        {"sample", {"STOCK", "ACCOUNT", "ARCHIVE"}, {"ACCOUNT", "ARCHIVE", "STOCK"}},
        {"100 rows", hundred, hundred},
        {"101 rows: the list's room", hundredAndOne, hundred},
    };
    Window& w = start();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        writeSubfolderTable(c.rows);
        const std::size_t from = fixture.script.Shown().size();
        std::vector<std::string> items;
        std::string text;
        std::string oldDir = "not emptied";
        fixture.script.Answer(ui::mrCancel, [&](ui::TForm&) {
            items = DeleteOldDirDlg->ComboBox1->Items().ToVector();
            text = DeleteOldDirDlg->ComboBox1->Text();
            oldDir = DeleteOldDirDlg->OldDir->Text();
        });
        w.DeleteDir->PerformClick();
        EXPECT_EQ(shownSince(from), (std::vector<std::string>{"form DeleteOldDirDlg"}));
        EXPECT_EQ(items, c.offered);
        EXPECT_EQ(text, c.offered.empty() ? "" : c.offered.front());
        EXPECT_EQ(oldDir, "");
        EXPECT_EQ(registered(), sorted(c.rows));
    }
    EXPECT_TRUE(fixture.script.Unexpected().empty());
}

TEST_P(SubfolderActions, DeleteRefusesWhileTheSourceHoldsTheFolder)
{
    drives.folder(source() + "\\HELD");
    drives.folder(target() + "\\HELD");
    writeSubfolderTable({"HELD"});
    Window& w = start();
    const struct
    {
        std::string name;
        std::string targetPath;
    } cases[] = {
        // The source folder itself exists.
        {"", target() + "\\"},
        {"HELD", target() + "\\HELD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("name \"" + c.name + "\"");
        const std::size_t from = fixture.script.Shown().size();
        deleteFolder(w, ui::mrOk, c.name, ui::mrYes, 1);
        EXPECT_EQ(shownSince(from),
                  (std::vector<std::string>{"form DeleteOldDirDlg", confirmation(c.targetPath), refusal()}));
        EXPECT_EQ(registered(), (std::vector<std::string>{"HELD"}));
        EXPECT_TRUE(isFolder(target() + "\\HELD"));
    }
    EXPECT_TRUE(fixture.script.Unexpected().empty());
}

TEST_P(SubfolderActions, DeleteRemovesAnEmptyTargetFolderAndUnregistersTheName)
{
    drives.file(target() + "\\FULL\\kept.txt");
    drives.folder(target() + "\\LOOSE");
    drives.folder(target() + "\\KEEP");
    writeSubfolderTable({"FULL", "GONE", "KEEP"});
    Window& w = start();
    const struct
    {
        std::string name;
        int confirmation;
        bool removed;
        std::vector<std::string> rowsAfter;
    } cases[] = {
        {"KEEP", ui::mrNo, false, {"FULL", "GONE", "KEEP"}},
        {"FULL", ui::mrYes, false, {"GONE", "KEEP"}}, // not empty: stays, silently
        {"GONE", ui::mrYes, false, {"KEEP"}},         // missing
        {"LOOSE", ui::mrYes, true, {"KEEP"}},         // not registered
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<std::string> linesBefore = w.DestinationDirectory->Items().ToVector();
        const std::size_t from = fixture.script.Shown().size();
        deleteFolder(w, ui::mrOk, c.name, c.confirmation);
        EXPECT_EQ(shownSince(from),
                  (std::vector<std::string>{"form DeleteOldDirDlg", confirmation(target() + "\\" + c.name)}));
        EXPECT_EQ(registered(), c.rowsAfter);
        EXPECT_EQ(isFolder(target() + "\\" + c.name), !c.removed && c.name != "GONE");

        // A removal refreshes both sides; the restore direction's target list
        // drops the folder, the backup direction's keeps its lines.
        std::vector<std::string> expected = linesBefore;
        if (c.removed && !backup())
            expected.erase(std::find(expected.begin(), expected.end(), c.name));
        EXPECT_EQ(w.DestinationDirectory->Items().ToVector(), expected);
    }
    EXPECT_TRUE(std::filesystem::is_regular_file(drives.host(target() + "\\FULL\\kept.txt")));
    EXPECT_TRUE(fixture.script.Unexpected().empty());
}

// Names that would lead out of the top folders, or name a top folder again.
const char* const LeadingOut[] = {
    "..\\OUTSIDE", "../OUTSIDE", "..\\..\\..\\tmp", "INNER\\..\\..\\OUTSIDE", "..",      ".", "INNER\\.",
    "\\INNER",     "INNER\\",    "INNER\\\\DEEP",   "C:\\ELSEWHERE",          "C:INNER",
};

TEST_P(SubfolderActions, NewFolderWithANameLeadingOutMakesAndRegistersNothing)
{
    Window& w = start();
    const std::vector<std::string> before = registered();
    const std::vector<std::string> folders = allFolders();
    for (const char* name : LeadingOut) {
        SCOPED_TRACE(name);
        const std::size_t from = fixture.script.Shown().size();
        newFolder(w, ui::mrOk, name, 1);
        EXPECT_EQ(shownSince(from), (std::vector<std::string>{"form CreateNewDirDlg",
                                                              creationFailure(target() + "\\" + name)}));
        EXPECT_EQ(registered(), before);
        EXPECT_EQ(allFolders(), folders);
    }
    EXPECT_TRUE(fixture.script.Unexpected().empty());
}

TEST_P(SubfolderActions, DeleteWithANameLeadingOutRemovesNothingButClearsItsRow)
{
    // Empty folders wherever the names lead, on both sides, so that a removal
    // or a refusal would show.
    for (const std::string& top : {source(), target()}) {
        const std::string parent = top.substr(0, top.rfind('\\'));
        drives.folder(parent + "\\OUTSIDE");
        drives.folder(top + "\\INNER\\DEEP");
    }
    drives.folder(target().substr(0, 3) + "tmp");
    std::vector<std::string> rows(std::begin(LeadingOut), std::end(LeadingOut));
    rows.push_back("KEEP");
    writeSubfolderTable(rows);
    Window& w = start();
    const std::vector<std::string> folders = allFolders();
    for (const char* name : LeadingOut) {
        SCOPED_TRACE(name);
        const std::size_t from = fixture.script.Shown().size();
        const std::vector<std::string> linesBefore = w.DestinationDirectory->Items().ToVector();
        deleteFolder(w, ui::mrOk, name);
        EXPECT_EQ(shownSince(from),
                  (std::vector<std::string>{"form DeleteOldDirDlg", confirmation(target() + "\\" + name)}));
        EXPECT_FALSE(contains(registered(), name));
        EXPECT_EQ(allFolders(), folders);
        EXPECT_EQ(w.DestinationDirectory->Items().ToVector(), linesBefore);
    }
    EXPECT_EQ(registered(), (std::vector<std::string>{"KEEP"}));
    EXPECT_TRUE(fixture.script.Unexpected().empty());
}

TEST_P(SubfolderActions, ADatabaseFailureEndsTheActionInTheDefaultHandler)
{
    Window& w = start();
    removeSubfolderTable();

    newFolder(w, ui::mrOk, "NEW", 1);
    EXPECT_EQ(shownSince(0), (std::vector<std::string>{"form CreateNewDirDlg", "error box"}));
    EXPECT_FALSE(isFolder(target() + "\\NEW"));

    // The dialog is not shown.
    fixture.script.Answer(ui::mrOk);
    w.DeleteDir->PerformClick();
    EXPECT_EQ(shownSince(2), (std::vector<std::string>{"error box"}));
    EXPECT_FALSE(w.TblPath->Active());
    EXPECT_TRUE(fixture.script.Unexpected().empty());
}

} // namespace

INSTANTIATE_TEST_SUITE_P(BothDirections, SubfolderActions,
                         ::testing::Values(TransferDirection::Restore, TransferDirection::Backup),
                         transfertest::DirectionName);
