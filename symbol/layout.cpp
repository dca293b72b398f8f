#include "layout.h"

#include "pattern.h"

namespace symbol {

namespace {

// The window's canvas font is 13 pixels, one pixel a module.
constexpr double kCanvasEm = 13;

// OCR-B's digits are 0.77 em tall: 8 modules, 2.64 mm at 100 percent. Each
// is centred in its symbol character's 7 modules, 0.5 module above the
// bottom of the box.
constexpr double kDigitEm = 10.4;
constexpr double kDigitCell = 7;
constexpr double kDigitLift = 0.5;
// The first digit's middle, left of the start guard, and the marker's, in
// the middle of the right quiet zone: modules from the symbol's edges.
constexpr double kFirstDigitCentre = 4;
constexpr double kMarkerCentre = kRetailQuietRight / 2.0;

// A printed name: 10 modules em (3.3 mm at 100 percent), its baseline at 0.9
// em, and a band of 13 modules above the bars (2 clear below its descent).
constexpr double kNameEm = 10;
constexpr double kNameBaseline = 9;
constexpr double kNameBand = 13;

TextPlace WindowText(const QString& text, double x, double y) {
    return {text, Face::Canvas, kCanvasEm, QPointF(x, y), false, 0};
}

Description WindowLayout(const QString& code, const QString& name) {
    Description d;
    d.layout = Layout::Window;
    d.box = QSizeF(kWindowWidth, kWindowHeight);
    d.symbolLeft = kModuleOffset + 1;
    d.barTop = kBarTop;
    d.barBottom = kBarBottom;
    d.guardBottom = kGuardBottom;
    d.quietLeft = d.symbolLeft;
    d.quietRight = kWindowWidth - d.symbolLeft - kModuleCount;
    d.texts = {WindowText(code.mid(0, 1), kFirstDigitX, kDigitLine),
               WindowText(code.mid(1, 6), kLeftGroupX, kDigitLine),
               WindowText(code.mid(7, 6), kRightGroupX, kDigitLine)};
    if (!name.isEmpty())
        d.texts.append(WindowText(name, kNameX, kNameY));
    return d;
}

Description RetailLayout(const QString& code, const QString& name, bool quietZoneMarker) {
    Description d;
    d.layout = Layout::Retail;
    const double top = name.isEmpty() ? 0 : kNameBand;
    d.box = QSizeF(kRetailQuietLeft + kModuleCount + kRetailQuietRight, top + kRetailBoxHeight);
    d.symbolLeft = kRetailQuietLeft;
    d.barTop = top;
    d.barBottom = top + kRetailBarHeight;
    d.guardBottom = d.barBottom + kGuardExtension;
    d.quietLeft = kRetailQuietLeft;
    d.quietRight = kRetailQuietRight;

    const double baseline = d.box.height() - kDigitLift;
    auto digit = [&](const QString& text, double centre) {
        d.texts.append({text, Face::Digits, kDigitEm, QPointF(centre, baseline), true, 0});
    };
    digit(code.mid(0, 1), d.symbolLeft - kFirstDigitCentre);
    // Positions 2 to 7 under the left half (after the 3-module start guard),
    // 8 to 13 under the right half (after the 5-module centre guard too).
    for (int i = 1; i < 13 && i < code.size(); ++i) {
        const double cell = 3 + (i - 1) * kDigitCell + (i >= 7 ? 5 : 0);
        digit(code.mid(i, 1), d.symbolLeft + cell + kDigitCell / 2);
    }
    if (quietZoneMarker)
        digit(QStringLiteral(">"), d.symbolLeft + kModuleCount + kMarkerCentre);
    if (!name.isEmpty())
        d.texts.append({name, Face::Name, kNameEm, QPointF(d.box.width() / 2, kNameBaseline), true,
                        d.box.width()});
    return d;
}

}  // namespace

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
                {left + double(i), int(end - i), top, module == u'2' ? guardBottom : bottom});
        i = end;
    }
    return runs;
}

Description Describe(Layout layout, const QString& code, const QString& name,
                     bool quietZoneMarker) {
    Description d = layout == Layout::Window ? WindowLayout(code, name)
                                             : RetailLayout(code, name, quietZoneMarker);
    d.bars = BarRuns(BuildPattern(code), d.symbolLeft, d.barTop, d.barBottom, d.guardBottom);
    return d;
}

}  // namespace symbol
