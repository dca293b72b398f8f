#include "report.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

#include "symbol/layout.h"
#include "symbol/symbology.h"

#include "messages.h"
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

QString Estimate() {
    return Msg::tr(
        "A scan gives an estimate, not a calibrated verifier's grade: the scanner's\n"
        "light, its optics and its grey levels stand in for a verifier's 660 nm light,\n"
        "0.15 mm aperture and reflectance calibration.\n");
}

// A figure as it is shown, never "-0".
QString Fixed(double value, int decimals) {
    if (std::abs(value) < 0.5 * std::pow(10.0, -decimals))
        value = 0;
    return QString::number(value, 'f', decimals);
}

// What keeps the dimensions from GS1's for retail, or nothing.
QStringList DimensionsShort(const Verification& v) {
    const PrinterMeasure& p = v.printer;
    QStringList why;
    if (!p.moduleInRange)
        why << Msg::tr("X %1 mm is %2 % of 0.33 mm, outside %3 to %4 %")
                   .arg(Fixed(p.moduleMm, 3), Fixed(p.magnification, 1))
                   .arg(symbol::kMinMagnification)
                   .arg(symbol::kMaxMagnification);
    if (!p.barHeightEnough)
        why << Msg::tr("bars %1 mm, short of the nominal %2 mm at this X (%3 %)")
                   .arg(Fixed(p.barHeightMm, 2), Fixed(p.nominalBarHeightMm, 2),
                        Fixed(100 * p.barHeightMm / p.nominalBarHeightMm, 0));
    if (!p.quietZonesEnough)
        why << Msg::tr("quiet zones %1 X and %2 X, %3 X and %4 X needed")
                   .arg(Fixed(p.quietLeft, 1), Fixed(p.quietRight, 1))
                   .arg(p.neededLeft)
                   .arg(p.neededRight);
    return why;
}

// The verdict's line of the report.
QString Verdict(const Verification& v) {
    if (!v.Matches())
        return Msg::tr("Verdict   does not hold the expected %1\n").arg(v.expected);
    if (!v.GradeMeets())
        return Msg::tr("Verdict   below GS1's 1.5 for retail\n");
    return v.DimensionsMeet()
               ? Msg::tr("Verdict   meets GS1's 1.5 for retail, its dimensions too\n")
               : Msg::tr(
                     "Verdict   grade 1.5 met, but its dimensions fall short of GS1's for "
                     "retail\n");
}

// A quiet zone in modules and millimetres; "at least" where it goes on
// beyond the scan line.
QString QuietText(double modules, bool beyond, double needed, double moduleMm) {
    return (beyond ? Msg::tr(">= %1 X (%2 mm), needs %3 X") : Msg::tr("%1 X (%2 mm), needs %3 X"))
        .arg(Fixed(modules, 1), Fixed(modules * moduleMm, 2))
        .arg(needed);
}

// The symbol's line: what it is, what it holds, and how it lies.
QString SymbolLine(const Frame& f) {
    const QString title(symbol::RowOf(f.symbology).title);
    const bool turned = std::abs(f.degrees) >= 0.1;
    const QString degrees = QString::number(f.degrees, 'f', 1);
    if (f.upsideDown && turned)
        return Msg::tr("Symbol    %1 %2, upside down, turned %3 degrees\n")
            .arg(title, f.code, degrees);
    if (f.upsideDown)
        return Msg::tr("Symbol    %1 %2, upside down\n").arg(title, f.code);
    if (turned)
        return Msg::tr("Symbol    %1 %2, turned %3 degrees\n").arg(title, f.code, degrees);
    return Msg::tr("Symbol    %1 %2\n").arg(title, f.code);
}

}  // namespace

