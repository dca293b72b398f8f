#include "vector.h"

#include <QTransform>
#include <cmath>
#include <unordered_map>

#include "outline.h"
#include "raster.h"

namespace symbol {

namespace {

constexpr double kPointsPerMm = 72 / 25.4;

// Appends value rounded to decimals places, without the zeros that end a
// fraction. Print needs no more than a micrometre, and integer digits cost
// a tenth of a floating-point format.
void AppendFixed(QByteArray& out, double value, int decimals) {
    static constexpr double kScale[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7};
    const long long units = std::llround(value * kScale[decimals]);
    char buffer[32];
    char* const end = buffer + sizeof buffer;
    char* at = end;
    const bool negative = units < 0;
    unsigned long long left = negative ? 0ull - units : units;
    for (; decimals > 0 && left % 10 == 0; left /= 10)
        --decimals;
    for (int i = 0; i < decimals; ++i, left /= 10)
        *--at = char('0' + left % 10);
    if (decimals > 0)
        *--at = '.';
    do {
        *--at = char('0' + left % 10);
        left /= 10;
    } while (left);
    if (negative)
        *--at = '-';
    out.append(at, end - at);
}

// A length in millimetres: a micrometre is plenty for print.
void AppendMm(QByteArray& out, double value) {
    AppendFixed(out, value, 3);
}

void AppendMm(QByteArray& out, std::initializer_list<double> values) {
    for (double value : values) {
        AppendMm(out, value);
        out += ' ';
    }
}

enum class Syntax { Svg, Pdf };

// The outline as path operators, each before its points as SVG has them or
// after them as PDF has them, with decimals places.
void AppendPath(QByteArray& out, const QPainterPath& path, Syntax syntax, int decimals) {
    for (int i = 0; i < path.elementCount();) {
        const QPainterPath::Element e = path.elementAt(i);
        const int points = e.isCurveTo() ? 3 : 1;
        const char op = e.isMoveTo() ? 'M' : e.isLineTo() ? 'L' : 'C';
        if (syntax == Syntax::Svg)
            out += op;
        for (const int end = i + points; i < end; ++i) {
            AppendFixed(out, path.elementAt(i).x, decimals);
            out += ' ';
            AppendFixed(out, path.elementAt(i).y, decimals);
            out += ' ';
        }
        if (syntax == Syntax::Pdf) {
            out += char(op | 0x20);
            out += '\n';
        }
    }
}

// A character's outline in its font's units, as path operators: a batch
// writes the same digits and letters thousands of times, and formatting
// them was most of a file's work. A tenth of a unit is a ten-thousandth of
// the em.
const QByteArray& KeptPath(const OutlinePiece& piece, Syntax syntax) {
    if (piece.key == 0) {
        thread_local QByteArray once;
        once.clear();
        AppendPath(once, piece.path, syntax, 1);
        return once;
    }
    thread_local std::unordered_map<quint64, QByteArray> kept[2];
    auto& paths = kept[int(syntax)];
    const auto [at, added] = paths.try_emplace(piece.key);
    if (added)
        AppendPath(at->second, piece.path, syntax, 1);
    return at->second;
}

// The six numbers of transform, as both formats write a matrix.
void AppendMatrix(QByteArray& out, const QTransform& t) {
    for (double value : {t.m11(), t.m12(), t.m21(), t.m22()}) {
        AppendFixed(out, value, 7);
        out += ' ';
    }
    AppendMm(out, t.dx());
    out += ' ';
    AppendMm(out, t.dy());
}

// Every text of the description in millimetres, filled even-odd as a
// painter path is: in SVG each character's kept outline through a matrix.
void AppendTexts(QByteArray& out, const Description& description, double moduleMm, Syntax syntax) {
    const QTransform toMm = QTransform::fromScale(moduleMm, moduleMm);
    for (const TextPlace& text : description.texts) {
        // A PDF's outlines are written in millimetres: placed through a
        // matrix, poppler's edges came out up to a third of a 600-dpi dot
        // from where they stood before.
        if (syntax == Syntax::Pdf) {
            AppendPath(out, toMm.map(TextOutline(text)), syntax, 3);
            out += "f*\n";
            continue;
        }
        for (const OutlinePiece& piece : OutlinePieces(text)) {
            out += "<path transform=\"matrix(";
            AppendMatrix(out, piece.transform * toMm);
            out += ")\" d=\"";
            out += KeptPath(piece, syntax);
            out += "\"/>\n";
        }
    }
}

// Every black rectangle in millimetres: the bars narrowed by bwrMm about
// their middles, then the bearer bars as they are.
QList<QRectF> BarRects(const Description& description, double moduleMm, double bwrMm) {
    QList<QRectF> rects;
    rects.reserve(description.bars.size() + description.bearers.size());
    for (const BarRun& bar : description.bars)
        rects.append(QRectF(bar.x * moduleMm + bwrMm / 2, bar.top * moduleMm,
                            bar.width * moduleMm - bwrMm, (bar.bottom - bar.top) * moduleMm));
    for (const QRectF& bearer : description.bearers)
        rects.append(QRectF(bearer.topLeft() * moduleMm, bearer.size() * moduleMm));
    return rects;
}

void AppendPt(QByteArray& out, double mm) {
    AppendFixed(out, mm * kPointsPerMm, 4);
}

// A symbol's content stream is some kilobytes: compressing it took longer
// than drawing and writing the file, and saves less than a disk block.
constexpr qsizetype kCompressFrom = 32 * 1024;

// A larger content stream compressed at the fastest level, as a zlib
// stream (qCompress puts its length in front); empty when the stream is
// small, and it is then written as it is.
QByteArray Deflate(const QByteArray& content) {
    if (content.size() < kCompressFrom)
        return QByteArray();
    return qCompress(content, 1).mid(4);
}

// A PDF of one page of size millimetres that shows content.
QByteArray OnePagePdf(QSizeF size, const QByteArray& content) {
    const QByteArray deflated = Deflate(content);
    const QByteArray& stream = deflated.isEmpty() ? content : deflated;
    QByteArray page = "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 ";
    AppendPt(page, size.width());
    page += ' ';
    AppendPt(page, size.height());
    page += "] /Contents 4 0 R /Resources << >> >>";
    QByteArray contents = "<< /Length " + QByteArray::number(stream.size());
    contents += deflated.isEmpty() ? " >>\nstream\n" : " /Filter /FlateDecode >>\nstream\n";
    const QByteArrayView objects[] = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        page,
        contents,
        "<< /Producer (Stripewell) >>",
    };
    QByteArray pdf;
    pdf.reserve(stream.size() + 1024);
    pdf += "%PDF-1.4\n%\xe2\xe3\xcf\xd3\n";
    qsizetype offsets[5];
    int number = 0;
    for (const QByteArrayView object : objects) {
        offsets[number] = pdf.size();
        pdf += QByteArray::number(++number) + " 0 obj\n";
        pdf += object;
        if (number == 4)
            pdf += stream + "\nendstream";
        pdf += "\nendobj\n";
    }
    const QByteArray start = QByteArray::number(pdf.size());
    pdf += "xref\n0 6\n0000000000 65535 f \n";
    for (const qsizetype offset : offsets)
        pdf += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    return pdf + "trailer\n<< /Size 6 /Root 1 0 R /Info 5 0 R >>\nstartxref\n" + start +
           "\n%%EOF\n";
}

}  // namespace

