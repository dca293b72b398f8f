#include "optiontable.h"

#include <QCoreApplication>
#include <algorithm>

#include "messages.h"
#include "pipeline/language.h"

namespace render {

namespace {

// The help's lines end by this column, as the parser's English does.
constexpr int kHelpWidth = 79;

const char* const kDescription =
    QT_TRANSLATE_NOOP("render",
                      "Draws a JAN (EAN-13) bar code symbol into a file: by default the picture\n"
                      "that the Stripewell window draws and saves, or with --layout retail the\n"
                      "symbol for print. --symbol draws a short JAN (EAN-8), UPC-A, UPC-E or\n"
                      "ITF-14 instead.");
const char* const kDigits =
    QT_TRANSLATE_NOOP("render",
                      "12 digits (jan8 and upce: 7, upca: 11), to which the check digit is added, "
                      "or one more, whose last digit is checked.");
const char* const kSyntax = "[--name TEXT] DIGITS -o FILE | --batch LIST --out-dir DIR";

}  // namespace

OptionTable::OptionTable()
    : output{{"o", "output"},
             QT_TRANSLATE_NOOP("render",
                               "The file to write; its ending (.bmp, .png, .svg, .pdf) chooses "
                               "the format unless --format is given. \"-\" is standard output "
                               "(bmp unless --format is given), and so is a link to it, such as "
                               "/dev/stdout."),
             "FILE"},
      name{"name",
           QT_TRANSLATE_NOOP("render",
                             "The name: at the top left in the window layout, above the symbol "
                             "in the retail layout (default: none). At most 1000 characters, as "
                             "in the window: a longer name is cut, and a line says so."),
           "TEXT"},
      noName{"no-name",
             QT_TRANSLATE_NOOP("render",
                               "No name line: a list's names still name its files, but no "
                               "symbol, label or printed label shows one, and the labels "
                               "are fitted without it.")},
      symbology{"symbol",
                QT_TRANSLATE_NOOP("render",
                                  "jan13 (default; also ean13), jan8 (also ean8): the short "
                                  "JAN, upca, or upce: UPC-E, from its own 7 or 8 digits or "
                                  "from a UPC-A's 11 or 12 that zero-suppress, itf14: "
                                  "ITF-14, the case code, retail layout only, or book: the "
                                  "book JAN, two symbols under the 日本図書コード, of the ISBN "
                                  "given as DIGITS, --classification and --price."),
                "NAME"},
      addon{"addon",
            QT_TRANSLATE_NOOP("render",
                              "jan13, upca and upce: a 2- or 5-digit add-on after the symbol. In a "
                              "batch list, the code field gives it: \"4910123450124 12345\" or "
                              "\"4910123450124+12345\"."),
            "DIGITS"},
      indicator{"indicator",
                QT_TRANSLATE_NOOP("render",
                                  "itf14: the GTIN-14 of a case of the items of the 12- or "
                                  "13-digit JAN given, or of each in a list: indicator digit N "
                                  "(0-9), the JAN's first twelve digits and a new check digit. "
                                  "Without it 13 digits that are a whole JAN are refused."),
                "N"},
      ratio{"ratio",
            QT_TRANSLATE_NOOP("render",
                              "itf14: wide bars and spaces RATIO narrow ones, 2.25 to 3 "
                              "(default 2.5; in bmp and png the nearest whole dots)."),
            "RATIO"},
      bearer{"bearer",
             QT_TRANSLATE_NOOP("render",
                               "itf14: frame (default): bearer bars 4.83 mm wide around the "
                               "symbol, for printing straight on corrugated board; bars: 2 "
                               "modules above and below it, for a label."),
             "KIND"},
      classification{
          "classification",
          QT_TRANSLATE_NOOP("render",
                            "book: the classification code, C and four digits "
                            "(C0095). A list gives it in a column Cコード or 分類コード."),
          "CODE"},
      price{"price",
            QT_TRANSLATE_NOOP("render",
                              "book: the price before tax in yen, 0 to 99999; a higher price "
                              "is coded 00000. A list gives it in a column 本体価格 or 価格."),
            "YEN"},
      format{"format", QT_TRANSLATE_NOOP("render", "bmp, png, svg or pdf (batch default: bmp)."),
             "FORMAT"},
      layout{"layout",
             QT_TRANSLATE_NOOP("render",
                               "window (default): the window's picture, byte for byte its saved "
                               "BMP at --scale 1. retail: the symbol for print, at its nominal "
                               "sizes with OCR-B digits."),
             "NAME"},
      scale{"scale",
            QT_TRANSLATE_NOOP("render",
                              "Window layout, bmp and png: N pixels per module, 1 to 20 (default "
                              "1), written as 96 x N dpi."),
            "N"},
      magnification{"magnification",
                    QT_TRANSLATE_NOOP("render",
                                      "svg, pdf and the retail layout: the module is 0.33 mm "
                                      "times PERCENT, 80 to 200 (default 100); itf14: 1.016 mm "
                                      "times PERCENT, 49 to 100."),
                    "PERCENT"},
      dpi{"dpi",
          QT_TRANSLATE_NOOP("render",
                            "Retail: the printer's resolution, 72 to 4800 (bmp and png: default "
                            "300; svg and pdf: drawn on that printer's dots, the page a whole "
                            "number of them). A module is the nearest whole number of dots; a "
                            "line on standard error says when that moves the magnification."),
          "N"},
      bwr{"bwr",
          QT_TRANSLATE_NOOP("render",
                            "Retail: bar width reduction, every bar narrowed by MICRONS "
                            "micrometres about its middle (whole dots in bmp and png)."),
          "MICRONS"},
      marker{"quiet-zone-marker",
             QT_TRANSLATE_NOOP("render", "Retail: the \">\" in the right quiet zone.")},
      force{"force",
            QT_TRANSLATE_NOOP("render",
                              "Replace a file or a link that already exists (the link itself); "
                              "without it an existing file is left alone and counts as a "
                              "failure. Never replaced: a folder, a device, a fifo, a socket, a "
                              "read-only file, the batch list, standard input, output, error.")},
      batch{
          "batch",
          QT_TRANSLATE_NOOP("render", "One symbol per line of LIST (\"-\" reads standard input)."),
          "LIST"},
      outDir{"out-dir",
             QT_TRANSLATE_NOOP("render", "The folder the batch writes into (made if missing)."),
             "DIR"},
      encoding{"encoding",
               QT_TRANSLATE_NOOP("render",
                                 "The list's encoding: UTF-8, UTF-16LE, UTF-16BE or Shift_JIS "
                                 "(default: found from the list)."),
               "NAME"},
      separator{"separator",
                QT_TRANSLATE_NOOP("render",
                                  "The list's separator: a character, tab, comma or semicolon "
                                  "(default: a tab if the first line has one, else a comma). Not "
                                  "a digit, +, . or \", which stand inside codes and numbers."),
                "CHAR"},
      codeColumn{"code-column",
                 QT_TRANSLATE_NOOP("render",
                                   "The list's field of the codes: its number from 1, or its "
                                   "header text (default: found by the header)."),
                 "COLUMN"},
      sheet{"sheet",
            QT_TRANSLATE_NOOP("render",
                              "Labels on an A4 label sheet, into one pdf at -o: the sheet NAME "
                              "(\"--sheet list\" shows them). Each label holds a retail symbol "
                              "at --magnification, or the largest that fits, at least 80."),
            "NAME"},
      sheetFile{
          "sheet-file",
          QT_TRANSLATE_NOOP(
              "render",
              "Labels on a sheet of one's own, described in FILE (see below): a file of at most 64 "
              "KiB, or \"-\" for standard input."),
          "FILE"},
      copies{"copies",
             QT_TRANSLATE_NOOP("render", "Label sheets: N labels of each code (default 1)."), "N"},
      skip{"skip",
           QT_TRANSLATE_NOOP("render",
                             "Label sheets: leave the first N labels of the first page empty, "
                             "for a sheet that was partly used."),
           "N"},
      outline{"outline", QT_TRANSLATE_NOOP(
                             "render", "Label sheets: draw each label's edge, for a test print.")},
      nameColumn{"name-column",
                 QT_TRANSLATE_NOOP("render", "The list's field of the names, the same way."),
                 "COLUMN"},
      print{"print",
            QT_TRANSLATE_NOOP("render",
                              "Print instead of writing a file: on PRINTER, or on the default "
                              "printer when none is named. Each symbol on a page of the "
                              "printer's media (a label of a roll), or on --sheet, at the "
                              "printer's resolution: modules on whole dots."),
            "PRINTER"},
      printer{"printer",
              QT_TRANSLATE_NOOP("render",
                                "\"--printer list\" shows the printers with their "
                                "resolutions and media."),
              "list"},
      media{"media",
            QT_TRANSLATE_NOOP("render",
                              "--print: the label, one of the printer's media by name or as "
                              "\"W x H mm\" (default: the printer's)."),
            "NAME"},
      design{
          "design",
          QT_TRANSLATE_NOOP(
              "render",
              "symbol (default): the symbol under its name, as without it. price: a price tag "
              "(値札), the name, the price with tax large, the price without it small, and the "
              "symbol. shelf: a shelf label (棚札), wider, the price largest, the symbol small."),
          "NAME"},
      priceWithTax{
          "price-with-tax",
          QT_TRANSLATE_NOOP(
              "render",
              "A tag's price with tax (税込) in yen; --price gives the one without "
              "(本体価格) instead. A list gives them in columns 売価, 税込価格 or 価格, and "
              "税抜価格 or 本体価格."),
          "YEN"},
      taxRate{"tax-rate",
              QT_TRANSLATE_NOOP(
                  "render",
                  "A tag's tax rate in percent: 10 (default) or 8, the reduced rate of food and "
                  "drink. A list's column 税率 gives each line's (10, 8, 標準, 軽減)."),
              "PERCENT"},
      rounding{
          "rounding",
          QT_TRANSLATE_NOOP(
              "render", "How a tag's tax is rounded to whole yen: floor (default), round or ceil."),
          "HOW"},
      exclusiveLabel{
          "exclusive-label",
          QT_TRANSLATE_NOOP(
              "render",
              "How a tag words its price without tax: zeinuki (default), \"税抜 ¥1,000\", "
              "or hontai, \"本体価格 ¥1,000\"."),
          "HOW"},
      noSymbol{"no-symbol",
               QT_TRANSLATE_NOOP("render", "--design shelf: the shelf label without its symbol.")},
      instore{"instore",
              QT_TRANSLATE_NOOP(
                  "render",
                  "A tag's code made as an in-store code (インストアマーキング), with --item "
                  "instead of DIGITS: plu, or price4, price5, price4-check or price5-check, whose "
                  "code holds the price with tax (see below)."),
              "FORMAT"},
      instorePrefix{
          "instore-prefix",
          QT_TRANSLATE_NOOP("render",
                            "--instore: the code's first two digits, 20 to 29, or 02 for the codes "
                            "with the price inside (default: 20 for plu, 02 for the others)."),
          "NN"},
      item{
          "item",
          QT_TRANSLATE_NOOP(
              "render",
              "--instore: the shop's item number. A list gives it in a column 品番 or 商品コード."),
          "N"},
      labelSize{
          "label-size",
          QT_TRANSLATE_NOOP("render",
                            "A tag written to a file of its own (-o, --batch): its size in mm, as "
                            "\"40x30\" (default: the design's own)."),
          "WxH"},
      help{{"h", "help"}, QT_TRANSLATE_NOOP("render", "This text.")},
      version{"version", QT_TRANSLATE_NOOP("render", "The version.")} {
    parser.setApplicationDescription(QString::fromUtf8(kDescription));
    parser.addPositionalArgument(QStringLiteral("DIGITS"), QString::fromUtf8(kDigits),
                                 QString::fromUtf8(kSyntax));
    for (const QCommandLineOption* option : Listed())
        parser.addOption(*option);
}

QList<const QCommandLineOption*> OptionTable::Listed() const {
    return {&output,    &name,           &symbology,      &addon,    &indicator,     &ratio,
            &bearer,    &format,         &layout,         &scale,    &magnification, &dpi,
            &bwr,       &marker,         &force,          &batch,    &outDir,        &encoding,
            &separator, &codeColumn,     &nameColumn,     &sheet,    &sheetFile,     &copies,
            &skip,      &outline,        &help,           &version,  &print,         &printer,
            &media,     &classification, &price,          &noName,   &design,        &priceWithTax,
            &taxRate,   &rounding,       &exclusiveLabel, &noSymbol, &instore,       &instorePrefix,
            &item,      &labelSize};
}

namespace {

// The options' names as the help shows them: "-o, --output <FILE>".
QString NamesOf(const QCommandLineOption& option) {
    QStringList names;
    for (const QString& name : option.names())
        names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    QString shown = names.join(QStringLiteral(", "));
    if (!option.valueName().isEmpty())
        shown += QStringLiteral(" <%1>").arg(option.valueName());
    return shown;
}

// Where a line may be broken before text[i]: after a space, or between two
// characters of which one is wide (Japanese is written without spaces), but
// never before a closing mark nor after an opening one.
bool BreaksBefore(QStringView text, qsizetype i) {
    if (i <= 0 || i >= text.size())
        return false;
    const QChar before = text[i - 1];
    const QChar after = text[i];
    if (after.isSpace())
        return false;
    if (before.isSpace())
        return true;
    static const QString closing = QStringLiteral("、。」』）)］],.:;!?ー");
    static const QString opening = QStringLiteral("「『（(［[");
    if (closing.contains(after) || opening.contains(before))
        return false;
    // A katakana word, a small kana or a long vowel mark stays with what it
    // follows, and a Latin word with the katakana it is written with (JANコード).
    const auto katakana = [](QChar c) { return c.unicode() >= 0x30a0 && c.unicode() <= 0x30ff; };
    const auto latin = [](QChar c) { return c.unicode() < 0x80 && c.isLetterOrNumber(); };
    static const QString small = QStringLiteral("ぁぃぅぇぉっゃゅょァィゥェォッャュョ");
    if ((katakana(before) && katakana(after)) || small.contains(after) ||
        (latin(before) && katakana(after)) || (katakana(before) && latin(after)))
        return false;
    return DisplayWidth(QString(before)) == 2 || DisplayWidth(QString(after)) == 2;
}

// Text broken into lines of at most width terminal columns.
QStringList Wrap(QStringView text, int width) {
    QStringList lines;
    for (QStringView paragraph : text.split(u'\n')) {
        while (DisplayWidth(paragraph) > width) {
            qsizetype cut = -1;
            int used = 0;
            for (qsizetype i = 0; i < paragraph.size(); ++i) {
                if (BreaksBefore(paragraph, i))
                    cut = i;
                used += DisplayWidth(paragraph.mid(i, 1));
                if (used > width)
                    break;
            }
            if (cut <= 0)  // one word longer than the line: broken where it ends
                break;
            lines << paragraph.first(cut).trimmed().toString();
            paragraph = paragraph.sliced(cut);
        }
        lines << paragraph.trimmed().toString();
    }
    return lines;
}

// An option's row: its names, then its description from one column on, in
// lines of at most kHelpWidth columns.
QString Row(const QString& names, int column, const QString& description) {
    QString text;
    const QStringList lines = Wrap(description, kHelpWidth - column);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString lead = i == 0 ? QStringLiteral("  ") + names : QString();
        const int pad = std::max(1, column - DisplayWidth(lead));
        if (i == 0 && DisplayWidth(lead) + 1 > column)
            text += lead + u'\n' + QString(column, u' ');
        else
            text += lead + QString(pad, u' ');
        text += lines[i] + u'\n';
    }
    return text;
}

// The column where the options' descriptions start, as the parser finds it:
// after the longest names and a space, at most 50 columns of names.
int NameColumn(const OptionTable& table) {
    int longest = 0;
    for (const QCommandLineOption* option : table.Listed())
        longest = std::max(longest, DisplayWidth(NamesOf(*option)));
    return 2 + std::min(50, longest + 1) + 1;
}

QString Translated(const QString& english) {
    return Msg::tr(english.toUtf8().constData());
}

// The sections after the options, each one whole message.
const char* const kSections[] = {
    QT_TRANSLATE_NOOP(
        "render",
        "A wrong check digit is refused with the right one and with every swap of two\n"
        "neighbouring digits that would make the code valid.\n"),
    QT_TRANSLATE_NOOP(
        "render",
        "Batch list:\n"
        "  One symbol per line: NAME, a tab or a comma, then DIGITS, e.g.\n"
        "      Green tea 500ml,4901234567894\n"
        "  CSV as spreadsheets write it: quoted fields may hold separators, quotes (\"\")\n"
        "  and line breaks. With two fields the last is the digits and all before it\n"
        "  the name, so a name may hold commas. A first line that names the columns\n"
        "  (JAN, JANコード, コード, code, EAN; 名称, 商品名, 品名, name, product) or whose\n"
        "  digit field holds text but no digit (like \"name,jan\") is a header; other\n"
        "  columns are ignored. UTF-8, UTF-16 with a byte order mark and Shift_JIS are\n"
        "  found by themselves. LF, CRLF and CR end lines; blank lines are skipped.\n"
        "  A code a spreadsheet turned into a number (4.90123E+12, leading zeros\n"
        "  lost) is refused and the reason told. A name longer than 1000 characters\n"
        "  is cut to them, and its line says so.\n"
        "  Each file is named after its name, made safe for file systems (/ \\ : * ?\n"
        "  \" < > | and control characters become _, no leading dot, no Windows\n"
        "  device name, at most 200 bytes), or after the code when the name is empty; a name seen "
        "before gets\n"
        "  -2, -3, ... A bad line, or one whose file exists without --force, is\n"
        "  reported on standard error with its line number and skipped; the other\n"
        "  lines are still written. A full or read-only disk, or a folder that may\n"
        "  not be written, stops the batch at once. On a terminal a progress line is\n"
        "  shown.\n"),
    QT_TRANSLATE_NOOP(
        "render",
        "Exit status:\n"
        "  0  every symbol was written\n"
        "  1  usage: the command line cannot be followed; with --print also no such\n"
        "     printer, no print service, no such media: nothing is printed\n"
        "  2  the digits were refused (not digits, wrong count, wrong check digit)\n"
        "  3  nothing written: the file exists without --force, it or the folder cannot\n"
        "     be written, or the batch list cannot be read or holds nothing to write;\n"
        "     or a batch stopped at a full or read-only disk or a folder it may not\n"
        "     write, or its files could not be made safe on disk at its end\n"
        "  4  batch: some lines failed; all the others were written\n"),
    QT_TRANSLATE_NOOP(
        "render",
        "Label sheets:\n"
        "  Built in (--sheet list shows them): a4-12, a4-18, a4-21, a4-24, a4-40,\n"
        "  a4-44 and a4-65. A sheet file holds one \"key = value\" line for each of\n"
        "  columns, rows, label-width, label-height, left, top, pitch-x and pitch-y,\n"
        "  in millimetres (left and top: the page's corner to the first label's;\n"
        "  pitch: one label's edge to the next one's); # starts a comment. Counts go\n"
        "  up to 999 and lengths up to 1000 mm; a sheet file is a regular file of at\n"
        "  most 64 KiB, or standard input. Labels too small for a symbol at 80\n"
        "  percent, or for --bwr at the module they get, are refused, and nothing is\n"
        "  written.\n"),
    QT_TRANSLATE_NOOP(
        "render",
        "Price tags:\n"
        "  --design price makes price tags (値札) and --design shelf shelf labels (棚札):\n"
        "  the name, the price with tax (総額表示) large as ¥1,100 税込, the price\n"
        "  without tax beside it, and the symbol. Prices are whole yen; the one not\n"
        "  given is computed at --tax-rate, the tax rounded as --rounding says (the\n"
        "  seller's choice). A list's columns 売価, 税込価格 or 価格 (with tax), 税抜価格\n"
        "  or 本体価格 (without) and 税率 give each line's; full-width digits, yen signs\n"
        "  and commas are read, anything else makes a bad line with its reason. A list\n"
        "  with a Cコード column is a book list, as before.\n"
        "  In-store codes (--instore, 13 digits, the last the check digit):\n"
        "    plu           20-29, 10 digits of the item number\n"
        "    price4        02 or 20-29, 6 item digits, a 4-digit price\n"
        "    price5        02 or 20-29, 5 item digits, a 5-digit price\n"
        "    price4-check  02 or 20-29, 5 item digits, the price check digit, 4 digits\n"
        "    price5-check  02 or 20-29, 4 item digits, the price check digit, 5 digits\n"
        "  The price inside is the tag's price with tax; a list's code whose price\n"
        "  differs from its tag's is refused.\n")};

// The examples: commands, the same in every language.
const char* const kExamples =
    "  stripewell-render --name \"Green tea\" 490123456789 -o tea.bmp\n"
    "  stripewell-render 4901234567894 --scale 4 -o tea.png\n"
    "  stripewell-render 4901234567894 --magnification 120 -o tea.svg\n"
    "  stripewell-render --batch items.csv --out-dir symbols --format png\n"
    "  stripewell-render --layout retail --name \"Green tea\" 4901234567894 -o tea.pdf\n"
    "  stripewell-render --layout retail --dpi 203 4901234567894 -o tea.png\n"
    "  stripewell-render --layout retail --symbol jan8 4912345 -o gum.pdf\n"
    "  stripewell-render --layout retail 4910123450124 --addon 12345 -o magazine.pdf\n"
    "  stripewell-render --layout retail --symbol upce 01234565 -o snack.pdf\n"
    "  stripewell-render --symbol itf14 4901234567894 --indicator 1 -o case.pdf\n"
    "  stripewell-render --symbol book 4-00-310104-9 --classification C0193 --price 500 -o "
    "book.pdf\n"
    "  stripewell-render --batch items.csv --sheet a4-24 -o labels.pdf\n"
    "  stripewell-render 4901234567894 --sheet a4-24 --copies 24 -o tea-sheet.pdf\n"
    "  stripewell-render --printer list\n"
    "  stripewell-render 4901234567894 --name \"Green tea\" --print shop --media \"50x30 mm\"\n"
    "  stripewell-render --batch items.csv --print shop\n"
    "  stripewell-render --design price --name \"緑茶\" --price 1000 4901234567894 -o tag.pdf\n"
    "  stripewell-render --design price --instore price4-check --item 12345 \\\n"
    "      --price-with-tax 298 --name \"コロッケ\" -o tag.png\n"
    "  stripewell-render --design shelf --batch items.csv --sheet a4-24 -o shelf.pdf\n";

// --help in the language the program speaks: the options' column is where
// the parser puts it, measured in terminal columns, so that descriptions in
// Japanese, whose characters take two columns each, line up as English does.
QString TranslatedHelp(const OptionTable& table) {
    const QList<const QCommandLineOption*> options = table.Listed();
    const int column = NameColumn(table);
    QString text = Msg::tr("Usage: %1 [options] %2")
                       .arg(QCoreApplication::arguments().value(0), QString::fromUtf8(kSyntax)) +
                   u'\n' + Msg::tr(kDescription) + u'\n' + u'\n' + Msg::tr("Options:") + u'\n';
    for (const QCommandLineOption* option : options)
        text += Row(NamesOf(*option), column, Translated(option->description()));
    text += u'\n' + Msg::tr("Arguments:") + u'\n' +
            Row(QStringLiteral("DIGITS"), column, Msg::tr(kDigits));
    return text;
}

}  // namespace

