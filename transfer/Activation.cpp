// Activation: the whole set-up, redone every time the window is activated.
// It finds and connects the suite's database, reads the two folders of the
// direction from param.db, checks them and shows both sides.

#include "database/Database.h"
#include "files/FileSystem.h"
#include "transfer/CopyFile.h"
#include "transfer/Extensions.h"
#include "transfer/SettingsFile.h"
#include "ui/Application.h"
#include "ui/Dialogs.h"
#include "ui/DriveComboBox.h"
#include "ui/Label.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace {

constexpr const char* InfoCaption = "資訊";
constexpr const char* TestDatabasePath = "E:\\test\\TEST-BOM2";

// The suite's table passwords, registered in this order.
constexpr const char* TablePasswords[] = {
    "604217",    "qzwrt402617", "mvb417306", "kdr528149", "wgl639275", "hjoy702318", "fxeu813046",
    "nyc924157", "tzq135860",   "ubx246971", "739582",    "rme357028", "jkw468139",
};

// A step that stops the set-up: the message to show, whether a beep comes
// first, and whether the window, and with it the program, closes after it.
enum class Afterwards
{
    CloseWindow,
    KeepWindowOpen,
};

struct SetupFailure
{
    std::string text;
    bool beep;
    Afterwards afterwards;
};

template <class T> using StepResult = std::variant<T, SetupFailure>;

// Where the database is: the connection's parameters and the folder the
// network-control file belongs in.
struct DatabaseLocation
{
    std::vector<std::string> params;
    std::string netFileDir;
};

// The file name of a host path, without its folder.
std::string FileNameOf(const std::string& hostPath)
{
    const std::size_t slash = hostPath.find_last_of('/');
    return slash == std::string::npos ? hostPath : hostPath.substr(slash + 1);
}

// The test path, the current folder itself, or the folder the settings file
// names.
StepResult<DatabaseLocation> LocateDatabase()
{
    if (files::fileExists("check.txt"))
        return DatabaseLocation{{std::string("PATH=") + TestDatabasePath}, ""};
    if (files::fileExists("Inst.Db"))
        return DatabaseLocation{{}, files::currentFolder()};

    const std::string settings = files::joinName(files::currentFolder(), "Tarn.ini");
    if (!files::fileExists(settings))
        return SetupFailure{"本程式無法單獨使用!!\r\n請配合本公司軟體方可執行!\r\n\r\n或 請檢查 Tarn.ini "
                            "中網路路徑設定是否正確!",
                            true, Afterwards::CloseWindow};
    const std::string folder = transfer::readDatabaseFolder(settings);
    if (!files::fileExists(folder + "\\inst.DB"))
        return SetupFailure{"找不到網路磁碟機上之檔案，請確定路徑是否正確！", true, Afterwards::CloseWindow};
    return DatabaseLocation{{"PATH=" + folder + "\\"}, folder + "\\"};
}

// Sets SourceFolder and TargetFolder from their rows; a missing row leaves
// "C:\" for its folder and the window open. The table is closed on the way
// out, before the message shows.
std::optional<SetupFailure> ReadFolders(database::TTable& table, const DirectionProfile& profile)
{
    database::OpenTable open(table);
    if (!table.FindKey(profile.sourceKey)) {
        SourceFolder = "C:\\";
        return SetupFailure{"找不到「來源資料夾」路徑設定參數!", true, Afterwards::KeepWindowOpen};
    }
    SourceFolder = table.FieldByName("Value").AsString();
    if (!table.FindKey(profile.targetKey)) {
        TargetFolder = "C:\\";
        return SetupFailure{profile.targetRowMissing, true, Afterwards::KeepWindowOpen};
    }
    TargetFolder = table.FieldByName("Value").AsString();
    return std::nullopt;
}

std::optional<SetupFailure> CheckFolders(const DirectionProfile& profile)
{
    if (!files::directoryExists(SourceFolder))
        return SetupFailure{profile.sourceMissing, false, Afterwards::CloseWindow};
    // Exact comparison: letter case and a trailing "\" count.
    if (SourceFolder == TargetFolder)
        return SetupFailure{profile.sameFolders, false, Afterwards::CloseWindow};
    return std::nullopt;
}

} // namespace

void TCopyFiles::FormActivate(ui::TObject*)
{
    const DirectionProfile& profile = Profile();
    const auto fail = [this](const SetupFailure& failure) {
        if (failure.beep)
            ui::Beep();
        ui::MessageBox(failure.text, InfoCaption, ui::MB_OK);
        if (failure.afterwards == Afterwards::CloseWindow)
            Close();
    };

    // Back to the start, nothing connected.
    files::setCurrentFolder(StartFolder);
    if (profile.skipsOwnFile)
        ProgramFileName = FileNameOf(ui::Application->ExeName());
    SourceState = 0;
    TargetState = 0;
    Database1->Close();
    Database1->Params().clear();

    // The database, its session and the passwords.
    const StepResult<DatabaseLocation> location = LocateDatabase();
    if (const auto* failure = std::get_if<SetupFailure>(&location))
        return fail(*failure);
    const DatabaseLocation& found = std::get<DatabaseLocation>(location);
    Database1->Params() = found.params;
    Database1->Open();
    if (profile.setsNetFileDir)
        database::Session().SetNetFileDir(found.netFileDir);
    for (const char* password : TablePasswords)
        database::Session().AddPassword(password);

    // The two folders, read and checked.
    if (const auto failure = ReadFolders(*Table1, profile))
        return fail(*failure);
    if (const auto failure = CheckFolders(profile))
        return fail(*failure);

    // A missing target made, both sides shown, the free space. A target that
    // still does not exist is left to the refresh.
    if (!files::directoryExists(TargetFolder))
        files::forceDirectories(TargetFolder);
    SourceDrive->SetDrive(DriveLetter(SourceFolder));
    DestinationDrive->SetDrive(DriveLetter(TargetFolder));
    RefreshPaths();
    const std::string current = files::currentFolder();
    FreeLabel->SetCaption(transfer::freeSpaceCaption(current.empty() ? -1 : files::diskFree(current[0])));
}
