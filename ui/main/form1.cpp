#include "ui/main/form1.h"

#include "control/logfile.h"
#include "control/savejob.h"
#include "platform/appdir.h"
#include "platform/generationtimer.h"
#include "platform/random.h"
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
#include "ui/toolkit/imagebutton.h"
#include "ui/toolkit/messagebox.h"
#include "ui/toolkit/outlineshape.h"
#include "ui/toolkit/pushbutton.h"
#include "ui/toolkit/slotselector.h"
#include "ui/toolkit/textbox.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopeGuard>
#include <QShortcut>
#include <QWindow>

namespace {

bool systemMoveEnabled = true;

QLabel *makeLabel(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
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

QString face(const char *name)
{
    return QStringLiteral(":/faces/%1.svg").arg(QLatin1String(name));
}

// The normal face takes the button's name; the pressed face has its own.
ImageButton *makeImageButton(const QString &name, const char *pressedName, const char *faceName, QWidget *parent)
{
    const QString base = QLatin1String(faceName);
    return new ImageButton(name, face(qPrintable(base + QStringLiteral("-normal"))), QLatin1String(pressedName),
                           face(qPrintable(base + QStringLiteral("-pressed"))), parent);
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
      m_random(random ? std::move(random) : std::make_unique<ClockRandom>()),
      m_programFolder(applicationDirectory()), m_fallbackFolder(QFile::encodeName(userDocumentsDirectory()))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Form1"));
    setWindowIcon(QIcon(QStringLiteral(":/icon/quillmark.svg")));
    setFixedSize(Look::twips(8910), Look::twips(5175));
    Look::paintPanelGrey(this);

    buildOutline();
    buildControls();
    setupTabOrder();
    connectActions();
    setupAccess();
    load();
}

Form1::~Form1()
{
    delete m_about;
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
            combo->addItems({QStringLiteral("Гласная"), QStringLiteral("Согласная")});
            combo->setListIndex(-1); // nothing selected until the window loads
            return m_combos.at(slot - 1) = combo;
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
             m_title = makeLabel(name, QStringLiteral("Quillmark"), in);
             m_title->setFont(Look::font(Look::CampusOtl, 18, Look::Weight::Bold));
             m_title->setAlignment(Qt::AlignCenter);
             QPalette titlePalette = m_title->palette();
             titlePalette.setColor(QPalette::WindowText, Look::navy());
             m_title->setPalette(titlePalette);
             return m_title;
         }},
        {"Exit", "Form1", 6240, 0, 375, 375,
         [this](Name name, QWidget *in) {
             m_exit = makeButton(name, QStringLiteral("X"), QString(), in);
             m_exit->setFont(Look::font(Look::ComicSans, 9.75, Look::Weight::Bold));
             return m_exit;
         }},
        // The working panel: the nick, the letters, the length and the three
        // big buttons.
        {"Frame1", "Form1", 120, 480, 6375, 4575,
         [this](Name name, QWidget *in) {
             m_frame1 = makeFrame(name, QStringLiteral("Ники делать тут:"), in);
             m_frame1->setCaptionFont(Look::font(Look::MsSansSerif, 9.75));
             return m_frame1;
         }},
        {"Image1", "Frame1", 3600, 1920, 2715, 930,
         [this](Name name, QWidget *in) {
             return m_generateButton = makeImageButton(name, "Image2", "generate", in);
         }},
        {"Image3", "Frame1", 3600, 2760, 2715, 930,
         [this](Name name, QWidget *in) { return m_aboutButton = makeImageButton(name, "Image4", "about", in); }},
        {"Image5", "Frame1", 3600, 3600, 2715, 930,
         [this](Name name, QWidget *in) { return m_helpButton = makeImageButton(name, "Image6", "help", in); }},
        {"Frame2", "Frame1", 120, 240, 6135, 855,
         [this](Name name, QWidget *in) { return m_frame2 = makeFrame(name, QStringLiteral("Сам ник:"), in); }},
        {"Text3", "Frame2", 120, 240, 5895, 495,
         [this](Name name, QWidget *in) {
             m_text3 = makeTextBox(name, QStringLiteral("[.:] TOR(E)N [:.]"), QStringLiteral("Сам ник"), in);
             m_text3->setReadOnly(true);
             m_text3->setFont(Look::font(Look::ComicSans, 14.25));
             m_text3->setStyleSheet(
                 QStringLiteral("TextBox { border: 1px solid %1; color: %2; background: %3; }")
                     .arg(Look::windowText().name(), Look::darkRed().name(), Look::panelGrey().name()));
             return m_text3;
         }},
        {"Frame3", "Frame1", 120, 1200, 3375, 3255,
         [this](Name name, QWidget *in) {
             m_frame3 = makeFrame(name, QStringLiteral("Настрой буквы (советую оставить так):"), in);
             // The line between the two columns, beneath the selectors.
             OutlineShape::line(1680, 240, 1680, 3240, m_frame3)->setObjectName(QStringLiteral("Line4"));
             return m_frame3;
         }},
        // Two columns of five, each label 240 twips above its selector. Label
        // names do not follow the slots: the sixth letter's label is Label2.
        {"Label3", "Frame3", 120, 240, 1095, 195, slotLabel(1, QStringLiteral("Первая буква:"))},
        {"Combo1", "Frame3", 120, 480, 1455, 315, selector(1)},
        {"Label4", "Frame3", 120, 840, 1065, 195, slotLabel(2, QStringLiteral("Вторая буква:"))},
        {"Combo2", "Frame3", 120, 1080, 1455, 315, selector(2)},
        {"Label5", "Frame3", 120, 1440, 1065, 195, slotLabel(3, QStringLiteral("Третья буква:"))},
        {"Combo3", "Frame3", 120, 1680, 1455, 315, selector(3)},
        {"Label6", "Frame3", 120, 2040, 1335, 195, slotLabel(4, QStringLiteral("Четвёртая буква:"))},
        {"Combo4", "Frame3", 120, 2280, 1455, 315, selector(4)},
        {"Label7", "Frame3", 120, 2640, 990, 195, slotLabel(5, QStringLiteral("Пятая буква:"))},
        {"Combo5", "Frame3", 120, 2880, 1455, 315, selector(5)},
        {"Label2", "Frame3", 1800, 240, 1095, 195, slotLabel(6, QStringLiteral("Шестая буква:"))},
        {"Combo6", "Frame3", 1800, 480, 1455, 315, selector(6)},
        {"Label8", "Frame3", 1800, 840, 1200, 195, slotLabel(7, QStringLiteral("Седьмая буква:"))},
        {"Combo7", "Frame3", 1800, 1080, 1455, 315, selector(7)},
        {"Label9", "Frame3", 1800, 1440, 1200, 195, slotLabel(8, QStringLiteral("Восьмая буква:"))},
        {"Combo8", "Frame3", 1800, 1680, 1455, 315, selector(8)},
        {"Label10", "Frame3", 1800, 2040, 1185, 195, slotLabel(9, QStringLiteral("Девятая буква:"))},
        {"Combo9", "Frame3", 1800, 2280, 1455, 315, selector(9)},
        {"Label11", "Frame3", 1800, 2640, 1185, 195, slotLabel(10, QStringLiteral("Десятая буква:"))},
        {"Combo10", "Frame3", 1800, 2880, 1455, 315, selector(10)},
        // The length: the box lies above the up button's edge, the down
        // button above the up button's.
        {"Frame4", "Frame1", 3600, 1200, 2655, 735,
         [this](Name name, QWidget *in) { return m_frame4 = makeFrame(name, QStringLiteral("Длина ника:"), in); }},
        {"Image7", "Frame4", 840, 240, 855, 420,
         [this](Name name, QWidget *in) { return m_lengthUpButton = makeImageButton(name, "Image8", "up", in); }},
        {"Image9", "Frame4", 1680, 240, 855, 420,
         [this](Name name, QWidget *in) {
             return m_lengthDownButton = makeImageButton(name, "Image10", "down", in);
         }},
        {"Text1", "Frame4", 120, 240, 735, 405,
         [this](Name name, QWidget *in) {
             m_text1 = makeTextBox(name, QStringLiteral("6"), QStringLiteral("Длина генерируемого ника"), in);
             m_text1->setReadOnly(true);
             m_text1->setFont(Look::font(Look::ComicSans, 12));
             return m_text1;
         }},
        // The generator panel.
        {"Frame5", "Form1", 6720, 120, 2055, 4935,
         [this](Name name, QWidget *in) {
             return m_frame5 = makeFrame(name, QStringLiteral("Настрой генератор:"), in);
         }},
        {"Label12", "Frame5", 120, 2880, 1860, 435,
         [&intervalLabel](Name name, QWidget *in) {
             intervalLabel = makeLabel(name, QStringLiteral("Интервал добавления (м/c):"), in);
             intervalLabel->setWordWrap(true);
             intervalLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
             return intervalLabel;
         }},
        {"Label13", "Frame5", 120, 3480, 690, 195,
         [&counterLabel](Name name, QWidget *in) {
             return counterLabel = makeLabel(name, QStringLiteral("Записей:"), in);
         }},
        {"List", "Frame5", 120, 240, 1815, 2595,
         [this](Name name, QWidget *in) {
             m_list = new NickListBox(in);
             m_list->setObjectName(name);
             return m_list;
         }},
        {"Text2", "Frame5", 840, 3120, 1095, 285,
         [this](Name name, QWidget *in) {
             m_text2 = makeTextBox(name, QStringLiteral("250"), QStringLiteral("Интервал между добавлением ников"),
                                   in);
             m_text2->setLimit(4);
             return m_text2;
         }},
        {"Text4", "Frame5", 840, 3480, 1095, 285,
         [this](Name name, QWidget *in) {
             m_text4 = makeTextBox(name, QStringLiteral("0"),
                                   QStringLiteral("Показывает сколько уже сгенерировано ников"), in);
             m_text4->setReadOnly(true);
             return m_text4;
         }},
        // Each button's top edge lies under the one below it.
        {"Command2", "Frame5", 120, 3840, 1815, 255,
         [this](Name name, QWidget *in) {
             return m_start =
                        makeButton(name, QStringLiteral("Старт"), QStringLiteral("Начать генерировать по таймеру"), in);
         }},
        {"Command3", "Frame5", 120, 4080, 1815, 255,
         [this](Name name, QWidget *in) {
             return m_stop = makeButton(name, QStringLiteral("Стоп"), QStringLiteral("Остановить генерацию"), in);
         }},
        {"Command4", "Frame5", 120, 4320, 1815, 255,
         [this](Name name, QWidget *in) {
             return m_erase = makeButton(name, QStringLiteral("Стереть"), QStringLiteral("Очищает список"), in);
         }},
        {"Command1", "Frame5", 120, 4560, 1815, 255,
         [this](Name name, QWidget *in) {
             return m_save = makeButton(name, QStringLiteral("Сохранить"),
                                        QStringLiteral("Сохраняет список в папку с программой"), in);
         }},
    };
    makeControls(*this, rows);

    // A screen reader names a selector or box after its label ("labelled by").
    for (int slot = 1; slot <= SlotCount; ++slot)
        slotLabels.at(slot - 1)->setBuddy(m_combos.at(slot - 1));
    intervalLabel->setBuddy(m_text2);
    counterLabel->setBuddy(m_text4);

    m_frame1->setReportsPointerMovement(true);
    m_frame3->setReportsPointerMovement(true);
    m_frame4->setReportsPointerMovement(true);

    m_timer = new GenerationTimer(m_frame5);
    m_timer->setObjectName(QStringLiteral("Timer1"));
}

