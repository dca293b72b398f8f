// Price tags and shelf labels on every built-in sheet and the common roll
// sizes, as a shop's printer would print them: each page rasterised at 600
// dpi by pdftoppm, its symbol read by zbarimg and ZXingReader and its
// tax-inclusive price by tesseract with its Japanese data. The prices are
// the published ones: ¥1,100 from 1,000 yen at 10 %, ¥1,080 at 8 %, ¥1,078
// from 999 yen at 8 % rounded down, ¥1,079 rounded up. A retail symbol at
// 80 percent is 29.83 x 20.74 mm with its quiet zones (113 modules of
// 0.264 mm, 25.93 mm tall at 100 percent): a label too small for that and a
// price beside or above it is refused with the size it would need.

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

// The numbers tesseract reads in a picture, as sparse text, each word's
// digits alone: "\1,100" (its yen sign comes out as a backslash, a comma
// at times as a stroke) gives 1100.
QStringList TesseractNumbers(const QString& picture) {
    const QString text =
        RunProgram(QStringLiteral("tesseract"), {picture, "-", "-l", "jpn+eng", "--psm", "11"}).out;
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

}  // namespace

class TestTags : public QObject {
    Q_OBJECT

private slots:
    void onLabels_data();
    void onLabels();
    void withoutPrice();
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

    const QString name = QStringLiteral("北海道産 男爵いも");
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
        {"40x30", false, false}, {"50x30", true, false}, {"60x40", true, false},
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
                << price.withoutTax << price.rate << (design == Design::Price ? l.price : l.shelf);
        }
    QTest::addRow("price at 80 percent")
        << Design::Price << "a4-12" << 80.0 << name << qint64(1100) << qint64(1000) << 10 << true;
    QTest::addRow("name cut") << Design::Price << "60x40" << 100.0
                              << QStringLiteral(
                                     "国産丸大豆使用 特選本醸造しょうゆ 1リットル "
                                     "ペットボトル入り お徳用まとめ買い三本セット "
                                     "数量限定 お一人様二点まで 売り切れ御免")
                              << qint64(1078) << qint64(999) << 8 << true;
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

    const SheetTemplate sheet = LabelsOf(labels);
    const LabelPlan plan = pipeline::PlanLabels(sheet, 0, TagAsk(design, magnification));
    if (!holds) {
        QCOMPARE(plan.refusal, LabelPlan::Refusal::TooSmall);
        // The size it asks for is larger, and holds the tag.
        const QSizeF needed = plan.Needed(80);
        QVERIFY(needed.width() > sheet.labelWidth || needed.height() > sheet.labelHeight);
        const LabelPlan larger =
            pipeline::PlanLabels(pipeline::WholePageSheet(needed), 0, TagAsk(design, 100));
        QCOMPARE(larger.refusal, LabelPlan::Refusal::None);
        return;
    }
    QCOMPARE(plan.refusal, LabelPlan::Refusal::None);

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

    QCOMPARE(ZbarCodes(picture), QStringList{kCode});
    QCOMPARE(ZXingTexts(picture), QStringList{kCode});
    const QStringList numbers = TesseractNumbers(picture);
    QVERIFY2(
        numbers.contains(QString::number(withTax)) && numbers.contains(QString::number(withoutTax)),
        qPrintable(QStringLiteral("read %1").arg(numbers.join(u' '))));
    // Half the margin all round stays white.
    QVERIFY(EdgeClear(pages[0], kDpi / 2 / 25.4 * pipeline::kLabelMarginMm));
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

QTEST_MAIN(TestTags)
#include "tst_pipeline_tags.moc"
