// The window's print dialog onto the printers of a real print server,
// offscreen: Qt's print dialog is accepted as a person would, and every
// label is read back from what the stock driver would send to the printer.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "Form3/Form3.h"
#include "Form3/printrun.h"
#include "Form3/tagfields.h"
#include "files.h"
#include "pipeline/printer.h"
#include "printserver.h"
#include "sheetpages.h"

using printtest::PrintServer;
using printtest::Queue;

namespace {

const QString kCode = QStringLiteral("4901234567894");

QSettings Settings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, "Stripewell", "Stripewell");
}

// A list of count lines of distinct JANs, "品 N,49…", its check digits
// worked out here as the GS1 general specifications give them (weights 3
// and 1 from the right).
QByteArray ListOf(int count) {
    QByteArray list;
    for (int i = 1; i <= count; ++i) {
        const QString data = QStringLiteral("49%1").arg(i, 10, 10, QLatin1Char('0'));
        int sum = 0;
        for (int p = 0; p < 12; ++p)
            sum += data[p].digitValue() * (p % 2 ? 3 : 1);
        list += QStringLiteral("品 %1,%2%3\n").arg(i).arg(data).arg((10 - sum % 10) % 10).toUtf8();
    }
    return list;
}

// Reads the list file at path into the dialog, as leaving its box does.
bool ReadList(Form3& form, const QString& path) {
    QSignalSpy read(&form, &Form3::ListRead);
    form.ListPath->setText(path);
    form.ReadList();
    return !read.isEmpty() || read.wait(120000);
}

// The labels a label printer's output holds, however many: each is a
// picture of its own in ZPL.
int ZplLabels(const QByteArray& output) {
    QString error;
    return output.isEmpty() ? 0 : int(printtest::DecodeZpl(output, &error).size());
}

// The dialog opens on queue, with its own default media.
void UsePrinter(const QString& queue) {
    QSettings settings = Settings();
    settings.setValue("print/printer", queue);
    settings.remove("print/media/" + queue);
}

// The dialog set to bare symbols, whatever design an earlier print left
// remembered.
void BareSymbols(Form3& form) {
    form.Tags->Design->setCurrentIndex(form.Tags->Design->findText(QStringLiteral("記号のみ")));
}

void ClickPrint(Form3& form) {
    for (QPushButton* button : form.findChildren<QPushButton*>())
        if (button->text().startsWith(QStringLiteral("印刷")))
            button->click();
}

}  // namespace

class TestPrintForm3 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void printsOnThePrinter_data();
    void printsOnThePrinter();
    void printsIntoAFileChosenInQtsDialog();
    void labelsChosenInQtsDialogPrintOnTheDots_data();
    void labelsChosenInQtsDialogPrintOnTheDots();
    void dialogsOptionsStayBesideAPageOfOnesOwn();
    void priceTagPrintsOnThePrinter();
    void listPrintsToTheEnd_data();
    void listPrintsToTheEnd();
    void longListStoppedSendsNothing();
    void refusedJobIsSaid();

private:
    // Clicks 印刷 and accepts Qt's print dialog; the printer it showed. The
    // job has gone to the print service, or not, when it returns (unless
    // told not to wait).
    QString PrintThroughTheDialog(Form3& form, bool wait = true);

    QTemporaryDir dir_;
    std::unique_ptr<PrintServer> server_;
};

void TestPrintForm3::initTestCase() {
    QVERIFY(dir_.isValid());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.filePath("config"));
    server_ = std::make_unique<PrintServer>();
    QVERIFY2(server_->Error().isEmpty(), qPrintable(server_->Error()));
    // The print service's library reads it at its first request.
    qputenv("CUPS_SERVER", server_->Socket().toUtf8());
}

QString TestPrintForm3::PrintThroughTheDialog(Form3& form, bool wait) {
    QString shown;
    QTimer accept;
    connect(&accept, &QTimer::timeout, this, [&] {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<QPrintDialog*>(window); dialog && dialog->isVisible()) {
                shown = dialog->printer()->printerName();
                dialog->accept();
            }
    });
    accept.start(200);
    QSignalSpy printed(&form, &Form3::Printed);
    ClickPrint(form);
    if (wait && !shown.isEmpty() && printed.isEmpty())
        printed.wait(300000);
    return shown;
}

void TestPrintForm3::printsOnThePrinter_data() {
    QTest::addColumn<QString>("queue");
    QTest::addColumn<QString>("media");  // remembered from an earlier print
    QTest::addColumn<int>("copies");
    QTest::newRow("zpl, its default label") << "zpl" << QString() << 2;
    QTest::newRow("dymo, a 2.25 x 4 inch label") << "dymo"
                                                 << "w162h288" << 1;
    QTest::newRow("pdf, its paper") << "pdf" << QString() << 1;
}

