#include "referencedecode.h"

#include <array>
#include <cmath>

#include "symbol/code.h"

namespace verify {

namespace {

// Widths of the odd-parity left-hand characters (space, bar, space, bar);
// the even-parity set is each of them reversed, and the right-hand set is the
// odd one with bars and spaces swapped, so its widths are the same.
constexpr std::array<std::array<int, 4>, 10> kOdd = {{{3, 2, 1, 1},
                                                      {2, 2, 2, 1},
                                                      {2, 1, 2, 2},
                                                      {1, 4, 1, 1},
                                                      {1, 1, 3, 2},
                                                      {1, 2, 3, 1},
                                                      {1, 1, 1, 4},
                                                      {1, 3, 1, 2},
                                                      {1, 2, 1, 3},
                                                      {3, 1, 1, 2}}};

// The first digit of a 13-digit symbol, from which left-hand characters are
// of even parity (a 1 bit per character, the first character the high bit).
constexpr std::array<int, 10> kFirstDigitParity = {0b000000, 0b001011, 0b001101, 0b001110,
                                                   0b010011, 0b011001, 0b011100, 0b010101,
                                                   0b010110, 0b011010};

std::array<int, 4> Widths(int digit, bool even) {
    std::array<int, 4> w = kOdd[digit];
    if (even)
        std::swap(w[0], w[3]), std::swap(w[1], w[2]);
    return w;
}

struct Character {
    int digit = -1;
    bool even = false;
    double margin = 0;  // decodability of this character
};

// A measurement in modules against whole modules: the nearest count, and how
// far it stands from the thresholds half a module either side.
double Margin(double modules, int nearest) {
    return 1.0 - 2.0 * std::abs(modules - nearest);
}

// One character of four elements; barFirst for the right-hand half.
Character ReadCharacter(const double* w, bool barFirst) {
    const double t = w[0] + w[1] + w[2] + w[3];
    const double e1 = 7.0 * (w[0] + w[1]) / t;
    const double e2 = 7.0 * (w[1] + w[2]) / t;
    const int n1 = int(std::lround(e1));
    const int n2 = int(std::lround(e2));
    Character c;
    if (n1 < 2 || n1 > 5 || n2 < 2 || n2 > 5)
        return c;
    const double bars = 7.0 * (barFirst ? w[0] + w[2] : w[1] + w[3]) / t;
    // 1 and 7, and 2 and 8, share their edge distances and are told apart by
    // their two bars, which differ by two modules: the decision threshold
    // stands halfway, a module from either, and the margin is the distance to
    // it. Bars that move away from it, towards or past their own nominal
    // width, lose nothing.
    double bestBars = 1e9, otherBars = -1;
    for (int even = 0; even < (barFirst ? 1 : 2); ++even)
        for (int d = 0; d < 10; ++d) {
            const auto m = Widths(d, even);
            if (m[0] + m[1] != n1 || m[1] + m[2] != n2)
                continue;
            const int nominalBars = barFirst ? m[0] + m[2] : m[1] + m[3];
            if (std::abs(bars - nominalBars) < std::abs(bars - bestBars)) {
                if (c.digit >= 0)
                    otherBars = bestBars;
                bestBars = nominalBars;
                c.digit = d;
                c.even = even;
            } else {
                otherBars = nominalBars;
            }
        }
    if (c.digit < 0)
        return c;
    c.margin = std::min(Margin(e1, n1), Margin(e2, n2));
    if (otherBars >= 0) {
        const double threshold = (bestBars + otherBars) / 2;
        const double reach = std::abs(bestBars - otherBars) / 2;
        c.margin = std::min(c.margin, std::min(1.0, std::abs(bars - threshold) / reach));
    }
    return c;
}

// A guard's edge-to-similar-edge distances are two modules each.
bool GuardReads(const double* w, int count, double module) {
    for (int i = 0; i + 1 < count; ++i)
        if (std::lround((w[i] + w[i + 1]) / module) != 2)
            return false;
    return true;
}

Decoded Fail(const QString& why) {
    Decoded d;
    d.failure = why;
    return d;
}

}  // namespace

QList<int> ElementModules(const QString& pattern) {
    QList<int> modules;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const bool bar = pattern[i] != u'0';
        if (i > 0 && bar == (pattern[i - 1] != u'0'))
            ++modules.back();
        else
            modules.append(1);
    }
    return modules;
}

Decoded ReferenceDecode(const QList<double>& widths) {
    const int n = int(widths.size());
    if (n != kLongElements && n != kShortElements)
        return Fail(QStringLiteral("%1 elements, not a symbol of this family").arg(n));
    const int perHalf = (n == kLongElements) ? 6 : 4;
    const double* w = widths.constData();
    const int centre = 3 + 4 * perHalf;
    Decoded d;
    d.decodability = 1;
    QString digits;
    int parity = 0;
    for (int i = 0; i < 2 * perHalf; ++i) {
        const bool right = i >= perHalf;
        const double* at = w + 3 + 4 * i + (right ? 5 : 0);
        const Character c = ReadCharacter(at, right);
        if (c.digit < 0)
            return Fail(QStringLiteral("symbol character %1 does not read").arg(i + 1));
        const double module = (at[0] + at[1] + at[2] + at[3]) / 7;
        if (i == 0 && !GuardReads(w, 3, module))
            return Fail(QStringLiteral("the start guard does not read"));
        if (i == perHalf && !GuardReads(w + centre, 5, module))
            return Fail(QStringLiteral("the centre guard does not read"));
        if (i == 2 * perHalf - 1 && !GuardReads(w + n - 3, 3, module))
            return Fail(QStringLiteral("the end guard does not read"));
        if (!right)
            parity = parity << 1 | int(c.even);
        digits += QChar(u'0' + c.digit);
        d.decodability = std::min(d.decodability, c.margin);
    }
    if (perHalf == 4) {
        if (parity != 0)
            return Fail(QStringLiteral("a left-hand character of even parity in a short symbol"));
        d.symbology = symbol::Symbology::Jan8;
    } else {
        int first = 0;
        while (first < 10 && kFirstDigitParity[first] != parity)
            ++first;
        if (first == 10)
            return Fail(QStringLiteral("the left half's parities give no first digit"));
        digits.prepend(QChar(u'0' + first));
        d.symbology = symbol::Symbology::Jan13;
        if (first == 0) {
            digits.remove(0, 1);
            d.symbology = symbol::Symbology::UpcA;
        }
    }
    if (!symbol::HasValidCheckDigit(digits))
        return Fail(QStringLiteral("%1: wrong check digit").arg(digits));
    d.code = digits;
    d.ok = true;
    return d;
}

}  // namespace verify
