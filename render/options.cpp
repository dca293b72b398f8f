#include "options.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>
#include <cmath>

#include "symbol/itf.h"
#include "symbol/raster.h"

#include "pipeline/bookcode.h"
#include "pipeline/typedcode.h"

namespace render {

using pipeline::CutName;
using pipeline::EchoTyped;
using pipeline::EncodingByName;
using pipeline::ListEncoding;
using pipeline::ListFormat;

namespace {

bool ReadFormat(const QString& text, Format* format) {
    const QString lower = text.toLower();
    if (lower == u"bmp")
        *format = Format::Bmp;
    else if (lower == u"png")
        *format = Format::Png;
    else if (lower == u"svg")
        *format = Format::Svg;
    else if (lower == u"pdf")
        *format = Format::Pdf;
    else
        return false;
    return true;
}

// A whole number within [low, high]; an error message otherwise.
QString ReadBounded(const QString& option, const QString& text, int low, int high, int* value) {
    bool ok = false;
    const int read = text.toInt(&ok);
    if (!ok || read < low || read > high)
        return QStringLiteral("%1 takes a whole number from %2 to %3, not '%4'")
            .arg(option)
            .arg(low)
            .arg(high)
            .arg(text);
    *value = read;
    return QString();
}

// The command line's options, each with the description that --help prints.
struct CommandLine {
    QCommandLineOption output{{"o", "output"},
                              "The file to write; its ending (.bmp, .png, .svg, .pdf) chooses "
                              "the format unless --format is given. \"-\" is standard output "
                              "(bmp unless --format is given), and so is a link to it, such as "
                              "/dev/stdout.",
                              "FILE"};
    QCommandLineOption name{"name",
                            "The name: at the top left in the window layout, above the symbol "
                            "in the retail layout (default: none). At most 1000 characters, as "
                            "in the window: a longer name is cut, and a line says so.",
                            "TEXT"};
    QCommandLineOption noName{"no-name",
                              "No name line: a list's names still name its files, but no "
                              "symbol, label or printed label shows one, and the labels "
                              "are fitted without it."};
    QCommandLineOption symbology{"symbol",
                                 "jan13 (default; also ean13), jan8 (also ean8): the short "
                                 "JAN, upca, or upce: UPC-E, from its own 7 or 8 digits or "
                                 "from a UPC-A's 11 or 12 that zero-suppress, itf14: "
                                 "ITF-14, the case code, retail layout only, or book: the "
                                 "book JAN, two symbols under the 日本図書コード, of the ISBN "
                                 "given as DIGITS, --classification and --price.",
                                 "NAME"};
    QCommandLineOption addon{"addon",
                             "jan13, upca and upce: a 2- or 5-digit add-on after the symbol. In a "
                             "batch list, the code field gives it: \"4910123450124 12345\" or "
                             "\"4910123450124+12345\".",
                             "DIGITS"};
    QCommandLineOption indicator{"indicator",
                                 "itf14: the GTIN-14 of a case of the items of the 12- or "
                                 "13-digit JAN given, or of each in a list: indicator digit N "
                                 "(0-9), the JAN's first twelve digits and a new check digit. "
                                 "Without it 13 digits that are a whole JAN are refused.",
                                 "N"};
    QCommandLineOption ratio{"ratio",
                             "itf14: wide bars and spaces RATIO narrow ones, 2.25 to 3 "
                             "(default 2.5; in bmp and png the nearest whole dots).",
                             "RATIO"};
    QCommandLineOption bearer{"bearer",
                              "itf14: frame (default): bearer bars 4.83 mm wide around the "
                              "symbol, for printing straight on corrugated board; bars: 2 "
                              "modules above and below it, for a label.",
                              "KIND"};
    QCommandLineOption classification{"classification",
                                      "book: the classification code, C and four digits "
                                      "(C0095). A list gives it in a column Cコード or 分類コード.",
                                      "CODE"};
    QCommandLineOption price{"price",
                             "book: the price before tax in yen, 0 to 99999; a higher price "
                             "is coded 00000. A list gives it in a column 本体価格 or 価格.",
                             "YEN"};
    QCommandLineOption format{"format", "bmp, png, svg or pdf (batch default: bmp).", "FORMAT"};
    QCommandLineOption layout{"layout",
                              "window (default): the window's picture, byte for byte its saved "
                              "BMP at --scale 1. retail: the symbol for print, at its nominal "
                              "sizes with OCR-B digits.",
                              "NAME"};
    QCommandLineOption scale{"scale",
                             "Window layout, bmp and png: N pixels per module, 1 to 20 (default "
                             "1), written as 96 x N dpi.",
                             "N"};
    QCommandLineOption magnification{"magnification",
                                     "svg, pdf and the retail layout: the module is 0.33 mm "
                                     "times PERCENT, 80 to 200 (default 100); itf14: 1.016 mm "
                                     "times PERCENT, 49 to 100.",
                                     "PERCENT"};
    QCommandLineOption dpi{"dpi",
                           "Retail: the printer's resolution, 72 to 4800 (bmp and png: default "
                           "300; svg and pdf: drawn on that printer's dots, the page a whole "
                           "number of them). A module is the nearest whole number of dots; a "
                           "line on standard error says when that moves the magnification.",
                           "N"};
    QCommandLineOption bwr{"bwr",
                           "Retail: bar width reduction, every bar narrowed by MICRONS "
                           "micrometres about its middle (whole dots in bmp and png).",
                           "MICRONS"};
    QCommandLineOption marker{"quiet-zone-marker", "Retail: the \">\" in the right quiet zone."};
    QCommandLineOption force{"force",
                             "Replace a file or a link that already exists (the link itself); "
                             "without it an existing file is left alone and counts as a "
                             "failure. Never replaced: a folder, a device, a fifo, a socket, a "
                             "read-only file, the batch list, standard input, output, error."};
    QCommandLineOption batch{"batch", "One symbol per line of LIST (\"-\" reads standard input).",
                             "LIST"};
    QCommandLineOption outDir{"out-dir", "The folder the batch writes into (made if missing).",
                              "DIR"};
    QCommandLineOption encoding{"encoding",
                                "The list's encoding: UTF-8, UTF-16LE, UTF-16BE or Shift_JIS "
                                "(default: found from the list).",
                                "NAME"};
    QCommandLineOption separator{"separator",
                                 "The list's separator: a character, tab, comma or semicolon "
                                 "(default: a tab if the first line has one, else a comma). Not "
                                 "a digit, +, . or \", which stand inside codes and numbers.",
                                 "CHAR"};
    QCommandLineOption codeColumn{"code-column",
                                  "The list's field of the codes: its number from 1, or its "
                                  "header text (default: found by the header).",
                                  "COLUMN"};
    QCommandLineOption sheet{"sheet",
                             "Labels on an A4 label sheet, into one pdf at -o: the sheet NAME "
                             "(\"--sheet list\" shows them). Each label holds a retail symbol "
                             "at --magnification, or the largest that fits, at least 80.",
                             "NAME"};
    QCommandLineOption sheetFile{
        "sheet-file",
        "Labels on a sheet of one's own, described in FILE (see below): a file of at most 64 "
        "KiB, or \"-\" for standard input.",
        "FILE"};
    QCommandLineOption copies{"copies", "Label sheets: N labels of each code (default 1).", "N"};
    QCommandLineOption skip{"skip",
                            "Label sheets: leave the first N labels of the first page empty, "
                            "for a sheet that was partly used.",
                            "N"};
    QCommandLineOption outline{"outline",
                               "Label sheets: draw each label's edge, for a test print."};
    QCommandLineOption nameColumn{"name-column", "The list's field of the names, the same way.",
                                  "COLUMN"};
    QCommandLineOption print{"print",
                             "Print instead of writing a file: on PRINTER, or on the default "
                             "printer when none is named. Each symbol on a page of the "
                             "printer's media (a label of a roll), or on --sheet, at the "
                             "printer's resolution: modules on whole dots.",
                             "PRINTER"};
    QCommandLineOption printer{"printer",
                               "\"--printer list\" shows the printers with their "
                               "resolutions and media.",
                               "list"};
    QCommandLineOption media{"media",
                             "--print: the label, one of the printer's media by name or as "
                             "\"W x H mm\" (default: the printer's).",
                             "NAME"};
    QCommandLineOption help{{"h", "help"}, "This text."};
    QCommandLineOption version{"version", "The version."};
    QCommandLineParser parser;

