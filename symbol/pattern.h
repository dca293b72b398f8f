#pragma once

// The module pattern of a JAN/EAN-13 symbol and the tables it is built from.

#include <QString>

namespace symbol {

// Modules of a symbol: 3 start guard + 6 digits x 7 + 5 centre guard
// + 6 digits x 7 + 3 end guard.
inline constexpr int kModuleCount = 3 + 6 * 7 + 5 + 6 * 7 + 3;

// The numbered symbol table: ids 0 to 9 are the parity rows chosen by the
// leading digit ("1" = set 1, "2" = set 2), id 10 the row of the right half
// ("333333"), and id s * 100 + d + 1 the seven modules of digit d in set s
// ("1" bar, "0" space). Any other id gives an empty text.
QString SymbolTable(int id);

// The pattern of a 13-character code: one character per module, "0" for a
// space, "1" for a bar and "2" for a guard bar. Position 1 of the code only
// selects the parity of the left half. A character that is not a digit is
// encoded as 0; a code shorter than 13 is read as if padded with zeros.
QString BuildPattern(const QString& code);

}  // namespace symbol