// One label per page, each on whole dots; the printer and its media are
// remembered for the next print.
void TestPrintForm3::printsOnThePrinter() {
    QFETCH(QString, queue);
    QFETCH(QString, media);
    QFETCH(int, copies);
    const Queue* printer = nullptr;
    for (const Queue& q : printtest::Queues())
        if (q.name == queue)
            printer = &q;
    QVERIFY(printer);
    {
        QSettings settings = Settings();
        settings.setValue("print/printer", queue);
        settings.setValue("print/media/" + queue, media);
    }
    Form3 form(QStringLiteral("緑茶"), kCode);
    form.Sheet->setCurrentIndex(0);  // one symbol per page
    form.Magnification->setValue(100);
    form.Copies->setValue(copies);
    QCOMPARE(PrintThroughTheDialog(form), queue);
    QVERIFY2(form.result() == QDialog::Accepted, qPrintable(form.Summary->text()));

    QString error;
    const QList<QImage> labels = printtest::Pages(*printer, server_->TakeOutput(queue), &error);
    QVERIFY2(labels.size() == copies, qPrintable(error));
    for (const QImage& label : labels) {
        const QString problem = printtest::LabelProblem(
            label, kCode, printtest::NominalDots(printer->dpi), dir_.path());
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }
    const QSettings settings = Settings();
    QCOMPARE(settings.value("print/printer").toString(), queue);
    if (!media.isEmpty())
        QCOMPARE(settings.value("print/media/" + queue).toString(), media);
}

// Qt's print dialog set to print into a PDF file: the file is written as
// the window writes files, and holds every page.
void TestPrintForm3::printsIntoAFileChosenInQtsDialog() {
    const QString pdf = dir_.filePath("chosen.pdf");
    Form3 form(QStringLiteral("緑茶"), kCode);
    form.Sheet->setCurrentIndex(form.Sheet->findData("a4-24"));
    form.Copies->setValue(30);
    QSignalSpy printed(&form, &Form3::Printed);
    QTimer toFile;
    connect(&toFile, &QTimer::timeout, this, [&] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QPrintDialog*>(window);
            if (!dialog || !dialog->isVisible())
                continue;
            for (QComboBox* printers : dialog->findChildren<QComboBox*>())
                if (const int file = printers->findText(
                        QCoreApplication::translate("QPrintDialog", "Print to File (PDF)"));
                    file >= 0)
                    printers->setCurrentIndex(file);
            for (QLineEdit* name : dialog->findChildren<QLineEdit*>(QStringLiteral("filename")))
                name->setText(pdf);
            dialog->accept();
        }
    });
    toFile.start(200);
    ClickPrint(form);
    QVERIFY(!printed.isEmpty() || printed.wait(120000));
    QVERIFY2(printed.first().value(0).toBool(), qPrintable(form.Summary->text()));
    QCOMPARE(form.result(), int(QDialog::Accepted));
    const QRegularExpressionMatch pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                                              .match(RunProgram("pdfinfo", {pdf}).out);
    QCOMPARE(pages.captured(1), QStringLiteral("2"));
}

// A page chosen in the properties of Qt's print dialog, as a person would
// set it there: a size of one's own (50 x 32 mm is 399.6 dots wide at 203
// dpi, 590.6 at 300) or one of the printer's labels turned across. The
// driver's raster must still put every module on whole dots, the narrowest
// bar as wide as the narrowest space.
void TestPrintForm3::labelsChosenInQtsDialogPrintOnTheDots_data() {
    QTest::addColumn<QString>("queue");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<QString>("media");  // the printer's, or empty for a size of one's own
    QTest::addColumn<QSizeF>("mm");      // a size of one's own
    QTest::addColumn<bool>("turned");
    for (const auto& [queue, dpi] : {std::pair{"zpl", 203}, std::pair{"zpl300", 300}}) {
        QTest::addRow("%s, 50 x 32 mm of one's own", queue)
            << queue << dpi << QString() << QSizeF(50, 32) << false;
        QTest::addRow("%s, 1.25 x 2.25 inch label turned", queue)
            << queue << dpi << QStringLiteral("w90h162") << QSizeF() << true;
    }
}

