#pragma once

// The command line's options, each with the description that --help prints,
// and the help text around them.

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>

namespace render {

struct OptionTable {
    OptionTable();

    QCommandLineOption output;
    QCommandLineOption name;
    QCommandLineOption noName;
    QCommandLineOption symbology;
    QCommandLineOption addon;
    QCommandLineOption indicator;
    QCommandLineOption ratio;
    QCommandLineOption bearer;
    QCommandLineOption classification;
    QCommandLineOption price;
    QCommandLineOption format;
    QCommandLineOption layout;
    QCommandLineOption scale;
    QCommandLineOption magnification;
    QCommandLineOption dpi;
    QCommandLineOption bwr;
    QCommandLineOption marker;
    QCommandLineOption force;
    QCommandLineOption batch;
    QCommandLineOption outDir;
    QCommandLineOption encoding;
    QCommandLineOption separator;
    QCommandLineOption codeColumn;
    QCommandLineOption sheet;
    QCommandLineOption sheetFile;
    QCommandLineOption copies;
    QCommandLineOption skip;
    QCommandLineOption outline;
    QCommandLineOption nameColumn;
    QCommandLineOption print;
    QCommandLineOption printer;
    QCommandLineOption media;
    QCommandLineOption design;
    QCommandLineOption priceWithTax;
    QCommandLineOption taxRate;
    QCommandLineOption rounding;
    QCommandLineOption exclusiveLabel;
    QCommandLineOption noSymbol;
    QCommandLineOption instore;
    QCommandLineOption instorePrefix;
    QCommandLineOption item;
    QCommandLineOption labelSize;
    QCommandLineOption help;
    QCommandLineOption version;
    // The options above in the order --help shows them.
    QList<const QCommandLineOption*> Listed() const;
    // The options above, with the program's description and its DIGITS.
    QCommandLineParser parser;
};

// The text that --help prints, in the language the program speaks.
QString HelpText();

// How many terminal columns text takes: two for each kana, kanji, hangul and
// full-width form, one for every other character.
int DisplayWidth(QStringView text);

}  // namespace render
