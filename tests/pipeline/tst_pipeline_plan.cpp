// The label plan both programs print by: where labels go on a sheet, the
// pages they fill and the module each gets, or why none fits. Sheets are
// checked against their makers' published layouts; symbol sizes against
// GS1's: EAN-13 113 modules wide with its quiet zones and 25.93 mm tall at
// X = 0.33 mm, from 80 percent; ITF-14's X 1.016 mm at 100 percent, at
// least 0.495 mm. Whole dots are those figures divided by the dot.

#include <QTemporaryDir>
#include <QtTest>

#include "pipeline/labelplan.h"
#include "pipeline/sheetpainter.h"
#include "sheetpages.h"
#include "symbol/pdfdocument.h"

using pipeline::LabelPlan;
using Refusal = pipeline::LabelPlan::Refusal;

Q_DECLARE_METATYPE(Refusal)

namespace {

constexpr double kDotMm300 = 25.4 / 300;

pipeline::LabelAsk Ask(const QString& symbology, double magnification, bool names,
                       int bwrMicrons = 0) {
    pipeline::LabelAsk ask;
    ask.bwrMicrons = bwrMicrons;
    ask.symbol.symbology = symbol::FindSymbology(symbology)->symbology;
    ask.magnification = magnification;
    ask.names = names;
    return ask;
}

}  // namespace

class TestPlan : public QObject {
    Q_OBJECT

private slots:
    void plan_data();
    void plan();
    void placesOnPaper();
};

void TestPlan::plan_data() {
    QTest::addColumn<QString>("sheet");  // a built-in sheet, or "roll W H" in mm
    QTest::addColumn<QString>("symbology");
    QTest::addColumn<int>("magnification");
    QTest::addColumn<bool>("names");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("bwr");  // micrometres
    QTest::addColumn<int>("skip");
    QTest::addColumn<int>("labels");
    QTest::addColumn<int>("perPage");
    QTest::addColumn<int>("pages");
    QTest::addColumn<Refusal>("refusal");
    QTest::addColumn<double>("moduleMm");  // 0: as asked, no dots
    QTest::addColumn<QSizeF>("neededMm");  // at the smallest magnification, when refused

    // A-one 28646: 3 x 8 labels of 70 x 33.9 mm; 2 places used, 47 labels
    // fill 49 places, the third page's first.
    QTest::newRow("a4-24 JAN-13") << "a4-24"
                                  << "jan13" << 100 << true << 0 << 0 << 2 << 47 << 24 << 3
                                  << Refusal::None << 0.0 << QSizeF();
    // Avery L7651: 5 x 13 labels of 38.1 x 21.17 mm, lower than EAN-13 at
    // 80 percent with its margins: 25.93 x 0.8 + 2 = 22.74 mm, 113 x 0.264 +
    // 2 = 31.83 mm wide.
    QTest::newRow("a4-65 too low") << "a4-65"
                                   << "jan13" << 100 << false << 0 << 0 << 0 << 1 << 65 << 1
                                   << Refusal::TooSmall << 0.0 << QSizeF(31.832, 22.744);
    // A roll of 200 x 100 mm labels, one a page: at 300 dpi ITF-14's 1.016 mm
    // is 12 dots exactly; at 203 dpi the nearest is 8 dots (8.12).
    QTest::newRow("ITF-14 roll 300 dpi") << "roll 200 100"
                                         << "itf14" << 100 << false << 300 << 0 << 0 << 5 << 1 << 5
                                         << Refusal::None << 12 * kDotMm300 << QSizeF();
    QTest::newRow("ITF-14 roll 203 dpi") << "roll 200 100"
                                         << "itf14" << 100 << false << 203 << 0 << 0 << 3 << 1 << 3
                                         << Refusal::None << 8 * 25.4 / 203 << QSizeF();
    // At 100 dpi a dot is 0.254 mm: 2 dots, 0.508 mm, are 154 percent, more
    // than a 46 mm label takes (113 x 0.33 x 1.2 = 44.7 mm at 120 percent),
    // and 1 dot is under 80 percent's 0.264 mm.
    QTest::newRow("JAN-13 no whole dots") << "roll 46 40"
                                          << "jan13" << 100 << false << 100 << 0 << 0 << 1 << 1 << 1
                                          << Refusal::NoWholeDots << 0.0 << QSizeF();
    // X 0.33 mm: a reduction may take half of it, 165 micrometres, no more.
    QTest::newRow("JAN-13 half a module") << "roll 100 60"
                                          << "jan13" << 100 << false << 0 << 165 << 0 << 1 << 1 << 1
                                          << Refusal::None << 0.0 << QSizeF();
    QTest::newRow("JAN-13 beyond half") << "roll 100 60"
                                        << "jan13" << 100 << false << 0 << 166 << 0 << 1 << 1 << 1
                                        << Refusal::BarsTooThin << 0.0 << QSizeF();
}

