#include "ui/access/application.h"

#include "platform/save/filesizelimit.h"
#include "ui/access/readerkeyguard.h"

Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
    ReaderKeyGuard::instance().install();
    failWritesPastFileSizeLimit();
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    ReaderKeyGuard::instance().observe(receiver, event);
    return QApplication::notify(receiver, event);
}
