#include "UiTestSupport.h"
#include "ui/Dialogs.h"

#include <QTimer>
#include <QWidget>

namespace {

// The main form shown by the message loop, with a dialog and a second
// non-modal window of the program beside it.
class ActivationTest : public UiTest
{
protected:
    ActivationTest()
    {
        app->CreateForm(main, nullptr, "Main");
        app->CreateForm(dialog, nullptr, "Dialog");
        other = new TTestDlg(app.get(), nullptr, "Other");
    }

    // Runs the message loop; the steps run inside it, then the main form closes.
    void RunWith(const std::function<void()>& steps)
    {
        QTimer::singleShot(0, [&] {
            ui::ProcessMessages();
            steps();
            ui::ProcessMessages();
            main->Close();
        });
        app->Run();
    }

    TTestDlg* main = nullptr;
    TTestDlg* dialog = nullptr;
    TTestDlg* other = nullptr;
};

TEST_F(ActivationTest, RunsOnTheFirstFocusAfterStartUp)
{
    int atLoopStart = -1;
    RunWith([&] { atLoopStart = main->activations; });
    EXPECT_EQ(atLoopStart, 1);
    EXPECT_EQ(main->activations, 1);
}

TEST_F(ActivationTest, NotAgainWhenAModalDialogCloses)
{
    script.Answer(ui::mrOk);
    script.Answer(ui::mrCancel);
    RunWith([&] {
        EXPECT_EQ(dialog->ShowModal(), ui::mrOk);
        ui::ProcessMessages();
        ui::FocusWindow(*main);
        EXPECT_EQ(dialog->ShowModal(), ui::mrCancel);
        ui::ProcessMessages();
        ui::FocusWindow(*main);
    });
    EXPECT_EQ(main->activations, 1);
    EXPECT_EQ(dialog->activations, 2);
}

TEST_F(ActivationTest, AClosedModalDialogHandsTheFocusBackWithoutActivation)
{
    // No window manager (Xvfb, a bare X server) returns the focus by itself.
    script.Answer(ui::mrOk);
    bool mainFocused = false;
    RunWith([&] {
        dialog->ShowModal();
        ui::ProcessMessages();
        mainFocused = main->Active() && main->Widget()->isActiveWindow();
    });
    EXPECT_TRUE(mainFocused);
    EXPECT_EQ(main->activations, 1);
}

TEST_F(ActivationTest, NotAgainWhenAMessageBoxCloses)
{
    script.Answer(ui::IDOK);
    script.Answer(ui::mrYes);
    script.Answer(ui::mrOk);
    RunWith([&] {
        ui::MessageBox("找不到網路磁碟機上之檔案，請確定路徑是否正確！", "資訊");
        ui::FocusWindow(*main);
        ui::MessageDlg("檔案 a.db 已存在! \r\n是否覆蓋 ?", ui::mtConfirmation,
                       ui::mbYes | ui::mbNo | ui::mbAll);
        ui::FocusWindow(*main);
        ui::ShowMessage("不可刪除!");
        ui::ProcessMessages();
        ui::FocusWindow(*main);
    });
    EXPECT_EQ(main->activations, 1);
}

TEST_F(ActivationTest, AgainWhenTheFocusComesBackFromAnotherWindowOfTheProgram)
{
    RunWith([&] {
        other->Show();
        ui::ProcessMessages();
        ui::FocusWindow(*main);
        ui::FocusWindow(*other);
        ui::FocusWindow(*main);
    });
    EXPECT_EQ(main->activations, 3);
    EXPECT_EQ(other->activations, 2);
}

TEST_F(ActivationTest, NotAgainWhenTheUserSwitchesToAnotherApplicationAndBack)
{
    RunWith([&] {
        ui::SwitchToOtherApplication();
        ui::ProcessMessages();
        ui::SwitchBackTo(*main);
        ui::SwitchToOtherApplication();
        ui::SwitchBackTo(*main);
    });
    EXPECT_EQ(main->activations, 1);
}

TEST_F(ActivationTest, MinimisedStartActivatesWhenTheUserFirstFocusesTheWindow)
{
    int beforeFocus = -1;
    QTimer::singleShot(0, [&] {
        ui::ProcessMessages();
        beforeFocus = main->activations;
        main->Widget()->showNormal();
        ui::FocusWindow(*main);
        main->Close();
    });
    app->Run(ui::SW_SHOWMINNOACTIVE);
    EXPECT_EQ(beforeFocus, 0);
    EXPECT_EQ(main->activations, 1);
}

} // namespace