void Form1::setupTabOrder()
{
    const std::array<QWidget *, 20> order{
        m_exit,      m_combos[0], m_combos[1], m_combos[2], m_combos[3], m_text1, m_combos[4],
        m_combos[5], m_combos[6], m_combos[7], m_combos[8], m_combos[9], m_list,  m_text2,
        m_start,     m_stop,      m_text3,     m_erase,     m_text4,     m_save};
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void Form1::connectActions()
{
    GeneratorPanel &panel = *this;
    m_generation = std::make_unique<NickGeneration>(panel, *m_random);
    m_length = std::make_unique<NickLength>(panel);
    m_autoGeneration = std::make_unique<AutoGeneration>(panel, *m_timer);
    m_listErase = std::make_unique<ListErase>(panel);
    // Every change of the interval box, typed or set, is normalised at once.
    connect(m_text2, &TextBox::textChanged, this, [this] { m_autoGeneration->intervalChanged(); });
    m_saveJob = new SaveJob(this);
    m_saveJob->setObjectName(QStringLiteral("saveJob"));
    m_saveProgress = std::make_unique<SaveProgress>(*m_saveJob, this);
    connect(m_saveJob, &SaveJob::finished, this, &Form1::tellSaveOutcome);

    // A nick the user asked for is told; the timer's nicks are not, one by
    // one they would be noise.
    connect(m_generateButton, &ImageButton::activated, this, [this] {
        if (m_generation->GenerateNick())
            m_announcer->announce(m_text3->text());
    });
    connect(m_timer, &GenerationTimer::tick, this, [this] { m_generation->GenerateNick(); });
    connect(m_lengthUpButton, &ImageButton::activated, this, [this] { changeLength(&NickLength::up); });
    connect(m_lengthDownButton, &ImageButton::activated, this, [this] { changeLength(&NickLength::down); });
    connect(m_helpButton, &ImageButton::activated, this, &Form1::showHelp);
    connect(m_aboutButton, &ImageButton::activated, this, &Form1::showAbout);

    connect(m_start, &QPushButton::clicked, this, &Form1::start);
    connect(m_stop, &QPushButton::clicked, this, [this] {
        m_autoGeneration->stop();
        m_announcer->announce(QStringLiteral("таймер остановлен, записей: %1").arg(m_text4->text()));
    });
    connect(m_erase, &QPushButton::clicked, this, &Form1::erase);
    // Ctrl+Z, where the focused box has no typing of its own to undo (the
    // interval box and the selectors keep theirs), and the list's menu.
    m_bringBackAction = new QAction(tr("Вернуть стёртое"), this);
    // Shown in the menu; the key itself is the window's, below.
    m_bringBackAction->setShortcut(QKeySequence::Undo);
    m_bringBackAction->setShortcutContext(Qt::WidgetShortcut);
    m_bringBackAction->setEnabled(false);
    connect(m_bringBackAction, &QAction::triggered, this, &Form1::bringBack);
    m_list->addMenuAction(m_bringBackAction);
    connect(new QShortcut(QKeySequence::Undo, this), &QShortcut::activated, this, &Form1::bringBack);
    connect(m_list, &NickListBox::menuOpened, this, [this](bool byKeyboard) {
        // Closing, the menu hands the window back: no news (see changeEvent).
        setAccessibleDescription(QString());
        if (byKeyboard)
            m_announcer->announce(tr("меню списка"));
    });
    connect(m_save, &QPushButton::clicked, this, [this] { saveitems(*m_list); });
    connect(m_list, &NickListBox::clicked, this, [this] { m_text3->assign(m_list->text()); });
    connect(m_exit, &QPushButton::clicked, this, &Form1::endProgram);

    // Passing over a frame brings faces back; the letter frame restores the
    // length-up button, the length frame only the length-down one.
    connect(m_frame1, &CaptionFrame::pointerMovedOverSurface, this, [this] {
        m_generateButton->rest();
        m_aboutButton->rest();
        m_helpButton->rest();
    });
    connect(m_frame3, &CaptionFrame::pointerMovedOverSurface, this, [this] { m_lengthUpButton->rest(); });
    connect(m_frame4, &CaptionFrame::pointerMovedOverSurface, this, [this] { m_lengthDownButton->rest(); });
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
        {m_generateButton, QStringLiteral("ДЕЛАТЬ"), QKeySequence(Qt::CTRL | Qt::Key_N)},
        {m_aboutButton, QStringLiteral("О ПРОГЕ"), QKeySequence(Qt::CTRL | Qt::Key_I)},
        {m_helpButton, QStringLiteral("ПОМОЩЬ"), QKeySequence(Qt::Key_F1)},
        {m_lengthUpButton, QStringLiteral("Длиннее: длина ника плюс один"),
         QKeySequence(Qt::CTRL | Qt::Key_Plus)},
        {m_lengthDownButton, QStringLiteral("Короче: длина ника минус один"),
         QKeySequence(Qt::CTRL | Qt::Key_Minus)},
    };
    for (const Access &access : buttons) {
        access.button->setAccessibleName(access.name);
        access.button->setShortcut(access.key);
        access.button->setAccessibleDescription(
            QStringLiteral("Клавиша: %1").arg(access.key.toString(QKeySequence::NativeText)));
    }
    // Ctrl++ is Ctrl+Shift+= on most keyboards, and Ctrl+= where Shift is not held.
    auto *lengthUpKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Equal), this);
    connect(lengthUpKey, &QShortcut::activated, m_lengthUpButton, &QAbstractButton::click);

    // Boxes without a label of their own are named after their frames.
    m_text1->setAccessibleName(QStringLiteral("Длина ника"));
    // As its frame is captioned, which a screen reader then names only once.
    m_text3->setAccessibleName(QStringLiteral("Сам ник:"));
    m_text3->setAccessibleDescription(QStringLiteral("Новый ник: Ctrl+N"));
    m_list->setAccessibleName(QStringLiteral("Список ников"));
    m_exit->setAccessibleName(QStringLiteral("Закрыть"));

    // The picture buttons are off the Tab path: the window tells their keys.
    // The title the window system shows stays "Form1".
    setAccessibleName(QStringLiteral("Quillmark — генератор ников"));
    setAccessibleDescription(keysDescription());

    AccessiblePacing &pacing = AccessiblePacing::instance();
    pacing.manage(m_text1, AccessiblePacing::Changes::AsTheyCome);
    pacing.manage(m_text2, AccessiblePacing::Changes::AsTheyCome);
    pacing.manage(m_text3, AccessiblePacing::Changes::Paced);
    pacing.manage(m_text4, AccessiblePacing::Changes::Paced);
    for (SlotSelector *combo : m_combos)
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
    const QString before = m_text1->text();
    (m_length.get()->*step)();
    if (m_text1->text() != before)
        m_announcer->announce(QStringLiteral("длина ника %1").arg(m_text1->text()));
}

