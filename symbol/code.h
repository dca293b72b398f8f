#pragma once

// The 13-character code of a symbol, composed from the texts of the
// data-digit box and the check-digit box, and its check digit.

#include <QString>

namespace symbol {

// The value of one character of a code: 0 to 9 for "0" to "9", and 0 for
// every other character (a minus sign, a letter, a full-width digit).
int DigitValue(QChar c);

// The whole number that a box holds, written in plain decimal.
//
// How a box's text is read:
// - blanks, tabs and line feeds are dropped first, wherever they stand;
// - then a leading number is read: an optional sign, digits, an optional
//   decimal point and digits, an optional exponent (E or D in either case, an
//   optional sign, digits); or &H / &O (either case) followed by hexadecimal
//   or octal digits, read as a non-negative integer of any length (no sign,
//   no 16-bit wrap; a prefix without digits reads as 0);
// - reading stops at the first character that does not fit; a text with no
//   leading number reads as 0, and so does a value outside a double's range;
// - the value is rounded towards minus infinity and written as the exact
//   integer value of the double, with a leading "-" when negative, never in
//   exponent form ("1E20" gives "100000000000000000000", "-0.5" gives "-1",
//   "-0" gives "0").
QString NumericText(const QString& text);

// The code from the texts of the data-digit and check-digit boxes: twelve
// zeros, the data number and the check number joined, of which the last 13
// characters are kept. Always exactly 13 characters long.
QString ComposeCode(const QString& dataText, const QString& checkText);

// The JAN/EAN-13 check digit (0 to 9) of positions 1 to 12 of a code:
// weights 1 and 3 alternate from position 1; a missing position counts as 0.
int CheckDigit(const QString& code);

}  // namespace symbol
