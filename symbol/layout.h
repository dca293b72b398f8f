#pragma once

// The symbol's geometry, in modules from the top-left corner of its box:
// every bar with its height, the digit groups and the name with their places
// and faces, the quiet zones and the box, for each layout. Painters only
// scale and draw it; nothing else knows where a part of the symbol stands.

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <span>

#include "family.h"

namespace symbol {

enum class Layout {
    // The main window's picture: 135 x 87 modules of one pixel, the name at
    // the top left, bars 45 modules tall.
    Window,
    // The symbol for print: nominal bar height and quiet zones, OCR-B digits
    // below the bars, the name (if any) above the symbol's box.
    Retail,
};

// The window's picture, in pixels of one module each, at 96 dots per inch
// (3780 dots per metre), with its text in a 13-pixel font.
inline constexpr int kWindowWidth = 135;
inline constexpr int kWindowHeight = 87;
inline constexpr int kWindowDpi = 96;
inline constexpr int kWindowDotsPerMetre = 3780;
inline constexpr int kCanvasEm = 13;
// Top-left corner of the name.
inline constexpr int kNameX = 5;
inline constexpr int kNameY = 5;
// Module i (1 to 95) stands at x = i + kModuleOffset, so the symbol covers x = 21 to 115.
inline constexpr int kModuleOffset = 20;
inline constexpr int kWindowSymbolLeft = kModuleOffset + 1;
// Every bar starts at kBarTop; a normal bar ends at kBarBottom, a guard bar
// 5 pixels further down at kGuardBottom (end points are not coloured).
inline constexpr int kBarTop = 20;
inline constexpr int kBarBottom = 65;
inline constexpr int kGuardBottom = 70;
// The human-readable digits: their top, and where each group starts.
inline constexpr int kDigitLine = 64;
inline constexpr int kFirstDigitX = 12;  // position 1, left of the start guard
inline constexpr int kLeftGroupX = 25;   // positions 2 to 7
inline constexpr int kRightGroupX = 71;  // positions 8 to 13

// The module X in millimetres at a magnification in percent.
constexpr double ModuleMm(double magnification) {
    return kNominalModuleMm * magnification / 100;
}
// Retail: quiet zones of 11 X and 7 X, bars 22.85 mm tall at 100 percent
// and guards 5 X longer, the symbol's box 25.93 mm tall with its digits.
inline constexpr int kRetailQuietLeft = 11;
inline constexpr int kRetailQuietRight = 7;
inline constexpr double kRetailBarHeight = 22.85 / kNominalModuleMm;
inline constexpr double kRetailBoxHeight = 25.93 / kNominalModuleMm;
inline constexpr int kGuardExtension = 5;
// The short JAN's bars: 18.23 mm at 100 percent.
inline constexpr double kRetailJan8BarHeight = 18.23 / kNominalModuleMm;
// An add-on stands 9 X after its main symbol (7 to 12 are allowed) and
// leaves a quiet zone of 5 X after itself.
inline constexpr int kAddonGap = 9;
inline constexpr int kAddonQuietRight = 5;

// A name printed above a retail symbol, in modules: its em (3.3 mm at 100
// percent), its baseline from the top of its band, and the band, which
// keeps 2 modules clear between the name's descent and the bars.
inline constexpr double kNameEmModules = 10;
inline constexpr double kNameBaselineModules = 9;
inline constexpr double kNameBandModules = 13;
// The same in ems, for a name whose em is not 10 modules.
inline constexpr double kNameBaselineEm = kNameBaselineModules / kNameEmModules;
inline constexpr double kNameBandEm = kNameBandModules / kNameEmModules;
// A label's name keeps those proportions when the room above its symbol
// makes its em smaller, down to this.
inline constexpr double kLabelNameMinEmMm = 1.6;
inline constexpr double kLabelNameMinBandMm = kLabelNameMinEmMm * kNameBandEm;

// The name line above a symbol on a label, in millimetres: its em, 10
// modules or what roomMm (the height above the symbol) leaves, the band
// it takes, and its baseline from the band's top.
struct NameLine {
    double em = 0;
    double band = 0;
    double baseline = 0;
};
NameLine LabelNameLine(double moduleMm, double roomMm);

// The typeface of a text.
enum class Face {
    Canvas,  // the window's Gothic face
    Digits,  // OCR-B, for the human-readable digits of a printed symbol
    Name,    // a Gothic face with Japanese, for a printed name
};

// A text and its place. size is the font's em in modules.
struct TextPlace {
    QString text;
    Face face = Face::Canvas;
    double size = 0;
    // With centred, the middle of the text's baseline; otherwise the top-left
    // corner of its line, as the window's canvas prints it.
    QPointF at;
    bool centred = false;
    // A wider text is scaled down to this width (0: no limit).
    double maxWidth = 0;
};

// A bar: neighbouring modules of one kind make one bar. A width need not be
// whole: the wide bars of a two-width symbology are 2 to 3 narrow ones.
struct BarRun {
    double x;  // left edge
    double width;
    double top;
    double bottom;
};

struct Description {
    Layout layout = Layout::Window;
    QSizeF box;             // the whole picture, white where nothing is drawn
    double symbolLeft = 0;  // left edge of the first module
    double barTop = 0;
    double barBottom = 0;    // normal bars
    double guardBottom = 0;  // guard bars
    double quietLeft = 0;    // white modules left of the first module
    double quietRight = 0;   // and right of the last (the add-on's, if any)
    double addonLeft = 0;    // the add-on's first module (0: no add-on)
    double addonTop = 0;     // and the top of its bars
    QList<BarRun> bars;      // left to right
    // Bearer bars: black rectangles framing the bars (above and below them,
    // or on all four sides), which a bar width reduction leaves as they are.
    // The EAN/UPC family has none.
    QList<QRectF> bearers;
    // The digit groups (and the right quiet zone's marker), then the name
    // unless it is empty.
    QList<TextPlace> texts;
};

// The bars of a module pattern ("1" bar, "2" guard bar, anything else a
// space), left to right, the first module's left edge at left.
QList<BarRun> BarRuns(const QString& pattern, double left, double top, double bottom,
                      double guardBottom);

// ITF-14's own sizes, which its layout needs in millimetres: the narrow
// element X, the wide-to-narrow ratio, and whether the bearer bars frame the
// symbol (for printing straight on corrugated board) or stand above and
// below it (on a label).
struct ItfGeometry {
    double moduleMm = 1.016;
    double ratio = 2.5;
    bool frame = true;
};

// What a symbol encodes: the whole code of its symbology (check digit
// included) and the 2 or 5 digits of an add-on, or none.
struct SymbolCode {
    Symbology symbology = kDefaultSymbology;
    QString code;
    QString addon;
    ItfGeometry itf = {};  // ITF-14 only
};

// The module X at 100 percent magnification of a symbology, and the
// magnifications it may have: its row's.
double NominalModuleMm(Symbology symbology);
int MinMagnification(Symbology symbology);
int MaxMagnification(Symbology symbology);

// The description of a symbol under a name, by its symbology's row. ITF-14
// and the book pair have only the retail layout: ITF-14's wide bars are not
// whole modules. quietZoneMarker adds the ">" of the right quiet zone to the
// retail layout (and the short JAN's "<" on the left). An add-on stands
// after the main symbol, its digits above its bars, which end with the main
// symbol's normal bars.
Description Describe(Layout layout, const SymbolCode& symbol, const QString& name,
                     bool quietZoneMarker = false);

// A group of human-readable digits of an EAN/UPC symbol: count positions of
// the code from from, the window's text at windowX and the printed digits
// centred from centre on, one per symbol character, both in modules from the
// first module; small for the smaller digits outside UPC's guards.
struct DigitGroup {
    int from;
    int count;
    int windowX;
    double centre;
    bool small = false;
};
// The middle of a digit outside the guards, in modules from the symbol's edge
// (the JAN's first digit, UPC-A's first and last).
inline constexpr double kFirstDigitCentre = 4;

// What sets a member of the EAN/UPC family apart besides its row: its digit
// groups, its bars' height in the retail layout, and whether the quiet zone
// marker stands on the left ("<") as well.
struct FamilyShape {
    std::span<const DigitGroup> digits;
    double retailBarHeight = kRetailBarHeight;
    bool leftMarker = false;
};
// The description of a member of the family in either layout: its row's
// pattern and quiet zones, the shape's digits and bars, and its add-on.
Description DescribeFamily(Layout layout, const SymbolCode& symbol, const QString& name,
                           bool quietZoneMarker, const FamilyShape& shape);

// The same for a 13-character JAN code without add-on.
Description Describe(Layout layout, const QString& code, const QString& name,
                     bool quietZoneMarker = false);

}  // namespace symbol
