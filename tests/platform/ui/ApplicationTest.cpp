#include "UiTestSupport.h"
#include "ui/Dialogs.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <stdexcept>

namespace {

using ApplicationTest = UiTest;

TEST(TitleRuleTest, FileNameBeforeTheFirstFullStopFirstCharacterKept)
{
    const struct
    {
        const char* path;
        const char* title;
    } cases[] = {
        {"/opt/tarn/ReStore.exe", "Restore"},   {"C:\\TARN\\BACKUP.EXE", "Backup"},
        {"/usr/local/bin/backup", "backup"},    {"rESTORE.EXE", "restore"},
        {"/x/Back.Up.2.exe", "Back"},           {"/x/.hidden", ""},
        {"C:\\程式\\備份PROG.EXE", "備份prog"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ui::TApplication::TitleFor(c.path), c.title) << c.path;
}

TEST_F(ApplicationTest, TitleComesFromTheProgramFile)
{
    EXPECT_EQ(app->Title(), "Restore");
}

TEST_F(ApplicationTest, FirstFormCreatedThroughTheApplicationIsTheMainForm)
{
    auto* splash = new TTestDlg(app.get(), nullptr, "Splash");
    TTestDlg* main = nullptr;
    TTestDlg* dialog = nullptr;
    app->CreateForm(main, nullptr, "Main");
    app->CreateForm(dialog, nullptr, "Dialog");
    EXPECT_EQ(app->MainForm(), main);
    splash->Free();
    EXPECT_EQ(app->MainForm(), main);
    EXPECT_FALSE(app->Terminated());
}

TEST_F(ApplicationTest, EndsWhenTheMainFormClosesAndDestroysFormsLastCreatedFirst)
{
    std::vector<std::string> log;
    TTestDlg* main = nullptr;
    TTestDlg* first = nullptr;
    TTestDlg* second = nullptr;
    app->CreateForm(main, &log, "Main");
    app->CreateForm(first, &log, "First");
    app->CreateForm(second, &log, "Second");
    QTimer::singleShot(0, [&] { ui::ClickCloseBox(*main); });
    app->Run();
    EXPECT_TRUE(app->Terminated());
    app.reset();
    EXPECT_EQ(log,
              (std::vector<std::string>{
                  "Main created with 5 components", "First created with 5 components",
                  "Second created with 5 components", "Main activated", "Second destroyed with 5 components",
                  "First destroyed with 5 components", "Main destroyed with 5 components"}));
}

TEST_F(ApplicationTest, MainFormClosingItselfInItsActivationEndsTheProgram)
{
    TTestDlg* main = nullptr;
    app->CreateForm(main);
    main->whenActivated = [&] { main->Close(); };
    app->Run();
    EXPECT_TRUE(app->Terminated());
    EXPECT_EQ(main->activations, 1);
}

TEST_F(ApplicationTest, ShowCommandsMaximisedMinimisedAndNormal)
{
    const struct
    {
        int command;
        ui::TWindowState state;
        int activations;
    } cases[] = {
        {ui::SW_SHOWMAXIMIZED, ui::wsMaximized, 1},
        {ui::SW_SHOWMINNOACTIVE, ui::wsMinimized, 0},
        {ui::SW_SHOWNORMAL, ui::wsNormal, 1},
        {10, ui::wsNormal, 1},
    };
    for (const auto& c : cases) {
        app = std::make_unique<ui::TApplication>("/opt/tarn/backup");
        TTestDlg* main = nullptr;
        app->CreateForm(main);
        ui::TWindowState state = ui::wsNormal;
        int activations = -1;
        QTimer::singleShot(0, [&] {
            ui::ProcessMessages();
            state = main->WindowState();
            activations = main->activations;
            main->Close();
        });
        app->Run(c.command);
        EXPECT_EQ(state, c.state) << c.command;
        EXPECT_EQ(activations, c.activations) << c.command;
    }
}

class TFailingForm : public ui::TForm
{
public:
    explicit TFailingForm(ui::TComponent* owner) : TForm(owner)
    {
        throw std::runtime_error("Out of system resources");
    }
};

TEST_F(ApplicationTest, FailedConstructionShowsTheRunTimeErrorBoxAndGivesExitCode1)
{
    TTestDlg* main = nullptr;
    TFailingForm* failing = nullptr;
    script.Answer(ui::mrOk);
    const int code = app->Execute([&] {
        app->CreateForm(main);
        app->CreateForm(failing);
        app->Run();
    });
    EXPECT_EQ(code, 1);
    EXPECT_EQ(failing, nullptr);
    ASSERT_EQ(script.Shown().size(), 1u);
    EXPECT_EQ(script.Shown()[0].kind, ui::ModalKind::RuntimeError);
    EXPECT_EQ(script.Shown()[0].text, "Out of system resources");
    EXPECT_EQ(app->MainForm(), main);
    EXPECT_EQ(main->activations, 0);
}

TEST_F(ApplicationTest, ExceptionEscapingAHandlerIsShownCaptionedWithTheTitleAndTheProgramGoesOn)
{
    auto* form = new TTestDlg(app.get());
    form->Show();
    int clicks = 0;
    form->OKBtn->OnClick = [&](ui::TObject*) {
        ++clicks;
        if (clicks == 1)
            throw std::runtime_error("File access denied");
        if (clicks == 2)
            ui::Abort();
    };
    script.Answer(ui::mrOk);
    ui::ClickControl(*form->OKBtn);
    ui::ClickControl(*form->OKBtn);
    ui::ClickControl(*form->OKBtn);
    EXPECT_EQ(clicks, 3);
    ASSERT_EQ(script.Shown().size(), 1u);
    EXPECT_EQ(script.Shown()[0].kind, ui::ModalKind::ErrorBox);
    EXPECT_EQ(script.Shown()[0].caption, "Restore");
    EXPECT_EQ(script.Shown()[0].text, "File access denied");
    EXPECT_EQ(script.Shown()[0].buttons, (std::vector<std::string>{"OK"}));
}

class TFailingCreateForm : public ui::TForm
{
public:
    explicit TFailingCreateForm(ui::TComponent* owner) : TForm(owner)
    {
        Load({{{"Caption", "x"}, {"OnCreate", "FormCreate"}}, {}},
             {{"FormCreate", [](ui::TObject*) { throw std::runtime_error("Invalid filename"); }}}, {});
        completed = true;
    }
    bool completed = false;
};

TEST_F(ApplicationTest, ExceptionInTheCreationHandlerIsShownAndConstructionCompletes)
{
    script.Answer(ui::mrOk);
    TFailingCreateForm* form = nullptr;
    app->CreateForm(form);
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->completed);
    EXPECT_EQ(app->MainForm(), form);
    ASSERT_EQ(script.Shown().size(), 1u);
    EXPECT_EQ(script.Shown()[0].text, "Invalid filename");
}

} // namespace

