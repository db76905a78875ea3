// The transfer run: confirmations and refusal, the passes over the top folder
// and the registered subfolders, the files never copied, progress, the block
// copy and its times, the overwrite question, the error prompts and their
// answers, and the window after the run, also after an exception. Real files
// on temporary drives, a real BakPath table, scripted answers; file faults
// only where a real file cannot fail on its own.

#include "Window.h"
#include "database/Database.h"
#include "files/FileSystem.h"
#include "platform/files/BrokenRead.h"
#include "platform/files/FailingFileOps.h"
#include "platform/files/OtherProcess.h"
#include "ui/BitBtn.h"
#include "ui/Button.h"
#include "ui/DirectoryListBox.h"
#include "ui/FileListBox.h"
#include "ui/Label.h"
#include "ui/ProgressBar.h"
#include "ui/RadioGroup.h"
#include "ui/Screen.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QRadioButton>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

using namespace transfertest;
using files::test::FailingFileOps;
namespace fs = std::filesystem;

namespace {

constexpr const char* DataFolder = "C:\\DATA";
constexpr const char* BackupFolder = "D:\\BAK";

std::string entry(const ui::ShownWindow& w)
{
    switch (w.kind) {
    case ui::ModalKind::SystemBox:
        return "box " + w.caption + ": " + w.text;
    case ui::ModalKind::MessageDialog:
        return "dialog " + w.caption + ": " + w.text;
    case ui::ModalKind::ErrorBox:
        return "error box";
    default:
        return "other: " + w.text;
    }
}

class Run : public ::testing::Test
{
protected:
    Run()
    {
        writeSuite(drives, DataFolder, BackupFolder);
        database::Session().RemoveAllPasswords();
        database::Session().SetNetFileDir("");
    }
    ~Run() override
    {
        database::Session().RemoveAllPasswords();
        database::Session().SetNetFileDir("");
        database::Session().SetPasswordPrompt(nullptr);
    }

    // The rows of BakPath.
    void registered(const std::vector<std::string>& names) const
    {
        writeRegistered(names);
    }

    bool restore() const
    {
        return direction == TransferDirection::Restore;
    }
    // Windows paths below the direction's source and target folders.
    std::string src(const std::string& name = "") const
    {
        const std::string top = restore() ? BackupFolder : DataFolder;
        return name.empty() ? top : top + "\\" + name;
    }
    std::string dst(const std::string& name = "") const
    {
        const std::string top = restore() ? DataFolder : BackupFolder;
        return name.empty() ? top : top + "\\" + name;
    }

    bool exists(const std::string& path) const
    {
        return fs::exists(drives.host(path));
    }
    std::string content(const std::string& path) const
    {
        std::ifstream in(drives.host(path), std::ios::binary);
        std::ostringstream all;
        all << in.rdbuf();
        return all.str();
    }
    // Names in a folder as the host holds them, hidden ones included.
    std::vector<std::string> hostNames(const std::string& folder) const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(drives.host(folder)))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    // Distinct bytes, so that a block out of place shows.
    static std::string bytes(std::size_t size, char seed = 0)
    {
        std::string text(size, '\0');
        for (std::size_t i = 0; i < size; ++i)
            text[i] = static_cast<char>((i * 7 + i / 251 + static_cast<std::size_t>(seed)) & 0xff);
        return text;
    }

    // The window after its activation, in the suite folder.
    Window& start(TransferDirection d = TransferDirection::Backup)
    {
        direction = d;
        fixture.reset();
        fixture.emplace();
        files::setCurrentFolder("C:\\TARN");
        Window& w = fixture->make(direction);
        w.FormActivate(nullptr);
        EXPECT_TRUE(fixture->script.Shown().empty());
        return w;
    }
    // Yes to the confirmations; the answers of the run follow.
    void confirm()
    {
        fixture->script.Answer(ui::mrYes);
        if (restore())
            fixture->script.Answer(ui::mrYes);
    }
    // Clicks the copy button, OK to the completion box, every answer used.
    void click(Window& w)
    {
        fixture->script.Answer(ui::mrOk);
        w.CopyFiles->PerformClick();
        EXPECT_TRUE(fixture->script.Unexpected().empty());
        EXPECT_EQ(fixture->script.Pending(), 0);
    }
    std::vector<std::string> log() const
    {
        std::vector<std::string> all;
        for (const ui::ShownWindow& w : fixture->script.Shown())
            all.push_back(entry(w));
        return all;
    }
    // The boxes between the confirmations and the completion box.
    std::vector<std::string> prompts() const
    {
        std::vector<std::string> all = log();
        const std::size_t confirmations = restore() ? 2 : 1;
        if (all.size() < confirmations + 1)
            return all;
        return {all.begin() + static_cast<long>(confirmations), all.end() - 1};
    }
    std::string completionBox() const
    {
        return restore() ? "box 資訊: 檔案還原完畢!" : "box 資訊: 檔案備份複製完畢!";
    }

    Drives drives{"CD"};
    TransferDirection direction = TransferDirection::Backup;
    std::optional<WindowFixture> fixture;
};

class RunBothWays : public Run, public ::testing::WithParamInterface<TransferDirection>
{
};

} // namespace

