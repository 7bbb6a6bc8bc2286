#include "ui/main/form1.h"

#include "core/letters.h"
#include "core/nicklist.h"
#include "platform/generationtimer.h"
#include "ui/about/frmabout.h"
#include "ui/access/accessiblepacing.h"
#include "ui/common/look.h"
#include "ui/list/nicklistbox.h"
#include "ui/main/form1controller.h"
#include "ui/main/form1layout.h"
#include "ui/toolkit/captionframe.h"
#include "ui/toolkit/fittedtext.h"
#include "ui/toolkit/imagebutton.h"
#include "ui/toolkit/outlineshape.h"
#include "ui/toolkit/pushbutton.h"
#include "ui/toolkit/slotselector.h"
#include "ui/toolkit/textbox.h"
#include "ui/toolkit/windowdrag.h"
#include "ui/wording/wording.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QHash>
#include <QIcon>
#include <QLabel>
#include <QShortcut>

namespace {

ImageButton *makeImageButton(const QString &name, const ImageButtonFaces &faces, QWidget *parent)
{
    // The Russian faces lie at the top; a language whose faces are not drawn
    // yet shows them too, rather than none.
    const QString translated =
        QStringLiteral(":/faces/%1/%2").arg(Wording::language(), QLatin1String(faces.picture));
    const QString base = faces.worded && QFile::exists(translated + QStringLiteral("-normal.svg"))
                             ? translated
                             : QStringLiteral(":/faces/") + QLatin1String(faces.picture);
    return new ImageButton(name, base + QStringLiteral("-normal.svg"), QLatin1String(faces.pressed),
                           base + QStringLiteral("-pressed.svg"), parent);
}

template <typename Row, std::size_t N> const Row *rowOf(const Row (&rows)[N], const QString &name)
{
    for (const Row &row : rows)
        if (name == QLatin1String(row.name))
            return &row;
    return nullptr;
}

} // namespace

Form1::Form1(std::unique_ptr<RandomSource> random) : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
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
    finishControls();
    setupTabOrder();
    setupAccess();
    m_controller = std::make_unique<Form1Controller>(*this, m_controls, std::move(random));
    load();
}

Form1::~Form1() = default;

void Form1::buildOutline()
{
    // Drawn first, so everything else lies above the outline.
    OutlineShape::rectangle(0, 0, 6615, 5175, this)->setObjectName(QStringLiteral("Shape1"));
    OutlineShape::line(6600, 0, 8880, 0, this)->setObjectName(QStringLiteral("Line3"));
    OutlineShape::line(8880, 0, 8880, 5160, this)->setObjectName(QStringLiteral("Line2"));
    OutlineShape::line(6600, 5160, 8880, 5160, this)->setObjectName(QStringLiteral("Line1"));
}

QWidget *Form1::makeControl(const QString &name, QWidget *in)
{
    const ControlText *texts = rowOf(Form1Texts, name);
    const QString text = texts ? tr(texts->text) : QString();
    const QString toolTip = texts && texts->toolTip ? tr(texts->toolTip) : QString();
    QWidget *control = nullptr;
    if (const ImageButtonFaces *faces = rowOf(Form1Faces, name)) {
        return makeImageButton(name, *faces, in);
    } else if (name.startsWith(u"Frame")) {
        control = new CaptionFrame(text, in);
    } else if (name.startsWith(u"Label")) {
        control = new FittedLabel(text, in);
        Look::paintPanelGrey(control);
    } else if (name.startsWith(u"Text")) {
        auto *box = new TextBox(in);
        box->setText(text);
        box->setAlignment(Qt::AlignCenter);
        Look::paintPanelGrey(box);
        control = box;
    } else if (name.startsWith(u"Combo")) {
        auto *combo = new SlotSelector(in);
        combo->addItems({tr("Гласная"), tr("Согласная")});
        combo->setListIndex(-1); // nothing selected until the window loads
        control = combo;
    } else if (name == u"List") {
        control = new NickListBox(in);
    } else {
        control = new PushButton(text, in);
    }
    control->setObjectName(name);
    control->setToolTip(toolTip);
    return control;
}

