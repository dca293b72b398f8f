#pragma once

// What the fuzz targets hold their code to. A condition that fails aborts,
// and the fuzzer keeps the input that made it fail.

#include <QString>
#include <cstdlib>

inline void Require(bool condition) {
    if (!condition)
        std::abort();
}

// A refusal is said on one short line, without the input's bytes that would
// act on a terminal.
inline bool IsOneLineMessage(const QString& message) {
    return !message.isEmpty() && !message.contains(u'\n') && !message.contains(u'\r') &&
           !message.contains(QChar(0)) && !message.contains(QChar(0x1B)) && message.size() < 400;
}
