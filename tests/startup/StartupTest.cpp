// Start-up of both programs on real windows in a sample suite: the splash
// window, the order of creation, the main window, the show commands, the
// exit codes and the program's title and icon.
#include "backup/Backup.h"
#include "backup/BakupLogo.h"
#include "dialogs/CreateNewDirs.h"
#include "dialogs/DeleteOldDirs.h"
#include "files/FileSystem.h"
#include "restore/ReStore.h"
#include "restore/RestoreLogo.h"
#include "samplesuite/SampleSuite.h"
#include "transfer/CopyFile.h"
#include "ui/Application.h"
#include "ui/BitBtn.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/ModalScript.h"
#include "ui/Screen.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QScreen>
#include <QSet>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <new>
#include <ostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Steps
{
    std::function<void()> mountDrives;
    std::function<void()> createTransferWindow;
    std::function<void()> createDialogs;
};

// One program under test, reached through its own start-up unit.
struct Program
{
    std::string name;
    std::string file; // the built program
    std::string iconFile;
    TransferDirection direction;
    std::string title;
    std::string splashName;
    std::function<int(int, const Steps&)> run;
    std::function<Steps()> ownSteps;
    std::function<ui::TForm*()> splash;
};

const Program kRestore{
    "restore",
    RESTORE_PROGRAM,
    RESTORE_ICON,
    TransferDirection::Restore,
    "restore",
    "RestoreLogoForm",
    [](int show, const Steps& s) {
        return RunRestore(show, {s.mountDrives, s.createTransferWindow, s.createDialogs});
    },
    [] {
        RestoreStartupSteps s = RestoreProgramSteps();
        return Steps{s.mountDrives, s.createTransferWindow, s.createDialogs};
    },
    [] { return RestoreLogoForm; },
};

const Program kBackup{
    "backup",
    BACKUP_PROGRAM,
    BACKUP_ICON,
    TransferDirection::Backup,
    "backup",
    "BakupLogoForm",
    [](int show, const Steps& s) {
        return RunBackup(show, {s.mountDrives, s.createTransferWindow, s.createDialogs});
    },
    [] {
        BackupStartupSteps s = BackupProgramSteps();
        return Steps{s.mountDrives, s.createTransferWindow, s.createDialogs};
    },
    [] { return BakupLogoForm; },
};

void PrintTo(const Program& program, std::ostream* out)
{
    *out << program.name;
}

// A window whose layout names a property no control has.
class TBrokenLayoutWindow : public ui::TForm
{
public:
    explicit TBrokenLayoutWindow(ui::TComponent* owner) : ui::TForm(owner)
    {
        Load({{{"NoSuchProperty", 1}}, {}}, {}, {});
    }
};

// A window whose construction runs out of memory.
class TOutOfMemoryWindow : public ui::TForm
{
public:
    explicit TOutOfMemoryWindow(ui::TComponent* owner) : ui::TForm(owner)
    {
        throw std::bad_alloc();
    }
};

// Calls back when a widget is shown.
class ShowWatcher : public QObject
{
public:
    explicit ShowWatcher(std::function<void()> onShow) : m_onShow(std::move(onShow)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            m_onShow();
        return false;
    }

private:
    std::function<void()> m_onShow;
};

std::vector<ui::TComponent*> Components(const ui::TComponent& owner)
{
    std::vector<ui::TComponent*> components;
    for (int i = 0; i < owner.ComponentCount(); ++i)
        components.push_back(owner.Components(i));
    return components;
}

