#pragma once

#include "ui/toolkit/controlplace.h"

#include <array>

// Where every control of the about window stands.
inline constexpr std::array<ControlPlace, 13> FrmAboutLayout{{
    {"Exit", "frmabout", 5520, 0, 375, 375},
    {"Label1", "frmabout", 840, 120, 4125, 570},
    {"Label4", "frmabout", 4920, 600, 885, 195},
    {"Frame1", "frmabout", 120, 840, 5655, 1335},
    // In Frame1: the author's two links.
    {"Label2", "Frame1", 2160, 360, 1200, 390},
    {"Label3", "Frame1", 1080, 840, 3450, 390},
    // The author's other programs and the copyright line.
    {"Label5", "frmabout", 120, 2280, 5655, 375},
    {"Label6", "frmabout", 120, 2760, 5655, 375},
    {"Label7", "frmabout", 120, 3240, 5535, 975},
    {"Label8", "frmabout", 120, 4320, 5655, 375},
    {"Label9", "frmabout", 120, 4800, 5220, 195},
    {"Label10", "frmabout", 120, 5160, 5655, 375},
    {"Label11", "frmabout", 3480, 5640, 2325, 195},
}};