TEST_P(RunBothWays, EmptyBakPathCopiesTheTopFolderAloneAndResetsTheWindow)
{
    direction = GetParam();
    drives.file(src("a.db"), bytes(40000));
    drives.file(src("b.txt"), "b");
    drives.file(src("SUB\\inner.txt"), "not registered");
    Window& w = start(GetParam());
    confirm();
    click(w);

    std::vector<std::string> expected = {restore() ? "box 確定時請按「是」按鈕!: 是否確定還原 ?"
                                                   : "box 確定時請按「是」按鈕!: 是否確定複製 ?"};
    if (restore())
        expected.push_back("box 再次確認時請按「是」按鈕!: 您是否確定執行還原功能 ?");
    expected.push_back(completionBox());
    EXPECT_EQ(log(), expected);
    for (const ui::ShownWindow& box : fixture->script.Shown()) {
        const std::vector<std::string> buttons =
            box.caption == "資訊" ? std::vector<std::string>{"OK"} : std::vector<std::string>{"&Yes", "&No"};
        EXPECT_EQ(box.buttons, buttons) << box.text;
    }
    EXPECT_EQ(content(dst("a.db")), bytes(40000));
    EXPECT_EQ(content(dst("b.txt")), "b");
    EXPECT_FALSE(exists(dst("SUB")));

    EXPECT_FALSE(w.CopyFiles->Enabled());
    EXPECT_FALSE(w.ButtonMkDir->Enabled());
    EXPECT_FALSE(w.DeleteDir->Enabled());
    EXPECT_TRUE(w.ButtonExit->Enabled());
    EXPECT_EQ(w.ProgressBar->Position(), 0);
    EXPECT_EQ(w.CopyingFileLabel->Caption(), "");
    EXPECT_EQ(SourceState, 2);
    EXPECT_EQ(TargetState, 2);
    EXPECT_EQ(RunSourceFolder, src());
    EXPECT_EQ(RunTargetFolder, dst());
    EXPECT_EQ(w.SourceDirectory->Directory(), src());
    EXPECT_EQ(w.DestinationDirectory->Directory(), dst());
    EXPECT_EQ(itemsOf(w.DestinationFiles->Items()), (std::vector<std::string>{"a.db", "b.txt"}));
    EXPECT_EQ(files::currentFolder(), src());
}

TEST_P(RunBothWays, NoAtAConfirmationOrTheSameFolderChangesNothing)
{
    direction = GetParam();
    drives.file(src("a.db"), "a");
    struct Case
    {
        std::vector<int> answers;
        bool sameFolder;
        std::size_t boxes;
    };
    std::vector<Case> cases = {{{ui::mrNo}, false, 1}};
    if (restore())
        cases.push_back({{ui::mrYes, ui::mrNo}, false, 2});
    std::vector<int> yes(restore() ? 2 : 1, ui::mrYes);
    cases.push_back({yes, true, yes.size() + 1});

    for (const Case& c : cases) {
        Window& w = start(GetParam());
        if (c.sameFolder)
            w.DestinationDirectory->SetDirectory(src());
        for (int answer : c.answers)
            fixture->script.Answer(answer);
        if (c.sameFolder)
            fixture->script.Answer(ui::mrOk);
        w.CopyFiles->PerformClick();
        EXPECT_TRUE(fixture->script.Unexpected().empty());
        ASSERT_EQ(log().size(), c.boxes);
        if (c.sameFolder) {
            EXPECT_EQ(log().back(), restore()
                                        ? "box 資訊: 無法還原檔案至相同目錄下! \r\n請重新選擇好目的資料夾!"
                                        : "box 資訊: 無法複製檔案至相同目錄下! \r\n請重新選擇好目的資料夾!");
        }
        EXPECT_TRUE(w.CopyFiles->Enabled());
        EXPECT_TRUE(w.ButtonMkDir->Enabled());
        EXPECT_TRUE(w.DeleteDir->Enabled());
        EXPECT_TRUE(w.ButtonExit->Enabled());
        EXPECT_EQ(SourceState, 0);
        EXPECT_EQ(RunSourceFolder, "");
        EXPECT_FALSE(exists(dst("a.db")));
    }
}

TEST_P(RunBothWays, NamesNeverCopiedInAnyLetterCase)
{
    direction = GetParam();
    // The program is "restore" (the fixture's program path).
    for (const char* name : {"PARADOX.LCK", "pdoxusrs.lck", "PdoxUsrs.Net", "Restore", "keep.txt"})
        drives.file(src(name), name);
    Window& w = start(GetParam());
    FailingFileOps watched;
    confirm();
    click(w);
    std::vector<std::string> copied =
        restore() ? std::vector<std::string>{"keep.txt"} : std::vector<std::string>{"Restore", "keep.txt"};
    EXPECT_EQ(hostNames(dst()), copied);
    for (const char* skipped : {"PARADOX.LCK", "pdoxusrs.lck", "PdoxUsrs.Net"})
        EXPECT_EQ(watched.calls(FailingFileOps::Step::Open, skipped), 0) << skipped;
}

TEST_P(RunBothWays, SubfolderNamesThatLeadOutOfTheTopFoldersArePassedOver)
{
    direction = GetParam();
    const std::string sourceRoot = src().substr(0, 3);
    const std::string targetRoot = dst().substr(0, 3);
    drives.file(src("top.txt"), "top");
    drives.file(src("SUB\\sub.txt"), "sub");
    drives.file(src("A\\B\\ab.txt"), "ab");
    drives.file(src("ZOK\\z.txt"), "after them");
    drives.file(sourceRoot + "root.txt", "the drive's root");
    drives.file(sourceRoot + "ESCAPE\\escape.txt", "beside the top folder");
    drives.file(sourceRoot + "tmp\\x\\tmp.txt", "under the root");
    const struct
    {
        const char* name;
        const char* reached; // the file the name would lead to
    } cases[] = {
        {"..\\ESCAPE", "escape.txt"},
        {"../ESCAPE", "escape.txt"},
        {"..\\..\\..\\tmp\\x", "tmp.txt"},
        {"SUB\\..\\..\\ESCAPE", "escape.txt"},
        {"..", "root.txt"},
        {".", "top.txt"}, // the top folder a second time
        {"SUB\\.", "sub.txt"},
        {"\\SUB", "sub.txt"},
        {"SUB\\", "sub.txt"},
        {"A\\\\B", "ab.txt"},
        {"C:\\ELSEWHERE", "none"},
        {"C:SUB", "sub.txt"},
    };
    std::vector<std::string> names{"ZOK"};
    for (const auto& c : cases)
        names.push_back(c.name);
    registered(names);
    const std::vector<std::string> rootBefore = hostNames(targetRoot);
    Window& w = start(GetParam());
    FailingFileOps watched;
    confirm();
    click(w);

    EXPECT_EQ(prompts(), std::vector<std::string>{});
    EXPECT_EQ(hostNames(dst()), (std::vector<std::string>{"ZOK", "top.txt"}));
    EXPECT_EQ(content(dst("ZOK\\z.txt")), "after them");
    EXPECT_EQ(hostNames(targetRoot), rootBefore);
    for (const auto& c : cases)
        EXPECT_EQ(watched.calls(FailingFileOps::Step::Open, c.reached), c.reached == std::string("top.txt"))
            << c.name;
    EXPECT_EQ(w.SourceDirectory->Directory(), src());
    EXPECT_EQ(w.DestinationDirectory->Directory(), dst());
}

