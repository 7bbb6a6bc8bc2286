#include "core/nicklist.h"
#include "ui/access/accessibility.h"
#include "ui/access/accessiblepacing.h"
#include "ui/access/nicklistaccessible.h"
#include "ui/list/nicklistbox.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMenu>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

using namespace Qt::Literals::StringLiterals;

class TstNickListBox : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Accessibility::install(); }
    void init();
    void cleanup()
    {
        delete m_clicked;
        delete m_box;
        delete m_nicks;
    }
    void gesturesMoveSelectionAndView_data();
    void gesturesMoveSelectionAndView();
    void screenShowsAppendsSelectionAndFocus();
    void scrollBarOnScreenFollowsEveryAppend();
    void screenReaderGetsEntriesOneByOne();
    void screenReaderHearsFocusSizeAndCopyOfTheListAlone();
    void screenReaderHearsTheListEnteredByAClick();

private:
    // Two letters per row: "AA", "AB", ...
    static QString nickFor(int i)
    {
        const char16_t letters[] = {char16_t(u'A' + i / 26 % 26), char16_t(u'A' + i % 26)};
        return QStringView(letters, 2).toString();
    }
    void fill(int entries)
    {
        for (int i = int(m_box->count()), end = i + entries; i < end; ++i)
            m_nicks->append(nickFor(i));
    }
    int rowHeight() const { return m_box->fontMetrics().lineSpacing(); }
    int rowsInSight() const { return m_box->viewport()->height() / rowHeight(); }
    QPoint rowCentre(int rowInSight) const { return {20, rowInSight * rowHeight() + rowHeight() / 2}; }
    QScrollBar *bar() const { return m_box->verticalScrollBar(); }
    // What the window last painted there (area in the box), from its backing
    // store: unlike grab(), which paints afresh, it keeps a missed repaint.
    QImage onScreen(QRect area) const
    {
        return m_box->screen()
            ->grabWindow(m_box->winId(), area.x(), area.y(), area.width(), area.height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
    // One letter per row in sight, as shown: 'h' drawn highlighted, 'f' the
    // same with the focus frame, 'i' ink on the grey, ' ' bare grey.
    QString rowsOnScreen() const
    {
        QCoreApplication::processEvents();
        const QImage view =
            onScreen(QRect(m_box->viewport()->mapTo(m_box, QPoint()), m_box->viewport()->size()));
        const QColor highlight = m_box->palette().color(QPalette::Highlight);
        QString rows;
        for (int top = 0; rows.size() < 10; top += rowHeight()) {
            const QImage row = view.copy(0, top, view.width(), rowHeight());
            // Right of any text and clear of the dotted focus frame.
            if (row.pixelColor(row.width() - 4, rowHeight() / 2) == highlight) {
                rows += row.pixelColor(0, 0) == highlight && row.pixelColor(1, 0) == highlight ? u'h' : u'f';
                continue;
            }
            bool ink = false;
            for (int i = 0; i < row.width() * row.height(); ++i)
                ink = ink || row.pixelColor(i % row.width(), i / row.width()).lightness() < 100;
            QImage grey(row.size(), row.format());
            grey.fill(QColor(224, 224, 224));
            rows += ink ? u'i' : row == grey ? u' ' : u'?';
        }
        return rows;
    }

    NickList *m_nicks = nullptr;
    NickListBox *m_box = nullptr;
    QSignalSpy *m_clicked = nullptr;
};

void TstNickListBox::init()
{
    m_box = new NickListBox;
    QCOMPARE(m_box->count(), 0); // no list yet: no rows
    m_nicks = new NickList;
    m_box->setModel(m_nicks);
    m_box->resize(160, 10 * m_box->fontMetrics().lineSpacing() + 2 * m_box->frameWidth() + 3);
    m_box->show();
    m_box->setFocus();
    QVERIFY(QTest::qWaitForWindowExposed(m_box));
    QCOMPARE(rowsInSight(), 10);
    m_clicked = new QSignalSpy(m_box, &NickListBox::clicked);
}

void TstNickListBox::gesturesMoveSelectionAndView_data()
{
    // The list holds "AA", "AB", ... Steps, rows counted in sight: "c2" a
    // left click on a row, "r1" a right one; "p1", "m4", "u9" a press, move
    // and release of the left button ("m10" is below the view); "w-120" a
    // wheel turn; "a" an append; "s150" the program's selection of an entry;
    // "x" clear; anything else keys.
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("top"); // the first row in sight, before the steps
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("topAfter");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<QString>("clipboard"); // "-" unless copied
    // clang-format off
    QTest::newRow("click selects the row under the pointer") << 30 << 0 << u"c2"_s << 2 << u"AC"_s << 0 << 1 << u"-"_s;
    QTest::newRow("click on the selected row tells again") << 30 << 0 << u"c2 c2"_s << 2 << u"AC"_s << 0 << 2 << u"-"_s;
    QTest::newRow("click in a scrolled list") << 30 << 15 << u"c0"_s << 15 << u"AP"_s << 15 << 1 << u"-"_s;
    QTest::newRow("right click selects the row under the pointer") << 30 << 15 << u"c0 r1"_s << 16 << u"AQ"_s << 15 << 2 << u"-"_s;
    QTest::newRow("click below the last row") << 3 << 0 << u"c5"_s << -1 << QString() << 0 << 0 << u"-"_s;
    QTest::newRow("click below the last row keeps the row") << 3 << 0 << u"c1 c3"_s << 1 << u"AB"_s << 0 << 1 << u"-"_s;
    QTest::newRow("drag within the row tells nothing new") << 30 << 0 << u"p1 m1"_s << 1 << u"AB"_s << 0 << 1 << u"-"_s;
    QTest::newRow("drag onto another row") << 30 << 0 << u"p1 m4"_s << 4 << u"AE"_s << 0 << 2 << u"-"_s;
    QTest::newRow("drag below the view steps one row on") << 30 << 0 << u"p1 m4 m10"_s << 10 << u"AK"_s << 1 << 3 << u"-"_s;
    QTest::newRow("a move after the release does nothing") << 30 << 0 << u"p1 m4 m10 u9 m2"_s << 10 << u"AK"_s << 1 << 3 << u"-"_s;
    QTest::newRow("Down with nothing selected: the first row") << 100 << 0 << u"Down"_s << 0 << u"AA"_s << 0 << 1 << u"-"_s;
    QTest::newRow("Up on the first row stays") << 100 << 0 << u"s0 Up"_s << 0 << u"AA"_s << 0 << 0 << u"-"_s;
    QTest::newRow("Down past the bottom scrolls one row") << 100 << 0 << u"s9 Down Down"_s << 11 << u"AL"_s << 2 << 2 << u"-"_s;
    QTest::newRow("PageDown moves nine rows") << 100 << 3 << u"s12 PgDown"_s << 21 << u"AV"_s << 12 << 1 << u"-"_s;
    QTest::newRow("PageUp twice") << 100 << 12 << u"s21 PgUp PgUp"_s << 3 << u"AD"_s << 3 << 2 << u"-"_s;
    QTest::newRow("End, then Down stays on the last") << 100 << 0 << u"End Down"_s << 99 << u"DV"_s << 90 << 1 << u"-"_s;
    QTest::newRow("Home from nothing selected") << 100 << 50 << u"Home"_s << 0 << u"AA"_s << 0 << 1 << u"-"_s;
    QTest::newRow("End in a million entries") << 1'000'000 << 0 << u"End"_s << 999'999 << u"HN"_s << 999'990 << 1 << u"-"_s;
    QTest::newRow("click at the end of a million") << 1'000'000 << 999'990 << u"c8"_s << 999'998 << u"HM"_s << 999'990 << 1 << u"-"_s;
    QTest::newRow("a wheel notch scrolls three rows") << 100 << 0 << u"w-120"_s << -1 << QString() << 3 << 0 << u"-"_s;
    QTest::newRow("half a notch waits for the other half") << 100 << 0 << u"w-120 w-60"_s << -1 << QString() << 3 << 0 << u"-"_s;
    QTest::newRow("two half notches make one") << 100 << 0 << u"w-60 w-60"_s << -1 << QString() << 3 << 0 << u"-"_s;
    QTest::newRow("the wheel stops at the top") << 100 << 6 << u"w240"_s << -1 << QString() << 0 << 0 << u"-"_s;
    QTest::newRow("an append keeps the selection") << 205 << 0 << u"s1 a"_s << 1 << u"AB"_s << 0 << 0 << u"-"_s;
    QTest::newRow("an append keeps a scrolled view") << 205 << 50 << u"a"_s << -1 << QString() << 50 << 0 << u"-"_s;
    QTest::newRow("the program's selection comes into sight") << 206 << 0 << u"s150"_s << 150 << u"FU"_s << 141 << 0 << u"-"_s;
    QTest::newRow("the program's selection past the end") << 206 << 0 << u"s150 s206"_s << -1 << QString() << 141 << 0 << u"-"_s;
    QTest::newRow("clear resets the selection and the view") << 100 << 0 << u"s80 x"_s << -1 << QString() << 0 << 0 << u"-"_s;
    QTest::newRow("a click after clear") << 100 << 0 << u"s80 x a c0"_s << 0 << u"AA"_s << 0 << 1 << u"-"_s;
    QTest::newRow("Ctrl+C copies the selected nick") << 5 << 0 << u"s3 Ctrl+C"_s << 3 << u"AD"_s << 0 << 0 << u"AD"_s;
    QTest::newRow("Ctrl+C with nothing selected") << 5 << 0 << u"Ctrl+C"_s << -1 << QString() << 0 << 0 << u"-"_s;
    // clang-format on
}

void TstNickListBox::gesturesMoveSelectionAndView()
{
    QFETCH(int, entries);
    QFETCH(int, top);
    QFETCH(QString, steps);
    fill(entries);
    bar()->setValue(top);
    QGuiApplication::clipboard()->setText(u"-"_s);
    for (const QString &step : steps.split(u' ')) {
        const int n = step.mid(1).toInt();
        const QChar kind = step.size() > 1 && !step[1].isLetter() ? step[0] : u'k';
        QWidget *view = m_box->viewport();
        if (kind == u'c' || kind == u'r') {
            QTest::mouseClick(view, kind == u'c' ? Qt::LeftButton : Qt::RightButton, {}, rowCentre(n));
        } else if (kind == u'p') {
            QTest::mousePress(view, Qt::LeftButton, {}, rowCentre(n));
        } else if (kind == u'm') {
            QTest::mouseMove(view, rowCentre(n));
        } else if (kind == u'u') {
            QTest::mouseRelease(view, Qt::LeftButton, {}, rowCentre(n));
        } else if (kind == u'w') {
            QWheelEvent wheel(rowCentre(3), view->mapToGlobal(rowCentre(3)), {}, QPoint(0, n), Qt::NoButton,
                              {}, Qt::NoScrollPhase, false);
            QApplication::sendEvent(view, &wheel);
        } else if (kind == u's') {
            m_box->setCurrentRow(n);
        } else if (step == u"a") {
            fill(1);
        } else if (step == u"x") {
            m_nicks->erase();
        } else {
            QTest::keySequence(m_box, QKeySequence(step));
        }
    }
    QTEST(int(m_box->currentRow()), "row");
    QTEST(m_box->text(), "text");
    QTEST(bar()->value(), "topAfter");
    QTEST(int(m_clicked->count()), "clicks");
    QTEST(QGuiApplication::clipboard()->text(), "clipboard");
}

void TstNickListBox::screenShowsAppendsSelectionAndFocus()
{
    QTRY_VERIFY(m_box->hasFocus());
    QCOMPARE(rowsOnScreen(), u"i         "_s); // the focus frame on an empty list
    fill(3);
    QCOMPARE(rowsOnScreen(), u"iii       "_s);
    m_nicks->append(u"WWWWWW");
    QCOMPARE(rowsOnScreen(), u"iiii      "_s);
    // The context menu's one entry, greyed while nothing is selected.
    const auto copyEntry = [this]() -> QString {
        QContextMenuEvent opened(QContextMenuEvent::Mouse, rowCentre(1),
                                 m_box->viewport()->mapToGlobal(rowCentre(1)));
        QApplication::sendEvent(m_box->viewport(), &opened);
        auto *menu = m_box->findChild<QMenu *>();
        if (!menu || menu->actions().size() != 1)
            return u"no menu of one entry"_s;
        menu->close();
        // The menu took the focus; give it back to the list.
        m_box->activateWindow();
        m_box->setFocus();
        if (!QTest::qWaitFor([this] { return m_box->hasFocus(); }))
            return u"the focus did not come back"_s;
        const QAction *copy = menu->actions().constFirst();
        return copy->text() + (copy->isEnabled() ? u" enabled"_s : u" greyed"_s);
    };
    QCOMPARE(copyEntry(), u"Копировать greyed"_s);
    QTest::mouseClick(m_box->viewport(), Qt::LeftButton, {}, rowCentre(1));
    QCOMPARE(rowsOnScreen(), u"ifii      "_s);
    QCOMPARE(copyEntry(), u"Копировать enabled"_s);
    QTest::keyClick(m_box, Qt::Key_Down);
    QCOMPARE(rowsOnScreen(), u"iifi      "_s);
    QTest::keyClick(m_box, Qt::Key_End);
    QCOMPARE(rowsOnScreen(), u"iiif      "_s);
    m_nicks->append(u"WWWWWW"); // the selection stays on its row
    QCOMPARE(rowsOnScreen(), u"iiifi     "_s);
    m_box->clearFocus();
    QCOMPARE(rowsOnScreen(), u"iiihi     "_s);
    m_box->setCurrentRow(0);
    QCOMPARE(rowsOnScreen(), u"hiiii     "_s);
    m_nicks->erase();
    QCOMPARE(rowsOnScreen(), u"          "_s);

    m_box->setFocus();
    for (int i = 0; i < 1'000'000; ++i)
        m_nicks->append(u"NICK");
    QCOMPARE(rowsOnScreen(), u"iiiiiiiiii"_s);
    // The selection is painted on the bottom row in sight, then the one above.
    QTest::keyClick(m_box, Qt::Key_End);
    QCOMPARE(rowsOnScreen(), u"iiiiiiiiif"_s);
    QTest::keyClick(m_box, Qt::Key_Up);
    QCOMPARE(rowsOnScreen(), u"iiiiiiiifi"_s);
}

void TstNickListBox::scrollBarOnScreenFollowsEveryAppend()
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

    // The bar shows once the rows pass the view, and goes with them.
    fill(10);
    QTRY_VERIFY(!bar()->isVisible());
    fill(1);
    QTRY_VERIFY(bar()->isVisible());
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
            if (onScreen(QRect(bar()->mapTo(m_box, QPoint(0, 0)), bar()->size())) !=
                bar()->grab().toImage().convertToFormat(QImage::Format_RGB32))
                QFAIL(qPrintable(u"stale scroll bar at %1 entries"_s.arg(m_box->count())));
        }
        // At the top it repaints while the slider shrinks, then no more.
        if (!atEnd)
            QVERIFY2(repaints > 0 && repaints < 150, qPrintable(QString::number(repaints)));
    }
    QCOMPARE(bar()->maximum(), 611 - 10);
    m_nicks->erase();
    QCOMPARE(bar()->maximum(), 0);
    QTRY_VERIFY(!bar()->isVisible());
}

