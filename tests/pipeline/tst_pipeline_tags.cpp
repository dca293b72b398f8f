// Price tags and shelf labels on every built-in sheet and the common roll
// sizes, as a shop's printer would print them: each page rasterised at 600
// dpi by pdftoppm, its symbol read by zbarimg and ZXingReader and its
// tax-inclusive price by tesseract with its Japanese data. The prices are
// the published ones: ¥1,100 from 1,000 yen at 10 %, ¥1,080 at 8 %, ¥1,078
// from 999 yen at 8 % rounded down, ¥1,079 rounded up. A retail symbol at
// 80 percent is 29.83 x 20.74 mm with its quiet zones (113 modules of
// 0.264 mm, 25.93 mm tall at 100 percent): a label too small for that and a
// price beside or above it is refused with the size it would need. A4
// sheets of 40, 44 and 65 labels are 25.4 mm tall or less, 23.4 mm inside:
// 2.7 mm above the symbol is too little for a name and a price.

#include <QTemporaryDir>
#include <QtTest>

#include "files.h"
#include "pipeline/labelplan.h"
#include "pipeline/sheetpainter.h"
#include "pipeline/tagfile.h"
#include "readers.h"
#include "sheetpages.h"
#include "symbol/pdfdocument.h"

using pipeline::Design;
using pipeline::LabelPlan;
using pipeline::SheetTemplate;

Q_DECLARE_METATYPE(pipeline::Design)
Q_DECLARE_METATYPE(pipeline::Format)

namespace {

constexpr int kDpi = 600;
constexpr double kPointsPerMm = 72 / 25.4;
const QString kCode = QStringLiteral("4901234567894");
const QString kName = QStringLiteral("北海道産 男爵いも");

// What tesseract reads in a picture with its Japanese data, as sparse text
// (its Latin data too, without which it takes OCR-B's 8 for a 6).
QString TesseractText(const QString& picture) {
    return RunProgram(QStringLiteral("tesseract"), {picture, "-", "-l", "jpn+eng", "--psm", "11"})
        .out;
}

// The numbers of a text, each word's digits alone: "\1,100" (tesseract's yen
// sign is a backslash, its comma at times a stroke) gives 1100.
QStringList Numbers(const QString& text) {
    static const QRegularExpression notDigit(QStringLiteral("\\D"));
    QStringList numbers;
    for (QString word : text.split(QRegularExpression(QStringLiteral("\\s+"))))
        if (!word.remove(notDigit).isEmpty())
            numbers.append(word);
    return numbers;
}

// A sheet by name, or a roll's label "WxH" as a page of its own.
SheetTemplate LabelsOf(const QString& name) {
    if (const auto sheet = pipeline::FindSheet(name))
        return *sheet;
    const QStringList size = name.split(u'x');
    return pipeline::WholePageSheet(QSizeF(size[0].toDouble(), size[1].toDouble()));
}

QSizeF PageMm(const SheetTemplate& sheet) {
    return sheet.name == QStringLiteral("page") ? QSizeF(sheet.labelWidth, sheet.labelHeight)
                                                : QSizeF(210, 297);
}

pipeline::LabelAsk TagAsk(Design design, double magnification, bool symbol = true) {
    pipeline::LabelAsk ask;
    ask.magnification = magnification;
    ask.tag.design = design;
    ask.tag.symbol = symbol;
    return ask;
}

// The first label of sheet's first page painted into a PDF file.
bool PaintFirst(const QString& path, const SheetTemplate& sheet, const LabelPlan& plan,
                const QString& name, const pipeline::TagPrice& price) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    symbol::PdfPages pdf(PageMm(sheet) * kPointsPerMm, [&](QByteArrayView bytes) {
        return file.write(bytes.data(), bytes.size()) == bytes.size();
    });
    {
        pipeline::SheetPainter painter(pipeline::PdfPageSink(&pdf), plan);
        if (painter.Add(name, {plan.sized.symbology, kCode, {}}, price) !=
            pipeline::SheetPainter::Added::Painted)
            return false;
    }
    return pdf.Finish();
}

