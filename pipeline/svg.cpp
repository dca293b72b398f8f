#include "svg.h"

#include <QFontMetricsF>

#include "symbol/canvas.h"
#include "symbol/code.h"
#include "symbol/layout.h"

namespace pipeline {

namespace {

QString Number(double value) {
    return QString::number(value, 'g', 8);
}

// Text content and attribute values alike. XML 1.0 cannot hold most control
// characters, even escaped, and a lone surrogate cannot be written in UTF-8:
// both become U+FFFD, the mark for a character that could not be kept.
QString EscapeXml(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out += c;
            out += text[++i];
        } else if (c.isSurrogate() || (c < u' ' && c != u'\t') || c == u'\uFFFE' ||
                   c == u'\uFFFF') {
            out += QChar(QChar::ReplacementCharacter);
        } else if (c == u'&') {
            out += u"&amp;";
        } else if (c == u'<') {
            out += u"&lt;";
        } else if (c == u'>') {
            out += u"&gt;";
        } else if (c == u'"') {
            out += u"&quot;";
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

SvgTextMetrics MeasureCanvasFont() {
    // The canvas measures against a 96-dpi image; a pixel there is a module here.
    QImage image(1, 1, QImage::Format_RGB32);
    image.setDotsPerMeterX(symbol::kWindowDotsPerMetre);
    image.setDotsPerMeterY(symbol::kWindowDotsPerMetre);
    const QFontMetricsF font(symbol::CanvasFont(), &image);
    SvgTextMetrics metrics;
    metrics.ascent = font.ascent();
    for (int digit = 0; digit < 10; ++digit)
        metrics.digitAdvance[digit] = font.horizontalAdvance(QChar(u'0' + digit));
    return metrics;
}

QByteArray SymbolSvg(const QString& name, const symbol::SymbolCode& symbol, int magnification,
                     const SvgTextMetrics& metrics) {
    const double moduleMm = symbol::ModuleMm(magnification);
    // The name is written on its own, before the digits.
    const symbol::Description window = symbol::Describe(symbol::Layout::Window, symbol, QString());
    QString svg;
    svg.reserve(4096);
    svg += QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"%1mm\" "
               "height=\"%2mm\" viewBox=\"0 0 %3 %4\">\n"
               "<rect width=\"%3\" height=\"%4\" fill=\"#fff\"/>\n")
               .arg(Number(window.box.width() * moduleMm), Number(window.box.height() * moduleMm))
               .arg(window.box.width())
               .arg(window.box.height());

    // One rectangle per bar, however many modules wide, so that no seam can
    // show between the modules of a wide bar.
    svg += QStringLiteral("<g fill=\"#000\" shape-rendering=\"crispEdges\">\n");
    for (const symbol::BarRun& bar : window.bars)
        svg += QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\"/>\n")
                   .arg(bar.x)
                   .arg(bar.top)
                   .arg(bar.width)
                   .arg(bar.bottom - bar.top);
    svg += QStringLiteral("</g>\n");

    svg += QStringLiteral(
               "<g font-family=\"IPAGothic, 'IPAゴシック', monospace\" font-size=\"%1\" "
               "fill=\"#000\">\n"
               "<text x=\"%2\" y=\"%3\" xml:space=\"preserve\">%4</text>\n")
               .arg(symbol::kCanvasEm)
               .arg(symbol::kNameX)
               .arg(Number(symbol::kNameY + metrics.ascent), EscapeXml(name));
    // Each digit at its own place, so that a fallback font with wider digits
    // still keeps every group between its guards.
    for (const symbol::TextPlace& group : window.texts) {
        const double scale = group.size / symbol::kCanvasEm;
        const QString baseline = Number(group.at.y() + metrics.ascent * scale);
        const QString size =
            scale == 1 ? QString() : QStringLiteral(" font-size=\"%1\"").arg(group.size);
        double x = group.at.x();
        for (const QChar digit : group.text) {
            svg += QStringLiteral("<text x=\"%1\" y=\"%2\"%3>%4</text>\n")
                       .arg(Number(x), baseline, size, EscapeXml(digit));
            x += metrics.digitAdvance[symbol::DigitValue(digit)] * scale;
        }
    }
    svg += QStringLiteral("</g>\n</svg>\n");
    return svg.toUtf8();
}

}  // namespace pipeline
