// The verifier against the standard's formulas (standard.h): symbols drawn by
// our painter and by zint, altered by known amounts, each scan line's
// parameters and grades computed from the picture and compared.

#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <random>

#include "run.h"
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
    const QString pattern = standard::Pattern(s->code);
    s->module = (s->right - s->left) / pattern.size();
    // The first bar after the start guard: a normal bar, not a guard's.
    const int normal = int(pattern.indexOf(u'1', 3));
    const int x = int(s->left + (normal + 0.5) * s->module);
    int y = 0;
    while (!Dark(g, x, y))
        ++y;
    s->top = y;
    while (Dark(g, x, y))
        ++y;
    s->bottom = y;
    s->modules = standard::Modules(pattern);
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

// zint's symbol of code: an EAN-13, or for 12 digits a UPC-A.
Symbol Zint(const QString& code) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("zint.png"));
    const bool upc = code.size() == 12;
    RunProgram(QStringLiteral("zint"), {"-b", upc ? "UPCA" : "EANX", "--compliantheight", "--scale",
                                        "8", "-d", code.chopped(1), "-o", file});
    Symbol s;
    s.code = code;
    s.symbology = upc ? Symbology::UpcA : Symbology::Jan13;
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

// A line dots wide down the whole picture, of the other colour, in the
// middle of the first element of the wanted kind at least three modules wide.
void Hairline(Symbol* s, bool inBar, int dots) {
    int module = 0, element = 0;
    while (!(element % 2 == (inBar ? 0 : 1) && s->modules[element] >= 3))
        module += s->modules[element++];
    const int x = int(s->left + (module + s->modules[element] / 2.0) * s->module) - dots / 2;
    QPainter(&s->grey).fillRect(x, 0, dots, s->grey.height(), inBar ? Qt::white : Qt::black);
}

// Light falling off evenly from the symbol's left edge to its right, by
// share at the right (paper of 255 becomes 204 at 20 percent).
void Light(Symbol* s, double share) {
    for (int y = 0; y < s->grey.height(); ++y) {
        uchar* row = s->grey.scanLine(y);
        for (int x = 0; x < s->grey.width(); ++x) {
            const double along = std::clamp((x - s->left) / (s->right - s->left), 0.0, 1.0);
            row[x] = uchar(std::lround(row[x] * (1 - share * along)));
        }
    }
}

// Gaussian noise of sigma (a share of 255) on every pixel, always the same.
void Noise(Symbol* s, double sigma) {
    std::mt19937 random(7);
    std::normal_distribution<double> noise(0, sigma * 255);
    for (int y = 0; y < s->grey.height(); ++y) {
        uchar* row = s->grey.scanLine(y);
        for (int x = 0; x < s->grey.width(); ++x)
            row[x] = uchar(std::clamp<long>(std::lround(row[x] + noise(random)), 0, 255));
    }
}

// A 13-digit code's check digit, from the published weights 1 and 3.
QString WithCheckDigit(const QString& twelve) {
    int sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += twelve[i].digitValue() * (i % 2 ? 3 : 1);
    return twelve + QChar(u'0' + (10 - sum % 10) % 10);
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
// Its 1/2/7/8 all lose to growth, and those of kShrinkCode all to shrinking:
// in kCode the left half's 1 and 2 are of set A (bars 3 modules, their
// twins' 5: threshold 4) and the right half's 7 and 8 of set C (bars 2,
// twins' 4: threshold 3); in kShrinkCode the 1 and 2 of set B and the 8 of
// set A and the right half's 1 and 2 all have the larger bars of their pair.
const QString kShrinkCode = QStringLiteral("4718023123403");

}  // namespace

class VerifyGrades : public QObject {
    Q_OBJECT

private slots:
    void gradeThresholds_data();
    void gradeThresholds();
    void linesGradeAsTheStandardSays_data();
    void linesGradeAsTheStandardSays();
    void barGrowthAndBwr_data();
    void barGrowthAndBwr();
    void absurdResolutions_data();
    void absurdResolutions();
};

