#pragma once

#include "ui/toolkit/controlrow.h"

#include <QtGlobal>

// The main window as designed: where every control stands, what it shows at
// creation and the faces of its image buttons.
//
// Where every control stands: its container and its place
// in twips from the container's top-left corner (a frame's outer corner for
// a control in a frame). In making order, which is the stacking order: the
// big buttons lie beneath the inner frames, and of two overlapping controls
// in one container the later one lies above. An image button's row places
// both its faces.
inline constexpr ControlPlace Form1Layout[] = {
    // The window's own controls.
    {"Label1", "Form1", 1560, 120, 3600, 405},
    {"Exit", "Form1", 6240, 0, 375, 375}, // the left panel's corner, not the window's
    // The working panel: the nick, the letters, the length and the three big
    // buttons.
    {"Frame1", "Form1", 120, 480, 6375, 4575},
    {"Image1", "Frame1", 3600, 1920, 2715, 930},
    {"Image3", "Frame1", 3600, 2760, 2715, 930},
    {"Image5", "Frame1", 3600, 3600, 2715, 930},
    {"Frame2", "Frame1", 120, 240, 6135, 855},
    {"Text3", "Frame2", 120, 240, 5895, 495},
    {"Frame3", "Frame1", 120, 1200, 3375, 3255},
    // Two columns of five, each label 240 twips above its selector. Label
    // names do not follow the slots: the sixth letter's label is Label2.
    {"Label3", "Frame3", 120, 240, 1095, 195},
    {"Combo1", "Frame3", 120, 480, 1455, 315},
    {"Label4", "Frame3", 120, 840, 1065, 195},
    {"Combo2", "Frame3", 120, 1080, 1455, 315},
    {"Label5", "Frame3", 120, 1440, 1065, 195},
    {"Combo3", "Frame3", 120, 1680, 1455, 315},
    {"Label6", "Frame3", 120, 2040, 1335, 195},
    {"Combo4", "Frame3", 120, 2280, 1455, 315},
    {"Label7", "Frame3", 120, 2640, 990, 195},
    {"Combo5", "Frame3", 120, 2880, 1455, 315},
    {"Label2", "Frame3", 1800, 240, 1095, 195},
    {"Combo6", "Frame3", 1800, 480, 1455, 315},
    {"Label8", "Frame3", 1800, 840, 1200, 195},
    {"Combo7", "Frame3", 1800, 1080, 1455, 315},
    {"Label9", "Frame3", 1800, 1440, 1200, 195},
    {"Combo8", "Frame3", 1800, 1680, 1455, 315},
    {"Label10", "Frame3", 1800, 2040, 1185, 195},
    {"Combo9", "Frame3", 1800, 2280, 1455, 315},
    {"Label11", "Frame3", 1800, 2640, 1185, 195},
    {"Combo10", "Frame3", 1800, 2880, 1455, 315},
    // The length: the box lies above the up button's edge, the down button
    // above the up button's.
    {"Frame4", "Frame1", 3600, 1200, 2655, 735},
    {"Image7", "Frame4", 840, 240, 855, 420},
    {"Image9", "Frame4", 1680, 240, 855, 420},
    {"Text1", "Frame4", 120, 240, 735, 405},
    // The generator panel; each button's top edge lies under the one below it.
    {"Frame5", "Form1", 6720, 120, 2055, 4935},
    {"Label12", "Frame5", 120, 2880, 1860, 435},
    {"Label13", "Frame5", 120, 3480, 690, 195},
    {"List", "Frame5", 120, 240, 1815, 2595},
    {"Text2", "Frame5", 840, 3120, 1095, 285},
    {"Text4", "Frame5", 840, 3480, 1095, 285},
    {"Command2", "Frame5", 120, 3840, 1815, 255},
    {"Command3", "Frame5", 120, 4080, 1815, 255},
    {"Command4", "Frame5", 120, 4320, 1815, 255},
    {"Command1", "Frame5", 120, 4560, 1815, 255},
};

// What each control shows at creation, and its tooltip.
struct ControlText
{
    const char *name;
    const char *text;
    const char *toolTip = nullptr;
};
inline constexpr ControlText Form1Texts[] = {
    {"Label1", "Quillmark"},
    {"Exit", "X"},
    {"Frame1", QT_TRANSLATE_NOOP("Form1", "Ники делать тут:")},
    {"Frame2", QT_TRANSLATE_NOOP("Form1", "Сам ник:")},
    {"Text3", "[.:] TOR(E)N [:.]", QT_TRANSLATE_NOOP("Form1", "Сам ник")},
    {"Frame3", QT_TRANSLATE_NOOP("Form1", "Настрой буквы (советую оставить так):")},
    {"Label3", QT_TRANSLATE_NOOP("Form1", "Первая буква:")},
    {"Label4", QT_TRANSLATE_NOOP("Form1", "Вторая буква:")},
    {"Label5", QT_TRANSLATE_NOOP("Form1", "Третья буква:")},
    {"Label6", QT_TRANSLATE_NOOP("Form1", "Четвёртая буква:")},
    {"Label7", QT_TRANSLATE_NOOP("Form1", "Пятая буква:")},
    {"Label2", QT_TRANSLATE_NOOP("Form1", "Шестая буква:")},
    {"Label8", QT_TRANSLATE_NOOP("Form1", "Седьмая буква:")},
    {"Label9", QT_TRANSLATE_NOOP("Form1", "Восьмая буква:")},
    {"Label10", QT_TRANSLATE_NOOP("Form1", "Девятая буква:")},
    {"Label11", QT_TRANSLATE_NOOP("Form1", "Десятая буква:")},
    {"Frame4", QT_TRANSLATE_NOOP("Form1", "Длина ника:")},
    {"Text1", "6", QT_TRANSLATE_NOOP("Form1", "Длина генерируемого ника")},
    {"Frame5", QT_TRANSLATE_NOOP("Form1", "Настрой генератор:")},
    {"Label12", QT_TRANSLATE_NOOP("Form1", "Интервал добавления (м/c):")},
    {"Label13", QT_TRANSLATE_NOOP("Form1", "Записей:")},
    {"Text2", "250", QT_TRANSLATE_NOOP("Form1", "Интервал между добавлением ников")},
    {"Text4", "0", QT_TRANSLATE_NOOP("Form1", "Показывает сколько уже сгенерировано ников")},
    {"Command2", QT_TRANSLATE_NOOP("Form1", "Старт"),
     QT_TRANSLATE_NOOP("Form1", "Начать генерировать по таймеру")},
    {"Command3", QT_TRANSLATE_NOOP("Form1", "Стоп"), QT_TRANSLATE_NOOP("Form1", "Остановить генерацию")},
    {"Command4", QT_TRANSLATE_NOOP("Form1", "Стереть"), QT_TRANSLATE_NOOP("Form1", "Очищает список")},
    {"Command1", QT_TRANSLATE_NOOP("Form1", "Сохранить"),
     QT_TRANSLATE_NOOP("Form1", "Сохраняет список в папку с программой")},
};

// The image buttons: the pressed face's name, the faces' pictures, and
// whether the faces carry a word, drawn in each language the program speaks.
struct ImageButtonFaces
{
    const char *name; // the normal face's
    const char *pressed;
    const char *picture;
    bool worded;
};
inline constexpr ImageButtonFaces Form1Faces[] = {
    {"Image1", "Image2", "generate", true}, {"Image3", "Image4", "about", true},
    {"Image5", "Image6", "help", true},     {"Image7", "Image8", "up", false},
    {"Image9", "Image10", "down", false},
};
