#pragma once

#include "core/randomsource.h"
#include "ui/about/frmabout.h"

#include <QWidget>

#include <array>
#include <memory>

class CaptionFrame;
class Form1Controller;
class GenerationTimer;
class ImageButton;
class NickList;
class NickListBox;
class QPushButton;
class SlotSelector;
class TextBox;

// The controls the window's actions work on, each with its name in the window.
struct Form1Controls
{
    QPushButton *close;                       // Exit
    CaptionFrame *workFrame;                  // Frame1, "make nicks here"
    CaptionFrame *letterFrame;                // Frame3
    CaptionFrame *lengthFrame;                // Frame4
    TextBox *lengthBox;                       // Text1
    TextBox *intervalBox;                     // Text2
    TextBox *nickBox;                         // Text3
    TextBox *counterBox;                      // Text4
    std::array<SlotSelector *, 10> selectors; // Combo1 .. Combo10
    NickListBox *nickList;                    // List
    NickList *nicks;                          // what List shows
    GenerationTimer *timer;                   // Timer1
    QPushButton *saveButton;                  // Command1
    QPushButton *startButton;                 // Command2
    QPushButton *stopButton;                  // Command3
    QPushButton *eraseButton;                 // Command4
    ImageButton *generateButton;              // Image1, pressed Image2
    ImageButton *aboutButton;                 // Image3, pressed Image4
    ImageButton *helpButton;                  // Image5, pressed Image6
    ImageButton *lengthUpButton;              // Image7, pressed Image8
    ImageButton *lengthDownButton;            // Image9, pressed Image10
};

// The main window: the nick, the ten letter selectors, the length, the three
// big buttons on the left; the list and the timer controls on the right.
// It has no title bar: a press on its bare background moves it. It builds
// and shows its controls (their places stand in Form1Layout); what they do
// is its controller's.
class Form1 : public QWidget
{
    Q_OBJECT
public:
    // Without a random source the window draws from the clock.
    explicit Form1(std::unique_ptr<RandomSource> random = nullptr);
    ~Form1() override;

    // Where Save writes; tests point these at folders of their own.
    void setLogFolders(const QString &programFolder, const QString &fallbackFolder);

    FrmAbout *aboutWindow() const;

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *makeControl(const QString &name, QWidget *container);
    void buildOutline();
    void buildControls();
    void finishControls();
    void setupTabOrder();
    void setupAccess();
    void load();
    QString keysDescription() const;

    Form1Controls m_controls{};
    std::unique_ptr<Form1Controller> m_controller;
    bool m_firstShow = true;
};
