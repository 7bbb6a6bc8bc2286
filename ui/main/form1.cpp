#include "ui/main/form1.h"

#include "control/logfile.h"
#include "control/savejob.h"
#include "platform/appdir.h"
#include "platform/clockrandom.h"
#include "platform/generationtimer.h"
#include "ui/about/frmabout.h"
#include "ui/common/accessiblepacing.h"
#include "ui/common/announcer.h"
#include "ui/common/look.h"
#include "ui/common/readerkeyguard.h"
#include "ui/common/windowaccessible.h"
#include "ui/list/nicklistbox.h"
#include "ui/main/saveprogress.h"
#include "ui/toolkit/captionframe.h"
#include "ui/toolkit/controlrow.h"
#include "ui/toolkit/fittedtext.h"
#include "ui/toolkit/imagebutton.h"
#include "ui/toolkit/messagebox.h"
#include "ui/toolkit/outlineshape.h"
#include "ui/toolkit/pushbutton.h"
#include "ui/toolkit/slotselector.h"
#include "ui/toolkit/textbox.h"
#include "ui/toolkit/windowdrag.h"
#include "ui/wording/wording.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopeGuard>
#include <QShortcut>
#include <QWindow>

namespace {

QLabel *makeLabel(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new FittedLabel(text, parent);
    label->setObjectName(name);
    Look::paintPanelGrey(label);
    return label;
}

TextBox *makeTextBox(const QString &name, const QString &text, const QString &toolTip, QWidget *parent)
{
    auto *box = new TextBox(parent);
    box->setObjectName(name);
    box->setText(text);
    box->setToolTip(toolTip);
    box->setAlignment(Qt::AlignCenter);
    Look::paintPanelGrey(box);
    return box;
}

QPushButton *makeButton(const QString &name, const QString &text, const QString &toolTip, QWidget *parent)
{
    auto *button = new PushButton(text, parent);
    button->setObjectName(name);
    button->setToolTip(toolTip);
    return button;
}

// The faces of a button: the normal one takes the button's name, the pressed
// one has its own. The big buttons' faces carry a word, drawn in each
// language the program speaks.
enum class Words
{
    None,
    InTheTextsLanguage,
};
ImageButton *makeImageButton(const QString &name, const char *pressedName, const char *faceName, Words words,
                             QWidget *parent)
{
    // The Russian faces lie at the top; a language whose faces are not drawn
    // yet shows them too, rather than none.
    const QString translated =
        QStringLiteral(":/faces/%1/%2").arg(Wording::language(), QLatin1String(faceName));
    const QString base =
        words == Words::InTheTextsLanguage && QFile::exists(translated + QStringLiteral("-normal.svg"))
            ? translated
            : QStringLiteral(":/faces/") + QLatin1String(faceName);
    return new ImageButton(name, base + QStringLiteral("-normal.svg"), QLatin1String(pressedName),
                           base + QStringLiteral("-pressed.svg"), parent);
}

CaptionFrame *makeFrame(const QString &name, const QString &caption, QWidget *parent)
{
    auto *frame = new CaptionFrame(caption, parent);
    frame->setObjectName(name);
    return frame;
}

} // namespace

namespace {
void installWindowAccessible()
{
    QAccessible::installFactory(&windowFactory<Form1, QAccessible::Window>);
}
} // namespace
// Once, as the application starts, before any window exists: Qt keeps the
// first interface made for a widget.
Q_COREAPP_STARTUP_FUNCTION(installWindowAccessible)

Form1::Form1(std::unique_ptr<RandomSource> random)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      m_random(random ? std::move(random) : std::make_unique<ClockRandom>()), m_slotState(*m_random),
      m_programFolder(applicationDirectory()), m_fallbackFolder(userDocumentsDirectory())
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Form1"));
    setWindowIcon(QIcon(QStringLiteral(":/icon/quillmark.svg")));
    setFixedSize(Look::twips(8910), Look::twips(5175));
    Look::paintPanelGrey(this);
    // No title bar: a press on the bare background moves the window.
    new WindowDrag(this);

    buildOutline();
    buildControls();
    setupTabOrder();
    connectActions();
    setupAccess();
    load();
}

