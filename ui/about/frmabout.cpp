#include "ui/about/frmabout.h"

#include "platform/desktoplink.h"
#include "ui/common/look.h"
#include "ui/toolkit/captionframe.h"
#include "ui/toolkit/controlrow.h"
#include "ui/toolkit/fittedtext.h"
#include "ui/toolkit/linklabel.h"
#include "ui/toolkit/messagebox.h"
#include "ui/toolkit/outlineshape.h"
#include "ui/toolkit/pushbutton.h"
#include "ui/toolkit/screenpointer.h"

#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>

#include <algorithm>

namespace {

const QString AuthorEmail = QStringLiteral("toren@example.org");

FrmAbout::LinkOpener &linkOpener()
{
    static FrmAbout::LinkOpener opener;
    return opener;
}

void openLink(const QUrl &url, std::function<void(int)> done)
{
    const FrmAbout::LinkOpener &opener = linkOpener();
    if (opener)
        opener(url, std::move(done));
    else
        DesktopLink::open(url, std::move(done));
}

enum class Fit
{
    OneLine, // the box follows its text from its left and top
    Wrapped, // the text wraps inside the fixed box
};

enum class Link
{
    None,
    Mail,
    Web
};

QLabel *makeLabel(const QString &text, Link link, QWidget *container, FrmAbout *window)
{
    if (link == Link::None)
        return new FittedLabel(text, container);
    auto *label = new LinkLabel(text, container);
    if (link == Link::Mail)
        label->setOnClick([window] { window->ExecuteLink(QStringLiteral("mailto:") + AuthorEmail); });
    else
        // The web link is exactly the host name the label shows.
        label->setOnClick(
            [window, label] { window->ExecuteLink(QStringLiteral("http://") + label->text()); });
    return label;
}

} // namespace

FrmAbout::FrmAbout(QWidget *parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setupWindow();
    setupControls();
}

void FrmAbout::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // Once the window has been read out as it first came up, coming back to
    // it names it without its whole text again: Orca reads out the labels of
    // a dialog that are tied to nothing, so the texts (not the links) are
    // tied to the window, as labels of it. Review still finds them.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) {
        for (QLabel *label : findChildren<QLabel *>()) {
            if (label->focusPolicy() == Qt::NoFocus)
                label->setBuddy(this);
        }
    }
}

void FrmAbout::setupWindow()
{
    setObjectName(QStringLiteral("frmabout"));
    setWindowTitle(QStringLiteral("Form2"));
    setAccessibleName(tr("О программе Quillmark"));
    // Escape closes it as its X does.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(Look::twips(5895), Look::twips(5910));
    setWindowIcon(QIcon(QStringLiteral(":/icon/quillmark.svg")));
    Look::paintPanelGrey(this);
}

namespace {

// Where every control of the about window stands, in twips from its
// container's top-left corner; a one-line label's box then follows its text.
constexpr ControlPlace AboutLayout[] = {
    {"Frame1", "frmabout", 120, 840, 5655, 1335},
    {"Exit", "frmabout", 5520, 0, 375, 375},
    {"Label1", "frmabout", 840, 120, 4125, 570},
    // In Frame1: the author's two links.
    {"Label2", "Frame1", 2160, 360, 1200, 390},
    {"Label3", "Frame1", 1080, 840, 3450, 390},
    {"Label4", "frmabout", 4920, 600, 885, 195},
    // The author's other programs and the copyright line.
    {"Label5", "frmabout", 120, 2280, 5655, 375},
    {"Label6", "frmabout", 120, 2760, 5655, 375},
    {"Label7", "frmabout", 120, 3240, 5535, 975},
    {"Label8", "frmabout", 120, 4320, 5655, 375},
    {"Label9", "frmabout", 120, 4800, 5220, 195},
    {"Label10", "frmabout", 120, 5160, 5655, 375},
    {"Label11", "frmabout", 3480, 5640, 2325, 195},
};

enum class Type
{
    Title,     // Comic Sans 20.25
    Link,      // Comic Sans 14.25, underlined
    Dialog,    // the dialog font
    Blurb,     // MS Sans Serif 8.25 bold
    Copyright, // the same, italic
};
enum class Ink
{
    Plain,
    Navy,
    LinkBlue,
    DarkRed,
};

// What each label says and how; a text without a translation is the same in
// every language.
struct LabelLook
{
    const char *name;
    const char *text;
    Link link;
    Type type;
    Ink ink;
    Fit fit;
};
constexpr LabelLook Labels[] = {
    {"Label1", "Quillmark 1.0", Link::None, Type::Title, Ink::Navy, Fit::OneLine},
    {"Label2", "TOR(E)N", Link::Mail, Type::Link, Ink::LinkBlue, Fit::OneLine},
    {"Label3", "quillmark.example.org", Link::Web, Type::Link, Ink::LinkBlue, Fit::OneLine},
    {"Label4", "Final version", Link::None, Type::Dialog, Ink::Navy, Fit::OneLine},
    {"Label5",
     QT_TRANSLATE_NOOP("FrmAbout", "На сайте ты всегда сможеш найти другие мои программы и игры, гораздо "
                                   "интереснее и лучше(на мой взгляд):"),
     Link::None, Type::Dialog, Ink::Plain, Fit::Wrapped},
    {"Label6",
     QT_TRANSLATE_NOOP("FrmAbout",
                       "Bubble Pop — весёлая игра про мыльные пузыри. Лопай их, пока они не улетели!"),
     Link::None, Type::Blurb, Ink::Plain, Fit::Wrapped},
    {"Label7",
     QT_TRANSLATE_NOOP(
         "FrmAbout",
         "Quill Notes — маленький блокнот, который живёт в углу экрана и всегда под рукой. Записывай "
         "идеи, списки покупок и телефоны друзей, находи нужное за секунду и не бойся потерять: всё "
         "сохраняется само. Бесплатно, без рекламы и работает даже на самых старых компьютерах."),
     Link::None, Type::Blurb, Ink::Plain, Fit::Wrapped},
    {"Label8",
     QT_TRANSLATE_NOOP(
         "FrmAbout",
         "Star Miner — космическая аркада: собирай кристаллы на астероидах и не попадайся пиратам."),
     Link::None, Type::Blurb, Ink::Plain, Fit::Wrapped},
    {"Label9", QT_TRANSLATE_NOOP("FrmAbout", "Clocky — часы с будильником на рабочий стол."), Link::None,
     Type::Blurb, Ink::Plain, Fit::OneLine},
    {"Label10",
     QT_TRANSLATE_NOOP("FrmAbout",
                       "Word Maze — головоломка для тех, кто любит слова: найди их все в лабиринте из букв."),
     Link::None, Type::Blurb, Ink::Plain, Fit::Wrapped},
    {"Label11", "© 2003 TOR(E)N", Link::None, Type::Copyright, Ink::DarkRed, Fit::OneLine},
};

QFont fontOf(Type type)
{
    using Look::Slant;
    using Look::Weight;
    switch (type) {
    case Type::Title:
        return Look::font(Look::ComicSans, 20.25);
    case Type::Link:
        return Look::font(Look::ComicSans, 14.25, Weight::Regular, Slant::Upright, true);
    case Type::Dialog:
        return Look::dialogFont();
    case Type::Blurb:
        return Look::font(Look::MsSansSerif, 8.25, Weight::Bold);
    case Type::Copyright:
        return Look::font(Look::MsSansSerif, 8.25, Weight::Bold, Slant::Italic);
    }
    Q_UNREACHABLE();
}

QColor colourOf(Ink ink)
{
    switch (ink) {
    case Ink::Plain:
        return Look::windowText();
    case Ink::Navy:
        return Look::navy();
    case Ink::LinkBlue:
        return Look::linkBlue();
    case Ink::DarkRed:
        return Look::darkRed();
    }
    Q_UNREACHABLE();
}

} // namespace

