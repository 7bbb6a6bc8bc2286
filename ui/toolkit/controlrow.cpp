#include "ui/toolkit/controlrow.h"

#include "ui/common/look.h"

#include <QWidget>

void makeControls(QWidget &window, std::span<const ControlRow> table)
{
    for (const ControlRow &row : table) {
        const QString containerName = QLatin1String(row.container);
        QWidget *container = window.objectName() == containerName ? &window
                                                                  : window.findChild<QWidget *>(containerName);
        if (!container)
            qFatal("%s: %s lies in %s, which no earlier row makes", qPrintable(window.objectName()), row.name,
                   row.container);
        const QString name = QLatin1String(row.name);
        QWidget *control = row.make(name, container);
        if (!control || (control->objectName() != name && !control->findChild<QWidget *>(name)))
            qFatal("%s: the row of %s makes no control of that name", qPrintable(window.objectName()), row.name);
        control->setGeometry(Look::twipsRect(row.left, row.top, row.width, row.height));
    }
}

void makeControls(QWidget &window, std::span<const ControlPlace> places, const ControlMaker &make)
{
    for (const ControlPlace &place : places) {
        const ControlRow row{place.name, place.container, place.left, place.top, place.width, place.height, make};
        makeControls(window, {&row, 1});
    }
}
