#include "ui/main/form1controller.h"

#include "control/savejob.h"
#include "control/saveplaces.h"
#include "core/nicklist.h"
#include "platform/folders.h"
#include "platform/clockrandom.h"
#include "platform/generationtimer.h"
#include "ui/about/frmabout.h"
#include "ui/access/announcer.h"
#include "ui/list/nicklistbox.h"
#include "ui/main/form1.h"
#include "ui/main/saveprogress.h"
#include "ui/toolkit/captionframe.h"
#include "ui/toolkit/imagebutton.h"
#include "ui/toolkit/messagebox.h"
#include "ui/toolkit/slotselector.h"
#include "ui/toolkit/textbox.h"

#include <QAction>
#include <QFile>
#include <QPushButton>
#include <QScopeGuard>
#include <QShortcut>
#include <QToolTip>

namespace {
// How long the note of a save that went as asked stays beside Save.
constexpr int SavedNoteMs = 5000;
} // namespace

Form1Controller::Form1Controller(Form1 &window, const Form1Controls &controls,
                                 std::unique_ptr<RandomSource> random)
    : QObject(&window), m_window(window), m_controls(controls),
      m_random(random ? std::move(random) : std::make_unique<ClockRandom>()), m_slotState(*m_random)
{
    const SavePlaces places = SavePlaces::of(applicationDirectory(), userDocumentsDirectory(), installFolders());
    m_logFolders = places.places;
    // An installed copy's Save says where its file goes.
    if (places.installed && !m_logFolders.isEmpty())
        m_controls.saveButton->setToolTip(
            //: %1 is the file's full path (e.g. /home/anna/Documents/NIK.log)
            Form1::tr("Сохраняет список в файл %1")
                .arg(displayPath(m_logFolders.value(0) + '/' + QFile::encodeName(NickLog::FileName))));
    GeneratorView &panel = *this;
    m_generation = std::make_unique<NickGeneration>(panel, *m_controls.nicks, m_slotState);
    m_nickLength = std::make_unique<NickLength>(panel);
    m_autoGeneration = std::make_unique<AutoGeneration>(panel, *m_controls.timer);
    m_listErase = std::make_unique<EraseAndBringBack>(panel, *m_controls.nicks);
    m_saveJob = new SaveJob(this);
    m_saveJob->setObjectName(QStringLiteral("saveJob"));
    m_saveProgress = std::make_unique<SaveProgress>(*m_saveJob, &m_window);
    connectActions();
    m_announcer = new Announcer(&m_window);
}

Form1Controller::~Form1Controller()
{
    delete m_aboutWindow;
}

