#include "ui/main/saveprogress.h"

#include "control/savejob.h"
#include "ui/wording/wording.h"

#include <QLocale>
#include <QProgressDialog>

namespace {
// The bar counts in thousandths: a list can hold more entries than an int.
constexpr int BarSteps = 1000;
} // namespace

SaveProgress::SaveProgress(SaveJob &job, QWidget *window) : m_job(job), m_window(window)
{
    m_delay.setSingleShot(true);
    m_delay.setInterval(500);
    connect(&m_delay, &QTimer::timeout, this, &SaveProgress::showNow);
    m_refresh.setInterval(100);
    connect(&m_refresh, &QTimer::timeout, this, &SaveProgress::refresh);
    connect(&m_job, &SaveJob::finished, this, &SaveProgress::refresh);
}

SaveProgress::~SaveProgress()
{
    delete m_dialog;
}

void SaveProgress::saveStarted()
{
    if (!m_dialog && !m_delay.isActive())
        m_delay.start();
}

void SaveProgress::showNow()
{
    m_delay.stop();
    if (!m_job.isBusy())
        return;
    if (!m_dialog) {
        // Beside the window, which stays usable: the timer, the list, Erase
        // and another Save go on while the list is written.
        m_dialog = new QProgressDialog(m_window, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                                     Qt::WindowCloseButtonHint);
        m_dialog->setObjectName(QStringLiteral("SaveProgress"));
        m_dialog->setWindowTitle(tr("Сохранение"));
        m_dialog->setCancelButtonText(tr("Отмена"));
        m_dialog->setWindowModality(Qt::NonModal);
        m_dialog->setAutoReset(false);
        m_dialog->setAutoClose(false);
        m_dialog->setMinimumDuration(0);
        m_dialog->setRange(0, BarSteps);
        connect(m_dialog, &QProgressDialog::canceled, &m_job, &SaveJob::cancel);
    }
    refresh();
    m_dialog->show();
    m_refresh.start();
}

void SaveProgress::refresh()
{
    if (!m_dialog)
        return;
    if (!m_job.isBusy()) {
        m_refresh.stop();
        delete m_dialog;
        return;
    }
    // Counts are written as the desktop writes numbers.
    const QLocale numbers;
    const qsizetype written = m_job.written();
    const qsizetype total = m_job.total();
    //: %1 is how many nicks are written so far, %2 how many there are in all, each written as the desktop
    //: writes numbers (e.g. 1,200 of 5,000).
    QString text = tr("Сохранение списка: %1 из %2")
                       .arg(numbers.toString(qint64(written)), numbers.toString(qint64(total)));
    if (m_job.isWaiting())
        //: A line added under «Сохранение списка: %1 из %2», hence the line break before it, while another
        //: copy of the program saves into the same folder.
        text += tr("\nЖдём, пока другая копия программы закончит сохранение в эту папку.");
    m_dialog->setLabelText(text);
    m_dialog->setValue(total > 0 ? int(written * BarSteps / total) : 0);
}
