#include "tagdesign.h"

#include <QFontMetricsF>
#include <unordered_map>

#include "symbol/outline.h"

namespace pipeline {

const FieldBox* FieldOf(const TagLayout& layout, TagField field) {
    for (const FieldBox& box : layout)
        if (box.field == field)
            return &box;
    return nullptr;
}

namespace {

using enum TagField;
constexpr auto kLeftTop = Qt::AlignLeft | Qt::AlignTop;
constexpr auto kLeftBottom = Qt::AlignLeft | Qt::AlignBottom;
constexpr auto kRightBottom = Qt::AlignRight | Qt::AlignBottom;
constexpr auto kRightCentre = Qt::AlignRight | Qt::AlignVCenter;
constexpr auto kFace = symbol::Face::Name;
constexpr auto kDigits = symbol::Face::Digits;

}  // namespace

// The name across the top; below it the symbol, and the prices beside it:
// the tax-inclusive one largest. A price tag's symbol is as large as the
// label allows; a shelf label's leaves the price most of the strip.
// Smaller labels and rolls take the compact layout: the symbol across the
// label's width, the name and the tax-inclusive price in a band above it,
// and the tax-exclusive price on two short lines right of its quiet zone.
// Its band is as tall as leaves the symbol's box room for 113.7 percent
// (3 dots of a 203-dpi printer, 29.5 mm) on a 40 mm label and for 80
// percent (20.7 mm) on a 30 mm one.
const QList<DesignRow>& Designs() {
    constexpr double kBand = 0.22;
    constexpr double kBeside = 0.8;
    constexpr QRectF kUnder{0, kBand, kBeside - 0.01, 1 - kBand};
    constexpr QRectF kBesideUnder{kBeside, kBand, 1 - kBeside, 1 - kBand};
    // A shelf label's boxes without its symbol: the texts across the strip.
    constexpr QRectF kWideName{0, 0, 1, 0.22};
    constexpr QRectF kWidePrice{0, 0.24, 1, 0.52};
    constexpr QRectF kWideExclusive{0, 0.78, 1, 0.22};
    static const QList<DesignRow> designs = {
        {Design::Symbol, QStringLiteral("symbol"), QStringLiteral("記号のみ"), {40, 30}, {}},
        {Design::Price,
         QStringLiteral("price"),
         QStringLiteral("値札"),
         {60, 40},
         {
             {
                 {Name, {0, 0, 1, 0.22}, kLeftTop, kFace, 1.8, 2.6, 2, {}},
                 {Symbol, {0, 0.24, 0.64, 0.76}, kLeftBottom, kFace, 0, 0, 1, {}},
                 {WithTax, {0.66, 0.24, 0.34, 0.5}, kRightCentre, kDigits, 2.2, 8, 1, {}},
                 {WithoutTax, {0.66, 0.78, 0.34, 0.22}, kRightBottom, kDigits, 1.4, 2.8, 1, {}},
             },
             {
                 {Name, {0, 0, 0.55, kBand}, kLeftTop, kFace, 1.8, 2.6, 2, {}},
                 {WithTax, {0.57, 0, 0.43, kBand}, kRightCentre, kDigits, 2.2, 8, 1, {}},
                 {Symbol, kUnder, kLeftBottom, kFace, 0, 0, 1, {}},
                 {WithoutTax, kBesideUnder, kRightCentre, kDigits, 1.4, 2.8, 2, {}},
             },
         }},
        {Design::Shelf,
         QStringLiteral("shelf"),
         QStringLiteral("棚札"),
         {90, 30},
         {
             {
                 {Name, {0, 0, 1, 0.22}, kLeftTop, kFace, 1.8, 3.6, 2, {}},
                 {WithTax, {0, 0.24, 0.48, 0.52}, kLeftBottom, kDigits, 3, 12, 1, kWidePrice},
                 {WithoutTax,
                  {0, 0.78, 0.48, 0.22},
                  kLeftBottom,
                  kDigits,
                  1.6,
                  3,
                  1,
                  kWideExclusive},
                 {Symbol, {0.5, 0.24, 0.5, 0.76}, kRightBottom, kFace, 0, 0, 1, {}},
             },
             {
                 {Name, {0, 0, 0.5, kBand}, kLeftTop, kFace, 1.8, 3.6, 2, kWideName},
                 {WithTax, {0.52, 0, 0.48, kBand}, kRightCentre, kDigits, 3, 12, 1, kWidePrice},
                 {Symbol, kUnder, kLeftBottom, kFace, 0, 0, 1, {}},
                 {WithoutTax, kBesideUnder, kRightCentre, kDigits, 1.6, 2.8, 2, kWideExclusive},
             },
         }},
    };
    return designs;
}

const DesignRow* FindDesign(QStringView option) {
    for (const DesignRow& row : Designs())
        if (row.option == option)
            return &row;
    return nullptr;
}

const DesignRow& DesignOf(Design design) {
    for (const DesignRow& row : Designs())
        if (row.design == design)
            return row;
    return Designs().front();
}

QString ExclusiveWord(ExclusiveWording wording) {
    return wording == ExclusiveWording::Hontai ? QStringLiteral("本体価格")
                                               : QStringLiteral("税抜");
}

bool IsTag(Design design) {
    return !DesignOf(design).layouts.isEmpty();
}

QRectF FieldRect(const FieldBox& field, const QRectF& inner, bool withSymbol) {
    const QRectF& box = !withSymbol && !field.noSymbolBox.isEmpty() ? field.noSymbolBox : field.box;
    return {inner.x() + box.x() * inner.width(), inner.y() + box.y() * inner.height(),
            box.width() * inner.width(), box.height() * inner.height()};
}

namespace {

// The face's font at a size where hinting changes nothing, per thread.
constexpr int kMeasurePixels = 1000;

const QFontMetricsF& Measure(symbol::Face face) {
    thread_local std::unordered_map<int, QFontMetricsF> kept;
    auto found = kept.find(int(face));
    if (found == kept.end()) {
        QFont font = symbol::FaceFont(face);
        font.setPixelSize(kMeasurePixels);
        found = kept.emplace(int(face), QFontMetricsF(font)).first;
    }
    return found->second;
}

}  // namespace

LineMetrics MetricsOf(symbol::Face face) {
    const QFontMetricsF& metrics = Measure(face);
    // Lines a fifth of an em apart: kana and kanji fill their em.
    return {metrics.ascent() / kMeasurePixels, metrics.descent() / kMeasurePixels, 1.2};
}

double AdvanceEm(symbol::Face face, const QString& text) {
    return Measure(face).horizontalAdvance(text) / kMeasurePixels;
}

}  // namespace pipeline
