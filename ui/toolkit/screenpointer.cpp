#include "ui/toolkit/screenpointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace ScreenPointer {

void set(Shape shape)
{
    if (shape == Shape::Hourglass) {
        if (QGuiApplication::overrideCursor())
            QGuiApplication::changeOverrideCursor(QCursor(Qt::WaitCursor));
        else
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        return;
    }
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

} // namespace ScreenPointer
