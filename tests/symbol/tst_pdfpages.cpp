// PDF files of many pages written page by page, read back by other
// programs: poppler's pdfinfo counts the pages and measures them (and says
// nothing about the file's structure), pdftoppm rasterises each page, where
// a square is found where it was put, and ZXingReader reads the symbol
// painted on each page (full size: ZXingReader 1.4 asserts when it finds a
// symbol twice, once scaled down).

#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "symbol/canvas.h"
#include "symbol/family.h"
#include "symbol/layout.h"
#include "symbol/vector.h"

#include "readers.h"

namespace {

// The pages of pdf at dpi, in the order of the file.
QList<QImage> Pages(const QString& pdf, int dpi, const QString& folder) {
    const QString prefix = QDir(folder).filePath("page");
    RunProgram("pdftoppm", {"-r", QString::number(dpi), "-gray", "-png", pdf, prefix});
    QList<QImage> pages;
    for (const QString& file : QDir(folder).entryList({"page-*.png"}, QDir::Files, QDir::Name)) {
        pages.append(QImage(QDir(folder).filePath(file)));
        QFile::remove(QDir(folder).filePath(file));
    }
    return pages;
}

// The smallest rectangle around the page's dark pixels.
QRect DarkBounds(const QImage& page) {
    QRect bounds;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 128)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

bool Save(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Empty when the file's cross-reference table is as a reader that trusts it
// needs it: startxref at the table, one entry of 20 bytes for each object
// up to the trailer's /Size, each in use pointing at its "N 0 obj". Else
// the first fault found. (pdfinfo and pdftoppm rebuild a broken table
// without a word.)
QString XrefFault(const QByteArray& pdf) {
    const qsizetype mark = pdf.lastIndexOf("startxref\n");
    if (mark < 0)
        return "no startxref";
    bool ok = false;
    const qsizetype start =
        pdf.mid(mark + 10, pdf.indexOf('\n', mark + 10) - mark - 10).toLongLong(&ok);
    if (!ok || !pdf.mid(start).startsWith("xref\n0 "))
        return QString("startxref %1 is not at the table").arg(start);
    const qsizetype countEnd = pdf.indexOf('\n', start + 7);
    const int count = pdf.mid(start + 7, countEnd - start - 7).toInt(&ok);
    if (!ok || count < 1)
        return "no count of entries";
    const QRegularExpression size(QString("trailer\\s*<<[^>]*/Size %1[ />]").arg(count));
    if (!QString::fromLatin1(pdf.mid(countEnd)).contains(size))
        return QString("the trailer's /Size is not %1").arg(count);
    for (int i = 0; i < count; ++i) {
        const QByteArray entry = pdf.mid(countEnd + 1 + 20 * qsizetype(i), 20);
        if (entry.size() != 20 || entry[10] != ' ' || entry[16] != ' ' || entry[19] != '\n')
            return QString("entry %1 is not 20 bytes: %2").arg(i).arg(QString::fromLatin1(entry));
        if (entry[17] != 'n')
            continue;
        const qsizetype offset = entry.left(10).toLongLong();
        const QByteArray header = QByteArray::number(i) + " 0 obj";
        if (!pdf.mid(offset).startsWith(header))
            return QString("object %1 is not at %2").arg(i).arg(offset);
    }
    return QString();
}

// The square of page i: 10 mm wide, 8 + 6 i mm from the left, 12 + 4 i mm
// from the top, so that a page in the wrong place shows.
QRectF SquareMm(int i) {
    return QRectF(8 + 6 * i, 12 + 4 * i, 10, 10);
}

}  // namespace

class TestPdfPages : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { symbol::RegisterFontSubstitution(); }
    void pagesAreCountedMeasuredAndInPlace_data();
    void pagesAreCountedMeasuredAndInPlace();
    void eachPagesSymbolIsRead_data();
    void eachPagesSymbolIsRead();
    void failedWriteEndsTheFile_data();
    void failedWriteEndsTheFile();
    void formsDrawWhatOutlinesDraw_data();
    void formsDrawWhatOutlinesDraw();
    void oneSymbolSvgAndPdfAgree_data();
    void oneSymbolSvgAndPdfAgree();
};

