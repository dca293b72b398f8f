// stripewell-render --print through a real print server: every label read
// back from what the stock drivers would send to the printer, measured in
// the printer's dots and read by ZXing and zbar; and the refusals, which
// send nothing.

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <string_view>

#include "files.h"
#include "pipeline/sheet.h"
#include "printserver.h"
#include "symbol/code.h"

using printtest::PrintServer;
using printtest::Queue;

namespace {

const QString kCode = QStringLiteral("4901234567894");

// Code number i: twelve digits from i and its check digit.
QString CodeNumber(int i) {
    const QString data = QStringLiteral("4901234%1").arg(i, 5, 10, QChar(u'0'));
    return data + QString::number(symbol::CheckDigit(data));
}

const Queue& QueueNamed(const QString& name) {
    for (const Queue& queue : printtest::Queues())
        if (queue.name == name)
            return queue;
    return printtest::Queues().constFirst();
}

}  // namespace

class TestPrintRender : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void labelsReadBackFromTheDriver_data();
    void labelsReadBackFromTheDriver();
    void labelsOffTheDotGridPrintOnIt_data();
    void labelsOffTheDotGridPrintOnIt();
    void aPdfMadeForThePrintersDotsPrintsTrue_data();
    void aPdfMadeForThePrintersDotsPrintsTrue();
    void printersAreListedWithTheirDots();
    void printOptionsThatDoNotGoTogether_data();
    void printOptionsThatDoNotGoTogether();
    void refusalsPrintNothing_data();
    void refusalsPrintNothing();
    void withoutItsPrintProgramNothingIsPrinted_data();
    void withoutItsPrintProgramNothingIsPrinted();
    void aJobTheServerRefusesIsReported();
    void noQueuesAreNoPrintersAndNoError();
    void hundredsOfQueuesAreListedInSeconds();
    void aStoppedServerIsNamed();

private:
    // The labels of one job: each page, or each label place of a sheet's pages.
    QList<QImage> Labels(const Queue& queue, const QString& sheet);
    void CheckLabel(const QImage& label, const QString& code, int dots, const QString& what);

    std::unique_ptr<PrintServer> server_;
    std::unique_ptr<PrintServer> bare_;  // made without queues
    QTemporaryDir dir_;
};

void TestPrintRender::initTestCase() {
    server_ = std::make_unique<PrintServer>();
    QVERIFY2(server_->Error().isEmpty(), qPrintable(server_->Error()));
    QVERIFY(dir_.isValid());
    QByteArray list = "名称,JAN\n";
    for (int i = 1; i <= 5; ++i)
        list += QStringLiteral("品目 %1,%2\n").arg(i).arg(CodeNumber(i)).toUtf8();
    QVERIFY(WriteAll(dir_.filePath("five.csv"), list));
    QVERIFY(WriteAll(dir_.filePath("bad.csv"), "名称,JAN\nx,4901234567890\ny,12\n"));
    // A raw queue: no driver, so no media and no resolution.
    const Ran raw = server_->Command("lpadmin", {"-p", "raw", "-E", "-v", "file:///dev/null"});
    QVERIFY2(raw.exitCode == 0, qPrintable(raw.err));
    // The ZPL driver at its second resolution.
    const QString zpl300 = server_->AddLabelQueue("zpl300", 300);
    QVERIFY2(zpl300.isEmpty(), qPrintable(zpl300));
}

void TestPrintRender::cleanupTestCase() {
    server_.reset();
}

QList<QImage> TestPrintRender::Labels(const Queue& queue, const QString& sheetName) {
    QString error;
    const QList<QImage> pages = printtest::Pages(queue, server_->TakeOutput(queue.name), &error);
    if (!error.isEmpty())
        qWarning("%s", qPrintable(error));
    if (sheetName.isEmpty())
        return pages;
    const pipeline::SheetTemplate sheet = *pipeline::FindSheet(sheetName);
    QList<QImage> labels;
    for (const QImage& page : pages)
        for (int i = 0; i < sheet.LabelsPerPage(); ++i) {
            const QRectF mm = sheet.LabelRect(i);
            labels.append(page.copy(QRect(QPointF(mm.topLeft() * queue.dpi / 25.4).toPoint(),
                                          QPointF(mm.bottomRight() * queue.dpi / 25.4).toPoint())));
        }
    return labels;
}

