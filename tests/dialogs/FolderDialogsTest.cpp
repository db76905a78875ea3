// The folder dialogs on real widgets: modal results, the name boxes, the
// combo box mirroring and the background click.
#include "dialogs/CreateNewDirs.h"
#include "dialogs/DeleteOldDirs.h"
#include "ui/Application.h"
#include "ui/ModalScript.h"
#include "ui/Screen.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPoint>
#include <QRect>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// The scripted result for a dialog that an action left open.
constexpr int kLeftOpen = 99;

ui::TControl& Control(ui::TForm& form, const std::string& name)
{
    auto* control = dynamic_cast<ui::TControl*>(form.FindComponent(name));
    if (!control)
        throw std::logic_error("no control " + name);
    return *control;
}

// A key the user presses in the control that has the focus (the scripted keys
// have no Backspace).
void PressBackspace(ui::TForm& window)
{
    QWidget* focused = window.Widget()->focusWidget();
    ASSERT_NE(focused, nullptr);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Backspace, Qt::NoModifier);
    QApplication::sendEvent(focused, &press);
    QApplication::sendEvent(focused, &release);
}

class FolderDialogs : public ::testing::Test
{
protected:
    FolderDialogs()
    {
        CreateNewDirDlg = new TCreateNewDirDlg(&application);
        DeleteOldDirDlg = new TDeleteOldDirDlg(&application);
    }
    ~FolderDialogs() override
    {
        application.DestroyForms();
        CreateNewDirDlg = nullptr;
        DeleteOldDirDlg = nullptr;
    }

    // Both dialogs with the name of their name box.
    std::vector<std::pair<ui::TForm*, std::string>> Dialogs() const
    {
        return {{CreateNewDirDlg, "NewDir"}, {DeleteOldDirDlg, "OldDir"}};
    }

    std::vector<const ui::ShownWindow*> Shown(ui::ModalKind kind) const
    {
        std::vector<const ui::ShownWindow*> found;
        for (const ui::ShownWindow& shown : script.Shown())
            if (shown.kind == kind)
                found.push_back(&shown);
        return found;
    }

    ui::TApplication application{"/opt/tarn/RESTORE.EXE"};
    ui::ModalScript script;
};

TEST_F(FolderDialogs, ModalResultsByEveryWay)
{
    struct Way
    {
        const char* name;
        std::function<void(ui::TForm&)> act;
        int result;
    };
    const std::vector<Way> ways{
        {"OK button", [](ui::TForm& f) { ui::ClickControl(Control(f, "OKBtn")); }, ui::mrOk},
        {"Enter in the name box", [](ui::TForm& f) { ui::PressKey(f, ui::Key::Enter); }, ui::mrOk},
        {"Enter on the OK button",
         [](ui::TForm& f) {
             Control(f, "OKBtn").SetFocus();
             ui::PressKey(f, ui::Key::Enter);
         },
         ui::mrOk},
        {"Cancel button", [](ui::TForm& f) { ui::ClickControl(Control(f, "CancelBtn")); }, ui::mrCancel},
        {"Escape", [](ui::TForm& f) { ui::PressKey(f, ui::Key::Escape); }, ui::mrCancel},
        {"close box", [](ui::TForm& f) { ui::ClickCloseBox(f); }, ui::mrCancel},
        {"Enter on the Cancel button",
         [](ui::TForm& f) {
             Control(f, "CancelBtn").SetFocus();
             ui::PressKey(f, ui::Key::Enter);
         },
         ui::mrCancel},
        {"Shift+Enter", [](ui::TForm& f) { ui::PressKey(f, ui::Key::Enter, ui::ShiftHeld); }, kLeftOpen},
        {"Ctrl+Enter", [](ui::TForm& f) { ui::PressKey(f, ui::Key::Enter, ui::CtrlHeld); }, kLeftOpen},
        {"Alt+Escape", [](ui::TForm& f) { ui::PressKey(f, ui::Key::Escape, ui::AltHeld); }, kLeftOpen},
        {"Shift+Escape", [](ui::TForm& f) { ui::PressKey(f, ui::Key::Escape, ui::ShiftHeld); }, kLeftOpen},
    };
    for (const auto& [dialog, nameBox] : Dialogs()) {
        for (const Way& way : ways) {
            SCOPED_TRACE(dialog->Name() + ": " + way.name);
            script.Answer(kLeftOpen, [&](ui::TForm& f) {
                // The focus returns to where the last showing left it.
                Control(f, nameBox).SetFocus();
                ui::TypeText(f, "typed");
                way.act(f);
            });
            EXPECT_EQ(dialog->ShowModal(), way.result);
            EXPECT_FALSE(dialog->Visible());
            // Whatever closed it, the name stays for the caller to read.
            EXPECT_EQ(Control(*dialog, nameBox).Text(), "typed");
        }
    }
    EXPECT_TRUE(script.Unexpected().empty());
}

