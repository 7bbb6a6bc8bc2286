#include "ui/access/accessibility.h"

#include "ui/access/accessiblefactory.h"
#include "ui/access/accessiblepacing.h"

#include <QAccessible>

void Accessibility::install()
{
    // Qt asks the factory installed last first: installed after the one
    // QApplication installs for Qt's widgets, this answers first where both
    // would (a dialog's button row).
    QAccessible::installFactory(&accessibleInterface);
    AccessiblePacing::instance().install();
}
