#pragma once

#include <QCoreApplication>
#include <QString>

namespace verify {

// The messages of this folder, one context of the catalogue
// (translations/stripewell_ja.ts): Msg::tr("...") where a person reads them,
// QT_TRANSLATE_NOOP("verify", "...") in tables translated where they are shown.
struct Msg {
    Q_DECLARE_TR_FUNCTIONS(verify)
};

// A message that a script reads as well as a person: in English as the code
// has it (the JSON report), and in the reader's language (the text report).
struct Said {
    QString english;
    QString shown;
};

// source is a QT_TRANSLATE_NOOP("verify", "...") text; fill puts the values
// into either.
template <typename Fill>
Said Say(const char* source, Fill fill) {
    return {fill(QString::fromUtf8(source)), fill(Msg::tr(source))};
}

}  // namespace verify