TEST_F(FolderDialogs, EveryShowingStartsWithAnEmptyNameBox)
{
    for (const auto& [dialog, nameBox] : Dialogs()) {
        SCOPED_TRACE(dialog->Name());
        ui::TControl& box = Control(*dialog, nameBox);
        box.SetText("set before showing");
        std::vector<std::string> atOpening;
        for (int result : {ui::mrOk, ui::mrCancel, ui::mrOk}) {
            script.Answer(result, [&](ui::TForm& f) {
                atOpening.push_back(box.Text());
                // The name box has the focus when the dialog is first shown.
                if (atOpening.size() == 1) {
                    EXPECT_TRUE(box.Focused());
                }
                box.SetFocus();
                ui::TypeText(f, "name " + std::to_string(atOpening.size()));
            });
            EXPECT_EQ(dialog->ShowModal(), result);
            EXPECT_EQ(box.Text(), "name " + std::to_string(atOpening.size()));
        }
        EXPECT_EQ(atOpening, (std::vector<std::string>{"", "", ""}));
    }
}

TEST_F(FolderDialogs, NamesComeBackAsTyped)
{
    const std::vector<std::string> names{"", "   ", "  sub  ", "a\\b", "C:x", "子資料夾 ", "x\\..\\:*?"};
    for (const auto& [dialog, nameBox] : Dialogs()) {
        for (const std::string& name : names) {
            SCOPED_TRACE(dialog->Name() + ": [" + name + "]");
            script.Answer(kLeftOpen, [&](ui::TForm& f) {
                ui::TypeText(f, name);
                ui::PressKey(f, ui::Key::Enter);
            });
            EXPECT_EQ(dialog->ShowModal(), ui::mrOk);
            EXPECT_EQ(Control(*dialog, nameBox).Text(), name);
        }
    }
}

TEST_F(FolderDialogs, NamedAsTheirInstances)
{
    EXPECT_EQ(CreateNewDirDlg->Name(), "CreateNewDirDlg");
    EXPECT_EQ(DeleteOldDirDlg->Name(), "DeleteOldDirDlg");
}

TEST_F(FolderDialogs, TabOrder)
{
    const std::vector<std::pair<ui::TForm*, std::vector<std::string>>> orders{
        {CreateNewDirDlg, {"NewDir", "OKBtn", "CancelBtn", "NewDir"}},
        {DeleteOldDirDlg, {"OldDir", "OKBtn", "CancelBtn", "ComboBox1", "OldDir"}},
    };
    for (const auto& [dialog, order] : orders) {
        SCOPED_TRACE(dialog->Name());
        std::vector<std::string> focused;
        script.Answer(ui::mrCancel, [&](ui::TForm& f) {
            for (std::size_t i = 0; i < order.size(); ++i) {
                for (const std::string& name : order)
                    if (Control(f, name).Focused()) {
                        focused.push_back(name);
                        break;
                    }
                ui::PressKey(f, ui::Key::Tab);
            }
        });
        dialog->ShowModal();
        EXPECT_EQ(focused, order);
    }
}

