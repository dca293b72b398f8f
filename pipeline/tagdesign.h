#pragma once

// Price tags and shelf labels as data: for each design, the option that
// names it, its title, the size of a single tag file, and its fields (the
// name, the tax-inclusive price, the tax-exclusive one, the symbol), each a
// box in fractions of the label inside its margins with its face and the
// range of its em. The one label painter lays any row out; a new design is
// a new row.

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

// A field's place: box in fractions of the label's inner width and height
// (inside kLabelMarginMm), its face and its em, from maxEmMm as large as
// the box allows down to minEmMm, on at most lines lines; alignment within
// the box (Qt::AlignLeft, AlignHCenter or AlignRight).
struct FieldBox {
    TagField field = TagField::Name;
    QRectF box;
    symbol::Face face = symbol::Face::Name;
    double minEmMm = 0;
    double maxEmMm = 0;
    int lines = 1;
    int align = 0x0004;  // Qt::AlignHCenter
};

struct DesignRow {
    Design design = Design::Symbol;
    QString option;  // "symbol", "price", "shelf"
    QString title;   // 記号のみ, 値札, 棚札
    QSizeF labelMm;  // a single tag file's size
    QList<FieldBox> fields;

    const FieldBox* Field(TagField field) const;
};

const QList<DesignRow>& Designs();
// The design an option names; null when none is named so.
const DesignRow* FindDesign(QStringView option);
const DesignRow& DesignOf(Design design);

// "税抜" or "本体価格".
QString ExclusiveWord(ExclusiveWording wording);

}  // namespace pipeline
