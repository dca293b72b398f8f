// Label sheets as PDF pages, read back as a person's printer would see them:
// each page rasterised by pdftoppm, each label cut out where the sheet's
// numbers put it and read by zbarimg, the label edges measured.

#include <QImage>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "sheetpainter.h"
#include "symbol/code.h"

using render::SheetTemplate;

namespace {

QString Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(120000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Code number i: twelve digits from i and its check digit.
QString CodeNumber(int i) {
    const QString data = QStringLiteral("4901234%1").arg(i, 5, 10, QChar(u'0'));
    return data + QString::number(symbol::CheckDigit(data));
}

void SetUpA4(QPdfWriter& writer) {
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(),
                                     QPageLayout::Millimeter));
    writer.setResolution(1200);
}

}  // namespace

class TestSheetPdf : public QObject {
    Q_OBJECT

private slots:
    void init();
    void labelsReadBackInTheListsOrder_data();
    void labelsReadBackInTheListsOrder();
    void labelEdgesLieWhereTheSheetSays_data();
    void labelEdgesLieWhereTheSheetSays();
    void symbolIsFittedToTheLabel_data();
    void symbolIsFittedToTheLabel();

private:
    // The pages of a PDF of codes on a sheet, rasterised at dpi.
    QList<QImage> Pages(const SheetTemplate& sheet, const QStringList& codes, int skip,
                        const render::LabelStyle& style, int dpi, const QRect& crop = {});

    std::unique_ptr<QTemporaryDir> dir_;
};

void TestSheetPdf::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

QList<QImage> TestSheetPdf::Pages(const SheetTemplate& sheet, const QStringList& codes, int skip,
                                  const render::LabelStyle& style, int dpi, const QRect& crop) {
    const QString pdf = dir_->filePath(QStringLiteral("sheet.pdf"));
    {
        QPdfWriter writer(pdf);
        SetUpA4(writer);
        render::SheetPainter painter(&writer, sheet, skip, style);
        for (const QString& code : codes)
            painter.Add(QStringLiteral("品名 %1").arg(code.right(3)), code);
    }
    const QString prefix = dir_->filePath(QStringLiteral("page"));
    QStringList arguments{"-r", QString::number(dpi), "-gray", "-png"};
    if (!crop.isEmpty())
        arguments += {"-x", QString::number(crop.x()),     "-y", QString::number(crop.y()),
                      "-W", QString::number(crop.width()), "-H", QString::number(crop.height())};
    Run(QStringLiteral("pdftoppm"), arguments + QStringList{pdf, prefix});
    QList<QImage> pages;
    for (int n = 1;; ++n) {
        QImage page(QStringLiteral("%1-%2.png").arg(prefix).arg(n));
        if (page.isNull())
            page.load(QStringLiteral("%1-%2.png").arg(prefix).arg(n, 2, 10, QChar(u'0')));
        if (page.isNull())
            break;
        pages.append(page);
    }
    return pages;
}

void TestSheetPdf::labelsReadBackInTheListsOrder_data() {
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<int>("labels");
    QTest::addColumn<int>("skip");
    QTest::addColumn<QList<int>>("perPage");
    QTest::newRow("50 on 24") << "a4-24" << 50 << 0 << QList<int>{24, 24, 2};
    QTest::newRow("50 on 24 after 5 used") << "a4-24" << 50 << 5 << QList<int>{19, 24, 7};
    QTest::newRow("44 on 44, fitted below 100 percent") << "a4-44" << 44 << 0 << QList<int>{44};
}

// Every label of every page is cut out where the sheet puts it and read:
// the codes come back in the list's order, the skipped places are empty.
void TestSheetPdf::labelsReadBackInTheListsOrder() {
    QFETCH(QString, sheet);
    QFETCH(int, labels);
    QFETCH(int, skip);
    QFETCH(QList<int>, perPage);
    const SheetTemplate layout = *render::FindSheet(sheet);
    QStringList codes;
    for (int i = 0; i < labels; ++i)
        codes.append(CodeNumber(i));
    render::LabelStyle style;
    style.magnification =
        render::FitMagnification(QSizeF(layout.labelWidth, layout.labelHeight), 100, true);
    QVERIFY(style.magnification >= 80);
    constexpr int kDpi = 300;
    const QList<QImage> pages = Pages(layout, codes, skip, style, kDpi);
    QCOMPARE(pages.size(), perPage.size());

    QStringList crops;
    QStringList expected;
    for (int p = 0; p < pages.size(); ++p)
        for (int i = 0; i < layout.LabelsPerPage(); ++i) {
            const QRectF mm = layout.LabelRect(i);
            const QRect dots(QPointF(mm.topLeft() * kDpi / 25.4).toPoint(),
                             QPointF(mm.bottomRight() * kDpi / 25.4).toPoint());
            const QString crop = dir_->filePath(QStringLiteral("label-%1-%2.png").arg(p).arg(i));
            QVERIFY(pages[p].copy(dots).save(crop));
            crops.append(crop);
            const int n = p * layout.LabelsPerPage() + i - skip;
            expected.append(n >= 0 && n < labels ? codes[n] : QStringLiteral("-"));
        }
    // One zbarimg for every label, which names each file it read.
    const QString xml = Run(QStringLiteral("zbarimg"), QStringList{"-q", "--xml"} + crops);
    QStringList read;
    for (const QString& crop : crops) {
        const qsizetype at = xml.indexOf(QStringLiteral("href='%1'").arg(crop));
        const qsizetype end = xml.indexOf(QStringLiteral("</source>"), at);
        const QRegularExpressionMatch data =
            QRegularExpression(QStringLiteral("<data><!\\[CDATA\\[(\\d+)\\]\\]></data>"))
                .match(xml.mid(at, end - at));
        read.append(at >= 0 && data.hasMatch() ? data.captured(1) : QStringLiteral("-"));
    }
    QCOMPARE(read, expected);
}

