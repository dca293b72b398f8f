#pragma once

// The code field of a list line, with what a spreadsheet does to codes kept
// as numbers told apart from other mistakes.

#include <QString>

#include "typedcode.h"

namespace pipeline {

// As ReadTypedCode, but a code in exponent form (4.90123E+12) is refused as
// one whose last digits a spreadsheet lost, and for a JAN 11 digits as a code
// that lost its leading zeros. With wholeCodes (a list with a header, as
// spreadsheets export, whose codes carry their check digit), 12 digits that
// a leading 0 makes a valid code are refused as such a code too, not read as
// 12 digits without their check digit. Nothing is padded into a symbol.
TypedCode ReadListCode(const QString& field, bool wholeCodes,
                       symbol::Symbology symbology = symbol::kDefaultSymbology);

// Where the refusals above send a person to read how to keep a code column as
// text: "\"Lists from a spreadsheet\" in the README" unless a program that
// has help of its own (the print dialog) names it here, once, at its start.
void SetSpreadsheetHelp(const QString& where);

}  // namespace pipeline
