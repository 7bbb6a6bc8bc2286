#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <functional>

// Waits for the next modal message box, records it, runs a check while it is
// open, and dismisses it with Return, as a user would press OK.
class ModalWatcher
{
public:
    explicit ModalWatcher(std::function<void()> whileOpen = {}) : m_whileOpen(std::move(whileOpen))
    {
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { poll(); });
        m_timer.start(10);
    }

    bool seen = false;
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;

private:
    void poll()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        m_timer.stop();
        std::tie(seen, text, title, icon) = std::tuple(true, box->text(), box->windowTitle(), box->icon());
        buttons = static_cast<int>(box->buttons().size());
        if (m_whileOpen)
            m_whileOpen();
        box->accept();
    }

    QTimer m_timer;
    std::function<void()> m_whileOpen;
};