// Each parameter's grade on either side of every limit in the published
// table: at the limit, and a hair to the poorer side.
void VerifyGrades::gradeThresholds_data() {
    QTest::addColumn<QString>("parameter");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("grade");
    const double hair = 1e-6;
    const std::pair<const char*, std::array<double, 4>> floors[] = {
        {"symbol contrast", standard::kSymbolContrast},
        {"modulation", standard::kModulation},
        {"decodability", standard::kDecodability}};
    for (const auto& [name, table] : floors)
        for (int k = 0; k < 4; ++k) {
            QTest::addRow("%s %.2f", name, table[size_t(k)]) << name << table[size_t(k)] << 4 - k;
            QTest::addRow("%s below %.2f", name, table[size_t(k)])
                << name << table[size_t(k)] - hair << 3 - k;
        }
    for (int k = 0; k < 4; ++k) {
        const double limit = standard::kDefects[size_t(k)];
        QTest::addRow("defects %.2f", limit) << "defects" << limit << 4 - k;
        QTest::addRow("defects above %.2f", limit) << "defects" << limit + hair << 3 - k;
    }
    QTest::newRow("edge contrast at its floor") << "edge contrast" << standard::kEdgeContrast << 4;
    QTest::newRow("edge contrast below") << "edge contrast" << standard::kEdgeContrast - hair << 0;
    // Rmin against an Rmax of 0.8.
    QTest::newRow("Rmin half of Rmax")
        << "minimum reflectance" << standard::kMinimumReflectance * 0.8 << 4;
    QTest::newRow("Rmin above half")
        << "minimum reflectance" << standard::kMinimumReflectance * 0.8 + hair << 0;
}

void VerifyGrades::gradeThresholds() {
    QFETCH(QString, parameter);
    QFETCH(double, value);
    QFETCH(int, grade);
    const std::map<QString, std::function<int(double)>> grading = {
        {"symbol contrast", verify::GradeSymbolContrast},
        {"modulation", verify::GradeModulation},
        {"decodability", verify::GradeDecodability},
        {"defects", verify::GradeDefects},
        {"edge contrast", verify::GradeEdgeContrast},
        {"minimum reflectance",
         [](double rmin) { return verify::GradeMinimumReflectance(rmin, 0.8); }}};
    QCOMPARE(grading.at(parameter)(value), grade);
}

