// The print files pinned to the pictures they give now, so that the painters
// can be rearranged under a test that notices any change: every retail
// bitmap pixel for pixel, and a retail PDF, a retail SVG and a label sheet's
// page rasterised at 600 dpi (by pdftoppm, rsvg-convert) equal but for the
// play of anti-aliased edges, and those files byte for byte by their SHA-256
// (a number written "12.0" for "12" draws the same picture). The references
// are the files in pins/; run with STRIPEWELL_WRITE_PINS=1 to write them
// anew, only for an output that is meant to change, and take the SHA-256
// that the failure then names.

#include <QCryptographicHash>
#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

#include "files.h"
#include "sheetpages.h"

namespace {

// How far an edge pixel may stray from its reference: a quarter of black to
// white, what an edge moved by less than a quarter of a dot (0.01 mm at 600
// dpi) gives. A bar or a glyph moved by a dot turns whole pixels over.
constexpr int kEdgePlay = 64;

bool IsEdge(const QImage& reference, int x, int y) {
    const int value = qGray(reference.pixel(x, y));
    if (value != 0 && value != 255)
        return true;
    for (const QPoint step : {QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1), QPoint(0, 1)}) {
        const QPoint next = QPoint(x, y) + step;
        if (reference.rect().contains(next) && qGray(reference.pixel(next)) != value)
            return true;
    }
    return false;
}

// Empty when picture is its reference: equal in every pixel, or with play,
// equal but for edge pixels (grey in the reference, or next to a pixel of
// another value there) that differ by at most kEdgePlay. Otherwise what
// differs, for the failure message.
QString Difference(const QImage& picture, const QImage& reference, bool play) {
    if (picture.size() != reference.size())
        return QStringLiteral("%1 x %2 pixels, the reference %3 x %4")
            .arg(picture.width())
            .arg(picture.height())
            .arg(reference.width())
            .arg(reference.height());
    const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
    const QImage pinned = reference.convertToFormat(QImage::Format_Grayscale8);
    qsizetype wrong = 0;
    QPoint first;
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* row = grey.constScanLine(y);
        const uchar* pinnedRow = pinned.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x) {
            const int off = std::abs(row[x] - pinnedRow[x]);
            if (off == 0 || (play && off <= kEdgePlay && IsEdge(pinned, x, y)))
                continue;
            if (wrong++ == 0)
                first = QPoint(x, y);
        }
    }
    if (wrong == 0)
        return {};
    return QStringLiteral("%1 pixels differ, the first at (%2, %3): %4, the reference %5")
        .arg(wrong)
        .arg(first.x())
        .arg(first.y())
        .arg(qGray(grey.pixel(first)))
        .arg(qGray(pinned.pixel(first)));
}

// A reference as small as it keeps: one bit a pixel when it is black and
// white only.
bool SaveReference(const QImage& picture, const QString& path) {
    QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
    bool twoTone = true;
    for (int y = 0; y < grey.height() && twoTone; ++y)
        for (int x = 0; x < grey.width() && twoTone; ++x)
            twoTone = grey.constScanLine(y)[x] == 0 || grey.constScanLine(y)[x] == 255;
    if (twoTone)
        grey = grey.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
    return grey.save(path, "PNG", 9);
}

}  // namespace

class TestRenderPins : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void retailBitmapKeepsEveryPixel_data();
    void retailBitmapKeepsEveryPixel();
    void pageKeepsItsPictureAt600Dpi_data();
    void pageKeepsItsPictureAt600Dpi();

private:
    QString Path(const QString& name) const { return dir_->filePath(name); }
    // Compares picture with the reference file (or writes the reference).
    void Pinned(const QImage& picture, const QString& reference, bool play);

    std::unique_ptr<QTemporaryDir> dir_;
};

void TestRenderPins::initTestCase() {
    // A page of A4 at 600 dpi is larger than Qt reads by default.
    QImageReader::setAllocationLimit(512);
}

void TestRenderPins::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void TestRenderPins::Pinned(const QImage& picture, const QString& reference, bool play) {
    QVERIFY2(!picture.isNull(), "nothing was drawn");
    const QString path = QDir(QStringLiteral(PINS_DIR)).filePath(reference);
    if (qEnvironmentVariableIsSet("STRIPEWELL_WRITE_PINS")) {
        QVERIFY(SaveReference(picture, path));
        QSKIP("reference written");
    }
    const QImage pinned(path);
    QVERIFY2(!pinned.isNull(), qPrintable(path));
    const QString difference = Difference(picture, pinned, play);
    QVERIFY2(difference.isEmpty(), qPrintable(reference + QStringLiteral(": ") + difference));
}

