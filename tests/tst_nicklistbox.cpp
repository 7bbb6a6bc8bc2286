#include "control/nicklistbox.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

class TestNickListBox : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void mouseSelectsRowUnderPointer();
    void dragMovesSelection();
    void keysMoveSelectionAndScroll();
    void appendingAndProgramSelectionKeepTheView();
    void wheelScrollsThreeRows();
    void clearResets();
    void focusFrameOnlyWithFocus();
    void millionEntriesEndShowsLastRow();
    void scrollBarOnScreenFollowsEveryAppend();
    void screenReaderGetsEntriesOneByOne();
    void ctrlCCopiesSelectedNick();

private:
    // Two letters per row: "AA", "AB", ...
    static QString nickFor(int i)
    {
        const char16_t letters[] = {char16_t(u'A' + i / 26 % 26), char16_t(u'A' + i % 26)};
        return QStringView(letters, 2).toString();
    }
    void fill(int entries);
    int rowHeight() const { return m_box->fontMetrics().lineSpacing(); }
    int rowsInSight() const { return m_box->viewport()->height() / rowHeight(); }
    QPoint rowCentre(int rowInSight) const { return {20, rowInSight * rowHeight() + rowHeight() / 2}; }
    void click(QPoint at) { QTest::mouseClick(m_box->viewport(), Qt::LeftButton, {}, at); }
    QScrollBar *bar() const { return m_box->verticalScrollBar(); }

    NickListBox *m_box = nullptr;
    QSignalSpy *m_clicked = nullptr;
};

void TestNickListBox::init()
{
    m_box = new NickListBox;
    m_box->resize(160, 10 * m_box->fontMetrics().lineSpacing() + 2 * m_box->frameWidth() + 3);
    m_box->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_box));
    QCOMPARE(rowsInSight(), 10);
    m_clicked = new QSignalSpy(m_box, &NickListBox::clicked);
}

void TestNickListBox::cleanup()
{
    delete m_clicked;
    delete m_box;
}

void TestNickListBox::fill(int entries)
{
    const int first = int(m_box->count());
    for (int i = first; i < first + entries; ++i)
        m_box->addItem(nickFor(i));
}

void TestNickListBox::mouseSelectsRowUnderPointer()
{
    fill(30);
    click(rowCentre(2));
    QCOMPARE(m_box->text(), QStringLiteral("AC"));
    QCOMPARE(m_clicked->count(), 1);
    click(rowCentre(2)); // the same row again still tells the program
    QCOMPARE(m_clicked->count(), 2);

    bar()->setValue(15);
    click(rowCentre(0));
    QCOMPARE(m_box->currentRow(), 15);
    QCOMPARE(m_box->text(), QStringLiteral("AP"));
    QTest::mouseClick(m_box->viewport(), Qt::RightButton, {}, rowCentre(1));
    QCOMPARE(m_box->currentRow(), 15);
    QCOMPARE(m_clicked->count(), 3);

    // Below the last row there is nothing to select.
    m_box->clear();
    fill(3);
    click(rowCentre(5));
    QCOMPARE(m_box->currentRow(), -1);
    click(rowCentre(1));
    click(rowCentre(3));
    QCOMPARE(m_box->currentRow(), 1);
    QCOMPARE(m_clicked->count(), 4);
}

void TestNickListBox::dragMovesSelection()
{
    fill(30);
    QTest::mousePress(m_box->viewport(), Qt::LeftButton, {}, rowCentre(1));
    QTest::mouseMove(m_box->viewport(), rowCentre(1) + QPoint(5, 0));
    QCOMPARE(m_clicked->count(), 1); // same row, no change
    QTest::mouseMove(m_box->viewport(), rowCentre(4));
    QCOMPARE(m_box->currentRow(), 4);
    QCOMPARE(m_clicked->count(), 2);

    // Below the viewport the selection steps past the last row in sight.
    QTest::mouseMove(m_box->viewport(), QPoint(20, m_box->viewport()->height() + 5));
    QCOMPARE(m_box->currentRow(), 10);
    QCOMPARE(bar()->value(), 1);
    QCOMPARE(m_clicked->count(), 3);

    QTest::mouseRelease(m_box->viewport(), Qt::LeftButton, {}, rowCentre(9));
    QTest::mouseMove(m_box->viewport(), rowCentre(2));
    QCOMPARE(m_box->currentRow(), 10);
}

