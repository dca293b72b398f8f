#pragma once

// The symbologies Stripewell draws, and what the rest of the program needs
// to know of each: one row apiece. Code that asks "which symbology is this"
// asks the row instead, so that a new symbology is its encoder, its row and
// its tests.

#include <QLatin1StringView>
#include <QString>
#include <optional>
#include <span>

namespace symbol {

// ITF-14 is no member of the EAN/UPC family, but is drawn and read beside
// it. Book is the book JAN, a pair of JAN symbols (see book.h).
enum class Symbology { Jan13, Jan8, UpcA, UpcE, Itf14, Book };

// The JAN (EAN-13): the symbol the window draws, and the one a program
// draws when none is named.
inline constexpr Symbology kDefaultSymbology = Symbology::Jan13;

// The EAN/UPC family's nominal module width X at 100 percent magnification,
// and the magnifications a printed symbol may have, in percent (GS1 General
// Specifications, symbol dimensions: 0.264 to 0.660 mm).
inline constexpr double kNominalModuleMm = 0.33;
inline constexpr int kMinMagnification = 80;
inline constexpr int kMaxMagnification = 200;

// Of layout.h, which the rows point into.
enum class Layout;
struct Description;
struct SymbolCode;

// The description of a symbol of the row's symbology in a layout, under a
// name, with the quiet zone's marker or without (see Describe in layout.h).
using DescribeFunction = Description (*)(Layout layout, const SymbolCode& symbol,
                                         const QString& name, bool quietZoneMarker);
// The module pattern of a whole code ("0" space, "1" bar, "2" a bar drawn
// long), as FamilyPattern gives it.
using PatternFunction = QString (*)(const QString& code);

struct SymbologyRow {
    Symbology symbology;
    // --symbol's name, and the other name it is known by (empty if none).
    QLatin1StringView option;
    QLatin1StringView alias = {};
    // As a report or a message names it.
    QLatin1StringView title;
    // As a sentence of a message names it ("a short JAN (--symbol jan8)
    // takes no add-on"), in English: Spoken gives it translated.
    const char* spoken;
    // Data digits without the check digit: 12, 7, 11, 7 for UPC-E (its
    // number system and six digits), 13 for ITF-14; the book JAN's are each
    // of its symbols'.
    int dataDigits;
    // Modules without quiet zones (ITF-14's wide bars are not whole modules:
    // see ItfWidth).
    int modules;
    // X at 100 percent magnification, in millimetres, and the
    // magnifications it may have, in percent: the family's unless given.
    double nominalModuleMm = kNominalModuleMm;
    int minMagnification = kMinMagnification;
    int maxMagnification = kMaxMagnification;
    // Retail quiet zones left and right, in X (an add-on's right one is its own).
    int quietLeft;
    int quietRight;
    bool addon = false;            // takes a 2- or 5-digit add-on
    bool quietZoneMarker = false;  // may show the quiet zone's ">" (and the short JAN's "<")
    bool windowLayout = false;     // drawn in the window's one-pixel-a-module layout too
    bool printed = false;          // sent to a printer's labels by --print
    bool gradable = false;         // read and graded from a scan by --verify
    // Its code is a GTIN-14, which --indicator makes from a JAN's as the
    // case code of its items.
    bool caseCode = false;
    // Its wide bars and spaces are a ratio of its narrow ones, which may be
    // chosen (ITF-14's 2.25 to 3), rather than whole modules.
    bool wideToNarrow = false;
    // Its code is read from a book's ISBN, classification and price, and
    // is the text of its 日本図書コード (see book.h).
    bool bookFields = false;
    // The symbology whose codes it writes with zeros left out, and which it
    // reads as well: UPC-E's UPC-A (see UpcAOfUpcE).
    std::optional<Symbology> expandsTo = {};
    // Its module pattern; none for ITF-14 (two widths: see ItfBarRuns) and
    // the book pair (two symbols: see DescribeBook).
    PatternFunction pattern = nullptr;
    // Its description, which Describe gives.
    DescribeFunction describe = nullptr;
};

// Every row, in the enum's order.
std::span<const SymbologyRow> Symbologies();
const SymbologyRow& RowOf(Symbology symbology);
// The row whose option or alias is name (any case), or nullptr.
const SymbologyRow* FindSymbology(QStringView name);
// The first row with a property, as RowWith(&SymbologyRow::caseCode), or
// nullptr.
const SymbologyRow* RowWith(bool SymbologyRow::*property);
// The row's spoken name in the language the programs speak.
QString Spoken(const SymbologyRow& row);
// A code of the symbology that any of its codes is as large as, for sizing.
QString SampleCode(const SymbologyRow& row);

}  // namespace symbol
