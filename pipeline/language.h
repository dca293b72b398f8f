#pragma once

// Which language the programs speak to a person. Every message of the
// pipeline, the verifier and the command line is written in English in the
// code, through tr() (each folder's messages.h), and translated in one
// catalogue, translations/stripewell_ja.ts, which the build compiles into the
// programs. The window is Japanese whatever the locale; stripewell-render
// speaks Japanese where the locale asks for it (LC_ALL, LC_MESSAGES, LANG and
// LANGUAGE, as Qt reads them, whether or not the C library has that locale),
// and English otherwise.

#include <QString>

namespace pipeline {

enum class Language {
    FromLocale,  // Japanese where the locale asks for it, English otherwise
    Japanese,
};

// Before the application object exists. Where the locale names one the C
// library does not have (ja_JP.UTF-8 on a machine without it), Qt says on
// standard error, in English, that it reads and writes UTF-8 instead; that is
// what the programs do anyway, so the note is left out.
void QuietLocaleNote();

// Installs the catalogue (and Qt's own Japanese, for the reasons its file
// functions give) on the application. True when the messages are Japanese.
bool UseLanguage(Language language);

// Whether a locale asks for Japanese, as gettext reads it: the locale of
// messages is LC_ALL, else LC_MESSAGES, else LANG; where it is C or POSIX (or
// unset) the messages are English whatever LANGUAGE says. Otherwise LANGUAGE,
// a list such as "fr:ja", decides by the first language in it that the
// programs speak (English or Japanese), and the locale where it names none.
bool AsksForJapanese(const QString& lcAll, const QString& lcMessages, const QString& lang,
                     const QString& language);

// True once UseLanguage has put the Japanese catalogue in place.
bool SpeaksJapanese();

}  // namespace pipeline
