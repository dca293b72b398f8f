// The verifier against the standard's formulas (standard.h): symbols drawn by
// our painter and by zint, altered by known amounts, each scan line's
// parameters and grades computed from the picture and compared.

#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "standard.h"
#include "symbol/layout.h"
#include "symbol/raster.h"
#include "verify/verify.h"

namespace {

constexpr int kDpi = 1200;
constexpr int kDots = 16;  // per module: 0.339 mm at 1200 dpi
constexpr double kAperturePixels = 0.15 * kDpi / 25.4;
constexpr double kMicronsPerDot = 25400.0 / kDpi;

using symbol::Symbology;

// A symbol's picture and where its parts stand, measured on the clean picture.
struct Symbol {
    QImage grey;
    Symbology symbology = Symbology::Jan13;
    QString code;
    double left = 0, right = 0;  // first bar's leading edge, last bar's trailing edge
    double top = 0, bottom = 0;  // a normal bar's ends
    double module = 0;
    QList<int> modules;                    // of each element, bar first
    QList<int> digits;                     // the value of each symbol character
    double quietLeft = 0, quietRight = 0;  // needed, in modules
    QTransform placed;                     // where the clean picture was moved to
};

// The published quiet zones: 11 and 7 modules, 7 and 7, 9 and 9.
void Needed(Symbol* s) {
    s->quietLeft = s->symbology == Symbology::Jan13 ? 11 : s->symbology == Symbology::Jan8 ? 7 : 9;
    s->quietRight = s->symbology == Symbology::Jan13 ? 7 : s->symbology == Symbology::Jan8 ? 7 : 9;
}

int Dark(const QImage& grey, int x, int y) {
    return grey.constScanLine(y)[x] < 128;
}

// Edges and bar ends, from the picture itself.
void Measure(Symbol* s) {
    const QImage& g = s->grey;
    const int row = g.height() / 3;
    int x0 = 0, x1 = g.width() - 1;
    while (!Dark(g, x0, row))
        ++x0;
    while (!Dark(g, x1, row))
        --x1;
    s->left = x0;
    s->right = x1 + 1;
    const QString pattern = symbol::FamilyPattern(s->symbology, s->code);
    s->module = (s->right - s->left) / pattern.size();
    const int normal = int(pattern.indexOf(u'1'));
    const int x = int(s->left + (normal + 0.5) * s->module);
    int y = 0;
    while (!Dark(g, x, y))
        ++y;
    s->top = y;
    while (Dark(g, x, y))
        ++y;
    s->bottom = y;
    s->modules.clear();
    for (int i = 0; i < pattern.size(); ++i)
        if (i > 0 && (pattern[i] == u'0') == (pattern[i - 1] == u'0'))
            ++s->modules.back();
        else
            s->modules.append(1);
    s->digits.clear();
    for (QChar c : s->code.mid(s->symbology == Symbology::Jan13 ? 1 : 0))
        s->digits.append(c.digitValue());
    Needed(s);
}

Symbol Painted(Symbology symbology, const QString& code) {
    Symbol s;
    s.symbology = symbology;
    s.code = code;
    const symbol::Description d =
        symbol::Describe(symbol::Layout::Retail, symbol::SymbolCode{symbology, code, {}}, {});
    s.grey = symbol::PaintRaster(d, kDots, 0, int(kDpi / 0.0254))
                 .convertToFormat(QImage::Format_Grayscale8);
    Measure(&s);
    return s;
}

Symbol Zint(const QString& digits, const QString& code) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("zint.png"));
    QProcess zint;
    zint.start(QStringLiteral("zint"),
               {"-b", "EANX", "--compliantheight", "--scale", "8", "-d", digits, "-o", file});
    zint.waitForFinished();
    Symbol s;
    s.code = code;
    s.grey = QImage(file).convertToFormat(QImage::Format_Grayscale8);
    Measure(&s);
    return s;
}

