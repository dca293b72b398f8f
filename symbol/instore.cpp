#include "instore.h"

#include <algorithm>

#include "code.h"
#include "messages.h"
#include "pricecheck.h"

namespace symbol {

namespace {

bool AllDigits(QStringView text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

}  // namespace

const QList<InstoreRow>& InstoreFormats() {
    // prefix (2) + item + [price check digit] + price + check digit = 13.
    static const QList<InstoreRow> rows = {
        {InstoreFormat::Plu, QLatin1StringView("plu"), 10, 0, false, 20},
        {InstoreFormat::Price4, QLatin1StringView("price4"), 6, 4, false, 2},
        {InstoreFormat::Price5, QLatin1StringView("price5"), 5, 5, false, 2},
        {InstoreFormat::Price4Check, QLatin1StringView("price4-check"), 5, 4, true, 2},
        {InstoreFormat::Price5Check, QLatin1StringView("price5-check"), 4, 5, true, 2},
    };
    return rows;
}

const InstoreRow& InstoreRowOf(InstoreFormat format) {
    const QList<InstoreRow>& rows = InstoreFormats();
    return *std::find_if(rows.begin(), rows.end(),
                         [&](const InstoreRow& row) { return row.format == format; });
}

const InstoreRow* FindInstoreFormat(QStringView option) {
    for (const InstoreRow& row : InstoreFormats())
        if (option.compare(row.option, Qt::CaseInsensitive) == 0)
            return &row;
    return nullptr;
}

QString InstoreFormatNames() {
    QStringList names;
    for (const InstoreRow& row : InstoreFormats())
        names << QString(row.option);
    const QString last = names.takeLast();
    return Msg::tr("%1 or %2").arg(names.join(QStringLiteral(", ")), last);
}

bool IsInstorePrefix(const InstoreRow& row, int prefix) {
    return (prefix >= 20 && prefix <= 29) || (prefix == 2 && row.priceDigits > 0);
}

InstoreCode MakeInstoreCode(const InstoreRow& row, int prefix, QStringView typed, qint64 price) {
    InstoreCode made;
    // Full-width digits, as a spreadsheet's cell may hold them, are digits.
    const QString normal = typed.toString().normalized(QString::NormalizationForm_KC);
    const QStringView item = normal;
    const QString format = QString(row.option);
    if (!IsInstorePrefix(row, prefix)) {
        made.refusal =
            (row.priceDigits > 0 ? Msg::tr("an in-store code %1 begins with 02 or 20 to 29, not %2")
                                 : Msg::tr("an in-store code %1 begins with 20 to 29, not %2"))
                .arg(format, QString::number(prefix).rightJustified(2, u'0'));
        return made;
    }
    if (item.isEmpty() || item.size() > row.itemDigits || !AllDigits(item)) {
        made.refusal = Msg::tr(
                           "the item number of an in-store code %1 is 1 to %2 digits, "
                           "not '%3'")
                           .arg(format)
                           .arg(row.itemDigits)
                           .arg(item.left(40));
        return made;
    }
    QString data = QString::number(prefix).rightJustified(2, u'0') +
                   item.toString().rightJustified(row.itemDigits, u'0');
    if (row.priceDigits > 0) {
        qint64 largest = 1;
        for (int i = 0; i < row.priceDigits; ++i)
            largest *= 10;
        if (price < 0 || price >= largest) {
            made.refusal = Msg::tr(
                               "an in-store code %1 holds a price of %2 digits, "
                               "at most %3 yen, not %4")
                               .arg(format)
                               .arg(row.priceDigits)
                               .arg(largest - 1)
                               .arg(price);
            return made;
        }
        const QString digits = QString::number(price).rightJustified(row.priceDigits, u'0');
        if (row.priceCheck)
            data += QString::number(PriceCheckDigit(digits));
        data += digits;
    }
    made.code = data + QString::number(CheckDigitOf(data));
    return made;
}

std::optional<qint64> InstorePrice(const InstoreRow& row, QStringView code) {
    if (row.priceDigits == 0 || code.size() != 13 || !AllDigits(code) ||
        !HasValidCheckDigit(code) || !IsInstorePrefix(row, code.left(2).toInt()))
        return std::nullopt;
    const QStringView price = code.mid(12 - row.priceDigits, row.priceDigits);
    if (row.priceCheck && code[12 - row.priceDigits - 1].unicode() - u'0' != PriceCheckDigit(price))
        return std::nullopt;
    return price.toLongLong();
}

}  // namespace symbol