void VerifyGrades::linesGradeAsTheStandardSays_data() {
    QTest::addColumn<Symbol>("symbol");
    QTest::addColumn<Alteration>("alter");
    QTest::addColumn<double>("expectedDegrees");
    QTest::addColumn<QString>("letter");  // the symbol's, when a published figure or a hand
                                          // calculation gives it
    const Symbol painted = Painted(Symbology::Jan13, kCode);
    const Symbol zint = Zint(kCode);
    const Alteration none = [](Symbol*) {};
    QTest::newRow("clean EAN-13") << painted << none << 0.0 << QString();
    QTest::newRow("clean EAN-8") << Painted(Symbology::Jan8, "49123456") << none << 0.0
                                 << QString();
    QTest::newRow("clean UPC-A") << Painted(Symbology::UpcA, "036000291452") << none << 0.0
                                 << QString();
    QTest::newRow("zint EAN-13") << zint << none << 0.0 << QString();
    QTest::newRow("grey bars, contrast B")
        << painted << Alteration([](Symbol* s) { Levels(s, 90, 255); }) << 0.0 << QString();
    QTest::newRow("bars too light for Rmin")
        << painted << Alteration([](Symbol* s) { Levels(s, 140, 255); }) << 0.0 << QString();
    QTest::newRow("darkened paper, contrast B")
        << painted << Alteration([](Symbol* s) { Levels(s, 0, 150); }) << 0.0 << QString();
    QTest::newRow("dark paper, contrast C")
        << painted << Alteration([](Symbol* s) { Levels(s, 0, 110); }) << 0.0 << QString();
    QTest::newRow("blurred over 13 dots")
        << painted << Alteration([](Symbol* s) { Blur(s, 13); }) << 0.0 << QString();
    QTest::newRow("zint blurred over 19 dots")
        << zint << Alteration([](Symbol* s) { Blur(s, 19); }) << 0.0 << QString();
    QTest::newRow("grey spot in a space")
        << painted << Alteration([](Symbol* s) { Disc(s, false, 200); }) << 0.0 << QString();
    QTest::newRow("dark spot in a space")
        << painted << Alteration([](Symbol* s) { Disc(s, false, 0); }) << 0.0 << QString();
    QTest::newRow("grey spot in the right quiet zone") << painted << Alteration([](Symbol* s) {
        DiscAt(s, (s->right - s->left) / s->module + 3, 200);
    }) << 0.0 << QString();
    QTest::newRow("void in a bar")
        << painted << Alteration([](Symbol* s) { Disc(s, true, 70); }) << 0.0 << QString();
    QTest::newRow("quiet zone cut to 5 modules")
        << painted << Alteration(CutQuietZone) << 0.0 << QString();
    QTest::newRow("turned 3 degrees")
        << painted << Alteration([](Symbol* s) { Turn(s, 3); }) << 3.0 << QString();
    QTest::newRow("grey bars turned -3 degrees") << painted << Alteration([](Symbol* s) {
        Levels(s, 90, 230);
        Turn(s, -3);
    }) << -3.0 << QString();
    QTest::newRow("upside down") << painted << Alteration(UpsideDown) << 0.0 << QString();
    QTest::newRow("zint upside down, grown 3 dots") << zint << Alteration([](Symbol* s) {
        Grow(s, 3);
        UpsideDown(s);
    }) << 0.0 << QString();

    // Decodability of the 1/7 and 2/8 check: 16 dots a module, so k dots of
    // growth widen a character's two bars by k/8 module together, while its
    // edge-to-similar-edge distances keep their width (both edges of each
    // move alike). The bars' threshold stands a module from their nominal:
    // towards it, the margin is 1 - k/8: 2 dots 0.75 (A, from 0.62), 4 dots
    // 0.50 (B, from 0.50), 6 dots 0.25 (D, from 0.25); away from it nothing
    // is lost and V stays 1 (A).
    const std::pair<int, const char*> losing[] = {{2, "A"}, {4, "B"}, {6, "D"}};
    for (const auto& [dots, letter] : losing) {
        QTest::addRow("%s grown %d dots", qPrintable(kCode), dots)
            << painted << Alteration([dots](Symbol* s) { Grow(s, dots); }) << 0.0
            << QString(letter);
        QTest::addRow("%s shrunk %d dots", qPrintable(kCode), dots)
            << painted << Alteration([dots](Symbol* s) { Grow(s, -dots); }) << 0.0
            << QStringLiteral("A");
        const Symbol other = Painted(Symbology::Jan13, kShrinkCode);
        QTest::addRow("%s shrunk %d dots", qPrintable(kShrinkCode), dots)
            << other << Alteration([dots](Symbol* s) { Grow(s, -dots); }) << 0.0 << QString(letter);
        QTest::addRow("%s grown %d dots", qPrintable(kShrinkCode), dots)
            << other << Alteration([dots](Symbol* s) { Grow(s, dots); }) << 0.0
            << QStringLiteral("A");
    }
    // Light falling off across the symbol, over bars grown 3 dots (63.5 um,
    // margin 1 - 3/8 = 0.625: A): each edge at its own neighbours' midpoint
    // does not move with the light.
    for (double share : {0.10, 0.20})
        QTest::addRow("light falling off %.0f %%, grown 3 dots", 100 * share)
            << painted << Alteration([share](Symbol* s) {
                   Grow(s, 3);
                   Light(s, share);
               })
            << 0.0 << QStringLiteral("A");
    // Hairlines of one and two dots (21 and 42 um) along a wide bar or space.
    for (int dots : {1, 2})
        for (bool inBar : {false, true})
            QTest::addRow("%d um hairline in a %s", dots * 21, inBar ? "bar" : "space")
                << painted << Alteration([dots, inBar](Symbol* s) { Hairline(s, inBar, dots); })
                << 0.0 << QString();
    // Symbol contrast 25 and 22 percent: D, from 20.
    QTest::newRow("symbol contrast 25 %")
        << painted << Alteration([](Symbol* s) { Levels(s, 64, 128); }) << 0.0
        << QStringLiteral("D");
    QTest::newRow("symbol contrast 22 %")
        << painted << Alteration([](Symbol* s) { Levels(s, 0, 56); }) << 0.0 << QStringLiteral("D");
    QTest::newRow("noise of sigma 0.11")
        << painted << Alteration([](Symbol* s) { Noise(s, 0.11); }) << 0.0 << QString();
    // Every first digit: each sets the left half's parities its own way.
    for (int first = 0; first < 10; ++first) {
        const QString code = WithCheckDigit(QString::number(first) + "12345678901");
        QTest::addRow("zint, first digit %d", first)
            << Zint(first == 0 ? code.mid(1) : code) << none << 0.0 << QStringLiteral("A");
    }
}

