#pragma once

// What a Japanese reader is shown: a line with kana or kanji in it, and the
// environment in which the programs speak Japanese.

#include <QString>
#include <QStringList>

// True when text has a hiragana, katakana or CJK ideograph (kanji) in it.
inline bool HasJapanese(const QString& text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3040 && u <= 0x30ff) || (u >= 0x4e00 && u <= 0x9fff) ||
            (u >= 0xff66 && u <= 0xff9f))
            return true;
    }
    return false;
}

// The lines of text that a Japanese reader would find in English only: those
// with a letter but no kana or kanji.
inline QStringList EnglishLines(const QString& text) {
    QStringList english;
    for (const QString& line : text.split(u'\n', Qt::SkipEmptyParts)) {
        const bool hasLetter = std::any_of(line.begin(), line.end(), [](QChar c) {
            return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
        });
        if (hasLetter && !HasJapanese(line))
            english << line;
    }
    return english;
}

// For RunOptions::environment: a Japanese locale the C library need not have,
// as a person in Japan sets it; and the C locale, in which the programs speak
// English.
inline const QStringList kJapaneseLocale{"LANG=ja_JP.UTF-8",
                                         "LC_ALL=", "LC_MESSAGES=", "LANGUAGE="};
inline const QStringList kCLocale{"LANG=C", "LC_ALL=", "LC_MESSAGES=", "LANGUAGE="};
