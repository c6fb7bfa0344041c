#include "shell/startup/ProgramIcon.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace polvane {

QIcon ProgramIcon::Icon()
{
    // Drawn from the vector picture at each size rather than scaled from one bitmap, so that
    // the small title-bar sizes stay sharp.
    QSvgRenderer picture(QString::fromLatin1(kResource));
    QIcon icon;
    if (!picture.isValid())
        return icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        picture.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

void ProgramIcon::Install() { QApplication::setWindowIcon(Icon()); }

} // namespace polvane