void TestPdfPages::pagesAreCountedMeasuredAndInPlace_data() {
    QTest::addColumn<int>("pages");
    QTest::addColumn<QSizeF>("sizePt");
    QTest::addColumn<QString>("shown");  // pdfinfo's page size
    QTest::addColumn<bool>("aside");
    QTest::addColumn<int>("filler");  // tiny rectangles per page, to make a page large
    QTest::newRow("one A4 page") << 1 << QSizeF(595, 842) << "595 x 842 pts (A4)" << false << 0;
    QTest::newRow("three A4 pages, compressed aside")
        << 3 << QSizeF(595, 842) << "595 x 842 pts (A4)" << true << 15000;
    QTest::newRow("seven letter pages, large, compressed in line")
        << 7 << QSizeF(612, 792) << "612 x 792 pts (letter)" << false << 3000;
    QTest::newRow("five small pages, small, aside")
        << 5 << QSizeF(200.5, 150.25) << "200.5 x 150.25 pts" << true << 10;
}

void TestPdfPages::pagesAreCountedMeasuredAndInPlace() {
    QFETCH(int, pages);
    QFETCH(QSizeF, sizePt);
    QFETCH(QString, shown);
    QFETCH(bool, aside);
    QFETCH(int, filler);
    QByteArray pdf;
    int writes = 0;
    {
        symbol::PdfPages file(
            sizePt,
            [&](QByteArrayView bytes) {
                pdf += bytes;
                ++writes;
                return true;
            },
            "test", aside);
        for (int i = 0; i < pages; ++i) {
            symbol::PdfCanvas canvas(sizePt.height());
            QList<QRectF> specks;
            for (int j = 0; j < filler; ++j)
                specks.append(QRectF(60 + j % 50 * 0.01, 2, 0.001, 0.001));
            canvas.FillRects(specks, true);
            canvas.FillRects({SquareMm(i)});
            QVERIFY(file.AddPage(canvas.Take()));
        }
        QVERIFY(file.Finish());
        QCOMPARE(file.Pages(), pages);
    }
    // Written as it went, not all at once at the end.
    QVERIFY(writes > pages);
    const QString xref = XrefFault(pdf);
    QVERIFY2(xref.isEmpty(), qPrintable(xref));
    QTemporaryDir dir;
    const QString path = dir.filePath("pages.pdf");
    QVERIFY(Save(path, pdf));
    const Ran info = RunProgram("pdfinfo", {path});
    QVERIFY2(info.err.isEmpty(), qPrintable(info.err));
    QVERIFY2(info.out.contains(QRegularExpression(QString("Pages:\\s+%1\\n").arg(pages))),
             qPrintable(info.out));
    QVERIFY2(info.out.contains(
                 QRegularExpression("Page size:\\s+" + QRegularExpression::escape(shown) + "\\n")),
             qPrintable(info.out));
    // At 254 dpi, ten dots a millimetre.
    const QList<QImage> rasters = Pages(path, 254, dir.path());
    QCOMPARE(rasters.size(), pages);
    for (int i = 0; i < pages; ++i) {
        const QRectF mm = SquareMm(i);
        const QRect expected(qRound(mm.x() * 10), qRound(mm.y() * 10), 100, 100);
        const QRect found = DarkBounds(rasters[i]);
        QVERIFY2(qAbs(found.left() - expected.left()) <= 1 &&
                     qAbs(found.top() - expected.top()) <= 1 &&
                     qAbs(found.width() - expected.width()) <= 1 &&
                     qAbs(found.height() - expected.height()) <= 1,
                 qPrintable(QString("page %1: the square at %2,%3 %4 x %5, not at %6,%7")
                                .arg(i + 1)
                                .arg(found.left())
                                .arg(found.top())
                                .arg(found.width())
                                .arg(found.height())
                                .arg(expected.left())
                                .arg(expected.top())));
    }
}

void TestPdfPages::eachPagesSymbolIsRead_data() {
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<double>("perMm");  // the page's unit
    QTest::newRow("JANs in millimetres")
        << QStringList{"4901234567894", "4912345678904", "4569951116179"} << 1.0;
    QTest::newRow("JANs in 1200-dpi dots")
        << QStringList{"4569951116179", "4901234567894", "9784101010014", "4912345678904"}
        << 1200 / 25.4;
}

