#include "dotsizing.h"

#include "messages.h"

#include <QStringList>
#include <cmath>

#include "symbol/sizing.h"

namespace render {

// Retail bitmaps: the module and the bar width reduction in whole dots of
// the printer, and a note when they differ from what was asked.
QString FitToDots(pipeline::SymbolOutput* output, QString* note) {
    const symbol::SymbologyRow& row = symbol::RowOf(output->symbology);
    const symbol::WholeDots module =
        symbol::WholeDotModule(row, output->dpi, output->magnification);
    if (module.dots == 0)
        return Msg::tr(
                   "at %1 dpi no whole number of dots makes a module of %2 to %3 "
                   "percent")
            .arg(output->dpi)
            .arg(row.minMagnification)
            .arg(row.maxMagnification);
    output->itf.moduleMm = module.moduleMm;
    // ITF-14's wide elements in whole dots too, so that every bar keeps its width.
    const double ratio = output->itf.ratio;
    output->itf.ratio = symbol::WholeDotRatio(ratio, module.dots);
    const double dotUm = 25400.0 / output->dpi;
    const int bwrDots = symbol::BwrDots(output->bwrMicrons, output->dpi);
    if (!symbol::LeavesHalfModule(bwrDots, module.dots))
        return Msg::tr(
                   "--bwr %1 would leave bars of %2 dots from a module of %3 dots "
                   "at %4 dpi; at most half a module (%5 micrometres) can go")
            .arg(output->bwrMicrons)
            .arg(module.dots - bwrDots)
            .arg(module.dots)
            .arg(output->dpi)
            .arg(int(module.dots / 2 * dotUm));
    output->moduleDots = module.dots;
    output->bwrDots = bwrDots;
    const double bwrUm = bwrDots * dotUm;
    QStringList changed;
    if (std::abs(module.magnification - output->magnification) > 0.5)
        changed << Msg::tr("module %1 dots, X = %2 mm (magnification %3 %)")
                       .arg(module.dots)
                       .arg(module.moduleMm, 0, 'f', 4)
                       .arg(module.magnification, 0, 'f', 1);
    if (std::abs(bwrUm - output->bwrMicrons) > 0.5)
        changed << Msg::tr("bar width reduction %1 dots (%2 micrometres)")
                       .arg(bwrDots)
                       .arg(bwrUm, 0, 'f', 0);
    if (row.wideToNarrow && std::abs(output->itf.ratio - ratio) > 1e-9)
        changed << Msg::tr("wide-to-narrow ratio %1").arg(output->itf.ratio, 0, 'f', 3);
    if (!changed.isEmpty())
        *note += (note->isEmpty() ? QString() : QStringLiteral("; ")) +
                 Msg::tr("at %1 dpi: %2").arg(output->dpi).arg(changed.join("; "));
    return QString();
}

// The vector formats: whatever bar width reduction leaves half a module.
QString CheckBwr(pipeline::SymbolOutput& output) {
    const double moduleUm =
        symbol::ModuleUmAt(symbol::RowOf(output.symbology), output.magnification);
    output.itf.moduleMm = moduleUm / 1000;
    if (!symbol::LeavesHalfModule(output.bwrMicrons, moduleUm))
        return Msg::tr(
                   "--bwr %1 would leave bars narrower than half a module (%2 "
                   "micrometres at %3 percent)")
            .arg(output.bwrMicrons)
            .arg(moduleUm / 2, 0, 'f', 0)
            .arg(output.magnification);
    return QString();
}

}  // namespace render
