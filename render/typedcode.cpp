#include "typedcode.h"

#include <QStringList>

#include "filenames.h"
#include "symbol/code.h"

namespace render {

namespace {

// How much of what was typed a message shows.
constexpr int kEchoedCharacters = 40;

bool IsAsciiDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

// A character that would act on a terminal or on the text around it rather
// than show.
bool IsInvisible(char32_t c) {
    return QChar::category(c) == QChar::Other_Control ||
           (c <= 0xFFFF && IsReorderingMark(QChar(char16_t(c))));
}

// The character as a person can recognise it in a message.
QString Describe(char32_t c) {
    if (c == U' ')
        return QStringLiteral("a space");
    if (IsInvisible(c))
        return QStringLiteral("control character U+%1")
            .arg(QString::number(uint(c), 16).toUpper().rightJustified(4, u'0'));
    QString text = QStringLiteral("'") + QString::fromUcs4(&c, 1) + u'\'';
    if (c >= U'\uFF10' && c <= U'\uFF19')
        text +=
            QStringLiteral(", a full-width digit: type %1 instead").arg(char(c - U'\uFF10' + '0'));
    return text;
}

}  // namespace

QString EchoTyped(const QString& typed) {
    if (typed.isEmpty())
        return QStringLiteral("\"\"");
    QString echo;
    int count = 0;
    for (char32_t c : typed.toUcs4()) {
        if (++count > kEchoedCharacters)
            return echo + QChar(0x2026);  // an ellipsis
        echo += IsInvisible(c) ? QString(QChar::ReplacementCharacter) : QString::fromUcs4(&c, 1);
    }
    return echo;
}

namespace {

// The code the window draws for twelve digits: composed as from its boxes,
// with the computed check digit in place of the check box's.
QString WindowCode(const QString& twelveDigits) {
    const QString code = symbol::ComposeCode(twelveDigits, QString());
    return code.left(12) + QChar(u'0' + symbol::CheckDigit(code));
}

bool IsValid(const QString& thirteenDigits) {
    return symbol::CheckDigit(thirteenDigits) == symbol::DigitValue(thirteenDigits[12]);
}

QString WrongCheckDigit(const QString& typed) {
    const QString expected = WindowCode(typed.left(12));
    QString message = QStringLiteral(
                          "%1: wrong check digit: the 13th digit is %2, but for %3 it "
                          "must be %4, which makes %5")
                          .arg(typed, typed.right(1), typed.left(12), expected.right(1), expected);

    QStringList swaps;
    for (int i = 0; i + 1 < typed.size(); ++i) {
        if (typed[i] == typed[i + 1])
            continue;
        QString swapped = typed;
        std::swap(swapped[i], swapped[i + 1]);
        if (IsValid(swapped))
            swaps << QStringLiteral("  %1  (digits %2 and %3 swapped)")
                         .arg(swapped)
                         .arg(i + 1)
                         .arg(i + 2);
    }
    if (swaps.isEmpty())
        message +=
            QStringLiteral("\nNo swap of two neighbouring digits makes %1 valid.").arg(typed);
    else
        message += QStringLiteral("\nOr were two neighbouring digits swapped? These are valid:\n") +
                   swaps.join(u'\n');
    return message;
}

}  // namespace

TypedCode ReadTypedCode(const QString& typed) {
    // Positions count characters as a person sees them, so a character
    // outside the Basic Multilingual Plane counts once.
    qsizetype position = 0;
    for (char32_t c : typed.toUcs4()) {
        ++position;
        if (!IsAsciiDigit(c))
            return {QString(), QStringLiteral("%1: character %2 (%3) is not a digit 0-9")
                                   .arg(EchoTyped(typed))
                                   .arg(position)
                                   .arg(Describe(c))};
    }
    if (typed.size() != 12 && typed.size() != 13)
        return {QString(),
                QStringLiteral("%1: %2 %3; give 12 (the check digit is added) or 13 (the "
                               "check digit is checked)")
                    .arg(EchoTyped(typed))
                    .arg(typed.size())
                    .arg(typed.size() == 1 ? u"digit" : u"digits")};

    const QString code = WindowCode(typed.left(12));
    if (typed.size() == 13 && typed != code)
        return {QString(), WrongCheckDigit(typed)};
    return {code, QString()};
}

}  // namespace render