VectorSymbol Vectorise(const Description& description, double moduleMm, double bwrMm) {
    VectorSymbol symbol;
    symbol.size = description.box * moduleMm;
    symbol.bars = BarRects(description, moduleMm, bwrMm);
    const QTransform toMm = QTransform::fromScale(moduleMm, moduleMm);
    for (const TextPlace& text : description.texts)
        symbol.text.addPath(toMm.map(TextOutline(text)));
    return symbol;
}

namespace {

// A file's page and its black rectangles in millimetres.
struct Page {
    double moduleMm;
    QSizeF size;
    QList<QRectF> bars;
};

Page AtModule(const Description& description, double moduleMm, double bwrMm) {
    return {moduleMm, description.box * moduleMm, BarRects(description, moduleMm, bwrMm)};
}

// For a file that another program prints on a printer of dots.dpi: every
// bar edge and the page's edges on its dots, so that its driver has nothing
// to resample, each edge a little inside its dot, so that every rasteriser
// fills the same dots. An odd reduction takes its extra dot off the right
// edge, as in the bitmaps.
Page OnPrinterDots(const Description& description, const PrinterDots& dots) {
    const double dotMm = 25.4 / dots.dpi;
    const double moduleMm = dots.moduleDots * dotMm;
    const double inset = EdgeInsetMm(dots.dpi);
    Page page{moduleMm, QSizeF(), BarRects(description, moduleMm, dots.bwrDots * dotMm)};
    for (qsizetype i = 0; i < page.bars.size(); ++i) {
        const double shift = i < description.bars.size() ? -(dots.bwrDots % 2) * dotMm / 2 : 0;
        page.bars[i] = page.bars[i].translated(shift, 0).adjusted(inset, 0, -inset, 0);
    }
    const QSizeF box = description.box * moduleMm;
    page.size = QSizeF(std::ceil(box.width() / dotMm - 1e-6) * dotMm,
                       std::ceil(box.height() / dotMm - 1e-6) * dotMm);
    return page;
}

QByteArray Svg(const Description& description, const Page& page) {
    const double moduleMm = page.moduleMm;
    const QSizeF size = page.size;
    QByteArray width, height;
    AppendMm(width, size.width());
    AppendMm(height, size.height());
    QByteArray svg;
    svg.reserve(16384);
    svg +=
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
        width + "mm\" height=\"" + height + "mm\" viewBox=\"0 0 " + width + ' ' + height +
        "\">\n<rect width=\"" + width + "\" height=\"" + height + "\" fill=\"#fff\"/>\n" +
        "<path fill=\"#000\" d=\"";
    for (const QRectF& bar : page.bars) {
        svg += 'M';
        AppendMm(svg, {bar.left(), bar.top()});
        svg += 'H';
        AppendMm(svg, {bar.right()});
        svg += 'V';
        AppendMm(svg, {bar.bottom()});
        svg += 'H';
        AppendMm(svg, {bar.left()});
        svg += 'Z';
    }
    svg += "\"/>\n<g fill=\"#000\" fill-rule=\"evenodd\">\n";
    AppendTexts(svg, description, moduleMm, Syntax::Svg);
    return svg + "</g>\n</svg>\n";
}

QByteArray Pdf(const Description& description, const Page& page) {
    const double moduleMm = page.moduleMm;
    const QSizeF size = page.size;
    // In millimetres from the top-left corner, as the description has it.
    QByteArray content;
    content.reserve(16384);
    AppendFixed(content, kPointsPerMm, 6);
    content += " 0 0 ";
    AppendFixed(content, -kPointsPerMm, 6);
    content += " 0 ";
    AppendPt(content, size.height());
    content += " cm\n1 g 0 0 ";
    AppendMm(content, {size.width(), size.height()});
    content += "re f\n0 g\n";
    for (const QRectF& bar : page.bars) {
        AppendMm(content, {bar.x(), bar.y(), bar.width(), bar.height()});
        content += "re\n";
    }
    content += "f\n";
    AppendTexts(content, description, moduleMm, Syntax::Pdf);
    return OnePagePdf(size, content);
}

}  // namespace

QByteArray SvgFile(const Description& description, double moduleMm, double bwrMm) {
    return Svg(description, AtModule(description, moduleMm, bwrMm));
}

QByteArray SvgFile(const Description& description, const PrinterDots& dots) {
    return Svg(description, OnPrinterDots(description, dots));
}

QByteArray PdfFile(const Description& description, double moduleMm, double bwrMm) {
    return Pdf(description, AtModule(description, moduleMm, bwrMm));
}

QByteArray PdfFile(const Description& description, const PrinterDots& dots) {
    return Pdf(description, OnPrinterDots(description, dots));
}

}  // namespace symbol