    CommandLine() {
        parser.setApplicationDescription(QStringLiteral(
            "Draws a JAN (EAN-13) bar code symbol into a file: by default the picture\n"
            "that the Stripewell window draws and saves, or with --layout retail the\n"
            "symbol for print. --symbol draws a short JAN (EAN-8), UPC-A, UPC-E or\n"
            "ITF-14 instead."));
        parser.addPositionalArgument(
            QStringLiteral("DIGITS"),
            QStringLiteral(
                "12 digits (jan8 and upce: 7, upca: 11), to which the check digit is added, "
                "or one more, whose last digit is checked."),
            QStringLiteral("[--name TEXT] DIGITS -o FILE | --batch LIST --out-dir DIR"));
        parser.addOptions({output,    name,       symbology,  addon,  indicator,     ratio,
                           bearer,    format,     layout,     scale,  magnification, dpi,
                           bwr,       marker,     force,      batch,  outDir,        encoding,
                           separator, codeColumn, nameColumn, sheet,  sheetFile,     copies,
                           skip,      outline,    help,       version});
        parser.addOptions({print, printer, media});
        parser.addOptions({classification, price});
        parser.addOption(noName);
    }
};

bool ReadLayout(const QString& text, symbol::Layout* layout) {
    const QString lower = text.toLower();
    if (lower == u"window")
        *layout = symbol::Layout::Window;
    else if (lower == u"retail")
        *layout = symbol::Layout::Retail;
    else
        return false;
    return true;
}

QString ReadSizeValues(const CommandLine& o, Options* options) {
    const QCommandLineParser& parser = o.parser;
    const bool bitmap = options->format == Format::Bmp || options->format == Format::Png;
    const bool retail = options->layout == symbol::Layout::Retail;
    struct Bounded {
        const QCommandLineOption& option;
        int low, high;
        int* value;
        QString misplaced;  // why the option does not go with the rest, or empty
    };
    const QList<Bounded> values = {
        {o.scale, kMinScale, kMaxScale, &options->scale,
         !bitmap  ? QStringLiteral("--scale is for bmp and png; svg and pdf are sized with "
                                    "--magnification")
         : retail ? QStringLiteral("--scale is for the window layout; a retail bitmap is "
                                   "sized with --dpi and --magnification")
                  : QString()},
        {o.magnification, symbol::MinMagnification(options->symbology),
         symbol::MaxMagnification(options->symbology), &options->magnification,
         bitmap && !retail ? QStringLiteral("--magnification is for svg, pdf and --layout "
                                            "retail; the window's bmp and png are sized with "
                                            "--scale")
                           : QString()},
        {o.dpi, kMinDpi, kMaxDpi, &options->dpi,
         retail ? QString() : QStringLiteral("--dpi goes with --layout retail")},
        {o.bwr, 0, kMaxBwrMicrons, &options->bwrMicrons,
         retail ? QString() : QStringLiteral("--bwr goes with --layout retail")},
    };
    for (const Bounded& v : values) {
        if (!parser.isSet(v.option))
            continue;
        if (!v.misplaced.isEmpty())
            return v.misplaced;
        const QString error = ReadBounded("--" + v.option.names().constLast(),
                                          parser.value(v.option), v.low, v.high, v.value);
        if (!error.isEmpty())
            return error;
    }
    if (parser.isSet(o.marker) && !retail)
        return QStringLiteral("--quiet-zone-marker goes with --layout retail");
    options->quietZoneMarker = parser.isSet(o.marker);
    return QString();
}

// Retail bitmaps: the module and the bar width reduction in whole dots of
// the printer, and a note when they differ from what was asked.
QString FitToDots(Options* options, QString* note) {
    const symbol::Symbology symbology = options->symbology;
    const double percentMm = symbol::NominalModuleMm(symbology) / 100;
    const double asked = percentMm * options->magnification;
    symbol::WholeDots module = symbol::NearestWholeDots(
        asked, options->dpi, symbol::MinMagnification(symbology) * percentMm,
        symbol::MaxMagnification(symbology) * percentMm);
    if (module.dots == 0)
        return QStringLiteral(
                   "at %1 dpi no whole number of dots makes a module of %2 to %3 "
                   "percent")
            .arg(options->dpi)
            .arg(symbol::MinMagnification(symbology))
            .arg(symbol::MaxMagnification(symbology));
    if (symbology == symbol::Symbology::Itf14)
        module.magnification = module.moduleMm / percentMm;
    options->itf.moduleMm = module.moduleMm;
    // ITF-14's wide elements in whole dots too, so that every bar keeps its width.
    const double ratio = options->itf.ratio;
    options->itf.ratio = double(std::lround(ratio * module.dots)) / module.dots;
    const double dotUm = 25400.0 / options->dpi;
    const int bwrDots = int(std::lround(options->bwrMicrons / dotUm));
    if (2 * bwrDots > module.dots)
        return QStringLiteral(
                   "--bwr %1 would leave bars of %2 dots from a module of %3 dots "
                   "at %4 dpi; at most half a module (%5 micrometres) can go")
            .arg(options->bwrMicrons)
            .arg(module.dots - bwrDots)
            .arg(module.dots)
            .arg(options->dpi)
            .arg(int(module.dots / 2 * dotUm));
    options->moduleDots = module.dots;
    options->bwrDots = bwrDots;
    const double bwrUm = bwrDots * dotUm;
    QStringList changed;
    if (std::abs(module.magnification - options->magnification) > 0.5)
        changed << QStringLiteral("module %1 dots, X = %2 mm (magnification %3 %)")
                       .arg(module.dots)
                       .arg(module.moduleMm, 0, 'f', 4)
                       .arg(module.magnification, 0, 'f', 1);
    if (std::abs(bwrUm - options->bwrMicrons) > 0.5)
        changed << QStringLiteral("bar width reduction %1 dots (%2 micrometres)")
                       .arg(bwrDots)
                       .arg(bwrUm, 0, 'f', 0);
    if (symbology == symbol::Symbology::Itf14 && std::abs(options->itf.ratio - ratio) > 1e-9)
        changed << QStringLiteral("wide-to-narrow ratio %1").arg(options->itf.ratio, 0, 'f', 3);
    if (!changed.isEmpty())
        *note += (note->isEmpty() ? QString() : QStringLiteral("; ")) +
                 QStringLiteral("at %1 dpi: %2").arg(options->dpi).arg(changed.join("; "));
    return QString();
}

// The vector formats: whatever bar width reduction leaves half a module.
QString CheckBwr(Options& options) {
    const double moduleUm =
        symbol::NominalModuleMm(options.symbology) * 1000 * options.magnification / 100;
    options.itf.moduleMm = moduleUm / 1000;
    if (2 * options.bwrMicrons > moduleUm)
        return QStringLiteral(
                   "--bwr %1 would leave bars narrower than half a module (%2 "
                   "micrometres at %3 percent)")
            .arg(options.bwrMicrons)
            .arg(moduleUm / 2, 0, 'f', 0)
            .arg(options.magnification);
    return QString();
}

// The options that size the symbol. Each is read only where it means
// something: --scale for the window's bitmaps, --dpi and --bwr for the
// retail layout, and --magnification wherever millimetres count.
QString ReadSizes(const CommandLine& o, Options* options, QString* note) {
    const QCommandLineParser& parser = o.parser;
    if (parser.isSet(o.layout) && !ReadLayout(parser.value(o.layout), &options->layout))
        return QStringLiteral("--layout takes window or retail, not '%1'")
            .arg(parser.value(o.layout));
    const QString error = ReadSizeValues(o, options);
    if (!error.isEmpty() || options->layout != symbol::Layout::Retail)
        return error;
    const bool bitmap = options->format == Format::Bmp || options->format == Format::Png;
    options->vectorDots = !bitmap && parser.isSet(o.dpi);
    return bitmap || options->vectorDots ? FitToDots(options, note) : CheckBwr(*options);
}

// --separator: one character, or tab, comma or semicolon by name.
bool ReadSeparator(const QString& text, QChar* separator) {
    const QString lower = text.toLower();
    if (lower == u"tab" || text == u"\\t")
        *separator = u'\t';
    else if (lower == u"comma")
        *separator = u',';
    else if (lower == u"semicolon")
        *separator = u';';
    else if (text.size() == 1 && text != u"\n" && text != u"\r")
        *separator = text[0];
    else
        return false;
    return true;
}

// Why a character cannot part the fields: it can stand inside a code field
// or a number that a spreadsheet wrote, which it would split. Empty when it can.
QString SeparatorProblem(QChar separator) {
    if (separator.isDigit())
        return QStringLiteral("a digit is part of the codes");
    if (separator == u'+')
        return QStringLiteral("\"+\" joins a code to its add-on (4910123450124+12345)");
    if (separator == u'.')
        return QStringLiteral("\".\" stands in the numbers a spreadsheet writes (4.90123E+12)");
    if (separator == u'"')
        return QStringLiteral("\" quotes a field that holds the separator");
    return QString();
}

// --name-column and --code-column: a number from 1, or a header text.
bool ReadColumn(const QString& text) {
    bool number = false;
    const int column = text.toInt(&number);
    return number ? column >= 1 : !text.trimmed().isEmpty();
}

// The options that say how to read the list; an error message, or empty.
QString ReadListFormat(const CommandLine& o, ListFormat* format) {
    const QCommandLineParser& parser = o.parser;
    if (parser.isSet(o.encoding)) {
        ListEncoding read = ListEncoding::Utf8;
        if (!EncodingByName(parser.value(o.encoding), &read))
            return QStringLiteral(
                       "--encoding takes UTF-8, UTF-16LE, UTF-16BE or Shift_JIS, not "
                       "'%1'")
                .arg(parser.value(o.encoding));
        format->encoding = read;
    }
    if (parser.isSet(o.separator) && !ReadSeparator(parser.value(o.separator), &format->separator))
        return QStringLiteral(
                   "--separator takes one character, or tab, comma or semicolon, not "
                   "'%1'")
            .arg(parser.value(o.separator));
    if (const QString problem = SeparatorProblem(format->separator); !problem.isEmpty())
        return QStringLiteral(
                   "--separator cannot be '%1': %2; give another character, such as tab, "
                   "comma or semicolon")
            .arg(format->separator, problem);
    for (const QCommandLineOption* column : {&o.nameColumn, &o.codeColumn}) {
        if (parser.isSet(*column) && !ReadColumn(parser.value(*column)))
            return QStringLiteral("--%1 takes a field's number from 1 or its header text, not '%2'")
                .arg(column->names().constFirst(), parser.value(*column));
    }
    format->nameColumn = parser.value(o.nameColumn).trimmed();
    format->codeColumn = parser.value(o.codeColumn).trimmed();
    return QString();
}

QString ReadBatch(const CommandLine& o, Options* options) {
    const QCommandLineParser& parser = o.parser;
    options->mode = Options::Mode::Batch;
    options->batchList = parser.value(o.batch);
    options->outDir = parser.value(o.outDir);
    if (!parser.positionalArguments().isEmpty())
        return QStringLiteral("--batch takes the digits from its list, not from '%1'")
            .arg(parser.positionalArguments().constFirst());
    if (parser.isSet(o.output) || parser.isSet(o.name))
        return QStringLiteral(
            "--batch takes the names from its list and writes into --out-dir; -o and --name "
            "do not go with it");
    if (options->outDir.isEmpty())
        return QStringLiteral("--batch needs --out-dir DIR, the folder to write into");
    return ReadListFormat(o, &options->list);
}

QString ReadSingle(const CommandLine& o, Options* options, QString* note) {
    const QCommandLineParser& parser = o.parser;
    options->mode = Options::Mode::Single;
    if (parser.isSet(o.outDir))
        return QStringLiteral("--out-dir goes with --batch; a single symbol is written to -o FILE");
    for (const QCommandLineOption* listOption :
         {&o.encoding, &o.separator, &o.nameColumn, &o.codeColumn})
        if (parser.isSet(*listOption))
            return QStringLiteral("--%1 says how to read a --batch list")
                .arg(listOption->names().constFirst());
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1)
        return positional.isEmpty() ? QStringLiteral("the digits are missing")
                                    : QStringLiteral("one DIGITS argument expected, %1 given: %2")
                                          .arg(positional.size())
                                          .arg(EchoTyped(positional.join(u' ')));
    options->digits = positional.constFirst();
    options->name = parser.value(o.name);
    if (parser.isSet(o.name) && options->noName)
        return QStringLiteral("--no-name leaves the name line out; it does not go with --name");
    if (const QString cut = CutName(&options->name); !cut.isEmpty())
        *note = QStringLiteral("--name: %1").arg(cut);
    options->output = parser.value(o.output);
    if (options->output.isEmpty() && !options->print)
        return QStringLiteral("-o FILE is missing: where should the symbol go?");
    return QString();
}

// ITF-14's own options given for another symbol.
QString RefuseItfOptions(const CommandLine& o) {
    for (const QCommandLineOption* option : {&o.indicator, &o.ratio, &o.bearer})
        if (o.parser.isSet(*option))
            return QStringLiteral("--%1 goes with --symbol itf14")
                .arg(option->names().constFirst());
    return QString();
}

// A symbol drawn in the retail layout only, and unless notPrinted is empty
// not sent to printers: the reason when --print or --layout window asks
// otherwise, with the symbol's own words for each.
QString ReadRetailOnly(const CommandLine& o, Options* options, const QString& symbol,
                       const QString& notPrinted, const QString& noWindow) {
    if (options->print && !notPrinted.isEmpty())
        return QStringLiteral("--symbol %1 is not printed: %2").arg(symbol, notPrinted);
    if (o.parser.isSet(o.layout) && o.parser.value(o.layout).toLower() == u"window")
        return QStringLiteral("--symbol %1 has no window layout: %2").arg(symbol, noWindow);
    options->layout = symbol::Layout::Retail;
    return QString();
}

// ITF-14: the retail layout only, since its wide bars are 2.25 to 3 modules
// and the window's picture has one pixel a module. Label sheets and a
// printer's labels take it where they hold its 70 to 143 mm.
QString ReadItf(const CommandLine& o, Options* options) {
    const QCommandLineParser& parser = o.parser;
    if (const QString refused = ReadRetailOnly(
            o, options, QStringLiteral("itf14"), QString(),
            QStringLiteral("the window draws one pixel a module, and ITF-14's wide bars are "
                           "2.25 to 3 modules; it is drawn with --layout retail"));
        !refused.isEmpty())
        return refused;
    if (parser.isSet(o.marker))
        return QStringLiteral("--quiet-zone-marker is for jan13 and jan8");
    if (parser.isSet(o.ratio)) {
        bool ok = false;
        const double ratio = parser.value(o.ratio).toDouble(&ok);
        // nan compares false with both ends: it is refused as not finite.
        if (!ok || !std::isfinite(ratio) || ratio < symbol::kItfMinRatio ||
            ratio > symbol::kItfMaxRatio)
            return QStringLiteral("--ratio takes a number from 2.25 to 3, not '%1'")
                .arg(parser.value(o.ratio));
        options->itf.ratio = ratio;
    }
    const QString bearer = parser.value(o.bearer).toLower();
    if (parser.isSet(o.bearer) && bearer != u"frame" && bearer != u"bars")
        return QStringLiteral("--bearer takes frame or bars, not '%1'").arg(parser.value(o.bearer));
    options->itf.frame = bearer != u"bars";
    if (parser.isSet(o.indicator)) {
        const QString text = parser.value(o.indicator);
        if (text.size() != 1 || !text[0].isDigit() || text[0].unicode() > u'9')
            return QStringLiteral("--indicator takes one digit 0-9, not '%1'").arg(text);
        options->indicator = text.toInt();
    }
    return QString();
}

// The book pair's own options given for another symbol.
QString RefuseBookOptions(const CommandLine& o) {
    for (const QCommandLineOption* option : {&o.classification, &o.price})
        if (o.parser.isSet(*option))
            return QStringLiteral("--%1 goes with --symbol book").arg(option->names().constFirst());
    return QString();
}

// The book pair: retail only, as its guide sizes it; no add-on, marker or
// printing (a cover is printed from its artwork). One pair takes
// --classification and --price; a list gives each line's in its columns.
QString ReadBook(const CommandLine& o, Options* options) {
    const QCommandLineParser& parser = o.parser;
    if (const QString refused = ReadRetailOnly(
            o, options, QStringLiteral("book"),
            QStringLiteral("write a pdf or svg and place it on the cover, or a label sheet "
                           "with --sheet"),
            QStringLiteral("the book JAN is two symbols under the 日本図書コード, drawn to its "
                           "guide's sizes with --layout retail"));
        !refused.isEmpty())
        return refused;
    for (const QCommandLineOption* option : {&o.addon, &o.marker})
        if (parser.isSet(*option))
            return QStringLiteral("--%1 does not go with --symbol book")
                .arg(option->names().constFirst());
    if (options->mode == Options::Mode::Batch) {
        for (const QCommandLineOption* option : {&o.classification, &o.price})
            if (parser.isSet(*option))
                return QStringLiteral(
                           "--%1 is for one book; a list gives each book's in its columns "
                           "(ISBN, Cコード, 本体価格)")
                    .arg(option->names().constFirst());
        return QString();
    }
    // Left out, they are refused with the ISBN, as missing digits are.
    options->classification = parser.value(o.classification);
    options->price = parser.value(o.price);
    return QString();
}

// --symbol and --addon: what is drawn.
QString ReadSymbol(const CommandLine& o, Options* options) {
    const QCommandLineParser& parser = o.parser;
    const QString name = parser.value(o.symbology).toLower();
    if (name == u"jan8" || name == u"ean8")
        options->symbology = symbol::Symbology::Jan8;
    else if (name == u"upca")
        options->symbology = symbol::Symbology::UpcA;
    else if (name == u"upce")
        options->symbology = symbol::Symbology::UpcE;
    else if (name == u"itf14")
        options->symbology = symbol::Symbology::Itf14;
    else if (name == u"book")
        options->symbology = symbol::Symbology::Book;
    else if (!name.isEmpty() && name != u"jan13" && name != u"ean13")
        return QStringLiteral("--symbol takes jan13, jan8, upca, upce, itf14 or book, not '%1'")
            .arg(name);
    if (const QString bookError = options->symbology == symbol::Symbology::Book
                                      ? ReadBook(o, options)
                                      : RefuseBookOptions(o);
        !bookError.isEmpty())
        return bookError;
    const QString itfError =
        options->symbology == symbol::Symbology::Itf14 ? ReadItf(o, options) : RefuseItfOptions(o);
    if (!itfError.isEmpty())
        return itfError;
    options->addon = parser.value(o.addon);
    if (parser.isSet(o.addon) && options->mode == Options::Mode::Batch)
        return QStringLiteral(
            "--batch takes add-ons from its list's code field, as in "
            "\"4910123450124 12345\"");
    if ((options->symbology == symbol::Symbology::UpcA ||
         options->symbology == symbol::Symbology::UpcE) &&
        parser.isSet(o.marker))
        return QStringLiteral("--quiet-zone-marker is for jan13 and jan8");
    return QString();
}

// A label sheet: one code or a list, into one pdf of retail symbols at -o.
QString ReadLabelSheet(const CommandLine& o, Options* options, QString* note) {
    const QCommandLineParser& parser = o.parser;
    if (parser.isSet(o.sheet) && parser.isSet(o.sheetFile))
        return QStringLiteral("give --sheet or --sheet-file, not both");
    for (const QCommandLineOption* other :
         {&o.outDir, &o.format, &o.layout, &o.scale, &o.dpi, &o.marker})
        if (parser.isSet(*other))
            return options->print ? QStringLiteral(
                                        "--%1 does not go with --print, which prints "
                                        "retail symbols at the printer's resolution")
                                        .arg(other->names().constLast())
                                  : QStringLiteral(
                                        "--%1 does not go with a label sheet, a pdf "
                                        "of retail symbols at -o")
                                        .arg(other->names().constLast());
    for (const QCommandLineOption* other : {&o.output, &o.bwr, &o.force})
        if (options->print && parser.isSet(*other))
            return QStringLiteral("--%1 does not go with --print").arg(other->names().constLast());
    options->sheet = parser.value(o.sheet);
    options->sheetFile = parser.value(o.sheetFile);
    if (options->sheetFile == u"-" && parser.value(o.batch) == u"-")
        return QStringLiteral("standard input can be the list or the sheet file, not both");
    options->format = Format::Pdf;
    options->layout = symbol::Layout::Retail;
    options->outline = parser.isSet(o.outline);
    // The magnification's range is the symbol's, read later with its name.
    const symbol::Symbology ranged = parser.value(o.symbology).toLower() == u"itf14"
                                         ? symbol::Symbology::Itf14
                                         : symbol::Symbology::Jan13;
    QString error;
    if (parser.isSet(o.batch)) {
        options->mode = Options::Mode::Batch;
        options->batchList = parser.value(o.batch);
        if (!parser.positionalArguments().isEmpty() || parser.isSet(o.name))
            return QStringLiteral("--batch takes the names and digits from its list");
        error = ReadListFormat(o, &options->list);
    } else {
        error = ReadSingle(o, options, note);
    }
    options->output = parser.value(o.output);
    if (error.isEmpty() && options->output.isEmpty() && !options->print)
        error = QStringLiteral("-o FILE.pdf is missing: where should the labels go?");
    if (error.isEmpty() && !options->print && options->output != u"-" &&
        !options->output.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        error =
            QStringLiteral("a label sheet is a pdf: end -o in .pdf, not '%1'").arg(options->output);
    const struct {
        const QCommandLineOption& option;
        int low, high;
        int* value;
    } values[] = {{o.copies, 1, kMaxCopies, &options->copies},
                  {o.skip, 0, 999, &options->skip},
                  {o.magnification, symbol::MinMagnification(ranged),
                   symbol::MaxMagnification(ranged), &options->magnification},
                  {o.bwr, 0, kMaxBwrMicrons, &options->bwrMicrons}};
    for (const auto& v : values)
        if (error.isEmpty() && parser.isSet(v.option))
            error = ReadBounded("--" + v.option.names().constLast(), parser.value(v.option), v.low,
                                v.high, v.value);
    return error;
}

// An option given an empty value, as an unset shell variable gives: not
// read as the option left out. --name may be empty: no name. An empty
// --addon or --media is refused here, since leaving it out means no add-on
// or the printer's own media. An empty number is refused where the number
// is read.
QString EmptyValue(const CommandLine& o) {
    for (const QCommandLineOption* named :
         {&o.output, &o.symbology, &o.format, &o.layout, &o.batch, &o.outDir, &o.encoding,
          &o.separator, &o.codeColumn, &o.nameColumn, &o.sheet, &o.sheetFile, &o.addon, &o.media})
        if (o.parser.isSet(*named) && o.parser.value(*named).isEmpty())
            return QStringLiteral("--%1 needs a %2, not an empty value")
                .arg(named->names().constLast(), named->valueName());
    return QString();
}

// --format, or else the ending of -o.
QString ReadFileFormat(const CommandLine& o, Options* options) {
    const QCommandLineParser& parser = o.parser;
    if (parser.isSet(o.format)) {
        if (!ReadFormat(parser.value(o.format), &options->format))
            return QStringLiteral("--format takes bmp, png, svg or pdf, not '%1'")
                .arg(parser.value(o.format));
    } else if (options->mode == Options::Mode::Single && options->output != u"-" &&
               !ReadFormat(QFileInfo(options->output).suffix(), &options->format)) {
        return QStringLiteral(
                   "cannot tell the format from the name '%1': end it in .bmp, .png, .svg or "
                   ".pdf, or give --format")
            .arg(options->output);
    }
    return QString();
}

// "--print" may stand alone, for the default printer: it takes the next
// argument as the printer's name only when that is no option and no code.
QStringList WithPrinterNamed(QStringList arguments) {
    static const QRegularExpression code(QStringLiteral("^[0-9+ ]*$"));
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == u"--")
            break;
        if (arguments[i] == u"--print" &&
            (i + 1 == arguments.size() || arguments[i + 1].startsWith(u'-') ||
             code.match(arguments[i + 1]).hasMatch()))
            arguments[i] = QStringLiteral("--print=");
    }
    return arguments;
}

}  // namespace

