#include "ui/Image.h"

#include "ui/Layout.h"
#include "ui/QtSupport.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

namespace ui {

class ImageWidget : public QWidget
{
public:
    void SetImage(const QImage& image)
    {
        m_image = image;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        auto* control = static_cast<TImage*>(TControl::FromWidget(this));
        if (!control || m_image.isNull())
            return;
        QPainter painter(this);
        if (control->Stretch()) {
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(rect(), m_image);
        } else
            painter.drawImage(QPoint(0, 0), m_image);
    }

    void mousePressEvent(QMouseEvent* e) override
    {
        e->accept();
    }

    void mouseReleaseEvent(QMouseEvent* e) override
    {
        e->accept();
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
            if (auto* control = static_cast<TImage*>(TControl::FromWidget(this)))
                control->Click();
    }

private:
    QImage m_image;
};

TImage::TImage(TComponent* owner) : TControl(owner, new ImageWidget)
{
    SetTabStop(false);
}

std::string TImage::ClassName() const
{
    return "TImage";
}

bool TImage::Focusable() const
{
    return false;
}

const TBitmap& TImage::Picture() const
{
    return m_picture;
}

void TImage::SetPicture(const TBitmap& picture)
{
    m_picture = picture;
    static_cast<ImageWidget*>(Widget())->SetImage(picture.Empty() ? QImage() : ToQImage(picture));
}

bool TImage::Stretch() const
{
    return m_stretch;
}

void TImage::SetStretch(bool stretch)
{
    m_stretch = stretch;
    Widget()->update();
}

bool TImage::SetProperty(const std::string& name, const Value& value)
{
    if (name == "Picture")
        SetPicture(value.AsBitmap());
    else if (name == "Stretch")
        SetStretch(value.AsBool());
    else
        return TControl::SetProperty(name, value);
    return true;
}

} // namespace ui