void Form1::buildControls()
{
    QHash<QString, QWidget *> made;
    makeControls(*this, Form1Layout, [this, &made](const QString &name, QWidget *in) {
        return made[name] = makeControl(name, in);
    });

    Form1Controls &c = m_controls;
    const auto find = [&made]<typename Control>(Control *&control, const char *name) {
        control = static_cast<Control *>(made.value(QLatin1String(name)));
    };
    find(c.close, "Exit");
    find(c.workFrame, "Frame1");
    find(c.letterFrame, "Frame3");
    find(c.lengthFrame, "Frame4");
    find(c.lengthBox, "Text1");
    find(c.intervalBox, "Text2");
    find(c.nickBox, "Text3");
    find(c.counterBox, "Text4");
    for (int slot = 1; slot <= 10; ++slot)
        find(c.selectors.at(slot - 1), qPrintable(QStringLiteral("Combo%1").arg(slot)));
    find(c.nickList, "List");
    find(c.saveButton, "Command1");
    find(c.startButton, "Command2");
    find(c.stopButton, "Command3");
    find(c.eraseButton, "Command4");
    find(c.generateButton, "Image1");
    find(c.aboutButton, "Image3");
    find(c.helpButton, "Image5");
    find(c.lengthUpButton, "Image7");
    find(c.lengthDownButton, "Image9");

    c.timer = new GenerationTimer(findChild<QWidget *>(QStringLiteral("Frame5")));
    c.timer->setObjectName(QStringLiteral("Timer1"));
    // Made after the list box, so that the window deletes it after the box.
    c.nicks = new NickList(this);
    c.nickList->setModel(c.nicks);
}