// Each page a retail symbol with its digits, a different code on each.
void TestPdfPages::eachPagesSymbolIsRead() {
    QFETCH(QStringList, codes);
    QFETCH(double, perMm);
    const QSizeF sizePt(300, 200);
    QByteArray pdf;
    symbol::PdfPages file(sizePt, [&](QByteArrayView bytes) {
        pdf += bytes;
        return true;
    });
    const double moduleMm = 0.33;
    for (const QString& code : codes) {
        const symbol::Description symbol =
            symbol::Describe(symbol::Layout::Retail, code, QStringLiteral("Item"));
        symbol::PdfCanvas canvas(sizePt.height(), {perMm, 5, true, 7});
        QList<QRectF> bars = symbol::BarRects(symbol, moduleMm, 0);
        for (QRectF& bar : bars)
            bar.translate(10.16, 10.16);
        canvas.FillRects(bars);
        // From a corner on a whole dot (480 of 1200 dpi), so that its texts
        // are moved there.
        const QTransform toPage(moduleMm, 0, 0, moduleMm, 10.16, 10.16);
        for (const symbol::TextPlace& text : symbol.texts)
            canvas.FillText(text, toPage);
        QVERIFY(file.AddPage(canvas.Take()));
    }
    QVERIFY(file.Finish());
    const QString xref = XrefFault(pdf);
    QVERIFY2(xref.isEmpty(), qPrintable(xref));
    QTemporaryDir dir;
    QVERIFY(Save(dir.filePath("symbols.pdf"), pdf));
    RunProgram("pdftoppm",
               {"-r", "300", "-png", dir.filePath("symbols.pdf"), dir.filePath("page")});
    const QStringList files = QDir(dir.path()).entryList({"page-*.png"}, QDir::Files, QDir::Name);
    QCOMPARE(files.size(), codes.size());
    for (int i = 0; i < codes.size(); ++i) {
        const QString read = ZXingReport(dir.filePath(files[i]), {"-1", "-format", "EAN13"});
        QVERIFY2(read.contains(u'"' + codes[i] + u'"'),
                 qPrintable(QString("page %1: %2").arg(i + 1).arg(read)));
    }
}

void TestPdfPages::failedWriteEndsTheFile_data() {
    QTest::addColumn<int>("failAt");  // the write that fails, counted from 1
    QTest::addColumn<bool>("aside");
    QTest::newRow("the file's first line") << 1 << false;
    QTest::newRow("a page's content") << 4 << false;
    QTest::newRow("a page's content, compressed aside") << 4 << true;
    QTest::newRow("a later page") << 9 << true;
}

// A write that failed is the last one tried: no page and no end after it,
// and the file says it failed.
void TestPdfPages::failedWriteEndsTheFile() {
    QFETCH(int, failAt);
    QFETCH(bool, aside);
    int writes = 0;
    bool added = true;
    bool finished = true;
    {
        symbol::PdfPages file(
            QSizeF(595, 842), [&](QByteArrayView) { return ++writes != failAt; }, "test", aside);
        for (int i = 0; i < 4; ++i) {
            symbol::PdfCanvas canvas(842);
            QList<QRectF> specks;
            // Pages large enough to be compressed aside.
            for (int j = 0; j < 15000; ++j)
                specks.append(QRectF(60 + j % 50 * 0.01, 2, 0.001, 0.001));
            canvas.FillRects(specks);
            added = file.AddPage(canvas.Take()) && added;
        }
        finished = file.Finish();
    }
    QCOMPARE(writes, failAt);
    QVERIFY(!finished);
    QVERIFY(!added || aside);
}

// A text of a row: its characters, its face, its size in modules.
struct FormText {
    QString text;
    symbol::Face face;
    double size;
};

