// What stripewell-render --verify reads and writes, held to the renderer's
// standard: the plot never lands on the scan or on what --force may not
// replace and loses nothing on a full disk; a report that cannot be written
// is said; the scan is read once (standard input, a fifo), bounded in bytes
// and pixels, at a resolution it states in range or is given; damaged
// pictures are refused, not graded. Test pictures are made here and changed
// byte by byte as a damaged or hostile file would be.

#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <thread>

#include "files.h"
#include "run.h"

namespace {

const QString kCode = QStringLiteral("4901234567894");
constexpr int kDotsPerMetre1200 = 47244;  // 1200 dpi, as PNG and BMP store it

// The PNG CRC of a chunk's type and data (ISO 3309, as zlib's crc32).
quint32 Crc32(const QByteArray& bytes) {
    quint32 crc = 0xFFFFFFFF;
    for (const char c : bytes) {
        crc ^= uchar(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

// Where a PNG chunk of this type starts (its length field), or -1.
qsizetype ChunkAt(const QByteArray& png, const char* type) {
    qsizetype at = 8;
    while (at + 8 <= png.size()) {
        if (png.mid(at + 4, 4) == type)
            return at;
        at += 12 + qFromBigEndian<quint32>(png.constData() + at);
    }
    return -1;
}

// Puts a 32-bit big-endian value into a chunk's data and mends its CRC.
void SetChunkValue(QByteArray* png, const char* type, int offset, quint32 value) {
    const qsizetype at = ChunkAt(*png, type);
    QVERIFY(at >= 0);
    const quint32 length = qFromBigEndian<quint32>(png->constData() + at);
    qToBigEndian(value, png->data() + at + 8 + offset);
    qToBigEndian(Crc32(png->mid(at + 4, 4 + length)), png->data() + at + 8 + length);
}

QByteArray Encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, format == QByteArrayView("JPEG") ? 95 : -1);
    return bytes;
}

}  // namespace

class VerifyInput : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void plotAndReport_data();
    void plotAndReport();
    void scans_data();
    void scans();
    void pdfPages_data();
    void pdfPages();

private:
    QTemporaryDir scans_;
    QString scan_;  // a retail symbol at 1200 dpi that meets 1.5
    QImage symbol_;
};

void VerifyInput::initTestCase() {
    QVERIFY(scans_.isValid());
    scan_ = scans_.filePath(QStringLiteral("tea.png"));
    const Ran drawn =
        RunProgram(STRIPEWELL_RENDER, {"--layout", "retail", "--dpi", "1200", kCode, "-o", scan_});
    QCOMPARE(drawn.exitCode, 0);
    symbol_ = QImage(scan_).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(symbol_.dotsPerMeterX(), kDotsPerMetre1200);
}

