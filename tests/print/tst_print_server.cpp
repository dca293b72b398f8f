// The tests' own print server and the readers of its drivers' output, and
// what a shop gets today when it sends a symbol file with lp to a label
// printer: the driver resamples the modules onto its dots.

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include "files.h"
#include "printserver.h"

using printtest::PrintServer;

namespace {

// A picture as rows of '#' (a dot burnt) and '.'.
QStringList Dots(const QImage& image) {
    QStringList rows;
    for (int y = 0; y < image.height(); ++y) {
        QString row;
        for (int x = 0; x < image.width(); ++x)
            row += qGray(image.pixel(x, y)) < 128 ? u'#' : u'.';
        rows.append(row);
    }
    return rows;
}

}  // namespace

class TestPrintServer : public QObject {
    Q_OBJECT

private slots:
    void zplGraphicsDecode_data();
    void zplGraphicsDecode();
    void zplThatDoesNotReadIsRefused_data();
    void zplThatDoesNotReadIsRefused();
    void theServerStartsAndStops();
    void aFileMadeForTheScreenMissesTheDots();
    void filesForAPrintersDots_data();
    void filesForAPrintersDots();
};

// Written from the ZPL rules for ~DG data, each row 16 dots (4 digits).
void TestPrintServer::zplGraphicsDecode_data() {
    QTest::addColumn<QByteArray>("zpl");
    QTest::addColumn<QStringList>("rows");
    const QString full(16, u'#'), empty(16, u'.');
    QTest::newRow("plain digits") << QByteArray("~DGR:T.GRF,4,2,\nF00F0FF0\n^XA")
                                  << QStringList{"####........####", "....########...."};
    QTest::newRow("counts G to Y repeat the next digit")
        << QByteArray("~DGR:T.GRF,4,2,JFFH08\n^XA") << QStringList{full, "####........#..."};
    QTest::newRow("a comma ends a row in zeros")
        << QByteArray("~DGR:T.GRF,6,2,\n8,\n,\nC3,\n")
        << QStringList{"#" + QString(15, u'.'), empty, "##....##........"};
    QTest::newRow("a colon repeats the row before")
        << QByteArray("~DGR:T.GRF,6,2,\nA5A5\n::^XA") << QStringList(3, "#.#..#.##.#..#.#");
    QTest::newRow("g counts twenty") << QByteArray("~DGR:T.GRF,24,24,\ngIF0gJF\n^XA")
                                     << QStringList{QString(92, u'#') + "...." + QString(96, u'#')};
    QTest::newRow("two labels")
        << QByteArray("~DGR:A.GRF,2,2,\nFFFF\n^XA^XGR:A.GRF^FS^XZ\n~DGR:A.GRF,2,2,\n,\n^XA")
        << QStringList{full, empty};
}

void TestPrintServer::zplGraphicsDecode() {
    QFETCH(QByteArray, zpl);
    QFETCH(QStringList, rows);
    QString error;
    QStringList decoded;
    for (const QImage& label : printtest::DecodeZpl(zpl, &error))
        decoded += Dots(label);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(decoded, rows);
}

void TestPrintServer::zplThatDoesNotReadIsRefused_data() {
    QTest::addColumn<QByteArray>("zpl");
    QTest::newRow("no graphic") << QByteArray("^XA^FO0,0^FS^XZ");
    QTest::newRow("a row too long") << QByteArray("~DGR:T.GRF,2,2,\nFFFFF\n");
    QTest::newRow("fewer rows than the header") << QByteArray("~DGR:T.GRF,4,2,\nFFFF\n");
    QTest::newRow("a colon first") << QByteArray("~DGR:T.GRF,2,2,\n:\n");
    QTest::newRow("an unknown character") << QByteArray("~DGR:T.GRF,2,2,\nFF!\n");
}

void TestPrintServer::zplThatDoesNotReadIsRefused() {
    QFETCH(QByteArray, zpl);
    QString error;
    QVERIFY(printtest::DecodeZpl(zpl, &error).isEmpty());
    QVERIFY(!error.isEmpty());
}

// The queues are there with the drivers' resolutions, and a stopped server
// leaves no scheduler behind and no socket that answers.
void TestPrintServer::theServerStartsAndStops() {
    QString socket;
    {
        PrintServer server;
        QVERIFY2(server.Error().isEmpty(), qPrintable(server.Error()));
        socket = server.Socket();
        const Ran queues = server.Command("lpstat", {"-e"});
        QCOMPARE(queues.out.split(u'\n', Qt::SkipEmptyParts), (QStringList{"dymo", "pdf", "zpl"}));
        const Ran def = server.Command("lpstat", {"-d"});
        QVERIFY2(def.out.contains("zpl"), qPrintable(def.out));
    }
    QVERIFY(RunProgram("lpstat", {"-r"}, {}, {.environment = {"CUPS_SERVER=" + socket}})
                .out.contains("not running"));
}