TEST_P(RunBothWays, LinksOffTheDrivesAreNeitherReadNorWrittenThrough)
{
    direction = GetParam();
    const std::string outside = drives.root() + "/outside";
    fs::create_directories(outside + "/dir");
    std::ofstream(outside + "/passwd") << "secret";
    std::ofstream(outside + "/dir/inner.txt") << "inner";
    std::ofstream(outside + "/target.dat") << "outside target";
    const std::string targetRoot = dst().substr(0, 3);
    drives.file(targetRoot + "keep.dat", "kept");
    drives.file(src().substr(0, 3) + "shared.txt", "shared");
    drives.folder(dst());

    fs::create_symlink(outside + "/passwd", drives.host(src("passwd.txt")));
    fs::create_directory_symlink(outside + "/dir", drives.host(src("LINKDIR")));
    fs::create_symlink("../shared.txt", drives.host(src("inside.txt")));
    fs::create_directory_symlink("..", drives.host(src("INDIR")));
    drives.file(src("file2.dat"), "new");
    drives.file(src("inlink.dat"), "new too");
    fs::create_symlink(outside + "/target.dat", drives.host(dst("file2.dat")));
    fs::create_symlink("../keep.dat", drives.host(dst("inlink.dat")));
    registered({"LINKDIR"});

    Window& w = start(GetParam());
    EXPECT_EQ(itemsOf(w.SourceFiles->Items()),
              (std::vector<std::string>{"file2.dat", "inlink.dat", "inside.txt"}));
    const std::vector<std::string> folders = itemsOf(w.SourceDirectory->Items());
    EXPECT_EQ(std::count(folders.begin(), folders.end(), "LINKDIR"), 0);
    EXPECT_EQ(std::count(folders.begin(), folders.end(), "INDIR"), 1);
    FailingFileOps watched;
    confirm();
    click(w);

    EXPECT_EQ(prompts(), std::vector<std::string>{});
    EXPECT_EQ(watched.calls(FailingFileOps::Step::Open, "passwd.txt"), 0);
    EXPECT_EQ(hostNames(dst()), (std::vector<std::string>{"file2.dat", "inlink.dat", "inside.txt"}));
    // Each name now holds a file of its own with the copy.
    for (const char* name : {"file2.dat", "inlink.dat", "inside.txt"})
        EXPECT_FALSE(fs::is_symlink(drives.host(dst(name)))) << name;
    EXPECT_EQ(content(dst("file2.dat")), "new");
    EXPECT_EQ(content(dst("inlink.dat")), "new too");
    EXPECT_EQ(content(dst("inside.txt")), "shared");
    // What the links led to is as it was.
    std::ostringstream outsideTarget;
    outsideTarget << std::ifstream(outside + "/target.dat").rdbuf();
    EXPECT_EQ(outsideTarget.str(), "outside target");
    EXPECT_EQ(content(targetRoot + "keep.dat"), "kept");
    EXPECT_EQ(fs::directory_iterator(outside + "/dir")->path().filename(), "inner.txt");
}

INSTANTIATE_TEST_SUITE_P(Directions, RunBothWays,
                         ::testing::Values(TransferDirection::Restore, TransferDirection::Backup),
                         DirectionName);

TEST_F(Run, RegisteredSubfoldersThatExistUnderTheSourceAreCopiedAndCreatedUnderTheTarget)
{
    drives.file(src("top.txt"), "top");
    drives.file(src("ACCOUNT\\j.db"), "journal");
    drives.file(src("DEEP\\INNER\\x.txt"), "deep");
    drives.file(dst("ACCOUNT\\old.db"), "old");
    drives.file(src("OTHER\\n.txt"), "not registered");
    // In key order: ACCOUNT, DEEP\INNER, MISSING, ZLAST.
    registered({"MISSING", "ACCOUNT", "DEEP\\INNER", "ZLAST"});
    drives.file(src("ZLAST\\z.txt"), "after the missing one");
    Window& w = start();
    confirm();
    click(w);

    EXPECT_EQ(log(),
              (std::vector<std::string>{"box 確定時請按「是」按鈕!: 是否確定複製 ?", completionBox()}));
    EXPECT_EQ(content(dst("top.txt")), "top");
    EXPECT_EQ(content(dst("ACCOUNT\\j.db")), "journal");
    EXPECT_EQ(content(dst("ACCOUNT\\old.db")), "old");
    EXPECT_EQ(content(dst("DEEP\\INNER\\x.txt")), "deep");
    EXPECT_EQ(content(dst("ZLAST\\z.txt")), "after the missing one");
    EXPECT_FALSE(exists(dst("MISSING")));
    EXPECT_FALSE(exists(dst("OTHER")));
    // A subfolder's files stay out of the top folder.
    EXPECT_EQ(hostNames(dst()), (std::vector<std::string>{"ACCOUNT", "DEEP", "ZLAST", "top.txt"}));
    EXPECT_EQ(w.SourceDirectory->Directory(), src());
    EXPECT_EQ(w.DestinationDirectory->Directory(), dst());
}