void TestPrintRender::CheckLabel(const QImage& label, const QString& code, int dots,
                                 const QString& what) {
    const QString problem = printtest::LabelProblem(label, code, dots, dir_.path());
    QVERIFY2(problem.isEmpty(), qPrintable(what + QStringLiteral(": ") + problem));
}

void TestPrintRender::labelsReadBackFromTheDriver_data() {
    QTest::addColumn<QString>("queue");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("codes");  // label by label; "" for an empty place
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QString>("input");  // the file on standard input; none when empty
    QStringList five;
    for (int i = 1; i <= 5; ++i)
        five.append(CodeNumber(i));
    for (const Queue& queue : printtest::Queues()) {
        const QByteArray q = queue.name.toUtf8();
        QStringList media;
        if (queue.language == Queue::Language::Dymo)
            media = QStringList{"--media", "w162h288"};  // 2.25 x 4 in
        QTest::newRow(q + ", one symbol")
            << queue.name << QStringList{kCode, "--name", "緑茶"} + media << QStringList{kCode}
            << QString() << QString();
        QTest::newRow(q + ", three copies")
            << queue.name << QStringList{kCode, "--copies", "3"} + media << QStringList(3, kCode)
            << QString() << QString();
        QTest::newRow(q + ", a five-line list")
            << queue.name << QStringList{"--batch", "five.csv"} + media << five << QString()
            << QString();
        // The Dymo prints on labels 2.3 inches wide at most: it has no A4.
        if (queue.language != Queue::Language::Dymo)
            QTest::newRow(q + ", a label sheet")
                << queue.name << QStringList{"--batch", "five.csv", "--sheet", "a4-12"}
                << five + QStringList(7, QString()) << QStringLiteral("a4-12") << QString();
    }
    // stripewell-render runs stripewell-render-print in its place: the list
    // it was given on standard input must reach that program unread.
    QTest::newRow("zpl, a five-line list on standard input")
        << "zpl" << QStringList{"--batch", "-"} << five << QString() << dir_.filePath("five.csv");
}

void TestPrintRender::labelsReadBackFromTheDriver() {
    QFETCH(QString, queue);
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, codes);
    QFETCH(QString, sheet);
    QFETCH(QString, input);
    const Queue& printer = QueueNamed(queue);
    const Ran run = RunProgram(
        STRIPEWELL_RENDER, arguments + QStringList{"--print", queue}, dir_.path(),
        {.standardInputFile = input, .environment = server_->Environment(), .timeoutSeconds = 120});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const QList<QImage> labels = Labels(printer, sheet);
    QCOMPARE(labels.size(), codes.size());
    // At 100 percent the module is the whole number of dots nearest 0.33 mm.
    const int dots = printtest::NominalDots(printer.dpi);
    for (int i = 0; i < labels.size(); ++i) {
        if (codes[i].isEmpty())
            continue;
        CheckLabel(labels[i], codes[i], dots, QStringLiteral("label %1").arg(i + 1));
        if (QTest::currentTestFailed())
            return;
    }
}

// Labels whose width is no whole number of the printer's dots (50 mm is
// 399.6 dots at 203 dpi, 590.6 at 300): the driver's raster must still put
// every module on whole dots, the narrow bar as wide as the narrow space.
// 32 x 50 mm and the driver's w90h162 (1.25 x 2.25 inches, 456.75 dots long
// at 203 dpi) turn the symbol across the label.
void TestPrintRender::labelsOffTheDotGridPrintOnIt_data() {
    QTest::addColumn<QString>("queue");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<QString>("media");
    QTest::addColumn<bool>("fits");
    for (const auto& [queue, dpi] : {std::pair{"zpl", 203}, std::pair{"zpl300", 300}})
        for (const char* media :
             {"50x30 mm", "50x32 mm", "50x40 mm", "62x40 mm", "70x45 mm", "32x50 mm", "w90h162"})
            // At 203 dpi a module is 2 dots (76 percent, under the least 80)
            // or 3 (114 percent), whose symbol is 29.5 mm tall: with the
            // label's margins 30 mm is too short, and is refused.
            QTest::addRow("%s, %s", queue, media)
                << queue << dpi << media << (dpi != 203 || media != std::string_view("50x30 mm"));
    // The Dymo's printable area starts 14.9 points down the paper: its
    // address labels, 35.6 mm across, turn the symbol.
    QTest::newRow("dymo, w101h252") << "dymo" << 300 << "w101h252" << true;
}

