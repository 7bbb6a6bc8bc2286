// Shows the main window and the about window as a user sees them, with a
// few nicks generated, and saves a picture of each into the folder given,
// in the language the locale asks for.
#include "ui/about/frmabout.h"
#include "ui/common/look.h"
#include "ui/list/nicklistbox.h"
#include "ui/main/form1.h"
#include "ui/wording/translations.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QWindow>

namespace {

bool save(QWidget *window, const QString &path)
{
    // The screen's own pixels, as they are on the display.
    const QPixmap shot = window->screen()->grabWindow(0, window->x(), window->y(), window->width(), window->height());
    return shot.save(path);
}

void clickFace(Form1 &form, const char *face)
{
    QWidget *normal = form.findChild<QWidget *>(QLatin1String(face));
    const QPoint at = normal->mapTo(&form, normal->rect().center());
    QTest::mouseClick(form.windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Look::install(app);
    // In the language the environment asks for, as the program itself.
    Translations translations;
    translations.install();
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);

    Form1 form;
    form.move(20, 20);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    for (int i = 0; i < 12; ++i)
        clickFace(form, "Image1");
    QTest::qWait(300);
    bool ok = save(&form, QDir(folder).filePath(QStringLiteral("main-window.png")));

    clickFace(form, "Image3");
    FrmAbout *about = form.aboutWindow();
    if (!about || !QTest::qWaitForWindowExposed(about))
        return 1;
    about->move(form.x() + form.width() + 20, form.y());
    QTest::qWait(300);
    ok = save(about, QDir(folder).filePath(QStringLiteral("about-window.png"))) && ok;
    return ok ? 0 : 1;
}
