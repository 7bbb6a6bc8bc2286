#include "ui/toolkit/messagebox.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace MessageBox {

namespace {
Presenter &presenter()
{
    static Presenter instance;
    return instance;
}
// A short text makes a narrow box, and the window manager then cuts its
// title ("Ош…а!!!"). The title bar's font is the window manager's: measure
// with the desktop's title font in bold, and leave room for the title bar's
// icon and buttons.
void fitTitle(QMessageBox &box)
{
    QFont titleFont = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    titleFont.setBold(true);
    const int titleBarExtras = 160;
    const int width = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + titleBarExtras;
    // QMessageBox sizes itself to its contents; a spacer across the layout
    // is the way to widen it.
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(),
                      0, 1, grid->columnCount());
}

} // namespace

void show(QWidget *parent, const QString &text, const QString &title, Style style)
{
    if (presenter()) {
        presenter()(parent, text, title, style);
        return;
    }
    const QMessageBox::Icon icon = style == Style::Information ? QMessageBox::Information
                                   : style == Style::Warning   ? QMessageBox::Warning
                                                               : QMessageBox::NoIcon;
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    // A message that names a file or a link lets the user copy it.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    fitTitle(box);
    box.exec();
}

void setPresenter(Presenter replacement)
{
    presenter() = std::move(replacement);
}

} // namespace MessageBox
