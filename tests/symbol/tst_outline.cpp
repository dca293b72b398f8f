// Texts as outlines: a digit group built from digits shaped one at a time,
// and a name built from glyphs kept from name to name, is the text as the
// font engine shapes it whole, and the pieces the vector files are written
// from cover what the whole outline covers.

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QTextLayout>

#include "symbol/canvas.h"
#include "symbol/outline.h"

Q_DECLARE_METATYPE(symbol::TextPlace)
Q_DECLARE_METATYPE(symbol::Face)

namespace {

// The texts filled at 40 dots a module, without smoothing.
QImage Fill(const QList<std::pair<QPainterPath, QTransform>>& shapes) {
    QImage image(2400, 1200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const QTransform dots = QTransform::fromScale(40, 40);
    for (const auto& [path, transform] : shapes)
        painter.fillPath((transform * dots).map(path), Qt::black);
    return image;
}

int Count(const QImage& a, const QImage& b, bool differing) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            count += differing ? a.pixel(x, y) != b.pixel(x, y) : a.pixel(x, y) == qRgb(0, 0, 0);
    return count;
}

}  // namespace

class TestOutline : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { symbol::RegisterFontSubstitution(); }
    void textIsShapedAsAWhole_data();
    void textIsShapedAsAWhole();
    void piecesCoverTheOutline_data();
    void piecesCoverTheOutline();
    void fontsThatKernOrJoinAreLaidOut_data();
    void fontsThatKernOrJoinAreLaidOut();
};

void TestOutline::textIsShapedAsAWhole_data() {
    using symbol::Face;
    QTest::addColumn<QString>("text");
    QTest::addColumn<Face>("face");
    QTest::newRow("a lone digit") << "4" << Face::Digits;
    QTest::newRow("a two-digit add-on") << "12" << Face::Digits;
    QTest::newRow("the short JAN's half") << "4512" << Face::Digits;
    QTest::newRow("a five-digit add-on") << "12345" << Face::Digits;
    QTest::newRow("a JAN's half, every width of digit") << "901871" << Face::Digits;
    QTest::newRow("one digit again and again") << "111111" << Face::Digits;
    QTest::newRow("a name in Latin letters, kerned pairs") << "AVAWAY Tea 500ml" << Face::Name;
    QTest::newRow("the same letter again and again") << "Item 1111" << Face::Name;
    QTest::newRow("a name in Japanese and Latin")
        << QString::fromUtf16(u"緑茶 Green tea") << Face::Name;
    QTest::newRow("full-width digits and kana")
        << QString::fromUtf16(u"お茶 ５００ｍｌ") << Face::Name;
    QTest::newRow("a name that falls back twice")
        << QString::fromUtf16(u"週刊 Weekly Ωμέγα") << Face::Name;
    QTest::newRow("digits with a letter in OCR-B") << "12A45" << Face::Digits;
    // Names set by their advances, and names that must be laid out.
    QTest::newRow("every printable ASCII character")
        << QString::fromLatin1(
               " !\"#$%&'()*+,-./"
               "0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~")
        << Face::Name;
    QTest::newRow("pairs a Latin font kerns, ligatures")
        << "To Wa Ye AT fi ffl LT P." << Face::Name;
    QTest::newRow("a name of numbers") << "Item 10000" << Face::Name;
    QTest::newRow("spaces leading, trailing and doubled") << "  Tea  500 ml  " << Face::Name;
    QTest::newRow("Latin-1 letters")
        << QString::fromUtf16(u"Café crème über Ærø ½ ©") << Face::Name;
    QTest::newRow("Japanese only")
        << QString::fromUtf16(u"緑茶ペットボトル、お徳用。「新」") << Face::Name;
    QTest::newRow("ideographic space and long vowel mark")
        << QString::fromUtf16(u"コーヒー\u3000ゼリー") << Face::Name;
    QTest::newRow("half-width kana with voicing marks")
        << QString::fromUtf16(u"ｺｰﾋｰ ｾﾞﾘｰ ﾊﾟﾝ") << Face::Name;
    QTest::newRow("full-width Latin and punctuation")
        << QString::fromUtf16(u"ＡＢＣ！？（１）") << Face::Name;
    QTest::newRow("Japanese and Latin mixed with digits")
        << QString::fromUtf16(u"週刊誌 Weekly 12月号 No.3") << Face::Name;
    QTest::newRow("a combining accent") << QString::fromUtf16(u"Cafe\u0301 e\u0308") << Face::Name;
    QTest::newRow("a combining voicing mark")
        << QString::fromUtf16(u"か\u3099き\u309a") << Face::Name;
    QTest::newRow("a soft hyphen and a zero-width joiner")
        << QString::fromUtf16(u"Tea\u00adpot a\u200db") << Face::Name;
    QTest::newRow("Thai, reordered marks") << QString::fromUtf16(u"ชาเขียว") << Face::Name;
    QTest::newRow("an ideograph beyond the basic plane")
        << QString::fromUtf16(u"𠮷野家 弁当") << Face::Name;
    QTest::newRow("Korean, which another font draws")
        << QString::fromUtf16(u"녹차 Tea") << Face::Name;
    QTest::newRow("a script no font here has, between Latin letters")
        << QString::fromUtf16(u"Tea \u091A\u093E\u092F 2") << Face::Name;
}