// The scan path of line i through both quiet zones and a module beyond, in
// the picture as it is now.
standard::Path PathOf(const Symbol& s, int i, double* length) {
    const double y = standard::ScanLine(s.top, s.bottom, i);
    const QPointF from(s.left - (s.quietLeft + 1) * s.module, y);
    const QPointF to(s.right + (s.quietRight + 1) * s.module, y);
    *length = to.x() - from.x();
    const QPointF a = s.placed.map(from), b = s.placed.map(to);
    return {a, (b - a) / std::hypot(b.x() - a.x(), b.y() - a.y())};
}

// Alterations of a clean picture, by known amounts.
void Levels(Symbol* s, int bar, int paper) {
    for (int y = 0; y < s->grey.height(); ++y) {
        uchar* row = s->grey.scanLine(y);
        for (int x = 0; x < s->grey.width(); ++x)
            row[x] = row[x] < 128 ? uchar(bar) : uchar(paper);
    }
}

// Every bar k dots wider (or narrower, k below 0) on its right.
void Grow(Symbol* s, int k) {
    const QImage before = s->grey;
    for (int y = 0; y < before.height(); ++y) {
        const uchar* in = before.constScanLine(y);
        uchar* out = s->grey.scanLine(y);
        for (int x = 0; x < before.width(); ++x) {
            bool dark = in[x] < 128;
            for (int j = 1; j <= std::abs(k); ++j) {
                const bool other = x - j >= 0 && in[x - j] < 128;
                dark = k > 0 ? dark || other : dark && (x - j < 0 || other);
            }
            out[x] = dark ? 0 : 255;
        }
    }
}

// A horizontal moving average over width dots.
void Blur(Symbol* s, int width) {
    const QImage before = s->grey;
    for (int y = 0; y < before.height(); ++y) {
        const uchar* in = before.constScanLine(y);
        uchar* out = s->grey.scanLine(y);
        for (int x = 0; x < before.width(); ++x) {
            int sum = 0;
            for (int j = 0; j < width; ++j)
                sum += in[std::clamp(x - width / 2 + j, 0, before.width() - 1)];
            out[x] = uchar((sum + width / 2) / width);
        }
    }
}

// A disc of grey level value, 1.2 modules across, centred module modules
// from the first bar's leading edge on scan line 5.
void DiscAt(Symbol* s, double module, int value) {
    const QPointF centre(s->left + module * s->module, standard::ScanLine(s->top, s->bottom, 4));
    QPainter p(&s->grey);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(value, value, value));
    p.drawEllipse(centre, 0.6 * s->module, 0.6 * s->module);
}

// The same in the middle of the first element of the wanted kind at least
// three modules wide.
void Disc(Symbol* s, bool inBar, int value) {
    int module = 0, element = 0;
    while (!(element % 2 == (inBar ? 0 : 1) && s->modules[element] >= 3))
        module += s->modules[element++];
    DiscAt(s, module + s->modules[element] / 2.0, value);
}

// A bar a module wide standing 5 modules before the symbol, all the way down.
void CutQuietZone(Symbol* s) {
    QPainter p(&s->grey);
    p.fillRect(QRectF(s->left - 6 * s->module, 0, s->module, s->grey.height()), Qt::black);
}

// Turned about the picture's middle onto a page of its own paper, smoothly
// resampled.
void Turn(Symbol* s, double degrees) {
    const QImage before = s->grey;
    s->grey = QImage(before.size() + QSize(200, 400), QImage::Format_Grayscale8);
    s->grey.fill(QColor(before.pixel(0, 0)));
    QTransform t;
    t.translate(s->grey.width() / 2.0, s->grey.height() / 2.0);
    t.rotate(degrees);
    t.translate(-before.width() / 2.0, -before.height() / 2.0);
    QPainter p(&s->grey);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setTransform(t);
    p.drawImage(0, 0, before);
    s->placed = t;
}

void UpsideDown(Symbol* s) {
    s->grey = s->grey.mirrored(true, true);
    s->placed = QTransform(-1, 0, 0, -1, s->grey.width(), s->grey.height());
}

