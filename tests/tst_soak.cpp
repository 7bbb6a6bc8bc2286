#include "control/savejob.h"
#include "messagecapture.h"
#include "platform/generationtimer.h"
#include "processmemory.h"
#include "savefixtures.h"
#include "ui/access/accessibility.h"
#include "ui/common/look.h"
#include "ui/list/nicklistbox.h"
#include "ui/main/form1.h"
#include "ui/toolkit/textbox.h"
#include "ui/toolkit/windowdrag.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

// The timer at its shortest interval for a fixed number of ticks, with Save
// and Erase clicked in between. QUILLMARK_SOAK_TICKS sets the number of
// ticks (the sanitizer job runs a long soak; the plain run a short one).
// Save finds its folder as when a user starts the program: beside the program.
class TstSoak : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        Look::install(*qApp);
        Accessibility::install();
        WindowDrag::setSystemMoveEnabled(false);
    }
    void counterListAndSavesAgreeAndTheHeapStaysSmall();
};

namespace {

// Prime spacings, so that saves, erases and samples rarely fall on one tick.
constexpr int SaveEvery = 991;
constexpr int EraseEvery = 2999;
constexpr int SampleEvery = 997;
// What the heap may hold beyond the stored nicks, 8 bytes each: Qt's glyph
// caches and the window's buffers, which settle early, the list's
// part-filled last block of 512 KiB, and that of the erased list kept for
// Ctrl+Z. A save's write block is freed before the next sample.
constexpr qint64 HeapSlack = qint64(3) << 19;
constexpr qint64 BytesPerNick = 8;

int soakTicks()
{
    bool ok = false;
    const int ticks = qEnvironmentVariableIntValue("QUILLMARK_SOAK_TICKS", &ok);
    return ok && ticks > 0 ? ticks : 3000;
}

QByteArray listAsFile(const NickListBox &list)
{
    QByteArray bytes;
    for (qsizetype i = 0; i < list.count(); ++i)
        bytes += list.item(i).toLatin1() + "\r\n";
    return bytes;
}

} // namespace