namespace {

// Counts what reaches a form's window during paint-only handling.
class Delivered : public QObject
{
public:
    int paints = 0;
    int input = 0;
    int closes = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::Paint:
            ++paints;
            break;
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
            ++input;
            break;
        case QEvent::Close:
            ++closes;
            break;
        default:
            break;
        }
        return false;
    }
};

// During a long piece of work the window repaints, but neither keys, clicks
// nor a close request reach it; the user's part stays the boxes'.
TEST_F(ApplicationTest, PaintOnlyHandlingRepaintsAndDeliversNoInput)
{
    TTestDlg* form = nullptr;
    app->CreateForm(form);
    int clicks = 0;
    form->OKBtn->OnClick = [&](ui::TObject*) { ++clicks; };
    form->Show();
    ui::ProcessMessages();
    Delivered delivered;
    for (QWidget* w : {form->Widget(), form->NewDir->Widget(), form->OKBtn->Widget()})
        w->installEventFilter(&delivered);

    // What the user does while the work goes on, and a part of the window uncovered.
    QWidget* ok = form->OKBtn->Widget();
    const QPointF centre(ok->width() / 2.0, ok->height() / 2.0);
    QCoreApplication::postEvent(form->NewDir->Widget(),
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a"));
    QCoreApplication::postEvent(ok, new QMouseEvent(QEvent::MouseButtonPress, centre, ok->mapToGlobal(centre),
                                                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(ok,
                                new QMouseEvent(QEvent::MouseButtonRelease, centre, ok->mapToGlobal(centre),
                                                Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
    QCoreApplication::postEvent(form->Widget(), new QCloseEvent);
    form->Widget()->update();

    app->ProcessPaintMessages();

    EXPECT_GT(delivered.paints, 0);
    EXPECT_EQ(delivered.input, 0);
    EXPECT_EQ(delivered.closes, 0);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(form->NewDir->Text(), "");
    EXPECT_TRUE(form->Visible());
    EXPECT_FALSE(app->Terminated());

    // Once the work is over, input is delivered as always.
    ui::ProcessMessages();
    ui::TypeText(*form, "b");
    EXPECT_EQ(form->NewDir->Text(), "b");
}

} // namespace