void TestNickListBox::keysMoveSelectionAndScroll()
{
    fill(100);
    QTest::keyClick(m_box, Qt::Key_Down); // nothing selected: the first row
    QCOMPARE(m_box->currentRow(), 0);
    QTest::keyClick(m_box, Qt::Key_Up); // already at the top: no change
    QCOMPARE(m_clicked->count(), 1);

    for (int i = 0; i < 12; ++i)
        QTest::keyClick(m_box, Qt::Key_Down);
    QCOMPARE(m_box->currentRow(), 12);
    QCOMPARE(bar()->value(), 3); // row 12 is the bottom one in sight
    QCOMPARE(m_clicked->count(), 13);

    QTest::keyClick(m_box, Qt::Key_PageDown);
    QCOMPARE(m_box->currentRow(), 21);
    QTest::keyClick(m_box, Qt::Key_PageUp);
    QTest::keyClick(m_box, Qt::Key_PageUp);
    QCOMPARE(m_box->currentRow(), 3);
    QCOMPARE(bar()->value(), 3);

    QTest::keyClick(m_box, Qt::Key_End);
    QTest::keyClick(m_box, Qt::Key_Down);
    QCOMPARE(m_box->text(), nickFor(99));
    QCOMPARE(bar()->value(), 90);
    QCOMPARE(m_clicked->count(), 17);

    m_box->setCurrentRow(-1);
    QTest::keyClick(m_box, Qt::Key_Home);
    QCOMPARE(m_box->currentRow(), 0);
    QCOMPARE(bar()->value(), 0);
    QCOMPARE(m_clicked->count(), 18);
}

void TestNickListBox::appendingAndProgramSelectionKeepTheView()
{
    fill(5);
    m_box->setCurrentRow(1);
    QTRY_VERIFY(!bar()->isVisible());

    fill(200);
    QCOMPARE(bar()->value(), 0);
    QCOMPARE(bar()->maximum(), 205 - 10);
    QCOMPARE(m_box->text(), QStringLiteral("AB"));
    QTRY_VERIFY(bar()->isVisible());

    bar()->setValue(50);
    m_box->addItem(u"LAST");
    QCOMPARE(bar()->value(), 50);
    QCOMPARE(m_box->item(205), QStringLiteral("LAST"));

    // The program's selection is brought into sight.
    m_box->setCurrentRow(150);
    QCOMPARE(bar()->value(), 141);
    m_box->setCurrentRow(206);
    QCOMPARE(m_box->currentRow(), -1);
    QCOMPARE(m_box->text(), QString());
    QCOMPARE(m_clicked->count(), 0);
}

