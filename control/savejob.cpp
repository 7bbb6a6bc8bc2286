#include "control/savejob.h"

#include <QThread>

#include <utility>

SaveJob::SaveJob(QObject *parent) : QObject(parent) {}

SaveJob::~SaveJob()
{
    m_next.reset();
    if (m_thread)
        m_thread->wait();
}

void SaveJob::start(NickStore list, const QByteArrayList &places)
{
    Order order{std::move(list), places};
    if (isBusy())
        m_next = std::move(order);
    else
        run(std::move(order));
}

void SaveJob::cancel()
{
    m_next.reset();
    if (m_work)
        m_work->progress.stop = true;
}

void SaveJob::run(Order order)
{
    m_work = std::make_shared<Work>();
    m_total = order.list.count();
    m_thread.reset(QThread::create([order = std::move(order), work = m_work] {
        work->result = NickLog::save(order.list, order.places, &work->progress);
        work->done.store(true, std::memory_order_release);
    }));
    // The end is heard on this object's thread, through its event loop.
    connect(m_thread.get(), &QThread::finished, this, &SaveJob::ended);
    // The save takes a processor only when the window's thread does not want
    // it: on a busy machine a save at the same priority kept the window
    // waiting, and the timer lost its ticks. (On Linux this is SCHED_IDLE;
    // Qt's other priorities change nothing for ordinary threads there.)
    m_thread->start(QThread::IdlePriority);
}

void SaveJob::ended()
{
    m_thread->wait();
    m_thread.reset();
    if (!m_work->done.load(std::memory_order_acquire))
        qFatal("SaveJob: the save's thread ended without its result");
    SaveOutcome result = std::move(m_work->result);
    const qsizetype entries = std::exchange(m_total, 0);
    m_work.reset();
    if (m_next) {
        Order next = std::move(*m_next);
        m_next.reset();
        run(std::move(next));
    }
    Q_EMIT finished(result, entries);
}