void TestPdfPages::formsDrawWhatOutlinesDraw_data() {
    QTest::addColumn<QList<FormText>>("texts");  // on every page, each a little lower
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("places");  // the characters at their places in their texts
    using symbol::Face;
    QTest::newRow("one JAN's digits on three pages")
        << QList<FormText>{{"4901234567894", Face::Digits, 9}} << 3 << 13;
    QTest::newRow("a digit group twice on a page, two pages")
        << QList<FormText>{{"0000", Face::Digits, 9}, {"0000", Face::Digits, 9}} << 2 << 4;
    QTest::newRow("the same digits in two sizes")
        << QList<FormText>{{"12", Face::Digits, 9}, {"12", Face::Digits, 7.5}} << 2 << 4;
    QTest::newRow("a name shaped whole, and in Japanese")
        << QList<FormText>{{"Item", Face::Name, 10}, {QString::fromUtf16(u"緑茶"), Face::Name, 10}}
        << 2 << 6;
    // Glyphs that overlap (a voicing mark on its kana, Arabic letters
    // joined) leave their overlap unfilled, as the text's one even-odd
    // outline does in every other file; drawn as outlines, never as forms.
    QTest::newRow("overlapping glyphs beside a name of forms")
        << QList<FormText>{{"Item", Face::Name, 10},
                           {QString::fromUtf16(u"\u30E9\u309A \u30B7\u3099"), Face::Name, 10},
                           {QString::fromUtf16(u"\u0634\u0627\u064A"), Face::Name, 10}}
        << 2 << 4;
    // More characters at places of their own than a file keeps forms: the
    // rest are written as outlines and show as well.
    QList<FormText> many;
    for (int i = 0; i < 8300; ++i)
        many.append({"8", Face::Digits, 2 + i * 1e-4});
    QTest::newRow("8,300 sizes of a digit, one page") << many << 1 << 8300;
}

// The texts of a sheet's labels, each character drawn as a form of the file,
// look through pdftoppm as the same texts written as outlines do, in every
// pixel but for anti-aliased edges; and the file holds no more forms than
// there are characters at places of their own (each written once), counted
// in its bytes.
void TestPdfPages::formsDrawWhatOutlinesDraw() {
    QFETCH(QList<FormText>, texts);
    QFETCH(int, pages);
    QFETCH(int, places);
    const bool crowded = texts.size() > 100;
    const QSizeF sizePt = crowded ? QSizeF(595, 842) : QSizeF(170, 120);
    const int dpi = crowded ? 100 : 600;
    // 1200 dots per inch, as a sheet's pages are written.
    const symbol::PdfUnits units{1200 / 25.4, 5, true};
    const double dotMm = 25.4 / 1200;
    QTemporaryDir dir;
    QList<QList<QImage>> rasters;
    qsizetype forms = 0;
    for (const bool withForms : {false, true}) {
        QByteArray pdf;
        symbol::PdfPages file(sizePt, [&](QByteArrayView bytes) {
            pdf += bytes;
            return true;
        });
        for (int page = 0; page < pages; ++page) {
            symbol::PdfCanvas canvas(sizePt.height(), units, withForms ? &file : nullptr);
            for (qsizetype i = 0; i < texts.size(); ++i) {
                const FormText& text = texts[i];
                // Each text's corner on a whole dot, a little apart on each page.
                const QPointF corner =
                    crowded ? QPointF(8 + i % 90 * 2.2, 8 + i / 90 * 3.0)
                            : QPointF(4 + page * 3 * dotMm, 4 + i * 10 + page * 5 * dotMm);
                const QPointF onDots(std::round(corner.x() / dotMm) * dotMm,
                                     std::round(corner.y() / dotMm) * dotMm);
                canvas.FillText({text.text, text.face, text.size, QPointF(0.3, 0.7)},
                                QTransform(0.33, 0, 0, 0.33, onDots.x(), onDots.y()));
            }
            QVERIFY(file.AddPage(canvas.Take()));
        }
        QVERIFY(file.Finish());
        const QString path = dir.filePath(withForms ? "forms.pdf" : "outlines.pdf");
        QVERIFY(Save(path, pdf));
        const Ran info = RunProgram("pdfinfo", {path});
        QVERIFY2(info.err.isEmpty(), qPrintable(info.err));
        rasters.append(Pages(path, dpi, dir.path()));
        QCOMPARE(rasters.last().size(), pages);
        if (withForms)
            forms = pdf.count("/Subtype /Form");
    }
    QVERIFY2(forms > 0, "no form was written");
    QVERIFY2(forms <= places, qPrintable(QString("%1 forms for %2 places").arg(forms).arg(places)));
    if (!crowded)
        QCOMPARE(forms, places);
    for (int page = 0; page < pages; ++page) {
        const QImage outlines = rasters[0][page].convertToFormat(QImage::Format_Grayscale8);
        const QImage drawn = rasters[1][page].convertToFormat(QImage::Format_Grayscale8);
        QCOMPARE(drawn.size(), outlines.size());
        int off = 0, dark = 0;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x) {
                const int a = drawn.constScanLine(y)[x], b = outlines.constScanLine(y)[x];
                off += std::abs(a - b) > 64;
                dark += b < 128;
            }
        QVERIFY2(dark > 0, "the outlines drew nothing");
        QVERIFY2(off == 0, qPrintable(QString("page %1: %2 pixels differ").arg(page + 1).arg(off)));
    }
}