void TestPlan::plan() {
    QFETCH(QString, sheet);
    QFETCH(QString, symbology);
    QFETCH(int, magnification);
    QFETCH(bool, names);
    QFETCH(int, dpi);
    QFETCH(int, bwr);
    QFETCH(int, skip);
    QFETCH(int, labels);
    QFETCH(int, perPage);
    QFETCH(int, pages);
    QFETCH(Refusal, refusal);
    QFETCH(double, moduleMm);
    QFETCH(QSizeF, neededMm);

    const QStringList roll = sheet.split(u' ');
    const pipeline::SheetTemplate layout =
        roll.size() == 3 ? pipeline::WholePageSheet(QSizeF(roll[1].toDouble(), roll[2].toDouble()))
                         : *pipeline::FindSheet(sheet);
    const LabelPlan plan =
        pipeline::PlanLabels(layout, skip, Ask(symbology, magnification, names, bwr), dpi);
    QCOMPARE(plan.refusal, refusal);
    QCOMPARE(plan.sheet.LabelsPerPage(), perPage);
    QCOMPARE(plan.Pages(labels), pages);
    const symbol::SymbologyRow& row = symbol::RowOf(plan.sized.symbology);
    if (refusal == Refusal::TooSmall) {
        const QSizeF needed = plan.Needed(row.minMagnification);
        QVERIFY2(qAbs(needed.width() - neededMm.width()) < 0.005 &&
                     qAbs(needed.height() - neededMm.height()) < 0.005,
                 qPrintable(QStringLiteral("%1 x %2 mm").arg(needed.width()).arg(needed.height())));
    }
    if (refusal == Refusal::NoWholeDots)
        QVERIFY(qAbs(plan.FewestDots() - 50.8 / 0.33) < 1e-9);  // 2 dots of 0.254 mm
    if (moduleMm > 0) {
        QVERIFY2(qAbs(plan.module.moduleMm - moduleMm) < 1e-9,
                 qPrintable(QString::number(plan.module.moduleMm, 'f', 6)));
        QVERIFY(plan.module.moduleMm >= 0.495);
    }
}

// Where the plan puts labels, as a second reader finds them on paper: the
// places skipped stay empty, the labels follow on, a page at a time.
void TestPlan::placesOnPaper() {
    const pipeline::SheetTemplate sheet = *pipeline::FindSheet(QStringLiteral("a4-24"));
    constexpr int kSkip = 22;
    constexpr int kLabels = 4;
    const LabelPlan plan = pipeline::PlanLabels(sheet, kSkip, Ask("jan13", 100, true));
    QCOMPARE(plan.Pages(kLabels), 2);

    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("sheet.pdf")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    {
        symbol::PdfPages pdf(QSizeF(595.276, 841.89), [&](QByteArrayView bytes) {
            return file.write(bytes.data(), bytes.size()) == bytes.size();
        });
        {
            pipeline::SheetPainter painter(pipeline::PdfPageSink(&pdf), plan);
            for (int i = 0; i < kLabels; ++i)
                QCOMPARE(painter.Add(QStringLiteral("品名"),
                                     {plan.sized.symbology, QStringLiteral("4901234567894"), {}}),
                         pipeline::SheetPainter::Added::Painted);
        }
        QVERIFY(pdf.Finish());
    }
    file.close();

    constexpr int kDpi = 300;
    const QList<QImage> pages = RasterisePdf(file.fileName(), kDpi, folder.path());
    QCOMPARE(pages.size(), 2);
    QStringList expected(2 * sheet.LabelsPerPage(), QStringLiteral("-"));
    for (int i = 0; i < kLabels; ++i)
        expected[kSkip + i] = QStringLiteral("4901234567894");
    QCOMPARE(ReadLabels(pages, sheet, kDpi, folder.path()), expected);
}

QTEST_MAIN(TestPlan)
#include "tst_pipeline_plan.moc"
