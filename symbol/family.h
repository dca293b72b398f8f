#pragma once

// The other members of the EAN/UPC family: the short JAN (EAN-8), UPC-A and
// the 2- and 5-digit add-on symbols, as module patterns in the same terms as
// BuildPattern ("0" space, "1" bar, "2" a bar that is drawn long).

#include <QString>

namespace symbol {

enum class Symbology { Jan13, Jan8, UpcA };

// Data digits of a code without its check digit: 12, 7 or 11.
int DataDigitCount(Symbology symbology);

// Modules of a symbol without quiet zones: 95, 67 or 95.
int ModuleCount(Symbology symbology);

// The pattern of a whole code (data digits and check digit, digits only, of
// the symbol's length). Guard bars are "2"; in UPC-A the bars of the first
// and last symbol characters are "2" as well, since they stand as long as the
// guards.
QString FamilyPattern(Symbology symbology, const QString& code);

// The pattern of a 2- or 5-digit add-on: start 1011, each digit's seven
// modules, "01" between digits. An empty text for any other length.
QString AddonPattern(const QString& digits);

}  // namespace symbol
