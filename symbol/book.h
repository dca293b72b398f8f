#pragma once

// The book JAN (書籍JANコード) of Japanese books: two JAN symbols stacked,
// the upper holding the ISBN, the lower the Japanese book code (192, the
// four-digit classification code, the five-digit price before tax and a
// check digit), under the text of the 日本図書コード, "ISBN978-4-... C0095
// ¥1500E". The sizes the Japan ISBN Agency's guide gives, as a printer's
// notes restate them: bars 11 mm tall and the symbol 31.35 mm wide (95
// modules of 0.33 mm) at 100 percent; the text of the 日本図書コード at
// least 11級 (2.75 mm). The guide's own figure for the space between the two
// symbols was not found; see kBookTierGap.

#include <QString>
#include <QStringView>

#include "layout.h"

namespace symbol {

// Bars 11 mm tall at 100 percent, the guards 5 X longer, as the JAN's.
inline constexpr double kBookBarHeight = 11 / kNominalModuleMm;
// Between the upper symbol's digits and the lower symbol's bars: 2 mm at
// 100 percent, as wide as real covers leave it. Chosen here, not published.
inline constexpr double kBookTierGap = 6;
// The 日本図書コード's text: 11級, 2.75 mm at 100 percent, the least the
// guide allows.
inline constexpr double kBookTextEm = 2.75 / kNominalModuleMm;

// An ISBN as typed: 13 digits starting 978 or 979, or 10 whose last may be
// X, with hyphens and spaces anywhere and an "ISBN" before them allowed.
struct Isbn {
    QString code;        // the 13 digits; empty when refused
    QString hyphenated;  // "978-4-..." as typed, else by the agency's ranges; may be empty
    QString refusal;     // why it was refused; empty when accepted
};
Isbn ReadIsbn(const QString& typed);

// The ISBN-10 check character of nine digits: weights 10 down to 2, modulo
// 11, "X" for ten.
QChar Isbn10CheckCharacter(QStringView nine);

// A 13-digit ISBN with hyphens between its prefix, registration group,
// registrant, publication and check digit, by the International ISBN
// Agency's ranges; empty for a group whose ranges are not kept here.
QString HyphenateIsbn(const QString& isbn13);

// The lower symbol's 13 digits: 192, the classification code's four digits,
// the price's five (00000 above 99,999 yen, as the code's rules say) and the
// check digit.
QString BookPriceCode(const QString& classification, qint64 price);

// The book pair from its three fields as typed; the text of its
// 日本図書コード is what stands for the pair wherever one code is carried.
struct BookCode {
    QString isbn;     // the upper symbol's 13 digits
    QString lower;    // the lower symbol's 13 digits
    QString text;     // "ISBN978-4-... C0095 ¥1500E"
    QString refusal;  // why the fields were refused; empty when accepted
};
// echo shows a typed field in a refusal (as typed when null).
BookCode ReadBookCode(const QString& isbn, const QString& classification, const QString& price,
                      QString (*echo)(const QString&) = nullptr);

// The pair again from the text of its 日本図書コード, as ReadBookCode wrote it.
BookCode BookCodeOfText(const QString& text);

// The text of a pair as wide as any of group 4, for sizing a place for
// pairs not yet read.
QString BookSampleText();

// The two lines of the text above the symbols: the ISBN, then the
// classification and the price.
QString BookIsbnLine(const QString& text);
QString BookPriceLine(const QString& text);

// The book pair's retail description: the name if any, the two text lines,
// the upper symbol and the lower one, their modules aligned.
Description DescribeBook(const QString& text, const QString& name);

}  // namespace symbol
