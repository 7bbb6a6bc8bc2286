// Shows the main window and the about window as a user sees them, with a
// few nicks generated, then each message box a user can meet there, and
// saves a picture of each into the folder given, in the language the locale
// asks for.
#include "ui/about/frmabout.h"
#include "ui/common/look.h"
#include "ui/list/nicklistbox.h"
#include "ui/main/form1.h"
#include "ui/wording/translations.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>

namespace {

bool save(QWidget *window, const QString &path)
{
    // The screen's own pixels, as they are on the display: the whole frame
    // the window manager gives the window, title bar and edges with it.
    const QRect frame = window->frameGeometry();
    const QPixmap shot = window->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    return shot.save(path);
}

void clickFace(Form1 &form, const char *face)
{
    QWidget *normal = form.findChild<QWidget *>(QLatin1String(face));
    const QPoint at = normal->mapTo(&form, normal->rect().center());
    QTest::mouseClick(form.windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
}

// Runs an action that shows a message box, and saves a picture of the box
// before dismissing it.
bool saveMessage(const std::function<void()> &action, const QString &path)
{
    bool saved = false;
    QTimer poll;
    poll.setInterval(50);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        poll.stop();
        QTest::qWait(300);
        saved = save(box, path);
        box->accept();
    });
    poll.start();
    action();
    return QTest::qWaitFor([&] { return !poll.isActive(); }, 10000) && saved;
}

bool saveWindows(Form1 &form, const QDir &folder)
{
    for (int i = 0; i < 12; ++i)
        clickFace(form, "Image1");
    QTest::qWait(300);
    bool ok = save(&form, folder.filePath(QStringLiteral("main-window.png")));

    clickFace(form, "Image3");
    FrmAbout *about = form.aboutWindow();
    if (!about || !QTest::qWaitForWindowExposed(about))
        return false;
    about->move(form.x() + form.width() + 20, form.y());
    QTest::qWait(300);
    return save(about, folder.filePath(QStringLiteral("about-window.png"))) && ok;
}

bool saveMessages(Form1 &form, const QDir &folder)
{
    const auto picture = [&folder](const char *name) {
        return folder.filePath(QStringLiteral("message-%1.png").arg(QLatin1StringView(name)));
    };
    bool ok = saveMessage([&] { clickFace(form, "Image5"); }, picture("help"));
    for (int i = 0; i < 4; ++i)
        clickFace(form, "Image7");
    ok = saveMessage([&] { clickFace(form, "Image7"); }, picture("longer")) && ok;
    for (int i = 0; i < 8; ++i)
        clickFace(form, "Image9");
    ok = saveMessage([&] { clickFace(form, "Image9"); }, picture("shorter")) && ok;
    form.findChild<QLineEdit *>(QStringLiteral("Text2"))->setText(QStringLiteral("-5"));
    ok = saveMessage([&] { form.findChild<QPushButton *>(QStringLiteral("Command2"))->click(); },
                     picture("negative-interval")) &&
         ok;
    // A save with no program folder and no home folder to fall back on.
    form.setLogFolders(QStringLiteral("/nonexistent/quillmark"), QString());
    return saveMessage([&] { form.findChild<QPushButton *>(QStringLiteral("Command1"))->click(); },
                       picture("save-failed")) &&
           ok;
}

} // namespace

// quillmark-screenshot <folder> windows|messages
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Look::install(app);
    // In the language the environment asks for, as the program itself.
    Translations translations;
    translations.install();
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    QDir().mkpath(folder.path());

    Form1 form;
    form.move(20, 20);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    const bool messages = argc > 2 && qstrcmp(argv[2], "messages") == 0;
    return (messages ? saveMessages(form, folder) : saveWindows(form, folder)) ? 0 : 1;
}