void TestPrintForm3::labelsChosenInQtsDialogPrintOnTheDots() {
    QFETCH(QString, queue);
    QFETCH(int, dpi);
    QFETCH(QString, media);
    QFETCH(QSizeF, mm);
    QFETCH(bool, turned);
    if (queue == u"zpl300" && !QPrinterInfo::availablePrinterNames().contains(queue)) {
        const QString added = server_->AddLabelQueue(queue, dpi);
        QVERIFY2(added.isEmpty(), qPrintable(added));
    }
    Settings().setValue("print/printer", queue);
    Form3 form(QStringLiteral("緑茶"), kCode);
    form.Sheet->setCurrentIndex(0);  // one symbol per page
    form.Magnification->setValue(100);
    form.Copies->setValue(1);
    // The symbol alone: with its name above it, 32 mm is too short for a
    // module of whole dots at 203 dpi.
    form.PrintName->setChecked(false);

    // Qt's dialog, its properties, and the page set up in them.
    bool opened = false;
    bool pageSet = false;
    QString shown;
    QTimer person;
    connect(&person, &QTimer::timeout, this, [&] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (!window->isVisible())
                continue;
            auto* sizes = window->findChild<QComboBox*>(QStringLiteral("pageSizeCombo"));
            if (auto* dialog = qobject_cast<QPrintDialog*>(window)) {
                shown = dialog->printer()->printerName();
                if (pageSet) {
                    dialog->accept();
                } else if (!opened) {
                    opened = true;
                    // Clicked once this timer's turn is over: the properties
                    // run until accepted, and the timer sets them meanwhile.
                    QTimer::singleShot(
                        0, dialog->findChild<QPushButton*>(QStringLiteral("properties")),
                        &QPushButton::click);
                    return;
                }
            } else if (sizes && !pageSet) {
                auto* properties = qobject_cast<QDialog*>(window);
                if (!media.isEmpty()) {
                    for (int i = 0; i < sizes->count(); ++i)
                        if (sizes->itemData(i).value<QPageSize>().key() == media)
                            sizes->setCurrentIndex(i);
                } else {
                    sizes->setCurrentIndex(sizes->findText(QStringLiteral("Custom")));
                    auto* units = window->findChild<QComboBox*>(QStringLiteral("unitCombo"));
                    units->setCurrentIndex(units->findText(QStringLiteral("Millimeters (mm)")));
                    window->findChild<QDoubleSpinBox*>(QStringLiteral("pageWidth"))
                        ->setValue(mm.width());
                    window->findChild<QDoubleSpinBox*>(QStringLiteral("pageHeight"))
                        ->setValue(mm.height());
                }
                window
                    ->findChild<QRadioButton*>(turned ? QStringLiteral("landscape")
                                                      : QStringLiteral("portrait"))
                    ->click();
                pageSet = true;
                properties->accept();
            }
        }
    });
    person.start(200);
    QSignalSpy printed(&form, &Form3::Printed);
    ClickPrint(form);
    QVERIFY(!printed.isEmpty() || printed.wait(120000));
    QCOMPARE(shown, queue);
    QVERIFY(pageSet);
    QVERIFY2(form.result() == QDialog::Accepted, qPrintable(form.Summary->text()));

    const Queue printer{queue, Queue::Language::Zpl, dpi};
    QString error;
    const QList<QImage> labels = printtest::Pages(printer, server_->TakeOutput(queue), &error);
    QVERIFY2(labels.size() == 1, qPrintable(error));
    const printtest::Measured m = printtest::Measure(labels[0], dir_.path());
    const int dots = printtest::NominalDots(dpi);
    QVERIFY2(m.found && m.narrowBar == dots && m.narrowSpace == dots,
             qPrintable(QStringLiteral("narrow bar %1, narrow space %2 dots, not %3; label %4 x "
                                       "%5 dots")
                            .arg(m.narrowBar)
                            .arg(m.narrowSpace)
                            .arg(dots)
                            .arg(labels[0].width())
                            .arg(labels[0].height())));
}

// A page of one's own is asked of the driver as a PageSize in whole points
// (50 x 32 mm is 141.7 x 90.7 pt), beside the options that the properties
// of Qt's print dialog gave the job, which stay.
void TestPrintForm3::dialogsOptionsStayBesideAPageOfOnesOwn() {
    constexpr auto kCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(QStringLiteral("zpl"));
    printer.printEngine()->setProperty(kCupsOptions,
                                       QStringList{"Darkness", "20", "PageSize", "w144h90"});
    QVERIFY(pipeline::SetPrintersPage(
        &printer, QPageSize(QSizeF(50, 32), QPageSize::Millimeter, {}, QPageSize::ExactMatch)));
    QCOMPARE(printer.printEngine()->property(kCupsOptions).toStringList(),
             (QStringList{"Darkness", "20", "PageSize", "Custom.142x91"}));
}

