#pragma once

// In-store codes (インストアマーキング): the JAN-13 codes a shop gives to
// what carries no maker's JAN (bread, deli, loose goods), valid in its own
// tills only. A PLU code holds the shop's item number, the price being
// looked up at the till; the others hold the price itself, some with a
// price check digit before it (symbol/pricecheck.h). Each layout here is one
// that published material gives; README names where.

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace symbol {

enum class InstoreFormat { Plu, Price4, Price5, Price4Check, Price5Check };

struct InstoreRow {
    InstoreFormat format;
    QLatin1StringView option;  // --instore's name
    int itemDigits;
    int priceDigits;  // 0: PLU, no price inside
    bool priceCheck;  // a price check digit stands before the price
    int defaultPrefix;
};

const QList<InstoreRow>& InstoreFormats();
const InstoreRow& InstoreRowOf(InstoreFormat format);
// The row named so ("plu", "price4", ...), case ignored; null when none is.
const InstoreRow* FindInstoreFormat(QStringView option);
// The names, as a sentence lists them: "plu, price4, ... or price5-check".
QString InstoreFormatNames();

// Whether a code's first two digits may begin the format's codes: 20-29,
// and 02 for the codes with the price inside.
bool IsInstorePrefix(const InstoreRow& row, int prefix);

struct InstoreCode {
    QString code;     // 13 digits, check digit last; empty when refused
    QString refusal;  // why nothing could be made
};

// The code of format from its prefix, the shop's item number (digits, at
// most the format's; fewer are padded with zeros before) and, for the
// formats with the price inside, the price in yen (at most the format's
// digits); price is not read for PLU.
InstoreCode MakeInstoreCode(const InstoreRow& row, int prefix, QStringView item, qint64 price = 0);

// The price inside a whole code of format: nothing when the format has no
// price, the code is not 13 digits or not of its prefixes, or the price
// check digit does not hold.
std::optional<qint64> InstorePrice(const InstoreRow& row, QStringView code);

}  // namespace symbol
