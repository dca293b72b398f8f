// The name line over a symbol: on a label, 10 modules em unless the room
// above the symbol is less than its band, 1.3 em; its baseline 0.9 em from
// the band's top. The figures are worked out by hand.

#include <QtTest>

#include "symbol/layout.h"

class TestNameLine : public QObject {
    Q_OBJECT

private slots:
    void labelNameLine_data();
    void labelNameLine();
    void retailLayoutHasTheSameLine();
};

void TestNameLine::labelNameLine_data() {
    QTest::addColumn<double>("moduleMm");
    QTest::addColumn<double>("roomMm");
    QTest::addColumn<double>("em");
    QTest::addColumn<double>("band");
    QTest::addColumn<double>("baseline");
    QTest::newRow("100 percent, room to spare") << 0.33 << 10.0 << 3.3 << 4.29 << 2.97;
    QTest::newRow("200 percent, room to spare") << 0.66 << 20.0 << 6.6 << 8.58 << 5.94;
    QTest::newRow("room just the band") << 0.33 << 4.29 << 3.3 << 4.29 << 2.97;
    QTest::newRow("3 mm of room: the em shrinks") << 0.33 << 3.0 << 3.0 / 1.3 << 3.0 << 2.7 / 1.3;
    QTest::newRow("the smallest band a label keeps") << 0.33 << 2.08 << 1.6 << 2.08 << 1.44;
}

void TestNameLine::labelNameLine() {
    QFETCH(double, moduleMm);
    QFETCH(double, roomMm);
    QFETCH(double, em);
    QFETCH(double, band);
    QFETCH(double, baseline);
    const symbol::NameLine line = symbol::LabelNameLine(moduleMm, roomMm);
    QVERIFY(qAbs(line.em - em) < 1e-9);
    QVERIFY(qAbs(line.band - band) < 1e-9);
    QVERIFY(qAbs(line.baseline - baseline) < 1e-9);
    QVERIFY(qAbs(symbol::kLabelNameMinBandMm - 2.08) < 1e-9);
}

// A retail symbol's own name stands where a label's stands when the label
// has room: 13 modules more above the bars, its baseline 9 modules down.
void TestNameLine::retailLayoutHasTheSameLine() {
    const QString code = QStringLiteral("4901234567894");
    const symbol::Description bare = symbol::Describe(symbol::Layout::Retail, code, QString());
    const symbol::Description named = symbol::Describe(symbol::Layout::Retail, code, "Tea");
    QCOMPARE(named.box.height() - bare.box.height(), 13.0);
    QCOMPARE(named.texts.last().text, QStringLiteral("Tea"));
    QCOMPARE(named.texts.last().at.y(), 9.0);
    QCOMPARE(named.texts.last().size, 10.0);
}

QTEST_GUILESS_MAIN(TestNameLine)
#include "tst_nameline.moc"