TEST_F(FolderDialogs, FirstShowingIsCentredThenTheLastPlaceIsKept)
{
    for (const auto& [dialog, nameBox] : Dialogs()) {
        SCOPED_TRACE(dialog->Name());
        // The whole window, frame included, is centred; then the user moves it.
        script.Answer(ui::mrOk, [&](ui::TForm& f) {
            const QRect frame = f.Widget()->frameGeometry();
            EXPECT_EQ(frame.left(), std::max(0, (ui::Screen->Width() - frame.width()) / 2));
            EXPECT_EQ(frame.top(), std::max(0, (ui::Screen->Height() - frame.height()) / 2));
            f.Widget()->move(40, 30);
        });
        script.Answer(ui::mrOk, [&](ui::TForm& f) { EXPECT_EQ(f.Widget()->pos(), QPoint(40, 30)); });
        dialog->ShowModal();
        dialog->ShowModal();
    }
}

TEST_F(FolderDialogs, BackgroundClickShowsTheSuiteMessageAndChangesNothing)
{
    struct Point
    {
        const char* where;
        int x, y;
        bool message;
    };
    // Frame 10..307 x 12..89, label 91,26 (about 139 x 17), name box 20..293 x 52..76,
    // buttons 71..146 and 167..242 x 98..122.
    const std::vector<Point> points{
        {"above the frame", 150, 5, true},
        {"below the frame, left of OK", 30, 110, true},
        {"between the buttons", 156, 110, true},
        {"right of Cancel", 280, 110, true},
        {"left of the frame", 4, 50, true},
        {"inside the frame, above the name box", 40, 40, false},
        {"on the prompt", 150, 33, false},
        {"inside the frame, right of the name box", 300, 64, false},
        {"inside the frame, below the name box", 150, 83, false},
    };
    for (const Point& point : points) {
        SCOPED_TRACE(point.where);
        const std::size_t messagesBefore = Shown(ui::ModalKind::PlainMessage).size();
        bool stillOpen = false;
        script.Answer(kLeftOpen, [&](ui::TForm& f) {
            ui::TypeText(f, "half typed");
            if (point.message)
                script.Answer(ui::mrOk);
            ui::ClickAt(f, point.x, point.y);
            stillOpen = f.Visible() && f.ModalResult() == ui::mrNone;
        });
        EXPECT_EQ(CreateNewDirDlg->ShowModal(), kLeftOpen);
        EXPECT_TRUE(stillOpen);
        EXPECT_EQ(CreateNewDirDlg->NewDir->Text(), "half typed");
        const auto messages = Shown(ui::ModalKind::PlainMessage);
        ASSERT_EQ(messages.size(), messagesBefore + (point.message ? 1 : 0));
        if (point.message) {
            EXPECT_EQ(messages.back()->text, SuiteMessage);
            EXPECT_EQ(messages.back()->caption, "Restore");
        }
    }
    EXPECT_TRUE(script.Unexpected().empty());
}

TEST_F(FolderDialogs, SuiteMessageIsOneLineOfSixNamesAndTheTitle)
{
    const std::string message = SuiteMessage;
    EXPECT_EQ(message.find_first_of("\r\n"), std::string::npos);
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t comma; (comma = message.find(',', start)) != std::string::npos; start = comma + 1)
        parts.push_back(message.substr(start, comma - start));
    ASSERT_EQ(parts.size(), 6u);
    for (const std::string& name : parts) {
        EXPECT_FALSE(name.empty());
        for (unsigned char c : name)
            EXPECT_TRUE(std::isalpha(c)) << name;
    }
    const std::string title = message.substr(start);
    EXPECT_FALSE(title.empty());
    for (unsigned char c : title)
        EXPECT_GE(c, 0x80) << "the title is Chinese";
}