// Whether the picture's outer band, width dots wide, is white: nothing
// printed touches the label's edge.
bool EdgeClear(const QImage& picture, int width) {
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const bool band = x < width || y < width || x >= picture.width() - width ||
                              y >= picture.height() - width;
            if (band && qGray(picture.pixel(x, y)) < 128)
                return false;
        }
    return true;
}

// The symbol's bars from the first to the last, 95 modules: 31.35 mm at 100
// percent, 25.08 mm at 80; its guard bars 22.85 mm + 5 modules tall.
constexpr double kBarsMm100 = 31.35;
constexpr double kGuardsMm100 = 22.85 + 5 * 0.33;

// Where ZXingReader finds the symbol: its left and right edges, in dots.
std::pair<int, int> ZXingEdges(const QString& picture) {
    static const QRegularExpression position(QStringLiteral("Position: +(\\d+)x\\d+ (\\d+)x"));
    const QRegularExpressionMatch match = position.match(ZXingReport(picture));
    return match.hasMatch() ? std::pair(match.captured(1).toInt(), match.captured(2).toInt())
                            : std::pair(0, 0);
}

// The longest run of black dots down column x.
int BlackRun(const QImage& picture, int x) {
    int longest = 0;
    for (int y = 0, run = 0; y < picture.height(); ++y) {
        run = qGray(picture.pixel(x, y)) < 128 ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

// What the readers find on a tag at kDpi: its symbol (none when code is
// empty), its bars barsMm wide (at least 80 percent's when 0) and as tall
// as their width makes them, its prices, its name, and its edge white.
// What tesseract read goes into read.
void ReadTag(const QString& picture, const QString& name, const QString& code, qint64 withTax,
             qint64 withoutTax, double barsMm, QString* read = nullptr) {
    const QStringList codes = code.isEmpty() ? QStringList() : QStringList{code};
    QCOMPARE(ZbarCodes(picture), codes);
    QCOMPARE(ZXingTexts(picture), codes);
    const QString text = TesseractText(picture);
    if (read)
        *read = text;
    const QStringList numbers = Numbers(text);
    QVERIFY2(
        numbers.contains(QString::number(withTax)) && numbers.contains(QString::number(withoutTax)),
        qPrintable(QStringLiteral("read %1").arg(numbers.join(u' '))));
    // The name's first word, clear of the rest.
    QVERIFY2(text.contains(name.section(u' ', 0, 0)), qPrintable(text));
    const QImage image(picture);
    // Half the margin all round stays white.
    QVERIFY(EdgeClear(image, kDpi / 2 / 25.4 * pipeline::kLabelMarginMm));
    if (code.isEmpty())
        return;
    const auto [left, right] = ZXingEdges(picture);
    const double measured = (right - left) * 25.4 / kDpi;
    const double guards = BlackRun(image, left + 2) * 25.4 / kDpi;
    const QString sizes = QStringLiteral("bars %1 mm wide, guards %2 mm tall")
                              .arg(measured, 0, 'f', 2)
                              .arg(guards, 0, 'f', 2);
    QVERIFY2(barsMm > 0 ? qAbs(measured - barsMm) < 0.15 : measured > 0.8 * kBarsMm100 - 0.15,
             qPrintable(sizes));
    QVERIFY2(qAbs(guards - measured / kBarsMm100 * kGuardsMm100) < 0.3, qPrintable(sizes));
}

}  // namespace

class TestTags : public QObject {
    Q_OBJECT

private slots:
    void onLabels_data();
    void onLabels();
    void tagFiles_data();
    void tagFiles();
    void withoutPrice();
    void wholeDotsRefused();
};

void TestTags::onLabels_data() {
    QTest::addColumn<Design>("design");
    QTest::addColumn<QString>("labels");
    QTest::addColumn<double>("magnification");
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint64>("withTax");     // the published price, printed large
    QTest::addColumn<qint64>("withoutTax");  // and the one it is from
    QTest::addColumn<int>("rate");
    QTest::addColumn<bool>("holds");
    QTest::addColumn<double>("barsMm");  // the symbol's width, where the test knows it
    QTest::addColumn<bool>("cut");       // the name too long for two lines
    QTest::addColumn<int>("dpi");        // a printer's, or 0

    const QString name = kName;
    struct Labels {
        const char* name;
        bool price;  // holds a price tag
        bool shelf;  // holds a shelf label
    };
    // Built-in sheets by their makers' label sizes, then rolls.
    const Labels labels[] = {
        {"a4-12", true, true},    // 86.4 x 42.3
        {"a4-18", true, true},    // 70 x 42.3
        {"a4-21", true, true},    // 63.5 x 38.1
        {"a4-24", true, true},    // 70 x 33.9
        {"a4-40", false, false},  // 45.7 x 25.4: 23.4 mm inside, 2.7 above the symbol
        {"a4-44", false, false},  // 48.3 x 25.4: the same
        {"a4-65", false, false},  // 38.1 x 21.2: not even the symbol
        // 28 mm inside a 30 mm roll: 20.74 for the symbol at 80 percent
        // leaves 7.3 mm for the name and the price above it; its 29.83 mm
        // leave 8 of 38 for the tax-exclusive price beside it.
        {"40x30", true, true},
        {"50x30", true, true},
        {"60x40", true, true},
    };
    const struct {
        qint64 withTax, withoutTax;
        int rate;
    } prices[] = {{1100, 1000, 10}, {1080, 1000, 8}, {1078, 999, 8}, {1079, 999, 8}};
    int n = 0;
    for (const Labels& l : labels)
        for (const Design design : {Design::Price, Design::Shelf}) {
            const auto& price = prices[n++ % std::size(prices)];
            QTest::addRow("%s %s", design == Design::Price ? "price" : "shelf", l.name)
                << design << QString::fromLatin1(l.name) << 100.0 << name << price.withTax
                << price.withoutTax << price.rate << (design == Design::Price ? l.price : l.shelf)
                << 0.0 << false << 0;
        }
    // An a4-12 label, 86.4 x 42.3 mm, holds the symbol whole at either.
    QTest::addRow("price at 80 percent")
        << Design::Price << "a4-12" << 80.0 << name << qint64(1100) << qint64(1000) << 10 << true
        << 0.8 * kBarsMm100 << false << 0;
    QTest::addRow("price at 100 percent")
        << Design::Price << "a4-12" << 100.0 << name << qint64(1080) << qint64(1000) << 8 << true
        << kBarsMm100 << false << 0;
    // A 203-dpi roll printer's module of whole dots: 2 dots are 0.250 mm,
    // 75.8 percent of 0.33 mm, 3 dots 0.3754 mm, 113.7 percent, the bars
    // 95 x 0.3754 = 35.66 mm wide and the symbol 113 x 0.3754 = 42.4 x 29.5
    // mm, which 58 x 38 mm inside a 60 x 40 label hold with the name and
    // price above.
    QTest::addRow("price 60x40 at 203 dpi")
        << Design::Price << "60x40" << 100.0 << name << qint64(1100) << qint64(1000) << 10 << true
        << 95 * 3 * 25.4 / 203 << false << 203;
    QTest::addRow("name cut") << Design::Price << "60x40" << 100.0
                              << QStringLiteral(
                                     "国産丸大豆使用 特選本醸造しょうゆ 1リットル "
                                     "ペットボトル入り お徳用まとめ買い三本セット "
                                     "数量限定 お一人様二点まで 売り切れ御免")
                              << qint64(1078) << qint64(999) << 8 << true << 0.0 << true << 0;
}

void TestTags::onLabels() {
    QFETCH(Design, design);
    QFETCH(QString, labels);
    QFETCH(double, magnification);
    QFETCH(QString, name);
    QFETCH(qint64, withTax);
    QFETCH(qint64, withoutTax);
    QFETCH(int, rate);
    QFETCH(bool, holds);
    QFETCH(double, barsMm);
    QFETCH(bool, cut);
    QFETCH(int, dpi);

    const SheetTemplate sheet = LabelsOf(labels);
    const LabelPlan plan = pipeline::PlanLabels(sheet, 0, TagAsk(design, magnification), dpi);
    if (!holds) {
        QCOMPARE(plan.refusal, LabelPlan::Refusal::TooSmall);
        // The size it asks for is larger, and holds the tag.
        // At least the symbol at 80 percent and the margins, 31.83 x 22.74
        // mm, and no more than the 40 x 30 mm roll, which holds it.
        const QSizeF needed = plan.Needed(80);
        QVERIFY(needed.width() > sheet.labelWidth || needed.height() > sheet.labelHeight);
        QVERIFY2(needed.width() >= 31.83 && needed.height() >= 22.74 && needed.width() <= 40 &&
                     needed.height() <= 30,
                 qPrintable(QStringLiteral("%1 x %2").arg(needed.width()).arg(needed.height())));
        const LabelPlan larger =
            pipeline::PlanLabels(pipeline::WholePageSheet(needed), 0, TagAsk(design, 100));
        QCOMPARE(larger.refusal, LabelPlan::Refusal::None);
        return;
    }
    QCOMPARE(plan.refusal, LabelPlan::Refusal::None);
    if (dpi > 0)
        QCOMPARE(plan.module.dots, 3);

    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("tags.pdf"));
    QVERIFY(PaintFirst(pdf, sheet, plan, name, {withTax, withoutTax, rate}));
    const QRectF mm = sheet.LabelRect(0);
    const QRect dots(QPointF(mm.topLeft() * kDpi / 25.4).toPoint(),
                     QPointF(mm.bottomRight() * kDpi / 25.4).toPoint());
    const QList<QImage> pages = RasterisePdf(pdf, kDpi, folder.path(), dots);
    QCOMPARE(pages.size(), 1);
    const QString picture = folder.filePath(QStringLiteral("tag.png"));
    QVERIFY(pages[0].save(picture));
    QString read;
    ReadTag(picture, name, kCode, withTax, withoutTax, barsMm, &read);
    // A name too long for its lines ends where it is cut.
    if (cut)
        QVERIFY2(!read.contains(name.section(u' ', -1)), qPrintable(read));
}

