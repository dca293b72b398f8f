#include "sizing.h"

#include <algorithm>
#include <cmath>

#include "layout.h"

namespace symbol {

WholeDots NearestWholeDots(double moduleMm, int dpi, double minMm, double maxMm) {
    const double dotMm = 25.4 / dpi;
    const int fewest = std::max(1, int(std::ceil(minMm / dotMm)));
    const int most = int(std::floor(maxMm / dotMm));
    if (fewest > most)
        return {0, 0, 0};
    const int dots = std::clamp(int(std::lround(moduleMm / dotMm)), fewest, most);
    return {dots, dots * dotMm, dots * dotMm / kNominalModuleMm * 100};
}

double ModuleMmAt(const SymbologyRow& row, double magnification) {
    return row.nominalModuleMm * magnification / 100;
}

double ModuleUmAt(const SymbologyRow& row, double magnification) {
    return row.nominalModuleMm * 1000 * magnification / 100;
}

WholeDots WholeDotModule(const SymbologyRow& row, int dpi, double asked, double lowest,
                         double highest) {
    // A percent's millimetres first, as the printers' and the bitmaps' modules
    // have always been worked out (for the family's X the same dots as
    // ModuleMmAt gives, at every tenth of a percent from 72 to 4800 dpi).
    const double percentMm = row.nominalModuleMm / 100;
    WholeDots module =
        NearestWholeDots(asked * percentMm, dpi, lowest * percentMm, highest * percentMm);
    // NearestWholeDots gives the magnification of the family's X; another
    // X's is worked out from its percent.
    if (module.dots > 0 && row.nominalModuleMm != kNominalModuleMm)
        module.magnification = module.moduleMm / percentMm;
    return module;
}

WholeDots WholeDotModule(const SymbologyRow& row, int dpi, double asked) {
    return WholeDotModule(row, dpi, asked, row.minMagnification, row.maxMagnification);
}

int BwrDots(double bwrUm, int dpi) {
    return int(std::lround(bwrUm / (25400.0 / dpi)));
}

double WholeDotRatio(double ratio, int dots) {
    return double(std::lround(ratio * dots)) / dots;
}

}  // namespace symbol
