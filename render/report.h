#pragma once

// How the command line speaks: text on standard output, and messages on
// standard error, each on a line of its own after the program's name.

#include <QString>
#include <cstdio>

namespace render {

// Writes text to stream as UTF-8, as it stands.
void Print(std::FILE* stream, const QString& text);

// A message as standard error shows it: "stripewell-render: " and message.
QString Prefixed(const QString& message);

// Says message on standard error, prefixed, on a line of its own.
void Report(const QString& message);

}  // namespace render
