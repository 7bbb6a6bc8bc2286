#pragma once

#include <QApplication>

// The program's application object. Qt's accessibility bridge takes keys in
// an event filter of the application, ahead of any filter installed before
// it; the reader key guard must see each key as the window system delivers
// it, before the bridge takes it, and only the application's notify() comes
// before every filter. It also sets what the whole process shares: a write
// past the file-size limit fails rather than ending the program.
class Application : public QApplication
{
    Q_OBJECT
public:
    Application(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};
