#include "layout.h"

#include <algorithm>

#include "book.h"
#include "itf.h"
#include "pattern.h"

namespace symbol {

namespace {

// OCR-B's digits are 0.77 em tall: 8 modules, 2.64 mm at 100 percent. Each
// is centred in its symbol character's 7 modules, 0.5 module above the
// bottom of the box.
constexpr double kDigitEm = 10.4;
constexpr double kDigitCell = 7;
constexpr double kDigitLift = 0.5;
constexpr double kDigitHeight = 8;
// The middle of a digit outside the guards, in modules from the symbol's edge
// (the JAN's first digit, UPC-A's first and last).
constexpr double kFirstDigitCentre = 4;

constexpr double kNameEm = kNameEmModules;
constexpr double kNameBaseline = kNameBaselineModules;
constexpr double kNameBand = kNameBandModules;

// UPC-A's first and last digits are printed smaller.
constexpr double kSmallCanvasEm = 10;
constexpr double kSmallCanvasDrop = 3;  // keeps their foot on the others' line
constexpr double kSmallDigitEm = 7.8;

// The window's first module, and the add-on's digits above its bars: a line
// of canvas text from 2 pixels above the bars' top, 12 pixels for it.
constexpr int kWindowLeft = kModuleOffset + 1;
constexpr double kWindowAddonBand = 12;
// Printed, the add-on's digits take the band that the main digits take below,
// their tops level with the main bars' tops.
constexpr double kRetailDigitBand = kRetailBoxHeight - kRetailBarHeight;

// A group of human-readable digits: count positions of the code from from,
// the window's text at windowX and the printed digits centred from centre
// on, one per symbol character, both in modules from the first module.
struct DigitGroup {
    int from;
    int count;
    int windowX;
    double centre;
    bool small = false;
};

QList<DigitGroup> DigitGroups(Symbology symbology) {
    const int first = kFirstDigitX - kWindowLeft;
    switch (symbology) {
        // The window's groups start 1 module into the left half and at the
        // right half's first module, as the JAN's do.
        case Symbology::Jan8:
            return {{0, 4, kLeftGroupX - kWindowLeft, 6.5}, {4, 4, 36, 39.5}};
        case Symbology::UpcA:
            return {{0, 1, first, -kFirstDigitCentre, true},
                    {1, 5, 11, 13.5},
                    {6, 5, kRightGroupX - kWindowLeft, 53.5},
                    {11, 1, 97, 95 + kFirstDigitCentre, true}};
        // UPC-E: the number system and the check digit outside the guards,
        // small as UPC-A's, the six digits over their symbol characters.
        case Symbology::UpcE:
            return {{0, 1, first, -kFirstDigitCentre, true},
                    {1, 6, kLeftGroupX - kWindowLeft, 6.5},
                    {7, 1, 53, 51 + kFirstDigitCentre, true}};
        case Symbology::Itf14:  // one line of its own: see ItfLayout
        case Symbology::Book:   // two symbols: see DescribeBook
        case Symbology::Jan13:
            break;
    }
    // The first digit left of the start guard, without a symbol character.
    return {{0, 1, first, -kFirstDigitCentre},
            {1, 6, kLeftGroupX - kWindowLeft, 6.5},
            {7, 6, kRightGroupX - kWindowLeft, 53.5}};
}

// Modules from the main symbol's right edge to the add-on's, if any.
int AddonSpan(const QString& addon) {
    return addon.isEmpty() ? 0 : kAddonGap + int(AddonPattern(addon).size());
}

// The add-on's place, and each of its digits placed by digit(text, left edge
// of its symbol character): after the start's 4 modules, 9 apart.
template <typename Place>
void PlaceAddon(Description& d, const SymbolCode& symbol, double band, Place digit) {
    if (symbol.addon.isEmpty())
        return;
    d.addonLeft = d.symbolLeft + ModuleCount(symbol.symbology) + kAddonGap;
    d.addonTop = d.barTop + band;
    for (int i = 0; i < symbol.addon.size(); ++i)
        digit(symbol.addon.mid(i, 1), d.addonLeft + 4 + 9 * i);
}

TextPlace WindowText(const QString& text, double x, double y, double size = kCanvasEm) {
    return {text, Face::Canvas, size, QPointF(x, y), false, 0};
}

Description WindowLayout(const SymbolCode& symbol, const QString& name) {
    Description d;
    d.layout = Layout::Window;
    const int modules = ModuleCount(symbol.symbology);
    d.symbolLeft = kWindowLeft;
    d.quietLeft = d.symbolLeft;
    d.quietRight = kWindowWidth - d.symbolLeft - kModuleCount;
    d.box = QSizeF(d.symbolLeft + modules + AddonSpan(symbol.addon) + d.quietRight, kWindowHeight);
    d.barTop = kBarTop;
    d.barBottom = kBarBottom;
    d.guardBottom = kGuardBottom;
    for (const DigitGroup& g : DigitGroups(symbol.symbology))
        d.texts.append(WindowText(symbol.code.mid(g.from, g.count), d.symbolLeft + g.windowX,
                                  g.small ? kDigitLine + kSmallCanvasDrop : kDigitLine,
                                  g.small ? kSmallCanvasEm : kCanvasEm));
    PlaceAddon(d, symbol, kWindowAddonBand, [&](const QString& text, double left) {
        d.texts.append(WindowText(text, left + 1, kBarTop - 2));
    });
    if (!name.isEmpty())
        d.texts.append(WindowText(name, kNameX, kNameY));
    return d;
}

// Retail quiet zones, left and right: 11 and 7 X for the JAN, 7 and 7 for
// the short JAN, 9 and 9 for UPC-A, 9 and 7 for UPC-E; after an add-on, its
// own.
QPointF RetailQuietZones(const SymbolCode& symbol) {
    QPointF quiet(kRetailQuietLeft, kRetailQuietRight);
    if (symbol.symbology == Symbology::Jan8)
        quiet.setX(kRetailQuietRight);
    else if (symbol.symbology == Symbology::UpcA)
        quiet = QPointF(kRetailUpcAQuiet, kRetailUpcAQuiet);
    else if (symbol.symbology == Symbology::UpcE)
        quiet = QPointF(kRetailUpcAQuiet, kRetailUpcEQuietRight);
    if (!symbol.addon.isEmpty())
        quiet.setY(kAddonQuietRight);
    return quiet;
}

Description RetailLayout(const SymbolCode& symbol, const QString& name, bool quietZoneMarker) {
    Description d;
    d.layout = Layout::Retail;
    const int modules = ModuleCount(symbol.symbology);
    const QPointF quiet = RetailQuietZones(symbol);
    const double top = name.isEmpty() ? 0 : kNameBand;
    const double shorter =
        symbol.symbology == Symbology::Jan8 ? kRetailBarHeight - kRetailJan8BarHeight : 0;
    d.box = QSizeF(quiet.x() + modules + AddonSpan(symbol.addon) + quiet.y(),
                   top + kRetailBoxHeight - shorter);
    d.symbolLeft = quiet.x();
    d.barTop = top;
    d.barBottom = top + kRetailBarHeight - shorter;
    d.guardBottom = d.barBottom + kGuardExtension;
    d.quietLeft = quiet.x();
    d.quietRight = quiet.y();

    const double baseline = d.box.height() - kDigitLift;
    auto digit = [&](const QString& text, double centre, double y, double size = kDigitEm) {
        d.texts.append({text, Face::Digits, size, QPointF(centre, y), true, 0});
    };
    for (const DigitGroup& g : DigitGroups(symbol.symbology))
        for (int i = 0; i < g.count && g.from + i < symbol.code.size(); ++i)
            digit(symbol.code.mid(g.from + i, 1), d.symbolLeft + (g.centre + i * kDigitCell),
                  baseline, g.small ? kSmallDigitEm : kDigitEm);
    PlaceAddon(d, symbol, kRetailDigitBand, [&](const QString& text, double left) {
        digit(text, left + kDigitCell / 2, d.barTop + kDigitHeight);
    });
    if (quietZoneMarker && symbol.symbology == Symbology::Jan8)
        digit(QStringLiteral("<"), d.quietLeft / 2, baseline);
    if (quietZoneMarker)
        digit(QStringLiteral(">"),
              d.symbolLeft + modules + AddonSpan(symbol.addon) + d.quietRight / 2, baseline);
    if (!name.isEmpty())
        d.texts.append({name, Face::Name, kNameEm, QPointF(d.box.width() / 2, kNameBaseline), true,
                        d.box.width()});
    return d;
}

// ITF-14's digits: one line of OCR-B below the bearer bars, 5 mm em, 1 mm
// clear above and below it, whatever the X.
constexpr double kItfDigitEmMm = 5;
constexpr double kItfDigitGapMm = 1;
constexpr double kOcrBDigitHeight = 0.77;  // of the em

// ITF-14: quiet zones of 10 X each side of the bars, bars 31.75 mm tall, the
// bearer bars 4.83 mm around all of it or 2 X above and below the bars and
// quiet zones, the digits below. A name stands above as on the family's
// symbols at 100 percent.
Description ItfLayout(const SymbolCode& symbol, const QString& name) {
    const ItfGeometry& itf = symbol.itf;
    const double mm = 1 / itf.moduleMm;  // modules in a millimetre
    const double bearer = itf.frame ? kItfCorrugatedBearerMm * mm : 2;
    const double side = itf.frame ? bearer : 0;
    const double width = ItfWidth(int(symbol.code.size()), itf.ratio);
    const double barHeight = kItfBarHeightMm * mm;
    const double nameScale = kNominalModuleMm * mm;
    const double top = name.isEmpty() ? 0 : kNameBand * nameScale;
    const double em = kItfDigitEmMm * mm;
    const double baseline =
        top + 2 * bearer + barHeight + kItfDigitGapMm * mm + kOcrBDigitHeight * em;

    Description d;
    d.layout = Layout::Retail;
    d.box = QSizeF(2 * side + 2 * kItfQuietZone + width, baseline + kItfDigitGapMm * mm);
    d.quietLeft = kItfQuietZone;
    d.quietRight = kItfQuietZone;
    d.symbolLeft = side + kItfQuietZone;
    d.barTop = top + bearer;
    d.barBottom = d.barTop + barHeight;
    d.guardBottom = d.barBottom;
    d.bars = ItfBarRuns(symbol.code, itf.ratio, d.symbolLeft, d.barTop, d.barBottom);
    const double right = d.box.width();
    d.bearers = {QRectF(0, top, right, bearer), QRectF(0, d.barBottom, right, bearer)};
    if (itf.frame)
        d.bearers += {QRectF(0, top, side, d.barBottom + bearer - top),
                      QRectF(right - side, top, side, d.barBottom + bearer - top)};
    d.texts.append({symbol.code, Face::Digits, em, QPointF(right / 2, baseline), true, width});
    if (!name.isEmpty())
        d.texts.append({name, Face::Name, kNameEm * nameScale,
                        QPointF(right / 2, kNameBaseline * nameScale), true, right});
    return d;
}

}  // namespace

double NominalModuleMm(Symbology symbology) {
    return symbology == Symbology::Itf14 ? kItfMaxModuleMm : kNominalModuleMm;
}

int MinMagnification(Symbology symbology) {
    return symbology == Symbology::Itf14 ? 49 : kMinMagnification;
}

int MaxMagnification(Symbology symbology) {
    return symbology == Symbology::Itf14 ? 100 : kMaxMagnification;
}

QList<BarRun> BarRuns(const QString& pattern, double left, double top, double bottom,
                      double guardBottom) {
    QList<BarRun> runs;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar module = pattern[i];
        qsizetype end = i + 1;
        while (end < pattern.size() && pattern[end] == module)
            ++end;
        if (module == u'1' || module == u'2')
            runs.append(
                {left + double(i), double(end - i), top, module == u'2' ? guardBottom : bottom});
        i = end;
    }
    return runs;
}

