#include "svgwriter.h"

#include <QString>
#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <unordered_map>
#include <vector>

#include "numbers.h"
#include "outline.h"

namespace symbol {

namespace {

// The outline as SVG path data in tenths of its units, each point as the
// step from the one before its operator, in as few characters as SVG reads:
// a file's characters are most of its bytes. The steps are taken between
// points already rounded, so that a reader adding them up lands on each
// point as written, with no error carried along.
void AppendSvgPath(std::string& out, const QPainterPath& path) {
    constexpr double kTenths = 10;
    qint64 atX = 0, atY = 0;  // the current point: where the last operator ended
    char last = 0;
    const auto number = [&out](qint64 tenths) {
        // A minus sign parts two numbers as well as a space does.
        if (tenths >= 0 && out.back() >= '0' && out.back() <= '9')
            out += ' ';
        AppendFixed(out, double(tenths) / kTenths, 1);
    };
    for (int i = 0; i < path.elementCount();) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isLineTo()) {
            // A level or an upright line, as most of a digit's are, by its
            // one length.
            const qint64 x = std::llround(e.x * kTenths), y = std::llround(e.y * kTenths);
            const char op = y == atY ? 'h' : x == atX ? 'v' : 'l';
            // A line after one of its kind needs no letter of its own.
            if (op != last)
                out += op;
            last = op;
            if (op != 'v')
                number(x - atX);
            if (op != 'h')
                number(y - atY);
            atX = x;
            atY = y;
            ++i;
            continue;
        }
        const int points = e.isCurveTo() ? 3 : 1;
        const char op = e.isMoveTo() ? 'm' : 'c';
        // After m, further points are lines: every m has its letter.
        if (op != last || op == 'm')
            out += op;
        last = op;
        qint64 endX = atX, endY = atY;
        for (const int end = i + points; i < end; ++i) {
            endX = std::llround(path.elementAt(i).x * kTenths);
            endY = std::llround(path.elementAt(i).y * kTenths);
            number(endX - atX);
            number(endY - atY);
        }
        atX = endX;
        atY = endY;
    }
}

// A character's outline in its font's units as SVG path data: a batch
// writes the same digits and letters thousands of times, and formatting
// them was most of a file's work. A tenth of a unit is a ten-thousandth of
// the em.
const std::string& KeptPath(const OutlinePiece& piece) {
    if (piece.key == 0) {
        thread_local std::string once;
        once.clear();
        AppendSvgPath(once, piece.path);
        return once;
    }
    thread_local std::unordered_map<quint64, std::string> kept;
    const auto [at, added] = kept.try_emplace(piece.key);
    if (added)
        AppendSvgPath(at->second, piece.path);
    return at->second;
}

// Every text of the description in millimetres, filled even-odd as a
// painter path is: each character's outline once in the file's definitions,
// in its font's units, and used where it stands through a matrix. The
// digits of a code repeat; an outline is ten times its use.
void AppendSvgTexts(std::string& out, const Description& description, double moduleMm) {
    const QTransform toMm = QTransform::fromScale(moduleMm, moduleMm);
    thread_local std::string uses;
    thread_local std::vector<quint64> defined;  // a file's few characters, by id
    uses.clear();
    defined.clear();
    std::array<double, 4> lastScale{};  // none: no character has a scale of 0
    std::string scaleText;
    out += "<defs>\n";
    for (const TextPlace& text : description.texts) {
        for (const OutlinePiece& piece : OutlinePieces(text)) {
            if (piece.path.isEmpty())
                continue;
            // A character without a key of its own is defined for its one use.
            const auto found = piece.key != 0 ? std::find(defined.begin(), defined.end(), piece.key)
                                              : defined.end();
            const int id = int(found - defined.begin());
            if (found == defined.end()) {
                defined.push_back(piece.key);
                out += "<path id=\"g";
                AppendFixed(out, id, 0);
                out += "\" d=\"";
                const std::string& path = KeptPath(piece);
                out += path;
                out += "\"/>\n";
            }
            uses += "<use xlink:href=\"#g";
            AppendFixed(uses, id, 0);
            uses += "\" transform=\"matrix(";
            // A text's characters share their scale: formatted once.
            const QTransform place = piece.transform * toMm;
            const std::array<double, 4> scale{place.m11(), place.m12(), place.m21(), place.m22()};
            if (scale != lastScale) {
                lastScale = scale;
                scaleText.clear();
                for (const double value : scale) {
                    AppendFixed(scaleText, value, 7);
                    scaleText += ' ';
                }
            }
            uses += scaleText;
            AppendMm(uses, place.dx());
            uses += ' ';
            AppendMm(uses, place.dy());
            uses += ")\"/>\n";
        }
    }
    out += "</defs>\n<g fill=\"#000\" fill-rule=\"evenodd\">\n";
    out += uses;
    out += "</g>\n";
}

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