void Form1Controller::connectActions()
{
    const Form1Controls &c = m_controls;
    // Every change of the interval box, typed or set, is normalised at once.
    connect(c.intervalBox, &TextBox::textChanged, this, [this] { m_autoGeneration->intervalChanged(); });
    connect(m_saveJob, &SaveJob::finished, this, &Form1Controller::tellSaveOutcome);

    // A nick the user asked for is told; the timer's nicks are not, one by
    // one they would be noise.
    connect(c.generateButton, &ImageButton::activated, this, [this] {
        if (m_generation->GenerateNick())
            m_announcer->announce(m_controls.nickBox->text());
    });
    connect(c.timer, &GenerationTimer::tick, this, [this] { m_generation->GenerateNick(); });
    connect(c.lengthUpButton, &ImageButton::activated, this, [this] { changeLength(&NickLength::up); });
    connect(c.lengthDownButton, &ImageButton::activated, this, [this] { changeLength(&NickLength::down); });
    connect(c.helpButton, &ImageButton::activated, this, &Form1Controller::showHelp);
    connect(c.aboutButton, &ImageButton::activated, this, &Form1Controller::showAbout);

    connect(c.startButton, &QPushButton::clicked, this, &Form1Controller::start);
    connect(c.stopButton, &QPushButton::clicked, this, [this] {
        m_autoGeneration->stop();
        m_announcer->announce(Wording::timerStopped(m_controls.counterBox->text()));
    });
    connect(c.eraseButton, &QPushButton::clicked, this, &Form1Controller::erase);
    // Ctrl+Z, where the focused box has no typing of its own to undo (the
    // interval box and the selectors keep theirs), and the list's menu.
    m_bringBackAction = new QAction(Form1::tr("Вернуть стёртое"), &m_window);
    // Shown in the menu; the key itself is the window's, below.
    m_bringBackAction->setShortcut(QKeySequence::Undo);
    m_bringBackAction->setShortcutContext(Qt::WidgetShortcut);
    m_bringBackAction->setEnabled(false);
    connect(m_bringBackAction, &QAction::triggered, this, &Form1Controller::bringBack);
    c.nickList->addMenuAction(m_bringBackAction);
    connect(new QShortcut(QKeySequence::Undo, &m_window), &QShortcut::activated, this,
            &Form1Controller::bringBack);
    connect(c.nickList, &NickListBox::menuOpened, this, [this](bool byKeyboard) {
        // Closing, the menu hands the window back: no news (see Form1::changeEvent).
        m_window.setAccessibleDescription(QString());
        if (byKeyboard)
            m_announcer->announce(Wording::listMenu());
    });
    connect(c.saveButton, &QPushButton::clicked, this, [this] { saveitems(*m_controls.nicks); });
    connect(c.nickList, &NickListBox::clicked, this,
            [this] { m_controls.nickBox->assign(m_controls.nickList->text()); });
    // Once: from the menu, the nick the focus comes back to is read then.
    connect(c.nickList, &NickListBox::copied, this, [this](const QString &nick, bool nickToldAgain) {
        m_announcer->announce(nickToldAgain ? Wording::copied() : Wording::copied(nick));
    });
    connect(c.nickList, &NickListBox::enteredAt, this, [this](const QString &nick) { m_announcer->announce(nick); });
    connect(c.close, &QPushButton::clicked, &m_window, &QWidget::close);

    // Passing over a frame brings faces back; the letter frame restores the
    // length-up button, the length frame only the length-down one.
    connect(c.workFrame, &CaptionFrame::pointerMovedOverSurface, this, [this] {
        m_controls.generateButton->rest();
        m_controls.aboutButton->rest();
        m_controls.helpButton->rest();
    });
    connect(c.letterFrame, &CaptionFrame::pointerMovedOverSurface, this,
            [this] { m_controls.lengthUpButton->rest(); });
    connect(c.lengthFrame, &CaptionFrame::pointerMovedOverSurface, this,
            [this] { m_controls.lengthDownButton->rest(); });
}

void Form1Controller::changeLength(void (NickLength::*step)())
{
    const QString before = m_controls.lengthBox->text();
    (m_nickLength.get()->*step)();
    if (m_controls.lengthBox->text() != before)
        m_announcer->announce(Wording::lengthIs(m_controls.lengthBox->text()));
}

TextBox *Form1Controller::box(Box box) const
{
    switch (box) {
    case Box::Length:
        return m_controls.lengthBox;
    case Box::Interval:
        return m_controls.intervalBox;
    case Box::Nick:
        return m_controls.nickBox;
    case Box::Counter:
        return m_controls.counterBox;
    }
    Q_UNREACHABLE();
}

QString Form1Controller::text(Box box) const
{
    return this->box(box)->text();
}

void Form1Controller::setText(Box box, const QString &text)
{
    this->box(box)->assign(text);
}

void Form1Controller::setNickLimit(int limit)
{
    m_controls.nickBox->setLimit(limit);
}

int Form1Controller::intervalCaret() const
{
    return m_controls.intervalBox->cursorPosition();
}

void Form1Controller::setIntervalCaret(int position)
{
    m_controls.intervalBox->setCursorPosition(position);
}