Form1::~Form1()
{
    delete m_aboutWindow;
}

void Form1::buildOutline()
{
    // Drawn first, so everything else lies above the outline.
    OutlineShape::rectangle(0, 0, 6615, 5175, this)->setObjectName(QStringLiteral("Shape1"));
    OutlineShape::line(6600, 0, 8880, 0, this)->setObjectName(QStringLiteral("Line3"));
    OutlineShape::line(8880, 0, 8880, 5160, this)->setObjectName(QStringLiteral("Line2"));
    OutlineShape::line(6600, 5160, 8880, 5160, this)->setObjectName(QStringLiteral("Line1"));
}

void Form1::buildControls()
{
    using Name = const QString &;
    // A letter's label and its selector are made apart; each label is then
    // tied to its selector.
    std::array<QLabel *, SlotCount> slotLabels{};
    const auto slotLabel = [&slotLabels](int slot, const QString &text) {
        return [&slotLabels, slot, text](Name name, QWidget *in) {
            return slotLabels.at(slot - 1) = makeLabel(name, text, in);
        };
    };
    const auto selector = [this](int slot) {
        return [this, slot](Name name, QWidget *in) {
            auto *combo = new SlotSelector(in);
            combo->setObjectName(name);
            combo->addItems({tr("Гласная"), tr("Согласная")});
            combo->setListIndex(-1); // nothing selected until the window loads
            return m_letterSelectors.at(slot - 1) = combo;
        };
    };
    QLabel *intervalLabel = nullptr;
    QLabel *counterLabel = nullptr;

    // In making order, which is the stacking order: the big buttons lie
    // beneath the inner frames, and of two overlapping controls in one
    // container the later one lies above.
    const ControlRow rows[] = {
        // The window's own controls.
        {"Label1", "Form1", 1560, 120, 3600, 405,
         [this](Name name, QWidget *in) {
             m_titleLabel = makeLabel(name, QStringLiteral("Quillmark"), in);
             m_titleLabel->setFont(Look::font(Look::CampusOtl, 18, Look::Weight::Bold));
             m_titleLabel->setAlignment(Qt::AlignCenter);
             QPalette titlePalette = m_titleLabel->palette();
             titlePalette.setColor(QPalette::WindowText, Look::navy());
             m_titleLabel->setPalette(titlePalette);
             return m_titleLabel;
         }},
        {"Exit", "Form1", 6240, 0, 375, 375,
         [this](Name name, QWidget *in) {
             m_closeButton = makeButton(name, QStringLiteral("X"), QString(), in);
             m_closeButton->setFont(Look::font(Look::ComicSans, 9.75, Look::Weight::Bold));
             return m_closeButton;
         }},
        // The working panel: the nick, the letters, the length and the three
        // big buttons.
        {"Frame1", "Form1", 120, 480, 6375, 4575,
         [this](Name name, QWidget *in) {
             m_workFrame = makeFrame(name, tr("Ники делать тут:"), in);
             m_workFrame->setCaptionFont(Look::font(Look::MsSansSerif, 9.75));
             return m_workFrame;
         }},
        {"Image1", "Frame1", 3600, 1920, 2715, 930,
         [this](Name name, QWidget *in) {
             return m_generateButton = makeImageButton(name, "Image2", "generate", Words::InTheTextsLanguage, in);
         }},
        {"Image3", "Frame1", 3600, 2760, 2715, 930,
         [this](Name name, QWidget *in) { return m_aboutButton = makeImageButton(name, "Image4", "about", Words::InTheTextsLanguage, in); }},
        {"Image5", "Frame1", 3600, 3600, 2715, 930,
         [this](Name name, QWidget *in) { return m_helpButton = makeImageButton(name, "Image6", "help", Words::InTheTextsLanguage, in); }},
        {"Frame2", "Frame1", 120, 240, 6135, 855,
         [this](Name name, QWidget *in) { return m_nickFrame = makeFrame(name, tr("Сам ник:"), in); }},
        {"Text3", "Frame2", 120, 240, 5895, 495,
         [this](Name name, QWidget *in) {
             m_nickBox = makeTextBox(name, QStringLiteral("[.:] TOR(E)N [:.]"), tr("Сам ник"), in);
             m_nickBox->setReadOnly(true);
             m_nickBox->setFont(Look::font(Look::ComicSans, 14.25));
             m_nickBox->setStyleSheet(
                 QStringLiteral("TextBox { border: 1px solid %1; color: %2; background: %3; }")
                     .arg(Look::windowText().name(), Look::darkRed().name(), Look::panelGrey().name()));
             return m_nickBox;
         }},
        {"Frame3", "Frame1", 120, 1200, 3375, 3255,
         [this](Name name, QWidget *in) {
             m_letterFrame = makeFrame(name, tr("Настрой буквы (советую оставить так):"), in);
             // The line between the two columns, beneath the selectors.
             OutlineShape::line(1680, 240, 1680, 3240, m_letterFrame)->setObjectName(QStringLiteral("Line4"));
             return m_letterFrame;
         }},
        // Two columns of five, each label 240 twips above its selector. Label
        // names do not follow the slots: the sixth letter's label is Label2.
        {"Label3", "Frame3", 120, 240, 1095, 195, slotLabel(1, tr("Первая буква:"))},
        {"Combo1", "Frame3", 120, 480, 1455, 315, selector(1)},
        {"Label4", "Frame3", 120, 840, 1065, 195, slotLabel(2, tr("Вторая буква:"))},
        {"Combo2", "Frame3", 120, 1080, 1455, 315, selector(2)},
        {"Label5", "Frame3", 120, 1440, 1065, 195, slotLabel(3, tr("Третья буква:"))},
        {"Combo3", "Frame3", 120, 1680, 1455, 315, selector(3)},
        {"Label6", "Frame3", 120, 2040, 1335, 195, slotLabel(4, tr("Четвёртая буква:"))},
        {"Combo4", "Frame3", 120, 2280, 1455, 315, selector(4)},
        {"Label7", "Frame3", 120, 2640, 990, 195, slotLabel(5, tr("Пятая буква:"))},
        {"Combo5", "Frame3", 120, 2880, 1455, 315, selector(5)},
        {"Label2", "Frame3", 1800, 240, 1095, 195, slotLabel(6, tr("Шестая буква:"))},
        {"Combo6", "Frame3", 1800, 480, 1455, 315, selector(6)},
        {"Label8", "Frame3", 1800, 840, 1200, 195, slotLabel(7, tr("Седьмая буква:"))},
        {"Combo7", "Frame3", 1800, 1080, 1455, 315, selector(7)},
        {"Label9", "Frame3", 1800, 1440, 1200, 195, slotLabel(8, tr("Восьмая буква:"))},
        {"Combo8", "Frame3", 1800, 1680, 1455, 315, selector(8)},
        {"Label10", "Frame3", 1800, 2040, 1185, 195, slotLabel(9, tr("Девятая буква:"))},
        {"Combo9", "Frame3", 1800, 2280, 1455, 315, selector(9)},
        {"Label11", "Frame3", 1800, 2640, 1185, 195, slotLabel(10, tr("Десятая буква:"))},
        {"Combo10", "Frame3", 1800, 2880, 1455, 315, selector(10)},
        // The length: the box lies above the up button's edge, the down
        // button above the up button's.
        {"Frame4", "Frame1", 3600, 1200, 2655, 735,
         [this](Name name, QWidget *in) { return m_lengthFrame = makeFrame(name, tr("Длина ника:"), in); }},
        {"Image7", "Frame4", 840, 240, 855, 420,
         [this](Name name, QWidget *in) { return m_lengthUpButton = makeImageButton(name, "Image8", "up", Words::None, in); }},
        {"Image9", "Frame4", 1680, 240, 855, 420,
         [this](Name name, QWidget *in) {
             return m_lengthDownButton = makeImageButton(name, "Image10", "down", Words::None, in);
         }},
        {"Text1", "Frame4", 120, 240, 735, 405,
         [this](Name name, QWidget *in) {
             m_lengthBox = makeTextBox(name, QStringLiteral("6"), tr("Длина генерируемого ника"), in);
             m_lengthBox->setReadOnly(true);
             m_lengthBox->setFont(Look::font(Look::ComicSans, 12));
             return m_lengthBox;
         }},
        // The generator panel.
        {"Frame5", "Form1", 6720, 120, 2055, 4935,
         [this](Name name, QWidget *in) {
             return m_generatorFrame = makeFrame(name, tr("Настрой генератор:"), in);
         }},
        {"Label12", "Frame5", 120, 2880, 1860, 435,
         [&intervalLabel](Name name, QWidget *in) {
             intervalLabel = makeLabel(name, tr("Интервал добавления (м/c):"), in);
             intervalLabel->setWordWrap(true);
             intervalLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
             return intervalLabel;
         }},
        {"Label13", "Frame5", 120, 3480, 690, 195,
         [&counterLabel](Name name, QWidget *in) {
             return counterLabel = makeLabel(name, tr("Записей:"), in);
         }},
        {"List", "Frame5", 120, 240, 1815, 2595,
         [this](Name name, QWidget *in) {
             m_nickList = new NickListBox(in);
             m_nickList->setObjectName(name);
             return m_nickList;
         }},
        {"Text2", "Frame5", 840, 3120, 1095, 285,
         [this](Name name, QWidget *in) {
             m_intervalBox = makeTextBox(name, QStringLiteral("250"), tr("Интервал между добавлением ников"),
                                   in);
             m_intervalBox->setLimit(4);
             return m_intervalBox;
         }},
        {"Text4", "Frame5", 840, 3480, 1095, 285,
         [this](Name name, QWidget *in) {
             m_counterBox = makeTextBox(name, QStringLiteral("0"),
                                   tr("Показывает сколько уже сгенерировано ников"), in);
             m_counterBox->setReadOnly(true);
             return m_counterBox;
         }},
        // Each button's top edge lies under the one below it.
        {"Command2", "Frame5", 120, 3840, 1815, 255,
         [this](Name name, QWidget *in) {
             return m_startButton =
                        makeButton(name, tr("Старт"), tr("Начать генерировать по таймеру"), in);
         }},
        {"Command3", "Frame5", 120, 4080, 1815, 255,
         [this](Name name, QWidget *in) {
             return m_stopButton = makeButton(name, tr("Стоп"), tr("Остановить генерацию"), in);
         }},
        {"Command4", "Frame5", 120, 4320, 1815, 255,
         [this](Name name, QWidget *in) {
             return m_eraseButton = makeButton(name, tr("Стереть"), tr("Очищает список"), in);
         }},
        {"Command1", "Frame5", 120, 4560, 1815, 255,
         [this](Name name, QWidget *in) {
             return m_saveButton = makeButton(name, tr("Сохранить"),
                                        tr("Сохраняет список в папку с программой"), in);
         }},
    };
    makeControls(*this, rows);

    // A screen reader names a selector or box after its label ("labelled by").
    for (int slot = 1; slot <= SlotCount; ++slot)
        slotLabels.at(slot - 1)->setBuddy(m_letterSelectors.at(slot - 1));
    intervalLabel->setBuddy(m_intervalBox);
    counterLabel->setBuddy(m_counterBox);

    m_workFrame->setReportsPointerMovement(true);
    m_letterFrame->setReportsPointerMovement(true);
    m_lengthFrame->setReportsPointerMovement(true);

    m_generationTimer = new GenerationTimer(m_generatorFrame);
    m_generationTimer->setObjectName(QStringLiteral("Timer1"));
}