using Alteration = std::function<void(Symbol*)>;

const QString kCode = QStringLiteral("4901234567894");

}  // namespace

class VerifyGrades : public QObject {
    Q_OBJECT

private slots:
    void linesGradeAsTheStandardSays_data();
    void linesGradeAsTheStandardSays();
    void barGrowthAndBwr_data();
    void barGrowthAndBwr();
};

void VerifyGrades::linesGradeAsTheStandardSays_data() {
    QTest::addColumn<Symbol>("symbol");
    QTest::addColumn<Alteration>("alter");
    QTest::addColumn<double>("expectedDegrees");
    const Symbol painted = Painted(Symbology::Jan13, kCode);
    const Symbol zint = Zint(kCode.left(12), kCode);
    const Alteration none = [](Symbol*) {};
    QTest::newRow("clean EAN-13") << painted << none << 0.0;
    QTest::newRow("clean EAN-8") << Painted(Symbology::Jan8, "49123456") << none << 0.0;
    QTest::newRow("clean UPC-A") << Painted(Symbology::UpcA, "036000291452") << none << 0.0;
    QTest::newRow("zint EAN-13") << zint << none << 0.0;
    QTest::newRow("grey bars, contrast B")
        << painted << Alteration([](Symbol* s) { Levels(s, 90, 255); }) << 0.0;
    QTest::newRow("bars too light for Rmin")
        << painted << Alteration([](Symbol* s) { Levels(s, 140, 255); }) << 0.0;
    QTest::newRow("darkened paper, contrast B")
        << painted << Alteration([](Symbol* s) { Levels(s, 0, 150); }) << 0.0;
    QTest::newRow("dark paper, contrast C")
        << painted << Alteration([](Symbol* s) { Levels(s, 0, 110); }) << 0.0;
    QTest::newRow("blurred over 13 dots")
        << painted << Alteration([](Symbol* s) { Blur(s, 13); }) << 0.0;
    QTest::newRow("zint blurred over 19 dots")
        << zint << Alteration([](Symbol* s) { Blur(s, 19); }) << 0.0;
    QTest::newRow("grey spot in a space")
        << painted << Alteration([](Symbol* s) { Disc(s, false, 200); }) << 0.0;
    QTest::newRow("dark spot in a space")
        << painted << Alteration([](Symbol* s) { Disc(s, false, 0); }) << 0.0;
    QTest::newRow("grey spot in the right quiet zone") << painted << Alteration([](Symbol* s) {
        DiscAt(s, (s->right - s->left) / s->module + 3, 200);
    }) << 0.0;
    QTest::newRow("void in a bar")
        << painted << Alteration([](Symbol* s) { Disc(s, true, 70); }) << 0.0;
    QTest::newRow("quiet zone cut to 5 modules") << painted << Alteration(CutQuietZone) << 0.0;
    QTest::newRow("turned 3 degrees")
        << painted << Alteration([](Symbol* s) { Turn(s, 3); }) << 3.0;
    QTest::newRow("grey bars turned -3 degrees") << painted << Alteration([](Symbol* s) {
        Levels(s, 90, 230);
        Turn(s, -3);
    }) << -3.0;
    QTest::newRow("upside down") << painted << Alteration(UpsideDown) << 0.0;
    QTest::newRow("zint upside down, grown 3 dots") << zint << Alteration([](Symbol* s) {
        Grow(s, 3);
        UpsideDown(s);
    }) << 0.0;
}

