#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QApplication;
class QWidget;

// The look both windows share. Layouts are written in twips, as the windows
// were designed: 15 twips are one device-independent pixel, so the windows
// keep their proportions and stay sharp at any screen scale.
namespace Look {

QColor panelGrey();   // 224, 224, 224
QColor navy();        // 0, 0, 128
QColor darkRed();     // 128, 0, 0
QColor linkBlue();    // 0, 0, 255
QColor windowText();  // lines and outlines

constexpr int twips(int value)
{
    return (value + 7) / 15;
}
constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

// Font families as the windows name them; install() maps them to faces
// this system has, each with Cyrillic where the window shows Cyrillic.
inline const QString ComicSans = QStringLiteral("Comic Sans MS");
inline const QString MsSansSerif = QStringLiteral("MS Sans Serif");
inline const QString CampusOtl = QStringLiteral("CampusOtl");

enum class Weight { Regular, Bold };
enum class Slant { Upright, Italic };
// Sizes are in points at 96 dpi and are turned into pixels, so text keeps
// its place in the fixed layout whatever DPI the screen reports.
QFont font(const QString &family, double points, Weight weight = Weight::Regular, Slant slant = Slant::Upright,
           bool underline = false);
// 8.25 pt "MS Sans Serif": the font of every control that names none.
QFont dialogFont();

// Loads the stand-in faces and sets the substitutions, the classic style and
// the grey palette. Call once, after the QApplication exists.
void install(QApplication &app);

// Fills a widget's background with panel grey.
void paintPanelGrey(QWidget *widget);

} // namespace Look
