#include "ui/about/frmabout.h"
#include "ui/common/captionframe.h"
#include "ui/common/look.h"
#include "ui/main/form1.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRawFont>
#include <QTest>

// Every text both windows show must be drawn by the face its font resolves
// to, not by a fallback: the stand-in faces differ in Cyrillic coverage
// (the comic face has none), so a text set in the wrong face shows boxes or
// a foreign font.
class TstLook : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void everyTextIsCoveredByItsOwnFace();
    void standInFacesAreTheChosenOnes();
    void boldTextsDrawHeavierStrokes();
};

namespace {

struct ShownText
{
    QString owner;
    QString text;
    QFont font;
};

QList<ShownText> textsOf(QWidget *window)
{
    QList<ShownText> texts;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        const QString owner = widget->objectName();
        if (auto *label = qobject_cast<QLabel *>(widget))
            texts.append({owner, label->text(), label->font()});
        else if (auto *edit = qobject_cast<QLineEdit *>(widget); edit && !edit->parentWidget()->inherits("QComboBox"))
            texts.append({owner, edit->text(), edit->font()});
        else if (auto *button = qobject_cast<QAbstractButton *>(widget))
            texts.append({owner, button->text(), button->font()});
        else if (auto *combo = qobject_cast<QComboBox *>(widget))
            for (int i = 0; i < combo->count(); ++i)
                texts.append({owner, combo->itemText(i), combo->font()});
        else if (auto *frame = qobject_cast<CaptionFrame *>(widget))
            texts.append({owner, frame->caption(), frame->captionFont()});
    }
    return texts;
}

} // namespace

void TstLook::initTestCase()
{
    Look::install(*qApp);
}

void TstLook::everyTextIsCoveredByItsOwnFace()
{
    Form1 form;
    FrmAbout about;
    QList<ShownText> texts = textsOf(&form) + textsOf(&about);
    QVERIFY(texts.size() > 40);
    for (const ShownText &shown : texts) {
        const QRawFont face = QRawFont::fromFont(shown.font);
        QVERIFY2(face.isValid(), qPrintable(shown.owner));
        for (QChar c : shown.text) {
            if (c.isSpace())
                continue;
            QVERIFY2(face.supportsCharacter(c),
                     qPrintable(QStringLiteral("%1: '%2' is not in %3").arg(shown.owner, c, face.familyName())));
        }
    }
}

void TstLook::standInFacesAreTheChosenOnes()
{
    QCOMPARE(QRawFont::fromFont(Look::dialogFont()).familyName().toLower(), QStringLiteral("tahoma"));
    QCOMPARE(QRawFont::fromFont(Look::font(Look::ComicSans, 9.75)).familyName().toLower(), QStringLiteral("comic neue"));
    // Why the coverage check matters: the comic stand-in has no Cyrillic.
    QVERIFY(!QRawFont::fromFont(Look::font(Look::ComicSans, 9.75)).supportsCharacter(QChar(0x0416)));
    const QRawFont title = QRawFont::fromFont(Look::font(Look::CampusOtl, 18, Look::Weight::Bold));
    QCOMPARE(title.familyName().toLower(), QStringLiteral("dejavu serif"));
    QCOMPARE(title.weight(), int(QFont::Bold));
    // 8.25 points at 96 dpi, whatever the screen reports.
    QCOMPARE(Look::dialogFont().pixelSize(), 11);
}

namespace {

int darkPixels(const QString &text, const QFont &font)
{
    QImage image(400, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(image.rect(), Qt::AlignLeft | Qt::AlignVCenter, text);
    painter.end();
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 128;
    return dark;
}

} // namespace

void TstLook::boldTextsDrawHeavierStrokes()
{
    // The about window's blurbs and copyright line are bold, Label5 beside
    // them regular: the bold strokes must cover clearly more ink.
    const QString text = QStringLiteral("Clocky — часы с будильником на рабочий стол.");
    const int regular = darkPixels(text, Look::dialogFont());
    const int bold = darkPixels(text, Look::font(Look::MsSansSerif, 8.25, Look::Weight::Bold));
    const int boldItalic =
        darkPixels(text, Look::font(Look::MsSansSerif, 8.25, Look::Weight::Bold, Look::Slant::Italic));
    QVERIFY2(bold >= regular * 13 / 10, qPrintable(QStringLiteral("%1 against %2").arg(bold).arg(regular)));
    QVERIFY2(boldItalic >= regular * 13 / 10,
             qPrintable(QStringLiteral("%1 against %2").arg(boldItalic).arg(regular)));
}

QTEST_MAIN(TstLook)
#include "tst_look.moc"
