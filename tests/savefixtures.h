#pragma once

#include "control/savejob.h"
#include "platform/save/systemcalls.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <climits>
#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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

// A fresh temporary folder holding "program" and "documents" for each test
// (in the folder `under`, if given); m_log is NIK.log in the program folder.
struct SaveFolders
{
    bool makeFolders(const QString &under = QString())
    {
        m_dir = under.isEmpty() ? std::make_unique<QTemporaryDir>()
                                : std::make_unique<QTemporaryDir>(under + QStringLiteral("/quillmark-XXXXXX"));
        m_programFolder = m_dir->filePath(QStringLiteral("program"));
        m_fallbackFolder = m_dir->filePath(QStringLiteral("documents"));
        m_log = QDir(m_programFolder).filePath(QStringLiteral("NIK.log"));
        // What a save keeps in the user's cache and runtime folders stays within the test.
        qputenv("XDG_CACHE_HOME", QFile::encodeName(m_dir->filePath(QStringLiteral("cache"))));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_dir->filePath(QStringLiteral("session"))));
        return m_dir->isValid() && QDir().mkpath(m_programFolder) && QDir().mkpath(m_fallbackFolder) &&
               ::mkdir(qgetenv("XDG_RUNTIME_DIR").constData(), 0700) == 0;
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

// The save's system calls at the seam: each on a watched folder or a file in
// it is noted ("write", "fsync folder" on the folder itself, "cache write"
// with a folder's label), and `act` runs with the notes so far: it may act
// as another user would, or end the process; an errno it returns fails the call.
struct SeamFaults
{
    QList<std::pair<QByteArray, QByteArray>> folders; // path and label
    QByteArrayList seen;
    int lastFd = -1; // the descriptor of the last call seen
    std::function<int(const QByteArray &calls)> act;

    SeamFaults(const QString &folder, std::function<int(const QByteArray &calls)> action = {})
        : act(std::move(action))
    {
        watch(folder, {});
    }
    SeamFaults(const SeamFaults &) = delete;
    SeamFaults &operator=(const SeamFaults &) = delete;
    // What the save is handed.
    const SystemCalls calls{[this](SystemCalls::Call call, int fd, const char *) { return reach(call, fd); }};

    void watch(const QString &folder, const QByteArray &label)
    {
        const QString canonical = QDir(folder).canonicalPath();
        folders.append({QFile::encodeName(canonical.isEmpty() ? folder : canonical), label});
    }
    int reach(SystemCalls::Call call, int fd)
    {
        static const char *const Names[] = {"open",        "write",      "pwrite", "pread",    "fsync",
                                            "ftruncate",   "fallocate",  "link",   "rename",   "unlink",
                                            "flock",       "fchown",     "fchmod", "setxattr", "mkdir",
                                            "removexattr", "sync range", "list",   "close",    "advise"};
        QByteArray path(PATH_MAX, '\0');
        path.truncate(std::max<ssize_t>(
            0, ::readlink("/proc/self/fd/" + QByteArray::number(fd), path.data(), size_t(path.size()))));
        for (const auto &[folder, label] : std::as_const(folders)) {
            if (path != folder && !path.startsWith(folder + '/'))
                continue;
            const bool onFolder = path == folder && call == SystemCalls::Call::Fsync;
            seen << (label.isEmpty() ? QByteArray() : label + ' ') + Names[int(call)] +
                        (onFolder ? " folder" : "");
            lastFd = fd;
            return act ? act(seen.join(' ')) : 0;
        }
        return 0;
    }
};

// Runs `save` in a copy of this process with `act` at the seam (and the cache
// folder watched, if given); whether `act` ended it with status 9, as a kill.
inline bool killedIn(const QString &folder, std::function<int(const QByteArray &)> act,
                     const std::function<void(const SystemCalls &)> &save, const QString &cache = {})
{
    const pid_t child = ::fork();
    if (child == 0) {
        SeamFaults faults(folder, std::move(act));
        if (!cache.isEmpty())
            faults.watch(cache, "cache");
        save(faults.calls);
        ::_exit(0);
    }
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 9;
}
