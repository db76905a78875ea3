#include "ui/Dialogs.h"

#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Image.h"
#include "ui/Internal.h"
#include "ui/Label.h"
#include "ui/ModalScript.h"
#include "ui/QtSupport.h"
#include "ui/Screen.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace ui {

namespace {

struct ButtonSpec
{
    const char* name;
    const char* caption;
    int result;
};

enum class Icon
{
    None,
    Warning,
    Error,
    Information,
    Question,
};

// Room in a title bar for an icon and three buttons, with the margins.
constexpr int TitleBarButtonsWidth = 4 * 24 + 2 * 8;

int MulDiv(int number, int numerator, int denominator)
{
    return static_cast<int>((static_cast<long long>(number) * numerator + denominator / 2) / denominator);
}

TBitmap IconBitmap(Icon icon)
{
    QStyle::StandardPixmap which = QStyle::SP_MessageBoxInformation;
    switch (icon) {
    case Icon::Warning:
        which = QStyle::SP_MessageBoxWarning;
        break;
    case Icon::Error:
        which = QStyle::SP_MessageBoxCritical;
        break;
    case Icon::Question:
        which = QStyle::SP_MessageBoxQuestion;
        break;
    default:
        break;
    }
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(ToQColor(clBtnFace));
    QPainter painter(&image);
    painter.drawPixmap(0, 0, QApplication::style()->standardIcon(which).pixmap(32, 32));
    painter.end();
    return FromQImage(image);
}

// A message window laid out as the classic library lays out its message
// dialogs: icon and text on top, the buttons centred below, all measured in
// dialog units of the window font.
class MessageForm : public TForm
{
public:
    MessageForm(ModalKind kind, const std::string& caption, const std::string& text, Icon icon,
                const std::vector<ButtonSpec>& buttons, int defaultIndex, int cancelIndex, bool closable,
                int closeResult)
        : TForm(nullptr), m_closable(closable), m_closeResult(closeResult)
    {
        SetName("MessageForm");
        SetBorderStyle(bsDialog);
        SetPosition(poScreenCenter);
        SetCaption(caption);
        if (!closable)
            Widget()->setWindowFlag(Qt::WindowCloseButtonHint, false);

        const QFont font = ToQFont(Font());
        const QFontMetrics metrics(font);
        const int unitX =
            metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 52;
        const int unitY = metrics.height();
        const int horzMargin = MulDiv(8, unitX, 4);
        const int vertMargin = MulDiv(8, unitY, 8);
        const int horzSpacing = MulDiv(10, unitX, 4);
        const int vertSpacing = MulDiv(10, unitY, 8);
        int buttonWidth = MulDiv(50, unitX, 4);
        for (const ButtonSpec& b : buttons)
            buttonWidth = std::max(buttonWidth, metrics.horizontalAdvance(QString(b.caption).remove('&')));
        const int buttonHeight = MulDiv(14, unitY, 8);
        const int buttonSpacing = MulDiv(4, unitX, 4);

        const QString display = ToDisplayText(text);
        const QRect textRect =
            metrics.boundingRect(QRect(0, 0, std::max(1, Screen->Width() / 2), 0),
                                 Qt::TextWordWrap | Qt::TextExpandTabs | Qt::AlignLeft, display);
        int iconTextWidth = textRect.width();
        int iconTextHeight = textRect.height();
        if (icon != Icon::None) {
            iconTextWidth += 32 + horzSpacing;
            iconTextHeight = std::max(iconTextHeight, 32);
        }
        const int count = static_cast<int>(buttons.size());
        const int groupWidth = count ? buttonWidth * count + buttonSpacing * (count - 1) : 0;
        // The title bar shows the caption beside the window manager's buttons
        // (some draw an icon, minimise and maximise whatever the hints say).
        QFont titleFont = font;
        titleFont.setBold(true);
        const int titleWidth =
            QFontMetrics(titleFont).horizontalAdvance(ToQString(caption)) + TitleBarButtonsWidth;
        SetClientWidth(
            std::min(std::max({iconTextWidth + horzMargin * 2, groupWidth + horzMargin * 2, titleWidth}),
                     std::max(Screen->Width(), 1)));
        SetClientHeight(iconTextHeight + buttonHeight + vertSpacing + vertMargin * 2);

        if (icon != Icon::None) {
            auto* image = new TImage(this);
            image->SetName("Image");
            image->SetParent(this);
            image->SetBounds(horzMargin, vertMargin, 32, 32);
            image->SetPicture(IconBitmap(icon));
        }
        auto* message = new TLabel(this);
        message->SetName("Message");
        message->SetParent(this);
        message->SetAutoSize(false);
        message->SetShowAccelChar(false);
        message->SetWordWrap(true);
        message->SetCaption(text);
        message->SetBounds(iconTextWidth - textRect.width() + horzMargin, vertMargin, textRect.width(),
                           textRect.height());

        m_shown.kind = kind;
        m_shown.caption = caption;
        m_shown.text = text;
        int x = (ClientWidth() - groupWidth) / 2;
        for (int i = 0; i < count; ++i) {
            auto* button = new TButton(this);
            button->SetName(buttons[static_cast<std::size_t>(i)].name);
            button->SetParent(this);
            button->SetCaption(buttons[static_cast<std::size_t>(i)].caption);
            button->SetModalResult(buttons[static_cast<std::size_t>(i)].result);
            button->SetDefault(i == defaultIndex);
            button->SetCancel(i == cancelIndex);
            button->SetBounds(x, iconTextHeight + vertMargin + vertSpacing, buttonWidth, buttonHeight);
            x += buttonWidth + buttonSpacing;
            m_shown.buttons.push_back(button->Caption());
            if (i == defaultIndex) {
                m_shown.defaultButton = button->Caption();
                m_default = button;
            }
        }
    }

