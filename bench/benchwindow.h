#pragma once

#include "measure.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

class Form1;
class GenerationTimer;
class NickListBox;
class QPushButton;
class TextBox;

// A main window built and shown as the program does, driven through its own
// controls. The benchmarks use two: the measured one, whose list only grows
// from one size to the next, and a reference one whose list stays small.
// Each measurement runs on both in turn, so on a shared machine a burst of
// load hits both sides of a ratio alike.
class BenchWindow
{
public:
    enum class Role
    {
        Measured,
        Reference
    };

    explicit BenchWindow(Role role);
    ~BenchWindow();

    static BenchWindow &measured();
    static BenchWindow &reference();

    Form1 &form() { return *m_form; }
    NickListBox &list() { return *m_list; }
    GenerationTimer &timer() { return *m_timer; }
    TextBox &intervalBox() { return *m_interval; } // Text2
    TextBox &counter() { return *m_counter; }      // Text4
    QPushButton &button(const char *name);         // Command1 .. Command4
    Measure::PaintWatch &paints() { return m_paints; }

    // Lists cheap six-letter nicks until the list holds `entries`.
    void fillTo(qsizetype entries);
    // Where Save writes: a folder beside the working folder, on its disk.
    QString saveFolder() const { return m_folder.path(); }
    // Resident and heap bytes once the window was up with an empty list.
    qint64 residentAtStart() const { return m_residentAtStart; }
    qint64 heapAtStart() const { return m_heapAtStart; }
    // A message box the program tried to show, if any (none should be).
    QString lastMessage() const { return *m_lastMessage; }
    void forgetMessage() { m_lastMessage->clear(); }

private:
    Role m_role;
    std::unique_ptr<Form1> m_form;
    NickListBox *m_list = nullptr;
    GenerationTimer *m_timer = nullptr;
    TextBox *m_interval = nullptr;
    TextBox *m_counter = nullptr;
    Measure::PaintWatch m_paints;
    QTemporaryDir m_folder;
    qint64 m_residentAtStart = 0;
    qint64 m_heapAtStart = 0;
    std::shared_ptr<QString> m_lastMessage = std::make_shared<QString>();
    quint32 m_seed = 2463534242u;
};