void Form1::setupTabOrder()
{
    // Frames, labels and the picture buttons take no focus.
    static const char *const Order[] = {"Exit",     "Combo1",  "Combo2",   "Combo3", "Combo4",
                                        "Text1",    "Combo5",  "Combo6",   "Combo7", "Combo8",
                                        "Combo9",   "Combo10", "List",     "Text2",  "Command2",
                                        "Command3", "Text3",   "Command4", "Text4",  "Command1"};
    QWidget *previous = nullptr;
    for (const char *name : Order) {
        auto *next = findChild<QWidget *>(QLatin1StringView(name));
        if (!next)
            qFatal("Form1: no control %s for the tab order", name);
        if (previous)
            setTabOrder(previous, next);
        previous = next;
    }
}

void Form1::connectActions()
{
    GeneratorPanel &panel = *this;
    m_generation = std::make_unique<NickGeneration>(panel, m_slotState);
    m_nickLength = std::make_unique<NickLength>(panel);
    m_autoGeneration = std::make_unique<AutoGeneration>(panel, *m_generationTimer);
    m_listErase = std::make_unique<ListErase>(panel);
    // Every change of the interval box, typed or set, is normalised at once.
    connect(m_intervalBox, &TextBox::textChanged, this, [this] { m_autoGeneration->intervalChanged(); });
    m_saveJob = new SaveJob(this);
    m_saveJob->setObjectName(QStringLiteral("saveJob"));
    m_saveProgress = std::make_unique<SaveProgress>(*m_saveJob, this);
    connect(m_saveJob, &SaveJob::finished, this, &Form1::tellSaveOutcome);

    // A nick the user asked for is told; the timer's nicks are not, one by
    // one they would be noise.
    connect(m_generateButton, &ImageButton::activated, this, [this] {
        if (m_generation->GenerateNick())
            m_announcer->announce(m_nickBox->text());
    });
    connect(m_generationTimer, &GenerationTimer::tick, this, [this] { m_generation->GenerateNick(); });
    connect(m_lengthUpButton, &ImageButton::activated, this, [this] { changeLength(&NickLength::up); });
    connect(m_lengthDownButton, &ImageButton::activated, this, [this] { changeLength(&NickLength::down); });
    connect(m_helpButton, &ImageButton::activated, this, &Form1::showHelp);
    connect(m_aboutButton, &ImageButton::activated, this, &Form1::showAbout);

    connect(m_startButton, &QPushButton::clicked, this, &Form1::start);
    connect(m_stopButton, &QPushButton::clicked, this, [this] {
        m_autoGeneration->stop();
        m_announcer->announce(Wording::timerStopped(m_counterBox->text()));
    });
    connect(m_eraseButton, &QPushButton::clicked, this, &Form1::erase);
    // Ctrl+Z, where the focused box has no typing of its own to undo (the
    // interval box and the selectors keep theirs), and the list's menu.
    m_bringBackAction = new QAction(tr("Вернуть стёртое"), this);
    // Shown in the menu; the key itself is the window's, below.
    m_bringBackAction->setShortcut(QKeySequence::Undo);
    m_bringBackAction->setShortcutContext(Qt::WidgetShortcut);
    m_bringBackAction->setEnabled(false);
    connect(m_bringBackAction, &QAction::triggered, this, &Form1::bringBack);
    m_nickList->addMenuAction(m_bringBackAction);
    connect(new QShortcut(QKeySequence::Undo, this), &QShortcut::activated, this, &Form1::bringBack);
    connect(m_nickList, &NickListBox::menuOpened, this, [this](bool byKeyboard) {
        // Closing, the menu hands the window back: no news (see changeEvent).
        setAccessibleDescription(QString());
        if (byKeyboard)
            m_announcer->announce(Wording::listMenu());
    });
    connect(m_saveButton, &QPushButton::clicked, this, [this] { saveitems(*m_nickList); });
    connect(m_nickList, &NickListBox::clicked, this, [this] { m_nickBox->assign(m_nickList->text()); });
    connect(m_closeButton, &QPushButton::clicked, this, &Form1::endProgram);

    // Passing over a frame brings faces back; the letter frame restores the
    // length-up button, the length frame only the length-down one.
    connect(m_workFrame, &CaptionFrame::pointerMovedOverSurface, this, [this] {
        m_generateButton->rest();
        m_aboutButton->rest();
        m_helpButton->rest();
    });
    connect(m_letterFrame, &CaptionFrame::pointerMovedOverSurface, this,
            [this] { m_lengthUpButton->rest(); });
    connect(m_lengthFrame, &CaptionFrame::pointerMovedOverSurface, this,
            [this] { m_lengthDownButton->rest(); });
}