TEST_F(Run, AtMostAHundredRegisteredSubfoldersTakePart)
{
    std::vector<std::string> names;
    for (int i = 0; i <= 100; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "N%03d", i);
        names.push_back(name);
    }
    registered(names);
    drives.file(src("N099\\in.txt"), "hundredth");
    drives.file(src("N100\\out.txt"), "hundred and first");
    Window& w = start();
    confirm();
    click(w);
    EXPECT_EQ(content(dst("N099\\in.txt")), "hundredth");
    EXPECT_FALSE(exists(dst("N100")));
}

TEST_F(Run, ProgressIsTheShareOfTheListBeforeEachFile)
{
    struct Case
    {
        std::vector<std::string> names;
        std::vector<int> positions; // at each open
    };
    const Case cases[] = {
        {{"a.db", "b.db", "c.db", "d.db"}, {0, 25, 50, 75}},
        // A skipped file counts in the share.
        {{"a.db", "b.db", "Paradox.lck", "z.db"}, {0, 25, 75}},
    };
    for (const Case& c : cases) {
        fs::remove_all(drives.host(src()));
        for (const std::string& name : c.names)
            drives.file(src(name), name);
        Window& w = start();

        class Watch : public FailingFileOps
        {
        public:
            explicit Watch(const Window& window) : m_window(window) {}
            files::Handle openRead(const std::string& path) override
            {
                positions.push_back(m_window.ProgressBar->Position());
                captions.push_back(m_window.CopyingFileLabel->Caption());
                return FailingFileOps::openRead(path);
            }
            std::vector<int> positions;
            std::vector<std::string> captions;

        private:
            const Window& m_window;
        } watch(w);
        confirm();
        click(w);
        EXPECT_EQ(watch.positions, c.positions);
        std::vector<std::string> captions;
        for (const std::string& name : c.names)
            if (name != "Paradox.lck")
                captions.push_back("拷貝 : " + name);
        EXPECT_EQ(watch.captions, captions);
        EXPECT_EQ(w.ProgressBar->Position(), 0);
        EXPECT_EQ(w.CopyingFileLabel->Caption(), "");
    }
}

TEST_F(Run, BlocksOfAnySizeAndTheSourcesTime)
{
    struct Case
    {
        const char* name;
        std::size_t size;
        int reads;
    };
    const Case cases[] = {
        {"empty.dat", 0, 1},
        {"small.txt", 100, 1},
        {"block.bin", 32768, 2},
        {"three.bin", 70000, 3},
    };
    const auto past =
        fs::file_time_type::clock::now() - std::chrono::hours(24 * 400) - std::chrono::milliseconds(1234);
    for (const Case& c : cases) {
        drives.file(src(c.name), bytes(c.size, 3));
        fs::last_write_time(drives.host(src(c.name)), past);
    }
    // An older, longer target of one name is replaced, and gets the source's time too.
    drives.file(dst("small.txt"), bytes(90000, 9));
    Window& w = start();
    FailingFileOps counted;
    confirm();
    click(w);
    EXPECT_EQ(prompts(), std::vector<std::string>{});
    for (const Case& c : cases) {
        EXPECT_EQ(content(dst(c.name)), bytes(c.size, 3)) << c.name;
        EXPECT_EQ(counted.calls(FailingFileOps::Step::Read, c.name), c.reads) << c.name;
        EXPECT_EQ(fs::last_write_time(drives.host(dst(c.name))), past) << c.name;
    }
    EXPECT_EQ(hostNames(dst()),
              (std::vector<std::string>{"block.bin", "empty.dat", "small.txt", "three.bin"}));
}

// A window uncovered during a long copy is repainted between blocks; a click
// on the overwrite choice and a close request made meanwhile do nothing.
TEST_F(Run, TheWindowRepaintsDuringARunButTakesNoInput)
{
    drives.file(src("big.bin"), bytes(3 * 32768 + 5));
    Window& w = start();
    w.Show();
    ui::ProcessMessages();

    class Watch : public FailingFileOps, public QObject
    {
    public:
        // A label that the run itself never repaints.
        explicit Watch(Window& window)
            : m_window(window),
              m_uncovered(dynamic_cast<ui::TControl*>(window.FindComponent("Label4"))->Widget())
        {
            m_uncovered->installEventFilter(this);
        }
        files::Handle openRead(const std::string& path) override
        {
            // Another window moved away, then the user's click and close.
            QWidget* always = m_window.WriteOpt->Widget()->findChildren<QRadioButton*>().at(1);
            const QPointF at(4, always->height() / 2.0);
            for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
                QCoreApplication::postEvent(
                    always, new QMouseEvent(type, at, always->mapToGlobal(at), Qt::LeftButton,
                                            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                            Qt::NoModifier));
            QCoreApplication::postEvent(m_window.Widget(), new QCloseEvent);
            m_uncovered->update();
            return FailingFileOps::openRead(path);
        }
        long read(files::Handle file, void* buffer, std::size_t count) override
        {
            paintsAtReads.push_back(paints);
            return FailingFileOps::read(file, buffer, count);
        }
        std::vector<int> paintsAtReads;
        int paints = 0;

    protected:
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::Paint)
                ++paints;
            return false;
        }

    private:
        Window& m_window;
        QWidget* m_uncovered;
    } watch(w);
    confirm();
    click(w);
    // The last read is the copy's last block, before the end of the run.
    ASSERT_FALSE(watch.paintsAtReads.empty());
    EXPECT_GT(watch.paintsAtReads.back(), 0);
    EXPECT_EQ(w.WriteOpt->ItemIndex(), 0);
    EXPECT_TRUE(w.Visible());
    EXPECT_EQ(content(dst("big.bin")), bytes(3 * 32768 + 5));
}