// One tag as a file of its own, of the design's size: every format read back
// as a printer would print it, PNG and BMP at 600 dpi with one bit a dot
// (the bit depth at byte 24 of a PNG, 28 of a BMP).
void TestTags::tagFiles_data() {
    QTest::addColumn<pipeline::Format>("format");
    QTest::addColumn<Design>("design");
    QTest::addColumn<bool>("symbol");
    QTest::addColumn<QSizeF>("sizeMm");
    QTest::addColumn<bool>("hontai");  // "本体価格 ¥1,000" rather than "税抜 ¥1,000"

    // 82 percent on 600 dpi has no module of whole dots: the nearest dots.
    QTest::newRow("shelf default")
        << pipeline::Format::Png << Design::Shelf << true << QSizeF() << false;
    QTest::newRow("price pdf") << pipeline::Format::Pdf << Design::Price << true << QSizeF()
                               << false;
    QTest::newRow("price svg") << pipeline::Format::Svg << Design::Price << true << QSizeF()
                               << false;
    QTest::newRow("price png") << pipeline::Format::Png << Design::Price << true << QSizeF()
                               << false;
    QTest::newRow("price bmp") << pipeline::Format::Bmp << Design::Price << true << QSizeF()
                               << false;
    QTest::newRow("shelf png 70 x 33.9, 本体価格")
        << pipeline::Format::Png << Design::Shelf << true << QSizeF(70, 33.9) << true;
    QTest::newRow("shelf pdf without symbol")
        << pipeline::Format::Pdf << Design::Shelf << false << QSizeF(60, 25) << false;
}