QImage Rgb32(const QImage& image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

class StartUp : public ::testing::TestWithParam<Program>
{
protected:
    StartUp()
    {
        root = fs::temp_directory_path() / ("startup-" + std::to_string(::getpid()));
        fs::remove_all(root);
        layout = samplesuite::build(root.string());
        loopStart.setSingleShot(true);
    }
    ~StartUp() override
    {
        loopStart.stop();
        application.reset();
        fs::remove_all(root);
    }

    // Starts the program as its main() does, with a new application object
    // under the program's own file name.
    int Start(int showCommand, const Steps& steps)
    {
        application.reset();
        application = std::make_unique<ui::TApplication>(GetParam().file);
        loopRan = false;
        return GetParam().run(showCommand, steps);
    }

    // The program's own steps, on the drives of the sample suite with its
    // folder as the working folder.
    Steps InTheSuite() const
    {
        Steps steps = GetParam().ownSteps();
        steps.mountDrives = [this] { files::mount(layout.dosdevices, layout.suiteFolder); };
        return steps;
    }

    // The steps, and then, at the first message handled after them (the
    // message loop's), check, after which the main window's exit button is
    // clicked.
    Steps WithLoopCheck(Steps steps, std::function<void()> check)
    {
        return {steps.mountDrives, steps.createTransferWindow, [this, steps, check] {
                    steps.createDialogs();
                    QObject::disconnect(&loopStart, nullptr, nullptr, nullptr);
                    QObject::connect(&loopStart, &QTimer::timeout, [this, check] {
                        loopRan = true;
                        check();
                        if (CopyFiles)
                            ui::ClickControl(*CopyFiles->ButtonExit);
                    });
                    loopStart.start(0);
                }};
    }

    fs::path root;
    samplesuite::Layout layout;
    std::unique_ptr<ui::TApplication> application;
    ui::ModalScript script;
    QTimer loopStart;
    bool loopRan = false;
};

TEST_P(StartUp, SplashFirstThenTheMainWindowAndTheDialogsThenTheLoop)
{
    const Program& program = GetParam();
    const Steps own = InTheSuite();
    bool splashShown = false, splashCentred = false, splashPainted = false;
    bool splashAliveAtMainShow = true;
    ui::TComponent* splashWindow = nullptr;
    ShowWatcher mainShown([&] { splashAliveAtMainShow = program.splash() != nullptr; });

    Steps steps;
    steps.mountDrives = own.mountDrives;
    steps.createTransferWindow = [&] {
        ui::TForm* splash = program.splash();
        ASSERT_NE(splash, nullptr);
        splashWindow = splash;
        EXPECT_EQ(splash->Name(), program.splashName);
        EXPECT_EQ(application->MainForm(), nullptr);
        EXPECT_EQ(CopyFiles, nullptr);
        QWidget* window = splash->Widget();
        splashShown = splash->Visible() && window->isVisible();
        splashCentred = window->frameGeometry() ==
                        QRect((ui::Screen->Width() - 427) / 2, (ui::Screen->Height() - 273) / 2, 427, 273);
        // What the window shows now, before the message loop has run: the
        // green band of Panel1, Label2's lime and the picture.
        const QImage shot = Rgb32(QGuiApplication::primaryScreen()->grabWindow(window->winId()).toImage());
        auto* label2 = dynamic_cast<ui::TLabel*>(splash->FindComponent("Label2"));
        auto* image1 = dynamic_cast<ui::TImage*>(splash->FindComponent("Image1"));
        ASSERT_TRUE(label2 && image1);
        ASSERT_EQ(shot.size(), QSize(427, 273));
        const QPoint lime = label2->Widget()->mapTo(window, QPoint(1, label2->Height() - 2));
        QSet<QRgb> pictureColours;
        for (int x = 20; x < 390; x += 40)
            pictureColours.insert(shot.pixel(image1->Widget()->mapTo(window, QPoint(x, 120))));
        splashPainted = shot.pixel(8, 136) == qRgb(0, 128, 0) && shot.pixel(lime) == qRgb(0, 255, 0) &&
                        pictureColours.size() > 3;

        own.createTransferWindow();
        EXPECT_EQ(application->MainForm(), CopyFiles);
        EXPECT_FALSE(CopyFiles->Visible());
        EXPECT_EQ(CopyFiles->Direction(), program.direction);
    };
    steps.createDialogs = [&] {
        own.createDialogs();
        // Owned by the application in the order of creation.
        EXPECT_EQ(Components(*application),
                  (std::vector<ui::TComponent*>{splashWindow, CopyFiles, CreateNewDirDlg, DeleteOldDirDlg}));
        for (ui::TForm* dialog :
             {static_cast<ui::TForm*>(CreateNewDirDlg), static_cast<ui::TForm*>(DeleteOldDirDlg)}) {
            ASSERT_NE(dialog, nullptr);
            EXPECT_FALSE(dialog->Visible());
            EXPECT_EQ(dialog->Owner(), application.get());
        }
        EXPECT_FALSE(CopyFiles->Visible());
        CopyFiles->Widget()->installEventFilter(&mainShown);
    };
    const int exitCode =
        Start(ui::SW_SHOWNORMAL, WithLoopCheck(steps, [&] {
                  EXPECT_EQ(program.splash(), nullptr);
                  EXPECT_EQ(Components(*application),
                            (std::vector<ui::TComponent*>{CopyFiles, CreateNewDirDlg, DeleteOldDirDlg}));
                  ASSERT_NE(CopyFiles, nullptr);
                  EXPECT_EQ(application->MainForm(), CopyFiles);
                  EXPECT_TRUE(CopyFiles->Visible());
                  EXPECT_FALSE(CreateNewDirDlg->Visible());
                  EXPECT_FALSE(DeleteOldDirDlg->Visible());
              }));

    EXPECT_EQ(exitCode, 0);
    EXPECT_TRUE(splashShown);
    EXPECT_TRUE(splashCentred);
    EXPECT_TRUE(splashPainted);
    EXPECT_FALSE(splashAliveAtMainShow);
    EXPECT_TRUE(loopRan);
    // The application destroyed its windows when the loop ended.
    EXPECT_EQ(application->ComponentCount(), 0);
    EXPECT_EQ(CopyFiles, nullptr);
    EXPECT_EQ(CreateNewDirDlg, nullptr);
    EXPECT_EQ(DeleteOldDirDlg, nullptr);
    EXPECT_EQ(script.Unexpected(), std::vector<std::string>{});
}

TEST_P(StartUp, MainWindowOpensByTheShowCommand)
{
    const std::vector<std::pair<int, ui::TWindowState>> commands{
        {ui::SW_SHOWNORMAL, ui::wsNormal},
        {ui::SW_SHOWMAXIMIZED, ui::wsMaximized},
        {ui::SW_SHOWMINNOACTIVE, ui::wsMinimized},
        {0, ui::wsNormal},
        {5, ui::wsNormal},
    };
    for (const auto& [command, state] : commands) {
        SCOPED_TRACE("show command " + std::to_string(command));
        ui::TWindowState seen = ui::wsNormal;
        bool visible = false;
        EXPECT_EQ(Start(command, WithLoopCheck(InTheSuite(),
                                               [&] {
                                                   seen = CopyFiles->WindowState();
                                                   visible = CopyFiles->Visible();
                                               })),
                  0);
        EXPECT_TRUE(loopRan);
        EXPECT_TRUE(visible);
        EXPECT_EQ(seen, state);
    }
    EXPECT_EQ(script.Unexpected(), std::vector<std::string>{});
}

TEST_P(StartUp, FailedStartEndsWithExitCode1BeforeTheLoop)
{
    const Program& program = GetParam();
    const Steps own = InTheSuite();
    struct Failure
    {
        const char* what;
        Steps steps;
        const char* message;
    };
    bool transferStepRan = false;
    bool dialogsStepRan = false;
    const std::vector<Failure> failures{
        {"drives",
         {[this] {
              // A DOSDEVICES folder that does not exist.
              const char* before = std::getenv("DOSDEVICES");
              const std::string saved = before ? before : "";
              ::setenv("DOSDEVICES", (root / "no-such-folder").c_str(), 1);
              struct Restore
              {
                  const char* before;
                  const std::string& saved;
                  ~Restore()
                  {
                      if (before)
                          ::setenv("DOSDEVICES", saved.c_str(), 1);
                      else
                          ::unsetenv("DOSDEVICES");
                  }
              } restore{before, saved};
              files::mountFromEnvironment();
          },
          [&] { transferStepRan = true; }, [&] { dialogsStepRan = true; }},
         "no-such-folder (DOSDEVICES)"},
        {"transfer window layout",
         {own.mountDrives,
          [] {
              TBrokenLayoutWindow* window = nullptr;
              ui::Application->CreateForm(window);
          },
          [&] { dialogsStepRan = true; }},
         "NoSuchProperty"},
        {"new-folder dialog out of memory",
         {own.mountDrives, own.createTransferWindow,
          [] {
              TOutOfMemoryWindow* window = nullptr;
              ui::Application->CreateForm(window);
          }},
         std::bad_alloc().what()},
        {"delete-folder dialog layout",
         {own.mountDrives, own.createTransferWindow,
          [] {
              ui::Application->CreateForm(CreateNewDirDlg);
              TBrokenLayoutWindow* window = nullptr;
              ui::Application->CreateForm(window);
          }},
         "NoSuchProperty"},
    };
    for (const Failure& failure : failures) {
        SCOPED_TRACE(failure.what);
        bool splashGoneAtErrorBox = false;
        script.Answer(ui::mrOk, [&](ui::TForm&) { splashGoneAtErrorBox = program.splash() == nullptr; });
        const std::size_t shownBefore = script.Shown().size();

        EXPECT_EQ(Start(ui::SW_SHOWNORMAL, WithLoopCheck(failure.steps, [] {})), 1);
        EXPECT_FALSE(loopRan);
        EXPECT_FALSE(transferStepRan);
        EXPECT_FALSE(dialogsStepRan);
        EXPECT_EQ(program.splash(), nullptr);
        EXPECT_EQ(application->ComponentCount(), 0);
        EXPECT_EQ(CopyFiles, nullptr);
        EXPECT_EQ(CreateNewDirDlg, nullptr);
        ASSERT_EQ(script.Shown().size(), shownBefore + 1);
        const ui::ShownWindow& box = script.Shown().back();
        EXPECT_EQ(box.kind, ui::ModalKind::RuntimeError);
        EXPECT_NE(box.text.find(failure.message), std::string::npos) << box.text;
        EXPECT_TRUE(splashGoneAtErrorBox);
    }
    EXPECT_EQ(script.Unexpected(), std::vector<std::string>{});
}

TEST_P(StartUp, MainWindowClosedByItsFirstActivationEndsWithExitCode0)
{
    // A working folder without the settings file: the first activation says
    // so and closes the main window.
    const fs::path empty = fs::path(layout.suiteFolder).parent_path() / "EMPTY";
    fs::create_directories(empty);
    Steps steps = InTheSuite();
    steps.mountDrives = [&] { files::mount(layout.dosdevices, empty.string()); };
    script.Answer(ui::mrOk);
    bool openAtLoopStart = false;
    EXPECT_EQ(Start(ui::SW_SHOWNORMAL, WithLoopCheck(steps, [&] { openAtLoopStart = CopyFiles->Visible(); })),
              0);
    EXPECT_FALSE(openAtLoopStart);
    const auto box = std::find_if(script.Shown().begin(), script.Shown().end(), [](const ui::ShownWindow& w) {
        return w.kind == ui::ModalKind::SystemBox;
    });
    ASSERT_NE(box, script.Shown().end());
    EXPECT_EQ(box->caption, "資訊");
    EXPECT_EQ(application->ComponentCount(), 0);
    EXPECT_EQ(script.Unexpected(), std::vector<std::string>{});
}

TEST_P(StartUp, TitleAndIconAreTheProgramsOwn)
{
    const Program& program = GetParam();
    const QImage expected = Rgb32(QImage(QString::fromStdString(program.iconFile), "ICO"));
    ASSERT_FALSE(expected.isNull());
    std::vector<QImage> icons;
    std::string title;
    EXPECT_EQ(Start(ui::SW_SHOWNORMAL,
                    WithLoopCheck(InTheSuite(),
                                  [&] {
                                      title = application->Title();
                                      for (ui::TForm* window : {static_cast<ui::TForm*>(CopyFiles),
                                                                static_cast<ui::TForm*>(CreateNewDirDlg),
                                                                static_cast<ui::TForm*>(DeleteOldDirDlg)})
                                          icons.push_back(
                                              Rgb32(window->Widget()->windowIcon().pixmap(32, 32).toImage()));
                                      icons.push_back(
                                          Rgb32(QApplication::windowIcon().pixmap(32, 32).toImage()));
                                  })),
              0);
    EXPECT_EQ(title, program.title);
    ASSERT_EQ(icons.size(), 4u);
    for (const QImage& icon : icons)
        EXPECT_EQ(icon, expected);
}

INSTANTIATE_TEST_SUITE_P(Programs, StartUp, ::testing::Values(kRestore, kBackup),
                         [](const ::testing::TestParamInfo<Program>& info) { return info.param.name; });

TEST(ProgramTitle, FollowsTheProgramFilesName)
{
    const std::vector<std::pair<std::string, std::string>> cases{
        {RESTORE_PROGRAM, "restore"},
        {BACKUP_PROGRAM, "backup"},
        {"/opt/tarn/RESTORE.EXE", "Restore"},
        {"/opt/tarn/BACKUP", "Backup"},
        {"/opt/tarn/ReStore.v3.05.exe", "Restore"},
        {"/opt/tarn/Backup.tar.gz", "Backup"},
        {"/opt/tarn/bAcKuP", "backup"},
    };
    for (const auto& [file, title] : cases)
        EXPECT_EQ(ui::TApplication::TitleFor(file), title) << file;
}

TEST(SplashWindows, DifferOnlyInTheProgramsName)
{
    ui::TApplication application("/opt/tarn/restore");
    auto* restore = new TRestoreLogoForm(&application);
    auto* backup = new TBakupLogoForm(&application);
    EXPECT_EQ(restore->Label4->Caption(), "還原程式");
    EXPECT_EQ(backup->Label4->Caption(), "備份程式");
    ASSERT_EQ(restore->ComponentCount(), backup->ComponentCount());
    for (int i = 0; i < restore->ComponentCount(); ++i) {
        auto* a = dynamic_cast<ui::TControl*>(restore->Components(i));
        auto* b = dynamic_cast<ui::TControl*>(backup->Components(i));
        ASSERT_TRUE(a && b);
        SCOPED_TRACE(a->Name());
        EXPECT_EQ(a->Name(), b->Name());
        EXPECT_EQ(a->ClassName(), b->ClassName());
        EXPECT_EQ(a->Parent() == restore, b->Parent() == backup);
        if (a->Parent() != restore) {
            EXPECT_EQ(a->Parent()->Name(), b->Parent()->Name());
        }
        EXPECT_EQ(std::vector({a->Left(), a->Top(), a->Width(), a->Height()}),
                  std::vector({b->Left(), b->Top(), b->Width(), b->Height()}));
        EXPECT_TRUE(a->Font() == b->Font());
        EXPECT_TRUE(a->Color() == b->Color());
        if (a != restore->Label4) {
            EXPECT_EQ(a->Caption(), b->Caption());
        }
    }
    // The one picture, stretched over the interior of Panel1.
    const ui::TBitmap& picture = restore->Image1->Picture();
    EXPECT_EQ(picture.Width(), 640);
    EXPECT_EQ(picture.Height(), 480);
    for (int y = 0; y < 480; y += 37)
        for (int x = 0; x < 640; x += 53)
            ASSERT_EQ(picture.Pixel(x, y), backup->Image1->Picture().Pixel(x, y));
    EXPECT_TRUE(restore->Image1->Stretch());
    // The inner panel around Label2 has no name.
    EXPECT_EQ(restore->Label2->Parent()->Name(), "");
    EXPECT_EQ(restore->Label2->Parent()->Parent(), restore->Panel1);
}

} // namespace
