#include "ui/list/nicklistbox.h"

#include "core/nicklist.h"
#include "ui/common/look.h"
#include "ui/list/listmenu.h"


#include <QClipboard>
#include <QCoreApplication>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <climits>
#include <utility>

namespace {
constexpr int TextMargin = 2;
constexpr int RowsPerWheelStep = 3;
constexpr int WheelStep = 120; // QWheelEvent's angle delta of one notch
constexpr int SettleMs = 100;  // for a popup menu to settle in the window system

// A scroll bar that repaints on a change of range or page step only when
// the change shows. With many rows an append moves the slider by less than
// a pixel, and a repaint of the whole bar would be most of a tick's cost.
class RangeScrollBar : public QScrollBar
{
public:
    using QScrollBar::QScrollBar;

protected:
    void sliderChange(SliderChange change) override
    {
        if ((change == SliderRangeChange || change == SliderStepsChange) && look() == m_painted)
            return;
        QScrollBar::sliderChange(change);
    }

    void paintEvent(QPaintEvent *event) override
    {
        m_painted = look();
        QScrollBar::paintEvent(event);
    }

private:
    // What the range decides on screen: where the slider stands, and
    // whether the value sits at either end (styles may grey an arrow).
    struct Look
    {
        QRect slider;
        bool atMinimum = false;
        bool atMaximum = false;
        bool operator==(const Look &) const = default;
    };

    Look look() const
    {
        QStyleOptionSlider option;
        initStyleOption(&option);
        return {style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this),
                value() == minimum(), value() == maximum()};
    }

    Look m_painted;
};
} // namespace

NickListBox::NickListBox(QWidget *parent) : QAbstractScrollArea(parent)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Look::panelGrey());
    colours.setColor(QPalette::Text, Look::windowText());
    setPalette(colours);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);

    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBar(new RangeScrollBar(Qt::Vertical, this));
    verticalScrollBar()->setSingleStep(1);
    updateScrollBar();
}

void NickListBox::setModel(NickList *model)
{
    if (m_model)
        disconnect(m_model, nullptr, this, nullptr);
    m_model = model;
    if (m_model) {
        connect(m_model, &NickList::appended, this, &NickListBox::appended);
        connect(m_model, &NickList::erased, this, &NickListBox::erased);
        connect(m_model, &NickList::broughtBack, this, &NickListBox::broughtBack);
    }
    erased();
}

qsizetype NickListBox::count() const
{
    return m_model ? m_model->count() : 0;
}

QString NickListBox::item(qsizetype i) const
{
    return m_model ? m_model->entry(i) : QString();
}

void NickListBox::appended(qsizetype row)
{
    // Only the scroll bar and, when in sight, the new row need repainting:
    // the cost of an append must not grow with the list.
    updateScrollBar();
    updateRow(row);
}

void NickListBox::erased()
{
    m_currentRow = -1;
    m_dragging = false;
    updateScrollBar();
    verticalScrollBar()->setValue(0);
    viewport()->update();
}

void NickListBox::broughtBack(qsizetype entries)
{
    updateScrollBar();
    if (m_currentRow >= 0) {
        m_currentRow += entries;
        scrollTo(m_currentRow);
    }
    viewport()->update();
}

void NickListBox::setCurrentRow(qsizetype row)
{
    if (row < 0 || row >= count()) {
        updateRow(m_currentRow);
        m_currentRow = -1;
        updateRow(m_currentRow);
        return;
    }
    moveCurrentRow(row);
}

QString NickListBox::text() const
{
    return item(m_currentRow);
}

void NickListBox::copy()
{
    copyNick(false);
}

void NickListBox::copyNick(bool nickToldAgain)
{
    if (m_currentRow < 0)
        return;
    QGuiApplication::clipboard()->setText(text());
    Q_EMIT copied(text(), nickToldAgain);
}

QRect NickListBox::rowRect(qsizetype row) const
{
    const qsizetype y = (row - topRow()) * rowHeight();
    return QRect(0, int(std::clamp<qsizetype>(y, INT_MIN / 2, INT_MAX / 2)), viewport()->width(),
                 rowHeight());
}

int NickListBox::rowHeight() const
{
    return std::max(1, fontMetrics().lineSpacing());
}

int NickListBox::rowsInSight() const
{
    return std::max(1, viewport()->height() / rowHeight());
}

qsizetype NickListBox::topRow() const
{
    return verticalScrollBar()->value();
}

qsizetype NickListBox::rowAt(int y) const
{
    // Round towards minus infinity so that a point above the viewport lies
    // above the top row.
    const int offset = y >= 0 ? y / rowHeight() : (y + 1) / rowHeight() - 1;
    return topRow() + offset;
}

bool NickListBox::isInSight(qsizetype row) const
{
    // The row below the last whole one may show in part.
    return row >= topRow() && row <= topRow() + rowsInSight();
}

