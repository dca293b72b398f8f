#include "book.h"

#include <QFontMetricsF>
#include <QRegularExpression>
#include <algorithm>
#include <array>

#include "code.h"
#include "messages.h"
#include "outline.h"
#include "pattern.h"

namespace symbol {

namespace {

// The registrant element's length in registration group 4 (Japan), by the
// seven digits after the group: the International ISBN Agency's range
// message (RangeMessage.xml, prefix 978-4), as it stood in 2023.
struct RegistrantRange {
    int last;  // the highest seven digits of the range
    int length;
};
constexpr std::array<RegistrantRange, 6> kJapanRanges = {
    {{1999999, 2}, {6999999, 3}, {8499999, 4}, {8999999, 5}, {9499999, 6}, {9999999, 7}}};

constexpr qint64 kHighestPrice = 99999;  // yen; a higher price is coded 00000

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool AllDigits(QStringView text) {
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), IsDigit);
}

QString WithCheckDigit(const QString& twelve) {
    return twelve + QChar(u'0' + CheckDigitOf(twelve));
}

Isbn Refused(const QString& refusal) {
    return {QString(), QString(), refusal};
}

// An ISBN-10 turned into its 978 form: the nine digits keep their places
// and a new check digit ends them; typed hyphens keep theirs.
Isbn FromIsbn10(const QString& digits, const QString& grouped) {
    const QString code = WithCheckDigit(QStringLiteral("978") + digits.left(9));
    const QString hyphenated = grouped.isEmpty()
                                   ? HyphenateIsbn(code)
                                   : QStringLiteral("978-") + grouped.chopped(1) + code.right(1);
    return {code, hyphenated, QString()};
}

}  // namespace

QChar Isbn10CheckCharacter(QStringView nine) {
    int sum = 0;
    for (int i = 0; i < 9; ++i)
        sum += (10 - i) * DigitValue(nine[i]);
    const int check = (11 - sum % 11) % 11;
    return check == 10 ? QChar(u'X') : QChar(u'0' + check);
}

QString HyphenateIsbn(const QString& isbn13) {
    if (isbn13.size() != 13 || !isbn13.startsWith(u"9784"))
        return QString();
    const int seven = isbn13.mid(4, 7).toInt();
    const auto range = std::find_if(kJapanRanges.begin(), kJapanRanges.end(),
                                    [&](const RegistrantRange& r) { return seven <= r.last; });
    const int registrant = range->length;
    return QStringLiteral("978-4-%1-%2-%3")
        .arg(isbn13.mid(4, registrant), isbn13.mid(4 + registrant, 8 - registrant),
             isbn13.right(1));
}

Isbn ReadIsbn(const QString& typed) {
    QString text = typed.trimmed();
    if (text.startsWith(u"ISBN", Qt::CaseInsensitive))
        text = text.mid(4).trimmed();
    if (text.startsWith(u':'))
        text = text.mid(1).trimmed();
    // Spaces stand for hyphens; runs of either are one.
    static const QRegularExpression separators(QStringLiteral("[- ]+"));
    QString grouped = text.replace(separators, QStringLiteral("-"));
    // Hyphens part groups: one before the first or after the last parts none.
    while (grouped.startsWith(u'-'))
        grouped.remove(0, 1);
    while (grouped.endsWith(u'-'))
        grouped.chop(1);
    const bool hyphens = grouped.contains(u'-');
    QString digits = grouped;
    digits.remove(u'-');
    if (digits.endsWith(u'x'))
        digits.back() = u'X';
    for (qsizetype i = 0; i < digits.size(); ++i)
        if (!IsDigit(digits[i]) && !(digits[i] == u'X' && i == 9 && digits.size() == 10))
            return Refused(Msg::tr("'%1' is not a digit 0-9 (only an ISBN-10 may end "
                                   "in X)")
                               .arg(digits.mid(i, 1)));
    if (digits.size() == 10) {
        const QChar check = Isbn10CheckCharacter(digits);
        if (digits[9] != check)
            return Refused(Msg::tr("wrong check digit: an ISBN-10 of %1 ends in %2, not %3")
                               .arg(digits.left(9), check, digits.right(1)));
        return FromIsbn10(digits, hyphens ? grouped : QString());
    }
    if (digits.size() != 13)
        return Refused(
            Msg::tr("%1 digits; an ISBN has 13 (978 or 979 first) or 10").arg(digits.size()));
    if (!digits.startsWith(u"978") && !digits.startsWith(u"979"))
        return Refused(
            Msg::tr("an ISBN of 13 digits starts with 978 or 979, not %1").arg(digits.left(3)));
    const QString code = WithCheckDigit(digits.left(12));
    if (code != digits)
        return Refused(Msg::tr("wrong check digit: the 13th digit is %1, but for %2 it "
                               "must be %3, which makes %4")
                           .arg(digits.right(1), digits.left(12), code.right(1), code));
    return {code, hyphens ? grouped : HyphenateIsbn(code), QString()};
}

QString BookPriceCode(const QString& classification, qint64 price) {
    const QString priceDigits = price > kHighestPrice
                                    ? QStringLiteral("00000")
                                    : QString::number(price).rightJustified(5, u'0');
    return WithCheckDigit(QStringLiteral("192") + classification + priceDigits);
}

