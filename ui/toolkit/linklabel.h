#pragma once

#include <QLabel>

#include <functional>

// A label that reports a left click: press and release both on the label.
// It keeps the press to itself rather than passing it to its container.
// Its own class name keeps Qt's label interface from answering for it.
// Tab reaches it (a click does not focus it), Return or Space opens it, and
// it draws a dotted focus frame while it has the focus.
class LinkLabel : public QLabel
{
    Q_OBJECT
public:
    LinkLabel(const QString &text, QWidget *parent) : QLabel(text, parent) { setFocusPolicy(Qt::TabFocus); }

    void setOnClick(std::function<void()> onClick) { m_onClick = std::move(onClick); }
    void click() const
    {
        if (m_onClick)
            m_onClick();
    }

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    std::function<void()> m_onClick;
    bool m_pressed = false;
};
