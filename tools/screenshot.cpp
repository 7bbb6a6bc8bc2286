// Shows the main window and the about window as a user sees them, with a
// few nicks generated, then each message box, progress box and menu a user
// can meet there, and saves a picture of each into the folder given, in the
// language the environment asks for.
#include "control/savejob.h"
#include "core/nicklist.h"
#include "ui/about/frmabout.h"
#include "ui/access/accessibility.h"
#include "ui/common/look.h"
#include "ui/list/nicklistbox.h"
#include "ui/main/form1.h"
#include "ui/toolkit/messagebox.h"
#include "ui/wording/translations.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPixmap>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool save(QWidget *window, const QString &path)
{
    // A box's frame comes from the window manager, a moment after the box.
    const bool framed =
        !window->windowFlags().testFlag(Qt::FramelessWindowHint) && window->windowType() != Qt::Popup;
    const auto hasFrame = [window] {
        const QRect frame = window->frameGeometry();
        return frame != window->geometry() && frame.contains(window->geometry());
    };
    if (framed && !QTest::qWaitFor(hasFrame, 1000)) {
        // Qt learns of a frame that came late when the window next moves.
        window->move(window->pos() + QPoint(1, 0));
        if (!QTest::qWaitFor(hasFrame, 4000)) {
            qWarning("no window manager's frame for %s", qPrintable(path));
            return false;
        }
    }
    // The screen's own pixels, as they are on the display: the whole frame
    // the window manager gives the window, title bar and edges with it.
    const QRect frame = window->frameGeometry();
    const QPixmap shot = window->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    if (shot.size() != frame.size() || frame.width() < window->width()) {
        qWarning("no whole picture for %s", qPrintable(path));
        return false;
    }
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
    // The window manager now and then leaves a first box unframed: each
    // action here shows its box again when repeated.
    for (int attempt = 0; attempt < 3 && !saved; ++attempt) {
        poll.start();
        action();
        if (!QTest::qWaitFor([&] { return !poll.isActive(); }, 10000)) {
            qWarning("no message box for %s", qPrintable(path));
            return false;
        }
    }
    return saved;
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

// Opens a context menu as the Menu key does, and saves a picture of it
// before closing it.
bool saveMenu(QWidget *owner, const QString &path)
{
    bool saved = false;
    QTimer poll;
    poll.setInterval(50);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu || !menu->isVisible())
            return;
        poll.stop();
        QTest::qWait(300);
        saved = save(menu, path);
        menu->close();
    });
    poll.start();
    owner->setFocus();
    const QPoint centre = owner->rect().center();
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, centre, owner->mapToGlobal(centre));
    QCoreApplication::sendEvent(owner, &menuKey);
    return QTest::qWaitFor([&] { return !poll.isActive(); }, 10000) && saved;
}

// A save that runs long shows its progress; a second window's save into the
// same file meanwhile waits for it, and says so. NIK.log is a FIFO here whose
// reader stays idle until both pictures are taken: the first save stalls on
// it, and the second waits for the first.
bool saveProgress(const QDir &folder)
{
    QTemporaryDir scratch;
    const QByteArray fifo = QFile::encodeName(scratch.filePath(QStringLiteral("NIK.log")));
    const int reader =
        ::mkfifo(fifo.constData(), 0600) == 0 ? ::open(fifo.constData(), O_RDONLY | O_NONBLOCK) : -1;
    if (reader < 0)
        return false;
    Form1 writing, waiting;
    for (Form1 *form : {&writing, &waiting}) {
        form->setLogFolders(scratch.path(), scratch.path());
        auto *list = form->findChild<NickListBox *>(QStringLiteral("List"));
        for (int i = 0; i < 100'000; ++i)
            list->model()->append(u"QUILLMARK");
    }
    writing.move(20, 20);
    waiting.move(20, 420);
    writing.show();
    waiting.show();
    const auto progressOf = [](Form1 &form) {
        auto *dialog = form.findChild<QProgressDialog *>(QStringLiteral("SaveProgress"));
        return dialog && dialog->isVisible() ? dialog : nullptr;
    };
    writing.findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    bool ok = QTest::qWaitFor([&] { return progressOf(writing) != nullptr; }, 5000);
    waiting.findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    // Its second line says what it waits for.
    ok = ok &&
         QTest::qWaitFor(
             [&] { return progressOf(waiting) && progressOf(waiting)->labelText().contains(u'\n'); }, 5000);
    QTest::qWait(300);
    for (auto [form, name] :
         {std::pair{&writing, "progress-save.png"}, std::pair{&waiting, "progress-waiting.png"}}) {
        QProgressDialog *dialog = progressOf(*form);
        ok = ok && dialog && save(dialog, folder.filePath(QLatin1StringView(name)));
    }
    // Both stopped, what they then report unseen; the reader takes what the
    // first save still writes, up to its end.
    MessageBox::setPresenter([](QWidget *, const QString &, const QString &, MessageBox::Style) {});
    for (Form1 *form : {&waiting, &writing}) {
        if (QProgressDialog *dialog = progressOf(*form))
            dialog->cancel();
    }
    const auto busy = [](Form1 &form) {
        return form.findChild<SaveJob *>(QStringLiteral("saveJob"))->isBusy();
    };
    char drain[65536];
    const bool ended = QTest::qWaitFor(
        [&] {
            while (::read(reader, drain, sizeof drain) > 0) {
            }
            return !busy(writing) && !busy(waiting);
        },
        10000);
    ::close(reader);
    MessageBox::setPresenter({});
    return ended && ok;
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
    // A save the program folder refuses, into the fallback folder; then one
    // with no fallback at all.
    QTemporaryDir fallback;
    form.setLogFolders(QStringLiteral("/nonexistent/quillmark"), fallback.path());
    ok = saveMessage([&] { form.findChild<QPushButton *>(QStringLiteral("Command1"))->click(); },
                     picture("save-fallback")) &&
         ok;
    form.setLogFolders(QStringLiteral("/nonexistent/quillmark"), QString());
    ok = saveMessage([&] { form.findChild<QPushButton *>(QStringLiteral("Command1"))->click(); },
                     picture("save-failed")) &&
         ok;
    // A link the desktop could not open (xdg-open's "no such file").
    FrmAbout::setLinkOpener([](const QUrl &, std::function<void(int)> done) { done(2); });
    clickFace(form, "Image3");
    FrmAbout *about = form.aboutWindow();
    if (!about || !QTest::qWaitForWindowExposed(about))
        return false;
    QLabel *webLink = nullptr;
    for (QLabel *label : about->findChildren<QLabel *>())
        webLink = label->text() == QLatin1StringView("quillmark.example.org") ? label : webLink;
    ok = webLink && saveMessage([&] { QTest::mouseClick(webLink, Qt::LeftButton); }, picture("link-error")) &&
         ok;
    about->close();
    // The list's menu and a box's menu, which is Qt's own.
    form.activateWindow();
    if (!QTest::qWaitForWindowActive(&form))
        return false;
    auto *list = form.findChild<NickListBox *>(QStringLiteral("List"));
    QTest::keyClick(list, Qt::Key_Down); // a nick to copy
    ok = saveMenu(list, folder.filePath(QStringLiteral("menu-list.png"))) && ok;
    ok = saveMenu(form.findChild<QLineEdit *>(QStringLiteral("Text2")),
                  folder.filePath(QStringLiteral("menu-interval.png"))) &&
         ok;
    return saveProgress(folder) && ok;
}

} // namespace

// quillmark-screenshot <folder> windows|messages
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Look::install(app);
    Accessibility::install();
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
