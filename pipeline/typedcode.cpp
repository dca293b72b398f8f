#include "typedcode.h"

#include <QStringList>
#include <algorithm>
#include <utility>

#include "filenames.h"
#include "messages.h"
#include "symbol/code.h"
#include "symbol/family.h"
#include "symbol/itf.h"
#include "symbol/symbology.h"

namespace pipeline {

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
        return Msg::tr("a space");
    if (IsInvisible(c))
        return Msg::tr("control character U+%1")
            .arg(QString::number(uint(c), 16).toUpper().rightJustified(4, u'0'));
    const QString shown = QString::fromUcs4(&c, 1);
    if (c >= U'\uFF10' && c <= U'\uFF19')
        return Msg::tr("'%1', a full-width digit: type %2 instead")
            .arg(shown, QChar(char16_t(c - U'\uFF10' + u'0')));
    return u'\'' + shown + u'\'';
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

using symbol::RowOf;
using symbol::Spoken;
using symbol::Symbology;

// The row of the symbology whose codes a zero-suppressed one writes shorter
// (UPC-A for UPC-E), or nullptr.
const symbol::SymbologyRow* Expanded(Symbology symbology) {
    const std::optional<Symbology> full = RowOf(symbology).expandsTo;
    return full ? &RowOf(*full) : nullptr;
}

// The code of the data digits with their check digit. A zero-suppressed
// code's is the check digit of the code it stands for.
QString WholeCode(const QString& data, Symbology symbology) {
    if (Expanded(symbology))
        return data + QChar(u'0' + symbol::CheckDigitOf(symbol::UpcAOfUpcE(data)));
    return data + QChar(u'0' + symbol::CheckDigitOf(data));
}

// Whether a whole code is valid: its check digit and, zero-suppressed, the
// one suppression of the code it stands for.
bool IsWholeCode(const QString& code, Symbology symbology) {
    const QString data = code.chopped(1);
    return WholeCode(data, symbology) == code &&
           (!Expanded(symbology) || symbol::SuppressedUpcA(symbol::UpcAOfUpcE(data)) == data);
}

QList<symbol::DigitSwap> ValidSwaps(const QString& typed, Symbology symbology) {
    if (!Expanded(symbology))
        return symbol::ValidDigitSwaps(typed);
    QList<symbol::DigitSwap> swaps;
    for (int i = 0; i + 1 < typed.size(); ++i) {
        QString swapped = typed;
        std::swap(swapped[i], swapped[i + 1]);
        if (swapped != typed && IsWholeCode(swapped, symbology))
            swaps.append({swapped, i + 1});
    }
    return swaps;
}

QString WrongCheckDigit(const QString& typed, Symbology symbology) {
    const QString data = typed.chopped(1);
    const QString expected = WholeCode(data, symbology);
    QString message = Msg::tr(
                          "%1: wrong check digit: the %2th digit is %3, but for %4 it "
                          "must be %5, which makes %6")
                          .arg(typed)
                          .arg(typed.size())
                          .arg(typed.right(1), data, expected.right(1), expected);

    QStringList swaps;
    for (const symbol::DigitSwap& swap : ValidSwaps(typed, symbology))
        swaps << Msg::tr("  %1  (digits %2 and %3 swapped)")
                     .arg(swap.code)
                     .arg(swap.first)
                     .arg(swap.first + 1);
    if (swaps.isEmpty())
        message += u'\n' + Msg::tr("No swap of two neighbouring digits makes %1 valid.").arg(typed);
    else
        message += u'\n' + Msg::tr("Or were two neighbouring digits swapped? These are valid:") +
                   u'\n' + swaps.join(u'\n');
    return message;
}

// Digits and nothing else.
bool AllDigits(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return IsAsciiDigit(c.unicode()); });
}

// Whether a count of digits is one a symbology reads: its data digits, with
// or without the check digit, and zero-suppressed those of the code it
// stands for as well.
bool IsCodeLength(qsizetype digits, Symbology symbology) {
    const int data = RowOf(symbology).dataDigits;
    const symbol::SymbologyRow* full = Expanded(symbology);
    return digits == data || digits == data + 1 ||
           (full && (digits == full->dataDigits || digits == full->dataDigits + 1));
}

