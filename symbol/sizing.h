#pragma once

// How big a module may be on a device and how much of a bar may go: the
// rules every path that sizes a symbol follows, the file and printer paths
// of the command line and the print dialog alike. A module of whole dots
// keeps every bar edge on a printer's dot; a bar width reduction leaves at
// least half a module of every bar.

#include "symbology.h"

namespace symbol {

// The module in whole dots of a printer: the number nearest to moduleMm at
// dpi dots per inch among those that make a module of minMm to maxMm, and
// the magnification it gives of the family's X; dots is 0 when no whole
// number does.
struct WholeDots {
    int dots;
    double moduleMm;
    double magnification;  // percent
};
WholeDots NearestWholeDots(double moduleMm, int dpi, double minMm, double maxMm);

// X of the symbology at magnification percent, in millimetres and in
// micrometres.
double ModuleMmAt(const SymbologyRow& row, double magnification);
double ModuleUmAt(const SymbologyRow& row, double magnification);

// The module of whole dots at dpi nearest asked percent of the symbology's
// X, from lowest to highest percent, and the magnification it gives of that
// X; dots is 0 when none.
WholeDots WholeDotModule(const SymbologyRow& row, int dpi, double asked, double lowest,
                         double highest);

// The same within the symbology's whole range of magnifications.
WholeDots WholeDotModule(const SymbologyRow& row, int dpi, double asked);

// A bar width reduction in whole dots at dpi, from micrometres.
int BwrDots(double bwrUm, int dpi);

// Whether a bar width reduction leaves every bar at least half a module
// (both in one unit: dots, micrometres or millimetres).
constexpr bool LeavesHalfModule(double bwr, double module) {
    return 2 * bwr <= module;
}

// A wide-to-narrow ratio whose wide element is a whole number of dots on a
// narrow one of dots.
double WholeDotRatio(double ratio, int dots);

}  // namespace symbol
