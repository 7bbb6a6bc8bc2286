#pragma once

#include "control/autogeneration.h"
#include "control/generatorpanel.h"
#include "control/listerase.h"
#include "control/logfile.h"
#include "control/nickgeneration.h"
#include "control/nicklength.h"
#include "platform/random.h"
#include "ui/about/frmabout.h"

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

    // Writes every entry of the list, as it is now, to NIK.log beside the
    // window, and when that is done tells the user where it went when that
    // is not the program's folder, or why it failed. A save asked for while
    // one runs follows it.
    void saveitems(NickListBox &lstin);

    // Where Save writes; tests point these at folders of their own.
    void setLogFolders(const QString &programFolder, const QString &fallbackFolder);

    // Without a window manager there is no system move: follow the pointer.
    static void setSystemMoveEnabled(bool enabled);

    FrmAbout *aboutWindow() const { return m_about; }

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

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
    void refuse(const QString &text, const QString &title) override;
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
    void tellSaveOutcome(const NickLog::Result &result, qsizetype entries);
    void endProgram();

    std::unique_ptr<RandomSource> m_random;

    QLabel *m_title = nullptr;
    QPushButton *m_exit = nullptr;
    CaptionFrame *m_frame1 = nullptr;
    CaptionFrame *m_frame2 = nullptr;
    CaptionFrame *m_frame3 = nullptr;
    CaptionFrame *m_frame4 = nullptr;
    CaptionFrame *m_frame5 = nullptr;
    TextBox *m_text1 = nullptr;
    TextBox *m_text2 = nullptr;
    TextBox *m_text3 = nullptr;
    TextBox *m_text4 = nullptr;
    std::array<SlotSelector *, SlotCount> m_combos{};
    NickListBox *m_list = nullptr;
    GenerationTimer *m_timer = nullptr;
    QPushButton *m_save = nullptr;  // Command1
    QPushButton *m_start = nullptr; // Command2
    QPushButton *m_stop = nullptr;  // Command3
    QPushButton *m_erase = nullptr; // Command4
    ImageButton *m_generateButton = nullptr;
    ImageButton *m_aboutButton = nullptr;
    ImageButton *m_helpButton = nullptr;
    ImageButton *m_lengthUpButton = nullptr;
    ImageButton *m_lengthDownButton = nullptr;

    std::unique_ptr<NickGeneration> m_generation;
    std::unique_ptr<NickLength> m_length;
    std::unique_ptr<AutoGeneration> m_autoGeneration;
    std::unique_ptr<ListErase> m_listErase;
    QAction *m_bringBackAction = nullptr; // in the list's context menu
    SaveJob *m_saveJob = nullptr;
    std::unique_ptr<SaveProgress> m_saveProgress;

    Announcer *m_announcer = nullptr;
    QPointer<FrmAbout> m_about;
    // As the system names them: bytes, not necessarily UTF-8.
    QByteArray m_programFolder;
    QByteArray m_fallbackFolder;

    bool m_firstShow = true;
    bool m_closing = false; // asked to close while a save ran
    bool m_followingPointer = false;
    QPoint m_pressOffset;
};