TextBox *Form1::box(Box box) const
{
    switch (box) {
    case Box::Length:
        return m_text1;
    case Box::Interval:
        return m_text2;
    case Box::Nick:
        return m_text3;
    case Box::Counter:
        return m_text4;
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
    m_text3->setLimit(limit);
}

int Form1::intervalCaret() const
{
    return m_text2->cursorPosition();
}

void Form1::setIntervalCaret(int position)
{
    m_text2->setCursorPosition(position);
}

int Form1::listIndex(int slot) const
{
    return m_combos.at(slot - 1)->listIndex();
}

void Form1::listNick(const QString &nick)
{
    m_list->addItem(nick);
}

NickStore Form1::takeList()
{
    return m_list->takeAll();
}

void Form1::putInFrontOfList(NickStore entries)
{
    m_list->prepend(std::move(entries));
}

void Form1::refuse(const QString &text, const QString &title)
{
    MessageBox::show(this, text, title, MessageBox::Style::Information);
}

void Form1::load()
{
    for (int slot = 1; slot <= SlotCount; ++slot)
        m_combos.at(slot - 1)->setListIndex(DefaultSlotPattern.at(slot - 1));
}

void Form1::showHelp()
{
    MessageBox::show(this, QStringLiteral("Читай файл !!!PleaseReadMe!!!.html, там обо всём узнаеш."),
                     QStringLiteral("Подсказка..."), MessageBox::Style::Information);
}

void Form1::showAbout()
{
    // One about window at a time; after its own Exit it is built afresh.
    if (!m_about)
        m_about = new FrmAbout();
    m_about->show();
    m_about->raise();
}

void Form1::start()
{
    if (m_autoGeneration->start()) {
        m_announcer->announce(
            m_timer->interval() == 0
                ? tr("таймер включён, но при интервале 0 мс ники не добавляются")
                : QStringLiteral("таймер запущен, интервал %1 мс").arg(m_timer->interval()));
        return;
    }
    // Refused, and the refusal has been shown: the timer is as it was.
    m_announcer->announce(
        m_timer->isEnabled()
            ? tr("интервал не изменён, таймер работает дальше с интервалом %1 мс").arg(m_timer->interval())
            : tr("интервал не изменён, таймер не запущен"));
}

void Form1::erase()
{
    m_listErase->erase();
    m_bringBackAction->setEnabled(m_listErase->kept() > 0);
    m_announcer->announce(QStringLiteral("список стёрт, записей: 0"));
}

void Form1::bringBack()
{
    if (m_listErase->bringBack() == 0) {
        m_announcer->announce(tr("вернуть нечего"));
        return;
    }
    m_bringBackAction->setEnabled(false);
    m_announcer->announce(tr("список возвращён, записей: %1").arg(m_text4->text()));
}

namespace {

// What refused the program folder's file, as the head of a message.
QString refusedHead(const NickLog::Result &result)
{
    QString head;
    switch (result.refusedBy) {
    case NickLog::Refuser::Folder:
        head = QStringLiteral("В папку программы нельзя записывать");
        break;
    case NickLog::Refuser::File:
        head = QStringLiteral("Файл NIK.log в папке программы нельзя изменить");
        break;
    case NickLog::Refuser::LinkTarget:
        head = QStringLiteral("Ссылка NIK.log в папке программы ведёт туда, куда нельзя записывать");
        break;
    }
    return head + QStringLiteral(" (%1: %2)").arg(result.refusedReason, result.refusedPath);
}

} // namespace

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
    // Saved, but a power cut may still bring the earlier file back.
    const QString unconfirmed =
        result.warning.isEmpty()
            ? QString()
            : QStringLiteral("\n\nНо диск не подтвердил запись (%1): при внезапном отключении питания "
                             "в файле может оказаться прежний список.")
                  .arg(result.warning);
    // The user asked to stop, and must hear why the file changed anyway.
    const QString tooLate = result.tooLateToCancel
                                ? QStringLiteral("Отменить сохранение было уже нельзя: прежний файл к этому "
                                                 "времени уже заменялся новым. ")
                                : QString();
    switch (result.outcome) {
    case NickLog::Outcome::Saved:
        if (!unconfirmed.isEmpty() || !tooLate.isEmpty()) {
            const QString saved = tooLate.isEmpty()
                                      ? QStringLiteral("Список сохранён в файл\n")
                                      : tooLate + QStringLiteral("Список сохранён полностью в файл\n");
            MessageBox::show(this, saved + result.path + unconfirmed, QStringLiteral("Сохранение"),
                             unconfirmed.isEmpty() ? MessageBox::Style::Information
                                                   : MessageBox::Style::Warning);
            return;
        }
        // The window stays as it is; only a screen reader hears of it.
        m_announcer->announce(QStringLiteral("сохранено ников: %1, файл %2")
                                  .arg(entries)
                                  .arg(QDir::toNativeSeparators(result.path)));
        return;
    case NickLog::Outcome::Cancelled:
        MessageBox::show(this,
                         QFileInfo(result.path).isFile()
                             ? QStringLiteral("Сохранение отменено, прежний файл остался как был:\n%1").arg(result.path)
                             : QStringLiteral("Сохранение отменено, файл не записан:\n%1").arg(result.path),
                         QStringLiteral("Сохранение"), MessageBox::Style::Information);
        return;
    case NickLog::Outcome::SavedToFallback: {
        const QString replaced = result.replacedEarlier
                                     ? QStringLiteral("\n\nПрежний файл NIK.log в этой папке заменён новым.")
                                     : QString();
        MessageBox::show(this,
                         tooLate + refusedHead(result) +
                             QStringLiteral(", поэтому список сохранён в файл\n%1").arg(result.path) +
                             replaced + unconfirmed,
                         QStringLiteral("Сохранение"),
                         unconfirmed.isEmpty() ? MessageBox::Style::Information : MessageBox::Style::Warning);
        return;
    }
    case NickLog::Outcome::Failed: {
        // The earlier file, if there was one, is still there as it was,
        // unless it could only be written in place and now holds part of the list.
        const QString kept = result.damaged
                                 ? QStringLiteral("Список не тронут, но файл записан не полностью: "
                                                  "в нём только часть списка.")
                             : QFileInfo(result.path).isFile()
                                 ? QStringLiteral("Список не тронут, прежний файл остался как был.")
                                 : QStringLiteral("Список не тронут.");
        QString head = QStringLiteral("Не удалось сохранить список в файл");
        if (result.nowhereElse)
            head = QStringLiteral("В папку программы нельзя записывать, а другого места для сохранения нет: "
                                  "домашняя папка не найдена.");
        else if (!result.refusedPath.isEmpty())
            head = refusedHead(result) + QStringLiteral(", и в запасную папку сохранить тоже не удалось:");
        MessageBox::show(
            this, head + QStringLiteral("\n%1\n\nПричина: %2\n\n%3").arg(result.path, result.reason, kept),
            QStringLiteral("Ошибка сохранения"), MessageBox::Style::Warning);
        return;
    }
    }
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
    m_timer->setEnabled(false);
    if (m_saveJob->isBusy()) {
        // The program ends once the save is complete; meanwhile its progress shows.
        m_closing = true;
        event->ignore();
        m_saveProgress->showNow();
        return;
    }
    if (m_about)
        m_about->close();
    QWidget::closeEvent(event);
    QCoreApplication::exit(0);
}

void Form1::setSystemMoveEnabled(bool enabled)
{
    systemMoveEnabled = enabled;
}

void Form1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_firstShow) {
        m_firstShow = false;
        m_exit->setFocus(Qt::OtherFocusReason);
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

void Form1::mousePressEvent(QMouseEvent *event)
{
    // Only the bare background moves the window (the outline lines let the
    // press through); a press that a control let fall through does not.
    if (childAt(event->position().toPoint())) {
        event->ignore();
        return;
    }
    event->accept();
    // The window manager's move follows the left button only: with any other
    // button it would never see the release and go on moving.
    if (event->button() == Qt::LeftButton && systemMoveEnabled && windowHandle() &&
        windowHandle()->startSystemMove())
        return;
    m_followingPointer = true;
    m_pressOffset = event->globalPosition().toPoint() - pos();
}

void Form1::mouseMoveEvent(QMouseEvent *event)
{
    if (m_followingPointer)
        move(event->globalPosition().toPoint() - m_pressOffset);
}

void Form1::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_followingPointer && event->buttons() == Qt::NoButton)
        m_followingPointer = false;
}
