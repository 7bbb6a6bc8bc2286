#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

class QProgressDialog;
class QWidget;
class SaveJob;

// How far a long save got: shown once a save has run half a second (at once
// when the window is closing), with the entries written out of all of them,
// a bar, and a Cancel button that stops the save. It goes when no save runs.
class SaveProgress : public QObject
{
    Q_OBJECT
public:
    SaveProgress(SaveJob &job, QWidget *window);
    ~SaveProgress() override;

    // A save began: its progress shows if it is still running half a second later.
    void saveStarted();
    // Shows the running save's progress now.
    void showNow();

private:
    void refresh();

    SaveJob &m_job;
    QWidget *m_window;
    QTimer m_delay;
    QTimer m_refresh;
    QPointer<QProgressDialog> m_dialog;
};