// The window's layout as it shows in the window: one user unit a module,
// each bar a rectangle on the window's pixels, and the texts as text in the
// canvas font, to be edited as text. The name is the text at the name's
// corner; the element is written empty when there is none.
QByteArray WindowSvg(const Description& window, double moduleMm) {
    const TextPlace* named = nullptr;
    for (const TextPlace& text : window.texts)
        if (text.at == QPointF(kNameX, kNameY))
            named = &text;
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
    for (const BarRun& bar : window.bars)
        svg += QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\"/>\n")
                   .arg(bar.x)
                   .arg(bar.top)
                   .arg(bar.width)
                   .arg(bar.bottom - bar.top);
    svg += QStringLiteral("</g>\n");

    const TextPlace name =
        named ? *named : TextPlace{{}, Face::Canvas, kCanvasEm, {kNameX, kNameY}};
    const CanvasSetting nameSetting = SetOnCanvas(name);
    svg += QStringLiteral(
               "<g font-family=\"IPAGothic, 'IPAゴシック', monospace\" font-size=\"%1\" "
               "fill=\"#000\">\n"
               "<text x=\"%2\" y=\"%3\" xml:space=\"preserve\">%4</text>\n")
               .arg(kCanvasEm)
               .arg(Number(name.at.x()), Number(nameSetting.baseline), EscapeXml(name.text));
    // Each digit at its own place, so that a fallback font with wider digits
    // still keeps every group between its guards.
    for (const TextPlace& group : window.texts) {
        if (&group == named)
            continue;
        const CanvasSetting setting = SetOnCanvas(group);
        const QString baseline = Number(setting.baseline);
        const QString size = group.size == kCanvasEm
                                 ? QString()
                                 : QStringLiteral(" font-size=\"%1\"").arg(group.size);
        for (qsizetype i = 0; i < group.text.size(); ++i)
            svg += QStringLiteral("<text x=\"%1\" y=\"%2\"%3>%4</text>\n")
                       .arg(Number(setting.lefts[i]), baseline, size, EscapeXml(group.text[i]));
    }
    svg += QStringLiteral("</g>\n</svg>\n");
    return svg.toUtf8();
}

}  // namespace

QByteArray SvgOfPage(const Description& description, const FilePage& page) {
    const double moduleMm = page.moduleMm;
    if (description.layout == Layout::Window)
        return WindowSvg(description, moduleMm);
    const QSizeF size = page.size;
    std::string width, height;
    AppendMm(width, size.width());
    AppendMm(height, size.height());
    // Written into a string kept for the thread's next file: growing a
    // byte array a few characters at a time cost a quarter of the file.
    thread_local std::string svg;
    svg.clear();
    svg.reserve(16384);
    svg +=
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" "
        "xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\" width=\"";
    svg += width + "mm\" height=\"" + height + "mm\" viewBox=\"0 0 " + width + ' ' + height +
           "\">\n<rect width=\"" + width + "\" height=\"" + height + "\" fill=\"#fff\"/>\n" +
           "<path fill=\"#000\" d=\"";
    // Each bar from its corner by its width and height, as they are once
    // the corners are rounded: a reader adding them up finds every corner.
    const auto micrometres = [](double mm) { return std::llround(mm * 1000); };
    for (const QRectF& bar : page.bars) {
        const double width = double(micrometres(bar.right()) - micrometres(bar.left())) / 1000;
        const double height = double(micrometres(bar.bottom()) - micrometres(bar.top())) / 1000;
        svg += 'M';
        AppendMm(svg, bar.left());
        svg += ' ';
        AppendMm(svg, bar.top());
        svg += KeptText(std::pair(width, height), [&](std::string& text) {
            text += 'h';
            AppendMm(text, width);
            text += 'v';
            AppendMm(text, height);
            text += 'h';
            AppendMm(text, -width);
            text += 'z';
        });
    }
    svg += "\"/>\n";
    AppendSvgTexts(svg, description, moduleMm);
    svg += "</svg>\n";
    return QByteArray(svg.data(), qsizetype(svg.size()));
}

}  // namespace symbol