void TestTags::tagFiles() {
    QFETCH(pipeline::Format, format);
    QFETCH(Design, design);
    QFETCH(bool, symbol);
    QFETCH(QSizeF, sizeMm);
    QFETCH(bool, hontai);

    pipeline::SymbolOutput output;
    output.format = format;
    output.layout = symbol::Layout::Retail;
    output.dpi = kDpi;
    const QSizeF size = sizeMm.isEmpty() ? pipeline::DesignOf(design).labelMm : sizeMm;
    QString error;
    pipeline::LabelAsk ask = TagAsk(design, 100, symbol);
    if (hontai)
        ask.tag.wording = pipeline::ExclusiveWording::Hontai;
    const QByteArray bytes = pipeline::TagFile(output, size, ask, kName, {{}, kCode, {}},
                                               pipeline::TagPrice{1080, 1000, 8}, &error);
    QVERIFY2(!bytes.isEmpty(), qPrintable(error));

    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("tag.") + pipeline::FormatName(format));
    QVERIFY(WriteAll(file, bytes));
    QString picture = folder.filePath(QStringLiteral("tag.png"));
    switch (format) {
        case pipeline::Format::Pdf: {
            const QList<QImage> pages = RasterisePdf(file, kDpi, folder.path());
            QCOMPARE(pages.size(), 1);
            QVERIFY(pages[0].save(picture));
            break;
        }
        case pipeline::Format::Svg:
            QCOMPARE(
                RunProgram(QStringLiteral("rsvg-convert"),
                           {"--dpi-x", "600", "--dpi-y", "600", "-b", "white", "-o", picture, file})
                    .exitCode,
                0);
            break;
        case pipeline::Format::Png:
            QCOMPARE(int(bytes.at(24)), 1);
            break;
        case pipeline::Format::Bmp:
            QCOMPARE(int(bytes.at(28)), 1);
            picture = file;
            break;
    }
    // The page is the tag's size, to a dot.
    const QImage image(picture);
    QVERIFY2(qAbs(image.width() - size.width() * kDpi / 25.4) <= 1 &&
                 qAbs(image.height() - size.height() * kDpi / 25.4) <= 1,
             qPrintable(QStringLiteral("%1 x %2 dots").arg(image.width()).arg(image.height())));
    QString read;
    ReadTag(picture, kName, symbol ? kCode : QString(), 1080, 1000, 0, &read);
    QVERIFY2(read.contains(QStringLiteral("本体価格")) == hontai, qPrintable(read));
}

