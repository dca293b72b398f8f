#include "options.h"

#include "messages.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>
#include <cmath>

#include "dotsizing.h"
#include "optiontable.h"
#include "symbol/itf.h"
#include "symbol/symbology.h"
#include "tagoptions.h"

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
        return Msg::tr("%1 takes a whole number from %2 to %3, not '%4'")
            .arg(option)
            .arg(low)
            .arg(high)
            .arg(text);
    *value = read;
    return QString();
}

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

QString ReadSizeValues(const OptionTable& o, Options* options) {
    const QCommandLineParser& parser = o.parser;
    const bool bitmap =
        options->output.format == Format::Bmp || options->output.format == Format::Png;
    const bool retail = options->output.layout == symbol::Layout::Retail;
    const symbol::SymbologyRow& row = symbol::RowOf(options->output.symbology);
    struct Bounded {
        const QCommandLineOption& option;
        int low, high;
        int* value;
        QString misplaced;  // why the option does not go with the rest, or empty
    };
    const QList<Bounded> values = {
        {o.scale, kMinScale, kMaxScale, &options->output.scale,
         !bitmap  ? Msg::tr("--scale is for bmp and png; svg and pdf are sized with "
                             "--magnification")
         : retail ? Msg::tr("--scale is for the window layout; a retail bitmap is "
                            "sized with --dpi and --magnification")
                  : QString()},
        {o.magnification, row.minMagnification, row.maxMagnification,
         &options->output.magnification,
         bitmap && !retail ? Msg::tr("--magnification is for svg, pdf and --layout "
                                     "retail; the window's bmp and png are sized with "
                                     "--scale")
                           : QString()},
        {o.dpi, kMinDpi, kMaxDpi, &options->output.dpi,
         retail ? QString() : Msg::tr("--dpi goes with --layout retail")},
        {o.bwr, 0, kMaxBwrMicrons, &options->output.bwrMicrons,
         retail ? QString() : Msg::tr("--bwr goes with --layout retail")},
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
        return Msg::tr("--quiet-zone-marker goes with --layout retail");
    options->output.quietZoneMarker = parser.isSet(o.marker);
    return QString();
}

// The options that size the symbol. Each is read only where it means
// something: --scale for the window's bitmaps, --dpi and --bwr for the
// retail layout, and --magnification wherever millimetres count.
QString ReadSizes(const OptionTable& o, Options* options, QString* note) {
    const QCommandLineParser& parser = o.parser;
    if (parser.isSet(o.layout) && !ReadLayout(parser.value(o.layout), &options->output.layout))
        return Msg::tr("--layout takes window or retail, not '%1'").arg(parser.value(o.layout));
    const QString error = ReadSizeValues(o, options);
    if (!error.isEmpty() || options->output.layout != symbol::Layout::Retail)
        return error;
    const bool bitmap =
        options->output.format == Format::Bmp || options->output.format == Format::Png;
    options->output.vectorDots = !bitmap && parser.isSet(o.dpi);
    // A tag's symbol is sized to its label by the label plan, on the
    // picture's dots, which says itself what does not fit.
    if (options->Tags())
        return QString();
    return bitmap || options->output.vectorDots ? FitToDots(&options->output, note)
                                                : CheckBwr(options->output);
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
        return Msg::tr("a digit is part of the codes");
    if (separator == u'+')
        return Msg::tr("\"+\" joins a code to its add-on (4910123450124+12345)");
    if (separator == u'.')
        return Msg::tr("\".\" stands in the numbers a spreadsheet writes (4.90123E+12)");
    if (separator == u'"')
        return Msg::tr("\" quotes a field that holds the separator");
    return QString();
}

// --name-column and --code-column: a number from 1, or a header text.
bool ReadColumn(const QString& text) {
    bool number = false;
    const int column = text.toInt(&number);
    return number ? column >= 1 : !text.trimmed().isEmpty();
}

// The options that say how to read the list; an error message, or empty.
QString ReadListFormat(const OptionTable& o, ListFormat* format) {
    const QCommandLineParser& parser = o.parser;
    if (parser.isSet(o.encoding)) {
        ListEncoding read = ListEncoding::Utf8;
        if (!EncodingByName(parser.value(o.encoding), &read))
            return Msg::tr(
                       "--encoding takes UTF-8, UTF-16LE, UTF-16BE or Shift_JIS, not "
                       "'%1'")
                .arg(parser.value(o.encoding));
        format->encoding = read;
    }
    if (parser.isSet(o.separator) && !ReadSeparator(parser.value(o.separator), &format->separator))
        return Msg::tr(
                   "--separator takes one character, or tab, comma or semicolon, not "
                   "'%1'")
            .arg(parser.value(o.separator));
    if (const QString problem = SeparatorProblem(format->separator); !problem.isEmpty())
        return Msg::tr(
                   "--separator cannot be '%1': %2; give another character, such as tab, "
                   "comma or semicolon")
            .arg(format->separator, problem);
    for (const QCommandLineOption* column : {&o.nameColumn, &o.codeColumn}) {
        if (parser.isSet(*column) && !ReadColumn(parser.value(*column)))
            return Msg::tr("--%1 takes a field's number from 1 or its header text, not '%2'")
                .arg(column->names().constFirst(), parser.value(*column));
    }
    format->nameColumn = parser.value(o.nameColumn).trimmed();
    format->codeColumn = parser.value(o.codeColumn).trimmed();
    return QString();
}

QString ReadBatch(const OptionTable& o, Options* options) {
    const QCommandLineParser& parser = o.parser;
    options->mode = Options::Mode::Batch;
    options->batchList = parser.value(o.batch);
    options->outDir = parser.value(o.outDir);
    if (!parser.positionalArguments().isEmpty())
        return Msg::tr("--batch takes the digits from its list, not from '%1'")
            .arg(parser.positionalArguments().constFirst());
    if (parser.isSet(o.output) || parser.isSet(o.name))
        return Msg::tr(
            "--batch takes the names from its list and writes into --out-dir; -o and --name "
            "do not go with it");
    if (options->outDir.isEmpty())
        return Msg::tr("--batch needs --out-dir DIR, the folder to write into");
    return ReadListFormat(o, &options->list);
}

QString ReadSingle(const OptionTable& o, Options* options, QString* note) {
    const QCommandLineParser& parser = o.parser;
    options->mode = Options::Mode::Single;
    if (parser.isSet(o.outDir))
        return Msg::tr("--out-dir goes with --batch; a single symbol is written to -o FILE");
    for (const QCommandLineOption* listOption :
         {&o.encoding, &o.separator, &o.nameColumn, &o.codeColumn})
        if (parser.isSet(*listOption))
            return Msg::tr("--%1 says how to read a --batch list")
                .arg(listOption->names().constFirst());
    const QStringList positional = parser.positionalArguments();
    if (options->pricing.instore && !positional.isEmpty())
        return Msg::tr(
                   "--instore makes the code from --item; no DIGITS are given, not "
                   "'%1'")
            .arg(EchoTyped(positional.join(u' ')));
    if (!options->pricing.instore && positional.size() != 1)
        return positional.isEmpty() ? Msg::tr("the digits are missing")
                                    : Msg::tr("one DIGITS argument expected, %1 given: %2")
                                          .arg(positional.size())
                                          .arg(EchoTyped(positional.join(u' ')));
    options->digits = positional.value(0);
    options->name = parser.value(o.name);
    if (parser.isSet(o.name) && options->noName)
        return Msg::tr("--no-name leaves the name line out; it does not go with --name");
    if (const QString cut = CutName(&options->name); !cut.isEmpty())
        *note = QStringLiteral("--name: %1").arg(cut);
    options->file = parser.value(o.output);
    if (options->file.isEmpty() && !options->print)
        return Msg::tr("-o FILE is missing: where should the symbol go?");
    return QString();
}

// The --symbol names of the symbologies whose row has what is asked (all of
// them when nothing is), as a sentence lists them: "jan13, jan8 or book".
// all: whether the sentence names all of them ("and") or one of them ("or").
QString SymbolNames(bool all, bool symbol::SymbologyRow::*has = nullptr) {
    QStringList names;
    for (const symbol::SymbologyRow& row : symbol::Symbologies())
        if (!has || row.*has)
            names << QString(row.option);
    const QString lastName = names.takeLast();
    if (names.isEmpty())
        return lastName;
    return (all ? Msg::tr("%1 and %2") : Msg::tr("%1 or %2")).arg(names.join(u", "), lastName);
}

QString MarkerRefusal() {
    return Msg::tr("--quiet-zone-marker is for %1")
        .arg(SymbolNames(true, &symbol::SymbologyRow::quietZoneMarker));
}

// What a symbology has of its own on the command line: options, read when it
// is drawn and refused with any other, and the reasons said when --layout
// window or --print asks for what its row says it has not.
struct OwnOptions {
    QLatin1StringView symbol;  // its row's --symbol name
    QList<QCommandLineOption OptionTable::*> options;
    QString (*read)(const OptionTable&, Options*);
    QString noWindow;
    QString notPrinted;
};

// ITF-14: the retail layout only, since its wide bars are 2.25 to 3 modules
// and the window's picture has one pixel a module. Label sheets and a
// printer's labels take it where they hold its 70 to 143 mm.
QString ReadItf(const OptionTable& o, Options* options) {
    const QCommandLineParser& parser = o.parser;
    if (parser.isSet(o.marker))
        return MarkerRefusal();
    if (parser.isSet(o.ratio)) {
        bool ok = false;
        const double ratio = parser.value(o.ratio).toDouble(&ok);
        // nan compares false with both ends: it is refused as not finite.
        if (!ok || !std::isfinite(ratio) || ratio < symbol::kItfMinRatio ||
            ratio > symbol::kItfMaxRatio)
            return Msg::tr("--ratio takes a number from 2.25 to 3, not '%1'")
                .arg(parser.value(o.ratio));
        options->output.itf.ratio = ratio;
    }
    const QString bearer = parser.value(o.bearer).toLower();
    if (parser.isSet(o.bearer) && bearer != u"frame" && bearer != u"bars")
        return Msg::tr("--bearer takes frame or bars, not '%1'").arg(parser.value(o.bearer));
    options->output.itf.frame = bearer != u"bars";
    if (parser.isSet(o.indicator)) {
        const QString text = parser.value(o.indicator);
        if (text.size() != 1 || !text[0].isDigit() || text[0].unicode() > u'9')
            return Msg::tr("--indicator takes one digit 0-9, not '%1'").arg(text);
        options->indicator = text.toInt();
    }
    return QString();
}

// The book pair: retail only, as its guide sizes it; no add-on, marker or
// printing (a cover is printed from its artwork). One pair takes
// --classification and --price; a list gives each line's in its columns.
QString ReadBook(const OptionTable& o, Options* options) {
    const QCommandLineParser& parser = o.parser;
    for (const QCommandLineOption* option : {&o.addon, &o.marker})
        if (parser.isSet(*option))
            return Msg::tr("--%1 does not go with --symbol book").arg(option->names().constFirst());
    if (options->mode == Options::Mode::Batch) {
        for (const QCommandLineOption* option : {&o.classification, &o.price})
            if (parser.isSet(*option))
                return Msg::tr(
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

// The symbologies with options of their own, in the order in which those
// options are looked at.
QList<OwnOptions> SymbolsOwnOptions() {
    return {
        {QLatin1StringView("book"),
         {&OptionTable::classification, &OptionTable::price},
         ReadBook,
         Msg::tr("the book JAN is two symbols under the 日本図書コード, drawn to its "
                 "guide's sizes with --layout retail"),
         Msg::tr("write a pdf or svg and place it on the cover, or a label sheet "
                 "with --sheet")},
        {QLatin1StringView("itf14"),
         {&OptionTable::indicator, &OptionTable::ratio, &OptionTable::bearer},
         ReadItf,
         Msg::tr("the window draws one pixel a module, and ITF-14's wide bars are "
                 "2.25 to 3 modules; it is drawn with --layout retail"),
         QString()},
    };
}

// A symbology's own options given for another symbol; a tag's --price is
// its price without tax, whatever the symbol.
QString RefuseOwnOptions(const OptionTable& o, const OwnOptions& own, const Options& options) {
    for (QCommandLineOption OptionTable::*option : own.options)
        if (o.parser.isSet(o.*option) && !(options.Tags() && option == &OptionTable::price))
            return Msg::tr("--%1 goes with --symbol %2")
                .arg((o.*option).names().constFirst(), QString(own.symbol));
    return QString();
}

// The options of the symbology drawn. One drawn in the retail layout only,
// or not sent to printers, is refused first when --layout window or --print
// asks otherwise, with its own words for each.
QString ReadOwnOptions(const OptionTable& o, const OwnOptions& own, const symbol::SymbologyRow& row,
                       Options* options) {
    if (!row.windowLayout) {
        if (options->print && !row.printed)
            return Msg::tr("--symbol %1 is not printed: %2")
                .arg(QString(row.option), own.notPrinted);
        if (o.parser.isSet(o.layout) && o.parser.value(o.layout).toLower() == u"window")
            return Msg::tr("--symbol %1 has no window layout: %2")
                .arg(QString(row.option), own.noWindow);
        options->output.layout = symbol::Layout::Retail;
    }
    return own.read(o, options);
}

// --symbol and --addon: what is drawn.
QString ReadSymbol(const OptionTable& o, Options* options) {
    const QCommandLineParser& parser = o.parser;
    const QString name = parser.value(o.symbology).toLower();
    if (!name.isEmpty()) {
        const symbol::SymbologyRow* named = symbol::FindSymbology(name);
        if (!named)
            return Msg::tr("--symbol takes %1, not '%2'").arg(SymbolNames(false), name);
        options->output.symbology = named->symbology;
    }
    const symbol::SymbologyRow& row = symbol::RowOf(options->output.symbology);
    for (const OwnOptions& own : SymbolsOwnOptions())
        if (const QString error = own.symbol == row.option ? ReadOwnOptions(o, own, row, options)
                                                           : RefuseOwnOptions(o, own, *options);
            !error.isEmpty())
            return error;
    options->addon = parser.value(o.addon);
    if (parser.isSet(o.addon) && options->mode == Options::Mode::Batch)
        return Msg::tr(
            "--batch takes add-ons from its list's code field, as in "
            "\"4910123450124 12345\"");
    if (!row.quietZoneMarker && parser.isSet(o.marker))
        return MarkerRefusal();
    return QString();
}

// A label sheet: one code or a list, into one pdf of retail symbols at -o.
QString ReadLabelSheet(const OptionTable& o, Options* options, QString* note) {
    const QCommandLineParser& parser = o.parser;
    if (parser.isSet(o.sheet) && parser.isSet(o.sheetFile))
        return Msg::tr("give --sheet or --sheet-file, not both");
    for (const QCommandLineOption* other :
         {&o.outDir, &o.format, &o.layout, &o.scale, &o.dpi, &o.marker})
        if (parser.isSet(*other))
            return options->print ? Msg::tr(
                                        "--%1 does not go with --print, which prints "
                                        "retail symbols at the printer's resolution")
                                        .arg(other->names().constLast())
                                  : Msg::tr(
                                        "--%1 does not go with a label sheet, a pdf "
                                        "of retail symbols at -o")
                                        .arg(other->names().constLast());
    for (const QCommandLineOption* other : {&o.output, &o.bwr, &o.force})
        if (options->print && parser.isSet(*other))
            return Msg::tr("--%1 does not go with --print").arg(other->names().constLast());
    options->sheet = parser.value(o.sheet);
    options->sheetFile = parser.value(o.sheetFile);
    if (options->sheetFile == u"-" && parser.value(o.batch) == u"-")
        return Msg::tr("standard input can be the list or the sheet file, not both");
    options->output.format = Format::Pdf;
    options->output.layout = symbol::Layout::Retail;
    options->outline = parser.isSet(o.outline);
    // The magnification's range is the symbol's, read later with its name.
    const symbol::SymbologyRow* named = symbol::FindSymbology(parser.value(o.symbology));
    const symbol::SymbologyRow& ranged = named ? *named : symbol::RowOf(options->output.symbology);
    QString error;
    if (parser.isSet(o.batch)) {
        options->mode = Options::Mode::Batch;
        options->batchList = parser.value(o.batch);
        if (!parser.positionalArguments().isEmpty() || parser.isSet(o.name))
            return Msg::tr("--batch takes the names and digits from its list");
        error = ReadListFormat(o, &options->list);
    } else {
        error = ReadSingle(o, options, note);
    }
    options->file = parser.value(o.output);
    if (error.isEmpty() && options->file.isEmpty() && !options->print)
        error = Msg::tr("-o FILE.pdf is missing: where should the labels go?");
    if (error.isEmpty() && !options->print && options->file != u"-" &&
        !options->file.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        error = Msg::tr("a label sheet is a pdf: end -o in .pdf, not '%1'").arg(options->file);
    const struct {
        const QCommandLineOption& option;
        int low, high;
        int* value;
    } values[] = {{o.copies, 1, kMaxCopies, &options->copies},
                  {o.skip, 0, 999, &options->skip},
                  {o.magnification, ranged.minMagnification, ranged.maxMagnification,
                   &options->output.magnification},
                  {o.bwr, 0, kMaxBwrMicrons, &options->output.bwrMicrons}};
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
QString EmptyValue(const OptionTable& o) {
    for (const QCommandLineOption* named :
         {&o.output, &o.symbology, &o.format, &o.layout, &o.batch, &o.outDir, &o.encoding,
          &o.separator, &o.codeColumn, &o.nameColumn, &o.sheet, &o.sheetFile, &o.addon, &o.media})
        if (o.parser.isSet(*named) && o.parser.value(*named).isEmpty())
            return Msg::tr("--%1 needs a %2, not an empty value")
                .arg(named->names().constLast(), named->valueName());
    return QString();
}

// --format, or else the ending of -o.
QString ReadFileFormat(const OptionTable& o, Options* options) {
    const QCommandLineParser& parser = o.parser;
    if (parser.isSet(o.format)) {
        if (!ReadFormat(parser.value(o.format), &options->output.format))
            return Msg::tr("--format takes bmp, png, svg or pdf, not '%1'")
                .arg(parser.value(o.format));
    } else if (options->mode == Options::Mode::Single && options->file != u"-" &&
               !ReadFormat(QFileInfo(options->file).suffix(), &options->output.format)) {
        return Msg::tr(
                   "cannot tell the format from the name '%1': end it in .bmp, .png, .svg or "
                   ".pdf, or give --format")
            .arg(options->file);
    }
    return QString();
}

// A tag in a file of its own is drawn for print: the retail symbol, sized
// by --magnification and --dpi, never the window's picture.
QString ReadTagLayout(const OptionTable& o, Options* options) {
    const QCommandLineParser& parser = o.parser;
    if (parser.isSet(o.layout) && parser.value(o.layout).toLower() != u"retail")
        return Msg::tr("a tag is drawn for print: --layout %1 does not go with --design %2")
            .arg(parser.value(o.layout), pipeline::DesignOf(options->tag.design).option);
    if (parser.isSet(o.scale))
        return Msg::tr(
            "a tag's bitmap is sized with --dpi; --scale is for the window's "
            "picture");
    options->output.layout = symbol::Layout::Retail;
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

pipeline::TypedCode Options::Code() const {
    if (pricing.instore)
        return pipeline::InstoreCodeOf(QString(), item, tagPrice.value_or(pipeline::TagPrice{}),
                                       pricing, false);
    // --indicator is read with --symbol itf14 alone.
    if (indicator >= 0 && addon.isEmpty())
        return pipeline::ReadCaseCode(digits, indicator);
    return pipeline::ReadGivenCode(digits, output.symbology, addon, classification, price);
}

ParsedCommandLine ParseCommandLine(const QStringList& arguments) {
    OptionTable o;
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
    options.output.force = parser.isSet(o.force);
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
            result.error = Msg::tr("--printer takes list; --print NAME prints on a printer");
        return result;
    }
    options.print = parser.isSet(o.print);
    options.printer = parser.value(o.print);
    options.media = parser.value(o.media);
    if (parser.isSet(o.media) && !options.print) {
        result.error = Msg::tr("--media goes with --print");
        return result;
    }
    if (const QString tags = ReadTags(o, &options); !tags.isEmpty()) {
        result.error = tags;
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
            result.error = Msg::tr("--%1 goes with --sheet, --sheet-file or --print")
                               .arg(sheetOption->names().constLast());
            return result;
        }
    result.error =
        parser.isSet(o.batch) ? ReadBatch(o, &options) : ReadSingle(o, &options, &result.note);
    if (result.error.isEmpty())
        result.error = ReadSymbol(o, &options);
    if (result.error.isEmpty())
        result.error = ReadFileFormat(o, &options);
    if (result.error.isEmpty() && options.Tags())
        result.error = ReadTagLayout(o, &options);
    if (result.error.isEmpty())
        result.error = ReadSizes(o, &options, &result.note);
    return result;
}

}  // namespace render
