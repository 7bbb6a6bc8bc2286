#include "platform/desktoplink.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <cerrno>
#include <memory>
#include <utility>

namespace DesktopLink {

void open(const QUrl &url, std::function<void(int code)> done)
{
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        done(ENOENT);
        return;
    }

    // The first report wins; later ones are dropped.
    auto pending = std::make_shared<std::function<void(int)>>(std::move(done));
    const auto report = [pending](int code) {
        if (*pending)
            std::exchange(*pending, nullptr)(code);
    };

    // No parent, and never deleted while running: a QProcess destroyed while
    // its program runs kills it, and the opener may be the browser itself.
    auto *process = new QProcess;
    process->setProgram(opener);
    process->setArguments({url.toString(QUrl::FullyEncoded)});
    process->setStandardInputFile(QProcess::nullDevice());
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    QObject::connect(process, &QProcess::errorOccurred, process, [process, report](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            report(-1);
            process->deleteLater();
        }
    });
    // A failing opener ends at once with its reason as exit status; a working
    // one may go on as long as the browser it became.
    QObject::connect(process, &QProcess::started, process,
                     [process, report] { QTimer::singleShot(1000, process, [report] { report(0); }); });
    QObject::connect(process, &QProcess::finished, process,
                     [process, report](int code, QProcess::ExitStatus status) {
                         report(status == QProcess::NormalExit ? code : -1);
                         process->deleteLater();
                     });
    process->start();
}

} // namespace DesktopLink
