#include "UiTestSupport.h"
#include "ui/Dialogs.h"

#include <QFont>
#include <QFontMetrics>
#include <QPushButton>
#include <QWidget>
#include <algorithm>
#include <cstdlib>

namespace {

using MessageWindowsTest = UiTest;
using ui::Key;

// Stands for "the window stayed open": the script closes it with this.
constexpr int kStillOpen = 99;

struct Outcome
{
    ui::ShownWindow shown;
    int enter;
    int escape;
    int closeBox;
};

// Shows the window three times: answered by Enter, by Escape and by the close box.
Outcome Answer(ui::ModalScript& script, const std::function<int()>& show)
{
    Outcome outcome;
    script.Answer(kStillOpen, [](ui::TForm& f) { ui::PressKey(f, Key::Enter); });
    outcome.enter = show();
    script.Answer(kStillOpen, [](ui::TForm& f) { ui::PressKey(f, Key::Escape); });
    outcome.escape = show();
    script.Answer(kStillOpen, [](ui::TForm& f) { ui::ClickCloseBox(f); });
    outcome.closeBox = show();
    outcome.shown = script.Shown().back();
    return outcome;
}

TEST_F(MessageWindowsTest, MessageDialogButtonsDefaultEscapeAndCloseBox)
{
    using V = std::vector<std::string>;
    const struct
    {
        ui::TMsgDlgType type;
        ui::TMsgDlgButtons buttons;
        const char* caption;
        V captions;
        const char* defaultButton;
        int enter;
        int escape;
        int closeBox;
    } cases[] = {
        {ui::mtError, ui::mbOK, "Error", V{"OK"}, "OK", ui::mrOk, ui::mrOk, ui::mrCancel},
        {ui::mtConfirmation, ui::mbYes | ui::mbNo, "Confirm", V{"&Yes", "&No"}, "&Yes", ui::mrYes, ui::mrNo,
         ui::mrCancel},
        {ui::mtConfirmation, ui::mbYes | ui::mbNo | ui::mbAll, "Confirm", V{"&Yes", "&No", "&All"}, "&Yes",
         ui::mrYes, ui::mrNo, ui::mrCancel},
        {ui::mtError, ui::mbAbortRetryIgnore, "Error", V{"&Abort", "&Retry", "&Ignore"}, "&Retry",
         ui::mrRetry, kStillOpen, ui::mrCancel},
        {ui::mtWarning, ui::mbOK | ui::mbYes | ui::mbIgnore, "Warning", V{"OK", "&Yes", "&Ignore"}, "OK",
         ui::mrOk, ui::mrOk, ui::mrCancel},
        // No default button: Enter presses the focused first button.
        {ui::mtInformation, ui::mbAbort | ui::mbIgnore, "Information", V{"&Abort", "&Ignore"}, "",
         ui::mrAbort, kStillOpen, ui::mrCancel},
        {ui::mtCustom, ui::mbOK, "Restore", V{"OK"}, "OK", ui::mrOk, ui::mrOk, ui::mrCancel},
    };
    for (const auto& c : cases) {
        const Outcome o =
            Answer(script, [&] { return ui::MessageDlg("讀取檔案錯誤! \r\nA.DB", c.type, c.buttons); });
        const std::string which = std::string(c.caption) + " " + std::to_string(c.buttons);
        EXPECT_EQ(o.shown.kind, ui::ModalKind::MessageDialog) << which;
        EXPECT_EQ(o.shown.caption, c.caption) << which;
        EXPECT_EQ(o.shown.text, "讀取檔案錯誤! \r\nA.DB") << which;
        EXPECT_EQ(o.shown.buttons, c.captions) << which;
        EXPECT_EQ(o.shown.defaultButton, c.defaultButton) << which;
        EXPECT_EQ(o.enter, c.enter) << which;
        EXPECT_EQ(o.escape, c.escape) << which;
        EXPECT_EQ(o.closeBox, c.closeBox) << which;
    }
}

TEST_F(MessageWindowsTest, SystemMessageBoxAYesNoBoxClosesOnlyThroughItsButtons)
{
    const Outcome ok = Answer(script, [] { return ui::MessageBox("檔案還原完畢!", "資訊", ui::MB_OK); });
    EXPECT_EQ(ok.shown.kind, ui::ModalKind::SystemBox);
    EXPECT_EQ(ok.shown.caption, "資訊");
    EXPECT_EQ(ok.shown.buttons, (std::vector<std::string>{"OK"}));
    EXPECT_EQ(ok.enter, ui::IDOK);
    EXPECT_EQ(ok.escape, ui::IDOK);
    EXPECT_EQ(ok.closeBox, ui::IDOK);

    const Outcome yesNo = Answer(
        script, [] { return ui::MessageBox("是否確定還原 ?", "確定時請按「是」按鈕!", ui::MB_YESNO); });
    EXPECT_EQ(yesNo.shown.buttons, (std::vector<std::string>{"&Yes", "&No"}));
    EXPECT_EQ(yesNo.shown.defaultButton, "&Yes");
    EXPECT_EQ(yesNo.enter, ui::IDYES);
    EXPECT_EQ(yesNo.escape, kStillOpen);
    EXPECT_EQ(yesNo.closeBox, kStillOpen);

    script.Answer(kStillOpen, [](ui::TForm& f) { ui::ClickButton(f, "&No"); });
    EXPECT_EQ(ui::MessageBox("是否確定還原 ?", "確定時請按「是」按鈕!", ui::MB_YESNO), ui::IDNO);
}

TEST_F(MessageWindowsTest, PlainMessageWindowIsCaptionedWithTheApplicationTitle)
{
    const Outcome o = Answer(script, [] {
        ui::ShowMessage("不可刪除!");
        return 0;
    });
    EXPECT_EQ(o.shown.kind, ui::ModalKind::PlainMessage);
    EXPECT_EQ(o.shown.caption, "Restore");
    EXPECT_EQ(o.shown.text, "不可刪除!");
    EXPECT_EQ(o.shown.buttons, (std::vector<std::string>{"OK"}));
    for (std::size_t i = script.Shown().size() - 3; i < script.Shown().size(); ++i)
        EXPECT_NE(script.Shown()[i].result, kStillOpen) << "closed by the " << i << "th answer";
}

TEST_F(MessageWindowsTest, BeepsAndWindowsAreRecordedInOrder)
{
    script.Answer(ui::IDOK);
    ui::Beep();
    ui::MessageBox("本程式無法單獨使用!!", "資訊");
    ASSERT_EQ(script.Shown().size(), 2u);
    EXPECT_EQ(script.Shown()[0].kind, ui::ModalKind::Beep);
    EXPECT_EQ(script.Shown()[1].text, "本程式無法單獨使用!!");
}

TEST_F(MessageWindowsTest, PasswordDialogGivesTheTypedPasswordOnOK)
{
    std::string password;
    script.Answer(ui::mrOk, [](ui::TForm& f) {
        ui::TypeText(f, "s3cret");
        ui::PressKey(f, Key::Enter);
    });
    EXPECT_TRUE(ui::PasswordDialog("param.db", password));
    EXPECT_EQ(password, "s3cret");
    EXPECT_EQ(script.Shown().back().kind, ui::ModalKind::Password);
    EXPECT_EQ(script.Shown().back().text, "param.db");

    script.Answer(ui::mrOk, [](ui::TForm& f) { ui::PressKey(f, Key::Escape); });
    EXPECT_FALSE(ui::PasswordDialog("param.db", password));
}

// A short text under a caption: the box is wide enough for the caption and
// the title bar's buttons (openbox needs about 130 px for "資訊"), and its
// button stays in the middle.
TEST_F(MessageWindowsTest, ABoxIsWideEnoughForItsCaptionAndTitleBarButtons)
{
    const std::string longCaption = "鷺沅資訊檔案還原程式系統 - V3.05 版 - 還原";
    const struct
    {
        std::function<void()> show;
        std::string caption;
        int atLeast;
    } cases[] = {
        {[] { ui::MessageBox("不可刪除!", "資訊"); }, "資訊", 130},
        {[] { ui::ShowMessage("不可刪除!"); }, "ReStore", 130},
        {[&] { ui::MessageBox("OK?", longCaption); }, longCaption, 0},
        {[&] { ui::MessageBox("OK?", longCaption, ui::MB_YESNO); }, longCaption, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        int width = 0;
        int captionWidth = 0;
        int buttonsLeft = 0;
        int buttonsRight = 0;
        script.Answer(ui::mrOk, [&](ui::TForm& f) {
            width = f.ClientWidth();
            QFont title = f.Widget()->font();
            title.setBold(true);
            captionWidth = QFontMetrics(title).horizontalAdvance(QString::fromStdString(c.caption));
            buttonsLeft = width;
            for (QPushButton* b : f.Widget()->findChildren<QPushButton*>()) {
                buttonsLeft = std::min(buttonsLeft, b->x());
                buttonsRight = std::max(buttonsRight, b->x() + b->width());
            }
        });
        c.show();
        EXPECT_GE(width, c.atLeast);
        // The caption and at least three title-bar buttons of the classic size.
        EXPECT_GE(width, captionWidth + 3 * 18);
        EXPECT_LE(std::abs(buttonsLeft - (width - buttonsRight)), 1);
    }
}

TEST(ModalScriptTest, AWindowWithoutAnAnswerIsReportedByItsText)
{
    ui::TApplication app("/x/backup");
    ui::ModalScript script;
    EXPECT_EQ(ui::MessageBox("找不到「來源資料夾」路徑設定參數!", "資訊"), ui::mrCancel);
    ASSERT_EQ(script.Unexpected().size(), 1u);
    EXPECT_NE(script.Unexpected()[0].find("找不到「來源資料夾」路徑設定參數!"), std::string::npos);
}

} // namespace
