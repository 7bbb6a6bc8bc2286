#pragma once

#include "control/autogeneration.h"
#include "control/generatorview.h"
#include "control/eraseandbringback.h"
#include "control/logfile.h"
#include "control/nickgeneration.h"
#include "control/nicklength.h"
#include "core/randomsource.h"
#include "ui/about/frmabout.h"
#include "ui/wording/wording.h"

#include <QObject>
#include <QPointer>

#include <memory>

class Announcer;
class Form1;
struct Form1Controls;
class NickList;
class NickListBox;
class QAction;
class SaveJob;
class SaveProgress;
class TextBox;

// What the main window's controls do: generating, the length, the timer, the
// list's erase and its undo, the save, help and about; what the user is told
// of each, shown or spoken. The generate, length and timer actions reach the
// controls through GeneratorView.
class Form1Controller : public QObject, private GeneratorView
{
    Q_OBJECT
public:
    // Without a random source the window draws from the clock.
    Form1Controller(Form1 &window, const Form1Controls &controls, std::unique_ptr<RandomSource> random);
    ~Form1Controller() override;

    // Where Save writes; tests point these at folders of their own.
    void setLogFolders(const QString &programFolder, const QString &fallbackFolder);
    FrmAbout *aboutWindow() const { return m_aboutWindow; }

    // Whether the program may end now that the window is closing: it stops
    // the timer and closes the about window; a save still running is let
    // finish first, its progress shown, and then closes the window again.
    bool readyToEnd();

private:
    QString text(Box box) const override;
    void setText(Box box, const QString &text) override;
    void setNickLimit(int limit) override;
    int intervalCaret() const override;
    void setIntervalCaret(int position) override;
    int listIndex(int slot) const override;
    void refuse(const Refusal &refusal) override;
    void showMessage(const Wording::Message &message);
    TextBox *box(Box box) const;

    void connectActions();
    void changeLength(void (NickLength::*step)());
    void showHelp();
    void showAbout();
    void erase();
    void bringBack();
    void start();
    // Writes every entry of the list, as it is now, to NIK.log in the
    // program's folder, on a thread beside the window; when that is done,
    // tells the user where the file went when that is not the program's
    // folder, or why it failed. A save asked for while one runs follows it.
    void saveitems(const NickList &lstin);
    void tellSaveOutcome(const SaveOutcome &outcome, qsizetype entries);

    Form1 &m_window;
    const Form1Controls &m_controls;
    std::unique_ptr<RandomSource> m_random;
    // Every slot's last draws and letter, kept from one nick to the next.
    SlotState m_slotState;

    std::unique_ptr<NickGeneration> m_generation;
    std::unique_ptr<NickLength> m_nickLength;
    std::unique_ptr<AutoGeneration> m_autoGeneration;
    std::unique_ptr<EraseAndBringBack> m_listErase;
    QAction *m_bringBackAction = nullptr; // in the list's context menu
    SaveJob *m_saveJob = nullptr;
    std::unique_ptr<SaveProgress> m_saveProgress;
    Announcer *m_announcer = nullptr;
    QPointer<FrmAbout> m_aboutWindow;
    // As the system names them: bytes, not necessarily UTF-8.
    QByteArrayList m_logFolders; // SavePlaces

    bool m_closing = false; // asked to close while a save ran
};
