#include "renderer.h"

#include "symbol/drawing.h"
#include "symbol/pattern.h"
#include "symbol/picturefile.h"
#include "symbol/raster.h"
#include "symbol/vector.h"

#include <cmath>

namespace pipeline {

Renderer::Renderer(const SymbolOutput& options) : options_(options) {
    const bool window = options.layout == symbol::Layout::Window;
    if (window && options.scale == 1 && options.format != Format::Pdf)
        canvas_.emplace(QSize(symbol::kWindowWidth, symbol::kWindowHeight));
}

QByteArray Renderer::Render(const QString& name, const QString& code, const QString& addon,
                            QString* error) {
    const symbol::SymbolCode symbol{options_.symbology, code, addon, options_.itf};
    if (options_.format == Format::Svg || options_.format == Format::Pdf)
        return Vector(name, symbol);
    return Bitmap(name, symbol, error);
}

QByteArray Renderer::Bitmap(const QString& name, const symbol::SymbolCode& symbol, QString* error) {
    const char* format = FormatName(options_.format);
    if (canvas_ && symbol.symbology == symbol::kDefaultSymbology && symbol.addon.isEmpty()) {
        // The window's own symbol: exactly its redraw, so that the file
        // matches its save.
        symbol::PrintName(*canvas_, name);
        symbol::DrawSymbol(*canvas_, symbol.code, symbol::BuildPattern(symbol.code));
        return symbol::EncodePicture(canvas_->Image(), format, error);
    }
    const symbol::Description description =
        symbol::Describe(options_.layout, symbol, name, options_.quietZoneMarker);
    if (options_.layout == symbol::Layout::Window)
        return symbol::EncodePicture(
            symbol::PaintRaster(description, options_.scale, 0,
                                symbol::kWindowDotsPerMetre * options_.scale),
            format, error);
    const int dotsPerMetre = qRound(options_.dpi / 0.0254);
    return symbol::EncodePicture(
        symbol::PaintRasterBits(description, options_.moduleDots, options_.bwrDots, dotsPerMetre),
        format, error);
}

QByteArray Renderer::Vector(const QString& name, const symbol::SymbolCode& symbol) {
    const bool window = options_.layout == symbol::Layout::Window;
    const symbol::Description description =
        symbol::Describe(options_.layout, symbol, name, options_.quietZoneMarker);
    if (window && options_.format == Format::Svg)
        return symbol::SvgFile(description, symbol::ModuleMm(options_.magnification), 0);
    if (options_.vectorDots) {
        const symbol::PrinterDots dots{options_.dpi, options_.moduleDots, options_.bwrDots};
        return options_.format == Format::Svg ? symbol::SvgFile(description, dots)
                                              : symbol::PdfFile(description, dots);
    }
    const double moduleMm =
        symbol::NominalModuleMm(options_.symbology) * options_.magnification / 100;
    const double bwrMm = options_.bwrMicrons / 1000.0;
    return options_.format == Format::Svg ? symbol::SvgFile(description, moduleMm, bwrMm)
                                          : symbol::PdfFile(description, moduleMm, bwrMm);
}

}  // namespace pipeline
