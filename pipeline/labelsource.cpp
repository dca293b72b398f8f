#include "labelsource.h"

#include <utility>

#include "bookcode.h"
#include "listcode.h"
#include "listreader.h"
#include "messages.h"
#include "symbol/symbology.h"

namespace pipeline {

std::optional<TagPrice> ReadTagPrice(const QString& withTax, const QString& withoutTax,
                                     const QString& rate, const TagPricing& pricing,
                                     QString* error) {
    int taxRate = pricing.taxRate;
    if (!rate.trimmed().isEmpty()) {
        QString why;
        const std::optional<int> read = ReadTaxRate(rate, &why);
        if (!read) {
            *error = QStringLiteral("税率: %1").arg(why);
            return std::nullopt;
        }
        taxRate = *read;
    }
    const auto yen = [&](const QString& cell, const QString& column) -> std::optional<qint64> {
        QString why;
        const std::optional<qint64> read = ReadYen(cell, &why);
        if (!read)
            *error = QStringLiteral("%1: %2").arg(column, why);
        return read;
    };
    const bool inclusive = !withTax.trimmed().isEmpty();
    const bool exclusive = !withoutTax.trimmed().isEmpty();
    if (!inclusive && !exclusive) {
        *error = withTax.isNull() && withoutTax.isNull()
                     ? Msg::tr(
                           "a tag needs its price: a column 売価, 税込価格 or 価格 "
                           "(with tax), or 税抜価格 or 本体価格 (without)")
                     : Msg::tr("the price is empty");
        return std::nullopt;
    }
    const std::optional<qint64> given =
        inclusive ? yen(withTax, QStringLiteral("税込")) : yen(withoutTax, QStringLiteral("税抜"));
    if (!given)
        return std::nullopt;
    const std::optional<TagPrice> price =
        inclusive ? PriceFromInclusive(*given, taxRate, pricing.rounding)
                  : PriceFromExclusive(*given, taxRate, pricing.rounding);
    if (!price) {
        *error = PriceRefusal(*given, inclusive, taxRate, pricing.rounding);
        return std::nullopt;
    }
    if (inclusive && exclusive) {
        const std::optional<qint64> other = yen(withoutTax, QStringLiteral("税抜"));
        if (!other)
            return std::nullopt;
        if (*other != price->withoutTax) {
            *error = Msg::tr("税込 %1 is 税抜 %2 at %3 %, not %4")
                         .arg(YenText(price->withTax), YenText(price->withoutTax))
                         .arg(taxRate)
                         .arg(YenText(*other));
            return std::nullopt;
        }
    }
    return price;
}

TypedCode InstoreCodeOf(const QString& code, const QString& item, const TagPrice& price,
                        const TagPricing& pricing, bool hasHeader) {
    const symbol::InstoreRow& row = *pricing.instore;
    const QString format = QString(row.option);
    if (code.trimmed().isEmpty()) {
        if (item.trimmed().isEmpty())
            return {QString(), QString(),
                    Msg::tr("an in-store code %1 needs the item number (品番 or 商品コード)")
                        .arg(format)};
        const symbol::InstoreCode made = symbol::MakeInstoreCode(
            row, pricing.instorePrefix >= 0 ? pricing.instorePrefix : row.defaultPrefix,
            item.trimmed(), price.withTax);
        return {made.code, QString(), made.refusal};
    }
    TypedCode typed = ReadListCode(code, hasHeader);
    if (!typed.refusal.isEmpty())
        return typed;
    const auto refuse = [&](const QString& why) { return TypedCode{QString(), QString(), why}; };
    if (!symbol::IsInstorePrefix(row, typed.code.left(2).toInt()))
        return refuse(
            (row.priceDigits > 0
                 ? Msg::tr("%1 is not an in-store code %2, which begins with 02 or 20 to 29")
                 : Msg::tr("%1 is not an in-store code %2, which begins with 20 to 29"))
                .arg(typed.code, format));
    // A line that gives both its code and its item number: they must agree.
    if (!item.trimmed().isEmpty()) {
        const symbol::InstoreCode made =
            symbol::MakeInstoreCode(row, typed.code.left(2).toInt(), item.trimmed(),
                                    row.priceDigits > 0 ? price.withTax : 0);
        if (made.code.isEmpty())
            return refuse(made.refusal);
        if (made.code.mid(2, row.itemDigits) != typed.code.mid(2, row.itemDigits))
            return refuse(Msg::tr("the code %1 does not hold the item number %2")
                              .arg(typed.code, item.trimmed()));
    }
    if (row.priceDigits == 0)
        return typed;
    const std::optional<qint64> inside = symbol::InstorePrice(row, typed.code);
    if (!inside)
        return refuse(Msg::tr("the price check digit of %1 does not hold").arg(typed.code));
    if (*inside != price.withTax)
        return refuse(Msg::tr("the price inside the code, %1, is not the tag's %2")
                          .arg(YenText(*inside), YenText(price.withTax)));
    return typed;
}

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
    std::optional<TagPrice> price;
    QString priceError;
    // A book list's price (本体価格) is a book's price without tax.
    const QString& withoutTax = record.priceWithoutTax.isNull() && record.priceWithTax.isNull()
                                    ? record.price
                                    : record.priceWithoutTax;
    if (pricing_.tags && record.error.isEmpty())
        price =
            ReadTagPrice(record.priceWithTax, withoutTax, record.taxRate, pricing_, &priceError);
    TypedCode typed;
    if (!priceError.isEmpty())
        typed.refusal = priceError;
    else if (pricing_.instore && record.error.isEmpty())
        // A PLU code without a tag holds no price.
        typed = InstoreCodeOf(record.digits, record.item, price.value_or(TagPrice{}), pricing_,
                              reader_->HasHeader());
    else if (symbol::RowOf(symbology_).caseCode && indicator_ >= 0 && record.error.isEmpty())
        typed = CaseCodeOfJan(ReadListCode(record.digits, reader_->HasHeader()), record.digits,
                              indicator_);
    else
        typed = ReadRecordCode(record, reader_->HasHeader(), symbology_);
    *label = Label{record.line,
                   record.name,
                   {symbology_, typed.code, typed.addon},
                   typed.refusal,
                   typed.refusal.isEmpty() ? record.note : QString(),
                   typed.refusal.isEmpty() ? price : std::nullopt};
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
        const SheetPainter::Added added = painter.Add(label.name, label.code, label.price);
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