void NickListBox::updateRow(qsizetype row)
{
    // No current row: the focus frame's place, the first row in sight.
    if (row < 0) {
        viewport()->update(0, 0, viewport()->width(), rowHeight());
        return;
    }
    if (!isInSight(row))
        return;
    const int y = int(row - topRow()) * rowHeight();
    viewport()->update(0, y, viewport()->width(), rowHeight());
}

void NickListBox::updateScrollBar()
{
    const qsizetype hidden = std::max<qsizetype>(0, count() - rowsInSight());
    const int maximum = int(std::min<qsizetype>(hidden, INT_MAX));
    QScrollBar *bar = verticalScrollBar();
    bar->setPageStep(rowsInSight());

    // QAbstractScrollArea answers every range change with a queued call that
    // shows or hides the bar: a burst of appends would pile up one per entry.
    // Growth from a range that is already non-empty changes neither the bar's
    // visibility nor its value, so it needs no signal.
    QSignalBlocker quiet(bar);
    if (bar->maximum() == 0 || maximum < bar->maximum())
        quiet.unblock();
    bar->setRange(0, maximum);
}

void NickListBox::scrollTo(qsizetype row)
{
    if (row < topRow())
        verticalScrollBar()->setValue(int(row));
    else if (row >= topRow() + rowsInSight())
        verticalScrollBar()->setValue(int(row - rowsInSight() + 1));
}

bool NickListBox::moveCurrentRow(qsizetype row)
{
    if (count() == 0)
        return false;
    row = std::clamp<qsizetype>(row, 0, count() - 1);
    const bool changed = row != m_currentRow;
    if (changed) {
        updateRow(m_currentRow);
        m_currentRow = row;
    }
    scrollTo(row);
    updateRow(row);
    if (changed) {
        Q_EMIT currentRowChanged(row);
        // A press that brings the focus in leaves it on the list, which a
        // reader says first; the nick is told once it has.
        if (!m_pressEntering)
            tellFocusedRow();
    }
    return changed;
}

void NickListBox::tellFocusedRow()
{
    if (hasFocus() && m_currentRow >= 0)
        Q_EMIT focusedRowChanged(m_currentRow);
}

void NickListBox::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    painter.setFont(font());
    const QFontMetrics metrics = fontMetrics();
    const int height = rowHeight();
    const int width = viewport()->width();
    const QRect area = event->rect();
    const qsizetype first = rowAt(std::max(0, area.top()));
    const qsizetype last = std::min(rowAt(area.bottom()), count() - 1);

    for (qsizetype row = first; row <= last; ++row) {
        const QRect rect(0, int(row - topRow()) * height, width, height);
        QColor textColour = palette().color(QPalette::Text);
        if (row == m_currentRow) {
            painter.fillRect(rect, palette().brush(QPalette::Highlight));
            textColour = palette().color(QPalette::HighlightedText);
        }
        painter.setPen(textColour);
        painter.drawText(QPoint(TextMargin, rect.top() + metrics.ascent()), m_model->entry(row));

        if (row == m_currentRow && hasFocus()) {
            // The classic dotted focus frame: every other pixel.
            QPen dots(textColour, 0);
            dots.setDashPattern({1, 1});
            painter.setPen(dots);
            painter.drawRect(rect.adjusted(0, 0, -1, -1));
        }
    }
    if (m_currentRow < 0 && hasFocus()) {
        // Nothing selected (an empty list too): the focus frame stands where
        // the first row in sight is, so the focus is never invisible.
        QPen dots(palette().color(QPalette::Text), 0);
        dots.setDashPattern({1, 1});
        painter.setPen(dots);
        painter.drawRect(QRect(0, 0, width, height).adjusted(0, 0, -1, -1));
    }
}

void NickListBox::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBar();
}

void NickListBox::changeEvent(QEvent *event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        updateScrollBar();
        viewport()->update();
    }
}

void NickListBox::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    updateRow(m_currentRow);
    Q_EMIT focusChanged();
    m_rowEntered = m_currentRow;
    // The press that brought the focus is handled next, within this event.
    m_pressEntering = event->reason() == Qt::MouseFocusReason;
    // Qt tells the screen reader of the list's focus once this returns.
    // Back from its own menu the reader then lands on the selected entry.
    // Coming from elsewhere, by a key or a click, it first says the list and
    // its size, and the selected nick is told after that: a reader names no
    // list around an entry that gets the focus, and the entry's focus would
    // cut the list short.
    if (event->reason() == Qt::PopupFocusReason)
        QMetaObject::invokeMethod(this, &NickListBox::tellFocusedRow, Qt::QueuedConnection);
    else
        QMetaObject::invokeMethod(this, &NickListBox::tellEntered, Qt::QueuedConnection);
}

