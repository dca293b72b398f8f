#include "sheetpainter.h"

#include <algorithm>
#include <cmath>

#include "symbol/layout.h"
#include "symbol/vector.h"
#include "tagdesign.h"

namespace pipeline {

namespace {

// What a label shows, in millimetres from the page's corner: the black
// rectangles and the texts, each with the transform from its place to the
// page. Every device paints this, so that a printer and a file stay alike.
struct LabelContent {
    QList<QRectF> bars;
    QList<std::pair<symbol::TextPlace, QTransform>> texts;
};

// The symbol's bars and digits with its top-left corner near topLeft, on a
// whole dot of dotsPerMm, so that a module of whole dots keeps every bar
// edge on a dot: that corner.
QPointF PlaceSymbol(LabelContent* content, QPointF topLeft, const symbol::Description& description,
                    double module, const LabelStyle& style, double dotsPerMm) {
    const QPointF origin = style.dotOriginMm;
    const QPointF corner(
        std::round((topLeft.x() - origin.x()) * dotsPerMm) / dotsPerMm + origin.x(),
        std::round((topLeft.y() - origin.y()) * dotsPerMm) / dotsPerMm + origin.y());
    QList<QRectF> bars = symbol::BarRects(description, module, style.bwrMm);
    for (QRectF& bar : bars)
        bar = bar.translated(corner).adjusted(style.edgeInsetMm, 0, -style.edgeInsetMm, 0);
    content->bars.append(bars);
    const QTransform toPage(module, 0, 0, module, corner.x(), corner.y());
    for (const symbol::TextPlace& text : description.texts)
        content->texts.append({text, toPage});
    return corner;
}

LabelContent Content(const QRectF& label, const QString& name,
                     const symbol::Description& description, double module, const LabelStyle& style,
                     double dotsPerMm) {
    const QSizeF size = description.box * module;
    const QRectF inner =
        label.adjusted(kLabelMarginMm, kLabelMarginMm, -kLabelMarginMm, -kLabelMarginMm);

    // The name's line: what the room above the symbol allows, at most the
    // symbol's own.
    const bool withName = style.names && !name.isEmpty();
    const symbol::NameLine line =
        withName ? symbol::LabelNameLine(module, inner.height() - size.height())
                 : symbol::NameLine{};
    const double nameLine = line.band;
    const double top = inner.center().y() - (size.height() + nameLine) / 2 + nameLine;
    const double left = inner.center().x() - size.width() / 2;

    LabelContent content;
    const QPointF corner =
        PlaceSymbol(&content, QPointF(left, top), description, module, style, dotsPerMm);
    // The name from the symbol's corner too: in every label alike where the
    // names are alike in length.
    if (withName)
        content.texts.append(
            {symbol::TextPlace{name, symbol::Face::Name, line.em,
                               QPointF(inner.center().x() - corner.x(), -nameLine + line.baseline),
                               true, inner.width()},
             QTransform::fromTranslate(corner.x(), corner.y())});
    return content;
}

// Where something width x height stands in box, as align puts it.
QPointF Aligned(const QRectF& box, QSizeF size, Qt::Alignment align) {
    const double x = align & Qt::AlignLeft    ? box.left()
                     : align & Qt::AlignRight ? box.right() - size.width()
                                              : box.center().x() - size.width() / 2;
    const double y = align & Qt::AlignTop      ? box.top()
                     : align & Qt::AlignBottom ? box.bottom() - size.height()
                                               : box.center().y() - size.height() / 2;
    return {x, y};
}

// A line of a tag: texts one after another on one baseline, in the
// field's face unless given ("¥" in the name's, its amount in OCR-B), at
// share of the field's em.
struct Run {
    QString text;
    std::optional<symbol::Face> face = {};
};
struct Line {
    QList<Run> runs;
    double share = 1;
};
// The space between a line's texts, and between lines, in its ems.
constexpr double kRunGapEm = 0.15;
// The size of 税込 above its price.
constexpr double kTaxWordShare = 0.4;

double LineAdvance(const Line& line, symbol::Face face) {
    double advance = 0;
    for (const Run& run : line.runs)
        advance += AdvanceEm(run.face.value_or(face), run.text);
    return line.share * (advance + kRunGapEm * (line.runs.size() - 1));
}

// Lines of one field, one above the other, as large as its box allows, up
// to the field's largest em.
void AddLines(LabelContent* content, const QRectF& box, const FieldBox& field,
              const QList<Line>& lines) {
    const LineMetrics metrics = MetricsOf(field.face);
    double height = 0;
    double advance = 0;
    for (const Line& line : lines) {
        height += line.share * metrics.Height(1);
        advance = std::max(advance, LineAdvance(line, field.face));
    }
    height += kRunGapEm * (lines.size() - 1);
    const double em =
        std::min({field.maxEmMm, box.height() / height, advance > 0 ? box.width() / advance : 0.0});
    const QPointF at = Aligned(box, QSizeF(advance * em, height * em), field.align);
    double top = at.y();
    for (const Line& line : lines) {
        const double lineEm = line.share * em;
        const QPointF start = Aligned(QRectF(box.left(), 0, box.width(), 0),
                                      QSizeF(LineAdvance(line, field.face) * em, 0),
                                      field.align & Qt::AlignHorizontal_Mask);
        double x = start.x();
        const double baseline = top + metrics.ascent * lineEm;
        for (const Run& run : line.runs) {
            const symbol::Face face = run.face.value_or(field.face);
            const double width = lineEm * AdvanceEm(face, run.text);
            content->texts.append(
                {symbol::TextPlace{run.text, face, lineEm, QPointF(x + width / 2, baseline), true,
                                   box.right() - x},
                 QTransform()});
            x += width + kRunGapEm * lineEm;
        }
        top += metrics.Height(1) * lineEm + kRunGapEm * em;
    }
}

// The text in lines no wider than widthEm ems, broken after a blank where
// the line has one, else between any two characters (Japanese has no
// blanks between words).
QStringList BreakLines(const QString& text, symbol::Face face, double widthEm) {
    QStringList lines;
    QString line;
    for (const QChar c : text) {
        if (line.isEmpty() && c.isSpace())
            continue;
        if (line.isEmpty() || AdvanceEm(face, line + c) <= widthEm) {
            line += c;
            continue;
        }
        const qsizetype blank = line.lastIndexOf(u' ');
        if (blank > 0 && !c.isSpace()) {
            lines.append(line.left(blank));
            line = line.mid(blank + 1) + c;
        } else {
            lines.append(line.trimmed());
            line = c.isSpace() ? QString() : QString(c);
        }
    }
    if (!line.trimmed().isEmpty())
        lines.append(line.trimmed());
    return lines;
}

// The name on the field's lines at the largest em that holds it whole, down
// to the smallest; a name longer still is cut there, its last line ending
// with "…".
void AddName(LabelContent* content, const QRectF& box, const FieldBox& field, const QString& name) {
    if (name.trimmed().isEmpty())
        return;
    const LineMetrics metrics = MetricsOf(field.face);
    const double tallest = box.height() / metrics.Height(field.lines);
    const double smallest = std::min(field.minEmMm, tallest);
    double em = std::min(field.maxEmMm, box.height() / metrics.Height(1));
    QStringList lines;
    constexpr double kEmStepMm = 0.1;
    for (;; em -= kEmStepMm) {
        em = std::max(em, smallest);
        lines = BreakLines(name, field.face, box.width() / em);
        if (lines.size() <= field.lines && metrics.Height(int(lines.size())) * em <= box.height())
            break;
        if (em <= smallest) {
            lines = lines.mid(0, field.lines);
            QString& last = lines.last();
            const QString cut = QStringLiteral("…");
            while (!last.isEmpty() && AdvanceEm(field.face, last + cut) > box.width() / em)
                last.chop(1);
            last = last.trimmed() + cut;
            break;
        }
    }
    const QPointF at =
        Aligned(box, QSizeF(box.width(), metrics.Height(int(lines.size())) * em), field.align);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const double width = std::min(box.width(), em * AdvanceEm(field.face, lines[i]));
        const QPointF line = Aligned(QRectF(box.left(), 0, box.width(), 0), QSizeF(width, 0),
                                     field.align & Qt::AlignHorizontal_Mask);
        content->texts.append(
            {symbol::TextPlace{
                 lines[i], field.face, em,
                 QPointF(line.x() + width / 2, at.y() + (metrics.ascent + i * metrics.pitch) * em),
                 true, box.width()},
             QTransform()});
    }
}

// A tag: each field of its design in its box.
LabelContent TagContent(const QRectF& label, const QString& name, const TagPrice& price,
                        const symbol::Description& description, double module,
                        const LabelStyle& style, const TagStyle& tag, const TagLayout& layout,
                        double dotsPerMm) {
    const QRectF inner =
        label.adjusted(kLabelMarginMm, kLabelMarginMm, -kLabelMarginMm, -kLabelMarginMm);
    LabelContent content;
    for (const FieldBox& field : layout) {
        const QRectF box = FieldRect(field, inner, tag.symbol);
        switch (field.field) {
            case TagField::Symbol:
                if (tag.symbol)
                    PlaceSymbol(&content, Aligned(box, description.box * module, field.align),
                                description, module, style, dotsPerMm);
                break;
            case TagField::Name:
                AddName(&content, box, field, name);
                break;
            case TagField::WithTax:
                AddLines(&content, box, field,
                         {{{{QStringLiteral("税込"), symbol::Face::Name}}, kTaxWordShare},
                          {{{QStringLiteral("¥"), symbol::Face::Name},
                            {YenText(price.withTax).mid(1)}}}});
                break;
            case TagField::WithoutTax: {
                const Run word{ExclusiveWord(tag.wording), symbol::Face::Name};
                const QList<Run> amount = {{QStringLiteral("¥"), symbol::Face::Name},
                                           {YenText(price.withoutTax).mid(1)}};
                if (field.lines > 1)
                    AddLines(&content, box, field, {{{word}}, {amount}});
                else
                    AddLines(&content, box, field,
                             {{QList<Run>{{word.text + u' ', word.face}} + amount}});
                break;
            }
        }
    }
    return content;
}

}  // namespace

