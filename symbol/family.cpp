#include "family.h"

#include <array>

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

}  // namespace

int DataDigitCount(Symbology symbology) {
    switch (symbology) {
        case Symbology::Jan8:
            return 7;
        case Symbology::UpcA:
            return 11;
        case Symbology::Jan13:
            break;
    }
    return 12;
}

int ModuleCount(Symbology symbology) {
    return symbology == Symbology::Jan8 ? 3 + 4 * 7 + 5 + 4 * 7 + 3 : 3 + 6 * 7 + 5 + 6 * 7 + 3;
}

QString FamilyPattern(Symbology symbology, const QString& code) {
    switch (symbology) {
        case Symbology::Jan8:
            return Jan8Pattern(code);
        case Symbology::UpcA:
            return UpcAPattern(code);
        case Symbology::Jan13:
            break;
    }
    return BuildPattern(code);
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