void TestSheetPdf::labelEdgesLieWhereTheSheetSays_data() {
    QTest::addColumn<QString>("sheet");
    for (const char* name : {"a4-12", "a4-24", "a4-44"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

// An outlined test print at 600 dpi: the middle of each edge's line is looked
// for within a millimetre of where the sheet's numbers put it, and must lie
// within 0.1 mm of it.
void TestSheetPdf::labelEdgesLieWhereTheSheetSays() {
    QFETCH(QString, sheet);
    const SheetTemplate layout = *render::FindSheet(sheet);
    render::LabelStyle style;
    style.outline = true;
    style.magnification = 80;
    constexpr int kDpi = 600;
    constexpr double kDotsPerMm = kDpi / 25.4;
    // A label of the last row whose edges all lie inside the page (the first
    // column's left and the last column's right edge may be the page's own),
    // and only that label and 2 mm around it are rasterised.
    const int index = layout.LabelsPerPage() - layout.columns + 1;
    const QRectF label = layout.LabelRect(index);
    const QRect crop(QPointF((label.topLeft() - QPointF(2, 2)) * kDotsPerMm).toPoint(),
                     QPointF((label.bottomRight() + QPointF(2, 2)) * kDotsPerMm).toPoint());
    const QList<QImage> pages = Pages(layout, {CodeNumber(1)}, index, style, kDpi, crop);
    QCOMPARE(pages.size(), 1);
    const QImage& page = pages[0];
    // The middle of the dark run nearest to a place, along a row or a column.
    auto lineAt = [&](bool alongRow, int fixed, double expectedMm) {
        const int from = int((expectedMm - 1) * kDotsPerMm);
        const int to = int((expectedMm + 1) * kDotsPerMm);
        double sum = 0;
        int count = 0;
        for (int v = std::max(from, 0); v <= to; ++v) {
            const int x = (alongRow ? v : fixed) - crop.x();
            const int y = (alongRow ? fixed : v) - crop.y();
            if (page.rect().contains(x, y) && qGray(page.pixel(x, y)) < 128) {
                sum += v + 0.5;
                ++count;
            }
        }
        return count ? sum / count / kDotsPerMm : -1.0;
    };
    const int midRow = int(label.center().y() * kDotsPerMm);
    const int midColumn = int(label.center().x() * kDotsPerMm);
    QVERIFY(std::abs(lineAt(true, midRow, label.left()) - label.left()) <= 0.1);
    QVERIFY(std::abs(lineAt(true, midRow, label.right()) - label.right()) <= 0.1);
    QVERIFY(std::abs(lineAt(false, midColumn, label.top()) - label.top()) <= 0.1);
    QVERIFY(std::abs(lineAt(false, midColumn, label.bottom()) - label.bottom()) <= 0.1);
}

void TestSheetPdf::symbolIsFittedToTheLabel_data() {
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<double>("asked");
    QTest::addColumn<bool>("names");
    QTest::addColumn<double>("fitted");
    QTest::newRow("24 labels at 100") << "a4-24" << 100.0 << true << 100.0;
    QTest::newRow("24 labels at 120, shrunk") << "a4-24" << 120.0 << true << 115.0;
    QTest::newRow("44 labels, no name") << "a4-44" << 100.0 << false << 90.2;
    QTest::newRow("44 labels with names") << "a4-44" << 100.0 << true << 82.2;
    QTest::newRow("65 labels: too small") << "a4-65" << 100.0 << false << 0.0;
}

void TestSheetPdf::symbolIsFittedToTheLabel() {
    QFETCH(QString, sheet);
    QFETCH(double, asked);
    QFETCH(bool, names);
    QFETCH(double, fitted);
    const SheetTemplate layout = *render::FindSheet(sheet);
    const QSizeF label(layout.labelWidth, layout.labelHeight);
    QCOMPARE(render::FitMagnification(label, asked, names), fitted);
    if (fitted > 0) {
        const QSizeF needed = render::NeededLabelSize(fitted, names);
        QVERIFY(needed.width() <= label.width() && needed.height() <= label.height());
    }
}

QTEST_MAIN(TestSheetPdf)
#include "tst_render_sheetpdf.moc"