void TestPdfPages::oneSymbolSvgAndPdfAgree_data() {
    QTest::addColumn<int>("symbology");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("addon");
    QTest::addColumn<QString>("name");
    using symbol::Symbology;
    QTest::newRow("JAN-13, a Latin name with letters again")
        << int(Symbology::Jan13) << "4900000000003"
        << ""
        << "Tea and Toast";
    QTest::newRow("JAN-13 with a five-digit add-on, a Japanese name")
        << int(Symbology::Jan13) << "4910123450124"
        << "12345" << QString::fromUtf16(u"週刊 緑茶 ペットボトル");
    QTest::newRow("JAN-8, a name with a mark joined to its letter")
        << int(Symbology::Jan8) << "49123456"
        << "" << QString::fromUtf16(u"Cafe\u0301");
    QTest::newRow("UPC-E, no name") << int(Symbology::UpcE) << "01234565"
                                    << ""
                                    << "";
}

// A symbol's SVG file (its characters defined once and used, as steps) and
// its PDF file (outlines in millimetres), two writers read by two
// rasterisers, show the same picture at 600 dpi: no pixel black in one
// and white in the other, but for a few lone ones where a stroke thinner
// than a pixel is rounded apart by the two. A character out of place turns
// hundreds. The PDF's table points at its objects.
void TestPdfPages::oneSymbolSvgAndPdfAgree() {
    QFETCH(int, symbology);
    QFETCH(QString, code);
    QFETCH(QString, addon);
    QFETCH(QString, name);
    const symbol::Description description =
        symbol::Describe(symbol::Layout::Retail,
                         symbol::SymbolCode{symbol::Symbology(symbology), code, addon}, name);
    const symbol::PrinterDots dots{600, 8, 1};
    const QByteArray pdf = symbol::PdfFile(description, dots);
    const QString xref = XrefFault(pdf);
    QVERIFY2(xref.isEmpty(), qPrintable(xref));
    QTemporaryDir dir;
    QVERIFY(Save(dir.filePath("s.pdf"), pdf));
    QVERIFY(Save(dir.filePath("s.svg"), symbol::SvgFile(description, dots)));
    const QList<QImage> pages = Pages(dir.filePath("s.pdf"), 600, dir.path());
    QCOMPARE(pages.size(), 1);
    RunProgram("rsvg-convert", {"-d", "600", "-p", "600", "-b", "white", "-o",
                                dir.filePath("svg.png"), dir.filePath("s.svg")});
    const QImage fromPdf = pages[0].convertToFormat(QImage::Format_Grayscale8);
    const QImage fromSvg =
        QImage(dir.filePath("svg.png")).convertToFormat(QImage::Format_Grayscale8);
    QVERIFY2(!fromSvg.isNull(), "rsvg-convert drew nothing");
    QVERIFY2(qAbs(fromPdf.width() - fromSvg.width()) <= 1 &&
                 qAbs(fromPdf.height() - fromSvg.height()) <= 1,
             qPrintable(QString("PDF %1 x %2, SVG %3 x %4")
                            .arg(fromPdf.width())
                            .arg(fromPdf.height())
                            .arg(fromSvg.width())
                            .arg(fromSvg.height())));
    int opposite = 0;
    QPoint first;
    const int width = qMin(fromPdf.width(), fromSvg.width());
    for (int y = 0; y < qMin(fromPdf.height(), fromSvg.height()); ++y)
        for (int x = 0; x < width; ++x)
            if (qAbs(fromPdf.constScanLine(y)[x] - fromSvg.constScanLine(y)[x]) > 128 &&
                opposite++ == 0)
                first = QPoint(x, y);
    constexpr int kLone = 8;
    QVERIFY2(opposite <= kLone, qPrintable(QString("%1 pixels black in one and white in the other, "
                                                   "the first at %2,%3")
                                               .arg(opposite)
                                               .arg(first.x())
                                               .arg(first.y())));
}

QTEST_MAIN(TestPdfPages)
#include "tst_pdfpages.moc"