void TestNickListBox::wheelScrollsThreeRows()
{
    fill(100);
    auto turn = [this](int delta) {
        const QPoint at = rowCentre(3);
        QWheelEvent wheel(at, m_box->viewport()->mapToGlobal(at), {}, QPoint(0, delta), Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(m_box->viewport(), &wheel);
    };
    turn(-120);
    QCOMPARE(bar()->value(), 3);
    turn(-60); // half a notch waits for the other half
    QCOMPARE(bar()->value(), 3);
    turn(-60);
    QCOMPARE(bar()->value(), 6);
    turn(240);
    QCOMPARE(bar()->value(), 0);
}

void TestNickListBox::clearResets()
{
    fill(100);
    m_box->setCurrentRow(80);
    m_box->clear();
    QCOMPARE(m_box->count(), 0);
    QCOMPARE(m_box->currentRow(), -1);
    QCOMPARE(bar()->value(), 0);
    QCOMPARE(bar()->maximum(), 0);
    QTRY_VERIFY(!bar()->isVisible());

    m_box->addItem(u"ONE");
    click(rowCentre(0));
    QCOMPARE(m_box->text(), QStringLiteral("ONE"));
}

void TestNickListBox::focusFrameOnlyWithFocus()
{
    fill(5);
    m_box->setCurrentRow(2);
    const QRect row(0, 2 * rowHeight(), m_box->viewport()->width(), rowHeight());
    m_box->activateWindow();
    m_box->clearFocus();
    const QImage plain = m_box->viewport()->grab(row).toImage();
    m_box->setFocus();
    QTRY_VERIFY(m_box->hasFocus());
    const QImage focused = m_box->viewport()->grab(row).toImage();

    // The frame runs along the row's edge, the middle stays plain highlight.
    const int middle = rowHeight() / 2;
    QCOMPARE(plain.pixelColor(0, 0), m_box->palette().color(QPalette::Highlight));
    QVERIFY(focused.pixelColor(0, 0) != plain.pixelColor(0, 0) ||
            focused.pixelColor(1, 0) != plain.pixelColor(1, 0));
    QCOMPARE(focused.pixelColor(row.width() - 4, middle), plain.pixelColor(row.width() - 4, middle));
}

void TestNickListBox::millionEntriesEndShowsLastRow()
{
    const int entries = 1'000'000;
    for (int i = 0; i < entries; ++i)
        m_box->addItem(i == entries - 1 ? u"LASTNICK" : u"NICK");
    QCOMPARE(bar()->value(), 0);

    QTest::keyClick(m_box, Qt::Key_End);
    QCOMPARE(m_box->currentRow(), entries - 1);
    QCOMPARE(m_box->text(), QStringLiteral("LASTNICK"));
    QCOMPARE(bar()->value(), entries - 10);

    // The selection is painted on the bottom row in sight, right of any text.
    const QImage image = m_box->viewport()->grab().toImage();
    const int x = image.width() - 3;
    QCOMPARE(image.pixelColor(x, rowCentre(9).y()), m_box->palette().color(QPalette::Highlight));
    QCOMPARE(image.pixelColor(x, rowCentre(8).y()), QColor(224, 224, 224));

    click(rowCentre(8));
    QCOMPARE(m_box->currentRow(), entries - 2);
}

void TestNickListBox::scrollBarOnScreenFollowsEveryAppend()
{
    // The bar skips repaints that would change nothing, so compare what is
    // on screen with a fresh rendering after every append, with the view at
    // the top and at the end (where the slider creeps up as rows arrive).
    int barPaints = 0;
    struct PaintCounter : QObject
    {
        int *paints;
        explicit PaintCounter(int *counter) : paints(counter) {}
        bool eventFilter(QObject *, QEvent *event) override
        {
            *paints += event->type() == QEvent::Paint;
            return false;
        }
    } counter(&barPaints);
    bar()->installEventFilter(&counter);

    const auto onScreen = [this] {
        const QRect area(bar()->mapTo(m_box, QPoint(0, 0)), bar()->size());
        return m_box->screen()
            ->grabWindow(m_box->winId(), area.x(), area.y(), area.width(), area.height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    };
    fill(11);
    QCoreApplication::processEvents();
    for (const bool atEnd : {false, true}) {
        int repaints = 0;
        for (int i = 0; i < 300; ++i) {
            if (atEnd)
                bar()->setValue(bar()->maximum());
            const int before = barPaints;
            fill(1);
            QCoreApplication::processEvents();
            repaints += barPaints - before;
            // grab() paints too, so it comes after the count.
            if (onScreen() != bar()->grab().toImage().convertToFormat(QImage::Format_RGB32))
                QFAIL(qPrintable(QStringLiteral("stale scroll bar at %1 entries").arg(m_box->count())));
        }
        // At the top it repaints while the slider shrinks, then no more.
        if (!atEnd)
            QVERIFY2(repaints > 0 && repaints < 150, qPrintable(QString::number(repaints)));
    }
}

void TestNickListBox::screenReaderGetsEntriesOneByOne()
{
    fill(3000);
    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(m_box);
    QCOMPARE(list->role(), QAccessible::List);
    QCOMPARE(list->childCount(), 3000);
    QAccessibleInterface *entry = list->child(27);
    QVERIFY(entry);
    QCOMPARE(entry->role(), QAccessible::ListItem);
    QCOMPARE(entry->text(QAccessible::Name), QStringLiteral("BB"));
    QCOMPARE(list->child(27), entry); // made once, then kept
    QCOMPARE(list->indexOfChild(entry), 27);
    QVERIFY(!list->child(3000));
    m_box->clear();
    QVERIFY(!entry->isValid()); // its nick is gone
}

void TestNickListBox::ctrlCCopiesSelectedNick()
{
    fill(5);
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::keyClick(m_box, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before")); // nothing selected
    m_box->setCurrentRow(3);
    QTest::keyClick(m_box, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("AD"));
}

QTEST_MAIN(TestNickListBox)
#include "tst_nicklistbox.moc"