void Form1::setupAccess()
{
    // Keys for the image buttons, window-wide: F1 is the desktop's help key,
    // Ctrl+N makes a new one, Ctrl++ and Ctrl+- make it longer and shorter
    // as they make a view larger and smaller, Ctrl+I tells about the program
    // as it tells about a page or a file elsewhere. None of them is a text
    // box's own editing key, and none takes the focus.
    struct Access
    {
        ImageButton *button;
        QString name;
        QKeySequence key;
    };
    const Access buttons[] = {
        {m_generateButton, tr("ДЕЛАТЬ"), QKeySequence(Qt::CTRL | Qt::Key_N)},
        {m_aboutButton, tr("О ПРОГЕ"), QKeySequence(Qt::CTRL | Qt::Key_I)},
        {m_helpButton, tr("ПОМОЩЬ"), QKeySequence(Qt::Key_F1)},
        {m_lengthUpButton, tr("Длиннее: длина ника плюс один"), QKeySequence(Qt::CTRL | Qt::Key_Plus)},
        {m_lengthDownButton, tr("Короче: длина ника минус один"), QKeySequence(Qt::CTRL | Qt::Key_Minus)},
    };
    for (const Access &access : buttons) {
        access.button->setAccessibleName(access.name);
        access.button->setShortcut(access.key);
        access.button->setAccessibleDescription(
            tr("Клавиша: %1").arg(access.key.toString(QKeySequence::NativeText)));
    }
    // Ctrl++ is Ctrl+Shift+= on most keyboards, and Ctrl+= where Shift is not held.
    auto *lengthUpKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Equal), this);
    connect(lengthUpKey, &QShortcut::activated, m_lengthUpButton, &QAbstractButton::click);

    // Boxes without a label of their own are named after their frames.
    m_lengthBox->setAccessibleName(tr("Длина ника"));
    // As its frame is captioned, which a screen reader then names only once.
    m_nickBox->setAccessibleName(tr("Сам ник:"));
    m_nickBox->setAccessibleDescription(tr("Новый ник: Ctrl+N"));
    m_nickList->setAccessibleName(tr("Список ников"));
    m_closeButton->setAccessibleName(tr("Закрыть"));

    // The picture buttons are off the Tab path: the window tells their keys.
    // The title the window system shows stays "Form1".
    setAccessibleName(tr("Quillmark — генератор ников"));
    setAccessibleDescription(keysDescription());

    AccessiblePacing &pacing = AccessiblePacing::instance();
    pacing.manage(m_lengthBox, AccessiblePacing::Changes::AsTheyCome);
    pacing.manage(m_intervalBox, AccessiblePacing::Changes::AsTheyCome);
    pacing.manage(m_nickBox, AccessiblePacing::Changes::Paced);
    pacing.manage(m_counterBox, AccessiblePacing::Changes::Paced);
    for (SlotSelector *combo : m_letterSelectors)
        pacing.manage(combo->lineEdit(), AccessiblePacing::Changes::AsTheyCome, combo);
    m_announcer = new Announcer(this);
    ReaderKeyGuard::install();
}