void VerifyGrades::linesGradeAsTheStandardSays() {
    QFETCH(Symbol, symbol);
    QFETCH(Alteration, alter);
    QFETCH(double, expectedDegrees);
    QFETCH(QString, letter);
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
                               symbol.code, symbol.quietLeft, symbol.quietRight);
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
    if (!letter.isEmpty())
        QCOMPARE(QString(verify::GradeLetter(v.grade)), letter);
    if (QByteArray(QTest::currentDataTag()).startsWith("clean"))
        QCOMPARE(v.GradeText(), QStringLiteral("4.0/06/660"));
}

void VerifyGrades::barGrowthAndBwr_data() {
    QTest::addColumn<Symbol>("symbol");
    QTest::addColumn<int>("dots");
    QTest::addColumn<double>("light");  // falling off by this share across the symbol
    QTest::addColumn<int>("blur");      // dots of a moving average across the bars
    const Symbol painted = Painted(Symbology::Jan13, kCode);
    for (int dots : {2, 4, -2, -4})
        QTest::addRow("painter, %+d dots", dots) << painted << dots << 0.0 << 0;
    const Symbol zint = Zint(kCode);
    for (int dots : {3, -3})
        QTest::addRow("zint, %+d dots", dots) << zint << dots << 0.0 << 0;
    QTest::newRow("short JAN, +5 dots") << Painted(Symbology::Jan8, "49123456") << 5 << 0.0 << 0;
    for (double light : {0.10, 0.20})
        QTest::addRow("painter, +3 dots, light falling off %.0f %%", 100 * light)
            << painted << 3 << light << 0;
    // Blur that leaves a 1-module element short of full reflectance: edges
    // at the midpoint of each element's and its neighbour's reflectance read
    // these bars some 14 um narrower.
    QTest::newRow("painter, +3 dots, blurred over 13 dots") << painted << 3 << 0.0 << 13;
}

void VerifyGrades::barGrowthAndBwr() {
    QFETCH(Symbol, symbol);
    QFETCH(int, dots);
    QFETCH(double, light);
    QFETCH(int, blur);
    Grow(&symbol, dots);
    Light(&symbol, light);
    if (blur)
        Blur(&symbol, blur);
    const verify::Verification v = verify::Verify(verify::ScanOf(symbol.grey, kDpi));
    QVERIFY2(v.found.ok, qPrintable(v.found.reason));
    const double growth = dots * kMicronsPerDot;
    // A quarter of a dot: light falling off 20 percent, read at one
    // threshold for the whole line, reads some 16 um more.
    QVERIFY2(std::abs(v.printer.growthUm - growth) <= kMicronsPerDot / 4,
             qPrintable(QStringLiteral("%1 um, drawn %2").arg(v.printer.growthUm).arg(growth)));
    if (dots > 0)
        QVERIFY(std::abs(v.printer.bwrUm - growth) <= kMicronsPerDot);
    else
        QCOMPARE(v.printer.bwrUm, 0);
    // Growth moves no leading edge against another: X stays the drawn one.
    QVERIFY(std::abs(v.printer.moduleMm - symbol.module * 25.4 / kDpi) < 0.002);
}

// Resolutions no scan states (the program refuses them before this): no
// count overflows and nothing asks for gigabytes; none is graded "meets".
void VerifyGrades::absurdResolutions_data() {
    QTest::addColumn<double>("dpi");
    for (double dpi : {0.0, -600.0, 1e-3, 1.0, std::nan("")})
        QTest::addRow("%g dpi", dpi) << dpi;
}

void VerifyGrades::absurdResolutions() {
    QFETCH(double, dpi);
    verify::Scan scan = verify::ScanOf(Painted(Symbology::Jan8, "49123456").grey, kDpi);
    scan.dpi = dpi;
    const verify::Verification v = verify::Verify(scan);
    QVERIFY(!v.Meets());
    if (!(dpi > 0))
        QVERIFY(!v.found.ok);
}

QTEST_MAIN(VerifyGrades)
#include "tst_verify_grades.moc"
