#pragma once

// The command line of stripewell-render, read into what it asks for.

#include <QSizeF>
#include <QString>
#include <QStringList>

#include <optional>

#include "pipeline/batchlist.h"
#include "pipeline/labelsource.h"
#include "pipeline/price.h"
#include "pipeline/symbolfile.h"
#include "pipeline/tagdesign.h"
#include "pipeline/typedcode.h"
#include "symbol/layout.h"

namespace render {

using pipeline::Format;
using pipeline::FormatName;

inline constexpr int kMinScale = 1;
inline constexpr int kMaxScale = 20;
inline constexpr int kMinMagnification = symbol::kMinMagnification;
inline constexpr int kMaxMagnification = symbol::kMaxMagnification;
inline constexpr int kMinDpi = 72;
inline constexpr int kMaxDpi = 4800;
inline constexpr int kMaxBwrMicrons = 1000;
inline constexpr int kMaxCopies = 10000;

struct Options {
    enum class Mode { Help, Version, Single, Batch, SheetList, PrinterList };
    Mode mode = Mode::Single;

    QString name;         // --name, single mode
    bool noName = false;  // --no-name: no symbol shows a name line
    QString digits;       // the DIGITS argument, single mode
    QString file;         // -o, single mode and label sheets

    QString batchList;          // --batch ("-" for standard input)
    QString outDir;             // --out-dir
    pipeline::ListFormat list;  // --encoding, --separator, --name-column, --code-column

    // What the symbol files are made as: --symbol, --format, --layout, the
    // sizes, --quiet-zone-marker and --force; --ratio and --bearer in its
    // itf, with the module X that --magnification and --dpi give.
    pipeline::SymbolOutput output;
    QString addon;  // --addon, single mode
    // ITF-14: --indicator, for the JAN given or each of a list's, or -1.
    int indicator = -1;
    // The book pair, single mode: --classification and --price; the ISBN
    // is the DIGITS argument.
    QString classification;
    QString price;

    // Label sheets: one pdf of A4 pages at -o, single or batch.
    QString sheet;      // --sheet, a built-in sheet
    QString sheetFile;  // --sheet-file, a sheet of one's own
    int copies = 1;     // labels of each code
    int skip = 0;       // places of the first page left empty
    bool outline = false;
    bool OnSheet() const { return !sheet.isEmpty() || !sheetFile.isEmpty(); }
    // Whether each symbol has a name line: a list's, or --name's, unless --no-name.
    bool Names() const { return !noName && (mode == Mode::Batch || !name.isEmpty()); }

    // Printing instead of a file: --print [PRINTER] (empty: the default).
    bool print = false;
    QString printer;
    QString media;  // --media: one of the printer's, by name or "W x H mm"

    // Price tags and shelf labels: --design, and what goes with a tag design.
    pipeline::TagStyle tag;  // --design, --exclusive-label, --no-symbol
    // --tax-rate, --rounding, --instore and --instore-prefix: how each
    // tag's price is read, and its in-store code made.
    pipeline::TagPricing pricing;
    QString item;                                // --item, single mode
    std::optional<pipeline::TagPrice> tagPrice;  // single mode: --price or --price-with-tax
    QSizeF labelMm;                              // --label-size; empty: the design's own
    bool Tags() const { return pricing.tags; }

    // The code of single mode as typed, or the reason it is refused: ITF-14
    // with --indicator takes a JAN's digits.
    pipeline::TypedCode Code() const;
};

struct ParsedCommandLine {
    Options options;
    QString error;  // empty when the command line can be followed
    QString note;   // a line for standard error: what was done instead of what was asked
};

// Reads the arguments that follow the program's name.
ParsedCommandLine ParseCommandLine(const QStringList& arguments);

}  // namespace render