void Form1::finishControls()
{
    const auto label = [this](const char *name) { return findChild<QLabel *>(QLatin1String(name)); };
    QLabel *title = label("Label1");
    title->setFont(Look::font(Look::CampusOtl, 18, Look::Weight::Bold));
    title->setAlignment(Qt::AlignCenter);
    QPalette titlePalette = title->palette();
    titlePalette.setColor(QPalette::WindowText, Look::navy());
    title->setPalette(titlePalette);
    m_controls.close->setFont(Look::font(Look::ComicSans, 9.75, Look::Weight::Bold));
    m_controls.workFrame->setCaptionFont(Look::font(Look::MsSansSerif, 9.75));

    TextBox *nick = m_controls.nickBox;
    nick->setReadOnly(true);
    nick->setFont(Look::font(Look::ComicSans, 14.25));
    nick->setStyleSheet(
        QStringLiteral("TextBox { border: 1px solid %1; color: %2; background: %3; }")
            .arg(Look::windowText().name(), Look::darkRed().name(), Look::panelGrey().name()));
    m_controls.lengthBox->setReadOnly(true);
    m_controls.lengthBox->setFont(Look::font(Look::ComicSans, 12));
    m_controls.intervalBox->setLimit(4);
    m_controls.counterBox->setReadOnly(true);

    // The line between the two letter columns, beneath the selectors.
    auto *line = OutlineShape::line(1680, 240, 1680, 3240, m_controls.letterFrame);
    line->setObjectName(QStringLiteral("Line4"));
    line->lower();

    QLabel *interval = label("Label12");
    interval->setWordWrap(true);
    interval->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // A screen reader names a selector or box after its label ("labelled by").
    static const char *const SlotLabels[] = {"Label3", "Label4", "Label5", "Label6",  "Label7",
                                             "Label2", "Label8", "Label9", "Label10", "Label11"};
    for (int slot = 1; slot <= 10; ++slot)
        label(SlotLabels[slot - 1])->setBuddy(m_controls.selectors.at(slot - 1));
    interval->setBuddy(m_controls.intervalBox);
    label("Label13")->setBuddy(m_controls.counterBox);

    m_controls.workFrame->setReportsPointerMovement(true);
    m_controls.letterFrame->setReportsPointerMovement(true);
    m_controls.lengthFrame->setReportsPointerMovement(true);
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

void Form1::setupAccess()
{
    // Keys for the image buttons, window-wide: F1 is the desktop's help key,
    // Ctrl+N makes a new one, Ctrl++ and Ctrl+- make it longer and shorter
    // as they make a view larger and smaller, Ctrl+I tells about the program
    // as it tells about a page or a file elsewhere. None of them is a text
    // box's own editing key, and none takes the focus.
    // Off the Tab path, each tells its key in its tooltip.
    struct Access
    {
        ImageButton *button;
        QString name;
        QKeySequence key;
        const char *toolTip; // %1 the key
    };
    const Access buttons[] = {
        {m_controls.generateButton, tr("ДЕЛАТЬ"), QKeySequence(Qt::CTRL | Qt::Key_N),
         //: %1 is the button's key, as the desktop writes it (e.g. Ctrl+N)
         QT_TR_NOOP("Сделать новый ник (%1)")},
        {m_controls.aboutButton, tr("О ПРОГЕ"), QKeySequence(Qt::CTRL | Qt::Key_I),
         //: %1 is the button's key, as the desktop writes it (e.g. Ctrl+I)
         QT_TR_NOOP("О программе (%1)")},
        {m_controls.helpButton, tr("ПОМОЩЬ"), QKeySequence(Qt::Key_F1),
         //: %1 is the button's key, as the desktop writes it (e.g. F1)
         QT_TR_NOOP("Подсказка (%1)")},
        {m_controls.lengthUpButton, tr("Длиннее: длина ника плюс один"), QKeySequence(Qt::CTRL | Qt::Key_Plus),
         //: %1 is the button's key, as the desktop writes it (e.g. Ctrl++)
         QT_TR_NOOP("Длиннее: длина ника плюс один (%1)")},
        {m_controls.lengthDownButton, tr("Короче: длина ника минус один"),
         QKeySequence(Qt::CTRL | Qt::Key_Minus),
         //: %1 is the button's key, as the desktop writes it (e.g. Ctrl+-)
         QT_TR_NOOP("Короче: длина ника минус один (%1)")},
    };
    for (const Access &access : buttons) {
        const QString key = access.key.toString(QKeySequence::NativeText);
        access.button->setAccessibleName(access.name);
        access.button->setShortcut(access.key);
        //: What a screen reader says after a button's name: %1 is its key, as the desktop writes it (e.g.
        //: Ctrl+N).
        access.button->setAccessibleDescription(tr("Клавиша: %1").arg(key));
        access.button->setToolTip(tr(access.toolTip).arg(key));
    }
    // Ctrl++ is Ctrl+Shift+= on most keyboards, and Ctrl+= where Shift is not held.
    auto *lengthUpKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Equal), this);
    connect(lengthUpKey, &QShortcut::activated, m_controls.lengthUpButton, &QAbstractButton::click);
    // Ctrl+Q quits as desktop programs do: it clicks the X, so it does what
    // the X does, also while a save runs.
    const QKeySequence quitKey(Qt::CTRL | Qt::Key_Q);
    connect(new QShortcut(quitKey, this), &QShortcut::activated, m_controls.close, &QAbstractButton::click);
    const QString quitName = quitKey.toString(QKeySequence::NativeText);
    //: %1 is the button's key, as the desktop writes it (e.g. Ctrl+Q)
    m_controls.close->setToolTip(tr("Закрыть программу (%1)").arg(quitName));
    //: What a screen reader says after a button's name: %1 is its key, as the desktop writes it (e.g.
    //: Ctrl+N).
    m_controls.close->setAccessibleDescription(tr("Клавиша: %1").arg(quitName));

    // The length box is told by its frame's caption alone, which a screen
    // reader says as the focus enters the frame. The nick box, alone in its
    // frame, is named as the frame is captioned: a reader names it once.
    m_controls.nickBox->setAccessibleName(tr("Сам ник:"));
    m_controls.nickBox->setAccessibleDescription(tr("Новый ник: Ctrl+N"));
    m_controls.nickList->setAccessibleName(tr("Список ников"));
    m_controls.close->setAccessibleName(tr("Закрыть"));

    // The picture buttons are off the Tab path: the window tells their keys.
    // The title the window system shows stays "Form1".
    setAccessibleName(tr("Quillmark — генератор ников"));
    setAccessibleDescription(keysDescription());

    AccessiblePacing &pacing = AccessiblePacing::instance();
    pacing.manage(m_controls.lengthBox, AccessiblePacing::Changes::AsTheyCome);
    pacing.manage(m_controls.intervalBox, AccessiblePacing::Changes::AsTheyCome);
    pacing.manage(m_controls.nickBox, AccessiblePacing::Changes::Paced);
    pacing.manage(m_controls.counterBox, AccessiblePacing::Changes::Paced);
    for (SlotSelector *combo : m_controls.selectors)
        pacing.manage(combo->lineEdit(), AccessiblePacing::Changes::Typed, combo);
}

QString Form1::keysDescription() const
{
    return tr("Клавиши: Ctrl+N — новый ник, Ctrl+плюс и Ctrl+минус — длина ника, Ctrl+Z — вернуть стёртый "
              "список, F1 — помощь, Ctrl+I — о программе");
}

void Form1::load()
{
    for (int slot = 1; slot <= SlotCount; ++slot)
        m_controls.selectors.at(slot - 1)->setListIndex(DefaultSlotPattern.at(slot - 1));
}

void Form1::setLogFolders(const QString &programFolder, const QString &fallbackFolder)
{
    m_controller->setLogFolders(programFolder, fallbackFolder);
}

FrmAbout *Form1::aboutWindow() const
{
    return m_controller->aboutWindow();
}

void Form1::closeEvent(QCloseEvent *event)
{
    // Exit, or the window system closing the window (a key, the taskbar):
    // the whole program ends at once, no question, unsaved nicks are gone,
    // and an open about window goes with it; only a running save is let
    // finish first.
    if (!m_controller->readyToEnd()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
    QCoreApplication::exit(0);
}

void Form1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_firstShow) {
        m_firstShow = false;
        m_controls.close->setFocus(Qt::OtherFocusReason);
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
