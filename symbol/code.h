#pragma once

// The 13-character code of a symbol, composed from the texts of the
// data-digit box and the check-digit box, and its check digit.

#include <QList>
#include <QString>
#include <QStringView>

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

// The check digit (0 to 9) of a string of data digits, as for every symbol
// of the EAN/UPC family: weights 3 and 1 alternate from the rightmost data
// digit. A character that is not a digit counts as 0.
int CheckDigitOf(QStringView dataDigits);

// The JAN/EAN-13 check digit of positions 1 to 12 of a code: weights 1 and 3
// alternate from position 1; a missing position counts as 0.
int CheckDigit(const QString& code);

// Whether the last character of a whole code is the check digit of the
// characters before it.
bool HasValidCheckDigit(QStringView code);

// A swap of two neighbouring digits: the code it makes and the position,
// from 1, of the first of the two.
struct DigitSwap {
    QString code;
    int first;
};

// Every swap of two neighbouring, different digits of a whole code that
// makes it valid: the slip a check digit cannot tell from a wrong check
// digit, so a message about a wrong check digit names them.
QList<DigitSwap> ValidDigitSwaps(const QString& code);

}  // namespace symbol