// The code and add-on of "code addon" or "code+addon", when what comes before
// the last space or "+" is a code of the symbology's length.
std::pair<QString, QString> SplitAddon(const QString& typed, Symbology symbology) {
    const qsizetype at = std::max(typed.lastIndexOf(u' '), typed.lastIndexOf(u'+'));
    const QString code = typed.left(at);
    if (at < 0 || at + 1 == typed.size() || !AllDigits(code) ||
        !IsCodeLength(code.size(), symbology))
        return {typed, QString()};
    return {code, typed.mid(at + 1)};
}

QString AddonRefusal(const QString& typed, const QString& addon, Symbology symbology) {
    if (!RowOf(symbology).addon)
        return Msg::tr("%1: %2 takes no add-on").arg(EchoTyped(typed), Spoken(RowOf(symbology)));
    if (!AllDigits(addon) || (addon.size() != 2 && addon.size() != 5))
        return Msg::tr("%1: the add-on '%2' is not 2 or 5 digits 0-9")
            .arg(EchoTyped(typed), EchoTyped(addon));
    return QString();
}

// How many digits a symbology takes, and the other symbol that takes as many.
QString CountRefusal(const QString& typed, Symbology symbology) {
    const int dataDigits = RowOf(symbology).dataDigits;
    // The other symbols' counts in the same sentence: UPC-E's of the UPC-A
    // it suppresses, and the JAN's of the short JAN.
    const symbol::SymbologyRow* full = Expanded(symbology);
    const bool shortJan = dataDigits == 12 && (typed.size() == 7 || typed.size() == 8);
    const QString digits = typed.size() == 1 ? Msg::tr("digit") : Msg::tr("digits");
    if (full)
        return Msg::tr(
                   "%1: %2 %3; give %4 (the check digit is added) or %5 (the check digit is "
                   "checked), or the %6 or %7 of a %8 that zero-suppresses")
            .arg(EchoTyped(typed))
            .arg(typed.size())
            .arg(digits)
            .arg(dataDigits)
            .arg(dataDigits + 1)
            .arg(full->dataDigits)
            .arg(full->dataDigits + 1)
            .arg(full->title);
    return (shortJan ? Msg::tr("%1: %2 %3; give %4 (the check digit is added) or %5 (the check "
                               "digit is checked); --symbol jan8 draws a short JAN of 8")
                     : Msg::tr("%1: %2 %3; give %4 (the check digit is added) or %5 (the check "
                               "digit is checked)"))
        .arg(EchoTyped(typed))
        .arg(typed.size())
        .arg(digits)
        .arg(dataDigits)
        .arg(dataDigits + 1);
}

// UPC-E from its own 7 or 8 digits, or from the 11 or 12 of the UPC-A it
// suppresses; typed has the symbology's count or a UPC-A's.
TypedCode ReadUpcE(const QString& typed, Symbology upcE) {
    const Symbology upcA = RowOf(upcE).expandsTo.value();
    const QString echo = EchoTyped(typed);
    if (typed[0] != u'0' && typed[0] != u'1')
        return {QString(), QString(),
                Msg::tr("%1: UPC-E has number system 0 or 1 (its first digit), not %2")
                    .arg(echo, typed.left(1))};
    if (typed.size() >= 11) {
        const QString upcACode = WholeCode(typed.left(11), upcA);
        if (typed.size() == 12 && typed != upcACode)
            return {QString(), QString(), WrongCheckDigit(typed, upcA)};
        const QString suppressed = symbol::SuppressedUpcA(upcACode);
        if (suppressed.isEmpty())
            return {
                QString(), QString(),
                Msg::tr("%1: the UPC-A %2 does not zero-suppress into UPC-E: its maker's number "
                        "%3 must end in 000, 100 or 200 with an item number up to 00999, in 00 "
                        "with one up to 00099, in 0 with one up to 00009, or else the item "
                        "number must be 00005 to 00009; --symbol upca draws it")
                    .arg(echo, upcACode, upcACode.mid(1, 5))};
        return {WholeCode(suppressed, upcE), QString(), QString()};
    }
    const QString data = typed.left(7);
    const QString upcACode = symbol::UpcAOfUpcE(data);
    if (symbol::SuppressedUpcA(upcACode) != data)
        return {QString(), QString(),
                Msg::tr("%1: not a UPC-E: it stands for the UPC-A %2, which suppresses "
                        "to %3 instead")
                    .arg(echo, upcACode, WholeCode(symbol::SuppressedUpcA(upcACode), upcE))};
    const QString code = WholeCode(data, upcE);
    if (typed.size() == 8 && typed != code)
        return {QString(), QString(), WrongCheckDigit(typed, upcE)};
    return {code, QString(), QString()};
}

