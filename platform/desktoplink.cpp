#include "platform/desktoplink.h"

#include <QProcess>
#include <QStandardPaths>

#include <cerrno>

namespace DesktopLink {

int open(const QUrl &url)
{
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty())
        return ENOENT;

    // No parent, and never deleted while running: a QProcess destroyed while
    // its program runs kills it, and the opener may be the browser itself.
    auto *process = new QProcess;
    process->setProgram(opener);
    process->setArguments({url.toString(QUrl::FullyEncoded)});
    process->setStandardInputFile(QProcess::nullDevice());
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start();
    if (!process->waitForStarted(1000)) {
        delete process;
        return -1;
    }
    // A failing opener ends at once with its reason as exit status; a working
    // one may go on as long as the browser it became.
    if (process->waitForFinished(1000)) {
        const int code = process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
        delete process;
        return code;
    }
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    return 0;
}

} // namespace DesktopLink