BookCode ReadBookCode(const QString& isbnTyped, const QString& classificationTyped,
                      const QString& priceTyped, QString (*echo)(const QString&)) {
    const auto shown = [&](const QString& typed) { return echo ? echo(typed) : typed; };
    BookCode book;
    const Isbn isbn = ReadIsbn(isbnTyped);
    if (!isbn.refusal.isEmpty()) {
        book.refusal = Msg::tr("ISBN %1: %2").arg(shown(isbnTyped), isbn.refusal);
        return book;
    }
    QString classification = classificationTyped.trimmed();
    if (classification.startsWith(u'C') || classification.startsWith(u'c'))
        classification = classification.mid(1);
    if (classification.size() != 4 || !AllDigits(classification)) {
        book.refusal = Msg::tr(
                           "classification code %1: give C and four digits 0-9, "
                           "as C0095")
                           .arg(shown(classificationTyped));
        return book;
    }
    QString price = priceTyped.trimmed();
    if (price.startsWith(u'-') && AllDigits(QStringView(price).mid(1))) {
        book.refusal = Msg::tr("price %1: a price is 0 yen or more").arg(shown(priceTyped));
        return book;
    }
    if (!AllDigits(price)) {
        book.refusal = Msg::tr(
                           "price %1: give the price before tax in whole yen, "
                           "digits 0-9 only")
                           .arg(shown(priceTyped));
        return book;
    }
    // Leading zeros say nothing; more than five digits are over 99,999 yen.
    while (price.size() > 1 && price.startsWith(u'0'))
        price.remove(0, 1);
    const qint64 yen = price.size() > 5 ? kHighestPrice + 1 : price.toLongLong();
    book.isbn = isbn.code;
    book.lower = BookPriceCode(classification, yen);
    book.text =
        QStringLiteral("ISBN%1 C%2 \u00A5%3E")
            .arg(isbn.hyphenated.isEmpty() ? isbn.code : isbn.hyphenated, classification, price);
    return book;
}

BookCode BookCodeOfText(const QString& text) {
    static const QRegularExpression line(QStringLiteral(R"(^ISBN(\S+) C(\d{4}) ¥(\d+)E$)"));
    const QRegularExpressionMatch match = line.match(text);
    if (!match.hasMatch()) {
        BookCode refused;
        refused.refusal = Msg::tr("'%1' is no 日本図書コード").arg(text);
        return refused;
    }
    return ReadBookCode(match.captured(1), match.captured(2), match.captured(3));
}

QString BookSampleText() {
    return ReadBookCode(WithCheckDigit(QStringLiteral("978400000000")), QStringLiteral("0000"),
                        QStringLiteral("0"))
        .text;
}

QString BookIsbnLine(const QString& text) {
    return text.section(u' ', 0, 0);
}

QString BookPriceLine(const QString& text) {
    return text.section(u' ', 1);
}

namespace {

// A printed name: as the other symbols' retail layout has it.
constexpr double kNameEm = 10;
constexpr double kNameBaseline = 9;
constexpr double kNameBand = 13;
// The text's lines: 1.2 em apart, 1 mm clear below the second.
constexpr double kTextLinePitch = 1.2 * kBookTextEm;
constexpr double kTextBand = 2 * kTextLinePitch + 1 / kNominalModuleMm;

// A line of OCR-B in modules, as the painters lay it out: its advance at
// 1000 pixels, scaled to the em.
double TextWidth(const QString& text) {
    QFont font = FaceFont(Face::Digits);
    font.setPixelSize(1000);
    return QFontMetricsF(font).horizontalAdvance(text) * kBookTextEm / 1000;
}

// One symbol of the pair: the retail JAN, its bars cut to the book's height
// from below, so that its digits follow them up, its bars' top at top.
void AppendTier(Description& pair, const QString& code, double top) {
    const Description jan = Describe(Layout::Retail, code, QString());
    const double cut = kRetailBarHeight - kBookBarHeight;
    for (BarRun bar : jan.bars) {
        bar.top += top;
        bar.bottom += top - cut;
        pair.bars.append(bar);
    }
    for (TextPlace text : jan.texts) {
        text.at.ry() += top - cut;
        pair.texts.append(text);
    }
}

}  // namespace

Description DescribeBook(const QString& text, const QString& name) {
    const BookCode book = BookCodeOfText(text);
    const double tier = kRetailBoxHeight - kRetailBarHeight + kBookBarHeight;
    const double top = name.isEmpty() ? 0 : kNameBand;
    Description d;
    d.layout = Layout::Retail;
    d.quietLeft = kRetailQuietLeft;
    d.quietRight = kRetailQuietRight;
    d.symbolLeft = d.quietLeft;
    // As wide as the symbols with their quiet zones, or as the ISBN's line
    // if that is wider: the text is never drawn smaller than 11級.
    const QString isbnLine = BookIsbnLine(book.text);
    d.box = QSizeF(std::max(d.quietLeft + kModuleCount + d.quietRight, TextWidth(isbnLine)),
                   top + kTextBand + 2 * tier + kBookTierGap);
    d.barTop = top + kTextBand;
    d.barBottom = d.barTop + kBookBarHeight;
    d.guardBottom = d.barBottom + kGuardExtension;
    // The text from the box's left edge, narrowed to the box if wider.
    const double width = d.box.width();
    d.texts.append(
        {BookIsbnLine(book.text), Face::Digits, kBookTextEm, QPointF(0, top), false, width});
    d.texts.append({BookPriceLine(book.text), Face::Digits, kBookTextEm,
                    QPointF(0, top + kTextLinePitch), false, width});
    AppendTier(d, book.isbn, d.barTop);
    AppendTier(d, book.lower, d.barTop + tier + kBookTierGap);
    if (!name.isEmpty())
        d.texts.append({name, Face::Name, kNameEm, QPointF(width / 2, kNameBaseline), true, width});
    return d;
}

}  // namespace symbol