QString Form1::keysDescription() const
{
    return tr("Клавиши: Ctrl+N — новый ник, Ctrl+плюс и Ctrl+минус — длина ника, Ctrl+Z — вернуть стёртый "
              "список, F1 — помощь, Ctrl+I — о программе");
}

void Form1::changeLength(void (NickLength::*step)())
{
    const QString before = m_lengthBox->text();
    (m_nickLength.get()->*step)();
    if (m_lengthBox->text() != before)
        m_announcer->announce(Wording::lengthIs(m_lengthBox->text()));
}

TextBox *Form1::box(Box box) const
{
    switch (box) {
    case Box::Length:
        return m_lengthBox;
    case Box::Interval:
        return m_intervalBox;
    case Box::Nick:
        return m_nickBox;
    case Box::Counter:
        return m_counterBox;
    }
    Q_UNREACHABLE();
}

QString Form1::text(Box box) const
{
    return this->box(box)->text();
}

void Form1::setText(Box box, const QString &text)
{
    this->box(box)->assign(text);
}

void Form1::setNickLimit(int limit)
{
    m_nickBox->setLimit(limit);
}

int Form1::intervalCaret() const
{
    return m_intervalBox->cursorPosition();
}

void Form1::setIntervalCaret(int position)
{
    m_intervalBox->setCursorPosition(position);
}

