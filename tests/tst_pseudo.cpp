// Every text a user sees or hears passes through the translation, and fits
// its box in either window and in every message box when a translation makes
// it longer: run by pseudo.py, which makes that translation (each text wrapped
// in ⟦ ⟧ and about 40 % longer).
#include "modalwatcher.h"
#include "ui/about/frmabout.h"
#include "ui/access/accessibility.h"
#include "ui/common/look.h"
#include "ui/main/form1.h"
#include "ui/toolkit/captionframe.h"
#include "ui/toolkit/windowdrag.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QPainter>
#include <QTest>
#include <QTranslator>

using namespace Qt::StringLiterals;

namespace {

// Names, addresses and the about window's English, the same in every language.
const QStringList Untranslated = {
    u"X"_s,       u"Quillmark"_s,      u"Quillmark 1.0"_s,     u"Final version"_s,
    u"TOR(E)N"_s, u"© 2003 TOR(E)N"_s, u"toren@example.org"_s, u"quillmark.example.org"_s};

void checkTranslated(const QString &text, const QObject *where)
{
    QString shown = QString(text).remove(u'&');
    // The help box names a folder on a line of its own after its sentence:
    // a path, the same in every language.
    const qsizetype pathLine = shown.lastIndexOf(u"⟧\n/"_s);
    if (pathLine >= 0 && !shown.sliced(pathLine + 1).contains(u'⟧'))
        shown.truncate(pathLine + 1);
    QVERIFY2(shown.isEmpty() || Untranslated.contains(shown) ||
                 (shown.startsWith(u'⟦') && shown.endsWith(u'⟧')),
             qPrintable(where->objectName() + u": "_s + shown));
}

// A wrapped label within its height, a single line within its width.
void checkFits(const QLabel *label)
{
    const QString where = label->objectName() + u": "_s + label->text();
    if (label->wordWrap())
        QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(where));
    else
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width(),
                 qPrintable(where));
}

void checkWindow(QWidget *window)
{
    QVERIFY(window->isVisible());
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (!widget->isVisibleTo(window))
            continue;
        checkTranslated(widget->toolTip(), widget);
        checkTranslated(widget->accessibleName(), widget);
        checkTranslated(widget->accessibleDescription(), widget);
        if (auto *label = qobject_cast<QLabel *>(widget)) {
            checkTranslated(label->text(), label);
            checkFits(label);
        } else if (auto *frame = qobject_cast<CaptionFrame *>(widget)) {
            checkTranslated(frame->caption(), frame);
            const int width = QFontMetrics(frame->captionFont()).horizontalAdvance(frame->caption());
            QVERIFY2(width <= frame->width() - 8, qPrintable(frame->caption()));
            // And drawn in that font: above the frame's top line the text ends where the font says.
            const QImage shot = frame->grab().toImage();
            int end = 0;
            for (int y = 0; y < QFontMetrics(frame->captionFont()).height() / 2; ++y)
                for (int x = 0; x < shot.width(); ++x)
                    end = shot.pixel(x, y) == shot.pixel(0, 0) ? end : std::max(end, x);
            QVERIFY2(std::abs(end - width - 8) <= 3, qPrintable(frame->caption() + u' ' + QString::number(end)));
            // And whole, not a larger font cut to that room: as much ink as the fitted font lays down.
            const QFontMetrics fitted(frame->captionFont());
            QImage drawn(shot.size(), shot.format());
            drawn.fill(Look::panelGrey());
            {
                QPainter painter(&drawn);
                painter.setFont(frame->captionFont());
                painter.drawText(QRect(8, 0, width + 1, fitted.height()), Qt::AlignLeft | Qt::AlignVCenter,
                                 frame->caption());
            }
            const QRgb grey = Look::panelGrey().rgb();
            int inkShown = 0, inkFitted = 0;
            for (int y = 0; y < fitted.height() / 2; ++y) {
                for (int x = 8; x < 8 + width; ++x) {
                    inkShown += shot.pixel(x, y) != grey;
                    inkFitted += drawn.pixel(x, y) != grey;
                }
            }
            QVERIFY2(std::abs(inkShown - inkFitted) <= inkFitted / 10,
                     qPrintable(frame->caption() + u' ' + QString::number(inkShown) + u'/' + QString::number(inkFitted)));
        } else if (auto *combo = qobject_cast<QComboBox *>(widget)) {
            for (int i = 0; i < combo->count(); ++i) {
                checkTranslated(combo->itemText(i), combo);
                QVERIFY2(combo->fontMetrics().horizontalAdvance(combo->itemText(i)) <= combo->width() - 20,
                         qPrintable(combo->itemText(i)));
            }
        } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
            checkTranslated(button->text(), button);
            QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) <= button->width() - 8,
                     qPrintable(button->text()));
        }
    }
    for (const QAction *action : window->findChildren<QAction *>())
        checkTranslated(action->text(), action);
}

} // namespace

