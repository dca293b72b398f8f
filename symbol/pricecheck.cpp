#include "pricecheck.h"

#include <algorithm>
#include <array>

namespace symbol {

namespace {

// The weightings: a digit multiplied, then the product's tens taken from
// (-) or added to (+) it, and the units kept.
int Weighted(int digit, int factor, int tens) {
    const int product = digit * factor;
    return ((product + tens * (product / 10)) % 10 + 10) % 10;
}
int TwoMinus(int digit) {
    return Weighted(digit, 2, -1);
}
int Three(int digit) {
    return Weighted(digit, 3, 0);
}
int FivePlus(int digit) {
    return Weighted(digit, 5, 1);
}
int FiveMinus(int digit) {
    return Weighted(digit, 5, -1);
}

}  // namespace

int PriceCheckDigit(QStringView price) {
    if ((price.size() != 4 && price.size() != 5) ||
        !std::all_of(price.begin(), price.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return -1;
    std::array<int, 5> d{};
    for (qsizetype i = 0; i < price.size(); ++i)
        d[size_t(i)] = price[i].unicode() - u'0';
    if (price.size() == 4)
        return (TwoMinus(d[0]) + TwoMinus(d[1]) + Three(d[2]) + FiveMinus(d[3])) * 3 % 10;
    const int sum =
        FivePlus(d[0]) + TwoMinus(d[1]) + FiveMinus(d[2]) + FivePlus(d[3]) + TwoMinus(d[4]);
    const int wanted = (10 - sum % 10) % 10;
    for (int digit = 0; digit < 10; ++digit)
        if (FiveMinus(digit) == wanted)
            return digit;
    return -1;  // 5- weights every digit differently: not reached
}

}  // namespace symbol