void TstNickListBox::screenReaderGetsEntriesOneByOne()
{
    fill(3000);
    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(m_box);
    QCOMPARE(list->role(), QAccessible::List);
    // Nobody listening, a selection leaves no entry held.
    m_box->setCurrentRow(5);
    QCOMPARE(static_cast<NickListAccessible *>(list)->heldEntries(), 0);
    // One unnamed table holds the entries, each at its place in the list.
    QCOMPARE(list->childCount(), 1);
    QAccessibleInterface *entries = list->child(0);
    QCOMPARE(entries->role(), QAccessible::Table);
    QCOMPARE(entries->text(QAccessible::Name), QString());
    QCOMPARE(entries->childCount(), 3000);
    QAccessibleInterface *entry = entries->child(27);
    QVERIFY(entry);
    QCOMPARE(entry->role(), QAccessible::ListItem);
    QCOMPARE(entry->text(QAccessible::Name), u"BB"_s);
    QCOMPARE(entry->text(QAccessible::Description), QString()); // else said twice
    QCOMPARE(entry->parent(), entries);
    QCOMPARE(entries->child(27), entry); // made once, then kept
    QCOMPARE(entries->indexOfChild(entry), 27);
    QVERIFY(!entries->child(3000));

    // A reader that visits every entry leaves at most a thousand held.
    for (int row = 0; row < 3000; ++row) {
        QAccessibleInterface *visited = entries->child(row);
        if (entries->indexOfChild(visited) != row || visited->text(QAccessible::Name) != nickFor(row))
            QFAIL(qPrintable(u"entry %1 misplaced"_s.arg(row)));
    }
    QCOMPARE(static_cast<NickListAccessible *>(list)->heldEntries(), 1000);

    m_nicks->erase();
    QCOMPARE(entries->childCount(), 0);
    QVERIFY(!entries->child(0));
}