int Form1::listIndex(int slot) const
{
    return m_letterSelectors.at(slot - 1)->listIndex();
}

void Form1::listNick(const QString &nick)
{
    m_nickList->addItem(nick);
}

NickStore Form1::takeList()
{
    return m_nickList->takeAll();
}

void Form1::putInFrontOfList(NickStore entries)
{
    m_nickList->prepend(std::move(entries));
}

void Form1::refuse(const Refusal &refusal)
{
    showMessage(Wording::refusal(refusal));
}

void Form1::showMessage(const Wording::Message &message)
{
    MessageBox::show(this, message.text, message.title,
                     message.icon == Wording::Icon::Warning ? MessageBox::Style::Warning
                                                            : MessageBox::Style::Information);
}

void Form1::load()
{
    for (int slot = 1; slot <= SlotCount; ++slot)
        m_letterSelectors.at(slot - 1)->setListIndex(DefaultSlotPattern.at(slot - 1));
}

void Form1::showHelp()
{
    MessageBox::show(this, tr("Читай файл !!!PleaseReadMe!!!.html, там обо всём узнаеш."), tr("Подсказка..."),
                     MessageBox::Style::Information);
}

void Form1::showAbout()
{
    // One about window at a time; after its own Exit it is built afresh.
    if (!m_aboutWindow)
        m_aboutWindow = new FrmAbout();
    m_aboutWindow->show();
    m_aboutWindow->raise();
}