void TestRenderPins::retailBitmapKeepsEveryPixel_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("reference");
    // The reference of each symbol, its png and its bmp alike.
    const struct {
        const char *row, *reference;
        QStringList arguments;
    } symbols[] = {
        {"jan13 named, markers",
         "retail-jan13.png",
         {"4901234567894", "--name", QString::fromUtf16(u"緑茶 Green tea"), "--quiet-zone-marker"}},
        {"jan8, markers",
         "retail-jan8.png",
         {"--symbol", "jan8", "96385074", "--quiet-zone-marker"}},
        {"upca", "retail-upca.png", {"--symbol", "upca", "036000291452"}},
        {"jan13+5", "retail-jan13-addon.png", {"4910123450124+12345"}},
        {"upca+2 at 600 dpi, bwr 30",
         "retail-upca-addon-600.png",
         {"--symbol", "upca", "712345678904+12", "--dpi", "600", "--bwr", "30"}},
        {"jan13 at 600 dpi, bwr 130: 3 dots",
         "retail-jan13-600-bwr.png",
         {"4901234567894", "--dpi", "600", "--bwr", "130"}},
        {"jan13 at 203 dpi, 80%, bwr 40",
         "retail-jan13-203.png",
         {"4901234567894", "--dpi", "203", "--magnification", "80", "--bwr", "40"}},
    };
    for (const auto& symbol : symbols)
        for (const char* format : {"png", "bmp"})
            QTest::addRow("%s %s", symbol.row, format)
                << symbol.arguments +
                       QStringList{"--layout", "retail", "-o", QStringLiteral("s.") + format}
                << QString::fromLatin1(symbol.reference);
}

void TestRenderPins::retailBitmapKeepsEveryPixel() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, reference);
    const Ran ran = RunProgram(QStringLiteral(STRIPEWELL_RENDER), arguments, dir_->path());
    QVERIFY2(ran.exitCode == 0, qPrintable(ran.err));
    Pinned(QImage(Path(arguments.constLast())), reference, false);
}

void TestRenderPins::pageKeepsItsPictureAt600Dpi_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("list");  // for --batch list.csv
    QTest::addColumn<QString>("reference");
    QTest::addColumn<QByteArray>("sha256");  // of the file itself
    const QStringList retail{"--layout", "retail"};
    QTest::newRow("retail pdf, jan13+5 named, bwr 20")
        << retail + QStringList{"4910123450124+12345",
                                "--name",
                                QString::fromUtf16(u"週刊 Weekly"),
                                "--bwr",
                                "20",
                                "-o",
                                "s.pdf"}
        << QByteArray() << "retail-pdf.png"
        << QByteArray("fecd13b8f5582580cce8be61171108034a72be49ba8d13bff6153a3c2b933465");
    QTest::newRow("retail svg, jan8 at 150%, markers")
        << retail + QStringList{"--symbol", "jan8",
                                "49123456", "--magnification",
                                "150",      "--quiet-zone-marker",
                                "-o",       "s.svg"}
        << QByteArray() << "retail-svg.png"
        << QByteArray("ef8e66b8bd3e094474850fc1825749267ad4c7e1c09bffd7d7f7a05425c78bed");
    // Characters that come again (the code's zeros, a name's letters) and
    // a name a layout sets, an accent joined to its letter.
    QTest::newRow("retail svg, named, characters repeated")
        << retail + QStringList{"451234500000", "--name",
                                QString::fromUtf16(u"Cafe\u0301 緑茶 Tee"), "-o", "s.svg"}
        << QByteArray() << "retail-svg-named.png"
        << QByteArray("453b2e5f7f6d1f0cfc2055af76d84745526a218c09de0cd5abfb77d9131b8853");
    // The last two labels of a sheet whose labels stand apart: its margins,
    // its pitch and a symbol with an add-on fitted to a label.
    QTest::newRow("sheet a4-21, last two labels")
        << QStringList{"--batch", "list.csv", "--sheet", "a4-21", "--skip", "19", "-o", "s.pdf"}
        << QString::fromUtf16(u"名称,JAN\n緑茶 500ml,4901234567894\n週刊誌,4910123450124+12345\n")
               .toUtf8()
        << "sheet-a4-21.png"
        << QByteArray("832f95381986d7003c1b1f90c7bb4d13dbdb3eef769e301db432357ee13d47fa");
}

void TestRenderPins::pageKeepsItsPictureAt600Dpi() {
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, list);
    QFETCH(QString, reference);
    QFETCH(QByteArray, sha256);
    if (!list.isEmpty())
        QVERIFY(WriteAll(Path("list.csv"), list));
    const Ran ran = RunProgram(QStringLiteral(STRIPEWELL_RENDER), arguments, dir_->path());
    QVERIFY2(ran.exitCode == 0, qPrintable(ran.err));
    const QString file = arguments.constLast();
    QImage page;
    if (file.endsWith(".svg")) {
        RunProgram(QStringLiteral("rsvg-convert"),
                   {"-d", "600", "-p", "600", "-o", "raster.png", file}, dir_->path());
        page = QImage(Path("raster.png"));
    } else {
        const QList<QImage> pages = RasterisePdf(Path(file), 600, dir_->path());
        QCOMPARE(pages.size(), 1);
        page = pages[0];
    }
    Pinned(page, reference, true);
    QFile bytes(Path(file));
    QVERIFY(bytes.open(QIODevice::ReadOnly));
    QCOMPARE(QCryptographicHash::hash(bytes.readAll(), QCryptographicHash::Sha256).toHex(), sha256);
}

QTEST_MAIN(TestRenderPins)
#include "tst_render_pins.moc"
