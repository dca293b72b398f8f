#include "tagfile.h"

#include "sheetpainter.h"
#include "symbol/pdfdocument.h"

namespace pipeline {

namespace {

constexpr double kPointsPerMm = 72 / 25.4;

QByteArray TagPdf(const LabelPlan& plan, QSizeF labelMm, const QString& name,
                  const symbol::SymbolCode& code, const std::optional<TagPrice>& price,
                  QString* error) {
    QByteArray bytes;
    symbol::PdfPages pdf(labelMm * kPointsPerMm, [&bytes](QByteArrayView written) {
        bytes.append(written);
        return true;
    });
    {
        SheetPainter painter(PdfPageSink(&pdf), plan);
        if (painter.Add(name, code, price) != SheetPainter::Added::Painted) {
            *error = QStringLiteral("the tag cannot be drawn on a label of that size");
            return {};
        }
    }
    if (!pdf.Finish()) {
        *error = QStringLiteral("the PDF could not be written");
        return {};
    }
    return bytes;
}

}  // namespace

QByteArray TagFile(const SymbolOutput& output, QSizeF labelMm, const LabelAsk& ask,
                   const QString& name, const symbol::SymbolCode& code,
                   const std::optional<TagPrice>& price, QString* error) {
    const LabelPlan plan = PlanLabels(WholePageSheet(labelMm), 0, ask);
    if (plan.refusal != LabelPlan::Refusal::None) {
        *error = QStringLiteral("the tag does not fit a label of that size");
        return {};
    }
    if (output.format == Format::Pdf)
        return TagPdf(plan, labelMm, name, code, price, error);
    *error = QStringLiteral("a tag is written as PDF only");
    return {};
}

}  // namespace pipeline
