#include "ui/access/accessiblefactory.h"

#include "ui/access/buttonrowaccessible.h"
#include "ui/access/decorationaccessible.h"
#include "ui/access/linkaccessible.h"
#include "ui/access/listmenuaccessible.h"
#include "ui/access/nicklistaccessible.h"
#include "ui/access/notificationaccessible.h"
#include "ui/access/slotselectoraccessible.h"
#include "ui/access/textboxaccessible.h"
#include "ui/access/windowaccessible.h"
#include "ui/list/nicklistbox.h"
#include "ui/toolkit/faceimage.h"
#include "ui/toolkit/linklabel.h"
#include "ui/toolkit/outlineshape.h"
#include "ui/toolkit/slotselector.h"
#include "ui/toolkit/textbox.h"

#include <QDialogButtonBox>

QAccessibleInterface *accessibleInterface(const QString &className, QObject *object)
{
    if (auto *box = qobject_cast<TextBox *>(object))
        return new TextBoxAccessible(box);
    if (auto *selector = qobject_cast<SlotSelector *>(object))
        return new SlotSelectorAccessible(selector);
    if (auto *label = qobject_cast<LinkLabel *>(object))
        return new LinkAccessible(label);
    if (auto *list = qobject_cast<NickListBox *>(object))
        return new NickListAccessible(list);
    if (auto *menu = qobject_cast<ListMenu *>(object))
        return new ListMenuAccessible(menu);
    if (auto *face = qobject_cast<FaceImage *>(object))
        return new DecorationAccessible(face, QAccessible::Graphic);
    if (auto *outline = qobject_cast<OutlineShape *>(object))
        return new DecorationAccessible(outline, QAccessible::Separator);
    // Only the focused control says it is focused: a dialog's buttons too.
    if (auto *row = qobject_cast<QDialogButtonBox *>(object))
        return new ButtonRowAccessible(row);
    if (auto *announcer = qobject_cast<Announcer *>(object))
        return new NotificationAccessible(announcer);
    // The windows are known by name: their libraries build on this one.
    // Screen readers meet each named for what it is; the window system
    // keeps the titles "Form1" and "Form2".
    if (auto *window = qobject_cast<QWidget *>(object)) {
        if (className == u"Form1")
            return new WindowAccessible(window, QAccessible::Window);
        if (className == u"FrmAbout")
            return new WindowAccessible(window, QAccessible::Dialog);
    }
    return nullptr;
}
