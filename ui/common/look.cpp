#include "ui/common/look.h"

#include <QApplication>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPalette>
#include <QStyleFactory>
#include <QWidget>

#include <cmath>

namespace Look {

QColor panelGrey() { return QColor(224, 224, 224); }
QColor navy() { return QColor(0, 0, 128); }
QColor darkRed() { return QColor(128, 0, 0); }
QColor linkBlue() { return QColor(0, 0, 255); }
QColor windowText() { return QColor(0, 0, 0); }

QFont font(const QString &family, double points, Weight weight, Slant slant, bool underline)
{
    QFont f(family);
    f.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    f.setBold(weight == Weight::Bold);
    f.setItalic(slant == Slant::Italic);
    f.setUnderline(underline);
    return f;
}

QFont dialogFont()
{
    return font(MsSansSerif, 8.25);
}

namespace {

// Wine's free Tahoma: metric-compatible with the classic Windows dialog
// face, with Cyrillic, scalable (the bitmap "MS Sans Serif" beside it blurs
// on scaled screens). It lives outside fontconfig's folders.
const char *const WineFontFolder = "/usr/share/wine/fonts/";

QString loadFace(const QString &file)
{
    const QString path = QString::fromLatin1(WineFontFolder) + file;
    if (!QFileInfo::exists(path))
        return {};
    const int id = QFontDatabase::addApplicationFont(path);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    return families.isEmpty() ? QString() : families.first();
}

} // namespace

void install(QApplication &app)
{
    // Wine's bold Tahoma draws regular-weight strokes at these sizes; left
    // out, the font engine emboldens the regular face instead.
    const QString dialogFace = loadFace(QStringLiteral("tahoma.ttf"));
    const QString sans = dialogFace.isEmpty() ? QStringLiteral("DejaVu Sans") : dialogFace;
    QFont::insertSubstitutions(MsSansSerif, {sans, QStringLiteral("DejaVu Sans")});
    // Comic Neue stands in for the comic face (all texts set in it are Latin).
    QFont::insertSubstitutions(ComicSans, {QStringLiteral("Comic Neue"), sans});
    QFont::insertSubstitutions(CampusOtl, {QStringLiteral("DejaVu Serif"), sans});

    if (QStyle *classic = QStyleFactory::create(QStringLiteral("Windows")))
        app.setStyle(classic);
    QPalette palette = app.palette();
    palette.setColor(QPalette::Window, panelGrey());
    palette.setColor(QPalette::Button, panelGrey());
    palette.setColor(QPalette::WindowText, windowText());
    palette.setColor(QPalette::ButtonText, windowText());
    app.setPalette(palette);
    app.setFont(dialogFont());
}

void paintPanelGrey(QWidget *widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, panelGrey());
    palette.setColor(QPalette::Base, panelGrey());
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace Look
