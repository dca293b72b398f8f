#pragma once

// Prices on tags, in whole yen: the tax-inclusive price that must be shown
// (総額表示), the tax-exclusive one (本体価格) that may stand beside it, and
// the rate between them, 10 % or the reduced 8 % for food and drink. Money
// is integers throughout: a price is computed or given, never approximated.

#include <QString>
#include <QStringView>

#include <optional>

namespace pipeline {

// How the tax on a tax-exclusive price is rounded to whole yen: the seller's
// choice; down unless told.
enum class Rounding { Floor, Round, Ceil };

// The rates a tag may carry, in percent.
inline constexpr int kStandardTaxRate = 10;
inline constexpr int kReducedTaxRate = 8;

// The dearest price a tag shows: eight digits with the yen sign and commas
// still fit a label, and no sum below overflows.
inline constexpr qint64 kMaxYen = 99'999'999;

struct TagPrice {
    qint64 withTax = 0;     // 税込: what is charged and printed large
    qint64 withoutTax = 0;  // 税抜 / 本体価格
    int taxRate = kStandardTaxRate;

    friend bool operator==(const TagPrice&, const TagPrice&) = default;
};

// The tag of a tax-exclusive price: its tax at rate, rounded as asked,
// added on. Both prices at most kMaxYen, else nothing.
std::optional<TagPrice> PriceFromExclusive(qint64 yen, int taxRate, Rounding rounding);

// The tag of a tax-inclusive price: the tax it holds (yen * rate / (100 +
// rate)), rounded as asked, taken off. For every price made by
// PriceFromExclusive with the same rounding, this gives it back.
std::optional<TagPrice> PriceFromInclusive(qint64 yen, int taxRate, Rounding rounding);

// Why PriceFromExclusive (withTax false) or PriceFromInclusive gives no
// tag for yen: the price with tax it comes to is over kMaxYen, or the rate
// is not one a tag carries.
QString PriceRefusal(qint64 yen, bool withTax, int taxRate, Rounding rounding);

// "¥1,100": the yen sign, thousands separated by commas.
QString YenText(qint64 yen);

// A price cell as spreadsheets and people write it: digits (full-width
// ones too), commas between thousands, a yen sign (¥, ￥ or \) before or 円
// after, blanks around. Nothing else: a decimal point, a minus sign, a
// stray letter or a price over kMaxYen leave the reason in error.
std::optional<qint64> ReadYen(QStringView cell, QString* error);

// A tax rate cell: 10 or 8 (full-width too, with or without %), 標準 for
// 10 and 軽減 for 8; anything else leaves the reason in error.
std::optional<int> ReadTaxRate(QStringView cell, QString* error);

// --rounding's names: "floor", "round", "ceil".
std::optional<Rounding> RoundingNamed(QStringView name);

}  // namespace pipeline