int DisplayWidth(QStringView text) {
    int width = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool wide = (u >= 0x1100 && u <= 0x115f) || (u >= 0x2e80 && u <= 0xa4cf) ||
                          (u >= 0xac00 && u <= 0xd7a3) || (u >= 0xf900 && u <= 0xfaff) ||
                          (u >= 0xfe30 && u <= 0xfe4f) || (u >= 0xff00 && u <= 0xff60) ||
                          (u >= 0xffe0 && u <= 0xffe6);
        width += c.isLowSurrogate() ? 0 : wide ? 2 : 1;
    }
    return width;
}

QString HelpText() {
    const OptionTable table;
    const bool english = !pipeline::SpeaksJapanese();
    // English as the parser lays it out; another language laid out here.
    QString text = english ? table.parser.helpText() : TranslatedHelp(table);
    text += u'\n' +
            Row(QStringLiteral("--verify <SCAN>"), NameColumn(table),
                Msg::tr("Grade a scanned symbol (--verify --help: more).")) +
            u'\n';
    QStringList sections;
    for (const char* section : kSections)
        sections << Msg::tr(section);
    return text + sections.join(u'\n') + u'\n' + Msg::tr("Examples:") + u'\n' +
           QString::fromUtf8(kExamples);
}

}  // namespace render