// A 値札 priced 税抜 1,000 at 10 %, on a label sheet through the printer
// that makes PDF pages at 600 dpi: its symbol read back from the page.
void TestPrintForm3::priceTagPrintsOnThePrinter() {
    Settings().setValue("print/printer", "pdf");
    Form3 form(QStringLiteral("緑茶 500ml"), kCode);
    form.Sheet->setCurrentIndex(form.Sheet->findData("a4-12"));
    form.Copies->setValue(1);
    form.Tags->Design->setCurrentIndex(form.Tags->Design->findText(QStringLiteral("値札")));
    form.Tags->WithoutTax->click();
    form.Tags->Price->setText(QStringLiteral("1,000"));
    QCOMPARE(PrintThroughTheDialog(form), QStringLiteral("pdf"));
    QVERIFY2(form.result() == QDialog::Accepted, qPrintable(form.Summary->text()));

    QString error;
    const QList<QImage> pages =
        printtest::Pages(printtest::Queues().at(2), server_->TakeOutput("pdf"), &error);
    QVERIFY2(pages.size() == 1, qPrintable(error));
    const printtest::Measured m = printtest::Measure(pages[0], dir_.path());
    QVERIFY2(m.zxing.contains(kCode) && m.zbar.contains(kCode),
             qPrintable(QStringLiteral("ZXing: %1; zbar: %2").arg(m.zxing, m.zbar)));
}

void TestPrintForm3::listPrintsToTheEnd_data() {
    QTest::addColumn<QString>("queue");
    QTest::addColumn<QString>("sheet");  // empty: one label a page
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("copies");
    QTest::addColumn<int>("labels");   // all the dialog sends
    QTest::addColumn<int>("counted");  // on the print server: pages of PDF, or ZPL labels
    // 24 labels a sheet: 500 fill 20 sheets and 20 labels of a 21st.
    QTest::newRow("500 lines on A4 sheets of 24, as PDF") << "pdf"
                                                          << "a4-24" << 500 << 1 << 500 << 21;
    QTest::newRow("60 lines twice, a label each, as ZPL") << "zpl"
                                                          << "" << 60 << 2 << 120 << 120;
}

// A list printed to the end: the print server's job holds every label, and
// the summary says how many went to which printer.
void TestPrintForm3::listPrintsToTheEnd() {
    QFETCH(QString, queue);
    QFETCH(QString, sheet);
    QFETCH(int, lines);
    QFETCH(int, copies);
    QFETCH(int, labels);
    QFETCH(int, counted);
    const QString list = dir_.filePath(QStringLiteral("list%1.csv").arg(lines));
    QVERIFY(WriteAll(list, ListOf(lines)));
    UsePrinter(queue);
    Form3 form(QString(), kCode);
    BareSymbols(form);
    form.Sheet->setCurrentIndex(sheet.isEmpty() ? 0 : form.Sheet->findData(sheet));
    form.Magnification->setValue(100);
    form.Copies->setValue(copies);
    QVERIFY(ReadList(form, list));
    QVERIFY(form.Option2->isChecked());
    QCOMPARE(PrintThroughTheDialog(form), queue);
    QVERIFY2(form.result() == QDialog::Accepted, qPrintable(form.Summary->text()));
    const QString said = form.Summary->text();
    QVERIFY2(said.contains(QStringLiteral("ラベル %1 枚").arg(labels)) && said.contains(queue),
             qPrintable(said));

    const QByteArray output = server_->TakeOutput(queue);
    if (queue == u"zpl") {
        QCOMPARE(ZplLabels(output), counted);
    } else {
        const QString pdf = dir_.filePath("sent.pdf");
        QVERIFY(WriteAll(pdf, output));
        const QRegularExpressionMatch pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                                                  .match(RunProgram("pdfinfo", {pdf}).out);
        QCOMPARE(pages.captured(1).toInt(), counted);
    }
}

