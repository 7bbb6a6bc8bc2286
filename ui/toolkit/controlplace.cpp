#include "ui/toolkit/controlplace.h"

#include "ui/common/look.h"
#include "ui/toolkit/faceimage.h"

#include <QWidget>

void placeControls(QWidget &window, std::span<const ControlPlace> table)
{
    for (const ControlPlace &place : table) {
        auto *control = window.findChild<QWidget *>(QLatin1String(place.name));
        if (!control)
            qFatal("%s: the layout places %s, which the window does not have",
                   qPrintable(window.objectName()), place.name);
        // An image button stands where its faces stand: the faces are named
        // in the table, the button holding them is placed.
        if (qobject_cast<FaceImage *>(control))
            control = control->parentWidget();
        QWidget *container = control->parentWidget();
        if (!container || container->objectName() != QLatin1String(place.container))
            qFatal("%s: the layout places %s in %s, but it lies in %s", qPrintable(window.objectName()),
                   place.name, place.container,
                   container ? qPrintable(container->objectName()) : "no container");
        control->setGeometry(Look::twipsRect(place.left, place.top, place.width, place.height));
    }
}