void TstSoak::counterListAndSavesAgreeAndTheHeapStaysSmall()
{
    const int ticks = soakTicks();
    const QString logPath = QCoreApplication::applicationDirPath() + QStringLiteral("/NIK.log");
    QFile::remove(logPath);
    auto removeLog = qScopeGuard([&] { QFile::remove(logPath); });
    MessageCapture messages;

    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto *list = form.findChild<NickListBox *>(QStringLiteral("List"));
    auto *counter = form.findChild<TextBox *>(QStringLiteral("Text4"));
    auto *interval = form.findChild<TextBox *>(QStringLiteral("Text2"));
    auto *timer = form.findChild<GenerationTimer *>(QStringLiteral("Timer1"));
    auto *save = form.findChild<QPushButton *>(QStringLiteral("Command1"));
    auto *start = form.findChild<QPushButton *>(QStringLiteral("Command2"));
    auto *stop = form.findChild<QPushButton *>(QStringLiteral("Command3"));
    auto *erase = form.findChild<QPushButton *>(QStringLiteral("Command4"));
    auto *job = form.findChild<SaveJob *>(QStringLiteral("saveJob"));
    QVERIFY(list && counter && interval && timer && save && start && stop && erase && job);

    // A plain event loop: QTest::qWait sleeps between its passes, which
    // would hold the timer to a hundred ticks a second.
    QEventLoop running;
    int delivered = 0;
    int saves = 0;
    int erases = 0;
    QString failure;
    const qint64 heapAtStart = heapInUse();
    qint64 heapBaseline = -1; // without the nicks, once the caches have settled
    qint64 worstExcess = 0;
    qint64 peakAboveStart = 0;
    bool sampleDue = false;

    // Each save writes the list as it was at its click; of clicks that came
    // while a save ran, the latest is saved.
    QList<QByteArray> clicked;
    int saved = 0;
    connect(job, &SaveJob::finished, &form, [&] {
        const qsizetype at = clicked.indexOf(readAll(logPath));
        if (at < 0)
            failure = QStringLiteral("NIK.log is not the list of any click of Save");
        clicked.remove(0, at + 1);
        ++saved;
    });

    // Runs after the window's own tick handler, which was connected first.
    connect(timer, &GenerationTimer::tick, &form, [&] {
        if (!failure.isEmpty() || delivered == ticks)
            return;
        ++delivered;
        if (counter->text() != QString::number(list->count())) {
            failure = QStringLiteral("tick %1: the counter shows %2, the list holds %3")
                          .arg(QString::number(delivered), counter->text(), QString::number(list->count()));
        }
        if (delivered % SaveEvery == 0) {
            clicked.append(listAsFile(*list));
            QTest::mouseClick(save, Qt::LeftButton);
            ++saves;
        }
        if (delivered % EraseEvery == 0) {
            QTest::mouseClick(erase, Qt::LeftButton);
            ++erases;
            if (list->count() != 0 || counter->text() != QStringLiteral("0"))
                failure = QStringLiteral("tick %1: Erase left %2 entries").arg(delivered).arg(list->count());
        }
        // Between saves: a running save holds its write blocks and the
        // erased nicks it still writes.
        sampleDue = sampleDue || delivered % SampleEvery == 0;
        if (sampleDue && !job->isBusy()) {
            sampleDue = false;
            const qint64 heap = heapInUse();
            const qint64 withoutNicks = heap - list->count() * BytesPerNick;
            if (heapBaseline < 0)
                heapBaseline = withoutNicks;
            worstExcess = std::max(worstExcess, withoutNicks - heapBaseline);
            peakAboveStart = std::max(peakAboveStart, heap - heapAtStart);
        }
        if (delivered == ticks)
            QTest::mouseClick(stop, Qt::LeftButton);
        if (delivered == ticks || !failure.isEmpty())
            running.quit();
    });

    interval->setFocus();
    interval->selectAll();
    QTest::keyClicks(interval, QStringLiteral("1"));
    QCOMPARE(interval->text(), QStringLiteral("1"));
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(start, Qt::LeftButton);
    QTimer::singleShot(std::max(30000, ticks * 10), &running, &QEventLoop::quit);
    running.exec();
    const double seconds = double(clock.elapsed()) / 1000.0;
    QTRY_VERIFY(!job->isBusy());
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QCOMPARE(delivered, ticks);
    QVERIFY(saved > 0 && clicked.isEmpty());
    QVERIFY(!timer->isEnabled());
    const qsizetype stoppedAt = list->count();
    QTest::qWait(20);
    QCOMPARE(list->count(), stoppedAt); // no tick after Stop
    QVERIFY(messages.shown.isEmpty());
    QCOMPARE(counter->text(), QString::number(list->count()));
    QVERIFY(heapBaseline >= 0);
    QVERIFY2(
        worstExcess <= HeapSlack,
        qPrintable(QStringLiteral("the heap grew %1 KiB beyond the stored nicks").arg(worstExcess / 1024)));

    // Erase gives the nicks' memory back.
    const qsizetype left = list->count();
    QTest::mouseClick(erase, Qt::LeftButton);
    const qint64 afterErase = heapInUse() - heapBaseline;
    QVERIFY2(afterErase <= HeapSlack,
             qPrintable(QStringLiteral("%1 KiB still held after Erase").arg(afterErase / 1024)));

    qInfo("%d ticks at 1 ms in %.1f s (%.0f a second), %d saves, %d erases, %lld nicks at the end; "
          "heap: at most %lld KiB above the start, at most %lld KiB beyond the stored nicks; "
          "peak resident %lld MiB",
          delivered, seconds, delivered / seconds, saves, erases, static_cast<long long>(left),
          static_cast<long long>(peakAboveStart / 1024), static_cast<long long>(worstExcess / 1024),
          static_cast<long long>(peakResidentBytes() >> 20));
}

QTEST_MAIN(TstSoak)
#include "tst_soak.moc"