void TestPrintRender::labelsOffTheDotGridPrintOnIt() {
    QFETCH(QString, queue);
    QFETCH(int, dpi);
    QFETCH(QString, media);
    QFETCH(bool, fits);
    const Ran run =
        server_->Command(STRIPEWELL_RENDER, {kCode, "--print", queue, "--media", media});
    if (!fits) {
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains("no whole number of dots"), qPrintable(run.err));
        QVERIFY(server_->TakeOutput(queue, 5000).isEmpty());
        return;
    }
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const Queue printer{queue, queue == u"dymo" ? Queue::Language::Dymo : Queue::Language::Zpl,
                        dpi};
    const QList<QImage> labels = Labels(printer, QString());
    QCOMPARE(labels.size(), 1);
    const printtest::Measured m = printtest::Measure(labels[0], dir_.path());
    const int dots = printtest::NominalDots(dpi);
    QVERIFY2(m.found && m.narrowBar == dots && m.narrowSpace == dots,
             qPrintable(QStringLiteral("narrow bar %1, narrow space %2 dots, not %3: runs %4")
                            .arg(m.narrowBar)
                            .arg(m.narrowSpace)
                            .arg(dots)
                            .arg(m.runs)));
    CheckLabel(labels[0], kCode, dots, media);
}

// For people who print a file from another program: the pdf drawn for the
// printer's dots, sent with lp, comes out with whole-dot modules.
void TestPrintRender::aPdfMadeForThePrintersDotsPrintsTrue_data() {
    QTest::addColumn<QString>("queue");
    QTest::newRow("zpl at 203 dpi") << "zpl";
    QTest::newRow("dymo at 300 dpi") << "dymo";
}

void TestPrintRender::aPdfMadeForThePrintersDotsPrintsTrue() {
    QFETCH(QString, queue);
    const Queue& printer = QueueNamed(queue);
    const QString pdf = dir_.filePath(queue + ".pdf");
    const Ran made = server_->Command(STRIPEWELL_RENDER, {"--layout", "retail", kCode, "--dpi",
                                                          QString::number(printer.dpi), "-o", pdf});
    QVERIFY2(made.exitCode == 0, qPrintable(made.err));
    QStringList lp{"-d", queue, pdf};
    if (printer.language == Queue::Language::Dymo)
        lp += {"-o", "media=w162h288"};
    const Ran sent = server_->Command("lp", lp);
    QVERIFY2(sent.exitCode == 0, qPrintable(sent.err));
    const QList<QImage> labels = Labels(printer, QString());
    QCOMPARE(labels.size(), 1);
    // Its driver's dots start where the printable area does, 2 points (8.33
    // dots) in from the paper's edge, which a file cannot know; --print does.
    QEXPECT_FAIL("dymo at 300 dpi", "the Dymo's dots start a third of a dot off the paper's",
                 Abort);
    QVERIFY2(printtest::Measure(labels[0], dir_.path()).wholeDots, "bars off the dots");
    CheckLabel(labels[0], kCode, printtest::NominalDots(printer.dpi), queue);
}

void TestPrintRender::printersAreListedWithTheirDots() {
    const Ran list = server_->Command(STRIPEWELL_RENDER, {"--printer", "list"});
    QCOMPARE(list.exitCode, 0);
    const QString& text = list.out;
    for (const Queue& queue : printtest::Queues()) {
        const QString line = QStringLiteral("^%1%2: %3 dpi")
                                 .arg(queue.name, queue.name == u"zpl" ? " \\(default\\)" : "")
                                 .arg(queue.dpi);
        QVERIFY2(text.contains(QRegularExpression(line, QRegularExpression::MultilineOption)),
                 qPrintable(line + u'\n' + text));
    }
    // The ZPL sample driver's 4 x 6 inch labels, and the sizes of its own
    // it takes: its PPD's MinSize 36 x 36 and MaxSize 576 x 3600 points.
    QVERIFY2(text.contains("101.6 x 152.4 mm"), qPrintable(text));
    QVERIFY2(text.contains("from 12.7 x 12.7 mm to 203.2 x 1270.0 mm"), qPrintable(text));
    // The raw queue's lack said in words.
    QVERIFY2(text.contains(QRegularExpression("^raw: no resolution given, .*\n  no media: ",
                                              QRegularExpression::MultilineOption)),
             qPrintable(text));
}

