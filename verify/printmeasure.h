#pragma once

// What a printer needs to know beyond the grade: the module it printed, the
// bars' height, the quiet zones and how far its ink spreads.

#include <QList>

#include "finder.h"
#include "grading.h"

namespace verify {

struct PrinterMeasure {
    double moduleMm = 0;
    double magnification = 0;              // percent of the nominal 0.33 mm
    double barHeightMm = 0;                // the normal bars, as found
    double nominalBarHeightMm = 0;         // at the measured magnification
    double quietLeft = 0, quietRight = 0;  // modules, on the middle scan line
    double neededLeft = 0, neededRight = 0;
    bool quietLeftBeyond = false, quietRightBeyond = false;  // clear to the end of the look
    double growthUm = 0;  // bars wider (or, below 0, narrower) than drawn
    int bwrUm = 0;        // the --bwr that makes up for it
    // The symbol's dimensions against GS1's for retail: X within the
    // magnifications allowed, the bars not cut short of the nominal height
    // at that X, both quiet zones.
    bool moduleInRange = false;
    bool barHeightEnough = false;
    bool quietZonesEnough = false;
    bool DimensionsMeet() const { return moduleInRange && barHeightEnough && quietZonesEnough; }
};

// How far short of the nominal the measured bar height may be for the
// measurement's own error: a pixel at either end.
inline constexpr double kBarEndPixels = 2;

// wide is the middle scan line's profile, reaching well past both quiet
// zones; lines are the graded scan lines.
PrinterMeasure MeasurePrint(const Frame& frame, const QList<ProfileGrade>& lines,
                            const Profile& wide, double dpi);

// Description of the symbol's nominal quiet zones, in modules.
void NeededQuietZones(symbol::Symbology symbology, double* left, double* right);

}  // namespace verify