TEST_F(Run, OverwriteQuestionWhenAskedFor)
{
    for (const char* name : {"n.txt", "x1.txt", "x2.txt", "x3.txt", "x4.txt", "x5.txt"})
        drives.file(src(name), std::string("new ") + name);
    for (const char* name : {"x1.txt", "x2.txt", "x3.txt", "x4.txt", "x5.txt"})
        drives.file(dst(name), std::string("old ") + name);
    Window& w = start();
    w.WriteOpt->SetItemIndex(1);
    confirm();
    fixture->script.Answer(ui::mrNo);     // x1
    fixture->script.Answer(ui::mrYes);    // x2
    fixture->script.Answer(ui::mrCancel); // x3: closed from its title bar
    fixture->script.Answer(ui::mrAll);    // x4, and no question for x5
    click(w);

    EXPECT_EQ(prompts(), (std::vector<std::string>{
                             "dialog Confirm: 檔案 x1.txt 已存在! \r\n是否覆蓋 ?",
                             "dialog Confirm: 檔案 x2.txt 已存在! \r\n是否覆蓋 ?",
                             "dialog Confirm: 檔案 x3.txt 已存在! \r\n是否覆蓋 ?",
                             "dialog Confirm: 檔案 x4.txt 已存在! \r\n是否覆蓋 ?",
                         }));
    const ui::ShownWindow question = fixture->shown(ui::ModalKind::MessageDialog).at(0);
    EXPECT_EQ(question.buttons, (std::vector<std::string>{"&Yes", "&No", "&All"}));
    EXPECT_EQ(question.defaultButton, "&Yes");
    EXPECT_EQ(content(dst("n.txt")), "new n.txt");
    EXPECT_EQ(content(dst("x1.txt")), "old x1.txt");
    for (const char* name : {"x2.txt", "x3.txt", "x4.txt", "x5.txt"})
        EXPECT_EQ(content(dst(name)), std::string("new ") + name);
    EXPECT_EQ(w.WriteOpt->ItemIndex(), 0);
}

TEST_F(Run, AnswersAtTheOpenAndCreatePrompts)
{
    using Step = FailingFileOps::Step;
    struct Case
    {
        Step step;
        int times;
        int answer;
        std::vector<std::string> copiedTop; // of a, b, c
    };
    const Case cases[] = {
        {Step::Open, FailingFileOps::Always, ui::mrAbort, {"a.txt"}},
        {Step::Open, FailingFileOps::Always, ui::mrIgnore, {"a.txt", "c.txt"}},
        {Step::Open, FailingFileOps::Always, ui::mrCancel, {"a.txt", "c.txt"}},
        {Step::Open, 1, ui::mrRetry, {"a.txt", "b.txt", "c.txt"}},
        {Step::Create, FailingFileOps::Always, ui::mrAbort, {"a.txt"}},
        {Step::Create, FailingFileOps::Always, ui::mrIgnore, {"a.txt", "c.txt"}},
        {Step::Create, 1, ui::mrRetry, {"a.txt", "b.txt", "c.txt"}},
    };
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        drives.file(src(name), name);
    drives.file(src("SUB\\s.txt"), "sub");
    registered({"SUB"});
    for (const Case& c : cases) {
        fs::remove_all(drives.host(dst()));
        drives.folder(dst());
        Window& w = start();
        FailingFileOps faults;
        if (c.step == Step::Open)
            faults.failOpen("b.txt", c.times);
        else
            faults.failCreate("b.txt", c.times);
        confirm();
        fixture->script.Answer(c.answer);
        click(w);

        const std::string prompt = c.step == Step::Open ? "dialog Error: 讀取檔案錯誤! \r\nb.txt"
                                                        : "dialog Error: 無法建立檔案! b.txt";
        EXPECT_EQ(prompts(), std::vector<std::string>{prompt});
        const ui::ShownWindow shown = fixture->shown(ui::ModalKind::MessageDialog).at(0);
        EXPECT_EQ(shown.buttons, (std::vector<std::string>{"&Abort", "&Retry", "&Ignore"}));
        EXPECT_EQ(shown.defaultButton, "&Retry");
        std::vector<std::string> expected = c.copiedTop;
        expected.insert(expected.begin(), "SUB");
        EXPECT_EQ(hostNames(dst()), expected) << prompt << " answered " << c.answer;
        // The next registered subfolder is processed all the same.
        EXPECT_EQ(content(dst("SUB\\s.txt")), "sub");
    }
}

