#include "verify.h"

#include <cmath>

#include "symbol/family.h"
#include "symbol/symbology.h"

#include "referencedecode.h"

namespace verify {

namespace {

constexpr double kMmPerInch = 25.4;
// The inspection band leaves out the top and bottom tenth of the bars.
constexpr double kBandMargin = 0.1;

}  // namespace

bool Verification::Matches() const {
    if (expected.isEmpty())
        return true;
    // A UPC-A is the 13-digit symbol of its code with a 0 in front: its 12
    // digits (no other symbol read has 12) and the 0 make a JAN's 13.
    const QString& code = found.frame.code;
    const qsizetype janDigits = symbol::RowOf(symbol::kDefaultSymbology).dataDigits + 1;
    return found.ok &&
           (code == expected || (expected.size() == janDigits && u'0' + code == expected));
}

pipeline::ExitStatus Verification::ExitStatus() const {
    if (!found.ok)
        return pipeline::kExitNoSymbol;
    if (!GradeMeets() || !Matches())
        return pipeline::kExitDoesNotMeet;
    return DimensionsMeet() ? pipeline::kExitOk : pipeline::kExitDimensionsShort;
}

QString Verification::GradeText() const {
    return QStringLiteral("%1/%2/%3")
        .arg(grade, 0, 'f', 1)
        .arg(int(std::lround(kApertureMm / 0.0254)), 2, 10, QChar(u'0'))
        .arg(kWavelengthNm);
}

Verification Verify(const Scan& scan) {
    Verification v;
    v.dpi = scan.dpi;
    if (!(std::isfinite(scan.dpi) && scan.dpi > 0)) {
        v.found.Refuse(
            Say(QT_TRANSLATE_NOOP("verify", "the scan states no usable resolution: give --dpi"),
                [](const QString& text) { return text; }));
        return v;
    }
    v.found = FindSymbol(scan.grey, scan.dpi);
    if (!v.found.ok)
        return v;
    const Frame& f = v.found.frame;
    v.aperturePixels = kApertureMm * scan.dpi / kMmPerInch;
    double needLeft = 0, needRight = 0;
    NeededQuietZones(f.symbology, &needLeft, &needRight);
    // Each line runs through both quiet zones and a module beyond.
    const double s0 = -(needLeft + 1) * f.module;
    const double s1 = f.width + (needRight + 1) * f.module;
    const int elements = int(ElementModules(symbol::FamilyPattern(f.symbology, f.code)).size());
    const double band = (f.bottom - f.top) * (1 - 2 * kBandMargin);
    double total = 0;
    for (int i = 0; i < kScanLines; ++i) {
        const double t = f.top + (f.bottom - f.top) * kBandMargin + band * (i + 0.5) / kScanLines;
        const Profile p = SampleProfile(scan.grey, f, t, s0, s1, v.aperturePixels);
        v.lineTs.append(t);
        v.lines.append(GradeProfile(p, elements, needLeft, needRight));
        total += v.lines.back().grade;
        if (i == v.MiddleLine())
            v.middle = p;
    }
    v.grade = total / kScanLines;
    // Scan lines that read different data fail the symbol as a whole.
    for (const ProfileGrade& line : v.lines)
        if (line.first >= 0 && line.decoded.code != f.code)
            v.linesDisagree = true;
    if (v.linesDisagree)
        v.grade = 0;
    const Profile wide =
        SampleProfile(scan.grey, f, v.lineTs[v.MiddleLine()], s0 - (needLeft + 1) * f.module,
                      s1 + (needRight + 1) * f.module, v.aperturePixels);
    v.printer = MeasurePrint(f, v.lines, wide, scan.dpi);
    return v;
}

}  // namespace verify
