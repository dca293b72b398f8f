#include "listcode.h"

#include <QRegularExpression>

#include <algorithm>

#include "messages.h"
#include "symbol/code.h"

namespace pipeline {

namespace {

QString spreadsheetHelp;

// Where a person reads how to keep a spreadsheet's codes as text.
QString SpreadsheetHelp() {
    return spreadsheetHelp.isEmpty() ? Msg::tr("\"Lists from a spreadsheet\" in the README")
                                     : spreadsheetHelp;
}

bool IsValidCode(const QString& digits) {
    return digits.size() == 13 && symbol::HasValidCheckDigit(digits);
}

QString WithCheckDigit(const QString& twelve) {
    return twelve + QChar(u'0' + symbol::CheckDigit(twelve + u'0'));
}

TypedCode Refused(const QString& refusal) {
    TypedCode refused;
    refused.refusal = refusal;
    return refused;
}

bool AllDigits(const QString& field) {
    return std::all_of(field.begin(), field.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

}  // namespace

TypedCode ReadListCode(const QString& field, bool wholeCodes, symbol::Symbology symbology) {
    static const QRegularExpression exponent(QStringLiteral(R"(\A\d+([.,]\d+)?[eE][+-]?\d+\z)"));
    if (exponent.match(field).hasMatch())
        return Refused(Msg::tr("%1: a spreadsheet turned this code into a number and wrote it "
                               "in exponent form; its last digits are lost and cannot be told: "
                               "keep the code column as text in the spreadsheet (see %2) and "
                               "export the list again")
                           .arg(field, SpreadsheetHelp()));
    // The lost zeros are the JAN's; the other symbologies take 11 or 7
    // digits as they are.
    if (!AllDigits(field) || symbology != symbol::kDefaultSymbology)
        return ReadTypedCode(field, symbology);
    const QString zero = u'0' + field;
    if (field.size() == 11) {
        const QString twoZeros = u'0' + zero;
        const bool zerosMakeIt = IsValidCode(twoZeros);
        return Refused(
            (zerosMakeIt ? Msg::tr("%1: 11 digits: a spreadsheet probably dropped leading zeros. "
                                   "With them the code is %2; keep the code column as text in "
                                   "the spreadsheet (see %3) and export the list again, or "
                                   "write them in")
                         : Msg::tr("%1: 11 digits: a spreadsheet probably dropped leading zeros. "
                                   "With them the code is %2 (check digit added); keep the code "
                                   "column as text in the spreadsheet (see %3) and export the "
                                   "list again, or write them in"))
                .arg(field, zerosMakeIt ? twoZeros : WithCheckDigit(zero), SpreadsheetHelp()));
    }
    if (wholeCodes && field.size() == 12 && IsValidCode(zero))
        return Refused(Msg::tr("%1: 12 digits, and with a leading 0 they are the valid code %2: a "
                               "spreadsheet probably dropped the zero. Write %2; or, if these are "
                               "the 12 digits without their check digit, all 13: %3")
                           .arg(field, zero, WithCheckDigit(field)));
    return ReadTypedCode(field);
}

void SetSpreadsheetHelp(const QString& where) {
    spreadsheetHelp = where;
}

}  // namespace pipeline
