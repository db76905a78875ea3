#include "UiTestSupport.h"
#include "ui/Dialogs.h"
#include "ui/Internal.h"
#include "ui/Panel.h"

#include <QApplication>
#include <QImage>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <cstdlib>
#include <stdexcept>

namespace {

using FormTest = UiTest;
using ui::Key;

TEST_F(FormTest, LayoutGivesEveryComponentItsPropertiesBeforeTheCreationHandler)
{
    std::vector<std::string> log;
    auto* dlg = new TTestDlg(app.get(), &log);
    EXPECT_EQ(log, (std::vector<std::string>{"TestDlg created with 5 components"}));
    EXPECT_EQ(dlg->Caption(), "建立新資料夾");
    EXPECT_EQ(dlg->ClientWidth(), 313);
    EXPECT_EQ(dlg->ClientHeight(), 130);
    EXPECT_EQ(dlg->OKBtn->Left(), 71);
    EXPECT_EQ(dlg->OKBtn->Caption(), "確定");
    EXPECT_TRUE(dlg->OKBtn->Default());
    EXPECT_EQ(dlg->CancelBtn->ModalResult(), ui::mrCancel);
    EXPECT_EQ(dlg->Components(0)->Name(), "Bevel1");
    EXPECT_EQ(dlg->NewDir->Font().Name, "MS Sans Serif");
    EXPECT_FALSE(dlg->Visible());
    dlg->Free();
    EXPECT_EQ(log.back(), "TestDlg destroyed with 5 components");
}

class TBrokenForm : public ui::TForm
{
public:
    TBrokenForm(ui::TComponent* owner, const ui::Layout& layout, const std::vector<ui::Handler>& handlers)
        : TForm(owner)
    {
        Load(layout, handlers, {});
    }
};

TEST_F(FormTest, ALayoutThatCannotBeAppliedNamesWhatIsWrong)
{
    const struct
    {
        ui::Layout layout;
        const char* message;
    } cases[] = {
        {{{}, {{ui::Kind<ui::TLabel>, "Label1", {{"Lfet", 1}}}}}, "TLabel Label1: unknown property Lfet"},
        {{{}, {{ui::Kind<ui::TLabel>, "Label1", {{"Left", "7"}}}}},
         "TLabel Label1: property Left: expected a number"},
        {{{}, {{ui::Kind<ui::TButton>, "OKBtn", {{"OnClick", "OKBtnClick"}}}}},
         "TButton OKBtn: OnClick: no handler OKBtnClick"},
        {{{}, {{ui::Kind<ui::TLabel>, "Label1", {{"Parent", ui::Ref{"Panel1"}}}}}},
         "TLabel Label1: parent Panel1 is not an earlier container"},
    };
    for (const auto& c : cases) {
        try {
            new TBrokenForm(app.get(), c.layout, {});
            ADD_FAILURE() << "no error for " << c.message;
        } catch (const std::logic_error& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
    }
}

TEST_F(FormTest, HandlersAreBoundByNameAndControlsNestInTheirParents)
{
    const ui::Layout layout{
        {{"ClientWidth", 200}, {"ClientHeight", 100}},
        {
            {ui::Kind<ui::TPanel>, "Panel1", {{"Left", 10}, {"Top", 10}, {"Width", 100}, {"Height", 50}}},
            {ui::Kind<ui::TButton>,
             "Button1",
             {{"Parent", ui::Ref{"Panel1"}}, {"Left", 5}, {"OnClick", "Button1Click"}}},
        }};
    int clicks = 0;
    auto* form = new TBrokenForm(app.get(), layout, {{"Button1Click", [&](ui::TObject*) { ++clicks; }}});
    auto* button = dynamic_cast<ui::TButton*>(form->FindComponent("Button1"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->Parent(), form->FindComponent("Panel1"));
    EXPECT_EQ(button->Owner(), form);
    button->PerformClick();
    EXPECT_EQ(clicks, 1);
}

// How a modal dialog is answered, and the modal result it gives.
TEST_F(FormTest, ModalResultByButtonEnterEscapeAndCloseBox)
{
    const struct
    {
        const char* how;
        ui::ModalScript::Action action;
        int result;
    } cases[] = {
        {"OK button", [](ui::TForm& f) { ui::ClickButton(f, "確定"); }, ui::mrOk},
        {"Cancel button", [](ui::TForm& f) { ui::ClickButton(f, "取消"); }, ui::mrCancel},
        {"Enter in the name box", [](ui::TForm& f) { ui::PressKey(f, Key::Enter); }, ui::mrOk},
        {"Escape", [](ui::TForm& f) { ui::PressKey(f, Key::Escape); }, ui::mrCancel},
        {"close box", [](ui::TForm& f) { ui::ClickCloseBox(f); }, ui::mrCancel},
        {"Shift+Enter does nothing", [](ui::TForm& f) { ui::PressKey(f, Key::Enter, ui::ShiftHeld); },
         ui::mrIgnore},
        {"Ctrl+Escape does nothing", [](ui::TForm& f) { ui::PressKey(f, Key::Escape, ui::CtrlHeld); },
         ui::mrIgnore},
        {"Enter on the Cancel button",
         [](ui::TForm& f) {
             ui::PressKey(f, Key::Tab);
             ui::PressKey(f, Key::Tab);
             ui::PressKey(f, Key::Enter);
         },
         ui::mrCancel},
        {"application ends", [](ui::TForm&) { ui::Application->Terminate(); }, ui::mrCancel},
    };
    for (const auto& c : cases) {
        app = std::make_unique<ui::TApplication>("/opt/tarn/restore");
        auto* dlg = new TTestDlg(app.get());
        script.Answer(ui::mrIgnore, [&](ui::TForm& f) {
            ui::TypeText(f, "abc");
            c.action(f);
        });
        EXPECT_EQ(dlg->ShowModal(), c.result) << c.how;
        EXPECT_EQ(dlg->NewDir->Text(), "abc") << c.how;
        EXPECT_FALSE(dlg->Visible()) << c.how;
    }
}

TEST_F(FormTest, EachShowingActivatesOnceAndFocusesTheFirstControl)
{
    auto* dlg = new TTestDlg(app.get());
    std::string typedBefore;
    script.Answer(ui::mrOk, [&](ui::TForm& f) {
        EXPECT_TRUE(dlg->NewDir->Focused());
        ui::TypeText(f, "first");
    });
    script.Answer(ui::mrOk, [&](ui::TForm&) { typedBefore = dlg->NewDir->Text(); });
    dlg->ShowModal();
    EXPECT_EQ(dlg->NewDir->Text(), "first");
    dlg->ShowModal();
    EXPECT_EQ(typedBefore, "");
    EXPECT_EQ(dlg->activations, 2);
}

TEST_F(FormTest, AMessageBoxOverTheDialogDoesNotActivateItAgain)
{
    auto* dlg = new TTestDlg(app.get());
    script.Answer(ui::mrOk, [&](ui::TForm& f) {
        ui::TypeText(f, "kept");
        ui::ShowMessage("TARN, ACC, INV, ...");
        ui::ProcessMessages();
        ui::FocusWindow(f);
    });
    script.Answer(ui::mrOk);
    dlg->ShowModal();
    EXPECT_EQ(dlg->activations, 1);
    EXPECT_EQ(dlg->NewDir->Text(), "kept");
}

TEST_F(FormTest, DialogIsCentredOnItsFirstShowingAndReturnsWhereItWasClosed)
{
    auto* dlg = new TTestDlg(app.get());
    QPoint first;
    QPoint second;
    script.Answer(ui::mrOk, [&](ui::TForm& f) {
        first = f.Widget()->pos();
        f.Widget()->move(40, 30);
    });
    script.Answer(ui::mrOk, [&](ui::TForm& f) { second = f.Widget()->pos(); });
    dlg->ShowModal();
    dlg->ShowModal();
    const QRect screen = QApplication::primaryScreen()->geometry();
    EXPECT_EQ(first, QPoint((screen.width() - dlg->Widget()->frameGeometry().width()) / 2,
                            (screen.height() - dlg->Widget()->frameGeometry().height()) / 2));
    EXPECT_EQ(second, QPoint(40, 30));
}

// The window manager's frame is centred, not the client area: a title bar
// taller than the other edges must not push the window down.
TEST(CentringTest, TheWholeWindowWithItsFrameStandsInTheMiddle)
{
    const struct
    {
        QRect area;
        QSize client;
        QMargins frame;
    } cases[] = {
        {QRect(0, 0, 1024, 768), QSize(535, 413), QMargins(1, 22, 1, 1)},
        {QRect(0, 0, 1024, 768), QSize(313, 130), QMargins(4, 30, 4, 4)},
        {QRect(1024, 100, 800, 600), QSize(323, 185), QMargins(2, 20, 2, 6)},
        {QRect(0, 0, 1024, 768), QSize(323, 185), QMargins()},
    };
    for (const auto& c : cases) {
        const QPoint client = ui::CentredClientPosition(c.area, c.client, c.frame);
        const QRect whole(client - QPoint(c.frame.left(), c.frame.top()), c.client.grownBy(c.frame));
        EXPECT_LE(std::abs((whole.left() - c.area.left()) - (c.area.right() - whole.right())), 1)
            << c.frame.top();
        EXPECT_LE(std::abs((whole.top() - c.area.top()) - (c.area.bottom() - whole.bottom())), 1)
            << c.frame.top();
    }
    // Larger than the screen: the frame's top-left corner stays on it.
    const QMargins frame(3, 25, 3, 3);
    EXPECT_EQ(ui::CentredClientPosition(QRect(0, 0, 640, 480), QSize(700, 500), frame), QPoint(3, 25));
}

TEST_F(FormTest, ModalWindowsAreDialogsOfTheWindowTheyBelongTo)
{
    TTestDlg* mainForm = nullptr;
    app->CreateForm(mainForm);
    mainForm->Show();
    auto* dlg = new TTestDlg(app.get(), nullptr, "Dlg");
    struct Seen
    {
        QWindow* parent = nullptr;
        Qt::WindowType type = Qt::Widget;
    };
    auto look = [](ui::TForm& f) {
        QWindow* w = f.Widget()->windowHandle();
        return w ? Seen{w->transientParent(), w->type()} : Seen{};
    };
    Seen dialog;
    Seen boxOverDialog;
    Seen boxOverMain;
    script.Answer(ui::mrOk, [&](ui::TForm& f) {
        dialog = look(f);
        ui::ShowMessage("TARN, ACC, INV, ...");
    });
    script.Answer(ui::mrOk, [&](ui::TForm& f) { boxOverDialog = look(f); });
    dlg->ShowModal();
    script.Answer(ui::mrOk, [&](ui::TForm& f) { boxOverMain = look(f); });
    ui::MessageBox("不可刪除!", "資訊");

    QWindow* mainWindow = mainForm->Widget()->windowHandle();
    EXPECT_EQ(dialog.parent, mainWindow);
    EXPECT_EQ(dialog.type, Qt::Dialog);
    EXPECT_EQ(boxOverDialog.parent, dlg->Widget()->windowHandle());
    EXPECT_EQ(boxOverDialog.type, Qt::Dialog);
    EXPECT_EQ(boxOverMain.parent, mainWindow);
    EXPECT_EQ(boxOverMain.type, Qt::Dialog);
    // The main window stays a window of its own; the dialog keeps its frame hints.
    EXPECT_EQ(mainWindow->type(), Qt::Window);
    EXPECT_EQ(mainWindow->transientParent(), nullptr);
    const Qt::WindowFlags flags = dlg->Widget()->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
}

TEST_F(FormTest, DialogFrameHasAFixedSizeAndNoMinimiseOrMaximiseBox)
{
    auto* dlg = new TTestDlg(app.get());
    const QWidget* w = dlg->Widget();
    EXPECT_EQ(w->minimumSize(), QSize(313, 130));
    EXPECT_EQ(w->maximumSize(), QSize(313, 130));
    EXPECT_FALSE(w->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(w->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(w->windowFlags() & Qt::WindowCloseButtonHint);
}

// The default frame: a line of the shadow colour round the whole button.
bool DrawnAsDefault(ui::TButton& button)
{
    const QImage image = button.Widget()->grab().toImage();
    const QColor shadow = button.Widget()->palette().shadow().color();
    const int w = image.width() - 1;
    const int h = image.height() - 1;
    for (const QPoint p : {QPoint(0, 0), QPoint(w / 2, 0), QPoint(0, h / 2), QPoint(w, h)})
        if (image.pixelColor(p) != shadow)
            return false;
    return true;
}

TEST_F(FormTest, TheDefaultFrameGoesToTheFocusedButtonElseToTheDefaultButton)
{
    auto* dlg = new TTestDlg(app.get());
    struct Step
    {
        std::string focus;
        bool okFramed;
        bool cancelFramed;
    };
    std::vector<Step> seen;
    script.Answer(ui::mrOk, [&](ui::TForm& f) {
        ui::FocusWindow(f);
        for (ui::TWinControl* focus :
             {static_cast<ui::TWinControl*>(dlg->NewDir), static_cast<ui::TWinControl*>(dlg->CancelBtn),
              static_cast<ui::TWinControl*>(dlg->OKBtn), static_cast<ui::TWinControl*>(dlg->NewDir)}) {
            focus->SetFocus();
            seen.push_back({focus->Name(), DrawnAsDefault(*dlg->OKBtn), DrawnAsDefault(*dlg->CancelBtn)});
        }
    });
    dlg->ShowModal();
    const std::vector<std::pair<bool, bool>> expected{
        {true, false}, {false, true}, {true, false}, {true, false}};
    ASSERT_EQ(seen.size(), expected.size());
    for (std::size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].okFramed, expected[i].first) << "focus on " << seen[i].focus;
        EXPECT_EQ(seen[i].cancelFramed, expected[i].second) << "focus on " << seen[i].focus;
    }
}

TEST_F(FormTest, AClickOnTheBareBackgroundReachesTheFormNotOnAControl)
{
    auto* dlg = new TTestDlg(app.get());
    int clicks = 0;
    dlg->OnClick = [&](ui::TObject*) { ++clicks; };
    dlg->Show();
    ui::ClickAt(*dlg, 30, 110); // beside the buttons
    ui::ClickAt(*dlg, 15, 15);  // the frame
    ui::ClickAt(*dlg, 100, 30); // the prompt
    EXPECT_EQ(clicks, 1);
}

} // namespace