TEST_F(FolderDialogs, DeleteDialogBackgroundClickShowsNothing)
{
    script.Answer(kLeftOpen, [&](ui::TForm& f) {
        ui::ClickAt(f, 5, 60);
        ui::ClickAt(f, 300, 170);
        ui::ClickAt(f, 30, 90);
    });
    EXPECT_EQ(DeleteOldDirDlg->ShowModal(), kLeftOpen);
    EXPECT_EQ(script.Shown().size(), 1u);
    EXPECT_TRUE(script.Unexpected().empty());
}

// As the transfer window fills it: the registered names, the first as text.
void FillCombo(TDeleteOldDirDlg& dialog, const std::vector<std::string>& names)
{
    dialog.ComboBox1->Items().Clear();
    for (const std::string& name : names)
        dialog.ComboBox1->Items().Add(name);
    dialog.ComboBox1->SetText(names.empty() ? "" : names.front());
}

TEST_F(FolderDialogs, DeleteDialogOpensWithTheCallersComboAndAnEmptyName)
{
    TDeleteOldDirDlg& dialog = *DeleteOldDirDlg;
    const std::vector<std::string> names{"SUB1", "SUB2", "SUB3"};
    dialog.OldDir->SetText("from the last time");
    FillCombo(dialog, names);
    script.Answer(kLeftOpen, [&](ui::TForm& f) {
        EXPECT_EQ(dialog.OldDir->Text(), "");
        EXPECT_EQ(dialog.ComboBox1->Text(), "SUB1");
        ui::PressKey(f, ui::Key::Enter);
    });
    EXPECT_EQ(dialog.ShowModal(), ui::mrOk);
    EXPECT_EQ(dialog.OldDir->Text(), "");
    EXPECT_EQ(dialog.ComboBox1->Items().ToVector(), names);
    EXPECT_EQ(dialog.ComboBox1->Text(), "SUB1");
}

TEST_F(FolderDialogs, ChoosingAnEntryReplacesTheName)
{
    TDeleteOldDirDlg& dialog = *DeleteOldDirDlg;
    const std::vector<std::string> names{"SUB1", "SUB2", "SUB3"};
    FillCombo(dialog, names);
    std::string chosen;
    script.Answer(kLeftOpen, [&](ui::TForm& f) {
        dialog.ComboBox1->SetFocus();
        ui::PressKey(f, ui::Key::Down);
        ui::PressKey(f, ui::Key::Down);
        const std::string first = dialog.ComboBox1->Text();
        EXPECT_NE(first, "SUB1");
        EXPECT_EQ(dialog.OldDir->Text(), first);

        // Typing into the name box edits the chosen text; the combo box does not follow.
        dialog.OldDir->SetFocus();
        ui::TypeText(f, "x");
        EXPECT_EQ(dialog.OldDir->Text(), first + "x");
        EXPECT_EQ(dialog.ComboBox1->Text(), first);

        // A later choice replaces the edited text.
        dialog.ComboBox1->SetFocus();
        ui::PressKey(f, ui::Key::Up);
        chosen = dialog.ComboBox1->Text();
        EXPECT_NE(chosen, first);
        EXPECT_EQ(dialog.OldDir->Text(), chosen);
        ui::PressKey(f, ui::Key::Enter);
    });
    EXPECT_EQ(dialog.ShowModal(), ui::mrOk);
    EXPECT_EQ(dialog.OldDir->Text(), chosen);
    EXPECT_NE(std::find(names.begin(), names.end(), chosen), names.end());
}

