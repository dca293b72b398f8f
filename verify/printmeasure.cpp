#include "printmeasure.h"

#include <algorithm>
#include <cmath>

#include "symbol/code.h"
#include "symbol/layout.h"

namespace verify {

namespace {

constexpr double kMmPerInch = 25.4;

symbol::Description Nominal(symbol::Symbology symbology) {
    // Any valid code of the symbology: only its sizes are used.
    QString code = QString(symbol::DataDigitCount(symbology), u'0');
    code += QChar(u'0' + symbol::CheckDigitOf(code));
    return symbol::Describe(symbol::Layout::Retail, symbol::SymbolCode{symbology, code, {}}, {});
}

// From inside the outermost bar at s outwards (direction -1 or +1): its
// edge, then the light beyond it up to the first point below the threshold;
// beyond is set when the profile ended first.
double ClearTo(const Profile& p, double s, double threshold, int direction, bool* beyond) {
    const qsizetype n = p.r.size();
    qsizetype i = std::clamp<qsizetype>(qsizetype(std::lround((s - p.start) / p.step)), 0, n - 1);
    while (i >= 0 && i < n && p.r[i] < threshold)
        i += direction;
    const double edge = p.S(std::clamp<qsizetype>(i, 0, n - 1));
    while (i >= 0 && i < n && p.r[i] >= threshold)
        i += direction;
    *beyond = i < 0 || i >= n;
    return std::abs(p.S(std::clamp<qsizetype>(i, 0, n - 1)) - edge);
}

}  // namespace

void NeededQuietZones(symbol::Symbology symbology, double* left, double* right) {
    const symbol::Description d = Nominal(symbology);
    *left = d.quietLeft;
    *right = d.quietRight;
}

PrinterMeasure MeasurePrint(const Frame& frame, const QList<ProfileGrade>& lines,
                            const Profile& wide, double dpi) {
    PrinterMeasure m;
    const double mmPerPixel = kMmPerInch / dpi;
    double module = 0, growth = 0;
    int decoded = 0, bars = 0;
    for (const ProfileGrade& line : lines) {
        if (line.first < 0)
            continue;
        ++decoded;
        module += line.module;
        const QList<int> modules =
            ElementModules(symbol::FamilyPattern(line.decoded.symbology, line.decoded.code));
        for (int k = 0; k < modules.size(); k += 2) {
            const Element& e = line.elements[line.first + k];
            growth += (e.lightEnd - e.lightStart) - modules[k] * line.module;
            ++bars;
        }
    }
    module = decoded ? module / decoded : frame.module;
    m.moduleMm = module * mmPerPixel;
    m.magnification = 100 * m.moduleMm / symbol::kNominalModuleMm;
    m.growthUm = bars ? 1000 * growth / bars * mmPerPixel : 0;
    m.bwrUm = m.growthUm > 0 ? int(std::lround(m.growthUm)) : 0;

    const symbol::Description nominal = Nominal(frame.symbology);
    m.barHeightMm = (frame.bottom - frame.top) * mmPerPixel;
    m.nominalBarHeightMm = (nominal.barBottom - nominal.barTop) * m.moduleMm;
    m.neededLeft = nominal.quietLeft;
    m.neededRight = nominal.quietRight;
    if (!wide.r.isEmpty()) {
        const double lo = *std::min_element(wide.r.begin(), wide.r.end());
        const double hi = *std::max_element(wide.r.begin(), wide.r.end());
        const double threshold = (lo + hi) / 2;
        m.quietLeft = ClearTo(wide, module / 2, threshold, -1, &m.quietLeftBeyond) / module;
        m.quietRight =
            ClearTo(wide, frame.width - module / 2, threshold, +1, &m.quietRightBeyond) / module;
    }
    m.moduleInRange = m.magnification >= symbol::kMinMagnification &&
                      m.magnification <= symbol::kMaxMagnification;
    // The bars' ends are found to a pixel or so at each end.
    m.barHeightEnough = m.barHeightMm + kBarEndPixels * mmPerPixel >= m.nominalBarHeightMm;
    m.quietZonesEnough = m.quietLeft >= m.neededLeft && m.quietRight >= m.neededRight;
    return m;
}

}  // namespace verify