void VerifyInput::plotAndReport_data() {
    // Each row: a shell script run in a fresh folder with $R the program and
    // $S the scan, its standard error in the file err; its last command's
    // exit status; what the program says exactly once; a shell test of what
    // is left afterwards. Rows that need a full file system run in a private
    // mount namespace.
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("said");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("privateMount");
    const QString old = R"(printf old >p.png; )";
    const QString scanStays = R"(cmp s.png "$S")";
    QTest::newRow("an existing plot stays without --force")
        << old + R"("$R" --verify "$S" --plot p.png)" << 3
        << "p.png already exists; give --force to replace it"
        << R"([ "`cat p.png`" = old ])" << false;
    QTest::newRow("a read-only plot stays with --force")
        << old + R"(chmod 444 p.png; "$R" --verify "$S" --plot p.png --force)" << 3
        << "p.png is read-only"
        << R"([ "`cat p.png`" = old ])" << false;
    QTest::newRow("the scan stays, even with --force")
        << R"(cp "$S" s.png; "$R" --verify s.png --plot ./s.png --force)" << 3
        << "./s.png is the scan being graded" << scanStays << false;
    QTest::newRow("a link to the scan stays")
        << R"(cp "$S" s.png; ln -s s.png l.png; "$R" --verify s.png --plot l.png --force)" << 3
        << "l.png is the scan being graded" << scanStays << false;
    QTest::newRow("a second name of the scan stays")
        << R"(cp "$S" s.png; ln s.png h.png; "$R" --verify s.png --plot h.png --force)" << 3
        << "h.png is the scan being graded" << scanStays << false;
    QTest::newRow("the scan on standard input stays")
        << R"(cp "$S" s.png; "$R" --verify - --plot s.png --force <s.png)" << 3
        << "s.png is the scan being graded" << scanStays << false;
    QTest::newRow("a link is replaced, not written through")
        << R"(printf old >t; ln -s t l.png; "$R" --verify "$S" --plot l.png --force >/dev/null)"
        << 0 << ""
        << R"([ ! -L l.png ] && [ "`cat t`" = old ] && file l.png | grep -q PNG)" << false;
    QTest::newRow("--plot - is standard output")
        << R"("$R" --verify "$S" --plot - >out.png)" << 0 << "meets GS1's 1.5"
        << R"([ ! -e ./- ] && file out.png | grep -q "PNG image data, 1600 x 640")" << false;
    QTest::newRow("a report onto a full device") << R"("$R" --verify "$S" --json >/dev/full)" << 3
                                                 << "cannot write the report to the standard "
                                                    "output: " +
                                                        qt_error_string(ENOSPC)
                                                 << "true" << false;
    QTest::newRow("a report onto a closed standard output")
        << R"("$R" --verify "$S" >&-)" << 3 << "the standard output is closed"
        << "true" << false;
    // A tmpfs of 64 KiB, filled up after the old plot went in.
    const QString full =
        R"(mkdir out && mount -t tmpfs -o size=64k tmpfs out && printf old >out/p.png &&
           { cat /dev/zero >out/fill 2>/dev/null; true; } && )";
    QTest::newRow("a full disk keeps the old plot")
        << full + R"("$R" --verify "$S" --plot out/p.png --force)" << 3
        << "cannot write out/p.png: " + qt_error_string(ENOSPC)
        << R"([ "`cat out/p.png`" = old ] && [ "`ls out`" = "fill
p.png" ])"
        << true;
    QTest::newRow("a full disk leaves no new plot")
        << full + R"("$R" --verify "$S" --plot out/new.png)" << 3
        << "cannot write out/new.png: " + qt_error_string(ENOSPC) << R"([ "`ls out`" = "fill
p.png" ])"
        << true;
    // What is not a scan is named as what it is.
    QTest::newRow("a folder") << R"(mkdir d; "$R" --verify d)" << 7
                              << "d: it is a folder, not a scan"
                              << "true" << false;
    QTest::newRow("a loop of links")
        << R"(ln -s a b; ln -s b a; "$R" --verify a)" << 7 << "a: it is a loop of symbolic links"
        << "true" << false;
    QTest::newRow("a device") << R"("$R" --verify /dev/zero)" << 7
                              << "/dev/zero: it is a device, not a scan"
                              << "true" << false;
    QTest::newRow("--dpi nan") << R"("$R" --verify "$S" --dpi nan)" << 1
                               << "--dpi takes 72 to 9600 dots per inch, not 'nan'"
                               << "true" << false;
    QTest::newRow("--force without --plot")
        << R"("$R" --verify "$S" --force)" << 1 << "--force goes with --plot"
        << "true" << false;
    QTest::newRow("--dpi inf") << R"("$R" --verify "$S" --dpi inf)" << 1
                               << "--dpi takes 72 to 9600 dots per inch, not 'inf'"
                               << "true" << false;
}

void VerifyInput::plotAndReport() {
    QFETCH(QString, script);
    QFETCH(int, exitCode);
    QFETCH(QString, said);
    QFETCH(QString, after);
    QFETCH(bool, privateMount);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString body = QStringLiteral(R"(R="$1"; S="$2"; { %1
} 2>err; status=$?; cat err >&2; { %2
} || echo "not so afterwards"; exit $status)")
                             .arg(script, after);
    Ran run;
    if (privateMount) {
        if (geteuid() != 0)
            QSKIP("needs root, for a private mount namespace with a tmpfs");
        run = RunProgram(
            "unshare", {"-m", "sh", "-c", "echo mounted; " + body, "sh", STRIPEWELL_RENDER, scan_},
            folder.path());
        if (!run.out.startsWith("mounted") || run.err.contains("mount: "))
            QSKIP(qPrintable("no private tmpfs here: " + run.err));
    } else {
        run = RunProgram("sh", {"-c", body, "sh", STRIPEWELL_RENDER, scan_}, folder.path());
    }
    QVERIFY2(!run.out.contains("not so afterwards"), qPrintable(after + '\n' + run.err));
    QCOMPARE(run.exitCode, exitCode);
    if (!said.isEmpty())
        QVERIFY2(run.err.count(said) == 1, qPrintable(run.err));
}