TEST_F(Run, AFailedBlockEndsOnlyThatFileAndLeavesTheOldTargetAsItWas)
{
    using Step = FailingFileOps::Step;
    struct Case
    {
        Step step;
        int times;
        int answer;
        bool oldTarget;
        bool whole; // b.bin is the new copy afterwards
    };
    const Case cases[] = {
        {Step::Read, FailingFileOps::Always, ui::mrAbort, true, false},
        {Step::Read, FailingFileOps::Always, ui::mrIgnore, true, false},
        {Step::Read, FailingFileOps::Always, ui::mrCancel, false, false},
        {Step::Read, 1, ui::mrRetry, true, true},
        {Step::Write, FailingFileOps::Always, ui::mrAbort, true, false},
        {Step::Write, FailingFileOps::Always, ui::mrAbort, false, false},
        {Step::Write, 1, ui::mrIgnore, true, false},
        {Step::Write, 1, ui::mrRetry, false, true},
    };
    const std::string good = bytes(50000, 5);
    for (const Case& c : cases) {
        fs::remove_all(drives.host(src()));
        fs::remove_all(drives.host(dst()));
        drives.file(src("a.txt"), "a");
        drives.file(src("b.bin"), bytes(70000, 1));
        drives.file(src("c.txt"), "c");
        drives.folder(dst());
        if (c.oldTarget)
            drives.file(dst("b.bin"), good);
        Window& w = start();
        FailingFileOps faults;
        if (c.step == Step::Read)
            faults.failRead("b.bin", 1, c.times);
        else
            faults.failWrite("b.bin", 1, c.times);
        confirm();
        fixture->script.Answer(c.answer);
        click(w);

        const std::string prompt = c.step == Step::Read ? "dialog Error: 讀取檔案錯誤! \r\nb.bin"
                                                        : "dialog Error: 寫入檔案錯誤! \r\nb.bin";
        const std::string which = prompt + " answered " + std::to_string(c.answer);
        EXPECT_EQ(prompts(), std::vector<std::string>{prompt}) << which;
        // Nothing half-written is left under the target's name or beside it.
        std::vector<std::string> names = {"a.txt", "c.txt"};
        if (c.whole || c.oldTarget)
            names.insert(names.begin() + 1, "b.bin");
        EXPECT_EQ(hostNames(dst()), names) << which;
        if (c.whole || c.oldTarget) {
            EXPECT_EQ(content(dst("b.bin")), c.whole ? bytes(70000, 1) : good) << which;
        }
        EXPECT_EQ(content(dst("c.txt")), "c") << which;
    }
}

TEST_F(Run, ACopyThatCannotBePutInPlaceIsReported)
{
    drives.file(src("a.txt"), "new");
    drives.file(dst("a.txt"), "old");
    drives.file(src("b.txt"), "b");
    Window& w = start();
    FailingFileOps faults;
    faults.failCommit("a.txt");
    confirm();
    fixture->script.Answer(ui::mrOk);
    click(w);
    EXPECT_EQ(prompts(), std::vector<std::string>{"dialog Error: 寫入檔案錯誤! \r\na.txt"});
    EXPECT_EQ(content(dst("a.txt")), "old");
    EXPECT_EQ(content(dst("b.txt")), "b");
}

TEST_F(Run, AnExceptionEndsTheRunAfterTheCompletionBox)
{
    drives.file(src("top.txt"), "top");
    drives.file(src("SUB\\s.txt"), "sub");
    drives.file(src("ZZZ\\z.txt"), "z");
    // A file where the subfolder should be: it cannot be created or entered.
    drives.file(dst("SUB"), "in the way");
    registered({"SUB", "ZZZ"});
    Window& w = start();
    confirm();
    fixture->script.Answer(ui::mrOk); // the completion box
    fixture->script.Answer(ui::mrOk); // the error box
    w.CopyFiles->PerformClick();
    EXPECT_TRUE(fixture->script.Unexpected().empty());

    EXPECT_EQ(log(), (std::vector<std::string>{"box 確定時請按「是」按鈕!: 是否確定複製 ?", completionBox(),
                                               "error box"}));
    EXPECT_FALSE(fixture->shown(ui::ModalKind::ErrorBox).at(0).text.empty());
    EXPECT_EQ(content(dst("top.txt")), "top");
    EXPECT_EQ(content(dst("SUB")), "in the way");
    EXPECT_FALSE(exists(dst("ZZZ")));
    EXPECT_FALSE(w.CopyFiles->Enabled());
    EXPECT_FALSE(w.ButtonMkDir->Enabled());
    EXPECT_FALSE(w.DeleteDir->Enabled());
    EXPECT_TRUE(w.ButtonExit->Enabled());
    EXPECT_EQ(w.ProgressBar->Position(), 0);
    EXPECT_EQ(SourceState, 2);
    EXPECT_EQ(w.SourceDirectory->Directory(), src());
    EXPECT_EQ(w.DestinationDirectory->Directory(), dst());
}

TEST_F(Run, ASourceHeldOpenForWritingIsCopiedOnRetryOnceReleased)
{
    drives.file(src("held.db"), bytes(40000, 2));
    Window& w = start();
    const std::string path = src("held.db");
    files::test::HoldingProcess other(
        [&] { return files::fileOps().open(path, files::Access::ReadWrite, files::Share::DenyNone); });
    ASSERT_TRUE(other.holds()) << other.error();
    confirm();
    fixture->script.Answer(ui::mrRetry, [&](ui::TForm&) { other.release(); });
    click(w);
    EXPECT_EQ(prompts(), std::vector<std::string>{"dialog Error: 讀取檔案錯誤! \r\nheld.db"});
    EXPECT_EQ(content(dst("held.db")), bytes(40000, 2));
}

TEST_F(Run, AReadOnlyTargetBringsUpTheCreatePrompt)
{
    drives.file(src("ro.txt"), "new");
    drives.file(src("z.txt"), "z");
    drives.file(dst("ro.txt"), "read-only");
    fs::permissions(drives.host(dst("ro.txt")), fs::perms::owner_read | fs::perms::group_read);
    Window& w = start();
    confirm();
    fixture->script.Answer(ui::mrIgnore);
    click(w);
    EXPECT_EQ(prompts(), std::vector<std::string>{"dialog Error: 無法建立檔案! ro.txt"});
    EXPECT_EQ(content(dst("ro.txt")), "read-only");
    EXPECT_EQ(content(dst("z.txt")), "z");
}

