#pragma once

// Numbers as the SVG and PDF files write them: rounded to the decimals the
// file needs, without a floating-point format, and texts made of them kept
// for the thread's next calls.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <utility>

namespace symbol {

inline constexpr double kPointsPerMm = 72 / 25.4;

// Appends value rounded to decimals places, without the zeros that end a
// fraction. Print needs no more than a micrometre, and integer digits cost
// a tenth of a floating-point format.
template <typename Out>
void AppendFixed(Out& out, double value, int decimals) {
    static constexpr double kScale[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
    const long long units = std::llround(value * kScale[decimals]);
    char buffer[32];
    char* const end = buffer + sizeof buffer;
    char* at = end;
    const bool negative = units < 0;
    unsigned long long left = negative ? 0ull - units : units;
    for (; decimals > 0 && left % 10 == 0; left /= 10)
        --decimals;
    for (int i = 0; i < decimals; ++i, left /= 10)
        *--at = char('0' + left % 10);
    if (decimals > 0)
        *--at = '.';
    do {
        *--at = char('0' + left % 10);
        left /= 10;
    } while (left);
    if (negative)
        *--at = '-';
    out.append(at, end - at);
}

// A length in millimetres: a micrometre is plenty for print.
template <typename Out>
void AppendMm(Out& out, double value) {
    AppendFixed(out, value, 3);
}

template <typename Out>
void AppendMm(Out& out, std::initializer_list<double> values) {
    for (double value : values) {
        AppendMm(out, value);
        out += ' ';
    }
}

// A length in points.
inline void AppendPt(std::string& out, double pt) {
    AppendFixed(out, pt, 4);
}

// The text format(key) writes for key, kept for the thread's next calls
// with an equal key, the last 32 of them. The bars of a symbol have a few
// widths and heights among them, and formatting the same numbers again was
// most of a small file's bars. Each call site keeps its own.
template <typename Key, typename Format>
const std::string& KeptText(const Key& key, Format format) {
    thread_local std::array<std::pair<Key, std::string>, 32> kept;
    thread_local size_t used = 0, next = 0;
    for (size_t i = 0; i < used; ++i)
        if (kept[i].first == key)
            return kept[i].second;
    auto& [slot, text] = kept[next];
    next = (next + 1) % kept.size();
    used = std::max(used, next == 0 ? kept.size() : next);
    slot = key;
    text.clear();
    format(text);
    return text;
}

}  // namespace symbol
