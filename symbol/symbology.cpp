#include "symbology.h"

#include <array>

#include "book.h"
#include "itf.h"

namespace symbol {

namespace {

using namespace Qt::StringLiterals;

// Sizes from the GS1 General Specifications' symbol dimensions tables: the
// family's X of 0.33 mm from 80 to 200 percent, ITF-14's 1.016 mm, its
// largest, down to 49 percent (0.498 mm; GS1's smallest is 0.495 mm).
constexpr double kFamilyX = 0.33;

// clang-format off
constexpr std::array kRows = {
    //           symbology             option     alias    title           data modules X               min  max  quiet   addon  marker window printed graded
    SymbologyRow{Symbology::Jan13, "jan13"_L1, "ean13"_L1, "EAN-13"_L1,     12, 95, kFamilyX,        80, 200, 11, 7,  true,  true,  true,  true,  true},
    SymbologyRow{Symbology::Jan8,  "jan8"_L1,  "ean8"_L1,  "EAN-8"_L1,       7, 67, kFamilyX,        80, 200,  7, 7,  false, true,  true,  true,  true},
    SymbologyRow{Symbology::UpcA,  "upca"_L1,  {},         "UPC-A"_L1,      11, 95, kFamilyX,        80, 200,  9, 9,  true,  false, true,  true,  true},
    SymbologyRow{Symbology::UpcE,  "upce"_L1,  {},         "UPC-E"_L1,       7, 51, kFamilyX,        80, 200,  9, 7,  true,  false, true,  true,  false},
    SymbologyRow{Symbology::Itf14, "itf14"_L1, {},         "ITF-14"_L1,     13, 0,  kItfMaxModuleMm, 49, 100, kItfQuietZone, kItfQuietZone, false, false, false, true, false},
    SymbologyRow{Symbology::Book,  "book"_L1,  {},         "book JAN"_L1,   12, 95, kFamilyX,        80, 200, 11, 7,  false, false, false, false, false},
};
// clang-format on

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

QString SampleCode(const SymbologyRow& row) {
    return row.symbology == Symbology::Book ? BookSampleText() : QString(row.dataDigits + 1, u'0');
}

}  // namespace symbol