pipeline::SymbolOutput Options::Output() const {
    pipeline::SymbolOutput output;
    output.format = format;
    output.layout = layout;
    output.symbology = symbology;
    output.itf = itf;
    output.scale = scale;
    output.magnification = magnification;
    output.dpi = dpi;
    output.bwrMicrons = bwrMicrons;
    output.quietZoneMarker = quietZoneMarker;
    output.moduleDots = moduleDots;
    output.bwrDots = bwrDots;
    output.vectorDots = vectorDots;
    output.force = force;
    return output;
}

pipeline::TypedCode Options::Code() const {
    if (symbology == symbol::Symbology::Itf14 && indicator >= 0 && addon.isEmpty())
        return pipeline::ReadCaseCode(digits, indicator);
    return pipeline::ReadGivenCode(digits, symbology, addon, classification, price);
}

ParsedCommandLine ParseCommandLine(const QStringList& arguments) {
    CommandLine o;
    const QCommandLineParser& parser = o.parser;
    ParsedCommandLine result;
    Options& options = result.options;
    // The parser expects the program's name first.
    if (!o.parser.parse(QStringList{QStringLiteral("stripewell-render")} +
                        WithPrinterNamed(arguments))) {
        result.error = parser.errorText();
        return result;
    }
    if (parser.isSet(o.help) || parser.isSet(o.version)) {
        options.mode = parser.isSet(o.help) ? Options::Mode::Help : Options::Mode::Version;
        return result;
    }
    options.force = parser.isSet(o.force);
    options.noName = parser.isSet(o.noName);
    if (const QString empty = EmptyValue(o); !empty.isEmpty()) {
        result.error = empty;
        return result;
    }
    if (parser.value(o.sheet).compare(u"list", Qt::CaseInsensitive) == 0) {
        options.mode = Options::Mode::SheetList;
        return result;
    }
    if (parser.isSet(o.printer)) {
        options.mode = Options::Mode::PrinterList;
        if (parser.value(o.printer) != u"list")
            result.error = QStringLiteral("--printer takes list; --print NAME prints on a printer");
        return result;
    }
    options.print = parser.isSet(o.print);
    options.printer = parser.value(o.print);
    options.media = parser.value(o.media);
    if (parser.isSet(o.media) && !options.print) {
        result.error = QStringLiteral("--media goes with --print");
        return result;
    }
    if (parser.isSet(o.sheet) || parser.isSet(o.sheetFile) || options.print) {
        result.error = ReadLabelSheet(o, &options, &result.note);
        if (result.error.isEmpty())
            result.error = ReadSymbol(o, &options);
        return result;
    }
    for (const QCommandLineOption* sheetOption : {&o.copies, &o.skip, &o.outline})
        if (parser.isSet(*sheetOption)) {
            result.error = QStringLiteral("--%1 goes with --sheet, --sheet-file or --print")
                               .arg(sheetOption->names().constLast());
            return result;
        }
    result.error =
        parser.isSet(o.batch) ? ReadBatch(o, &options) : ReadSingle(o, &options, &result.note);
    if (result.error.isEmpty())
        result.error = ReadSymbol(o, &options);
    if (result.error.isEmpty())
        result.error = ReadFileFormat(o, &options);
    if (result.error.isEmpty())
        result.error = ReadSizes(o, &options, &result.note);
    return result;
}