SheetPainter::SheetPainter(std::unique_ptr<PageSink> sink, const LabelPlan& plan)
    : sink_(std::move(sink)), plan_(plan) {}

SheetPainter::~SheetPainter() = default;

bool SheetPainter::Start() {
    if (!sink_->Start())
        return false;
    StartPage();
    return true;
}

bool SheetPainter::NewPage() {
    if (!sink_->NewPage())
        return false;
    StartPage();
    return true;
}

// A test print shows every label's edge, the empty ones too.
void SheetPainter::StartPage() {
    if (!plan_.style.outline)
        return;
    constexpr double kEdgeLineMm = 0.1;
    QList<QRectF> edges;
    for (int i = 0; i < plan_.sheet.LabelsPerPage(); ++i)
        edges.append(plan_.sheet.LabelRect(i));
    sink_->StrokeRects(edges, kEdgeLineMm);
}

SheetPainter::Added SheetPainter::Add(const QString& name, const symbol::SymbolCode& code,
                                      const std::optional<TagPrice>& price) {
    const bool tag = IsTag(plan_.tag.design);
    if (tag && !price)
        return Added::NoPrice;
    const LabelSlot slot = plan_.Place(painted_);
    const QRectF label = plan_.sheet.LabelRect(slot.index);
    const symbol::SymbologyRow& row = symbol::RowOf(code.symbology);
    // A tag's symbol stands in its box; the plain label's fills the label.
    const bool withSymbol = !tag || plan_.tag.symbol;
    const FieldBox* symbolField = FieldOf(plan_.Layout(), TagField::Symbol);
    const double roomMm = tag && symbolField
                              ? FieldRect(*symbolField,
                                          label.adjusted(kLabelMarginMm, kLabelMarginMm,
                                                         -kLabelMarginMm, -kLabelMarginMm),
                                          true)
                                    .width()
                              : label.width() - 2 * kLabelMarginMm;
    const double smallest =
        tag ? std::max<double>(row.minMagnification, kTagMinMagnification) : row.minMagnification;
    symbol::Description described;
    double module = 0;
    if (!withSymbol) {
        // A shelf label without its symbol: the texts alone.
    } else if (OneSizePerRun(row)) {
        // Every such code has the same size, fitted to the labels beforehand.
        symbol::SymbolCode sized = code;
        sized.itf = plan_.style.itf;
        sized = AtMagnification(sized, plan_.style.magnification);
        described = symbol::Describe(symbol::Layout::Retail, sized, {});
        module = sized.itf.moduleMm;
    } else {
        described = symbol::Describe(symbol::Layout::Retail, code, {});
        const double room = roomMm / described.box.width();
        module = std::min(symbol::ModuleMmAt(row, plan_.style.magnification), room);
        if (module < symbol::ModuleMmAt(row, smallest))
            return Added::TooLarge;
    }
    if (withSymbol && !symbol::LeavesHalfModule(plan_.style.bwrMm, module))
        return Added::BarsTooThin;
    // Painting starts with the first label, so that a run that has none
    // leaves the device as it was: a printer gets no job, not a blank page.
    if (!sink_->Started() && !Start())
        return Added::DeviceFailed;
    ++painted_;
    while (slot.page > page_) {
        if (!NewPage())
            return Added::DeviceFailed;
        ++page_;
    }
    const LabelContent content =
        tag ? TagContent(label, name, *price, described, module, plan_.style, plan_.tag,
                         plan_.Layout(), sink_->DotsPerMm())
            : Content(label, name, described, module, plan_.style, sink_->DotsPerMm());
    sink_->FillRects(content.bars);
    for (const auto& [text, toPage] : content.texts)
        sink_->FillText(text, toPage);
    return Added::Painted;
}

}  // namespace pipeline
