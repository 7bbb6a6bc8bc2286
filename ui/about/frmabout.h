#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>

#include <functional>

// The about window: title, the author's two links, the author's other
// programs and a copyright line. It is frameless and fixed in size, and it
// deletes itself when closed, so every showing builds it afresh.
class FrmAbout : public QWidget
{
    Q_OBJECT
public:
    explicit FrmAbout(QWidget *parent = nullptr);

    // Opens a link with the desktop's handler for its scheme and tells the
    // user when that fails. It returns at once; the hourglass shows until
    // the desktop has started the handler or failed to.
    void ExecuteLink(QString link);

    // What opens links: it starts the handler and later calls `done` with 0
    // when the handler started, else with the error code the message shows.
    // Tests replace it; an empty function puts back the desktop's own opener.
    using LinkOpener = std::function<void(const QUrl &, std::function<void(int code)> done)>;
    static void setLinkOpener(LinkOpener opener);

protected:
    void changeEvent(QEvent *event) override;

private:
    void setupWindow();
    void setupControls();
    QWidget *makeControl(const QString &name, QWidget *container);
};
