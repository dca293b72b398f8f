#include "price.h"

#include <QRegularExpression>

#include "messages.h"

namespace pipeline {

namespace {

// a / b rounded as asked; a and b are not negative.
qint64 Divide(qint64 a, qint64 b, Rounding rounding) {
    switch (rounding) {
        case Rounding::Floor:
            return a / b;
        case Rounding::Round:  // half up, as 四捨五入
            return (2 * a + b) / (2 * b);
        case Rounding::Ceil:
            return (a + b - 1) / b;
    }
    return a / b;
}

bool KnownRate(int taxRate) {
    return taxRate == kStandardTaxRate || taxRate == kReducedTaxRate;
}

std::optional<TagPrice> Within(const TagPrice& price) {
    if (price.withTax > kMaxYen || price.withoutTax < 0)
        return std::nullopt;
    return price;
}

}  // namespace

std::optional<TagPrice> PriceFromExclusive(qint64 yen, int taxRate, Rounding rounding) {
    if (yen < 0 || yen > kMaxYen || !KnownRate(taxRate))
        return std::nullopt;
    const qint64 tax = Divide(yen * taxRate, 100, rounding);
    return Within({yen + tax, yen, taxRate});
}

std::optional<TagPrice> PriceFromInclusive(qint64 yen, int taxRate, Rounding rounding) {
    if (yen < 0 || yen > kMaxYen || !KnownRate(taxRate))
        return std::nullopt;
    const qint64 tax = Divide(yen * taxRate, 100 + taxRate, rounding);
    return Within({yen, yen - tax, taxRate});
}

QString PriceRefusal(qint64 yen, bool withTax, int taxRate, Rounding rounding) {
    if (!KnownRate(taxRate))
        return Msg::tr("%1 % is not a tax rate: 10 or 8").arg(taxRate);
    if (withTax || yen > kMaxYen)
        return Msg::tr("%1 is over the largest price a tag shows, %2")
            .arg(YenText(yen), YenText(kMaxYen));
    return Msg::tr("%1 with %2 % tax comes to %3, over the largest price a tag shows, %4")
        .arg(YenText(yen))
        .arg(taxRate)
        .arg(YenText(yen + Divide(yen * taxRate, 100, rounding)), YenText(kMaxYen));
}

QString YenText(qint64 yen) {
    QString digits = QString::number(yen);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, u',');
    return u'¥' + digits;
}

std::optional<qint64> ReadYen(QStringView cell, QString* error) {
    // Full-width digits, commas and yen signs become their plain forms.
    const QString text = cell.toString().normalized(QString::NormalizationForm_KC).trimmed();
    static const QRegularExpression kPrice(
        QStringLiteral(R"(^(?:[¥\\]\s*)?(\d{1,3}(?:,\d{3})+|\d+)\s*(?:円)?$)"));
    const QRegularExpressionMatch match = kPrice.match(text);
    if (text.isEmpty()) {
        *error = Msg::tr("no price");
        return std::nullopt;
    }
    if (!match.hasMatch()) {
        *error = Msg::tr("\"%1\" is not a price in whole yen").arg(cell.toString());
        return std::nullopt;
    }
    QString digits = match.captured(1);
    digits.remove(u',');
    bool ok = false;
    const qint64 yen = digits.size() <= 12 ? digits.toLongLong(&ok) : 0;
    if (!ok || yen > kMaxYen) {
        *error = Msg::tr("the price %1 is over the largest a tag shows, %2")
                     .arg(cell.toString(), YenText(kMaxYen));
        return std::nullopt;
    }
    return yen;
}

std::optional<int> ReadTaxRate(QStringView cell, QString* error) {
    const QString text = cell.toString().normalized(QString::NormalizationForm_KC).trimmed();
    if (text == u"10" || text == u"10%" || text == u"標準")
        return kStandardTaxRate;
    if (text == u"8" || text == u"8%" || text == u"軽減")
        return kReducedTaxRate;
    *error = Msg::tr("\"%1\" is not a tax rate: 10 or 8 (標準 or 軽減)").arg(cell.toString());
    return std::nullopt;
}

std::optional<Rounding> RoundingNamed(QStringView name) {
    if (name == u"floor")
        return Rounding::Floor;
    if (name == u"round")
        return Rounding::Round;
    if (name == u"ceil")
        return Rounding::Ceil;
    return std::nullopt;
}

}  // namespace pipeline
