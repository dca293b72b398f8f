#include "family.h"

#include <array>

#include "layout.h"
#include "pattern.h"

namespace symbol {

namespace {

constexpr int kSetA = 1;  // odd parity, left half
constexpr int kSetB = 2;  // even parity, left half
constexpr int kSetC = 3;  // right half

QString Digit(int set, QChar digit) {
    return SymbolTable(set * 100 + digit.digitValue() + 1);
}

// Sets of the five add-on digits, by the add-on's own check value.
constexpr std::array<const char*, 10> kFiveDigitParity = {
    "BBAAA", "BABAA", "BAABA", "BAAAB", "ABBAA", "AABBA", "AAABB", "ABABA", "ABAAB", "AABAB"};

// Sets of the two add-on digits, by the add-on's value modulo 4.
constexpr std::array<const char*, 4> kTwoDigitParity = {"AA", "AB", "BA", "BB"};

// Sets of UPC-E's six digits in number system 0, by the check digit; number
// system 1 takes the other set for each.
constexpr std::array<const char*, 10> kUpcEParity = {"BBBAAA", "BBABAA", "BBAABA", "BBAAAB",
                                                     "BABBAA", "BAABBA", "BAAABB", "BABABA",
                                                     "BABAAB", "BAABAB"};

// The window's digit groups start 1 module into a left half and at a right
// half's first module; the first module stands at kWindowSymbolLeft.
constexpr int kFirstDigitWindow = kFirstDigitX - kWindowSymbolLeft;
constexpr int kLeftGroupWindow = kLeftGroupX - kWindowSymbolLeft;
constexpr int kRightGroupWindow = kRightGroupX - kWindowSymbolLeft;

// The first digit left of the start guard, without a symbol character.
constexpr std::array<DigitGroup, 3> kJan13Digits = {{{0, 1, kFirstDigitWindow, -kFirstDigitCentre},
                                                     {1, 6, kLeftGroupWindow, 6.5},
                                                     {7, 6, kRightGroupWindow, 53.5}}};
constexpr std::array<DigitGroup, 2> kJan8Digits = {
    {{0, 4, kLeftGroupWindow, 6.5}, {4, 4, 36, 39.5}}};
constexpr std::array<DigitGroup, 4> kUpcADigits = {
    {{0, 1, kFirstDigitWindow, -kFirstDigitCentre, true},
     {1, 5, 11, 13.5},
     {6, 5, kRightGroupWindow, 53.5},
     {11, 1, 97, 95 + kFirstDigitCentre, true}}};
// UPC-E: the number system and the check digit outside the guards, small as
// UPC-A's, the six digits over their symbol characters.
constexpr std::array<DigitGroup, 3> kUpcEDigits = {
    {{0, 1, kFirstDigitWindow, -kFirstDigitCentre, true},
     {1, 6, kLeftGroupWindow, 6.5},
     {7, 1, 53, 51 + kFirstDigitCentre, true}}};

}  // namespace

QString Jan8Pattern(const QString& code) {
    QString pattern = QStringLiteral("202");
    for (int i = 0; i < 4; ++i)
        pattern += Digit(kSetA, code[i]);
    pattern += QStringLiteral("02020");
    for (int i = 4; i < 8; ++i)
        pattern += Digit(kSetC, code[i]);
    return pattern + QStringLiteral("202");
}

// UPC-A is the 13-digit symbol of the same code with a leading 0; its first
// and last symbol characters stand long beside the guards.
QString UpcAPattern(const QString& code) {
    QString pattern = BuildPattern(u'0' + code);
    for (qsizetype i : {qsizetype(3), qsizetype(95 - 3 - 7)})
        for (qsizetype m = i; m < i + 7; ++m)
            if (pattern[m] == u'1')
                pattern[m] = u'2';
    return pattern;
}

QString UpcEPattern(const QString& code) {
    const char* sets = kUpcEParity[code[7].digitValue()];
    const bool inverse = code[0] == u'1';
    QString pattern = QStringLiteral("202");
    for (int i = 0; i < 6; ++i)
        pattern += Digit((sets[i] == 'A') != inverse ? kSetA : kSetB, code[i + 1]);
    return pattern + QStringLiteral("020202");
}

QString UpcAOfUpcE(const QString& upce) {
    const QString system = upce.left(1);
    const QString d = upce.mid(1, 6);
    const int last = d[5].digitValue();
    if (last <= 2)
        return system + d.left(2) + d[5] + QStringLiteral("0000") + d.mid(2, 3);
    if (last == 3)
        return system + d.left(3) + QStringLiteral("00000") + d.mid(3, 2);
    if (last == 4)
        return system + d.left(4) + QStringLiteral("00000") + d[4];
    return system + d.left(5) + QStringLiteral("0000") + d[5];
}

QString SuppressedUpcA(const QString& upca) {
    if (upca.size() < 11 || (upca[0] != u'0' && upca[0] != u'1'))
        return {};
    const QString system = upca.left(1);
    const QString maker = upca.mid(1, 5);
    const QString item = upca.mid(6, 5);
    // A maker's number ending in 000, 100 or 200 keeps three item digits.
    if (maker.endsWith(QStringLiteral("00")) && maker[2] <= u'2' &&
        item.startsWith(QStringLiteral("00")))
        return system + maker.left(2) + item.right(3) + maker[2];
    if (maker.endsWith(QStringLiteral("00")) && item.startsWith(QStringLiteral("000")))
        return system + maker.left(3) + item.right(2) + u'3';
    if (maker.endsWith(u'0') && item.startsWith(QStringLiteral("0000")))
        return system + maker.left(4) + item.right(1) + u'4';
    if (item.startsWith(QStringLiteral("0000")) && item[4] >= u'5')
        return system + maker + item[4];
    return {};
}

int DataDigitCount(Symbology symbology) {
    return RowOf(symbology).dataDigits;
}

int ModuleCount(Symbology symbology) {
    return RowOf(symbology).modules;
}

QString FamilyPattern(Symbology symbology, const QString& code) {
    const PatternFunction pattern = RowOf(symbology).pattern;
    return pattern ? pattern(code) : QString();
}

Description DescribeJan13(Layout layout, const SymbolCode& symbol, const QString& name,
                          bool quietZoneMarker) {
    return DescribeFamily(layout, symbol, name, quietZoneMarker, {kJan13Digits});
}

Description DescribeJan8(Layout layout, const SymbolCode& symbol, const QString& name,
                         bool quietZoneMarker) {
    return DescribeFamily(layout, symbol, name, quietZoneMarker,
                          {kJan8Digits, kRetailJan8BarHeight, true});
}

Description DescribeUpcA(Layout layout, const SymbolCode& symbol, const QString& name,
                         bool quietZoneMarker) {
    return DescribeFamily(layout, symbol, name, quietZoneMarker, {kUpcADigits});
}

Description DescribeUpcE(Layout layout, const SymbolCode& symbol, const QString& name,
                         bool quietZoneMarker) {
    return DescribeFamily(layout, symbol, name, quietZoneMarker, {kUpcEDigits});
}

QString AddonPattern(const QString& digits) {
    const char* sets = nullptr;
    if (digits.size() == 2) {
        sets = kTwoDigitParity[digits.toInt() % 4];
    } else if (digits.size() == 5) {
        int check = 0;
        for (int i = 0; i < 5; ++i)
            check += digits[i].digitValue() * (i % 2 == 0 ? 3 : 9);
        sets = kFiveDigitParity[check % 10];
    } else {
        return {};
    }
    QString pattern = QStringLiteral("1011");
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0)
            pattern += QStringLiteral("01");
        pattern += Digit(sets[i] == 'A' ? kSetA : kSetB, digits[i]);
    }
    return pattern;
}

}  // namespace symbol
