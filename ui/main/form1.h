#pragma once

#include "control/autogeneration.h"
#include "control/generatorpanel.h"
#include "control/listerase.h"
#include "control/logfile.h"
#include "control/nickgeneration.h"
#include "control/nicklength.h"
#include "core/randomsource.h"
#include "ui/about/frmabout.h"
#include "ui/wording/wording.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <memory>

class Announcer;
class CaptionFrame;
class GenerationTimer;
class ImageButton;
class NickListBox;
class QAction;
class QLabel;
class QPushButton;
class SaveJob;
class SaveProgress;
class SlotSelector;
class TextBox;

// The main window: the nick, the ten letter selectors, the length, the three
// big buttons on the left; the list and the timer controls on the right.
// It has no title bar: a press on its bare background moves it, and Exit
// ends the program. The generate, length and timer actions reach its
// controls through GeneratorPanel.
class Form1 : public QWidget, private GeneratorPanel
{
    Q_OBJECT
public:
    // Without a random source the window draws from the clock.
    explicit Form1(std::unique_ptr<RandomSource> random = nullptr);
    ~Form1() override;

    // Writes every entry of the list, as it is now, to NIK.log in the
    // program's folder, on a thread beside the window; when that is done,
    // tells the user where the file went when that is not the program's
    // folder, or why it failed. A save asked for while one runs follows it.
    void saveitems(NickListBox &lstin);

    // Where Save writes; tests point these at folders of their own.
    void setLogFolders(const QString &programFolder, const QString &fallbackFolder);

    FrmAbout *aboutWindow() const { return m_aboutWindow; }

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QString text(Box box) const override;
    void setText(Box box, const QString &text) override;
    void setNickLimit(int limit) override;
    int intervalCaret() const override;
    void setIntervalCaret(int position) override;
    int listIndex(int slot) const override;
    void listNick(const QString &nick) override;
    NickStore takeList() override;
    void putInFrontOfList(NickStore entries) override;
    void refuse(const Refusal &refusal) override;
    void showMessage(const Wording::Message &message);
    TextBox *box(Box box) const;

    void buildOutline();
    void buildControls();
    void setupTabOrder();
    void connectActions();
    void setupAccess();
    void load();

    void changeLength(void (NickLength::*step)());
    void showHelp();
    void showAbout();
    void erase();
    void bringBack();
    void start();
    QString keysDescription() const;
    void tellSaveOutcome(const SaveOutcome &outcome, qsizetype entries);
    void endProgram();

    std::unique_ptr<RandomSource> m_random;
    // Every slot's last draws and letter, kept from one nick to the next.
    NickGenerator m_slotState;

    // The controls, each with the name it has in the window (objectName).
    QLabel *m_titleLabel = nullptr;                            // Label1
    QPushButton *m_closeButton = nullptr;                      // Exit
    CaptionFrame *m_workFrame = nullptr;                       // Frame1, "make nicks here"
    CaptionFrame *m_nickFrame = nullptr;                       // Frame2
    CaptionFrame *m_letterFrame = nullptr;                     // Frame3
    CaptionFrame *m_lengthFrame = nullptr;                     // Frame4
    CaptionFrame *m_generatorFrame = nullptr;                  // Frame5, "set up the generator"
    TextBox *m_lengthBox = nullptr;                            // Text1
    TextBox *m_intervalBox = nullptr;                          // Text2
    TextBox *m_nickBox = nullptr;                              // Text3
    TextBox *m_counterBox = nullptr;                           // Text4
    std::array<SlotSelector *, SlotCount> m_letterSelectors{}; // Combo1 .. Combo10
    NickListBox *m_nickList = nullptr;                         // List
    GenerationTimer *m_generationTimer = nullptr;              // Timer1
    QPushButton *m_saveButton = nullptr;                       // Command1
    QPushButton *m_startButton = nullptr;                      // Command2
    QPushButton *m_stopButton = nullptr;                       // Command3
    QPushButton *m_eraseButton = nullptr;                      // Command4
    ImageButton *m_generateButton = nullptr;                   // Image1, pressed Image2
    ImageButton *m_aboutButton = nullptr;                      // Image3, pressed Image4
    ImageButton *m_helpButton = nullptr;                       // Image5, pressed Image6
    ImageButton *m_lengthUpButton = nullptr;                   // Image7, pressed Image8
    ImageButton *m_lengthDownButton = nullptr;                 // Image9, pressed Image10

    std::unique_ptr<NickGeneration> m_generation;
    std::unique_ptr<NickLength> m_nickLength;
    std::unique_ptr<AutoGeneration> m_autoGeneration;
    std::unique_ptr<ListErase> m_listErase;
    QAction *m_bringBackAction = nullptr; // in the list's context menu
    SaveJob *m_saveJob = nullptr;
    std::unique_ptr<SaveProgress> m_saveProgress;

    Announcer *m_announcer = nullptr;
    QPointer<FrmAbout> m_aboutWindow;
    // As the system names them: bytes, not necessarily UTF-8.
    QByteArray m_programFolder;
    QByteArray m_fallbackFolder;

    bool m_firstShow = true;
    bool m_closing = false; // asked to close while a save ran
};
