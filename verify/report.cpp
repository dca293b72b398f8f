#include "report.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

#include "symbol/layout.h"
#include "symbol/symbology.h"

#include "verify.h"

namespace verify {

namespace {

// Shown rounded towards the grade's side of its threshold, so that a 0.498
// graded C does not show as 0.50, the floor of B.
QString Down(double value, int width) {
    return QStringLiteral("%1").arg(std::floor(value * 100) / 100, width, 'f', 2);
}

QString Up(double value, int width) {
    return QStringLiteral("%1").arg(std::ceil(value * 100) / 100, width, 'f', 2);
}

QString Percent(double r) {
    return QString::number(std::floor(100 * r), 'f', 0) + u'%';
}

QString Letter(int grade) {
    return QString(GradeLetter(grade));
}

const QString kEstimate = QStringLiteral(
    "A scan gives an estimate, not a calibrated verifier's grade: the scanner's\n"
    "light, its optics and its grey levels stand in for a verifier's 660 nm light,\n"
    "0.15 mm aperture and reflectance calibration.\n");

// A figure as it is shown, never "-0".
QString Fixed(double value, int decimals) {
    if (std::abs(value) < 0.5 * std::pow(10.0, -decimals))
        value = 0;
    return QString::number(value, 'f', decimals);
}

QString GradeVerdict(const Verification& v) {
    return v.GradeMeets() ? QStringLiteral("meets 1.5") : QStringLiteral("below 1.5");
}

// What keeps the dimensions from GS1's for retail, or nothing.
QStringList DimensionsShort(const Verification& v) {
    const PrinterMeasure& p = v.printer;
    QStringList why;
    if (!p.moduleInRange)
        why << QStringLiteral("X %1 mm is %2 % of 0.33 mm, outside %3 to %4 %")
                   .arg(Fixed(p.moduleMm, 3), Fixed(p.magnification, 1))
                   .arg(symbol::kMinMagnification)
                   .arg(symbol::kMaxMagnification);
    if (!p.barHeightEnough)
        why << QStringLiteral("bars %1 mm, short of the nominal %2 mm at this X (%3 %)")
                   .arg(Fixed(p.barHeightMm, 2), Fixed(p.nominalBarHeightMm, 2),
                        Fixed(100 * p.barHeightMm / p.nominalBarHeightMm, 0));
    if (!p.quietZonesEnough)
        why << QStringLiteral("quiet zones %1 X and %2 X, %3 X and %4 X needed")
                   .arg(Fixed(p.quietLeft, 1), Fixed(p.quietRight, 1))
                   .arg(p.neededLeft)
                   .arg(p.neededRight);
    return why;
}

QString Verdict(const Verification& v) {
    if (!v.Matches())
        return QStringLiteral("does not hold the expected %1").arg(v.expected);
    if (!v.GradeMeets())
        return QStringLiteral("below GS1's 1.5 for retail");
    return v.DimensionsMeet()
               ? QStringLiteral("meets GS1's 1.5 for retail, its dimensions too")
               : QStringLiteral("grade 1.5 met, but its dimensions fall short of GS1's for retail");
}

QString QuietText(double modules, bool beyond, double needed, double moduleMm) {
    return QStringLiteral("%1%2 X (%3 mm), needs %4 X")
        .arg(beyond ? QStringLiteral(">= ") : QString(), Fixed(modules, 1),
             Fixed(modules * moduleMm, 2))
        .arg(needed);
}

}  // namespace

QString TextReport(const Verification& v) {
    QString t;
    t += QStringLiteral("Scan      %1 at %2 dpi\n").arg(v.file).arg(v.dpi);
    if (!v.found.ok)
        return t + QStringLiteral("No symbol: %1\n").arg(v.found.reason);
    const Frame& f = v.found.frame;
    t += QStringLiteral("Symbol    %1 %2%3%4\n")
             .arg(QString(symbol::RowOf(f.symbology).title), f.code,
                  f.upsideDown ? QStringLiteral(", upside down") : QString(),
                  std::abs(f.degrees) >= 0.1
                      ? QStringLiteral(", turned %1 degrees").arg(f.degrees, 0, 'f', 1)
                      : QString());
    t += QStringLiteral("Grade     %1 (%2): %3\n")
             .arg(v.GradeText(), QString(GradeLetter(v.grade)), GradeVerdict(v));
    const QStringList dimensions = DimensionsShort(v);
    t += QStringLiteral("Size      %1\n")
             .arg(dimensions.isEmpty()
                      ? QStringLiteral("X, bar height and quiet zones as GS1 asks for retail")
                      : dimensions.join(QStringLiteral("; ")));
    t += QStringLiteral("Verdict   %1\n").arg(Verdict(v));
    if (v.linesDisagree)
        t += QStringLiteral("          scan lines read different data, which fails the symbol\n");
    t += u'\n';
    t += QStringLiteral(
        "Line  Decode  Rmin  Rmax   SC   ECmin  MOD   Defects  Decodability  "
        "Grade\n");
    for (int i = 0; i < v.lines.size(); ++i) {
        const ProfileGrade& g = v.lines[i];
        t += QStringLiteral("%1  %2       %3  %4  %5 %6  %7 %8  %9 %10  %11 %12  %13 %14     %15\n")
                 .arg(i + 1, 4)
                 .arg(Letter(g.gradeDecode))
                 .arg(Percent(g.rmin), 4)
                 .arg(Percent(g.rmax), 4)
                 .arg(Percent(g.sc), 4)
                 .arg(Letter(g.gradeSc))
                 .arg(Percent(g.ecmin), 4)
                 .arg(Letter(g.gradeEc))
                 .arg(Down(g.mod, 4))
                 .arg(Letter(g.gradeMod))
                 .arg(Up(g.defects, 5))
                 .arg(Letter(g.gradeDefects))
                 .arg(g.first >= 0 ? Down(g.decoded.decodability, 8) : QStringLiteral("       -"))
                 .arg(Letter(g.gradeDecodability))
                 .arg(Letter(g.grade));
        if (g.first >= 0 && !g.quietZonesClear)
            t += QStringLiteral("      quiet zones %1 X and %2 X: too narrow\n")
                     .arg(g.quietLeft, 0, 'f', 1)
                     .arg(g.quietRight, 0, 'f', 1);
        else if (g.first < 0)
            t += QStringLiteral("      does not decode\n");
    }
    const PrinterMeasure& p = v.printer;
    t += u'\n';
    t += QStringLiteral("Module X     %1 mm (magnification %2 %)\n")
             .arg(Fixed(p.moduleMm, 3), Fixed(p.magnification, 1));
    // A file that states no resolution is read at 72 or 96 dpi, which makes
    // a sensible symbol look huge.
    if (p.magnification < 75 || p.magnification > 210)
        t += QStringLiteral(
                 "             far from 80 to 200 %: is %1 dpi the scan's resolution? "
                 "--dpi sets it\n")
                 .arg(v.dpi);
    t += QStringLiteral("Bar height   %1 mm, nominal %2 mm at this magnification\n")
             .arg(Fixed(p.barHeightMm, 2), Fixed(p.nominalBarHeightMm, 2));
    t += QStringLiteral("Quiet zones  left %1; right %2\n")
             .arg(QuietText(p.quietLeft, p.quietLeftBeyond, p.neededLeft, p.moduleMm),
                  QuietText(p.quietRight, p.quietRightBeyond, p.neededRight, p.moduleMm));
    const QString growth = Fixed(p.growthUm, 0);
    t += QStringLiteral("Bar growth   %1%2 um: %3\n")
             .arg(growth != u"0" && !growth.startsWith(u'-') ? QStringLiteral("+") : QString(),
                  growth)
             .arg(p.bwrUm > 0 ? QStringLiteral("print with --bwr %1").arg(p.bwrUm)
                              : QStringLiteral("no --bwr (bars are not wider than drawn)"));
    if (!v.expected.isEmpty())
        t += QStringLiteral("Expected     %1: %2\n")
                 .arg(v.expected,
                      v.Matches() ? QStringLiteral("matches") : QStringLiteral("does NOT match"));
    return t + u'\n' + kEstimate;
}

QString JsonReport(const Verification& v) {
    QJsonObject o;
    o[QStringLiteral("file")] = v.file;
    o[QStringLiteral("dpi")] = v.dpi;
    o[QStringLiteral("found")] = v.found.ok;
    if (!v.found.ok) {
        o[QStringLiteral("reason")] = v.found.reason;
        return QString::fromUtf8(QJsonDocument(o).toJson());
    }
    const Frame& f = v.found.frame;
    o[QStringLiteral("symbology")] = QString(symbol::RowOf(f.symbology).title);
    o[QStringLiteral("code")] = f.code;
    o[QStringLiteral("upsideDown")] = f.upsideDown;
    o[QStringLiteral("degrees")] = f.degrees;
    o[QStringLiteral("grade")] = v.grade;
    o[QStringLiteral("gradeText")] = v.GradeText();
    o[QStringLiteral("letter")] = QString(GradeLetter(v.grade));
    o[QStringLiteral("gradeMeets")] = v.GradeMeets();
    o[QStringLiteral("dimensionsMeet")] = v.DimensionsMeet();
    o[QStringLiteral("meets")] = v.Meets();
    o[QStringLiteral("linesDisagree")] = v.linesDisagree;
    if (!v.expected.isEmpty())
        o[QStringLiteral("expectedMatches")] = v.Matches();
    QJsonArray lines;
    for (const ProfileGrade& g : v.lines) {
        QJsonObject l;
        l[QStringLiteral("decode")] = g.gradeDecode;
        l[QStringLiteral("rmin")] = g.rmin;
        l[QStringLiteral("rmax")] = g.rmax;
        l[QStringLiteral("symbolContrast")] = g.sc;
        l[QStringLiteral("edgeContrastMin")] = g.ecmin;
        l[QStringLiteral("modulation")] = g.mod;
        l[QStringLiteral("defects")] = g.defects;
        l[QStringLiteral("decodability")] = g.first >= 0 ? g.decoded.decodability : 0;
        l[QStringLiteral("quietLeft")] = g.quietLeft;
        l[QStringLiteral("quietRight")] = g.quietRight;
        l[QStringLiteral("grades")] =
            QJsonObject{{QStringLiteral("symbolContrast"), g.gradeSc},
                        {QStringLiteral("minimumReflectance"), g.gradeRmin},
                        {QStringLiteral("edgeContrast"), g.gradeEc},
                        {QStringLiteral("modulation"), g.gradeMod},
                        {QStringLiteral("defects"), g.gradeDefects},
                        {QStringLiteral("decodability"), g.gradeDecodability}};
        l[QStringLiteral("grade")] = g.grade;
        lines.append(l);
    }
    o[QStringLiteral("lines")] = lines;
    const PrinterMeasure& p = v.printer;
    o[QStringLiteral("printer")] =
        QJsonObject{{QStringLiteral("moduleMm"), p.moduleMm},
                    {QStringLiteral("magnification"), p.magnification},
                    {QStringLiteral("barHeightMm"), p.barHeightMm},
                    {QStringLiteral("nominalBarHeightMm"), p.nominalBarHeightMm},
                    {QStringLiteral("quietLeft"), p.quietLeft},
                    {QStringLiteral("quietRight"), p.quietRight},
                    {QStringLiteral("neededQuietLeft"), p.neededLeft},
                    {QStringLiteral("neededQuietRight"), p.neededRight},
                    {QStringLiteral("barGrowthUm"), p.growthUm},
                    {QStringLiteral("bwr"), p.bwrUm},
                    {QStringLiteral("moduleInRange"), p.moduleInRange},
                    {QStringLiteral("barHeightEnough"), p.barHeightEnough},
                    {QStringLiteral("quietZonesEnough"), p.quietZonesEnough}};
    return QString::fromUtf8(QJsonDocument(o).toJson());
}

QString HelpTail() {
    return QStringLiteral(R"(
Ten scan lines across the middle 80 percent of the bar height, each the mean
reflectance through a circle of 0.15 mm, reflectance being the grey level
over 255 (a colour scan's red channel). Each line is graded A to F for
decode (with the quiet zones), symbol contrast, minimum reflectance, edge
contrast, modulation, defects and decodability, and takes its lowest grade;
the symbol's grade is their average, written grade/aperture/wavelength
(e.g. 2.8/06/660). GS1 asks 1.5 or better for retail, and beside the grade
an X of 80 to 200 percent of 0.33 mm, bars of their full height for that X,
and both quiet zones: the report says each apart.

)") + kEstimate +
           QStringLiteral(R"(
Exit status:
  0  the symbol meets 1.5, its X, bar height and quiet zones meet GS1's for
     retail (and it holds the --expect digits)
  1  usage: the command line cannot be followed
  3  the plot cannot be written
  5  the symbol is below 1.5 or holds other digits than --expect
  6  no symbol found: none reads, contrast too low, no quiet zone, too small
     at this resolution, or several symbols
  7  the scan cannot be read
  8  the grade meets 1.5, but X is outside 80 to 200 percent, the bars are
     cut short of their nominal height, or a quiet zone is too narrow
)");
}

}  // namespace verify