    int Run()
    {
        // The default button has the focus when the window opens.
        if (m_default)
            m_default->Widget()->setFocus();
        return ShowModal();
    }

protected:
    void TitleBarClose() override
    {
        if (m_closable)
            SetModalResult(m_closeResult);
    }

    void DescribeForScript(ShownWindow& shown) const override
    {
        shown = m_shown;
    }

private:
    bool m_closable;
    int m_closeResult;
    ShownWindow m_shown;
    TButton* m_default = nullptr;
};

int RunMessageForm(ModalKind kind, const std::string& caption, const std::string& text, Icon icon,
                   const std::vector<ButtonSpec>& buttons, int defaultIndex, int cancelIndex, bool closable,
                   int closeResult)
{
    auto* form =
        new MessageForm(kind, caption, text, icon, buttons, defaultIndex, cancelIndex, closable, closeResult);
    struct Release
    {
        MessageForm* form;
        ~Release()
        {
            form->Free();
        }
    } release{form};
    return form->Run();
}

std::string ApplicationTitle()
{
    return Application ? Application->Title() : std::string();
}

} // namespace

void ShowErrorBox(ModalKind kind, const std::string& text, const std::string& caption)
{
    RunMessageForm(kind, caption, text, Icon::Error, {{"OK", "OK", IDOK}}, 0, 0, true, IDOK);
}

int MessageBox(const std::string& text, const std::string& caption, int flags)
{
    const Icon icon = (flags & MB_ICONERROR) ? Icon::Error : Icon::None;
    if ((flags & 0xF) == MB_YESNO)
        return RunMessageForm(ModalKind::SystemBox, caption, text, icon,
                              {{"Yes", "&Yes", IDYES}, {"No", "&No", IDNO}}, 0, -1, false, IDNO);
    return RunMessageForm(ModalKind::SystemBox, caption, text, icon, {{"OK", "OK", IDOK}}, 0, 0, true, IDOK);
}

int MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons)
{
    static const struct
    {
        TMsgDlgBtn button;
        ButtonSpec spec;
    } kButtons[] = {
        {mbOK, {"OK", "OK", mrOk}},
        {mbYes, {"Yes", "&Yes", mrYes}},
        {mbNo, {"No", "&No", mrNo}},
        {mbAll, {"All", "&All", mrAll}},
        {mbAbort, {"Abort", "&Abort", mrAbort}},
        {mbRetry, {"Retry", "&Retry", mrRetry}},
        {mbIgnore, {"Ignore", "&Ignore", mrIgnore}},
    };
    std::vector<ButtonSpec> specs;
    int okIndex = -1;
    int yesIndex = -1;
    int noIndex = -1;
    int retryIndex = -1;
    for (const auto& b : kButtons) {
        if (!(buttons & b.button))
            continue;
        const int index = static_cast<int>(specs.size());
        okIndex = b.button == mbOK ? index : okIndex;
        yesIndex = b.button == mbYes ? index : yesIndex;
        noIndex = b.button == mbNo ? index : noIndex;
        retryIndex = b.button == mbRetry ? index : retryIndex;
        specs.push_back(b.spec);
    }
    const int defaultIndex = okIndex >= 0 ? okIndex : yesIndex >= 0 ? yesIndex : retryIndex;
    const int cancelIndex = noIndex >= 0 ? noIndex : okIndex;

    std::string caption;
    Icon icon = Icon::None;
    switch (type) {
    case mtWarning:
        caption = "Warning";
        icon = Icon::Warning;
        break;
    case mtError:
        caption = "Error";
        icon = Icon::Error;
        break;
    case mtInformation:
        caption = "Information";
        icon = Icon::Information;
        break;
    case mtConfirmation:
        caption = "Confirm";
        icon = Icon::Question;
        break;
    case mtCustom:
        caption = ApplicationTitle();
        break;
    }
    return RunMessageForm(ModalKind::MessageDialog, caption, text, icon, specs, defaultIndex, cancelIndex,
                          true, mrCancel);
}

void ShowMessage(const std::string& text)
{
    RunMessageForm(ModalKind::PlainMessage, ApplicationTitle(), text, Icon::None, {{"OK", "OK", mrOk}}, 0, 0,
                   true, mrCancel);
}

void Beep()
{
    if (ModalScript* script = ModalScript::Current()) {
        ShownWindow beep;
        beep.kind = ModalKind::Beep;
        script->Record(beep);
        return;
    }
    QApplication::beep();
}

namespace {

class PasswordForm : public TForm
{
public:
    explicit PasswordForm(const std::string& tableName) : TForm(nullptr)
    {
        SetName("PasswordDialog");
        SetBorderStyle(bsDialog);
        SetPosition(poScreenCenter);
        SetCaption("Enter password");
        SetClientWidth(233);
        SetClientHeight(101);
        auto* table = new TLabel(this);
        table->SetName("TableName");
        table->SetParent(this);
        table->SetShowAccelChar(false);
        table->SetBounds(8, 8, 0, 0);
        table->SetCaption("Table: " + tableName);
        auto* prompt = new TLabel(this);
        prompt->SetName("PasswordLabel");
        prompt->SetParent(this);
        prompt->SetBounds(8, 36, 0, 0);
        prompt->SetCaption("&Password:");
        password = new TEdit(this);
        password->SetName("Password");
        password->SetParent(this);
        password->SetBounds(72, 32, 153, 21);
        password->SetPasswordChar('*');
        password->SetTabOrder(0);
        auto* ok = new TButton(this);
        ok->SetName("OKButton");
        ok->SetParent(this);
        ok->SetCaption("OK");
        ok->SetDefault(true);
        ok->SetModalResult(mrOk);
        ok->SetBounds(72, 68, 75, 25);
        auto* cancel = new TButton(this);
        cancel->SetName("CancelButton");
        cancel->SetParent(this);
        cancel->SetCaption("Cancel");
        cancel->SetCancel(true);
        cancel->SetModalResult(mrCancel);
        cancel->SetBounds(152, 68, 75, 25);
        m_tableName = tableName;
    }

    TEdit* password = nullptr;

protected:
    void DescribeForScript(ShownWindow& shown) const override
    {
        shown.kind = ModalKind::Password;
        shown.caption = Caption();
        shown.text = m_tableName;
        shown.buttons = {"OK", "Cancel"};
        shown.defaultButton = "OK";
    }

private:
    std::string m_tableName;
};

} // namespace

bool PasswordDialog(const std::string& tableName, std::string& password)
{
    auto* form = new PasswordForm(tableName);
    struct Release
    {
        PasswordForm* form;
        ~Release()
        {
            form->Free();
        }
    } release{form};
    if (form->ShowModal() != mrOk)
        return false;
    password = form->password->Text();
    return true;
}

} // namespace ui