// A tag never goes out without its price: the label is left out, and a
// run of none leaves no page.
void TestTags::withoutPrice() {
    QByteArray bytes;
    symbol::PdfPages pdf(QSizeF(210, 297) * kPointsPerMm, [&](QByteArrayView written) {
        bytes.append(written);
        return true;
    });
    const SheetTemplate sheet = *pipeline::FindSheet(QStringLiteral("a4-24"));
    {
        pipeline::SheetPainter painter(pipeline::PdfPageSink(&pdf),
                                       pipeline::PlanLabels(sheet, 0, TagAsk(Design::Price, 100)));
        QCOMPARE(painter.Add(QStringLiteral("品名"), {{}, kCode, {}}),
                 pipeline::SheetPainter::Added::NoPrice);
    }
    QCOMPARE(pdf.Pages(), 0);
}

// A 40 x 30 mm tag on a 203-dpi printer's grid has no module of whole
// dots from 80 percent to what it holds (2 dots are 75.8 percent, 3 dots
// 113.7): refused, with a label that holds 3 dots, a PDF page of that size.
void TestTags::wholeDotsRefused() {
    pipeline::SymbolOutput output;
    output.format = pipeline::Format::Pdf;
    output.layout = symbol::Layout::Retail;
    output.dpi = 203;
    output.vectorDots = true;
    const pipeline::TagPrice price{1100, 1000, 10};
    const auto tag = [&](QSizeF size, QString* error) {
        return pipeline::TagFile(output, size, TagAsk(Design::Price, 100), kName, {{}, kCode, {}},
                                 price, error);
    };
    QString error;
    QVERIFY(tag(QSizeF(40, 30), &error).isEmpty());
    static const QRegularExpression size(QStringLiteral("needs at least ([\\d.]+) x ([\\d.]+) mm"));
    const QRegularExpressionMatch needed = size.match(error);
    QVERIFY2(needed.hasMatch(), qPrintable(error));
    const QSizeF mm(needed.captured(1).toDouble(), needed.captured(2).toDouble());
    // The symbol at 3 dots, 113 x 0.3754 = 42.4 by 29.5 mm, is 8.8 mm taller
    // than at 80 percent, and its label at least as wide as it and margins.
    QVERIFY2(mm.height() > 30 + 29.5 - 20.74 && mm.width() >= 42.4 + 2, qPrintable(error));
    QString none;
    QVERIFY2(!tag(mm, &none).isEmpty(), qPrintable(none));
}

QTEST_MAIN(TestTags)
#include "tst_pipeline_tags.moc"