void TestPrintRender::printOptionsThatDoNotGoTogether_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("reason");
    QTest::newRow("a file too") << QStringList{kCode, "--print", "zpl", "-o", "a.pdf"}
                                << "--output does not go with --print";
    QTest::newRow("a format") << QStringList{kCode, "--print", "--format", "png"}
                              << "--format does not go with --print";
    QTest::newRow("the dpi is the printer's")
        << QStringList{kCode, "--print", "zpl", "--dpi", "300"} << "--dpi does not go with --print";
    QTest::newRow("media without printing")
        << QStringList{kCode, "--media", "w288h360", "-o", "a.png"} << "--media goes with --print";
    QTest::newRow("printer takes list only")
        << QStringList{"--printer", "zpl"} << "--printer takes list";
}

// Refused before the print service is asked: exit 1 and nothing printed.
void TestPrintRender::printOptionsThatDoNotGoTogether() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, reason);
    const Ran run = server_->Command(STRIPEWELL_RENDER, arguments);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(reason), qPrintable(run.err));
    QVERIFY(server_->TakeOutput("zpl", 5000).isEmpty());
}

void TestPrintRender::refusalsPrintNothing_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<int>("status");
    QTest::newRow("a list without a good line")
        << QStringList{"--batch", dir_.filePath("bad.csv"), "--print", "zpl"} << "gives no label"
        << 3;
    QTest::newRow("no such printer")
        << QStringList{kCode, "--print", "nosuch"} << "does not exist" << 1;
    QTest::newRow("media too small for the symbol")
        << QStringList{kCode, "--print", "zpl", "--media", "w90h18"} << "80 percent" << 1;
    QTest::newRow("a label sheet on a printer without A4")
        << QStringList{kCode, "--print", "dymo", "--sheet", "a4-24"} << "no A4 paper" << 1;
    QTest::newRow("media the printer does not have")
        << QStringList{kCode, "--print", "zpl", "--media", "B5"} << "has no media 'B5'" << 1;
    // Sizes of one's own within the ZPL driver's 36 x 36 to 576 x 3600
    // points (MinSize and MaxSize of its PPD): 12.7 to 203.2 mm across, 12.7
    // to 1270 mm long.
    const QString zplRange = QStringLiteral("from 12.7 x 12.7 mm to 203.2 x 1270.0 mm");
    QTest::newRow("media wider than the printer")
        << QStringList{kCode, "--print", "zpl", "--media", "300x40 mm"} << zplRange << 1;
    QTest::newRow("media longer than the printer feeds")
        << QStringList{kCode, "--print", "zpl", "--media", "60x2000 mm"} << zplRange << 1;
    QTest::newRow("media of a hundred metres")
        << QStringList{kCode, "--print", "zpl", "--media", "100000x100000 mm"} << zplRange << 1;
    QTest::newRow("media under the least")
        << QStringList{kCode, "--print", "zpl", "--media", "12x40 mm"} << zplRange << 1;
    QTest::newRow("a raw queue") << QStringList{kCode, "--print", "raw"}
                                 << "printer raw names no media" << 1;
    QTest::newRow("a raw queue, media given")
        << QStringList{kCode, "--print", "raw", "--media", "50x30 mm"}
        << "printer raw names no media" << 1;
    QTest::newRow("no whole dots between 80 percent and the label")
        << QStringList{kCode, "--print", "zpl", "--media", "32x25 mm"} << "whole number of dots"
        << 1;
}

