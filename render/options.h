#pragma once

// The command line of stripewell-render, read into what it asks for.

#include <QString>
#include <QStringList>

namespace render {

enum class Format { Bmp, Png, Svg };

// The file name extension and the encoder name of a format: "bmp", "png", "svg".
const char* FormatName(Format format);

inline constexpr int kMinScale = 1;
inline constexpr int kMaxScale = 20;
inline constexpr int kMinMagnification = 80;
inline constexpr int kMaxMagnification = 200;

struct Options {
    enum class Mode { Help, Version, Single, Batch };
    Mode mode = Mode::Single;

    QString name;    // --name, single mode
    QString digits;  // the DIGITS argument, single mode
    QString output;  // -o, single mode

    QString batchList;  // --batch ("-" for standard input)
    QString outDir;     // --out-dir

    Format format = Format::Bmp;
    int scale = 1;            // pixels per module, bmp and png
    int magnification = 100;  // percent of the nominal 0.33 mm module, svg
    bool force = false;
};

struct ParsedCommandLine {
    Options options;
    QString error;  // empty when the command line can be followed
};

// Reads the arguments that follow the program's name.
ParsedCommandLine ParseCommandLine(const QStringList& arguments);

// The text that --help prints.
QString HelpText();

}  // namespace render
