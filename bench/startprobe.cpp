// Starts the main window as the program does (application, look, window),
// without the display guard and Qt's Russian texts, and prints, on the
// steady clock in nanoseconds, when it has been painted for the first time.
#include "ui/access/accessibility.h"
#include "ui/common/look.h"
#include "ui/main/form1.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <chrono>
#include <cstdio>

namespace {

class FirstPaint : public QObject
{
protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // Runs once the whole window, children included, is painted and flushed.
            QTimer::singleShot(0, qApp, [] {
                const auto now = std::chrono::steady_clock::now().time_since_epoch();
                std::printf("%lld\n", static_cast<long long>(std::chrono::nanoseconds(now).count()));
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    bool m_seen = false;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmark"));
    Look::install(app);
    Accessibility::install();

    Form1 window;
    FirstPaint firstPaint;
    window.installEventFilter(&firstPaint);
    window.show();
    QTimer::singleShot(10'000, &app, [] { QCoreApplication::exit(1); });
    return app.exec();
}