// The retail pdf is drawn at 0.33 mm modules, 2.64 dots at 203 dpi: the
// driver's raster cannot keep every bar and space a whole number of modules.
void TestPrintServer::aFileMadeForTheScreenMissesTheDots() {
    PrintServer server;
    QVERIFY2(server.Error().isEmpty(), qPrintable(server.Error()));
    QTemporaryDir dir;
    const QString pdf = dir.filePath("tea.pdf");
    const Ran made =
        server.Command(STRIPEWELL_RENDER, {"--layout", "retail", "4901234567894", "-o", pdf});
    QCOMPARE(made.exitCode, 0);
    const Ran lp = server.Command("lp", {"-d", "zpl", pdf});
    QVERIFY2(lp.exitCode == 0, qPrintable(lp.err));
    QString error;
    const QList<QImage> labels = printtest::DecodeZpl(server.TakeOutput("zpl"), &error);
    QVERIFY2(labels.size() == 1, qPrintable(error));
    const printtest::Measured m = printtest::Measure(labels[0], dir.path());
    QVERIFY2(m.found, "no row crosses the symbol's bars");
    QVERIFY2(!m.wholeDots, qPrintable(m.runs));
    qInfo("width %d dots, runs %s; ZXing '%s', zbar '%s'", m.width, qPrintable(m.runs),
          qPrintable(m.zxing), qPrintable(m.zbar));
}

// --dpi with svg and pdf, rasterised at that resolution by another program
// (rsvg-convert, pdftoppm): the page a whole number of dots, every module
// whole dots, both readers read it.
void TestPrintServer::filesForAPrintersDots_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<QStringList>("more");
    QTest::newRow("svg at 203 dpi") << "svg" << 203 << QStringList();
    QTest::newRow("svg at 300 dpi, named") << "svg" << 300 << QStringList{"--name", "緑茶"};
    QTest::newRow("pdf at 203 dpi") << "pdf" << 203 << QStringList();
    QTest::newRow("pdf at 600 dpi, 80 percent")
        << "pdf" << 600 << QStringList{"--magnification", "80"};
    QTest::newRow("pdf at 300 dpi, bar width reduction of one dot")
        << "pdf" << 300 << QStringList{"--bwr", "85"};
}

void TestPrintServer::filesForAPrintersDots() {
    QFETCH(QString, format);
    QFETCH(int, dpi);
    QFETCH(QStringList, more);
    QTemporaryDir dir;
    const QString file = dir.filePath("tea." + format);
    const QString dots = QString::number(dpi);
    QCOMPARE(RunProgram(STRIPEWELL_RENDER, QStringList{"--layout", "retail", "4901234567894",
                                                       "--dpi", dots, "-o", file} +
                                               more)
                 .exitCode,
             0);
    const QString png = dir.filePath("tea.png");
    const Ran raster =
        format == u"svg"
            ? RunProgram("rsvg-convert", {"-d", dots, "-p", dots, "-b", "white", "-o", png, file})
            : RunProgram("pdftoppm", {"-r", dots, "-gray", "-aa", "no", "-aaVector", "no", "-png",
                                      "-singlefile", file, dir.filePath("tea")});
    QVERIFY(raster.exitCode != -1);
    const QImage image(png);
    QVERIFY(!image.isNull());
    // The page in millimetres, as the file states it, is a whole number of dots.
    const QByteArray bytes = ReadAll(file);
    const QRegularExpression size(format == u"svg" ? "width=\"([0-9.]+)mm\" height=\"([0-9.]+)mm\""
                                                   : "/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]");
    const QRegularExpressionMatch match = size.match(QString::fromLatin1(bytes));
    QVERIFY2(match.hasMatch(), bytes.left(300).constData());
    const double perUnit = format == u"svg" ? dpi / 25.4 : dpi / 72.0;
    for (int i = 1; i <= 2; ++i) {
        const double dots = match.captured(i).toDouble() * perUnit;
        QVERIFY2(std::abs(dots - std::round(dots)) < 0.01, qPrintable(match.captured(i)));
    }
    const int bwr = more.contains("--bwr") ? 1 : 0;
    const printtest::Measured m = printtest::Measure(image, dir.path());
    QVERIFY2(m.found, qPrintable(m.zxing));
    QCOMPARE(m.zxing, QString("4901234567894"));
    QCOMPARE(m.zbar, QString("4901234567894"));
    if (bwr == 0) {
        // At 80 percent the fewest whole dots that are not below it.
        const int dots = more.contains("80") ? int(std::ceil(0.33 * 0.8 * dpi / 25.4))
                                             : printtest::NominalDots(dpi);
        QVERIFY2(m.wholeDots && m.module == dots, qPrintable(m.runs));
    } else {
        // Bars a dot narrower and spaces a dot wider than whole modules.
        const QStringList runs = m.runs.split(u' ');
        for (int i = 0; i < runs.size(); ++i)
            QVERIFY2(
                (runs[i].toInt() + (i % 2 == 0 ? bwr : -bwr)) % printtest::NominalDots(dpi) == 0,
                qPrintable(m.runs));
    }
}

QTEST_GUILESS_MAIN(TestPrintServer)
#include "tst_print_server.moc"
