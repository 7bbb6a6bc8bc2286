#include "platform/widgets/messagebox.h"

#include <QMessageBox>

namespace MessageBox {

namespace {
Presenter &presenter()
{
    static Presenter instance;
    return instance;
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
    box.exec();
}

void setPresenter(Presenter replacement)
{
    presenter() = std::move(replacement);
}

} // namespace MessageBox