int Form1Controller::listIndex(int slot) const
{
    return m_controls.selectors.at(slot - 1)->listIndex();
}

void Form1Controller::refuse(const Refusal &refusal)
{
    showMessage(Wording::refusal(refusal));
}

void Form1Controller::showMessage(const Wording::Message &message)
{
    MessageBox::show(&m_window, message.text, message.title,
                     message.icon == Wording::Icon::Warning ? MessageBox::Style::Warning
                                                            : MessageBox::Style::Information);
}

void Form1Controller::showHelp()
{
    //: When the help page is not beside the program, the folder it is installed into follows on a line of its
    //: own (e.g. /usr/share/doc/quillmark).
    QString text = Form1::tr("Читай файл !!!PleaseReadMe!!!.html, там обо всём узнаеш.");
    // A build or an unpacked copy has the page beside it; an installed copy
    // has it with its documentation, which the user is told where to find.
    const QByteArray program = applicationDirectory();
    if (!isFile(program + "/!!!PleaseReadMe!!!.html"))
        text += u'\n' + displayPath(installedHelpFolder(program));
    MessageBox::show(&m_window, text, Form1::tr("Подсказка..."), MessageBox::Style::Information);
}

void Form1Controller::showAbout()
{
    // One about window at a time; after its own Exit it is built afresh.
    if (!m_aboutWindow)
        m_aboutWindow = new FrmAbout();
    m_aboutWindow->show();
    m_aboutWindow->raise();
}

void Form1Controller::start()
{
    // A refusal has been shown in a message, which a screen reader reads.
    if (!m_autoGeneration->start())
        return;
    // At interval 0 the timer is on, but silent.
    const GenerationTimer &timer = *m_controls.timer;
    m_announcer->announce(timer.isTicking() ? Wording::timerStarted(timer.interval())
                                            : Wording::timerSilent());
}

void Form1Controller::erase()
{
    m_listErase->erase();
    m_bringBackAction->setEnabled(m_controls.nicks->kept() > 0);
    m_announcer->announce(Wording::listErased());
}

void Form1Controller::bringBack()
{
    if (m_listErase->bringBack() == 0) {
        m_announcer->announce(Wording::nothingToBringBack());
        return;
    }
    m_bringBackAction->setEnabled(false);
    m_announcer->announce(Wording::listBroughtBack(m_controls.counterBox->text()));
}

void Form1Controller::saveitems(const NickList &lstin)
{
    // The save writes exactly the entries listed now.
    m_saveJob->start(lstin.snapshot(), m_logFolders);
    m_saveProgress->saveStarted();
}

void Form1Controller::tellSaveOutcome(const SaveOutcome &outcome, qsizetype entries)
{
    const auto afterwards = qScopeGuard([this] {
        if (m_closing && !m_saveJob->isBusy())
            m_window.close();
    });
    const Wording::SaveReport report = Wording::saveOutcome(outcome, entries);
    if (report.message) {
        showMessage(*report.message);
        return;
    }
    m_announcer->announce(report.announcement);
    if (m_closing)
        return;
    // Seen beside Save for a while, over nothing the window places.
    QPushButton *save = m_controls.saveButton;
    QToolTip::showText(save->mapToGlobal(QPoint(save->width(), save->height())), report.note, save, {},
                       SavedNoteMs);
}

void Form1Controller::setLogFolders(const QString &programFolder, const QString &fallbackFolder)
{
    m_logFolders = {QFile::encodeName(programFolder), QFile::encodeName(fallbackFolder)};
}

bool Form1Controller::readyToEnd()
{
    m_controls.timer->setEnabled(false);
    if (m_saveJob->isBusy()) {
        // The program ends once the save is complete; meanwhile its progress shows.
        m_closing = true;
        m_saveProgress->showNow();
        return false;
    }
    if (m_aboutWindow)
        m_aboutWindow->close();
    return true;
}
