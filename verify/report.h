#pragma once

// The verification told to people (text) and to scripts (JSON).

#include <QString>

namespace verify {

struct Verification;

QString TextReport(const Verification& v);
QString JsonReport(const Verification& v);

// What --verify --help says after the options.
QString HelpTail();

}  // namespace verify