// Leaving the combo box is no choice: the caller's text matches an entry,
// and moving on by Tab or by a click (the focus moves) must not copy it into the name box.
TEST_F(FolderDialogs, LeavingTheComboUnchangedLeavesTheName)
{
    TDeleteOldDirDlg& dialog = *DeleteOldDirDlg;
    for (const bool byTab : {true, false}) {
        SCOPED_TRACE(byTab ? "Tab" : "focus moved");
        FillCombo(dialog, {"2026", "2025"});
        std::string afterLeaving;
        script.Answer(kLeftOpen, [&](ui::TForm& f) {
            ui::FocusWindow(f);
            dialog.ComboBox1->SetFocus();
            ASSERT_TRUE(dialog.ComboBox1->Focused());
            if (byTab)
                ui::PressKey(f, ui::Key::Tab);
            else
                dialog.OldDir->SetFocus();
            ASSERT_TRUE(dialog.OldDir->Focused());
            afterLeaving = dialog.OldDir->Text();
            ui::TypeText(f, "FULL");
            ui::PressKey(f, ui::Key::Enter);
        });
        EXPECT_EQ(dialog.ShowModal(), ui::mrOk);
        EXPECT_EQ(afterLeaving, "");
        EXPECT_EQ(dialog.OldDir->Text(), "FULL");
    }
}

TEST_F(FolderDialogs, EditsOfTheComboTextAreMirroredKeystrokeByKeystroke)
{
    TDeleteOldDirDlg& dialog = *DeleteOldDirDlg;
    FillCombo(dialog, {}); // no registered subfolders
    std::vector<std::string> mirrored;
    script.Answer(kLeftOpen, [&](ui::TForm& f) {
        dialog.ComboBox1->SetFocus();
        for (const char* c : {"n", "e", "w"}) {
            ui::TypeText(f, c);
            mirrored.push_back(dialog.OldDir->Text());
        }
        for (int i = 0; i < 3; ++i) {
            PressBackspace(f);
            mirrored.push_back(dialog.OldDir->Text());
        }
        ui::TypeText(f, " 新 ");
        mirrored.push_back(dialog.OldDir->Text());
        ui::PressKey(f, ui::Key::Enter);
    });
    EXPECT_EQ(dialog.ShowModal(), ui::mrOk);
    EXPECT_EQ(mirrored, (std::vector<std::string>{"n", "ne", "new", "ne", "n", "", " 新 "}));
    EXPECT_EQ(dialog.OldDir->Text(), " 新 ");
}

TEST_F(FolderDialogs, AnUnlistedNameTypedIntoTheNameBoxComesBack)
{
    TDeleteOldDirDlg& dialog = *DeleteOldDirDlg;
    FillCombo(dialog, {"SUB1"});
    script.Answer(kLeftOpen, [&](ui::TForm& f) {
        ui::TypeText(f, "OTHER ");
        ui::PressKey(f, ui::Key::Enter);
    });
    EXPECT_EQ(dialog.ShowModal(), ui::mrOk);
    EXPECT_EQ(dialog.OldDir->Text(), "OTHER ");
    EXPECT_EQ(dialog.ComboBox1->Text(), "SUB1");
}

TEST_F(FolderDialogs, EnterOrEscapeWithTheListDroppedOnlyCloseTheList)
{
    TDeleteOldDirDlg& dialog = *DeleteOldDirDlg;
    for (const auto& [key, result] :
         {std::pair{ui::Key::Enter, ui::mrOk}, std::pair{ui::Key::Escape, ui::mrCancel}}) {
        SCOPED_TRACE(key == ui::Key::Enter ? "Enter" : "Escape");
        FillCombo(dialog, {"SUB1", "SUB2"});
        bool openAfterFirstKey = false;
        bool listClosed = false;
        script.Answer(kLeftOpen, [&](ui::TForm& f) {
            dialog.ComboBox1->SetFocus();
            dialog.ComboBox1->SetDroppedDown(true);
            ASSERT_TRUE(dialog.ComboBox1->DroppedDown());
            ui::PressKey(f, key);
            openAfterFirstKey = f.Visible() && f.ModalResult() == ui::mrNone;
            listClosed = !dialog.ComboBox1->DroppedDown();
            ui::PressKey(f, key);
        });
        EXPECT_EQ(dialog.ShowModal(), result);
        EXPECT_TRUE(openAfterFirstKey);
        EXPECT_TRUE(listClosed);
    }
    EXPECT_TRUE(script.Unexpected().empty());
}

} // namespace
