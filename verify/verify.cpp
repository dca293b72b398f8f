#include "verify.h"

#include <QCommandLineParser>
#include <QFile>

#include <cmath>
#include <cstdio>

#include "plot.h"
#include "report.h"

namespace verify {

namespace {

constexpr double kMmPerInch = 25.4;
// The inspection band leaves out the top and bottom tenth of the bars.
constexpr double kBandMargin = 0.1;

void Print(std::FILE* stream, const QString& text) {
    std::fputs(text.toUtf8().constData(), stream);
}

int Usage(const QString& error) {
    Print(stderr, QStringLiteral("stripewell-render: %1\nTry 'stripewell-render --verify "
                                 "--help'.\n")
                      .arg(error));
    return kExitUsage;
}

}  // namespace

bool Verification::Matches() const {
    if (expected.isEmpty())
        return true;
    // A UPC-A is the 13-digit symbol of its code with a 0 in front.
    const QString& code = found.frame.code;
    return found.ok && (code == expected || (found.frame.symbology == symbol::Symbology::UpcA &&
                                             u'0' + code == expected));
}

int Verification::ExitStatus() const {
    if (!found.ok)
        return kExitNoSymbol;
    if (!GradeMeets() || !Matches())
        return kExitDoesNotMeet;
    return DimensionsMeet() ? kExitMeets : kExitDimensionsShort;
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
        v.found.reason = QStringLiteral("the scan states no usable resolution: give --dpi");
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
    const int elements = f.symbology == symbol::Symbology::Jan8 ? kShortElements : kLongElements;
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

int Main(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Grades a scanned EAN-13, EAN-8 or UPC-A symbol as a bar code verifier does\n"
        "(ten scan lines, 0.15 mm aperture), with the printer's module, bar height,\n"
        "quiet zones and ink spread. A scan gives an estimate, not a calibrated\n"
        "verifier's grade."));
    const QCommandLineOption verifyOption(QStringLiteral("verify"),
                                          QStringLiteral("The scan: png, bmp, tiff, or pdf (first "
                                                         "page, through pdftoppm)."),
                                          QStringLiteral("SCAN"));
    const QCommandLineOption dpiOption(
        QStringLiteral("dpi"),
        QStringLiteral("The scan's resolution, when the file does not state it rightly (pdf: "
                       "the resolution to read it at, default 600)."),
        QStringLiteral("N"));
    const QCommandLineOption expectOption(QStringLiteral("expect"),
                                          QStringLiteral("The digits the symbol must hold."),
                                          QStringLiteral("DIGITS"));
    const QCommandLineOption jsonOption(QStringLiteral("json"),
                                        QStringLiteral("The report as JSON, for scripts."));
    const QCommandLineOption plotOption(
        QStringLiteral("plot"),
        QStringLiteral("Draw the middle scan line's reflectance profile into FILE.png."),
        QStringLiteral("FILE"));
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Show this help."));
    parser.addOptions({verifyOption, dpiOption, expectOption, jsonOption, plotOption, helpOption});
    // "--verify --help" asks for help, not for a scan named --help.
    const bool help =
        arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"));
    if (!help && !parser.parse(arguments))
        return Usage(parser.errorText());
    if (help) {
        Print(stdout, parser.helpText() + HelpTail());
        return kExitMeets;
    }
    if (!parser.positionalArguments().isEmpty())
        return Usage(
            QStringLiteral("unexpected argument: %1").arg(parser.positionalArguments().first()));
    if (!parser.isSet(verifyOption))
        return Usage(QStringLiteral("--verify needs a scan"));
    double dpi = 0;
    if (parser.isSet(dpiOption)) {
        bool ok = false;
        dpi = parser.value(dpiOption).toDouble(&ok);
        if (!ok || dpi < 72 || dpi > 9600)
            return Usage(QStringLiteral("--dpi takes 72 to 9600"));
    }
    const QString expected = parser.value(expectOption);
    for (QChar c : expected)
        if (!c.isDigit() || c.unicode() > u'9')
            return Usage(QStringLiteral("--expect takes digits only"));

    const QString path = parser.value(verifyOption);
    const Scan scan = ReadScan(path, dpi);
    if (!scan.error.isEmpty()) {
        Print(stderr, QStringLiteral("stripewell-render: %1: %2\n").arg(path, scan.error));
        return kExitUnreadable;
    }
    Verification v = Verify(scan);
    v.file = path;
    v.expected = expected;
    if (parser.isSet(plotOption)) {
        const QString plotPath = parser.value(plotOption);
        if (v.found.ok && !DrawPlot(v).save(plotPath, "PNG")) {
            Print(stderr, QStringLiteral("stripewell-render: %1: the plot cannot be written\n")
                              .arg(plotPath));
            return kExitNotWritten;
        }
    }
    Print(stdout, parser.isSet(jsonOption) ? JsonReport(v) : TextReport(v));
    return v.ExitStatus();
}

}  // namespace verify
