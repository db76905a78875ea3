#include "ui/Label.h"

#include "ui/Layout.h"
#include "ui/QtSupport.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <cmath>

namespace ui {

namespace {

// Measured and drawn as one block: empty text measures as a blank, as the
// classic label does.
QString MeasuredText(const TLabel& label)
{
    QString text = ToDisplayText(label.Caption());
    if (text.isEmpty() || (label.ShowAccelChar() && text == "&"))
        text += ' ';
    return text;
}

int TextFlags(const TLabel& label)
{
    int flags = label.ShowAccelChar() ? Qt::TextShowMnemonic : 0;
    if (label.WordWrap())
        flags |= Qt::TextWordWrap;
    switch (label.Alignment()) {
    case taLeftJustify:
        flags |= Qt::AlignLeft;
        break;
    case taRightJustify:
        flags |= Qt::AlignRight;
        break;
    case taCenter:
        flags |= Qt::AlignHCenter;
        break;
    }
    switch (label.TextLayout()) {
    case tlTop:
        flags |= Qt::AlignTop;
        break;
    case tlCenter:
        flags |= Qt::AlignVCenter;
        break;
    case tlBottom:
        flags |= Qt::AlignBottom;
        break;
    }
    return flags;
}

} // namespace

class LabelWidget : public QWidget
{
public:
    LabelWidget()
    {
        setAttribute(Qt::WA_OpaquePaintEvent, false);
    }

protected:
    TLabel* Label() const
    {
        return static_cast<TLabel*>(TControl::FromWidget(this));
    }

    void paintEvent(QPaintEvent*) override
    {
        TLabel* label = Label();
        if (!label)
            return;
        QPainter painter(this);
        if (!label->Transparent())
            painter.fillRect(rect(), ToQColor(label->Color()));
        painter.setFont(font());
        const QString text = ToDisplayText(label->Caption());
        const int flags = TextFlags(*label);
        if (label->Enabled()) {
            painter.setPen(ToQColor(label->Font().Color));
            painter.drawText(rect(), flags, text);
        } else {
            // Disabled text: embossed, highlight below right, shadow on top.
            painter.setPen(ToQColor(clBtnHighlight));
            painter.drawText(rect().translated(1, 1), flags, text);
            painter.setPen(ToQColor(clBtnShadow));
            painter.drawText(rect(), flags, text);
        }
    }

    void mousePressEvent(QMouseEvent* e) override
    {
        e->accept();
    }

    void mouseReleaseEvent(QMouseEvent* e) override
    {
        e->accept();
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
            if (TLabel* label = Label())
                label->Click();
    }
};

TLabel::TLabel(TComponent* owner) : TControl(owner, new LabelWidget)
{
    SetTabStop(false);
    AdjustSize();
}

std::string TLabel::ClassName() const
{
    return "TLabel";
}

bool TLabel::Focusable() const
{
    return false;
}

std::string TLabel::GetText() const
{
    return m_caption;
}

void TLabel::SetTextValue(const std::string& text)
{
    m_caption = text;
    AdjustSize();
    Widget()->update();
}

void TLabel::FontChanged()
{
    TControl::FontChanged();
    AdjustSize();
}

void TLabel::ColorChanged()
{
    Widget()->update();
}

void TLabel::AdjustSize()
{
    if (!m_autoSize)
        return;
    const QFontMetrics metrics(ToQFont(Font()));
    const QString text = MeasuredText(*this);
    int flags = m_showAccelChar ? Qt::TextShowMnemonic : 0;
    QRect bounds;
    if (m_wordWrap)
        bounds =
            metrics.boundingRect(QRect(0, 0, std::max(1, Width()), 100000), flags | Qt::TextWordWrap, text);
    else
        bounds = metrics.boundingRect(QRect(0, 0, 100000, 100000), flags, text);
    const int lines = std::max<qsizetype>(1, text.count('\n') + 1);
    const int height = m_wordWrap ? bounds.height() : metrics.height() * static_cast<int>(lines);
    const int width = m_wordWrap ? Width() : bounds.width();
    if (width != Width() || height != Height())
        SetBounds(Left(), Top(), width, height);
}

bool TLabel::AutoSize() const
{
    return m_autoSize;
}

void TLabel::SetAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    AdjustSize();
}

bool TLabel::Transparent() const
{
    return m_transparent;
}

void TLabel::SetTransparent(bool transparent)
{
    m_transparent = transparent;
    Widget()->update();
}

TAlignment TLabel::Alignment() const
{
    return m_alignment;
}

void TLabel::SetAlignment(TAlignment alignment)
{
    m_alignment = alignment;
    Widget()->update();
}

TTextLayout TLabel::TextLayout() const
{
    return m_layout;
}

void TLabel::SetTextLayout(TTextLayout layout)
{
    m_layout = layout;
    Widget()->update();
}

bool TLabel::ShowAccelChar() const
{
    return m_showAccelChar;
}

void TLabel::SetShowAccelChar(bool show)
{
    m_showAccelChar = show;
    AdjustSize();
    Widget()->update();
}

bool TLabel::WordWrap() const
{
    return m_wordWrap;
}

void TLabel::SetWordWrap(bool wrap)
{
    m_wordWrap = wrap;
    AdjustSize();
    Widget()->update();
}

bool TLabel::SetProperty(const std::string& name, const Value& value)
{
    if (name == "AutoSize")
        SetAutoSize(value.AsBool());
    else if (name == "Transparent")
        SetTransparent(value.AsBool());
    else if (name == "Alignment")
        SetAlignment(static_cast<TAlignment>(value.AsInt()));
    else if (name == "Layout")
        SetTextLayout(static_cast<TTextLayout>(value.AsInt()));
    else if (name == "ShowAccelChar")
        SetShowAccelChar(value.AsBool());
    else if (name == "WordWrap")
        SetWordWrap(value.AsBool());
    else
        return TControl::SetProperty(name, value);
    return true;
}

} // namespace ui
