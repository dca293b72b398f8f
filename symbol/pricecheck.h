#pragma once

// The price check digit of a price (or a weight) inside an in-store code,
// GS1 General Specifications 7.9.2-7.9.4: the till reads it beside the
// code's own check digit, so that a misread price digit is caught even when
// the code's check digit happens to hold.

#include <QStringView>

namespace symbol {

// The check digit of a price field of 4 or 5 digits "0" to "9", or -1 for
// any other text. Each digit is weighted by its place (2-, 2-, 3, 5- for 4
// digits; 5+, 2-, 5-, 5+, 2- for 5), the weighted digits added; a 4-digit
// field's check digit is the units of three times the sum, a 5-digit
// field's the digit whose 5- weighting gives what the sum lacks of a
// multiple of ten.
int PriceCheckDigit(QStringView price);

}  // namespace symbol
