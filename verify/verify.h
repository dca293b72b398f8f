#pragma once

// stripewell-render --verify: a scanned symbol graded the way a bar code
// verifier grades a linear symbol, with what its printer needs to know. The
// command line that runs it is render/verifycommand.cpp.

#include <QList>
#include <QString>

#include "pipeline/exitstatus.h"

#include "finder.h"
#include "grading.h"
#include "printmeasure.h"
#include "scan.h"

namespace verify {

// The aperture and wavelength of the GS1 retail grade, 1.5/06/660.
inline constexpr double kApertureMm = 0.15;
inline constexpr int kWavelengthNm = 660;
inline constexpr double kRetailMinimum = 1.5;
inline constexpr int kScanLines = 10;

struct Verification {
    QString file;
    double dpi = 0;
    Found found;
    double aperturePixels = 0;
    QList<double> lineTs;  // t of each scan line
    QList<ProfileGrade> lines;
    Profile middle;              // the profile of the middle scan line, as graded
    double grade = 0;            // the average of the lines' grades
    bool linesDisagree = false;  // lines decoded different data: grade 0
    PrinterMeasure printer;
    QString expected;  // --expect, if given

    // No --expect, or the decoded digits are it: as many digits as the
    // symbol holds, or for a UPC-A also its 13-digit form with a 0 in front.
    bool Matches() const;
    bool GradeMeets() const { return found.ok && grade >= kRetailMinimum; }
    bool DimensionsMeet() const { return found.ok && printer.DimensionsMeet(); }
    // Conformance: the grade and the dimensions both, and the digits.
    bool Meets() const { return GradeMeets() && DimensionsMeet() && Matches(); }
    // kExitOk, kExitDoesNotMeet, kExitNoSymbol or kExitDimensionsShort.
    pipeline::ExitStatus ExitStatus() const;
    QString GradeText() const;  // "2.8/06/660"
    int MiddleLine() const { return kScanLines / 2 - 1; }
};

// Finds the symbol in the scan and grades it.
Verification Verify(const Scan& scan);

}  // namespace verify
