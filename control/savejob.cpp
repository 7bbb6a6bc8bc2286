#include "control/savejob.h"

#include <QSocketNotifier>

#include <sys/eventfd.h>
#include <sys/resource.h>
#include <unistd.h>

#include <utility>

SaveJob::SaveJob(QObject *parent) : QObject(parent), m_wake(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
    if (m_wake < 0)
        qFatal("SaveJob: no eventfd");
    m_wakeNotifier = new QSocketNotifier(qintptr(m_wake), QSocketNotifier::Read, this);
    connect(m_wakeNotifier, &QSocketNotifier::activated, this, &SaveJob::checkEnded);
}

SaveJob::~SaveJob()
{
    m_next.reset();
    if (m_thread.joinable())
        m_thread.join();
    delete m_wakeNotifier;
    ::close(m_wake);
}

void SaveJob::start(const NickStore &list, const QByteArray &programFolder, const QByteArray &fallbackFolder)
{
    Order order{list, programFolder, fallbackFolder};
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

namespace {
// The save's thread takes a processor only when the window's thread does
// not want it: on a busy machine a save at the same priority kept the
// window waiting for a processor, and the timer lost its ticks. The
// window's own thread is not touched.
void yieldToWindow()
{
    // On Linux this sets the calling thread's nice value alone.
    ::setpriority(PRIO_PROCESS, 0, 19);
}
} // namespace

void SaveJob::run(Order order)
{
    m_work = std::make_shared<Work>();
    m_total = order.list.count();
    m_thread = std::thread([order = std::move(order), work = m_work, wake = m_wake] {
        yieldToWindow();
        work->result = NickLog::save(order.list, order.programFolder, order.fallbackFolder, &work->progress);
        work->done = true;
        [[maybe_unused]] const int told = ::eventfd_write(wake, 1);
    });
}

void SaveJob::checkEnded()
{
    eventfd_t wakes = 0;
    [[maybe_unused]] const int read = ::eventfd_read(m_wake, &wakes);
    if (!m_work || !m_work->done.load())
        return;
    m_thread.join();
    NickLog::Result result = std::move(m_work->result);
    result.tooLateToCancel =
        m_work->progress.stop.load() &&
        (result.outcome == NickLog::Outcome::Saved || result.outcome == NickLog::Outcome::SavedToFallback);
    const qsizetype entries = std::exchange(m_total, 0);
    m_work.reset();
    if (m_next) {
        Order next = std::move(*m_next);
        m_next.reset();
        run(std::move(next));
    }
    Q_EMIT finished(result, entries);
}
