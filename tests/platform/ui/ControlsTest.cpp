#include "UiTestSupport.h"
#include "ui/BitBtn.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/Image.h"
#include "ui/ProgressBar.h"
#include "ui/QtSupport.h"
#include "ui/RadioGroup.h"
#include "ui/Screen.h"
#include "ui/ScrollBox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QFontInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTextLayout>
#include <QWidget>

namespace {

// A plain window to put controls on.
class ControlsTest : public UiTest
{
protected:
    ControlsTest() : form(new ui::TForm(app.get()))
    {
        form->SetClientWidth(400);
        form->SetClientHeight(300);
        form->Show();
    }

    template <class T>
    T* Make(int left = 10, int top = 10, int width = 80, int height = 20, ui::TWinControl* parent = nullptr)
    {
        auto* c = new T(form);
        c->SetParent(parent ? parent : form);
        c->SetBounds(left, top, width, height);
        return c;
    }

    ui::TForm* form;
};

TEST_F(ControlsTest, CheckBoxClickRunsOnEveryChangeOfStateAndOnlyThen)
{
    auto* box = Make<ui::TCheckBox>();
    box->SetCaption("所有檔案");
    std::vector<bool> seen;
    box->OnClick = [&](ui::TObject*) { seen.push_back(box->Checked()); };
    box->SetChecked(true);  // by code
    box->SetChecked(true);  // the state it has: nothing
    ui::ClickControl(*box); // by the user
    ui::ClickControl(*box);
    box->SetChecked(true);
    box->SetChecked(false);
    EXPECT_EQ(seen, (std::vector<bool>{true, false, true, false}));
    EXPECT_FALSE(box->Checked());
}

TEST_F(ControlsTest, ControlsInADisabledContainerTakeNoInputButStayUngreyed)
{
    auto* scroll = Make<ui::TScrollBox>(10, 10, 90, 217);
    auto* box = Make<ui::TCheckBox>(4, 4, 50, 17, scroll);
    box->SetChecked(true);
    int clicks = 0;
    box->OnClick = [&](ui::TObject*) { ++clicks; };
    scroll->SetEnabled(false);
    ui::ClickControl(*box);
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(box->Checked());
    EXPECT_TRUE(box->Widget()->isEnabled());
    EXPECT_EQ(box->Widget()->focusPolicy(), Qt::NoFocus);

    auto* disabled = Make<ui::TCheckBox>(200, 10);
    disabled->SetEnabled(false);
    disabled->OnClick = [&](ui::TObject*) { ++clicks; };
    ui::ClickControl(*disabled);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(disabled->Widget()->isEnabled());
}

TEST_F(ControlsTest, ScrollBoxHoldsControlsCreatedAtRunTimeAndScrollsThemIntoView)
{
    auto* scroll = Make<ui::TScrollBox>(10, 10, 90, 100);
    std::vector<ui::TCheckBox*> boxes;
    for (int i = 0; i < 12; ++i) {
        auto* box = new ui::TCheckBox(scroll);
        box->SetParent(scroll);
        box->SetBounds(4, 4 + 17 * i, 50, 17);
        boxes.push_back(box);
    }
    EXPECT_EQ(scroll->ControlCount(), 12);
    scroll->ScrollInView(boxes.back());
    ui::ProcessMessages();
    const QPoint inViewport = boxes.back()->Widget()->mapTo(scroll->Widget(), QPoint(0, 0));
    EXPECT_GT(inViewport.y(), 0);
    EXPECT_LT(inViewport.y() + 17, 100);
    while (scroll->ControlCount() > 0)
        scroll->Controls(0)->Free();
    EXPECT_EQ(scroll->ComponentCount(), 0);
}

TEST_F(ControlsTest, ScrollBoxHiddenWhileFilledScrollsOnceShownAgain)
{
    // The extension boxes are rebuilt with their scroll box hidden.
    auto* scroll = Make<ui::TScrollBox>(10, 10, 90, 100);
    ui::ProcessMessages();
    scroll->Hide();
    std::vector<ui::TCheckBox*> boxes;
    for (int i = 0; i < 12; ++i) {
        auto* box = new ui::TCheckBox(scroll);
        box->SetParent(scroll);
        box->SetBounds(4, 4 + 17 * i, 50, 17);
        boxes.push_back(box);
    }
    scroll->ScrollInView(boxes.back());
    scroll->Show();
    ui::ProcessMessages();
    const QPoint inViewport = boxes.back()->Widget()->mapTo(scroll->Widget(), QPoint(0, 0));
    EXPECT_GT(inViewport.y(), 0);
    EXPECT_LT(inViewport.y() + 17, 100);

    // A box freed after it was scrolled to leaves nothing behind.
    while (scroll->ControlCount() > 0)
        scroll->Controls(0)->Free();
    scroll->Hide();
    scroll->Show();
    ui::ProcessMessages();
}

TEST_F(ControlsTest, ComboBoxChangeRunsOnAChoiceAndOnEveryEditButNotOnCode)
{
    auto* combo = Make<ui::TComboBox>(44, 30, 231, 24);
    std::vector<std::string> seen;
    combo->OnChange = [&](ui::TObject*) { seen.push_back(combo->Text()); };
    combo->Items().Add("DATA");
    combo->Items().Add("SUB\\A");
    combo->SetText("DATA");
    EXPECT_EQ(combo->Text(), "DATA");
    EXPECT_TRUE(seen.empty());

    combo->SetFocus();
    ui::PressKey(*form, ui::Key::Down);
    ui::PressKey(*form, ui::Key::Down);
    EXPECT_EQ(combo->Text(), "SUB\\A");
    combo->SetText("");
    ui::TypeText(*form, "ab");
    EXPECT_EQ(seen, (std::vector<std::string>{"DATA", "SUB\\A", "a", "ab"}));
}

TEST_F(ControlsTest, EnterAndEscapeOnlyCloseADroppedList)
{
    auto* dlg = new TTestDlg(app.get());
    auto* combo = new ui::TComboBox(dlg);
    combo->SetParent(dlg);
    combo->SetBounds(44, 30, 231, 24);
    combo->Items().Add("DATA");
    script.Answer(ui::mrIgnore, [&](ui::TForm& f) {
        combo->SetFocus();
        combo->SetDroppedDown(true);
        ui::PressKey(f, ui::Key::Escape);
        EXPECT_FALSE(combo->DroppedDown());
        EXPECT_EQ(f.ModalResult(), ui::mrNone);
        combo->SetDroppedDown(true);
        ui::PressKey(f, ui::Key::Enter);
        EXPECT_FALSE(combo->DroppedDown());
        EXPECT_EQ(f.ModalResult(), ui::mrNone);
        ui::PressKey(f, ui::Key::Enter);
    });
    EXPECT_EQ(dlg->ShowModal(), ui::mrOk);
}

TEST_F(ControlsTest, LabelSizedToItsTextFollowsTheText)
{
    auto* label = Make<ui::TLabel>(7, 5, 0, 0);
    label->SetFont({"Times New Roman", 13, ui::fsBold, ui::clWindowText});
    label->SetCaption("來源:");
    const int shortWidth = label->Width();
    EXPECT_GT(shortWidth, 20);
    EXPECT_GE(label->Height(), 13);
    label->SetCaption("來源來源來源:");
    EXPECT_GT(label->Width(), shortWidth);
    EXPECT_EQ(label->Left(), 7);
    label->SetCaption("");
    EXPECT_GT(label->Width(), 0); // measured as a blank

    auto* fixed = Make<ui::TLabel>(8, 44, 205, 16);
    fixed->SetAutoSize(false);
    fixed->SetCaption("C:\\A VERY LONG FOLDER NAME\\AND ANOTHER ONE\\AND MORE");
    EXPECT_EQ(fixed->Width(), 205);
}

TEST_F(ControlsTest, FontsResolveToTheirInstalledStandIns)
{
    const struct
    {
        const char* asked;
        const char* standIn;
    } cases[] = {
        {"新細明體", "AR PL UMing TW"},
        {"標楷體", "AR PL UKai TW"},
        {"Times New Roman", "Liberation Serif"},
        {"MS Sans Serif", "Liberation Sans"},
    };
    for (const auto& c : cases) {
        const QFont font = ui::ToQFont({c.asked, 13, 0, ui::clBlack});
        EXPECT_EQ(QFontInfo(font).family(), c.standIn) << c.asked;
        EXPECT_EQ(QFontInfo(font).pixelSize(), 13) << c.asked;
    }
    // Chinese text in a Latin face comes out in AR PL UMing TW.
    QTextLayout layout(QString::fromUtf8("選擇 abc"), ui::ToQFont({"Times New Roman", 13, 0, ui::clBlack}));
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QStringList faces;
    for (const QGlyphRun& run : layout.glyphRuns())
        faces << run.rawFont().familyName();
    EXPECT_TRUE(faces.contains("AR PL UMing TW")) << faces.join(",").toStdString();
    EXPECT_TRUE(faces.contains("Liberation Serif")) << faces.join(",").toStdString();
}

TEST_F(ControlsTest, RadioGroupItemsAndItemIndex)
{
    auto* group = Make<ui::TRadioGroup>(318, 316, 209, 59);
    group->SetCaption("  覆蓋檔案選項  ");
    group->Items().Add("總是覆蓋檔案");
    group->Items().Add("詢問後覆蓋檔案");
    group->SetItemIndex(0);
    auto buttons = group->Widget()->findChildren<QRadioButton*>();
    ASSERT_EQ(buttons.size(), 2);
    EXPECT_TRUE(buttons[0]->isChecked());
    buttons[1]->click();
    EXPECT_EQ(group->ItemIndex(), 1);
    group->SetItemIndex(0);
    EXPECT_TRUE(buttons[0]->isChecked());
    EXPECT_FALSE(buttons[1]->isChecked());
}

TEST_F(ControlsTest, HintsAreTooltipsWhenSwitchedOnAndCaptionsKeepTheirAccessKeys)
{
    auto* button = Make<ui::TButton>();
    button->SetCaption("&M> 建立資料夾");
    button->SetHint("在目的資料夾建立新資料夾");
    EXPECT_TRUE(button->Widget()->toolTip().isEmpty());
    button->SetShowHint(true);
    EXPECT_EQ(button->Widget()->toolTip().toStdString(), "在目的資料夾建立新資料夾");
    EXPECT_EQ(static_cast<QPushButton*>(button->Widget())->shortcut(), QKeySequence(Qt::ALT | Qt::Key_M));
}

TEST_F(ControlsTest, BitmapButtonTakesItsDisabledImageFromTheGlyphsSecondHalf)
{
    ui::TBitmap glyph(36, 18, 0x00FF00);
    for (int i = 0; i < 18; ++i) {
        glyph.SetPixel(i, i, 0xFF0000);
        glyph.SetPixel(18 + i, i, 0x808080);
    }
    auto* button = Make<ui::TBitBtn>(224, 378, 87, 29);
    button->SetNumGlyphs(2);
    button->SetGlyph(glyph);
    const QIcon icon = static_cast<QPushButton*>(button->Widget())->icon();
    const QImage normal = icon.pixmap(18, 18, QIcon::Normal).toImage();
    const QImage disabled = icon.pixmap(18, 18, QIcon::Disabled).toImage();
    EXPECT_EQ(normal.pixelColor(5, 5), QColor(255, 0, 0));
    EXPECT_EQ(normal.pixelColor(5, 0).alpha(), 0); // the lower-left colour is transparent
    EXPECT_EQ(disabled.pixelColor(5, 5), QColor(128, 128, 128));
}

TEST_F(ControlsTest, ProgressBarAndImage)
{
    auto* bar = Make<ui::TProgressBar>(6, 382, 209, 25);
    bar->SetPosition(75);
    EXPECT_EQ(bar->Position(), 75);
    bar->SetPosition(150);
    EXPECT_EQ(bar->Position(), 100);

    auto* image = Make<ui::TImage>(13, 13, 397, 243);
    image->SetStretch(true);
    image->SetPicture(ui::TBitmap(640, 480, 0x008000));
    const QImage shown = image->Widget()->grab().toImage();
    EXPECT_EQ(shown.pixelColor(396, 242), QColor(0, 128, 0));
}

} // namespace

