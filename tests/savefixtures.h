#pragma once

#include "control/savejob.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

// What the save tests share: a program folder and a documents folder of
// their own, reading and writing whole files, and a lowered file-size limit.

inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Clicks a window's Save and waits until that save has ended and told its
// outcome. Save runs beside the window; the click only starts it.
inline bool clickSaveAndWait(QWidget &form)
{
    auto *job = form.findChild<SaveJob *>(QStringLiteral("saveJob"));
    auto *save = form.findChild<QPushButton *>(QStringLiteral("Command1"));
    if (!job || !save)
        return false;
    QSignalSpy ended(job, &SaveJob::finished);
    QTest::mouseClick(save, Qt::LeftButton);
    return ended.wait(20000) && !job->isBusy();
}

// A fresh temporary folder holding "program" and "documents" for each test;
// m_log is NIK.log in the program folder.
struct SaveFolders
{
    bool makeFolders()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_programFolder = m_dir->filePath(QStringLiteral("program"));
        m_fallbackFolder = m_dir->filePath(QStringLiteral("documents"));
        m_log = QDir(m_programFolder).filePath(QStringLiteral("NIK.log"));
        return m_dir->isValid() && QDir().mkpath(m_programFolder) && QDir().mkpath(m_fallbackFolder);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_programFolder;
    QString m_fallbackFolder;
    QString m_log;
};

// Lowers the file-size limit for the scope; the kernel then refuses writes
// past it (SIGXFSZ is ignored so the write fails instead of killing us).
// As root, folder permissions cannot make a save fail; this can.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = m_old;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};