void NickListBox::tellEntered()
{
    m_pressEntering = false;
    // A key or a drag that selected another entry since has told it already.
    // Told once, also where the focus came in twice before this ran (the
    // window's activation, then a click).
    if (hasFocus() && m_currentRow >= 0 && std::exchange(m_rowEntered, -1) == m_currentRow)
        Q_EMIT enteredAt(text());
}

void NickListBox::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    updateRow(m_currentRow);
    Q_EMIT focusChanged();
}

void NickListBox::mousePressEvent(QMouseEvent *event)
{
    const bool left = event->button() == Qt::LeftButton;
    if (!left && event->button() != Qt::RightButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    // A right click picks the nick under the pointer first, as in any list,
    // so that the menu it opens acts on that nick.
    m_dragging = left;
    const qsizetype row = rowAt(event->position().toPoint().y());
    if (row >= 0 && row < count()) {
        // Clicked from elsewhere, the list is entered at the nick clicked.
        if (m_pressEntering)
            m_rowEntered = row;
        moveCurrentRow(row);
        Q_EMIT clicked();
    }
    m_pressEntering = false;
    if (!left)
        QAbstractScrollArea::mousePressEvent(event);
}

void NickListBox::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging || !(event->buttons() & Qt::LeftButton) || count() == 0)
        return;
    // Past the top or bottom edge the selection steps one row beyond what is
    // in sight, which scrolls the list along with the pointer.
    const int y = event->position().toPoint().y();
    qsizetype row = rowAt(y);
    if (y < 0)
        row = topRow() - 1;
    else if (y >= viewport()->height())
        row = topRow() + rowsInSight();
    if (moveCurrentRow(row))
        Q_EMIT clicked();
}

void NickListBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseReleaseEvent(event);
        return;
    }
    m_dragging = false;
}

void NickListBox::addMenuAction(QAction *action)
{
    m_menuActions.append(action);
    if (m_menu)
        m_menu->addAction(action);
}

void NickListBox::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy)) {
        copy();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        // The desktop's other key for the context menu, besides the Menu key.
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, QPoint(), QPoint());
        contextMenuEvent(&menu);
        event->accept();
        return;
    }
    // With nothing selected, the moves start just above the first row.
    const qsizetype from = m_currentRow;
    const qsizetype page = std::max(1, rowsInSight() - 1);
    qsizetype to;
    switch (event->key()) {
    case Qt::Key_Up:
        to = from - 1;
        break;
    case Qt::Key_Down:
        to = from + 1;
        break;
    case Qt::Key_PageUp:
        to = from - page;
        break;
    case Qt::Key_PageDown:
        to = from + page;
        break;
    case Qt::Key_Home:
        to = 0;
        break;
    case Qt::Key_End:
        to = count() - 1;
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
    if (moveCurrentRow(to))
        Q_EMIT clicked();
}

void NickListBox::wheelEvent(QWheelEvent *event)
{
    m_wheelDelta += event->angleDelta().y();
    const int steps = m_wheelDelta / WheelStep;
    m_wheelDelta -= steps * WheelStep;
    QScrollBar *bar = verticalScrollBar();
    bar->setValue(bar->value() - steps * RowsPerWheelStep);
    event->accept();
}

void NickListBox::contextMenuEvent(QContextMenuEvent *event)
{
    if (!m_menu) {
        m_menu = new ListMenu(this);
        m_copyAction = m_menu->addAction(tr("Копировать"), this, [this] { copyNick(m_menuFromFocus); });
        m_copyAction->setShortcut(QKeySequence::Copy);
        m_menu->addActions(m_menuActions);
    }
    m_copyAction->setEnabled(m_currentRow >= 0);
    m_menuFromFocus = hasFocus();
    // Not exec(): the event loop, and with it a running timer, carries on.
    // Opened from the keyboard, the menu starts on its first entry that can
    // be chosen, as menus do on the desktop; a screen reader then says it.
    const bool byKeyboard = event->reason() == QContextMenuEvent::Keyboard;
    Q_EMIT menuOpened(byKeyboard);
    if (!byKeyboard) {
        m_menu->popup(event->globalPos());
        return;
    }
    m_menu->popup(viewport()->mapToGlobal(rowRect(m_currentRow >= 0 ? m_currentRow : topRow()).center()));
    // Only once the window system has settled the new popup: the window
    // below is activated anew as it opens (opened by the Menu key, some
    // milliseconds after the event loop's next pass), and a screen reader
    // that heard the entry before that would then name the window after it.
    const QList<QAction *> entries = m_menu->actions();
    const auto first =
        std::find_if(entries.cbegin(), entries.cend(), [](QAction *a) { return a->isEnabled(); });
    if (first != entries.cend())
        QTimer::singleShot(SettleMs, m_menu, [menu = m_menu, action = *first] { menu->setActiveAction(action); });
}