void Form1::start()
{
    if (m_autoGeneration->start()) {
        // At interval 0 the timer is on, but silent.
        m_announcer->announce(m_generationTimer->isTicking()
                                  ? Wording::timerStarted(m_generationTimer->interval())
                                  : Wording::timerSilent());
        return;
    }
    // Refused, and the refusal has been shown: the timer is as it was.
    m_announcer->announce(
        Wording::startRefused(m_generationTimer->isEnabled(), m_generationTimer->interval()));
}

void Form1::erase()
{
    m_listErase->erase();
    m_bringBackAction->setEnabled(m_listErase->kept() > 0);
    m_announcer->announce(Wording::listErased());
}

void Form1::bringBack()
{
    if (m_listErase->bringBack() == 0) {
        m_announcer->announce(Wording::nothingToBringBack());
        return;
    }
    m_bringBackAction->setEnabled(false);
    m_announcer->announce(Wording::listBroughtBack(m_counterBox->text()));
}

void Form1::saveitems(NickListBox &lstin)
{
    // The store only grows until Erase, and a copy of it shares its memory:
    // the save writes exactly the entries listed now.
    m_saveJob->start(lstin.store(), m_programFolder, m_fallbackFolder);
    m_saveProgress->saveStarted();
}

void Form1::tellSaveOutcome(const NickLog::Result &result, qsizetype entries)
{
    const auto afterwards = qScopeGuard([this] {
        if (m_closing && !m_saveJob->isBusy())
            close();
    });
    const Wording::SaveReport report = Wording::saveOutcome(result, entries);
    if (report.message)
        showMessage(*report.message);
    else
        m_announcer->announce(report.announcement);
}

void Form1::setLogFolders(const QString &programFolder, const QString &fallbackFolder)
{
    m_programFolder = QFile::encodeName(programFolder);
    m_fallbackFolder = QFile::encodeName(fallbackFolder);
}

void Form1::endProgram()
{
    close();
}

void Form1::closeEvent(QCloseEvent *event)
{
    // Exit, or the window system closing the window (a key, the taskbar):
    // the whole program ends at once, no question, unsaved nicks are gone,
    // and an open about window goes with it.
    m_generationTimer->setEnabled(false);
    if (m_saveJob->isBusy()) {
        // The program ends once the save is complete; meanwhile its progress shows.
        m_closing = true;
        event->ignore();
        m_saveProgress->showNow();
        return;
    }
    if (m_aboutWindow)
        m_aboutWindow->close();
    QWidget::closeEvent(event);
    QCoreApplication::exit(0);
}

void Form1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_firstShow) {
        m_firstShow = false;
        m_closeButton->setFocus(Qt::OtherFocusReason);
    }
}

void Form1::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // The keys are told as the window comes up from elsewhere; back from a
    // window of the program's own (a message, the about window, the save's
    // progress), the window is no news and they are not told again.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        setAccessibleDescription(QApplication::activeWindow() ? QString() : keysDescription());
}
