#pragma once

#include "ui/toolkit/linklabel.h"

#include <QAccessibleWidget>

// A screen reader meets the link labels as links named by their text, whose
// press action opens the link as a click does.
class LinkAccessible : public QAccessibleWidget
{
public:
    explicit LinkAccessible(LinkLabel *label) : QAccessibleWidget(label, QAccessible::Link) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<LinkLabel *>(widget())->text();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &actionName) override
    {
        if (actionName == pressAction())
            static_cast<LinkLabel *>(widget())->click();
    }
};