NameLine LabelNameLine(double moduleMm, double roomMm) {
    const double em = std::min(kNameEmModules * moduleMm, roomMm / kNameBandEm);
    return {em, em * kNameBandEm, em * kNameBaselineEm};
}

Description Describe(Layout layout, const SymbolCode& symbol, const QString& name,
                     bool quietZoneMarker) {
    if (symbol.symbology == Symbology::Itf14)
        return ItfLayout(symbol, name);
    if (symbol.symbology == Symbology::Book)
        return DescribeBook(symbol.code, name);
    Description d = layout == Layout::Window ? WindowLayout(symbol, name)
                                             : RetailLayout(symbol, name, quietZoneMarker);
    d.bars = BarRuns(FamilyPattern(symbol.symbology, symbol.code), d.symbolLeft, d.barTop,
                     d.barBottom, d.guardBottom);
    if (!symbol.addon.isEmpty())
        d.bars +=
            BarRuns(AddonPattern(symbol.addon), d.addonLeft, d.addonTop, d.barBottom, d.barBottom);
    return d;
}

Description Describe(Layout layout, const QString& code, const QString& name,
                     bool quietZoneMarker) {
    return Describe(layout, SymbolCode{Symbology::Jan13, code, {}}, name, quietZoneMarker);
}

}  // namespace symbol