void VerifyInput::scans_data() {
    // Each row: the scan's bytes, how they reach the program, its options,
    // the exit status and what it says.
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("through");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("said");
    const QByteArray png = Encoded(symbol_, "PNG");
    const QByteArray bmp = Encoded(symbol_, "BMP");
    const QByteArray jpeg = Encoded(symbol_, "JPEG");
    const QString meets = QStringLiteral("meets GS1's 1.5");
    const QStringList none;
    QTest::newRow("png") << png << "file" << none << 0 << meets;
    QTest::newRow("standard input") << png << "stdin" << none << 0 << meets;
    QTest::newRow("fifo") << png << "fifo" << none << 0 << meets;

    // Resolutions stated in a PNG's pHYs (pixels a metre, unsigned) and a
    // BMP's header (signed). 2^31 pixels a metre is 54,546,084.7 dpi.
    const auto pngAt = [&](quint32 perMetre) {
        QByteArray changed = png;
        SetChunkValue(&changed, "pHYs", 0, perMetre);
        SetChunkValue(&changed, "pHYs", 4, perMetre);
        return changed;
    };
    const auto bmpAt = [&](qint32 perMetre) {
        QByteArray changed = bmp;
        qToLittleEndian(perMetre, changed.data() + 38);
        qToLittleEndian(perMetre, changed.data() + 42);
        return changed;
    };
    QByteArray pngUnstated = png;
    const qsizetype phys = ChunkAt(png, "pHYs");
    pngUnstated.remove(phys, 12 + 9);
    const QString give = QStringLiteral("give the resolution it was scanned at with --dpi");
    QTest::newRow("png at 0 dpi") << pngAt(0) << "file" << none << 7
                                  << "states 0.0 dpi, outside 72 to 9600: " + give;
    QTest::newRow("png at 1 pixel a metre")
        << pngAt(1) << "file" << none << 7 << "states 0.0254 dpi, outside 72 to 9600: " + give;
    QTest::newRow("png at 2^31 pixels a metre")
        << pngAt(0x80000000u) << "file" << none << 7 << "states 54546084.7 dpi";
    QTest::newRow("png stating none")
        << pngUnstated << "file" << none << 7 << "does not state its resolution: " + give;
    QTest::newRow("png stating none, --dpi")
        << pngUnstated << "file" << QStringList{"--dpi", "1200"} << 0 << meets;
    QTest::newRow("bmp") << bmp << "file" << none << 0 << meets;
    QTest::newRow("bmp stating none")
        << bmpAt(0) << "file" << none << 7 << "does not state its resolution: " + give;
    QTest::newRow("bmp at 1 pixel a metre")
        << bmpAt(1) << "file" << none << 7 << "states 0.0254 dpi";
    QTest::newRow("bmp at -1 pixel a metre")
        << bmpAt(-1) << "file" << none << 7 << "states -0.0254 dpi";
    QTest::newRow("bmp at -600 dpi") << bmpAt(-23622) << "file" << none << 7 << "states -600.0 dpi";
    QTest::newRow("bmp at -2^31 pixels a metre")
        << bmpAt(qint32(0x80000000u)) << "file" << none << 7 << "states -54546084.7 dpi";
    QTest::newRow("bmp at -600 dpi, --dpi")
        << bmpAt(-23622) << "file" << QStringList{"--dpi", "1200"} << 0 << meets;

    // Bombs: a few bytes that claim more pixels than a page.
    const auto pngSized = [&](quint32 width, quint32 height) {
        QByteArray changed = Encoded(QImage(16, 16, QImage::Format_Grayscale8), "PNG");
        SetChunkValue(&changed, "IHDR", 0, width);
        SetChunkValue(&changed, "IHDR", 4, height);
        return changed;
    };
    QTest::newRow("png claiming 1000000 x 1000000")
        << pngSized(1000000, 1000000) << "file" << none << 7
        << "it is 1000000 x 1000000 pixels (1000000.0 million)";
    QTest::newRow("png of 60000 x 60000") << pngSized(60000, 60000) << "file" << none << 7
                                          << "it is 60000 x 60000 pixels (3600.0 million)";

    // Cut short: what is missing is not graded as paper.
    QTest::newRow("bmp with half its bytes")
        << bmp.left(bmp.size() / 2) << "file" << none << 7 << "the picture is damaged";
    QTest::newRow("png cut short")
        << png.left(png.size() * 3 / 4) << "file" << none << 7 << "the picture cannot be read";
    QTest::newRow("jpeg cut to 10 %")
        << jpeg.left(jpeg.size() / 10) << "file" << none << 7 << "the picture is damaged";
    QTest::newRow("jpeg") << jpeg << "file" << none << 0 << meets;

    // White made transparent: a PNG with only its bars painted.
    QImage bars = symbol_.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < bars.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(bars.scanLine(y));
        for (int x = 0; x < bars.width(); ++x)
            if (qGray(line[x]) > 128)
                line[x] = qRgba(0, 0, 0, 0);
    }
    QTest::newRow("transparent background") << Encoded(bars, "PNG") << "file" << none << 0 << meets;
}