void VerifyGrades::linesGradeAsTheStandardSays() {
    QFETCH(Symbol, symbol);
    QFETCH(Alteration, alter);
    QFETCH(double, expectedDegrees);
    alter(&symbol);
    const verify::Verification v = verify::Verify(verify::ScanOf(symbol.grey, kDpi));
    QVERIFY2(v.found.ok, qPrintable(v.found.reason));
    qInfo("%s", qPrintable(v.GradeText()));
    QCOMPARE(v.found.frame.code, symbol.code);
    QVERIFY(std::abs(v.found.frame.degrees - expectedDegrees) < 0.1);
    QCOMPARE(v.lines.size(), 10);

    standard::Aperture aperture(symbol.grey, kAperturePixels);
    const double step = 0.25;
    double total = 0;
    for (int i = 0; i < 10; ++i) {
        double length = 0;
        const standard::Path path = PathOf(symbol, i, &length);
        const standard::Parameters want =
            standard::Evaluate(standard::Profile(aperture, path, 0, length, step), step,
                               symbol.modules, symbol.digits, symbol.quietLeft, symbol.quietRight);
        const verify::ProfileGrade& got = v.lines[i];
        const QByteArray line = "line " + QByteArray::number(i + 1) + ": ";
        auto near = [&](const char* what, double a, double b, double tolerance) {
            QVERIFY2(std::abs(a - b) <= tolerance, (line + what + " " + QByteArray::number(a) +
                                                    ", standard " + QByteArray::number(b))
                                                       .constData());
        };
        near("Rmin", got.rmin, want.rmin, 0.02);
        near("Rmax", got.rmax, want.rmax, 0.02);
        near("SC", got.sc, want.sc, 0.02);
        near("ECmin", got.ecmin, want.ecmin, 0.02);
        near("MOD", got.mod, want.mod, 0.03);
        near("defects", got.defects, want.defects, 0.03);
        if (want.decodes)
            near("decodability", got.decoded.decodability, want.decodability, 0.04);
        const std::array<int, 7> grades = {got.gradeDecode,      got.gradeSc,  got.gradeRmin,
                                           got.gradeEc,          got.gradeMod, got.gradeDefects,
                                           got.gradeDecodability};
        for (int k = 0; k < 7; ++k)
            QVERIFY2(grades[size_t(k)] == want.grades[size_t(k)],
                     (line + "grade " + QByteArray::number(k) + " is " +
                      QByteArray::number(grades[size_t(k)]) + ", standard " +
                      QByteArray::number(want.grades[size_t(k)]))
                         .constData());
        QCOMPARE(got.grade, want.grade);
        total += want.grade;
    }
    QCOMPARE(v.grade, total / 10);
    if (QByteArray(QTest::currentDataTag()).startsWith("clean"))
        QCOMPARE(v.GradeText(), QStringLiteral("4.0/06/660"));
}

void VerifyGrades::barGrowthAndBwr_data() {
    QTest::addColumn<Symbol>("symbol");
    QTest::addColumn<int>("dots");
    const Symbol painted = Painted(Symbology::Jan13, kCode);
    for (int dots : {2, 4, -2, -4})
        QTest::addRow("painter, %+d dots", dots) << painted << dots;
    const Symbol zint = Zint(kCode.left(12), kCode);
    for (int dots : {3, -3})
        QTest::addRow("zint, %+d dots", dots) << zint << dots;
    QTest::newRow("short JAN, +5 dots") << Painted(Symbology::Jan8, "49123456") << 5;
}

void VerifyGrades::barGrowthAndBwr() {
    QFETCH(Symbol, symbol);
    QFETCH(int, dots);
    Grow(&symbol, dots);
    const verify::Verification v = verify::Verify(verify::ScanOf(symbol.grey, kDpi));
    QVERIFY2(v.found.ok, qPrintable(v.found.reason));
    const double growth = dots * kMicronsPerDot;
    QVERIFY2(std::abs(v.printer.growthUm - growth) <= kMicronsPerDot,
             qPrintable(QStringLiteral("%1 um, drawn %2").arg(v.printer.growthUm).arg(growth)));
    if (dots > 0)
        QVERIFY(std::abs(v.printer.bwrUm - growth) <= kMicronsPerDot);
    else
        QCOMPARE(v.printer.bwrUm, 0);
    // Growth moves no leading edge against another: X stays the drawn one.
    QVERIFY(std::abs(v.printer.moduleMm - symbol.module * 25.4 / kDpi) < 0.002);
}

QTEST_MAIN(VerifyGrades)
#include "tst_verify_grades.moc"
