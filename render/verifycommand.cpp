#include "verifycommand.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QCommandLineParser>
#include <QFile>

#include <cerrno>
#include <cmath>
#include <cstdio>

#include "exitstatus.h"
#include "pipeline/output.h"
#include "report.h"
#include "verify/messages.h"
#include "verify/plot.h"
#include "verify/report.h"
#include "verify/verify.h"

namespace render {

using namespace verify;

namespace {

// Whether standard output was open when the program started: once it has
// started, the first file it opens (Qt opens some) would take its number.
const bool kStandardOutputOpen = fcntl(STDOUT_FILENO, F_GETFD) != -1;

// Whether all that was printed to stream reached it; says why not.
bool ReportWritten(std::FILE* stream) {
    if (std::fflush(stream) == 0 && !std::ferror(stream))
        return true;
    const int err = errno;
    Report((stream == stdout ? verify::Msg::tr("cannot write the report to the standard output: %1")
                             : verify::Msg::tr("cannot write the report to the standard error: %1"))
               .arg(qt_error_string(err)));
    return false;
}

// The plot as a PNG file, written as the renderer writes its files, and
// never over the scan, whatever name leads to it.
bool WritePlot(const Verification& v, const Scan& scan, const QString& path, bool force,
               QString* error) {
    if (scan.identified && !pipeline::IsStandardOutput(path)) {
        const QByteArray native = QFile::encodeName(path);
        for (const bool follow : {false, true}) {
            struct stat at;
            if ((follow ? stat(native.constData(), &at) : lstat(native.constData(), &at)) == 0 &&
                at.st_dev == scan.device && at.st_ino == scan.inode) {
                *error =
                    verify::Msg::tr("%1 is the scan being graded; it is never replaced").arg(path);
                return false;
            }
        }
    }
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !DrawPlot(v).save(&buffer, "PNG")) {
        *error = verify::Msg::tr("the picture cannot be made");
        return false;
    }
    return pipeline::WriteSymbolFile(path, png, force, error);
}

int Usage(const QString& error) {
    Report(error);
    Print(stderr, verify::Msg::tr("Try 'stripewell-render --verify --help'.\n"));
    return kExitUsage;
}

}  // namespace

int VerifyMain(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(verify::Msg::tr(
        "Grades a scanned EAN-13, EAN-8 or UPC-A symbol as a bar code verifier does\n"
        "(ten scan lines, 0.15 mm aperture), with the printer's module, bar height,\n"
        "quiet zones and ink spread. A scan gives an estimate, not a calibrated\n"
        "verifier's grade."));
    const QCommandLineOption verifyOption(
        QStringLiteral("verify"),
        verify::Msg::tr("The scan: png, bmp, tiff, jpeg, or pdf (first page, through pdftoppm); "
                        "\"-\" is standard input. At most %1 MiB and %2 million pixels (an A4 "
                        "or Letter page at 1200 dpi).")
            .arg(kMaxScanBytes >> 20)
            .arg(kMaxScanPixels / 1000000),
        QStringLiteral("SCAN"));
    const QCommandLineOption dpiOption(
        QStringLiteral("dpi"),
        verify::Msg::tr("The scan's resolution, %1 to %2: needed when the file does not state "
                        "it, and taken instead of what it states (pdf: the resolution to read "
                        "it at, default %3).")
            .arg(kMinScanDpi)
            .arg(kMaxScanDpi)
            .arg(kDefaultPdfDpi),
        QStringLiteral("N"));
    const QCommandLineOption expectOption(QStringLiteral("expect"),
                                          verify::Msg::tr("The digits the symbol must hold."),
                                          QStringLiteral("DIGITS"));
    const QCommandLineOption jsonOption(QStringLiteral("json"),
                                        verify::Msg::tr("The report as JSON, for scripts."));
    const QCommandLineOption plotOption(
        QStringLiteral("plot"),
        verify::Msg::tr("Draw the middle scan line's reflectance profile into FILE.png; \"-\" is "
                        "standard output (the report then goes to standard error)."),
        QStringLiteral("FILE"));
    const QCommandLineOption forceOption(
        QStringLiteral("force"),
        verify::Msg::tr("Replace a file that has the plot's name (never the scan, nor a "
                        "read-only file)."));
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        verify::Msg::tr("Show this help."));
    parser.addOptions(
        {verifyOption, dpiOption, expectOption, jsonOption, plotOption, forceOption, helpOption});
    // "--verify --help" asks for help, not for a scan named --help.
    const bool help =
        arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"));
    if (!help && !parser.parse(arguments))
        return Usage(parser.errorText());
    if (help) {
        Print(stdout, parser.helpText() + HelpTail());
        return ReportWritten(stdout) ? kExitOk : kExitNotWritten;
    }
    if (!parser.positionalArguments().isEmpty())
        return Usage(
            verify::Msg::tr("unexpected argument: %1").arg(parser.positionalArguments().first()));
    if (!parser.isSet(verifyOption))
        return Usage(verify::Msg::tr("--verify needs a scan"));
    double dpi = 0;
    if (parser.isSet(dpiOption)) {
        bool ok = false;
        dpi = parser.value(dpiOption).toDouble(&ok);
        if (!ok || !std::isfinite(dpi) || dpi < kMinScanDpi || dpi > kMaxScanDpi)
            return Usage(verify::Msg::tr("--dpi takes %1 to %2 dots per inch, not '%3'")
                             .arg(kMinScanDpi)
                             .arg(kMaxScanDpi)
                             .arg(parser.value(dpiOption)));
    }
    if (parser.isSet(forceOption) && !parser.isSet(plotOption))
        return Usage(verify::Msg::tr("--force goes with --plot"));
    const QString expected = parser.value(expectOption);
    for (QChar c : expected)
        if (!c.isDigit() || c.unicode() > u'9')
            return Usage(verify::Msg::tr("--expect takes digits only"));
    const bool plotToStdout =
        parser.isSet(plotOption) && pipeline::IsStandardOutput(parser.value(plotOption));
    // What cannot be written is said before the scan is read.
    if (!kStandardOutputOpen) {
        Report(plotToStdout
                   ? verify::Msg::tr("cannot write the plot: the standard output is closed")
                   : verify::Msg::tr("cannot write the report: the standard output is closed"));
        return kExitNotWritten;
    }

    const QString path = parser.value(verifyOption);
    const QString shown = path == u"-" ? verify::Msg::tr("(standard input)") : path;
    const Scan scan = ReadScan(path, dpi);
    if (!scan.error.isEmpty()) {
        Report(QStringLiteral("%1: %2").arg(shown, scan.error));
        return kExitUnreadable;
    }
    Verification v = Verify(scan);
    v.file = shown;
    v.expected = expected;
    if (parser.isSet(plotOption) && v.found.ok) {
        QString error;
        if (!WritePlot(v, scan, parser.value(plotOption), parser.isSet(forceOption), &error)) {
            Report(verify::Msg::tr("the plot is not written: %1").arg(error));
            return kExitNotWritten;
        }
    }
    std::FILE* report = plotToStdout ? stderr : stdout;
    Print(report, parser.isSet(jsonOption) ? JsonReport(v) : TextReport(v));
    if (!ReportWritten(report))
        return kExitNotWritten;
    return v.ExitStatus();
}

}  // namespace render