void VerifyInput::scans() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, through);
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(QString, said);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(through == u"fifo" ? "scan" : "scan.picture");
    Ran run;
    if (through == u"stdin") {
        run = RunProgram(STRIPEWELL_RENDER, QStringList{"--verify", "-"} + options, {},
                         {.input = bytes});
    } else if (through == u"fifo") {
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        std::thread writer([&] { WriteAll(path, bytes); });
        run = RunProgram(STRIPEWELL_RENDER, QStringList{"--verify", path} + options);
        writer.join();
    } else {
        QVERIFY(WriteAll(path, bytes));
        run = RunProgram(STRIPEWELL_RENDER, QStringList{"--verify", path} + options);
    }
    const QString all = run.all();
    QVERIFY2(all.contains(said), qPrintable(all));
    QCOMPARE(run.exitCode, exitCode);
}

void VerifyInput::pdfPages_data() {
    QTest::addColumn<QPageSize::PageSizeId>("page");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("said");
    const QString meets = QStringLiteral("meets GS1's 1.5");
    for (const int dpi : {600, 1200}) {
        QTest::addRow("A4 at %d dpi", dpi) << QPageSize::A4 << dpi << 0 << meets;
        QTest::addRow("Letter at %d dpi", dpi) << QPageSize::Letter << dpi << 0 << meets;
    }
    // 210 x 297 mm at 9600 dpi: 79370 x 112252 pixels, refused before it is
    // rendered.
    QTest::newRow("A4 at 9600 dpi") << QPageSize::A4 << 9600 << 7 << "give a lower --dpi";
}

void VerifyInput::pdfPages() {
    // The symbol at its own size on a whole page, as a scanner saves a page.
    QFETCH(QPageSize::PageSizeId, page);
    QFETCH(int, dpi);
    QFETCH(int, exitCode);
    QFETCH(QString, said);
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("page.pdf"));
    {
        QPdfWriter writer(pdf);
        writer.setPageSize(QPageSize(page));
        writer.setPageMargins(QMarginsF());
        writer.setResolution(1200);
        QPainter painter(&writer);
        painter.drawImage(QPoint(1200, 1200), symbol_);
    }
    const Ran run = RunProgram(STRIPEWELL_RENDER, {"--verify", pdf, "--dpi", QString::number(dpi)});
    const QString all = run.all();
    QVERIFY2(all.contains(said), qPrintable(all));
    QCOMPARE(run.exitCode, exitCode);
}

QTEST_MAIN(VerifyInput)
#include "tst_verify_input.moc"
