#include "ui/Render.h"

#include <QApplication>
#include <QPixmap>
#include <QWidget>

#include "ui/Form.h"

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
