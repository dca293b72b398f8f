#include "code.h"

#include <charconv>
#include <cmath>
#include <string>
#include <utility>

namespace symbol {

namespace {

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}

int HexValue(QChar c) {
    if (IsDigit(c))
        return c.unicode() - u'0';
    const char16_t lower = c.unicode() | 0x20;
    if (lower >= u'a' && lower <= u'f')
        return lower - u'a' + 10;
    return -1;
}

// Walks a box's text as if its blanks were not there.
class Reader {
public:
    explicit Reader(const QString& text) : text_(text) {}

    QChar Peek() {
        while (pos_ < text_.size() && IsBlank(text_[pos_]))
            ++pos_;
        return pos_ < text_.size() ? text_[pos_] : QChar();
    }
    bool PeekIs(char16_t upper) { return (Peek().unicode() & ~0x20) == upper; }
    void Next() { ++pos_; }
    qsizetype Position() const { return pos_; }
    void Rewind(qsizetype pos) { pos_ = pos; }

private:
    const QString& text_;
    qsizetype pos_ = 0;
};

// &H or &O after the ampersand: the digits in that base, as a non-negative value.
double ReadBased(Reader& in, int base) {
    double value = 0;
    for (;;) {
        const int digit = HexValue(in.Peek());
        if (digit < 0 || digit >= base)
            return value;
        value = value * base + digit;
        in.Next();
    }
}

// Sign, digits, decimal point and digits, exponent. Returns 0 when no
// mantissa digit stands at the start, or when the value overflows a double.
double ReadDecimal(Reader& in) {
    bool negative = false;
    if (in.Peek() == u'+' || in.Peek() == u'-') {
        negative = in.Peek() == u'-';
        in.Next();
    }
    std::string number;
    auto takeDigits = [&](std::string& into) {
        qsizetype count = 0;
        for (; IsDigit(in.Peek()); in.Next(), ++count)
            into += char(in.Peek().unicode());
        return count;
    };
    qsizetype mantissaDigits = takeDigits(number);
    if (in.Peek() == u'.') {
        in.Next();
        number += '.';
        mantissaDigits += takeDigits(number);
    }
    if (mantissaDigits == 0)
        return 0;

    if (in.PeekIs(u'E') || in.PeekIs(u'D')) {
        // The exponent counts only if at least one digit follows its letter.
        const qsizetype letter = in.Position();
        in.Next();
        std::string exponent = "e";
        if (in.Peek() == u'+' || in.Peek() == u'-') {
            exponent += char(in.Peek().unicode());
            in.Next();
        }
        if (takeDigits(exponent) > 0)
            number += exponent;
        else
            in.Rewind(letter);
    }

    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc())
        return 0;
    return negative ? -value : value;
}

double ReadLeadingNumber(const QString& text) {
    Reader in(text);
    if (in.Peek() != u'&')
        return ReadDecimal(in);
    in.Next();
    if (in.PeekIs(u'H')) {
        in.Next();
        return ReadBased(in, 16);
    }
    if (in.PeekIs(u'O')) {
        in.Next();
        return ReadBased(in, 8);
    }
    return 0;
}

}  // namespace

int DigitValue(QChar c) {
    return IsDigit(c) ? c.unicode() - u'0' : 0;
}

QString NumericText(const QString& text) {
    double value = ReadLeadingNumber(text);
    if (!std::isfinite(value))
        return QStringLiteral("0");
    const double whole = std::floor(value);
    if (whole == 0)
        return QStringLiteral("0");  // also -0

    // The largest double has 309 digits.
    char buffer[320];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, whole, std::chars_format::fixed, 0);
    return QString::fromLatin1(buffer, end - buffer);
}

QString ComposeCode(const QString& dataText, const QString& checkText) {
    const QString joined = QString(12, u'0') + NumericText(dataText) + NumericText(checkText);
    return joined.right(13);
}

int CheckDigitOf(QStringView dataDigits) {
    int sum = 0;
    int weight = 3;
    for (qsizetype i = dataDigits.size() - 1; i >= 0; --i, weight = 4 - weight)
        sum += weight * DigitValue(dataDigits[i]);
    return (10 - sum % 10) % 10;
}

int CheckDigit(const QString& code) {
    return CheckDigitOf(code.left(12).leftJustified(12, u'0'));
}

bool HasValidCheckDigit(QStringView code) {
    return !code.isEmpty() && CheckDigitOf(code.chopped(1)) == DigitValue(code.back());
}

QList<DigitSwap> ValidDigitSwaps(const QString& code) {
    QList<DigitSwap> swaps;
    for (int i = 0; i + 1 < code.size(); ++i) {
        if (code[i] == code[i + 1] || !code[i].isDigit() || !code[i + 1].isDigit())
            continue;
        QString swapped = code;
        std::swap(swapped[i], swapped[i + 1]);
        if (HasValidCheckDigit(swapped))
            swaps.append({swapped, i + 1});
    }
    return swaps;
}

}  // namespace symbol
