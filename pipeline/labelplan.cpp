#include "labelplan.h"

#include <algorithm>
#include <cmath>

#include "messages.h"

namespace pipeline {

namespace {

// The symbol's box in modules at magnification; any code of its length
// gives the same.
QSizeF SymbolBox(const symbol::SymbolCode& symbol, double magnification) {
    symbol::SymbolCode sample = AtMagnification(symbol, magnification);
    sample.code = symbol::SampleCode(symbol::RowOf(symbol.symbology));
    sample.addon.fill(u'0');
    return symbol::Describe(symbol::Layout::Retail, sample, {}).box;
}

// The box of a symbol of one size per run, in millimetres.
QSizeF OneSizeBoxMm(const symbol::SymbolCode& code, double magnification) {
    return SymbolBox(code, magnification) *
           symbol::ModuleMmAt(symbol::RowOf(code.symbology), magnification);
}

// The largest magnification, in tenths of a percent from the asked one
// down, at which a symbol of one size per run fits the room; 0 when none
// does.
double FitOneSize(QSizeF roomMm, double asked, const symbol::SymbolCode& code) {
    const int floor = symbol::RowOf(code.symbology).minMagnification * 10;
    for (int tenths = int(std::floor(asked * 10)); tenths >= floor; --tenths) {
        const double magnification = tenths / 10.0;
        const QSizeF box = OneSizeBoxMm(code, magnification);
        if (box.width() <= roomMm.width() && box.height() <= roomMm.height())
            return tenths == asked * 10 ? asked : magnification;
    }
    return 0;
}

double NameBand(bool withName) {
    return withName ? symbol::kLabelNameMinBandMm : 0;
}

// A tag's room inside its margins.
QRectF Inner(QSizeF labelMm) {
    return {kLabelMarginMm, kLabelMarginMm, labelMm.width() - 2 * kLabelMarginMm,
            labelMm.height() - 2 * kLabelMarginMm};
}

bool TagSymbol(const TagLayout& layout, const TagStyle& tag) {
    return tag.symbol && FieldOf(layout, TagField::Symbol);
}

// Whether every text of a tag's layout has the height of its smallest em.
bool TextsFit(QSizeF labelMm, const TagLayout& layout, const TagStyle& tag) {
    for (const FieldBox& field : layout)
        if (field.field != TagField::Symbol &&
            FieldRect(field, Inner(labelMm), tag.symbol).height() <
                field.minEmMm * MetricsOf(field.face).Height(field.lines))
            return false;
    return true;
}

// The magnification of a tag's symbol on labels of that size in a layout:
// the asked one when its box holds it, else the largest it holds, never
// below the tag's smallest; 0 when the box, or a text's, is too small.
// Without a symbol, the asked one where the texts fit.
double FitTag(QSizeF labelMm, double asked, const symbol::SymbolCode& code, const TagLayout& layout,
              const TagStyle& tag) {
    if (!TextsFit(labelMm, layout, tag))
        return 0;
    if (!TagSymbol(layout, tag))
        return asked;
    const QSizeF box = FieldRect(*FieldOf(layout, TagField::Symbol), Inner(labelMm), true).size();
    const double fitted =
        FitMagnification(box + QSizeF(2 * kLabelMarginMm, 2 * kLabelMarginMm), asked, false, code);
    return fitted >= kTagMinMagnification ? fitted : 0;
}

// The same in the first of the design's layouts that holds it.
double FitTagAny(QSizeF labelMm, double asked, const symbol::SymbolCode& code,
                 const TagStyle& tag) {
    for (const TagLayout& layout : DesignOf(tag.design).layouts)
        if (const double fitted = FitTag(labelMm, asked, code, layout, tag); fitted > 0)
            return fitted;
    return 0;
}

// The label a tag's layout needs with its symbol at magnification: each
// field's box as large as its content at its smallest.
QSizeF NeededTag(double magnification, const symbol::SymbolCode& code, const TagLayout& layout,
                 const TagStyle& tag) {
    QSizeF inner;
    const auto atLeast = [&inner](double width, double height) {
        inner = inner.expandedTo(QSizeF(width, height));
    };
    for (const FieldBox& field : layout) {
        const QRectF& box =
            !tag.symbol && !field.noSymbolBox.isEmpty() ? field.noSymbolBox : field.box;
        if (field.field != TagField::Symbol) {
            // As wide as a short name or a four-digit price at its smallest.
            const QString sample = field.field == TagField::Name ? QStringLiteral("商品名")
                                   : field.field == TagField::WithTax
                                       ? QStringLiteral("¥9,999")
                                       : ExclusiveWord(tag.wording) + QStringLiteral(" ¥9,999");
            double sampleEm = 0;  // on lines of their own, the widest word
            for (const QString& line : field.lines > 1 ? sample.split(u' ') : QStringList{sample})
                sampleEm = std::max(sampleEm, AdvanceEm(field.face, line));
            atLeast(field.minEmMm * sampleEm / box.width(),
                    field.minEmMm * MetricsOf(field.face).Height(field.lines) / box.height());
        } else if (tag.symbol) {
            const QSizeF symbol = NeededLabelSize(magnification, false, code) -
                                  QSizeF(2 * kLabelMarginMm, 2 * kLabelMarginMm);
            atLeast(symbol.width() / box.width(), symbol.height() / box.height());
        }
    }
    // To a tenth of a millimetre, upwards.
    return {std::ceil(inner.width() * 10) / 10 + 2 * kLabelMarginMm,
            std::ceil(inner.height() * 10) / 10 + 2 * kLabelMarginMm};
}

}  // namespace

bool OneSizePerRun(const symbol::SymbologyRow& row) {
    // ITF-14's wide bars are no whole modules, and its bars are 31.75 mm tall
    // whatever the module.
    return row.modules == 0;
}

symbol::SymbolCode AtMagnification(symbol::SymbolCode code, double magnification) {
    const symbol::SymbologyRow& row = symbol::RowOf(code.symbology);
    if (OneSizePerRun(row))
        code.itf.moduleMm = symbol::ModuleMmAt(row, magnification);
    return code;
}

QSizeF NeededLabelSize(double magnification, bool withName, const symbol::SymbolCode& code) {
    const symbol::SymbologyRow& row = symbol::RowOf(code.symbology);
    const QSizeF box = OneSizePerRun(row) ? OneSizeBoxMm(code, magnification)
                                          : SymbolBox(code, 100) * symbol::ModuleMm(magnification);
    const double name = NameBand(withName);
    return {box.width() + 2 * kLabelMarginMm, box.height() + name + 2 * kLabelMarginMm};
}

double FitMagnification(QSizeF labelMm, double asked, bool withName,
                        const symbol::SymbolCode& code) {
    const symbol::SymbologyRow& row = symbol::RowOf(code.symbology);
    const double name = NameBand(withName);
    if (OneSizePerRun(row))
        return FitOneSize(QSizeF(labelMm.width() - 2 * kLabelMarginMm,
                                 labelMm.height() - 2 * kLabelMarginMm - name),
                          asked, code);
    const QSizeF at100 = SymbolBox(code, 100) * symbol::ModuleMm(100);
    const double room = std::min((labelMm.width() - 2 * kLabelMarginMm) / at100.width(),
                                 (labelMm.height() - 2 * kLabelMarginMm - name) / at100.height());
    const double fits = std::floor(room * 1000) / 10;
    if (fits >= asked)
        return asked;
    return fits >= row.minMagnification ? fits : 0;
}

SheetTemplate WholePageSheet(QSizeF pageMm) {
    return {QStringLiteral("page"),
            Msg::tr("one symbol on the page"),
            0,
            0,
            pageMm.width(),
            pageMm.height(),
            pageMm.width(),
            pageMm.height(),
            1,
            1};
}

bool FitsBetterTurned(QSizeF pageMm, const LabelAsk& ask) {
    if (IsTag(ask.tag.design))
        return FitTagAny(pageMm.transposed(), ask.magnification, ask.symbol, ask.tag) >
               FitTagAny(pageMm, ask.magnification, ask.symbol, ask.tag);
    return FitMagnification(pageMm.transposed(), ask.magnification, ask.names, ask.symbol) >
           FitMagnification(pageMm, ask.magnification, ask.names, ask.symbol);
}

LabelSlot LabelPlan::Place(qint64 n) const {
    return SlotOf(sheet, skip, int(n));
}

qint64 LabelPlan::Pages(qint64 count) const {
    const qint64 perPage = sheet.LabelsPerPage();
    return count == 0 ? 0 : (skip + count + perPage - 1) / perPage;
}

double LabelPlan::ModuleUm() const {
    return symbol::ModuleUmAt(symbol::RowOf(sized.symbology), style.magnification);
}

double LabelPlan::FewestDots() const {
    const symbol::SymbologyRow& row = symbol::RowOf(sized.symbology);
    return symbol::WholeDotModule(row, dpi, row.minMagnification).magnification;
}

QSizeF LabelPlan::Needed(double magnification) const {
    if (!IsTag(tag.design))
        return NeededLabelSize(magnification, style.names, sized);
    QSizeF smallest;
    for (const TagLayout& each : DesignOf(tag.design).layouts) {
        const QSizeF needed = NeededTag(magnification, sized, each, tag);
        if (smallest.isEmpty() ||
            needed.width() * needed.height() < smallest.width() * smallest.height())
            smallest = needed;
    }
    return smallest;
}

const TagLayout& LabelPlan::Layout() const {
    static const TagLayout none;
    const QList<TagLayout>& layouts = DesignOf(tag.design).layouts;
    return layout < layouts.size() ? layouts[layout] : none;
}

LabelPlan PlanLabels(const SheetTemplate& sheet, int skip, const LabelAsk& ask, int dpi) {
    LabelPlan plan;
    plan.sheet = sheet;
    plan.skip = skip;
    plan.dpi = dpi;
    plan.sized = ask.symbol;
    plan.tag = ask.tag;
    LabelStyle& style = plan.style;
    style.names = ask.names;
    style.outline = ask.outline;
    style.bwrMm = ask.bwrMicrons / 1000.0;
    style.itf = ask.symbol.itf;
    const symbol::SymbologyRow& row = symbol::RowOf(ask.symbol.symbology);
    const bool tag = IsTag(ask.tag.design);
    const double smallest =
        tag ? std::max<double>(row.minMagnification, kTagMinMagnification) : row.minMagnification;
    // A tag takes the first of its layouts that holds it, on a printer at a
    // module of whole dots; the refusal is the nearest to holding.
    const int layouts = tag ? int(DesignOf(ask.tag.design).layouts.size()) : 1;
    plan.refusal = LabelPlan::Refusal::TooSmall;
    style.magnification = 0;
    for (int layout = 0; layout < layouts; ++layout) {
        const auto fit = [&](double asked) {
            return tag ? FitTag(plan.LabelMm(), asked, ask.symbol,
                                DesignOf(ask.tag.design).layouts[layout], ask.tag)
                       : FitMagnification(plan.LabelMm(), asked, ask.names, ask.symbol);
        };
        const double fitted = fit(ask.magnification);
        if (fitted == 0)
            continue;
        plan.layout = layout;
        plan.fitted = fitted;
        style.magnification = fitted;
        plan.refusal = LabelPlan::Refusal::None;
        if (dpi <= 0 || (tag && !ask.tag.symbol))
            break;
        plan.largest = fit(row.maxMagnification);
        plan.module = symbol::WholeDotModule(row, dpi, plan.fitted, smallest, plan.largest);
        style.magnification = plan.module.magnification;
        if (plan.module.dots != 0)
            break;
        plan.refusal = LabelPlan::Refusal::NoWholeDots;
    }
    if (plan.refusal != LabelPlan::Refusal::None)
        return plan;
    if (tag && !ask.tag.symbol)
        return plan;
    // A reduction is checked against the module the labels get, which the
    // fitting may have made smaller than the one asked for.
    if (!symbol::LeavesHalfModule(ask.bwrMicrons, plan.ModuleUm()))
        plan.refusal = LabelPlan::Refusal::BarsTooThin;
    return plan;
}

}  // namespace pipeline