void TestPrintRender::refusalsPrintNothing() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, reason);
    QFETCH(int, status);
    const Ran run = server_->Command(STRIPEWELL_RENDER, arguments);
    QCOMPARE(run.exitCode, status);
    QVERIFY2(run.err.contains(reason), qPrintable(run.err));
    for (const Queue& queue : printtest::Queues())
        QVERIFY(server_->TakeOutput(queue.name, 5000).isEmpty());
}

// stripewell-render prints through stripewell-render-print, which it looks
// for from its own folder: a copy of it alone in a folder finds none, says
// which program is missing, and prints nothing.
void TestPrintRender::withoutItsPrintProgramNothingIsPrinted_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("one symbol") << QStringList{kCode, "--print", "zpl"};
    QTest::newRow("a list") << QStringList{"--batch", dir_.filePath("five.csv"), "--print", "zpl"};
    QTest::newRow("the printer list") << QStringList{"--printer", "list"};
}

void TestPrintRender::withoutItsPrintProgramNothingIsPrinted() {
    QFETCH(QStringList, arguments);
    const QString alone = dir_.filePath("alone");
    const QString render = alone + "/stripewell-render";
    if (!QFile::exists(render)) {
        QVERIFY(QDir().mkpath(alone));
        QVERIFY(QFile::copy(STRIPEWELL_RENDER, render));
    }
    const Ran run = server_->Command(render, arguments);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains("needs stripewell-render-print") && run.err.contains(alone),
             qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
    QVERIFY(server_->TakeOutput("zpl", 5000).isEmpty());
}

// A queue that rejects jobs (cupsreject): the service's reason, status 3.
void TestPrintRender::aJobTheServerRefusesIsReported() {
    QCOMPARE(server_->Command("cupsreject", {"-r", "out of labels", "zpl"}).exitCode, 0);
    const Ran run = server_->Command(STRIPEWELL_RENDER, {kCode, "--print", "zpl"});
    QCOMPARE(server_->Command("cupsaccept", {"zpl"}).exitCode, 0);
    QCOMPARE(run.exitCode, 3);
    QVERIFY2(run.err.contains("not accepting jobs"), qPrintable(run.err));
    QVERIFY(server_->TakeOutput("zpl", 5000).isEmpty());
}

// A print service without queues answers the request for them with "not
// found": it was asked, and has no printer, which is no error.
void TestPrintRender::noQueuesAreNoPrintersAndNoError() {
    bare_ = std::make_unique<PrintServer>(PrintServer::Queues::None);
    QVERIFY2(bare_->Error().isEmpty(), qPrintable(bare_->Error()));
    const Ran list = bare_->Command(STRIPEWELL_RENDER, {"--printer", "list"});
    QCOMPARE(list.exitCode, 0);
    QVERIFY2(list.out.startsWith("no printers"), qPrintable(list.all()));
}

// Each queue asked for on its own took 43 s for 204 queues: 200 queues come
// in under 5 s, every one with its resolution.
void TestPrintRender::hundredsOfQueuesAreListedInSeconds() {
    QVERIFY(bare_ && bare_->Error().isEmpty());
    const QString error = bare_->AddLabelQueues("label", 200);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const Ran list = bare_->Command(STRIPEWELL_RENDER, {"--printer", "list"});
    const qint64 ms = list.milliseconds;
    bare_.reset();
    QCOMPARE(list.exitCode, 0);
    const QString& text = list.out;
    const QRegularExpression line("^label\\d+: 203 dpi, ", QRegularExpression::MultilineOption);
    int listed = 0;
    for (const QRegularExpressionMatch& match : line.globalMatch(text))
        listed += match.hasMatch();
    QCOMPARE(listed, 200);
    QVERIFY2(ms < 5000, qPrintable(QStringLiteral("%1 ms").arg(ms)));
}

// Last: it stops the server.
void TestPrintRender::aStoppedServerIsNamed() {
    server_->Stop();
    for (const QStringList& arguments :
         {QStringList{kCode, "--print"}, QStringList{"--printer", "list"}}) {
        const Ran run = server_->Command(STRIPEWELL_RENDER, arguments);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(server_->Socket() + " does not answer"), qPrintable(run.err));
    }
}

QTEST_GUILESS_MAIN(TestPrintRender)
#include "tst_print_render.moc"
