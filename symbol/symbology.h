#pragma once

// The symbologies Stripewell draws, and what the rest of the program needs
// to know of each: one row apiece. Code that asks "which symbology is this"
// asks the row instead, so that a new symbology is its encoder, its row and
// its tests.

#include <QLatin1StringView>
#include <QString>
#include <span>

namespace symbol {

// ITF-14 is no member of the EAN/UPC family, but is drawn and read beside
// it. Book is the book JAN, a pair of JAN symbols (see book.h).
enum class Symbology { Jan13, Jan8, UpcA, UpcE, Itf14, Book };

struct SymbologyRow {
    Symbology symbology;
    // --symbol's name, and the other name it is known by (empty if none).
    QLatin1StringView option;
    QLatin1StringView alias;
    // As a report or a message names it.
    QLatin1StringView title;
    // Data digits without the check digit: 12, 7, 11, 7 for UPC-E (its
    // number system and six digits), 13 for ITF-14; the book JAN's are each
    // of its symbols'.
    int dataDigits;
    // Modules without quiet zones (ITF-14's wide bars are not whole modules:
    // see ItfWidth).
    int modules;
    // X at 100 percent magnification, in millimetres, and the
    // magnifications it may have, in percent.
    double nominalModuleMm;
    int minMagnification;
    int maxMagnification;
    // Retail quiet zones left and right, in X (an add-on's right one is its own).
    int quietLeft;
    int quietRight;
    bool addon;            // takes a 2- or 5-digit add-on
    bool quietZoneMarker;  // may show the quiet zone's ">" (and the short JAN's "<")
    bool windowLayout;     // drawn in the window's one-pixel-a-module layout too
    bool printed;          // sent to a printer's labels by --print
    bool gradable;         // read and graded from a scan by --verify
};

// Every row, in the enum's order.
std::span<const SymbologyRow> Symbologies();
const SymbologyRow& RowOf(Symbology symbology);
// The row whose option or alias is name (any case), or nullptr.
const SymbologyRow* FindSymbology(QStringView name);
// A code of the symbology that any of its codes is as large as, for sizing.
QString SampleCode(const SymbologyRow& row);

}  // namespace symbol