class TstPseudo : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void windowsSpeakThroughTheTranslation();
    void messagesAndWhatIsToldFit_data();
    void messagesAndWhatIsToldFit();
    void init();
    void cleanup() { m_form.reset(); }

private:
    QTranslator m_texts;
    QTemporaryDir m_folder;
    std::unique_ptr<Form1> m_form;
};

void TstPseudo::initTestCase()
{
    QVERIFY(m_texts.load(qEnvironmentVariable("QUILLMARK_PSEUDO_TEXTS")));
    QCoreApplication::installTranslator(&m_texts);
    Look::install(*qApp);
    Accessibility::install();
    WindowDrag::setSystemMoveEnabled(false);
}

void TstPseudo::init()
{
    m_form = std::make_unique<Form1>();
    m_form->setLogFolders(m_folder.path(), m_folder.path());
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void TstPseudo::windowsSpeakThroughTheTranslation()
{
    checkWindow(m_form.get());
    QTest::keySequence(m_form->windowHandle(), QKeySequence(Qt::CTRL | Qt::Key_I));
    QTRY_VERIFY(m_form->aboutWindow() && m_form->aboutWindow()->isVisible());
    checkWindow(m_form->aboutWindow());
    m_form->aboutWindow()->close();
}

void TstPseudo::messagesAndWhatIsToldFit_data()
{
    // Keys go to the window; "CommandN" is a click, "Text2=…" sets the
    // interval, "nowhere" leaves a save no folder to write in.
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<bool>("shown"); // in a message box, else only told
    QTest::newRow("help") << QStringList{u"F1"_s} << true;
    QTest::newRow("longer") << QStringList(5, u"Ctrl++"_s) << true;
    QTest::newRow("shorter") << QStringList(5, u"Ctrl+-"_s) << true;
    QTest::newRow("negative interval") << QStringList{u"Text2=-5"_s, u"Command2"_s} << true;
    QTest::newRow("negative interval, timer running")
        << QStringList{u"Text2=0"_s, u"Command2"_s, u"Text2=-5"_s, u"Command2"_s} << true;
    QTest::newRow("save failed") << QStringList{u"Ctrl+N"_s, u"nowhere"_s, u"Command1"_s} << true;
    QTest::newRow("length") << QStringList{u"Ctrl+-"_s} << false;
    QTest::newRow("timer started") << QStringList{u"Command2"_s} << false;
    QTest::newRow("timer stopped") << QStringList{u"Command2"_s, u"Command3"_s} << false;
    QTest::newRow("erased") << QStringList{u"Ctrl+N"_s, u"Command4"_s} << false;
    QTest::newRow("brought back") << QStringList{u"Ctrl+N"_s, u"Command4"_s, u"Ctrl+Z"_s} << false;
    QTest::newRow("nothing to bring back") << QStringList{u"Ctrl+Z"_s} << false;
}

void TstPseudo::messagesAndWhatIsToldFit()
{
    QFETCH(QStringList, actions);
    QFETCH(bool, shown);
    const QString last = actions.takeLast();
    for (const QString &action : std::as_const(actions)) {
        if (action.startsWith(u"Text2="))
            m_form->findChild<QLineEdit *>(u"Text2"_s)->setText(action.mid(6));
        else if (action == u"nowhere")
            m_form->setLogFolders(u"/nonexistent/quillmark"_s, QString());
        else if (action.startsWith(u"Command"))
            m_form->findChild<QAbstractButton *>(action)->click();
        else
            QTest::keySequence(m_form->windowHandle(), QKeySequence(action));
    }
    // A box's text wraps within the box, and the box within the screen.
    ModalWatcher box([] {
        auto *message = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        checkTranslated(message->windowTitle(), message);
        QVERIFY(message->screen()->availableGeometry().contains(message->frameGeometry()));
        for (const QLabel *label : message->findChildren<QLabel *>()) {
            checkTranslated(label->text(), label);
            checkFits(label);
        }
    });
    if (last.startsWith(u"Command"))
        m_form->findChild<QAbstractButton *>(last)->click();
    else
        QTest::keySequence(m_form->windowHandle(), QKeySequence(last));
    if (shown) {
        QTRY_VERIFY(box.seen);
        checkTranslated(box.text, m_form.get());
        return;
    }
    QAccessibleInterface *form = QAccessible::queryAccessibleInterface(m_form.get());
    QAccessibleInterface *note = form->child(form->childCount() - 1)->child(0);
    QTRY_VERIFY(note->text(QAccessible::Name).startsWith(u'⟦'));
    checkTranslated(note->text(QAccessible::Name), m_form.get());
}

QTEST_MAIN(TstPseudo)
#include "tst_pseudo.moc"