TEST_F(Run, EverySourceIsClosedAfterTheRun)
{
    // Copied whole, declined at the overwrite question, failed at a block.
    drives.file(src("copied.db"), bytes(40000, 1));
    drives.file(src("kept.txt"), "new");
    drives.file(dst("kept.txt"), "old");
    drives.file(src("unreadable.bin"), bytes(50000, 2));
    Window& w = start();
    w.WriteOpt->SetItemIndex(1);
    FailingFileOps faults;
    faults.failRead("unreadable.bin", 1);
    confirm();
    fixture->script.Answer(ui::mrNo);    // kept.txt
    fixture->script.Answer(ui::mrAbort); // unreadable.bin
    click(w);
    ASSERT_EQ(prompts().size(), 2u);
    for (const char* name : {"copied.db", "kept.txt", "unreadable.bin"}) {
        const std::string path = src(name);
        files::test::HoldingProcess writer(
            [&] { return files::fileOps().open(path, files::Access::ReadWrite, files::Share::DenyNone); });
        EXPECT_TRUE(writer.holds()) << name << ": error " << writer.error();
    }
}

TEST_F(Run, TheCompletionBoxShowsTheWindowAsTheRunLeftIt)
{
    drives.file(src("a.db"), "new a");
    drives.file(dst("a.db"), "old a");
    drives.file(src("SUB\\s.txt"), "sub");
    registered({"SUB"});
    Window& w = start();
    w.WriteOpt->SetItemIndex(1);
    confirm();
    // A file that turns up in the source during the run is counted at its end.
    fixture->script.Answer(ui::mrYes,
                           [&](ui::TForm&) { drives.file(src("late.txt"), std::string(2048, 'l')); });
    bool looked = false;
    fixture->script.Answer(ui::mrOk, [&](ui::TForm&) {
        looked = true;
        EXPECT_TRUE(w.ButtonExit->Enabled());
        EXPECT_EQ(w.SourceDirectory->Directory(), src());
        EXPECT_EQ(w.DestinationDirectory->Directory(), dst());
        EXPECT_EQ(itemsOf(w.SourceFiles->Items()), (std::vector<std::string>{"a.db", "late.txt"}));
        EXPECT_EQ(itemsOf(w.DestinationFiles->Items()), std::vector<std::string>{"a.db"});
        EXPECT_EQ(w.FIleCount->Caption(), "選擇檔案數 :  2");
        EXPECT_EQ(w.FilesLength->Caption(), "總檔案大小 :  2 KB");
    });
    w.CopyFiles->PerformClick();
    EXPECT_TRUE(fixture->script.Unexpected().empty());
    EXPECT_TRUE(looked);
}

TEST_F(Run, TheHourglassShowsWhileFilesAreCopied)
{
    drives.file(src("a.txt"), "new");
    drives.file(dst("a.txt"), "old");
    drives.file(src("SUB\\b.txt"), "new");
    drives.file(dst("SUB\\b.txt"), "old");
    registered({"SUB"});
    Window& w = start();
    w.WriteOpt->SetItemIndex(1);
    confirm();
    std::vector<ui::TCursor> cursors;
    const auto look = [&](ui::TForm&) { cursors.push_back(ui::Screen->Cursor()); };
    fixture->script.Answer(ui::mrYes, look); // a.txt, in the top folder
    fixture->script.Answer(ui::mrYes, look); // SUB\b.txt
    fixture->script.Answer(ui::mrOk, look);  // the completion box
    w.CopyFiles->PerformClick();
    EXPECT_EQ(cursors, (std::vector<ui::TCursor>{ui::crHourGlass, ui::crHourGlass, ui::crDefault}));
}

TEST_F(Run, AReadErrorInTheMiddleOfABlockThenRetryGivesAnExactCopy)
{
    drives.file(src("big.bin"), bytes(100000, 5));
    Window& w = start();
    // Within the second block: its first bytes are read before the error.
    files::test::BrokenRead broken(drives.host(src("big.bin")), 40000);
    confirm();
    fixture->script.Answer(ui::mrRetry);
    click(w);
    EXPECT_EQ(prompts(), std::vector<std::string>{"dialog Error: 讀取檔案錯誤! \r\nbig.bin"});
    EXPECT_EQ(broken.failed(), 1);
    const std::string copy = content(dst("big.bin"));
    EXPECT_EQ(copy.size(), 100000u);
    EXPECT_TRUE(copy == bytes(100000, 5)) << "the copy differs from its source";
}

namespace {

// The writes, file-system flushes and placings of the copies in the order
// the file operations see them; "completion" when the completion box shows.
class Recording : public FailingFileOps
{
public:
    files::Handle createReplacement(const std::string& target, const std::string& source,
                                    files::NameMatch match = files::NameMatch::IgnoringCase) override
    {
        const files::Handle file = FailingFileOps::createReplacement(target, source, match);
        if (file != files::InvalidHandle)
            m_names[file] = target.substr(target.rfind('\\') + 1);
        return file;
    }
    bool write(files::Handle file, const void* buffer, std::size_t count) override
    {
        events.push_back("write " + m_names[file]);
        return FailingFileOps::write(file, buffer, count);
    }
    bool flushFileSystem(files::Handle file) override
    {
        events.push_back("flush");
        if (failFlushes > 0) {
            --failFlushes;
            files::setLastError(files::WriteFault);
            return false;
        }
        return FailingFileOps::flushFileSystem(file);
    }
    bool placeReplacement(files::Handle file) override
    {
        events.push_back("place " + m_names[file]);
        return FailingFileOps::placeReplacement(file);
    }

    std::vector<std::string> events;
    int failFlushes = 0;

private:
    std::map<files::Handle, std::string> m_names;
};

std::size_t indexOf(const std::vector<std::string>& events, const std::string& event)
{
    return static_cast<std::size_t>(std::find(events.begin(), events.end(), event) - events.begin());
}

} // namespace