void TstNickListBox::screenReaderHearsFocusSizeAndCopyOfTheListAlone()
{
    fill(40);
    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(m_box);
    QAccessibleInterface *entries = list->child(0);
    // Its size for a reader entering it; its entries are no list inside it.
    QCOMPARE(list->text(QAccessible::Description), u"в списке 40 записей"_s);
    QCOMPARE(entries->parent(), list->parent());

    // With the focus, the list and its table say so, and show the entries.
    QVERIFY(list->state().focused && entries->state().focused && !entries->state().invisible);
    QCOMPARE(entries->childCount(), 40);
    QTest::keyClick(m_box, Qt::Key_End);
    QCOMPARE(list->focusChild(), entries->child(39));
    QSignalSpy copied(m_box, &NickListBox::copied);
    QTest::keyClick(m_box, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(m_box, Qt::Key_Home);
    QTest::keyClick(m_box, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(copied.value(0).value(0).toString(), nickFor(39));
    QCOMPARE(copied.value(1).value(0).toString(), nickFor(0));
    QTest::keyClick(m_box, Qt::Key_End);

    // Without it, nothing there says it is focused, and the table holds the
    // rows in sight, 30 to 39, for a review of the screen: a search for the
    // focus goes through no more than those.
    m_box->clearFocus();
    QVERIFY(!list->state().focused && !entries->state().focused && !entries->state().invisible);
    QCOMPARE(entries->childCount(), 10);
    QCOMPARE(entries->child(9)->text(QAccessible::Name), nickFor(39));
    QCOMPARE(entries->indexOfChild(entries->child(9)), 9);
    QVERIFY(!list->focusChild() && !entries->child(10));
    // A reader's pointer still finds an entry in sight: the third of rows 30 to 39.
    const QPoint third = m_box->viewport()->mapToGlobal(rowCentre(2));
    QAccessibleInterface *pointed = entries->childAt(third.x(), third.y());
    QVERIFY(pointed);
    QCOMPARE(pointed->text(QAccessible::Name), nickFor(32));
    // At the top, the rows in sight and no more of the list, a cut last row too.
    m_box->setCurrentRow(0);
    const int shown = entries->childCount();
    QVERIFY(m_box->rowRect(shown - 1).intersects(m_box->viewport()->rect()) && !entries->child(shown));
    QVERIFY(!m_box->rowRect(shown).intersects(m_box->viewport()->rect()));
    // Exactly ten rows high, it shows ten: the next row starts past its edge.
    m_box->resize(m_box->width(), 10 * rowHeight() + 2 * m_box->frameWidth());
    QCOMPARE(entries->childCount(), 10);
}

void TstNickListBox::screenReaderHearsTheListEnteredByAClick()
{
    fill(40);
    m_box->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_box));
    m_box->clearFocus();
    // What the list tells a reader itself, each event with the name of what it is about.
    QList<std::pair<QAccessible::Event, QString>> told;
    AccessiblePacing::instance().setSink([&told](QAccessibleEvent *event) {
        told.append({event->type(), event->accessibleInterface()->text(QAccessible::Name)});
    });
    const auto restore = qScopeGuard([] { AccessiblePacing::instance().setSink({}); });
    QSignalSpy entered(m_box, &NickListBox::enteredAt);
    const auto clickRow = [this](int rowInSight) {
        const QPoint at = m_box->viewport()->mapTo(m_box, rowCentre(rowInSight));
        QTest::mousePress(m_box->windowHandle(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(m_box->windowHandle(), Qt::LeftButton, {}, at);
    };

    // A click from elsewhere enters the list at the nick clicked: a reader,
    // told of the list's focus, says the list and its size, and is told that
    // nick next, once, as after Tab.
    // The top nick, told once, though the focus came in twice (the window turning
    // active, then the click).
    clickRow(0);
    QTRY_COMPARE(entered.size(), 1);
    QCOMPARE(entered[0][0].toString(), u"AA"_s);
    const decltype(told) selectedOnly{{QAccessible::Selection, u"AA"_s}};
    QCOMPARE(told, selectedOnly); // the list's own focus Qt tells
    // A reader asks the table, one column of every entry now, what lies at
    // the point clicked, rather than going through every entry above it.
    QAccessibleInterface *entries = QAccessible::queryAccessibleInterface(m_box)->child(0);
    QAccessibleTableInterface *table = entries->tableInterface();
    QVERIFY(table && table->rowCount() == 40 && table->columnCount() == 1);
    const QPoint clicked = m_box->viewport()->mapToGlobal(rowCentre(0));
    QAccessibleInterface *cell = entries->childAt(clicked.x(), clicked.y());
    QVERIFY(cell && cell == table->cellAt(0, 0) && !table->cellAt(3, 1));
    const QAccessibleTableCellInterface *place = cell->tableCellInterface();
    QCOMPARE(QList<int>({place->rowIndex(), place->columnIndex(), place->rowExtent(), place->columnExtent()}),
             QList<int>({0, 0, 1, 1}));
    QCOMPARE(place->table(), entries);
    // The selection is the list's: the nick clicked, which a reader cannot change there.
    QVERIFY(!table->selectRow(4));
    QCOMPARE(table->selectedRows(), QList<int>{0});
    QCOMPARE(table->selectedCells(), QList<QAccessibleInterface *>{cell});
    QVERIFY(table->isRowSelected(0) && !table->isRowSelected(4) && place->isSelected());
    QVERIFY(!table->cellAt(4, 0)->tableCellInterface()->isSelected());
    // Within the list, a click is told by the nick's own focus, as the arrows are.
    told.clear();
    clickRow(5);
    QCoreApplication::processEvents();
    const decltype(told) focused{{QAccessible::Selection, u"AF"_s}, {QAccessible::Focus, u"AF"_s}};
    QCOMPARE(told, focused);
    QCOMPARE(entered.size(), 1);
    // Clicked from elsewhere below the last nick, the list is entered at the one selected.
    // The erase drops the entries a reader held: their rows hold other nicks now.
    const QAccessible::Id firstEntry = QAccessible::uniqueId(cell);
    m_nicks->erase();
    QVERIFY(!QAccessible::accessibleInterface(firstEntry));
    fill(3);
    m_box->setCurrentRow(1);
    m_box->clearFocus();
    clickRow(8);
    QTRY_COMPARE(entered.size(), 2);
    QCOMPARE(entered[1][0].toString(), u"AB"_s);
    // So do entries brought back in front of them.
    auto *list = static_cast<NickListAccessible *>(QAccessible::queryAccessibleInterface(m_box));
    const QAccessible::Id lastEntry = QAccessible::uniqueId(list->entry(2));
    QCOMPARE(m_nicks->bringBack(), 40);
    QVERIFY(!QAccessible::accessibleInterface(lastEntry));
    // The program's selection in a list without the focus is no focus.
    m_box->clearFocus();
    told.clear();
    m_box->setCurrentRow(0);
    QCOMPARE(told, selectedOnly);
}

QTEST_MAIN(TstNickListBox)
#include "tst_nicklistbox.moc"
