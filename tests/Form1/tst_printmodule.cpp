// The print dialog as a module of its own: the program starts without the
// print libraries, the print action loads them with the dialog, and says why
// in a message box when it cannot, the window going on.

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "Form1/Form1.h"
#include "person.h"
#include "run.h"

namespace {

// Ctrl+P in the window, as a person asks to print: the keys go to the box
// that has the focus.
void AskToPrint(Form1* form) {
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : form, Qt::Key_P, Qt::ControlModifier);
}

}  // namespace

class TestPrintModule : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void printLibrariesAreTheModulesAlone_data();
    void printLibrariesAreTheModulesAlone();
    void startLoadsNoPluginItDoesNotUse_data();
    void startLoadsNoPluginItDoesNotUse();
    void iconIsTheProgramsPictures_data();
    void iconIsTheProgramsPictures();
    void printActionOpensTheModulesDialog_data();
    void printActionOpensTheModulesDialog();
    void printActionSaysWhyWithoutTheModule_data();
    void printActionSaysWhyWithoutTheModule();

private:
    Form1* form = nullptr;
    QTemporaryDir folder;
};

void TestPrintModule::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);  // the dialog's remembered choices
    QVERIFY(folder.isValid());
}

void TestPrintModule::init() {
    form = new Form1;
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form));
}

void TestPrintModule::cleanup() {
    delete form;
    form = nullptr;
}

void TestPrintModule::printLibrariesAreTheModulesAlone_data() {
    QTest::addColumn<QStringList>("reader");  // a program that names an ELF file's libraries
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("library");
    QTest::addColumn<bool>("listed");
    const QStringList needed{"readelf", "-d"};  // the libraries the file itself names
    const QStringList loaded{"ldd"};            // and every one they bring along
    const QString program = STRIPEWELL_PROGRAM;
    const QString module = STRIPEWELL_PRINT_DIALOG_MODULE;
    QTest::newRow("program needs no print support")
        << needed << program << "libQt6PrintSupport" << false;
    QTest::newRow("program needs no print service") << needed << program << "libcups" << false;
    QTest::newRow("program loads no print support")
        << loaded << program << "libQt6PrintSupport" << false;
    QTest::newRow("program loads no print service") << loaded << program << "libcups" << false;
    QTest::newRow("program needs the widgets") << needed << program << "libQt6Widgets" << true;
    QTest::newRow("module needs print support") << needed << module << "libQt6PrintSupport" << true;
    QTest::newRow("module needs the print service") << needed << module << "libcups" << true;
}

void TestPrintModule::printLibrariesAreTheModulesAlone() {
    QFETCH(QStringList, reader);
    QFETCH(QString, file);
    QFETCH(QString, library);
    QFETCH(bool, listed);
    const QString program = reader.takeFirst();
    const Ran ran = RunProgram(program, reader << file, {}, {.timeoutSeconds = 60});
    QVERIFY2(ran.exitCode == 0 && ran.out.contains("libc.so"), qPrintable(ran.all()));
    QCOMPARE(ran.out.contains(library + ".so"), listed);
}

void TestPrintModule::startLoadsNoPluginItDoesNotUse_data() {
    QTest::addColumn<QString>("folder");  // of Qt's plugins
    QTest::addColumn<bool>("loaded");
    QTest::newRow("the platform's") << "platforms" << true;
    QTest::newRow("no image format's") << "imageformats" << false;
    QTest::newRow("no printing's") << "printsupport" << false;
}

void TestPrintModule::startLoadsNoPluginItDoesNotUse() {
    QFETCH(QString, folder);
    QFETCH(bool, loaded);
    // The program runs until it is stopped: after some seconds, once its
    // window is up; Qt says on standard error each plugin it loads, and each
    // paint of a window.
    static const Ran ran = RunProgram(
        STRIPEWELL_PROGRAM, {}, {},
        {.environment = {"QT_DEBUG_PLUGINS=1", "QT_LOGGING_RULES=qt.widgets.painting=true"},
         .timeoutSeconds = 5});
    QVERIFY2(ran.err.contains("qt.widgets.painting:"), "the window was not up when it was stopped");
    static const QRegularExpression loadedLine(R"(/plugins/([^/]+)/[^/"]+" loaded library)");
    QStringList folders;
    for (auto match = loadedLine.globalMatch(ran.err); match.hasNext();)
        folders << match.next().captured(1);
    QVERIFY2(folders.contains(folder) == loaded, qPrintable(folders.join(u' ')));
}

void TestPrintModule::iconIsTheProgramsPictures_data() {
    QTest::addColumn<int>("size");
    for (int size : {16, 32, 48})
        QTest::addRow("%d px", size) << size;
}

// Read without the image format plugins, the icon is still the program's
// pictures at each size, pixel for pixel.
void TestPrintModule::iconIsTheProgramsPictures() {
    QFETCH(int, size);
    const QImage file(QStringLiteral(STRIPEWELL_SOURCE "/resources/icon-%1.png").arg(size));
    QCOMPARE(file.size(), QSize(size, size));
    const QImage shown = Form1::ProgramIcon().pixmap(QSize(size, size)).toImage();
    QCOMPARE(shown.convertToFormat(QImage::Format_ARGB32),
             file.convertToFormat(QImage::Format_ARGB32));
}

