#include "labelsource.h"

#include <utility>

#include "bookcode.h"
#include "listcode.h"
#include "listreader.h"
#include "symbol/symbology.h"

namespace pipeline {

LabelSource::LabelSource(ListReader& reader, symbol::Symbology symbology, int copies, int indicator)
    : reader_(&reader), symbology_(symbology), copies_(copies), indicator_(indicator) {}

LabelSource::LabelSource(ListReader& reader, int copies)
    : reader_(&reader), booksByColumns_(true), copies_(copies) {}

LabelSource::LabelSource(QList<Label> labels, int copies)
    : held_(std::move(labels)), copies_(copies) {}

bool LabelSource::Next(Label* label) {
    if (copiesLeft_ > 0) {
        --copiesLeft_;
        *label = current_;
        label->note.clear();
        return true;
    }
    if (!NextRecord(&current_))
        return false;
    copiesLeft_ = current_.refusal.isEmpty() ? copies_ - 1 : 0;
    *label = current_;
    return true;
}

bool LabelSource::NextRecord(Label* label) {
    if (!reader_) {
        if (nextHeld_ >= held_.size())
            return false;
        *label = held_[nextHeld_++];
        return true;
    }
    ListRecord record;
    if (!reader_->Next(&record))
        return false;
    if (booksByColumns_ && !record.classification.isNull() && !record.price.isNull())
        symbology_ = symbol::RowWith(&symbol::SymbologyRow::bookFields)->symbology;
    const TypedCode typed =
        symbol::RowOf(symbology_).caseCode && indicator_ >= 0 && record.error.isEmpty()
            ? CaseCodeOfJan(ReadListCode(record.digits, reader_->HasHeader()), record.digits,
                            indicator_)
            : ReadRecordCode(record, reader_->HasHeader(), symbology_);
    *label = Label{record.line,
                   record.name,
                   {symbology_, typed.code, typed.addon},
                   typed.refusal,
                   typed.refusal.isEmpty() ? record.note : QString()};
    return true;
}

bool PaintLabels(LabelSource& source, SheetPainter& painter, LabelReport& report,
                 LabelCount* count) {
    Label label;
    while (source.Next(&label)) {
        if (!label.refusal.isEmpty()) {
            ++count->failed;
            report.Refused(label);
            continue;
        }
        if (!label.note.isEmpty())
            report.Noted(label);
        const SheetPainter::Added added = painter.Add(label.name, label.code);
        if (added == SheetPainter::Added::DeviceFailed)
            return false;
        if (added == SheetPainter::Added::Painted) {
            ++count->painted;
        } else {
            ++count->failed;
            report.LeftOut(label, added);
        }
    }
    return true;
}

}  // namespace pipeline
