// The window's print dialog onto the printers of a real print server,
// offscreen: Qt's print dialog is accepted as a person would, and every
// label is read back from what the stock driver would send to the printer.

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "Form3/Form3.h"
#include "printserver.h"
#include "sheetpages.h"

using printtest::PrintServer;
using printtest::Queue;

namespace {

const QString kCode = QStringLiteral("4901234567894");

QSettings Settings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, "Stripewell", "Stripewell");
}

}  // namespace

class TestPrintForm3 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void printsOnThePrinter_data();
    void printsOnThePrinter();
    void printsIntoAFileChosenInQtsDialog();

private:
    // Clicks 印刷 and accepts Qt's print dialog; the printer it showed.
    QString PrintThroughTheDialog(Form3& form);

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

QString TestPrintForm3::PrintThroughTheDialog(Form3& form) {
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
    for (QPushButton* button : form.findChildren<QPushButton*>())
        if (button->text().startsWith(QStringLiteral("印刷")))
            button->click();
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
                if (const int file = printers->findText(QStringLiteral("Print to File (PDF)"));
                    file >= 0)
                    printers->setCurrentIndex(file);
            for (QLineEdit* name : dialog->findChildren<QLineEdit*>(QStringLiteral("filename")))
                name->setText(pdf);
            dialog->accept();
        }
    });
    toFile.start(200);
    for (QPushButton* button : form.findChildren<QPushButton*>())
        if (button->text().startsWith(QStringLiteral("印刷")))
            button->click();
    QVERIFY(!printed.isEmpty() || printed.wait(120000));
    QVERIFY2(printed.first().value(0).toBool(), qPrintable(form.Summary->text()));
    QCOMPARE(form.result(), int(QDialog::Accepted));
    const QRegularExpressionMatch pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                                              .match(RunProgram("pdfinfo", {pdf}).out);
    QCOMPARE(pages.captured(1), QStringLiteral("2"));
}

QTEST_MAIN(TestPrintForm3)
#include "tst_print_form3.moc"
