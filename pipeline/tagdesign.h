#pragma once

// Price tags and shelf labels as data: for each design, the option that
// names it, its title, the size of a single tag file, and its layouts in
// order of preference, each a list of fields (the name, the tax-inclusive
// price, the tax-exclusive one, the symbol), each a box in fractions of the
// label inside its margins with its face and the range of its em. A label
// takes the first layout that holds its symbol and texts. The one label
// painter lays any row out; a new design is a new row.

#include <QtCore/qnamespace.h>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringView>

#include "symbol/layout.h"

namespace pipeline {

enum class Design { Symbol, Price, Shelf };  // 記号のみ, 値札, 棚札

// How the tax-exclusive price is worded: "税抜 ¥1,000" or "本体価格 ¥1,000".
enum class ExclusiveWording { Zeinuki, Hontai };

struct TagStyle {
    Design design = Design::Symbol;  // Symbol: the plain labels, a symbol under its name
    ExclusiveWording wording = ExclusiveWording::Zeinuki;
    bool symbol = true;  // false: the shelf label without its symbol
};

// What a field of a tag shows.
enum class TagField {
    Name,        // the product's name
    WithTax,     // "¥1,100" and "税込"
    WithoutTax,  // "税抜 ¥1,000" or "本体価格 ¥1,000"
    Symbol,      // the retail symbol, its digits below its bars
};

// A field's place: box in fractions of the label's width and height inside
// its margins (kLabelMarginMm), and where in the box the field stands. A
// text's em is the largest the box allows, at most maxEmMm; a name too long
// for its lines at minEmMm, the smallest legible, is cut with "…". The
// symbol takes the largest magnification its box holds, at most the one
// asked and never below 80 percent, its bars at their full height. A field
// of lines 2 holding a price breaks it after its words: "税抜" above
// "¥1,000".
// noSymbolBox, when not empty, is the field's box on a tag without symbol.
inline constexpr double kTagMinMagnification = 80;

struct FieldBox {
    TagField field = TagField::Name;
    QRectF box;
    Qt::Alignment align = Qt::AlignCenter;
    symbol::Face face = symbol::Face::Name;
    double minEmMm = 0;
    double maxEmMm = 0;
    int lines = 1;
    QRectF noSymbolBox;
};

// One way of laying a design's fields out.
using TagLayout = QList<FieldBox>;

// The layout's field of that kind; null when it has none.
const FieldBox* FieldOf(const TagLayout& layout, TagField field);

struct DesignRow {
    Design design = Design::Symbol;
    QString option;            // "symbol", "price", "shelf"
    QString title;             // 記号のみ, 値札, 棚札
    QSizeF labelMm;            // a single tag file's size
    QList<TagLayout> layouts;  // none: the plain label, a symbol under its name
};

const QList<DesignRow>& Designs();
// The design an option names; null when none is named so.
const DesignRow* FindDesign(QStringView option);
const DesignRow& DesignOf(Design design);

// "税抜" or "本体価格".
QString ExclusiveWord(ExclusiveWording wording);

// Whether the design is a tag's (its fields laid out) rather than the plain
// label.
bool IsTag(Design design);

// The field's box in a label whose room inside its margins is inner.
QRectF FieldRect(const FieldBox& field, const QRectF& inner, bool withSymbol);

// How a face sets a line, in ems: how far its characters reach above the
// baseline and below it, the pitch of a name's lines, and how wide a text is.
struct LineMetrics {
    double ascent = 0;
    double descent = 0;
    double pitch = 0;
    // The height of lines lines of text.
    double Height(int lines) const { return (lines - 1) * pitch + ascent + descent; }
};
LineMetrics MetricsOf(symbol::Face face);
double AdvanceEm(symbol::Face face, const QString& text);

}  // namespace pipeline