TEST_F(Run, EveryCopyIsOnDiskBeforeItTakesItsNameAndAllOfThemBeforeTheCompletionBox)
{
    drives.file(src("a.txt"), "a");
    drives.file(src("b.db"), bytes(70000, 1));
    drives.file(dst("b.db"), "old");
    drives.file(src("SUB\\s.txt"), "s");
    registered({"SUB"});
    Window& w = start();
    Recording ops;
    confirm();
    fixture->script.Answer(ui::mrOk, [&](ui::TForm&) { ops.events.push_back("completion"); });
    w.CopyFiles->PerformClick();
    EXPECT_TRUE(fixture->script.Unexpected().empty());

    const std::vector<std::string>& events = ops.events;
    std::map<std::string, std::size_t> lastWrite;
    std::size_t lastFlush = events.size(), lastPlace = events.size();
    for (std::size_t i = 0; i < events.size(); ++i) {
        const std::string& e = events[i];
        if (e.rfind("write ", 0) == 0)
            lastWrite[e.substr(6)] = i;
        else if (e == "flush")
            lastFlush = i;
        else if (e.rfind("place ", 0) == 0) {
            // A flush between the copy's last write and its new name.
            EXPECT_TRUE(lastFlush < i && lastFlush > lastWrite.at(e.substr(6))) << e;
            lastPlace = i;
        } else if (e == "completion") {
            EXPECT_TRUE(lastFlush < i && lastFlush > lastPlace) << "the names are on disk before the box";
        }
    }
    for (const char* name : {"a.txt", "b.db", "s.txt"})
        EXPECT_LT(indexOf(events, std::string("place ") + name), events.size()) << name;
    // Each folder is put in place before the next one is written.
    EXPECT_LT(indexOf(events, "place b.db"), indexOf(events, "write s.txt"));
    EXPECT_EQ(events.back(), "completion");
    EXPECT_EQ(content(dst("a.txt")), "a");
    EXPECT_EQ(content(dst("b.db")), bytes(70000, 1));
    EXPECT_EQ(content(dst("SUB\\s.txt")), "s");
}

TEST_F(Run, CopiesWhoseDataCannotBeFlushedKeepTheirOldTargetsAndAreEachReported)
{
    drives.file(src("a.txt"), "new a");
    drives.file(dst("a.txt"), "old a");
    drives.file(src("b.txt"), "new b");
    Window& w = start();
    Recording ops;
    ops.failFlushes = 1;
    confirm();
    fixture->script.Answer(ui::mrOk);
    fixture->script.Answer(ui::mrOk);
    click(w);
    EXPECT_EQ(prompts(), (std::vector<std::string>{"dialog Error: 寫入檔案錯誤! \r\na.txt",
                                                   "dialog Error: 寫入檔案錯誤! \r\nb.txt"}));
    EXPECT_EQ(content(dst("a.txt")), "old a");
    EXPECT_FALSE(exists(dst("b.txt")));
    EXPECT_EQ(hostNames(dst()), std::vector<std::string>{"a.txt"});
}

TEST_F(Run, ATargetThatIsALinkIsReplacedItselfAndWhatItNamesIsUntouched)
{
    const std::string outside = drives.root() + "/outside.txt";
    {
        std::ofstream out(outside);
        out << "outside";
    }
    drives.file(src("link.txt"), "new");
    fs::create_symlink(outside, drives.host(dst("link.txt")));
    Window& w = start();
    confirm();
    click(w);
    EXPECT_FALSE(fs::is_symlink(drives.host(dst("link.txt"))));
    EXPECT_EQ(content(dst("link.txt")), "new");
    std::ifstream in(outside);
    std::string kept;
    std::getline(in, kept);
    EXPECT_EQ(kept, "outside");
}

TEST_F(Run, ACopyKilledHalfwayLeavesTheOldTargetAndTheNextRunLeavesNothingBehind)
{
    const std::string big = bytes(24 << 20, 3);
    drives.file(src("big.dat"), big);
    drives.file(dst("big.dat"), "old");
    drives.file(dst(".~tarn-held"), "another program's copy");
    const std::string held = dst(".~tarn-held");
    files::test::HoldingProcess other(
        [&] { return files::fileOps().open(held, files::Access::ReadWrite, files::Share::Exclusive); });
    ASSERT_TRUE(other.holds()) << other.error();

    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        files::FileOps& ops = files::fileOps();
        const files::Handle from = ops.openRead(src("big.dat"));
        const files::Handle to = ops.createReplacement(dst("big.dat"), src("big.dat"));
        static char block[32768];
        for (int n = 0; from != files::InvalidHandle && to != files::InvalidHandle; ++n) {
            const long got = ops.read(from, block, sizeof block);
            if (got <= 0 || !ops.write(to, block, static_cast<std::size_t>(got)))
                break;
            if (n == 200 && ::write(ready[1], "x", 1) != 1)
                break;
        }
        // The copy waits to be put in place when the kill comes.
        pause();
        _exit(0);
    }
    ::close(ready[1]);
    char signal = 0;
    ASSERT_EQ(::read(ready[0], &signal, 1), 1);
    ::close(ready[0]);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    EXPECT_EQ(content(dst("big.dat")), "old");
    // What a killed run or table write leaves where the file system cannot
    // keep a file without a name: a hidden file that nobody holds.
    drives.file(dst(".~tarn-dead"), "part of a copy");

    Window& w = start();
    confirm();
    click(w);
    EXPECT_EQ(content(dst("big.dat")), big);
    EXPECT_EQ(hostNames(dst()), (std::vector<std::string>{".~tarn-held", "big.dat"}));
    EXPECT_EQ(itemsOf(w.DestinationFiles->Items()), std::vector<std::string>{"big.dat"});
    other.release();
}
