#include "vector.h"

#include <QTransform>

#include "outline.h"

namespace symbol {

namespace {

constexpr double kPointsPerMm = 72 / 25.4;

// A micrometre is plenty for print.
QString Mm(double value) {
    return QString::number(value, 'f', 3);
}

// The outline as SVG path data.
QString PathData(const QPainterPath& path) {
    QString d;
    d.reserve(path.elementCount() * 16);
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo())
            d += u'M';
        else if (e.isLineTo())
            d += u'L';
        else if (e.isCurveTo())
            d += u'C';
        else
            d += u' ';
        d += Mm(e.x) + u' ' + Mm(e.y);
    }
    return d;
}

// The outline as PDF path operators (y down, as the page's matrix makes it).
QByteArray PdfPath(const QPainterPath& path) {
    QByteArray ops;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        ops += (Mm(e.x) + u' ' + Mm(e.y)).toLatin1();
        if (e.isMoveTo())
            ops += " m\n";
        else if (e.isLineTo())
            ops += " l\n";
        else if (i + 1 == path.elementCount() ||
                 path.elementAt(i + 1).type != QPainterPath::CurveToDataElement)
            ops += " c\n";  // the end point of a curve
        else
            ops += ' ';
    }
    return ops;
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
    const QTransform toMm = QTransform::fromScale(moduleMm, moduleMm);
    for (const TextPlace& text : description.texts)
        symbol.text.addPath(toMm.map(TextOutline(text)));
    return symbol;
}

QByteArray SvgFile(const VectorSymbol& symbol) {
    const QString width = Mm(symbol.size.width());
    const QString height = Mm(symbol.size.height());
    QString svg = QStringLiteral(
                      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" "
                      "width=\"%1mm\" height=\"%2mm\" viewBox=\"0 0 %1 %2\">\n"
                      "<rect width=\"%1\" height=\"%2\" fill=\"#fff\"/>\n"
                      "<g fill=\"#000\" shape-rendering=\"crispEdges\">\n")
                      .arg(width, height);
    for (const QRectF& bar : symbol.bars)
        svg += QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\"/>\n")
                   .arg(Mm(bar.x()), Mm(bar.y()), Mm(bar.width()), Mm(bar.height()));
    svg += QStringLiteral("</g>\n<path fill=\"#000\" fill-rule=\"%1\" d=\"%2\"/>\n</svg>\n")
               .arg(symbol.text.fillRule() == Qt::OddEvenFill ? u"evenodd" : u"nonzero",
                    PathData(symbol.text));
    return svg.toUtf8();
}

QByteArray PdfFile(const VectorSymbol& symbol) {
    // In millimetres from the top-left corner, as the description has it.
    QByteArray content = QStringLiteral("%1 0 0 -%1 0 %2 cm\n1 g 0 0 %3 %4 re f\n0 g\n")
                             .arg(Mm(kPointsPerMm), Pt(symbol.size.height()),
                                  Mm(symbol.size.width()), Mm(symbol.size.height()))
                             .toLatin1();
    for (const QRectF& bar : symbol.bars)
        content += QStringLiteral("%1 %2 %3 %4 re\n")
                       .arg(Mm(bar.x()), Mm(bar.y()), Mm(bar.width()), Mm(bar.height()))
                       .toLatin1();
    content += "f\n";
    content += PdfPath(symbol.text);
    content += symbol.text.fillRule() == Qt::OddEvenFill ? "f*\n" : "f\n";
    return OnePagePdf(symbol.size, qCompress(content).mid(4));
}

}  // namespace symbol