void TestPrintModule::printActionOpensTheModulesDialog_data() {
    QTest::addColumn<bool>("automatic");
    QTest::addColumn<QString>("checkDigit");
    QTest::addColumn<QString>("summary");
    // 490123456789 takes the check digit 4: 3 x (9+1+3+5+7+9) + (4+0+2+4+6+8)
    // = 126, and 4 more make 130.
    QTest::newRow("check digit computed") << true << "" << QString("ラベル 1 枚、1 ページ");
    QTest::newRow("wrong check digit typed") << false << "0" << QString("(正しくは 4)");
}

void TestPrintModule::printActionOpensTheModulesDialog() {
    QFETCH(bool, automatic);
    QFETCH(QString, checkDigit);
    QFETCH(QString, summary);
    form->PrintDialogPlaces = {folder.filePath("absent.so"), STRIPEWELL_PRINT_DIALOG_MODULE};
    Type(form->Text2, QString::fromUtf16(u"見本"));
    QTest::keyClicks(form->Text1, "490123456789");
    if (!automatic) {
        QTest::mouseClick(form->Check1, Qt::LeftButton, {}, QPoint(6, form->Check1->height() / 2));
        form->Text3->selectAll();
        QTest::keyClicks(form->Text3, checkDigit);
    }
    QCOMPARE(form->Check1->isChecked(), automatic);

    QObject session;
    QString seenClass, seenTitle, seenSummary;
    QWidget* seenOwner = nullptr;
    bool failed = false;
    WhenModalOpens<QDialog>(
        &session,
        [&](QDialog* dialog) {
            seenClass = dialog->metaObject()->className();
            seenTitle = dialog->windowTitle();
            seenOwner = dialog->parentWidget();
            for (const QLabel* label : dialog->findChildren<QLabel*>())
                seenSummary += label->text() + u'\n';
            dialog->reject();
        },
        &failed);
    AskToPrint(form);
    QVERIFY(!failed);
    QCOMPARE(seenClass, "Form3");
    QCOMPARE(seenTitle, QString::fromUtf16(u"印刷"));
    QCOMPARE(seenOwner, form);
    QVERIFY2(seenSummary.contains(summary), qPrintable(seenSummary));
}

void TestPrintModule::printActionSaysWhyWithoutTheModule_data() {
    QTest::addColumn<QString>("place");
    QTest::addColumn<QByteArray>("contents");  // written at place unless null
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << "stripewell-print-dialog.so" << QByteArray()
                             << QString::fromUtf16(u"印刷の部品が見つかりません。");
    QTest::newRow("a device") << "/dev/null" << QByteArray()
                              << QString::fromUtf16(u"印刷の部品が見つかりません。");
    QTest::newRow("not a library") << "stripewell-print-dialog.so" << QByteArray("not ELF\n")
                                   << QString::fromUtf16(u"を読み込めません。\n詳細: ");
    // The platform plugin this test runs on: a library, already loaded.
    QTest::newRow("a library without the dialog")
        << QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/platforms/libqoffscreen.so"
        << QByteArray() << QString::fromUtf16(u"は印刷の部品ではありません。");
}

void TestPrintModule::printActionSaysWhyWithoutTheModule() {
    QFETCH(QString, place);
    QFETCH(QByteArray, contents);
    QFETCH(QString, reason);
    const QTemporaryDir here;
    const QString path = QDir::isAbsolutePath(place) ? place : here.filePath(place);
    if (!contents.isNull()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size());
    }
    form->PrintDialogPlaces = {path};

    // Asked twice: the window neither stops nor stays stuck after the first.
    // (The offscreen platform gives the window back its focus only when asked.)
    for (int attempt = 0; attempt < 2; ++attempt) {
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
        QObject session;
        QStringList seen;
        bool failed = false;
        WhenModalOpens<QDialog>(
            &session,
            [&](QDialog* dialog) {
                auto* box = qobject_cast<QMessageBox*>(dialog);
                seen << (box ? box->text() : QString(dialog->metaObject()->className()));
                dialog->reject();
            },
            &failed);
        AskToPrint(form);
        QVERIFY(!failed);
        QCOMPARE(seen.size(), 1);
        QVERIFY2(seen[0].startsWith(QString::fromUtf16(u"印刷できません。")), qPrintable(seen[0]));
        QVERIFY2(seen[0].contains(reason), qPrintable(seen[0]));
        QVERIFY2(seen[0].contains(QDir::toNativeSeparators(path)), qPrintable(seen[0]));
    }
    QTest::keyClicks(form->Text1, "4901");
    QCOMPARE(form->Text1->text(), "4901");
    QVERIFY(form->isVisible());
}

QTEST_MAIN(TestPrintModule)
#include "tst_printmodule.moc"
