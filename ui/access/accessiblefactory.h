#pragma once

class QAccessibleInterface;
class QObject;
class QString;

// For QAccessible::installFactory: the interface of each of the program's
// own widgets (and of a dialog's button row and the announcer's
// notification), or none where Qt's own serves. Qt asks with the class
// names of the object's classes in turn, from the most derived up.
QAccessibleInterface *accessibleInterface(const QString &className, QObject *object);