// A list of 20,000 labels, one a label, stopped with 中止 once its progress
// has been seen moving: the stop takes within half a second, and the print
// server gets no label more than the dialog says it sent (none, as the job
// goes only once all is painted).
void TestPrintForm3::longListStoppedSendsNothing() {
    constexpr int kLines = 20000;
    const QString list = dir_.filePath("long.csv");
    QVERIFY(WriteAll(list, ListOf(kLines)));
    UsePrinter(QStringLiteral("zpl"));
    Form3 form(QString(), kCode);
    BareSymbols(form);
    form.Sheet->setCurrentIndex(0);
    form.Magnification->setValue(100);
    form.Copies->setValue(1);
    QVERIFY(ReadList(form, list));
    QVERIFY2(form.Summary->text().startsWith(QStringLiteral("ラベル %1 枚").arg(kLines)),
             qPrintable(form.Summary->text()));
    QSignalSpy printed(&form, &Form3::Printed);
    QCOMPARE(PrintThroughTheDialog(form, false), QStringLiteral("zpl"));
    QVERIFY2(form.PrinterJob(), qPrintable(form.Summary->text()));

    // The progress as a person sees it: shown, its counts of labels and
    // pages of all going up.
    QProgressDialog* progress = form.PrinterJob()->Progress();
    const QRegularExpression counts(
        QStringLiteral("ラベル (\\d+) / %1 枚、(\\d+) / %1 ページ").arg(kLines));
    QList<int> seen;
    QElapsedTimer waited;
    waited.start();
    while (seen.size() < 3 && printed.isEmpty() && waited.elapsed() < 120000) {
        QTest::qWait(50);
        const QRegularExpressionMatch match = counts.match(progress->labelText());
        if (progress->isVisible() && match.hasMatch() && match.captured(1) == match.captured(2) &&
            (seen.isEmpty() || match.captured(1).toInt() > seen.last()) && progress->value() > 0)
            seen.append(match.captured(1).toInt());
    }
    QVERIFY2(seen.size() == 3, qPrintable(QStringLiteral("progress seen: %1; shown %2: %3")
                                              .arg(seen.size())
                                              .arg(progress->isVisible())
                                              .arg(progress->labelText())));
    QVERIFY(printed.isEmpty());
    QPushButton* stop = progress->findChild<QPushButton*>();
    QVERIFY(stop && stop->text() == QStringLiteral("中止"));
    QElapsedTimer stopping;
    stopping.start();
    stop->click();
    QVERIFY(!printed.isEmpty() || printed.wait(10000));
    const qint64 took = stopping.elapsed();
    const QString progressed = QStringLiteral("%1 %2 %3").arg(seen[0]).arg(seen[1]).arg(seen[2]);
    qInfo("stopped %lld ms after 中止, progress seen at %s labels", took, qPrintable(progressed));
    QVERIFY2(took < 500, qPrintable(QStringLiteral("stopped after %1 ms").arg(took)));
    QCOMPARE(printed.first().value(0).toBool(), false);
    QVERIFY(form.result() != QDialog::Accepted);

    // What the dialog says went out, and what the print server got.
    const QString said = form.Summary->text();
    const QRegularExpressionMatch sent =
        QRegularExpression(QStringLiteral("ラベル (\\d+) 枚")).match(said);
    QVERIFY2(sent.hasMatch() || said.startsWith(QStringLiteral(
                                    "印刷を中止しました。プリンターには何も送っていません。")),
             qPrintable(said));
    const int saidSent = sent.hasMatch() ? sent.captured(1).toInt() : 0;
    QCOMPARE(ZplLabels(server_->TakeOutput("zpl", 60000)), saidSent);
}

// A queue that takes no jobs: the print service's refusal is said in the
// summary, and the dialog stays open with nothing taken for printed.
void TestPrintForm3::refusedJobIsSaid() {
    const QString queue = QStringLiteral("refusing");
    const QString added = server_->AddLabelQueue(queue, 203);
    QVERIFY2(added.isEmpty(), qPrintable(added));
    const Ran rejected = server_->Command("cupsreject", {"-r", "out of labels", queue});
    QVERIFY2(rejected.exitCode == 0, qPrintable(rejected.all()));
    UsePrinter(queue);
    Form3 form(QStringLiteral("緑茶"), kCode);
    BareSymbols(form);
    form.Sheet->setCurrentIndex(0);
    form.Copies->setValue(3);
    QSignalSpy printed(&form, &Form3::Printed);
    QCOMPARE(PrintThroughTheDialog(form), queue);
    QCOMPARE(printed.size(), 1);
    QCOMPARE(printed.first().value(0).toBool(), false);
    QVERIFY(form.result() != QDialog::Accepted);
    QVERIFY2(form.Summary->text().contains(QStringLiteral("%1 に印刷できませんでした").arg(queue)),
             qPrintable(form.Summary->text()));
    QVERIFY(server_->TakeOutput(queue, 5000).isEmpty());
}

QTEST_MAIN(TestPrintForm3)
#include "tst_print_form3.moc"
