#pragma once

// The other members of the EAN/UPC family: the short JAN (EAN-8), UPC-A,
// the zero-suppressed UPC-E and the 2- and 5-digit add-on symbols, as module patterns in the same
// terms as BuildPattern ("0" space, "1" bar, "2" a bar that is drawn long).

#include <QString>

#include "symbology.h"

namespace symbol {

// Data digits of a code without its check digit, and modules of a symbol
// without quiet zones: the row's.
int DataDigitCount(Symbology symbology);
int ModuleCount(Symbology symbology);

// The pattern of a whole code (data digits and check digit, digits only, of
// the symbol's length), by the symbology's row; an empty text for one without
// a pattern. Guard bars are "2"; in UPC-A the bars of the first and last
// symbol characters are "2" as well, since they stand as long as the guards.
// UPC-E's eight digits carry their number system and check digit in the
// parities of the six it draws. The JAN's is BuildPattern's.
QString FamilyPattern(Symbology symbology, const QString& code);
QString Jan8Pattern(const QString& code);
QString UpcAPattern(const QString& code);
QString UpcEPattern(const QString& code);

// The descriptions of the JAN, the short JAN, UPC-A and UPC-E, as their rows
// hold them: DescribeFamily with each one's digit groups, and the short JAN's
// shorter bars and "<".
Description DescribeJan13(Layout layout, const SymbolCode& symbol, const QString& name,
                          bool quietZoneMarker);
Description DescribeJan8(Layout layout, const SymbolCode& symbol, const QString& name,
                         bool quietZoneMarker);
Description DescribeUpcA(Layout layout, const SymbolCode& symbol, const QString& name,
                         bool quietZoneMarker);
Description DescribeUpcE(Layout layout, const SymbolCode& symbol, const QString& name,
                         bool quietZoneMarker);

// UPC-E is a UPC-A with number system 0 or 1 whose zeros are left out by
// one of four rules, chosen by the last of its six digits. UpcAOfUpcE gives
// the 11 data digits of the UPC-A that 7 or 8 UPC-E digits stand for (the
// check digit, if any, ignored); SuppressedUpcA the 7 UPC-E digits (number
// system and six) of 11 UPC-A data digits, or an empty text when they do not
// suppress. Each UPC-A that suppresses has one UPC-E: the first rule that
// fits, as GS1 orders them.
QString UpcAOfUpcE(const QString& upce);
QString SuppressedUpcA(const QString& upca);

// The pattern of a 2- or 5-digit add-on: start 1011, each digit's seven
// modules, "01" between digits. An empty text for any other length.
QString AddonPattern(const QString& digits);

}  // namespace symbol
