#pragma once

#include <QMenu>

// The list's context menu: a menu of a class of its own, so that a screen
// reader is given its own view of it (ListMenuAccessible) rather than Qt's.
class ListMenu : public QMenu
{
    Q_OBJECT
public:
    using QMenu::QMenu;
};
