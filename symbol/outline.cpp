#include "outline.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QImage>
#include <QRawFont>
#include <QTextLayout>
#include <QTransform>
#include <algorithm>
#include <array>
#include <unordered_map>

#include "canvas.h"

namespace symbol {

namespace {

// Outlines are taken at a size where hinting changes nothing, then scaled.
constexpr int kOutlinePixels = 1000;

// A text's outline at kOutlinePixels, its baseline at y = 0, with its
// advance and the font's ascent.
struct Shape {
    QPainterPath path;
    double advance = 0;
    double ascent = 0;
};

Shape MakeShape(Face face, const QString& text) {
    QFont font = FaceFont(face);
    font.setPixelSize(kOutlinePixels);
    const QFontMetricsF metrics(font);
    Shape shape;
    shape.path.addText(0, 0, font, text);
    shape.advance = metrics.horizontalAdvance(text);
    shape.ascent = metrics.ascent();
    return shape;
}

// A batch draws the same digits thousands of times: single characters are
// shaped once per thread and kept, where a reference to one stays good.
const Shape& KeptShape(Face face, QChar c) {
    thread_local std::unordered_map<quint32, Shape> kept;
    const quint32 key = quint32(face) << 16 | c.unicode();
    auto found = kept.find(key);
    if (found == kept.end())
        found = kept.emplace(key, MakeShape(face, QString(c))).first;
    return found->second;
}

bool AllDigits(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// A text split into outlines that are kept, each with its pen position.
// OCR-B shapes a digit group whole by putting each digit at the sum of the
// advances before it, in the font engine's fixed point: the same sums here
// give the same outline, point for point. Any other text is shaped whole,
// as a path's addText() shapes it (a name may be kerned or fall back to
// other fonts, and the window's face places its digits a little apart from
// their advances), and each glyph's outline is kept for its font: the
// glyphs stand where the shaping puts them, and the outline is the one
// addText() makes, point for point, with no glyph loaded again.
struct Pieces {
    QList<std::pair<const QPainterPath*, QPointF>> kept;
    QList<quint64> keys;
    double advance = 0;
    double ascent = 0;
};

// The number a font's glyphs are kept under in this thread. A layout that
// finds no font for a character sets it in a font of boxes, which has no
// family (QRawFont::familyName() would read an empty list) and no tables:
// a font without tables is told from the others by its engine alone.
quint64 FontNumber(const QRawFont& font) {
    thread_local QHash<QString, quint64> named;
    thread_local QHash<QRawFont, quint64> unnamed;
    const quint64 next = quint64(named.size() + unnamed.size() + 1);
    if (font.fontTable("head").isEmpty()) {
        const auto known = unnamed.constFind(font);
        return known == unnamed.constEnd() ? *unnamed.insert(font, next) : *known;
    }
    const QString name = font.familyName() + u'\n' + font.styleName();
    const auto known = named.constFind(name);
    return known == named.constEnd() ? *named.insert(name, next) : *known;
}

// A glyph's outline at its font's size, its origin at (0, 0), kept per
// thread with a key among the thread's pieces that no character's has.
std::pair<const QPainterPath*, quint64> KeptGlyph(const QRawFont& font, quint64 fontNumber,
                                                  quint32 glyph) {
    thread_local std::unordered_map<quint64, QPainterPath> kept;
    const quint64 key = 1ull << 63 | fontNumber << 32 | glyph;
    auto found = kept.find(key);
    if (found == kept.end()) {
        QPainterPath path;
        // The font of boxes has no outlines: addText() draws each of its
        // glyphs as a square standing on the baseline, a little smaller than
        // the em.
        if (font.pixelSize() <= 0 && font.fontTable("head").isEmpty())
            path.addRect(0, -kOutlinePixels, kOutlinePixels - 3, kOutlinePixels - 3);
        else
            path = font.pathForGlyph(glyph);
        found = kept.emplace(key, path).first;
    }
    return {&found->second, key};
}

void ShapeWhole(Face face, const QString& text, Pieces* pieces) {
    QFont font = FaceFont(face);
    font.setPixelSize(kOutlinePixels);
    // As addText() lays a text out: one line, the direction the text has.
    QTextLayout layout(text, font);
    layout.setCacheEnabled(true);
    QTextOption option = layout.textOption();
    option.setTextDirection(text.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
    layout.setTextOption(option);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    const double baseline = line.ascent();
    struct Glyph {
        const QPainterPath* path;
        QPointF at;
        quint64 key;
    };
    QList<Glyph> glyphs;
    for (const QGlyphRun& run : layout.glyphRuns()) {
        const QRawFont raw = run.rawFont();
        const quint64 fontNumber = FontNumber(raw);
        const QList<quint32> indexes = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < indexes.size(); ++i) {
            const auto [path, key] = KeptGlyph(raw, fontNumber, indexes[i]);
            glyphs.append({path, QPointF(positions[i].x(), positions[i].y() - baseline), key});
        }
    }
    // A layout gives the glyphs of each font together; addText() gives them
    // from left to right.
    std::stable_sort(glyphs.begin(), glyphs.end(),
                     [](const Glyph& a, const Glyph& b) { return a.at.x() < b.at.x(); });
    for (const Glyph& glyph : glyphs) {
        pieces->kept.append({glyph.path, glyph.at});
        pieces->keys.append(glyph.key);
    }
    const QFontMetricsF metrics(font);
    pieces->advance = metrics.horizontalAdvance(text);
    pieces->ascent = metrics.ascent();
}

// Characters that a font sets one after the other by their advances, with
// nothing for a shaper to do: printable ASCII and Latin-1, kana and CJK
// punctuation, the unified ideographs, full- and half-width forms. Combining
// marks, joiners, soft hyphens and scripts that join or reorder are not.
bool SetByAdvances(char16_t c) {
    return (c >= 0x20 && c <= 0x7e) || (c >= 0xa0 && c <= 0xff && c != 0xad) ||
           (c >= 0x3000 && c <= 0x30ff && !(c >= 0x302a && c <= 0x302f) && c != 0x3099 &&
            c != 0x309a) ||
           (c >= 0x4e00 && c <= 0x9fff) || (c >= 0xff01 && c <= 0xffef);
}

// The face's own font at the outline size, as the layout would find it,
// and what a text set by advances takes of each character: kept per
// thread, as a font engine loads a glyph again to measure its advance.
struct RawFace {
    QRawFont raw;
    double ascent = 0;
    bool byAdvances = false;  // a layout would set its characters by their advances
    struct Character {
        const QPainterPath* path = nullptr;  // null: not in the font
        quint64 key = 0;
        double advance = 0;
    };
    std::unordered_map<char16_t, Character> characters;
};

}  // namespace

bool SetsByAdvances(const QRawFont& raw) {
    if (!raw.fontTable("kern").isEmpty() || !raw.fontTable("GPOS").isEmpty())
        return false;
    const QByteArray gsub = raw.fontTable("GSUB");
    if (gsub.isEmpty())
        return true;
    const auto number = [&gsub](qsizetype at) {
        return at >= 0 && at + 2 <= gsub.size() ? uchar(gsub[at]) << 8 | uchar(gsub[at + 1]) : -1;
    };
    // The header's feature list: a count, then a tag and an offset for each.
    const int features = number(6);
    const int count = number(features);
    if (features < 0 || count < 0 || features + 2 + 6 * qsizetype(count) > gsub.size())
        return false;
    for (int i = 0; i < count; ++i) {
        const QByteArrayView tag(gsub.constData() + features + 2 + 6 * i, 4);
        for (const char* joining : {"liga", "clig", "calt", "rlig"})
            if (tag == joining)
                return false;
    }
    return true;
}

namespace {

RawFace& KeptRawFace(Face face) {
    thread_local std::unordered_map<int, RawFace> kept;
    auto found = kept.find(int(face));
    if (found == kept.end()) {
        QFont font = FaceFont(face);
        font.setPixelSize(kOutlinePixels);
        const QRawFont raw = QRawFont::fromFont(font);
        found = kept.emplace(int(face), RawFace{raw,
                                                QFontMetricsF(font).ascent(),
                                                raw.isValid() && SetsByAdvances(raw),
                                                {}})
                    .first;
    }
    return found->second;
}

const RawFace::Character& KeptCharacter(RawFace& font, char16_t c) {
    const auto [at, added] = font.characters.try_emplace(c);
    if (added) {
        const QList<quint32> glyphs = font.raw.glyphIndexesForString(QString(QChar(c)));
        if (glyphs.size() == 1 && glyphs[0] != 0) {
            const auto [path, key] = KeptGlyph(font.raw, FontNumber(font.raw), glyphs[0]);
            at->second = {path, key, font.raw.advancesForGlyphIndexes(glyphs)[0].x()};
        }
    }
    return at->second;
}

// A text of such characters, every one in the face's own font (none falls
// back to another), is set by the font's advances: the places a layout
// gives, without laying it out. Laying out a name was a quarter of a file's
// work. False for any other text.
bool SetWithoutShaping(Face face, const QString& text, Pieces* pieces) {
    for (const QChar c : text)
        if (!SetByAdvances(c.unicode()))
            return false;
    RawFace& font = KeptRawFace(face);
    if (!font.byAdvances)
        return false;
    double x = 0;
    for (const QChar c : text) {
        const RawFace::Character& character = KeptCharacter(font, c.unicode());
        if (!character.path) {
            pieces->kept.clear();
            pieces->keys.clear();
            return false;
        }
        pieces->kept.append({character.path, QPointF(x, 0)});
        pieces->keys.append(character.key);
        x += character.advance;
    }
    pieces->advance = x;
    pieces->ascent = font.ascent;
    return true;
}

Pieces Split(Face face, const QString& text) {
    Pieces pieces;
    pieces.kept.reserve(text.size());
    pieces.keys.reserve(text.size());
    if (text.size() == 1 || (face == Face::Digits && !text.isEmpty() && AllDigits(text))) {
        for (const QChar c : text) {
            const Shape& shape = KeptShape(face, c);
            pieces.kept.append({&shape.path, QPointF(pieces.advance, 0)});
            pieces.keys.append(quint64(face) << 16 | c.unicode());
            pieces.advance += shape.advance;
            pieces.ascent = shape.ascent;
        }
        return pieces;
    }
    if (!SetWithoutShaping(face, text, &pieces))
        ShapeWhole(face, text, &pieces);
    return pieces;
}

// The text's size and place as the transform from its shape to modules.
QTransform Placing(const TextPlace& place, double advance, double ascent) {
    double scale = place.size / kOutlinePixels;
    double width = advance * scale;
    if (place.maxWidth > 0 && width > place.maxWidth) {
        scale *= place.maxWidth / width;
        width = place.maxWidth;
    }
    const QPointF origin = place.centred ? QPointF(place.at.x() - width / 2, place.at.y())
                                         : QPointF(place.at.x(), place.at.y() + ascent * scale);
    return QTransform(scale, 0, 0, scale, origin.x(), origin.y());
}

}  // namespace

QFont FaceFont(Face face) {
    switch (face) {
        case Face::Canvas:
            return CanvasFont();
        case Face::Digits: {
            QFont font(QStringLiteral("OCR B"));
            font.setStyleName(QStringLiteral("Regular"));
            return font;
        }
        case Face::Name:
            RegisterFontSubstitution();
            return QFont(QString::fromUtf16(kFontFamily));
    }
    return QFont();
}

QList<OutlinePiece> OutlinePieces(const TextPlace& place) {
    const Pieces pieces = Split(place.face, place.text);
    const QTransform placing = Placing(place, pieces.advance, pieces.ascent);
    QList<OutlinePiece> out;
    out.reserve(pieces.kept.size());
    for (const auto& [path, at] : pieces.kept)
        out.append(
            {*path, QTransform::fromTranslate(at.x(), at.y()) * placing, pieces.keys[out.size()]});
    return out;
}

CanvasSetting SetOnCanvas(const TextPlace& place) {
    // Measured once per thread: a batch sets thousands of texts.
    struct Measured {
        QFontMetricsF metrics = [] {
            QImage image(1, 1, QImage::Format_RGB32);
            image.setDotsPerMeterX(kWindowDotsPerMetre);
            image.setDotsPerMeterY(kWindowDotsPerMetre);
            return QFontMetricsF(CanvasFont(), &image);
        }();
        std::array<double, 10> digits{};
        Measured() {
            for (int digit = 0; digit < 10; ++digit)
                digits[digit] = metrics.horizontalAdvance(QChar(u'0' + digit));
        }
    };
    thread_local const Measured measured;
    const double scale = place.size / kCanvasEm;
    CanvasSetting setting;
    setting.baseline = place.at.y() + measured.metrics.ascent() * scale;
    double x = place.at.x();
    for (const QChar c : place.text) {
        setting.lefts.append(x);
        const bool digit = c >= u'0' && c <= u'9';
        x += (digit ? measured.digits[c.unicode() - u'0'] : measured.metrics.horizontalAdvance(c)) *
             scale;
    }
    return setting;
}

QPainterPath TextOutline(const TextPlace& place) {
    const Pieces pieces = Split(place.face, place.text);
    QPainterPath path;
    for (const auto& [piece, at] : pieces.kept)
        path.addPath(piece->translated(at));
    return Placing(place, pieces.advance, pieces.ascent).map(path);
}

}  // namespace symbol
