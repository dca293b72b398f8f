// The enlarged view: opened by "Zoom" or a double click on the symbol, modal
// over the main window, the picture exactly twice as large.

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "Form1/Form1.h"
#include "Form1/PictureBox.h"
#include "Form2/Form2.h"
#include "person.h"

namespace {

// What the view saw when it opened.
struct Seen {
    bool opened = false;
    QImage picture;
    QString title;
    qint64 iconKey = 0;
    QSize size;
    bool onTop = false;
    bool mainBlocked = false;
};

}  // namespace

class TestForm2 : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void viewShowsThePictureTwiceAsLarge_data();
    void viewShowsThePictureTwiceAsLarge();
    void keepOnTopCarriesOverAndSurvivesTheView();

private:
    enum class Opening { Click, DoubleClick, EnterWalk };
    // Opens the view with a click on "Zoom", a double click on the symbol, or
    // Enter from the check-digit box on to "Zoom" and once more; records what
    // the view shows, types into the main window while it is open, closes it.
    Seen Zoom(Opening opening);

    Form1* form = nullptr;
};

void TestForm2::init() {
    form = new Form1;
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form));
}

void TestForm2::cleanup() {
    delete form;
    form = nullptr;
}

Seen TestForm2::Zoom(Opening opening) {
    Seen seen;
    bool failed = false;
    WhenModalOpens<Form2>(
        form,
        [&](Form2* view) {
            seen.opened = true;
            seen.picture = view->Picture1->Image();
            seen.title = view->windowTitle();
            seen.iconKey = view->windowIcon().cacheKey();
            seen.size = view->size();
            seen.onTop = view->windowFlags() & Qt::WindowStaysOnTopHint;
            // The main window takes no input while the view is open.
            const QString before = form->Text1->text();
            QTest::keyClick(form->windowHandle(), Qt::Key_5);
            seen.mainBlocked = form->Text1->text() == before;
            view->close();
        },
        &failed);
    switch (opening) {
        case Opening::Click:
            QTest::mouseClick(form->Command1[0], Qt::LeftButton);
            break;
        case Opening::DoubleClick:
            QTest::mouseDClick(form->Picture1, Qt::LeftButton, {}, QPoint(60, 40));
            break;
        case Opening::EnterWalk:
            form->Text3->setFocus();
            QTest::keyClick(form->Text3, Qt::Key_Return);
            QTest::keyClick(form->Command1[0], Qt::Key_Return);
            break;
    }
    if (failed)
        qWarning("the enlarged view did not open");
    return seen;
}

void TestForm2::viewShowsThePictureTwiceAsLarge_data() {
    QTest::addColumn<QString>("digits");
    QTest::addColumn<int>("opening");
    QTest::newRow("Zoom before any edit") << "" << int(Opening::Click);
    QTest::newRow("Zoom") << "490123456789" << int(Opening::Click);
    QTest::newRow("double click") << "978030640615" << int(Opening::DoubleClick);
    QTest::newRow("Enter on Zoom") << "301762042200" << int(Opening::EnterWalk);
}

void TestForm2::viewShowsThePictureTwiceAsLarge() {
    QFETCH(QString, digits);
    QFETCH(int, opening);
    if (!digits.isEmpty()) {
        QTest::keyClicks(form->Text2, "Sample");
        QTest::keyClicks(form->Text1, digits);
    }
    form->Text1->setFocus();
    const QImage source = form->Picture1->Image();

    const Seen seen = Zoom(Opening(opening));
    QVERIFY(seen.opened);
    QCOMPARE(seen.title, QString::fromUtf16(u"Stripewell - 拡大図"));
    QCOMPARE(seen.size, QSize(274, 179));
    QCOMPARE(seen.iconKey, form->windowIcon().cacheKey());
    QVERIFY(seen.mainBlocked);
    QVERIFY(!seen.onTop);

    QCOMPARE(seen.picture.size(), QSize(270, 174));
    QCOMPARE(source.size(), QSize(135, 87));
    for (int y = 0; y < 174; ++y)
        for (int x = 0; x < 270; ++x)
            if (seen.picture.pixel(x, y) != source.pixel(x / 2, y / 2))
                QFAIL(qPrintable(QString("view pixel (%1, %2) is not source (%3, %4)")
                                     .arg(x)
                                     .arg(y)
                                     .arg(x / 2)
                                     .arg(y / 2)));

    // The main window takes input again, and the focus is where it was.
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QTest::keyClicks(form->Text2, "X");
    QVERIFY(form->Text2->text().endsWith(u'X'));
}

void TestForm2::keepOnTopCarriesOverAndSurvivesTheView() {
    QTest::mouseClick(form->Check2, Qt::LeftButton, {}, QPoint(6, 8));
    QVERIFY(form->Check2->isChecked());
    const Seen seen = Zoom(Opening::Click);
    QVERIFY(seen.opened);
    QVERIFY(seen.onTop);
    QVERIFY(form->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(form->windowHandle()->flags() & Qt::WindowStaysOnTopHint);
}

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