// Point for point, and centred on the middle of its baseline as the font
// measures it: painters of whole dots fill the outline, and a moved point
// may move a pixel of a retail picture. The reference is the font engine's
// own outline of the whole text.
void TestOutline::textIsShapedAsAWhole() {
    QFETCH(QString, text);
    QFETCH(symbol::Face, face);
    QFont font = symbol::FaceFont(face);
    font.setPixelSize(1000);
    QPainterPath whole;
    whole.addText(0, 0, font, text);
    // An em of 8.18 modules, the baseline's middle at (30, 20).
    const double scale = 8.18 / 1000;
    const double left = 30 - QFontMetricsF(font).horizontalAdvance(text) * scale / 2;
    const QPainterPath expected = QTransform(scale, 0, 0, scale, left, 20).map(whole);
    // Twice: the second time from the outlines kept the first time.
    for (int time = 0; time < 2; ++time) {
        const QPainterPath ours = symbol::TextOutline({text, face, 8.18, QPointF(30, 20), true, 0});
        QCOMPARE(ours.elementCount(), expected.elementCount());
        for (int i = 0; i < expected.elementCount(); ++i) {
            QVERIFY2(qAbs(expected.elementAt(i).x - ours.elementAt(i).x) < 1e-9 &&
                         qAbs(expected.elementAt(i).y - ours.elementAt(i).y) < 1e-9 &&
                         expected.elementAt(i).type == ours.elementAt(i).type,
                     qPrintable(QString("point %1 moved by %2, %3")
                                    .arg(i)
                                    .arg(expected.elementAt(i).x - ours.elementAt(i).x)
                                    .arg(expected.elementAt(i).y - ours.elementAt(i).y)));
        }
    }
}

void TestOutline::piecesCoverTheOutline_data() {
    using symbol::Face;
    QTest::addColumn<symbol::TextPlace>("place");
    QTest::newRow("a JAN's half, centred")
        << symbol::TextPlace{"901234", Face::Digits, 8.18, QPointF(30, 20), true, 0};
    QTest::newRow("a digit from its corner")
        << symbol::TextPlace{"4", Face::Digits, 8.18, QPointF(2, 3), false, 0};
    QTest::newRow("the quiet zone's marker")
        << symbol::TextPlace{">", Face::Digits, 8.18, QPointF(50, 20), true, 0};
    QTest::newRow("a name in Latin letters")
        << symbol::TextPlace{"Green tea 500ml", Face::Name, 6, QPointF(30, 10), true, 0};
    QTest::newRow("a name in Japanese with full-width digits") << symbol::TextPlace{
        QString::fromUtf16(u"お茶 ５００ｍｌ"), Face::Name, 6, QPointF(30, 10), true, 0};
    QTest::newRow("a name narrowed to its room") << symbol::TextPlace{
        "A name far too long for its line", Face::Name, 6, QPointF(30, 10), true, 40};
    QTest::newRow("a name from its corner")
        << symbol::TextPlace{"Item 7", Face::Name, 6, QPointF(3, 4), false, 0};
}

// Pieces may differ from the whole outline by a rounding, never by a place:
// filled side by side, only pixels along the edges may differ.
void TestOutline::piecesCoverTheOutline() {
    QFETCH(symbol::TextPlace, place);
    const QImage whole = Fill({{symbol::TextOutline(place), QTransform()}});
    QList<std::pair<QPainterPath, QTransform>> shapes;
    for (const symbol::OutlinePiece& piece : symbol::OutlinePieces(place))
        shapes.append({piece.path, piece.transform});
    const QImage pieces = Fill(shapes);
    const int black = Count(whole, whole, false);
    QVERIFY2(black > 2000, "the text was not drawn");
    const int differing = Count(whole, pieces, true);
    QVERIFY2(differing <= black / 200,
             qPrintable(QString("%1 of %2 pixels differ").arg(differing).arg(black)));
}

void TestOutline::fontsThatKernOrJoinAreLaidOut_data() {
    QTest::addColumn<QString>("family");
    for (const char* family :
         {"IPAGothic", "IPAPGothic", "DejaVu Sans", "DejaVu Serif", "DejaVu Sans Mono",
          "Nimbus Sans", "Nimbus Roman", "URW Bookman", "OCR B"})
        QTest::newRow(family) << QString::fromLatin1(family);
}

// A font taken to set texts by advances alone does: Qt's layout of texts
// that a Latin font kerns or joins ("AV", "To", "fi") puts each glyph at
// the sum of the advances before it, as many glyphs as characters; a font
// whose layout moves or joins any of them is not taken so.
void TestOutline::fontsThatKernOrJoinAreLaidOut() {
    QFETCH(QString, family);
    QFont font(family);
    font.setPixelSize(1000);
    const QRawFont raw = QRawFont::fromFont(font);
    QVERIFY2(raw.isValid() && raw.familyName() == family, qPrintable(raw.familyName()));
    bool byAdvances = true;
    for (const QString text : {"AVAWAY", "To Wa Yo", "LT P. F, r.", "fi ffi fl"}) {
        QTextLayout layout(text, font);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        QList<quint32> glyphs;
        QList<QPointF> positions;
        for (const QGlyphRun& run : layout.glyphRuns()) {
            glyphs += run.glyphIndexes();
            positions += run.positions();
        }
        const QList<QPointF> advances = raw.advancesForGlyphIndexes(glyphs);
        double x = 0;
        bool same = glyphs.size() == text.size();
        for (qsizetype i = 0; same && i < glyphs.size(); ++i) {
            same = qAbs(positions[i].x() - x) < 1e-6;
            x += advances[i].x();
        }
        byAdvances = byAdvances && same;
    }
    // Taken to set by advances only where it does; a font may have tables
    // that these texts do not show, so the other way round may not hold.
    if (symbol::SetsByAdvances(raw))
        QVERIFY2(byAdvances, "laid out other than by advances");
    if (!byAdvances)
        QVERIFY(!symbol::SetsByAdvances(raw));
}

QTEST_MAIN(TestOutline)
#include "tst_outline.moc"
