// stripewell-render: the Stripewell symbol drawn into a file from the command
// line, one symbol or a batch of them.

#include <QGuiApplication>

#include <algorithm>
#include <csignal>
#include <vector>

#include "batch.h"
#include "exitstatus.h"
#include "messages.h"
#include "options.h"
#include "optiontable.h"
#include "pipeline/bookcode.h"
#include "pipeline/language.h"
#include "pipeline/output.h"
#include "pipeline/renderer.h"
#include "pipeline/sheet.h"
#include "pipeline/tagfile.h"
#include "pipeline/typedcode.h"
#include "printjob.h"
#include "report.h"
#include "sheetjob.h"
#include "symbol/canvas.h"
#include "verifycommand.h"

namespace {

QtMessageHandler qtHandler = nullptr;

// Without a desktop session (cron, ssh, a container) Qt warns that it has no
// runtime folder. This program never uses one, and the warning would only
// bury the messages that matter among a batch's.
void DropRuntimeFolderWarning(QtMsgType type, const QMessageLogContext& context,
                              const QString& message) {
    if (type == QtWarningMsg && message.startsWith(u"QStandardPaths: XDG_RUNTIME_DIR not set"))
        return;
    qtHandler(type, context, message);
}

render::ExitStatus RenderOne(const render::Options& options) {
    const pipeline::TypedCode typed = options.Code();
    if (!typed.refusal.isEmpty()) {
        render::Report(typed.refusal);
        return render::kExitRefused;
    }
    QString error;
    QByteArray bytes;
    bool doesNotFit = false;
    if (options.Tags()) {
        // A tag in a file of its own, drawn as a label of its design.
        bytes = pipeline::TagFile(
            options.output, render::TagLabelMm(options), render::LabelAskOf(options, typed.addon),
            options.name, {options.output.symbology, typed.code, typed.addon, options.output.itf},
            options.tagPrice, &error, &doesNotFit);
        // A label too small for its tag is refused as a sheet's labels are.
        if (doesNotFit) {
            render::Report(error);
            return render::kExitUsage;
        }
    } else {
        pipeline::Renderer renderer(options.output);
        bytes = renderer.Render(options.name, typed.code, typed.addon, &error);
    }
    if (bytes.isEmpty() ||
        !pipeline::WriteSymbolFile(options.file, bytes, options.output.force, &error)) {
        render::Report(error);
        return render::kExitNotWritten;
    }
    return render::kExitOk;
}

}  // namespace

int main(int argc, char* argv[]) {
    // The symbol needs fonts but no display: unless told otherwise, run
    // without a window system, so that this works over ssh and in cron jobs.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qtHandler = qInstallMessageHandler(DropRuntimeFolderWarning);
    // A file size limit (ulimit -f) would otherwise kill the program at the
    // first file that exceeds it, before it could say which one, clean up or
    // go on with the batch's other lines; ignored, the write fails with EFBIG.
    std::signal(SIGXFSZ, SIG_IGN);
    // Printing hands the command line on as it was given: Qt takes the
    // options it knows (-platform, -style) out of argv.
    std::vector<char*> commandLine(argv, argv + argc + 1);
    pipeline::QuietLocaleNote();
    // Where a font lacks a glyph (OCR-B has no ¥, which a book's price line
    // shows), fontconfig picks another by the locale's language: fixed here,
    // so that the files' bytes are the same in every locale.
    qputenv("FC_LANG", "en");
    QGuiApplication app(argc, argv);
    pipeline::UseLanguage(pipeline::Language::FromLocale);
    QGuiApplication::setApplicationName(QStringLiteral("stripewell-render"));
    QGuiApplication::setApplicationVersion(QStringLiteral(STRIPEWELL_VERSION));
    symbol::RegisterFontSubstitution();
    // Grading a scan has options of its own; it shares only the program.
    const QStringList arguments = QGuiApplication::arguments();
    if (std::any_of(arguments.begin(), arguments.end(), [](const QString& a) {
            return a == u"--verify" || a.startsWith(u"--verify=");
        }))
        return render::VerifyMain(arguments);

    const render::ParsedCommandLine parsed =
        render::ParseCommandLine(QGuiApplication::arguments().mid(1));
    if (!parsed.error.isEmpty()) {
        render::Report(parsed.error);
        render::Print(stderr, render::Msg::tr("Try 'stripewell-render --help'.") + u'\n');
        return render::kExitUsage;
    }
    const render::Options& options = parsed.options;
    if (options.print || options.mode == render::Options::Mode::PrinterList)
        return render::RunPrinting(parsed, commandLine.data());
    if (!parsed.note.isEmpty())
        render::Report(parsed.note);
    switch (options.mode) {
        case render::Options::Mode::Help:
            render::Print(stdout, render::HelpText());
            return render::kExitOk;
        case render::Options::Mode::Version:
            render::Print(stdout, QStringLiteral("stripewell-render %1\n").arg(STRIPEWELL_VERSION));
            return render::kExitOk;
        case render::Options::Mode::SheetList:
            render::Print(stdout, pipeline::SheetListText());
            return render::kExitOk;
        case render::Options::Mode::Batch:
            return options.OnSheet() ? render::RunSheet(options) : render::RunBatch(options);
        case render::Options::Mode::PrinterList:  // printed above
        case render::Options::Mode::Single:
            break;
    }
    return options.OnSheet() ? render::RunSheet(options) : RenderOne(options);
}