// 13 digits given to ITF-14 that are a whole JAN: its case code wants an
// indicator, and as a GTIN-14 without its check digit they are another code.
QString JanOrCaseCode(const QString& typed, const QString& asGtin14) {
    return Msg::tr(
               "%1: these 13 digits are a JAN (their last digit is its check digit) and could "
               "also be the first 13 digits of a GTIN-14; which is meant cannot be told:\n"
               "  the case code of this JAN: --indicator 1 makes %2 (the indicator digit of "
               "the packing level, 1 to 8)\n"
               "  the GTIN-14 that begins with them: give all 14 digits, %3")
        .arg(typed, symbol::Gtin14FromJan(1, typed), asGtin14);
}

TypedCode ReadMainCode(const QString& typed, Symbology symbology) {
    // Positions count characters as a person sees them, so a character
    // outside the Basic Multilingual Plane counts once.
    qsizetype position = 0;
    for (char32_t c : typed.toUcs4()) {
        ++position;
        if (!IsAsciiDigit(c))
            return {QString(), QString(),
                    Msg::tr("%1: character %2 (%3) is not a digit 0-9")
                        .arg(EchoTyped(typed))
                        .arg(position)
                        .arg(Describe(c))};
    }
    const int dataDigits = RowOf(symbology).dataDigits;
    if (!IsCodeLength(typed.size(), symbology))
        return {QString(), QString(), CountRefusal(typed, symbology)};
    if (Expanded(symbology))
        return ReadUpcE(typed, symbology);

    const QString code = WholeCode(typed.left(dataDigits), symbology);
    if (typed.size() > dataDigits && typed != code)
        return {QString(), QString(), WrongCheckDigit(typed, symbology)};
    if (RowOf(symbology).caseCode && typed.size() == dataDigits &&
        IsWholeCode(typed, symbol::kDefaultSymbology))
        return {QString(), QString(), JanOrCaseCode(typed, code)};
    return {code, QString(), QString()};
}

}  // namespace

TypedCode ReadTypedCode(const QString& typed, Symbology symbology, const QString& addon) {
    const auto [code, ownAddon] =
        addon.isEmpty() ? SplitAddon(typed, symbology) : std::pair{typed, addon};
    if (!ownAddon.isEmpty()) {
        const QString refusal =
            AddonRefusal(addon.isEmpty() ? typed : typed + u' ' + addon, ownAddon, symbology);
        if (!refusal.isEmpty())
            return {QString(), QString(), refusal};
    }
    TypedCode read = ReadMainCode(code, symbology);
    read.addon = ownAddon;
    return read;
}

TypedCode ReadCaseCode(const QString& typed, int indicator) {
    if (indicator < 0)
        return ReadTypedCode(typed, symbol::RowWith(&symbol::SymbologyRow::caseCode)->symbology);
    return CaseCodeOfJan(ReadTypedCode(typed), typed, indicator);
}

TypedCode CaseCodeOfJan(const TypedCode& jan, const QString& typed, int indicator) {
    if (!jan.refusal.isEmpty() || !jan.addon.isEmpty())
        return {QString(), QString(),
                (jan.refusal.isEmpty() ? EchoTyped(typed) : jan.refusal) + u'\n' +
                    Msg::tr("--indicator takes the 12 or 13 digits of a JAN; a GTIN-14's 14 "
                            "digits are drawn as they are without it")};
    return {symbol::Gtin14FromJan(indicator, jan.code), QString(), QString()};
}

}  // namespace pipeline
