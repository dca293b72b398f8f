#include "layout.h"

#include <algorithm>

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

constexpr double kNameEm = kNameEmModules;
constexpr double kNameBaseline = kNameBaselineModules;
constexpr double kNameBand = kNameBandModules;

// UPC-A's first and last digits are printed smaller.
constexpr double kSmallCanvasEm = 10;
constexpr double kSmallCanvasDrop = 3;  // keeps their foot on the others' line
constexpr double kSmallDigitEm = 7.8;

// The add-on's digits above its bars in the window: a line of canvas text
// from 2 pixels above the bars' top, 12 pixels for it.
constexpr double kWindowAddonBand = 12;
// Printed, the add-on's digits take the band that the main digits take below,
// their tops level with the main bars' tops.
constexpr double kRetailDigitBand = kRetailBoxHeight - kRetailBarHeight;

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

Description WindowLayout(const SymbolCode& symbol, const QString& name, const FamilyShape& shape) {
    Description d;
    d.layout = Layout::Window;
    const int modules = ModuleCount(symbol.symbology);
    d.symbolLeft = kWindowSymbolLeft;
    d.quietLeft = d.symbolLeft;
    d.quietRight = kWindowWidth - d.symbolLeft - kModuleCount;
    d.box = QSizeF(d.symbolLeft + modules + AddonSpan(symbol.addon) + d.quietRight, kWindowHeight);
    d.barTop = kBarTop;
    d.barBottom = kBarBottom;
    d.guardBottom = kGuardBottom;
    for (const DigitGroup& g : shape.digits)
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

// Retail quiet zones, left and right: the row's; after an add-on, its own.
QPointF RetailQuietZones(const SymbolCode& symbol) {
    const SymbologyRow& row = RowOf(symbol.symbology);
    return QPointF(row.quietLeft, symbol.addon.isEmpty() ? row.quietRight : kAddonQuietRight);
}

Description RetailLayout(const SymbolCode& symbol, const QString& name, bool quietZoneMarker,
                         const FamilyShape& shape) {
    Description d;
    d.layout = Layout::Retail;
    const int modules = ModuleCount(symbol.symbology);
    const QPointF quiet = RetailQuietZones(symbol);
    const double top = name.isEmpty() ? 0 : kNameBand;
    const double shorter = kRetailBarHeight - shape.retailBarHeight;
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
    for (const DigitGroup& g : shape.digits)
        for (int i = 0; i < g.count && g.from + i < symbol.code.size(); ++i)
            digit(symbol.code.mid(g.from + i, 1), d.symbolLeft + (g.centre + i * kDigitCell),
                  baseline, g.small ? kSmallDigitEm : kDigitEm);
    PlaceAddon(d, symbol, kRetailDigitBand, [&](const QString& text, double left) {
        digit(text, left + kDigitCell / 2, d.barTop + kDigitHeight);
    });
    if (quietZoneMarker && shape.leftMarker)
        digit(QStringLiteral("<"), d.quietLeft / 2, baseline);
    if (quietZoneMarker)
        digit(QStringLiteral(">"),
              d.symbolLeft + modules + AddonSpan(symbol.addon) + d.quietRight / 2, baseline);
    if (!name.isEmpty())
        d.texts.append({name, Face::Name, kNameEm, QPointF(d.box.width() / 2, kNameBaseline), true,
                        d.box.width()});
    return d;
}

}  // namespace

double NominalModuleMm(Symbology symbology) {
    return RowOf(symbology).nominalModuleMm;
}

int MinMagnification(Symbology symbology) {
    return RowOf(symbology).minMagnification;
}

int MaxMagnification(Symbology symbology) {
    return RowOf(symbology).maxMagnification;
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
    return RowOf(symbol.symbology).describe(layout, symbol, name, quietZoneMarker);
}

Description Describe(Layout layout, const QString& code, const QString& name,
                     bool quietZoneMarker) {
    return Describe(layout, SymbolCode{kDefaultSymbology, code, {}}, name, quietZoneMarker);
}

Description DescribeFamily(Layout layout, const SymbolCode& symbol, const QString& name,
                           bool quietZoneMarker, const FamilyShape& shape) {
    Description d = layout == Layout::Window ? WindowLayout(symbol, name, shape)
                                             : RetailLayout(symbol, name, quietZoneMarker, shape);
    d.bars = BarRuns(FamilyPattern(symbol.symbology, symbol.code), d.symbolLeft, d.barTop,
                     d.barBottom, d.guardBottom);
    if (!symbol.addon.isEmpty())
        d.bars +=
            BarRuns(AddonPattern(symbol.addon), d.addonLeft, d.addonTop, d.barBottom, d.barBottom);
    return d;
}

}  // namespace symbol
