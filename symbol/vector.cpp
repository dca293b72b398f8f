#include "vector.h"

#include <QTransform>
#include <charconv>

#include "outline.h"

namespace symbol {

namespace {

constexpr double kPointsPerMm = 72 / 25.4;

// Appends a length in millimetres: a micrometre is plenty for print.
void AppendMm(QByteArray& out, double value) {
    char buffer[32];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3);
    out.append(buffer, written.ptr - buffer);
}

void AppendMm(QByteArray& out, std::initializer_list<double> values) {
    for (double value : values) {
        AppendMm(out, value);
        out += ' ';
    }
}

// The outline as path operators, each before its points as SVG has them or
// after them as PDF has them.
QByteArray PathOperators(const QPainterPath& path, bool pdf) {
    QByteArray out;
    out.reserve(path.elementCount() * 16);
    for (int i = 0; i < path.elementCount();) {
        const QPainterPath::Element e = path.elementAt(i);
        const int points = e.isCurveTo() ? 3 : 1;
        const char op = e.isMoveTo() ? 'M' : e.isLineTo() ? 'L' : 'C';
        if (!pdf)
            out += op;
        for (const int end = i + points; i < end; ++i)
            AppendMm(out, {path.elementAt(i).x, path.elementAt(i).y});
        if (pdf)
            out += QByteArray(1, char(op | 0x20)) + '\n';
    }
    return out;
}

QString Pt(double mm) {
    return QString::number(mm * kPointsPerMm, 'f', 4);
}

// A PDF of one page of size millimetres that shows a compressed content stream.
QByteArray OnePagePdf(QSizeF size, const QByteArray& deflated) {
    const QByteArray objects[] = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        QStringLiteral("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 %1 %2] /Contents 4 0 R "
                       "/Resources << >> >>")
            .arg(Pt(size.width()), Pt(size.height()))
            .toLatin1(),
        "<< /Length " + QByteArray::number(deflated.size()) + " /Filter /FlateDecode >>\nstream\n" +
            deflated + "\nendstream",
        "<< /Producer (Stripewell) >>",
    };
    QByteArray pdf = "%PDF-1.4\n%\xe2\xe3\xcf\xd3\n";
    QByteArray xref = "xref\n0 6\n0000000000 65535 f \n";
    int number = 0;
    for (const QByteArray& object : objects) {
        xref += QByteArray::number(pdf.size()).rightJustified(10, '0') + " 00000 n \n";
        pdf += QByteArray::number(++number) + " 0 obj\n" + object + "\nendobj\n";
    }
    const QByteArray start = QByteArray::number(pdf.size());
    return pdf + xref + "trailer\n<< /Size 6 /Root 1 0 R /Info 5 0 R >>\nstartxref\n" + start +
           "\n%%EOF\n";
}

}  // namespace

VectorSymbol Vectorise(const Description& description, double moduleMm, double bwrMm) {
    VectorSymbol symbol;
    symbol.size = description.box * moduleMm;
    for (const BarRun& bar : description.bars)
        symbol.bars.append(QRectF(bar.x * moduleMm + bwrMm / 2, bar.top * moduleMm,
                                  bar.width * moduleMm - bwrMm, (bar.bottom - bar.top) * moduleMm));
    for (const QRectF& bearer : description.bearers)
        symbol.bars.append(QRectF(bearer.topLeft() * moduleMm, bearer.size() * moduleMm));
    const QTransform toMm = QTransform::fromScale(moduleMm, moduleMm);
    for (const TextPlace& text : description.texts)
        symbol.text.addPath(toMm.map(TextOutline(text)));
    return symbol;
}

QByteArray SvgFile(const VectorSymbol& symbol) {
    QByteArray size;
    AppendMm(size, {symbol.size.width(), symbol.size.height()});
    const QList<QByteArray> wh = size.trimmed().split(' ');
    QByteArray svg =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
        wh[0] + "mm\" height=\"" + wh[1] + "mm\" viewBox=\"0 0 " + size.trimmed() +
        "\">\n<rect width=\"" + wh[0] + "\" height=\"" + wh[1] + "\" fill=\"#fff\"/>\n" +
        "<path fill=\"#000\" d=\"";
    for (const QRectF& bar : symbol.bars) {
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
    svg += "\"/>\n<path fill=\"#000\" fill-rule=\"";
    svg += symbol.text.fillRule() == Qt::OddEvenFill ? "evenodd" : "nonzero";
    return svg + "\" d=\"" + PathOperators(symbol.text, false).trimmed() + "\"/>\n</svg>\n";
}

QByteArray PdfFile(const VectorSymbol& symbol) {
    // In millimetres from the top-left corner, as the description has it.
    QByteArray content = QByteArray::number(kPointsPerMm, 'f', 6) + " 0 0 " +
                         QByteArray::number(-kPointsPerMm, 'f', 6) + " 0 " +
                         Pt(symbol.size.height()).toLatin1() + " cm\n1 g 0 0 ";
    AppendMm(content, {symbol.size.width(), symbol.size.height()});
    content += "re f\n0 g\n";
    for (const QRectF& bar : symbol.bars) {
        AppendMm(content, {bar.x(), bar.y(), bar.width(), bar.height()});
        content += "re\n";
    }
    content += "f\n";
    content += PathOperators(symbol.text, true);
    content += symbol.text.fillRule() == Qt::OddEvenFill ? "f*\n" : "f\n";
    return OnePagePdf(symbol.size, qCompress(content, 1).mid(4));
}

}  // namespace symbol
