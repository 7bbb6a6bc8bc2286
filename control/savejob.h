#pragma once

#include "control/logfile.h"
#include "core/nickstore.h"

#include <QByteArray>
#include <QObject>

#include <memory>
#include <optional>

class QThread;

// Saves the list as NIK.log on a thread of its own, so that the window goes
// on (the timer ticks, the list scrolls) however long the list is. It saves
// a copy of the list as it was when asked, which shares the list's memory.
// One save runs at a time: a save asked for while one runs follows it, and
// of several such wishes only the latest, the newest list, is kept.
class SaveJob : public QObject
{
    Q_OBJECT
public:
    explicit SaveJob(QObject *parent = nullptr);
    // Waits for the running save: it is never cut half way.
    ~SaveJob() override;

    // Into the first of the places that takes it (SavePlaces).
    void start(NickStore list, const QByteArrayList &places);
    // Stops the running save and drops the one waiting to follow it; every
    // file stays as it was.
    void cancel();

    // A save runs, or one is waiting to follow it.
    bool isBusy() const { return m_thread != nullptr; }
    // The running save's entries: written so far, and all of them.
    qsizetype written() const { return m_work ? m_work->progress.written.load() : 0; }
    qsizetype total() const { return m_total; }
    // The running save waits for another copy's save into the same folder.
    bool isWaiting() const { return m_work && m_work->progress.waiting.load(); }

Q_SIGNALS:
    // After every save that ran, with the number of entries it was to
    // write, on the thread that asked for it; a save that follows has
    // already started.
    void finished(const SaveOutcome &outcome, qsizetype entries);

private:
    struct Order
    {
        NickStore list;
        QByteArrayList places;
    };
    // What the save's thread and this object share; the result is read only
    // once the thread has set `done`. (The thread has ended by then too, but
    // ThreadSanitizer does not see into Qt's wait for it: the flag is the
    // handover it sees.)
    struct Work
    {
        NickLog::Progress progress;
        SaveOutcome result;
        std::atomic<bool> done{false};
    };
    void run(Order order);
    void ended();

    std::unique_ptr<QThread> m_thread;
    std::shared_ptr<Work> m_work;
    qsizetype m_total = 0;
    std::optional<Order> m_next;
};