QString TextReport(const Verification& v) {
    QString t;
    t += Msg::tr("Scan      %1 at %2 dpi\n").arg(v.file).arg(v.dpi);
    if (!v.found.ok)
        return t + Msg::tr("No symbol: %1\n").arg(v.found.shown);
    t += SymbolLine(v.found.frame);
    t += (v.GradeMeets() ? Msg::tr("Grade     %1 (%2): meets 1.5\n")
                         : Msg::tr("Grade     %1 (%2): below 1.5\n"))
             .arg(v.GradeText(), QString(GradeLetter(v.grade)));
    const QStringList dimensions = DimensionsShort(v);
    if (dimensions.isEmpty()) {
        t += Msg::tr("Size      X, bar height and quiet zones as GS1 asks for retail\n");
    } else {
        // Each shortfall a clause of its own, in the order measured.
        QString shortfalls = dimensions.first();
        for (qsizetype i = 1; i < dimensions.size(); ++i)
            shortfalls = Msg::tr("%1; %2").arg(shortfalls, dimensions[i]);
        t += Msg::tr("Size      %1\n").arg(shortfalls);
    }
    t += Verdict(v);
    if (v.linesDisagree)
        t += Msg::tr("          scan lines read different data, which fails the symbol\n");
    t += u'\n';
    t += Msg::tr(
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
            t += Msg::tr("      quiet zones %1 X and %2 X: too narrow\n")
                     .arg(g.quietLeft, 0, 'f', 1)
                     .arg(g.quietRight, 0, 'f', 1);
        else if (g.first < 0)
            t += Msg::tr("      does not decode\n");
    }
    const PrinterMeasure& p = v.printer;
    t += u'\n';
    t += Msg::tr("Module X     %1 mm (magnification %2 %)\n")
             .arg(Fixed(p.moduleMm, 3), Fixed(p.magnification, 1));
    // A file that states no resolution is read at 72 or 96 dpi, which makes
    // a sensible symbol look huge.
    if (p.magnification < 75 || p.magnification > 210)
        t += Msg::tr(
                 "             far from 80 to 200 %: is %1 dpi the scan's resolution? "
                 "--dpi sets it\n")
                 .arg(v.dpi);
    t += Msg::tr("Bar height   %1 mm, nominal %2 mm at this magnification\n")
             .arg(Fixed(p.barHeightMm, 2), Fixed(p.nominalBarHeightMm, 2));
    t += Msg::tr("Quiet zones  left %1; right %2\n")
             .arg(QuietText(p.quietLeft, p.quietLeftBeyond, p.neededLeft, p.moduleMm),
                  QuietText(p.quietRight, p.quietRightBeyond, p.neededRight, p.moduleMm));
    const QString growth = Fixed(p.growthUm, 0);
    const QString signedGrowth =
        growth != u"0" && !growth.startsWith(u'-') ? u'+' + growth : growth;
    t += p.bwrUm > 0
             ? Msg::tr("Bar growth   %1 um: print with --bwr %2\n").arg(signedGrowth).arg(p.bwrUm)
             : Msg::tr("Bar growth   %1 um: no --bwr (bars are not wider than drawn)\n")
                   .arg(signedGrowth);
    if (!v.expected.isEmpty())
        t += (v.Matches() ? Msg::tr("Expected     %1: matches\n")
                          : Msg::tr("Expected     %1: does NOT match\n"))
                 .arg(v.expected);
    return t + u'\n' + Estimate();
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
    return Msg::tr(R"(
Ten scan lines across the middle 80 percent of the bar height, each the mean
reflectance through a circle of 0.15 mm, reflectance being the grey level
over 255 (a colour scan's red channel). Each line is graded A to F for
decode (with the quiet zones), symbol contrast, minimum reflectance, edge
contrast, modulation, defects and decodability, and takes its lowest grade;
the symbol's grade is their average, written grade/aperture/wavelength
(e.g. 2.8/06/660). GS1 asks 1.5 or better for retail, and beside the grade
an X of 80 to 200 percent of 0.33 mm, bars of their full height for that X,
and both quiet zones: the report says each apart.

)") + Estimate() +
           Msg::tr(R"(
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