QString HelpText() {
    return CommandLine().parser.helpText() + QStringLiteral(R"(
  --verify <SCAN>            Grade a scanned symbol (--verify --help: more).

A wrong check digit is refused with the right one and with every swap of two
neighbouring digits that would make the code valid.

Batch list:
  One symbol per line: NAME, a tab or a comma, then DIGITS, e.g.
      Green tea 500ml,4901234567894
  CSV as spreadsheets write it: quoted fields may hold separators, quotes ("")
  and line breaks. With two fields the last is the digits and all before it
  the name, so a name may hold commas. A first line that names the columns
  (JAN, JANコード, コード, code, EAN; 名称, 商品名, 品名, name, product) or whose
  digit field holds text but no digit (like "name,jan") is a header; other
  columns are ignored. UTF-8, UTF-16 with a byte order mark and Shift_JIS are
  found by themselves. LF, CRLF and CR end lines; blank lines are skipped.
  A code a spreadsheet turned into a number (4.90123E+12, leading zeros
  lost) is refused and the reason told. A name longer than 1000 characters
  is cut to them, and its line says so.
  Each file is named after its name, made safe for file systems (/ \ : * ?
  " < > | and control characters become _, no leading dot, no Windows
  device name, at most 200 bytes), or after the code when the name is empty; a name seen before gets
  -2, -3, ... A bad line, or one whose file exists without --force, is
  reported on standard error with its line number and skipped; the other
  lines are still written. A full or read-only disk, or a folder that may
  not be written, stops the batch at once. On a terminal a progress line is
  shown.

Exit status:
  0  every symbol was written
  1  usage: the command line cannot be followed; with --print also no such
     printer, no print service, no such media: nothing is printed
  2  the digits were refused (not digits, wrong count, wrong check digit)
  3  nothing written: the file exists without --force, it or the folder cannot
     be written, or the batch list cannot be read or holds nothing to write;
     or a batch stopped at a full or read-only disk or a folder it may not
     write, or its files could not be made safe on disk at its end
  4  batch: some lines failed; all the others were written

Label sheets:
  Built in (--sheet list shows them): a4-12, a4-18, a4-21, a4-24, a4-40,
  a4-44 and a4-65. A sheet file holds one "key = value" line for each of
  columns, rows, label-width, label-height, left, top, pitch-x and pitch-y,
  in millimetres (left and top: the page's corner to the first label's;
  pitch: one label's edge to the next one's); # starts a comment. Counts go
  up to 999 and lengths up to 1000 mm; a sheet file is a regular file of at
  most 64 KiB, or standard input. Labels too small for a symbol at 80
  percent, or for --bwr at the module they get, are refused, and nothing is
  written.

Examples:
  stripewell-render --name "Green tea" 490123456789 -o tea.bmp
  stripewell-render 4901234567894 --scale 4 -o tea.png
  stripewell-render 4901234567894 --magnification 120 -o tea.svg
  stripewell-render --batch items.csv --out-dir symbols --format png
  stripewell-render --layout retail --name "Green tea" 4901234567894 -o tea.pdf
  stripewell-render --layout retail --dpi 203 4901234567894 -o tea.png
  stripewell-render --layout retail --symbol jan8 4912345 -o gum.pdf
  stripewell-render --layout retail 4910123450124 --addon 12345 -o magazine.pdf
  stripewell-render --layout retail --symbol upce 01234565 -o snack.pdf
  stripewell-render --symbol itf14 4901234567894 --indicator 1 -o case.pdf
  stripewell-render --symbol book 4-00-310104-9 --classification C0193 --price 500 -o book.pdf
  stripewell-render --batch items.csv --sheet a4-24 -o labels.pdf
  stripewell-render 4901234567894 --sheet a4-24 --copies 24 -o tea-sheet.pdf
  stripewell-render --printer list
  stripewell-render 4901234567894 --name "Green tea" --print shop --media "50x30 mm"
  stripewell-render --batch items.csv --print shop
)");
}

}  // namespace render
