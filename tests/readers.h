#pragma once

// The two independent readers, ZXingReader (zxing-cpp-tools) and zbarimg
// (zbar-tools), as the tests ask them what a picture holds.

#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include "run.h"

// ZXingReader's report on picture. -noscale always: ZXingReader 1.4.0 aborts
// on some pictures when it also tries them scaled down.
inline QString ZXingReport(const QString& picture, const QStringList& options = {},
                           const QString& folder = {}) {
    return RunProgram(QStringLiteral("ZXingReader"),
                      QStringList{"-noscale"} + options + QStringList{picture}, folder)
        .out;
}

// The text of each symbol in ZXingReader's report, sorted.
inline QStringList ZXingTexts(const QString& picture, const QStringList& options = {},
                              const QString& folder = {}) {
    static const QRegularExpression text(QStringLiteral("Text: +\"([^\"]*)\""));
    QStringList texts;
    for (const QRegularExpressionMatch& match :
         text.globalMatch(ZXingReport(picture, options, folder)))
        texts << match.captured(1);
    texts.sort();
    return texts;
}

// What zbarimg -q --raw reads in picture, as it writes it.
inline QString ZbarReport(const QString& picture, const QStringList& options = {},
                          const QString& folder = {}) {
    return RunProgram(QStringLiteral("zbarimg"),
                      QStringList{"-q", "--raw"} + options + QStringList{picture}, folder)
        .out;
}

// What zbarimg -q --raw reads in picture: its lines of digits, sorted.
inline QStringList ZbarCodes(const QString& picture, const QStringList& options = {},
                             const QString& folder = {}) {
    static const QRegularExpression digits(QStringLiteral("^\\d+$"));
    QStringList codes = ZbarReport(picture, options, folder).split(u'\n').filter(digits);
    codes.sort();
    return codes;
}
