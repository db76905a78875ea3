#include "ui/Render.h"

#include "ui/Form.h"

#include <QApplication>
#include <QPixmap>
#include <QWidget>

namespace ui {

bool RenderToPng(TForm& form, const std::string& path)
{
    QWidget* w = form.Widget();
    if (!w->isVisible())
        form.Show();
    QApplication::processEvents();
    return w->grab().save(QString::fromStdString(path), "PNG");
}

} // namespace ui
