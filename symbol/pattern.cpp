#include "pattern.h"

#include <array>
#include <string>

#include "code.h"

namespace symbol {

namespace {

using Row = const char*;

// Parity of the six left digits, by leading digit 0 to 9.
constexpr std::array<Row, 10> kParityRows = {"111111", "112122", "112212", "112221", "121122",
                                             "122112", "122211", "121212", "121221", "122121"};

// Parity of the six right digits, whatever the leading digit.
constexpr Row kRightRow = "333333";

// Seven modules of digits 0 to 9, per set.
constexpr std::array<std::array<Row, 10>, 3> kDigitModules = {{
    // Set 1: odd parity, left half (set A).
    {"0001101", "0011001", "0010011", "0111101", "0100011", "0110001", "0101111", "0111011",
     "0110111", "0001011"},
    // Set 2: even parity, left half (set B).
    {"0100111", "0110011", "0011011", "0100001", "0011101", "0111001", "0000101", "0010001",
     "0001001", "0010111"},
    // Set 3: right half (set C).
    {"1110010", "1100110", "1101100", "1000010", "1011100", "1001110", "1010000", "1000100",
     "1001000", "1110100"},
}};

constexpr Row kStartGuard = "202";
constexpr Row kCentreGuard = "02020";
constexpr Row kEndGuard = "202";

// The entry of a table id, or nullptr for an id outside the table.
Row Entry(int id) {
    if (id >= 0 && id <= 9)
        return kParityRows[id];
    if (id == 10)
        return kRightRow;
    const int set = id / 100;
    const int digit = id % 100 - 1;
    if (set >= 1 && set <= 3 && digit >= 0 && digit <= 9)
        return kDigitModules[set - 1][digit];
    return nullptr;
}

int DigitValueAt(const QString& code, qsizetype position) {
    return position <= code.size() ? DigitValue(code[position - 1]) : 0;
}

}  // namespace

QString SymbolTable(int id) {
    return QString::fromLatin1(Entry(id));
}

QString BuildPattern(const QString& code) {
    // Sets: which set encodes each of positions 2 to 13.
    const std::string sets = std::string(Entry(DigitValueAt(code, 1))) + kRightRow;

    QString pattern;
    pattern.reserve(kModuleCount);
    pattern += QLatin1StringView(kStartGuard);
    for (int position = 2; position <= 13; ++position) {
        if (position == 8)
            pattern += QLatin1StringView(kCentreGuard);
        const int set = sets[position - 2] - '0';
        pattern += QLatin1StringView(Entry(set * 100 + DigitValueAt(code, position) + 1));
    }
    pattern += QLatin1StringView(kEndGuard);
    return pattern;
}

}  // namespace symbol
