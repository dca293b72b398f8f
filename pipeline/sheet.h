#pragma once

// Label sheets: where each label of an A4 sheet lies, the sheets that come
// built in, and the small text file that describes a sheet of one's own.
// All lengths are in millimetres from the top left corner of the page.

#include <QRectF>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace pipeline {

inline constexpr double kA4Width = 210.0;
inline constexpr double kA4Height = 297.0;

struct SheetTemplate {
    QString name;         // "a4-24", or the file's name for a sheet of one's own
    QString description;  // the maker's product, for --sheet list
    double left = 0;      // page margin to the first column's left edge
    double top = 0;       // page margin to the first row's top edge
    double labelWidth = 0;
    double labelHeight = 0;
    double pitchX = 0;  // left edge to the next column's left edge
    double pitchY = 0;  // top edge to the next row's top edge
    int columns = 0;
    int rows = 0;

    int LabelsPerPage() const { return columns * rows; }
    // The place of label index (0 = top left, left to right, then down).
    QRectF LabelRect(int index) const;
};

// The sheets that come built in, in the order --sheet list prints them.
const std::vector<SheetTemplate>& BuiltInSheets();

// The built-in sheet of that name, if there is one.
std::optional<SheetTemplate> FindSheet(const QString& name);

// One line per built-in sheet: name, layout, label size and the product.
QString SheetListText();

// Why the numbers of a sheet cannot be printed on A4 (empty when they can).
QString SheetProblem(const SheetTemplate& sheet);

struct SheetFile {
    std::optional<SheetTemplate> sheet;
    QString error;  // "LINE: reason" or a reason for the whole file
    int line = 0;   // the line of the error, or 0
};

// A sheet file is a few hundred bytes: more is not one.
inline constexpr qsizetype kMaxSheetFileBytes = 64 * 1024;

// Reads a sheet description: lines "key = value" (keys as in the README:
// columns, rows, label-width, label-height, left, top, pitch-x, pitch-y),
// a # starts a comment, blank lines are ignored, every key exactly once.
SheetFile ParseSheetText(const QString& text, const QString& name);

// Reads the sheet file at path ("-", or a name of standard input such as
// /dev/stdin, reads standard input): a regular file of at most
// kMaxSheetFileBytes, whose numbers are read as above. Anything else is
// refused without waiting on it or reading it whole. The error names the file.
SheetFile ReadSheetFile(const QString& path);

// Where a label goes: its page and its place on that page, for the n-th label
// (from 0) written after skip places of the first page were left empty.
struct LabelSlot {
    int page = 0;
    int index = 0;
};
LabelSlot SlotOf(const SheetTemplate& sheet, int skip, int n);

}  // namespace pipeline