QWidget *FrmAbout::makeControl(const QString &name, QWidget *in)
{
    if (name == u"Frame1") {
        auto *frame1 = new CaptionFrame(tr("Программёр, бета-тестер, дизайнер и всё всё всё, это:"), in);
        frame1->setObjectName(name);
        frame1->setCaptionFont(Look::font(Look::MsSansSerif, 9.75));
        frame1->setCaptionColor(Look::darkRed());
        return frame1;
    }
    if (name == u"Exit") {
        // Return clicks it as Space does, and its face fills the whole corner.
        auto *exitButton = new PushButton(QStringLiteral("X"), in);
        exitButton->setObjectName(name);
        exitButton->setAccessibleName(tr("Закрыть"));
        exitButton->setFont(Look::font(Look::ComicSans, 9.75, Look::Weight::Bold));
        QPalette face = exitButton->palette();
        face.setColor(QPalette::Button, Look::panelGrey());
        exitButton->setPalette(face);
        connect(exitButton, &QPushButton::clicked, this, &QWidget::close);
        return exitButton;
    }
    const auto look = std::find_if(std::begin(Labels), std::end(Labels), [&name](const LabelLook &label) {
        return name == QLatin1String(label.name);
    });
    if (look == std::end(Labels))
        return nullptr;
    QLabel *made = makeLabel(tr(look->text), look->link, in, this);
    made->setObjectName(name);
    made->setFont(fontOf(look->type));
    QPalette palette = made->palette();
    palette.setColor(QPalette::WindowText, colourOf(look->ink));
    made->setPalette(palette);
    Look::paintPanelGrey(made);
    made->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    made->setWordWrap(look->fit == Fit::Wrapped);
    return made;
}

void FrmAbout::setupControls()
{
    makeControls(*this, AboutLayout,
                 [this](const QString &name, QWidget *in) { return makeControl(name, in); });
    // A one-line label's box follows its text from where its row places it.
    for (const LabelLook &look : Labels)
        if (look.fit == Fit::OneLine)
            findChild<QLabel *>(QLatin1String(look.name))->adjustSize();

    auto *shape1 = OutlineShape::rectangle(0, 0, 5895, 5895, this);
    shape1->setObjectName(QStringLiteral("Shape1"));
    // The outline is drawn on the window's surface: the close button covers
    // its corner.
    shape1->lower();

    findChild<QWidget *>(QStringLiteral("Exit"))->setFocus();
}

void FrmAbout::ExecuteLink(QString link)
{
    ScreenPointer::set(ScreenPointer::Shape::Hourglass);
    // The window may be closed before the opener reports.
    openLink(QUrl(link), [window = QPointer<FrmAbout>(this), link](int errorCode) {
        ScreenPointer::set(ScreenPointer::Shape::Default);
        if (errorCode != 0)
            MessageBox::show(window, QStringLiteral("Error Opening Link to ") + link + QStringLiteral("\r\n\r\n") +
                                         QString::number(errorCode),
                             QStringLiteral("frmAbout::ExecuteLink"), MessageBox::Style::OkOnly);
    });
}

void FrmAbout::setLinkOpener(LinkOpener opener)
{
    linkOpener() = std::move(opener);
}