namespace {

TEST_F(ControlsTest, ScreenCursorShowsTheHourglassAndReturnsToTheDefault)
{
    ui::Screen->SetCursor(ui::crHourGlass);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    ui::Screen->SetCursor(ui::crDefault);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// One 32 by 32 icon image at 4 bits per pixel with its mask, as programs embed it.
std::vector<unsigned char> IconImage()
{
    std::vector<unsigned char> bytes(744, 0);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(v >> (8 * i));
    };
    put32(0, 40);
    put32(4, 32);
    put32(8, 64);
    bytes[12] = 1;
    bytes[14] = 4;
    put32(40 + 4 * 12, 0x00FF0000); // palette entry 12: red (blue, green, red, 0)
    for (std::size_t i = 104; i < 104 + 512; ++i)
        bytes[i] = 0xCC;
    return bytes;
}

TEST_F(ControlsTest, ProgramIconFromAnEmbeddedIconImage)
{
    const std::vector<unsigned char> icon = IconImage();
    app->SetIcon(icon);
    const QImage image = QApplication::windowIcon().pixmap(32, 32).toImage();
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixelColor(0, 0), QColor(255, 0, 0));
    EXPECT_FALSE(form->Widget()->windowIcon().isNull());
}

} // namespace

namespace {

TEST(BitmapTest, DecodesAPaletteBitmapFromItsFileBytes)
{
    QImage source(64, 48, QImage::Format_Indexed8);
    source.setColorTable({qRgb(0, 128, 0), qRgb(0, 0, 255)});
    source.fill(0);
    for (int x = 0; x < 64; ++x)
        source.setPixel(x, 0, 1);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(source.save(&buffer, "BMP"));
    const ui::TBitmap bitmap = ui::TBitmap::FromBmp(std::span(
        reinterpret_cast<const unsigned char*>(bytes.constData()), static_cast<std::size_t>(bytes.size())));
    EXPECT_EQ(bitmap.Width(), 64);
    EXPECT_EQ(bitmap.Height(), 48);
    EXPECT_EQ(bitmap.Pixel(10, 0), 0x0000FFu);
    EXPECT_EQ(bitmap.Pixel(10, 47), 0x008000u);
}

} // namespace
