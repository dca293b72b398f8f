#include "symbology.h"

#include <array>

#include "book.h"
#include "family.h"
#include "itf.h"
#include "layout.h"
#include "messages.h"
#include "pattern.h"

namespace symbol {

namespace {

using namespace Qt::StringLiterals;

// The book pair draws two JAN symbols under the text of its 日本図書コード.
Description DescribeBookPair(Layout, const SymbolCode& symbol, const QString& name, bool) {
    return DescribeBook(symbol.code, name);
}

// Sizes from the GS1 General Specifications' symbol dimensions tables: the
// family's X of 0.33 mm from 80 to 200 percent (the rows' default), its
// quiet zones 11 and 7 X (EAN-13), 7 and 7 (EAN-8), 9 and 9 (UPC-A), 9 and 7
// (UPC-E); ITF-14's X of 1.016 mm, its largest, down to 49 percent
// (0.498 mm; GS1's smallest is 0.495 mm), its quiet zones 10 X.
constexpr std::array kRows = {
    SymbologyRow{.symbology = Symbology::Jan13,
                 .option = "jan13"_L1,
                 .alias = "ean13"_L1,
                 .title = "EAN-13"_L1,
                 .spoken = QT_TRANSLATE_NOOP("symbol", "a JAN"),
                 .dataDigits = 12,
                 .modules = 95,
                 .quietLeft = 11,
                 .quietRight = 7,
                 .addon = true,
                 .quietZoneMarker = true,
                 .windowLayout = true,
                 .printed = true,
                 .gradable = true,
                 .pattern = BuildPattern,
                 .describe = DescribeJan13},
    SymbologyRow{.symbology = Symbology::Jan8,
                 .option = "jan8"_L1,
                 .alias = "ean8"_L1,
                 .title = "EAN-8"_L1,
                 .spoken = QT_TRANSLATE_NOOP("symbol", "a short JAN (--symbol jan8)"),
                 .dataDigits = 7,
                 .modules = 67,
                 .quietLeft = 7,
                 .quietRight = 7,
                 .quietZoneMarker = true,
                 .windowLayout = true,
                 .printed = true,
                 .gradable = true,
                 .pattern = Jan8Pattern,
                 .describe = DescribeJan8},
    SymbologyRow{.symbology = Symbology::UpcA,
                 .option = "upca"_L1,
                 .title = "UPC-A"_L1,
                 .spoken = QT_TRANSLATE_NOOP("symbol", "UPC-A"),
                 .dataDigits = 11,
                 .modules = 95,
                 .quietLeft = 9,
                 .quietRight = 9,
                 .addon = true,
                 .windowLayout = true,
                 .printed = true,
                 .gradable = true,
                 .pattern = UpcAPattern,
                 .describe = DescribeUpcA},
    SymbologyRow{.symbology = Symbology::UpcE,
                 .option = "upce"_L1,
                 .title = "UPC-E"_L1,
                 .spoken = QT_TRANSLATE_NOOP("symbol", "UPC-E"),
                 .dataDigits = 7,
                 .modules = 51,
                 .quietLeft = 9,
                 .quietRight = 7,
                 .addon = true,
                 .windowLayout = true,
                 .printed = true,
                 .expandsTo = Symbology::UpcA,
                 .pattern = UpcEPattern,
                 .describe = DescribeUpcE},
    SymbologyRow{.symbology = Symbology::Itf14,
                 .option = "itf14"_L1,
                 .title = "ITF-14"_L1,
                 .spoken = QT_TRANSLATE_NOOP("symbol", "ITF-14"),
                 .dataDigits = 13,
                 .modules = 0,
                 .nominalModuleMm = kItfMaxModuleMm,
                 .minMagnification = 49,
                 .maxMagnification = 100,
                 .quietLeft = kItfQuietZone,
                 .quietRight = kItfQuietZone,
                 .printed = true,
                 .caseCode = true,
                 .wideToNarrow = true,
                 .describe = DescribeItf14},
    SymbologyRow{.symbology = Symbology::Book,
                 .option = "book"_L1,
                 .title = "book JAN"_L1,
                 .spoken = QT_TRANSLATE_NOOP("symbol", "the book JAN (--symbol book)"),
                 .dataDigits = 12,
                 .modules = 95,
                 .quietLeft = 11,
                 .quietRight = 7,
                 .bookFields = true,
                 .describe = DescribeBookPair},
};

// RowOf finds a row by its place.
static_assert([] {
    for (size_t i = 0; i < kRows.size(); ++i)
        if (size_t(kRows[i].symbology) != i)
            return false;
    return true;
}());

}  // namespace

std::span<const SymbologyRow> Symbologies() {
    return kRows;
}

const SymbologyRow& RowOf(Symbology symbology) {
    return kRows[size_t(symbology)];
}

const SymbologyRow* FindSymbology(QStringView name) {
    for (const SymbologyRow& row : kRows)
        if (name.compare(row.option, Qt::CaseInsensitive) == 0 ||
            (!row.alias.isEmpty() && name.compare(row.alias, Qt::CaseInsensitive) == 0))
            return &row;
    return nullptr;
}

const SymbologyRow* RowWith(bool SymbologyRow::*property) {
    for (const SymbologyRow& row : kRows)
        if (row.*property)
            return &row;
    return nullptr;
}

QString Spoken(const SymbologyRow& row) {
    return Msg::tr(row.spoken);
}

QString SampleCode(const SymbologyRow& row) {
    return row.bookFields ? BookSampleText() : QString(row.dataDigits + 1, u'0');
}

}  // namespace symbol
