// The main window as a person uses it: typing, Enter, Tab, clicks on the
// check boxes, and the symbol redrawn live.

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include "Form1/Form1.h"
#include "Form1/PictureBox.h"
#include "person.h"
#include "symbol/code.h"
#include "symbol/drawing.h"
#include "symbol/pattern.h"

namespace {

// The picture as the symbol core draws it for a name and a finished code.
QImage Drawn(const QString& name, const QString& code) {
    symbol::Canvas canvas(QSize(135, 87));
    symbol::PrintName(canvas, name);
    symbol::DrawSymbol(canvas, code, symbol::BuildPattern(code));
    return canvas.Image();
}

bool IsBold(const QLineEdit* box) {
    return box->font().bold();
}

void Click(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

// Whether a box shows red anywhere, as a wrong check digit is shown.
bool ShowsRed(QLineEdit* box) {
    const QImage image = box->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const auto* pixels = reinterpret_cast<const QRgb*>(image.constBits());
    return std::any_of(pixels, pixels + image.width() * image.height(),
                       [](QRgb c) { return qRed(c) - std::max(qGreen(c), qBlue(c)) > 100; });
}

// Pastes text into a box with Ctrl+V, the cursor at its end.
void Paste(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->end(false);
    QApplication::clipboard()->setText(text);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QCoreApplication::processEvents();
}

}  // namespace

class TestForm1 : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsBlankWithFocusInTheName();
    void typingRedrawsTheSymbolLive_data();
    void typingRedrawsTheSymbolLive();
    void nameEditAloneRedraws();
    void checkDigitBoxIsLockedAndBoldWhileAutomatic();
    void turningAutomaticOnReplacesAWrongDigit();
    void twelfthDigitMovesOnOnlyWhenTypedByHand();
    void pastingTwelveDigitsDoesNotMoveOn();
    void retypingTheTwelfthDigitMovesOnAgain();
    void enterWalksFromNameToDigitsToCheckDigit_data();
    void enterWalksFromNameToDigitsToCheckDigit();
    void boxesAcceptTheirLengths();
    void inputMethodStaysOffInTheDigitBoxes();
    void tabWalksTheControlsInOrder();
    void controlsLieInsideAndApart();
    void captionsAndDigitsFitTheirBoxes();
    void keepOnTopSwitchesTheHintInPlace();
    void wrongCheckDigitShowsRedWithTheRightOne_data();
    void wrongCheckDigitShowsRedWithTheRightOne();
    void pasteKeepsToWhatTheBoxesTake_data();
    void pasteKeepsToWhatTheBoxesTake();
    void pastedThirteenthDigitIsToldWhenWrong_data();
    void pastedThirteenthDigitIsToldWhenWrong();

private:
    Form1* form = nullptr;
};

void TestForm1::init() {
    form = new Form1;
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form));
}

void TestForm1::cleanup() {
    delete form;
    form = nullptr;
}

void TestForm1::startsBlankWithFocusInTheName() {
    QCOMPARE(QApplication::focusWidget(), form->Text2);
    QVERIFY(form->Check1->isChecked());
    QVERIFY(!form->Check2->isChecked());
    QVERIFY(form->Text3->isReadOnly());
    QVERIFY(IsBold(form->Text3));
    QImage white(135, 87, form->Picture1->Image().format());
    white.fill(Qt::white);
    QCOMPARE(form->Picture1->Image(), white);
    QCOMPARE(form->size(), QSize(245, 191));
    QCOMPARE(form->minimumSize(), form->maximumSize());
    QVERIFY(!(form->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(form->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(form->windowTitle(), "Stripewell");
    QVERIFY(!form->windowIcon().isNull());
}

void TestForm1::typingRedrawsTheSymbolLive_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("code");

    QTest::newRow("twelve digits") << "ABC"
                                   << "490123456789"
                                   << "4901234567894";
    QTest::newRow("japanese name") << QString::fromUtf16(u"見本") << "978030640615"
                                   << "9780306406157";
    QTest::newRow("short data padded") << ""
                                       << "12"
                                       << "0000000000123";
    QTest::newRow("typed zeros dropped") << ""
                                         << "0012"
                                         << "0000000000123";
    QTest::newRow("letters read as zero") << "x"
                                          << "ab12"
                                          << "0000000000000";
    QTest::newRow("minus sign printed") << ""
                                        << "-5"
                                        << "0000000000-55";
}

void TestForm1::typingRedrawsTheSymbolLive() {
    QFETCH(QString, name);
    QFETCH(QString, digits);
    QFETCH(QString, code);
    Type(form->Text2, name);
    QCOMPARE(form->Text2->text(), name);
    QTest::keyClick(form->Text2, Qt::Key_Return);
    QTest::keyClicks(form->Text1, digits);
    QCOMPARE(form->Text3->text(), code.right(1));
    QCOMPARE(form->Picture1->Image(), Drawn(name, code));

    // Every keystroke redraws: one digit off again.
    QTest::keyClick(form->Text1, Qt::Key_Backspace);
    const QString shorter = symbol::ComposeCode(digits.chopped(1), "");
    const QString expected = shorter.left(12) + QString::number(symbol::CheckDigit(shorter));
    QCOMPARE(form->Picture1->Image(), Drawn(name, expected));
}

void TestForm1::nameEditAloneRedraws() {
    QTest::keyClicks(form->Text2, "Tea");
    QCOMPARE(form->Picture1->Image(), Drawn("Tea", "0000000000000"));
    QTest::keyClick(form->Text2, Qt::Key_Backspace);
    QCOMPARE(form->Picture1->Image(), Drawn("Te", "0000000000000"));
}

void TestForm1::checkDigitBoxIsLockedAndBoldWhileAutomatic() {
    QTest::keyClicks(form->Text1, "490123456789");
    QCOMPARE(form->Text3->text(), "4");
    // Locked: focus and selection work, typing changes nothing.
    QTest::mouseClick(form->Text3, Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), form->Text3);
    form->Text3->selectAll();
    QTest::keyClicks(form->Text3, "7");
    QCOMPARE(form->Text3->text(), "4");
    QCOMPARE(form->Text3->selectedText(), "4");

    Click(form->Check1);
    QVERIFY(!form->Check1->isChecked());
    QVERIFY(!form->Text3->isReadOnly());
    QVERIFY(!IsBold(form->Text3));
    // The last computed digit stays, now editable, and is taken as typed.
    QCOMPARE(form->Text3->text(), "4");
    form->Text3->selectAll();
    QTest::keyClicks(form->Text3, "7");
    QCOMPARE(form->Text3->text(), "7");
    QCOMPARE(form->Picture1->Image(), Drawn("", "4901234567897"));
}

void TestForm1::turningAutomaticOnReplacesAWrongDigit() {
    Click(form->Check1);
    QTest::keyClicks(form->Text1, "490123456789");
    QTest::keyClicks(form->Text3, "1");
    QCOMPARE(form->Picture1->Image(), Drawn("", "4901234567891"));

    Click(form->Check1);
    QVERIFY(form->Check1->isChecked());
    QCOMPARE(form->Text3->text(), "4");
    QVERIFY(form->Text3->isReadOnly());
    QVERIFY(IsBold(form->Text3));
    QCOMPARE(form->Picture1->Image(), Drawn("", "4901234567894"));
}

void TestForm1::twelfthDigitMovesOnOnlyWhenTypedByHand() {
    // Automatic: the focus stays in the digits.
    form->Text1->setFocus();
    QTest::keyClicks(form->Text1, "490123456789");
    QCOMPARE(QApplication::focusWidget(), form->Text1);

    // By hand: the twelfth digit moves on, with the check digit selected.
    form->Text1->clear();
    Click(form->Check1);
    form->Text1->setFocus();
    QTest::keyClicks(form->Text1, "49012345678");
    QCOMPARE(QApplication::focusWidget(), form->Text1);
    QTest::keyClicks(form->Text1, "9");
    QCOMPARE(QApplication::focusWidget(), form->Text3);
    QCOMPARE(form->Text3->selectedText(), form->Text3->text());
    QVERIFY(!form->Text3->text().isEmpty());
}

void TestForm1::pastingTwelveDigitsDoesNotMoveOn() {
    Click(form->Check1);
    QApplication::clipboard()->setText("490123456789");
    form->Text1->setFocus();
    QTest::keyClick(form->Text1, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(form->Text1->text(), "490123456789");
    QCOMPARE(QApplication::focusWidget(), form->Text1);
}

void TestForm1::retypingTheTwelfthDigitMovesOnAgain() {
    Click(form->Check1);
    form->Text1->setFocus();
    QTest::keyClicks(form->Text1, "490123456789");
    QCOMPARE(QApplication::focusWidget(), form->Text3);
    form->Text1->setFocus();
    form->Text1->end(false);
    QTest::keyClick(form->Text1, Qt::Key_Backspace);
    QCOMPARE(QApplication::focusWidget(), form->Text1);
    QTest::keyClicks(form->Text1, "9");
    QCOMPARE(QApplication::focusWidget(), form->Text3);
}

void TestForm1::enterWalksFromNameToDigitsToCheckDigit_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("Return") << int(Qt::Key_Return) << Qt::KeyboardModifiers();
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter)
                                  << Qt::KeyboardModifiers(Qt::KeypadModifier);
}

void TestForm1::enterWalksFromNameToDigitsToCheckDigit() {
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    form->Text1->setText("4901");
    form->Text2->setFocus();
    QTest::keyClicks(form->Text2, "Tea");

    QTest::keyClick(form->Text2, Qt::Key(key), modifiers);
    QCOMPARE(QApplication::focusWidget(), form->Text1);
    QCOMPARE(form->Text1->selectedText(), "4901");
    QTest::keyClick(form->Text1, Qt::Key(key), modifiers);
    QCOMPARE(QApplication::focusWidget(), form->Text3);
    QCOMPARE(form->Text3->selectedText(), form->Text3->text());
    QTest::keyClick(form->Text3, Qt::Key(key), modifiers);
    QCOMPARE(QApplication::focusWidget(), form->Command1[0]);

    QCOMPARE(form->Text2->text(), "Tea");
    QCOMPARE(form->Text1->text(), "4901");
    QCOMPARE(form->Text3->text().size(), 1);
}

void TestForm1::boxesAcceptTheirLengths() {
    QTest::keyClicks(form->Text1, "4901234567890");
    QCOMPARE(form->Text1->text(), "490123456789");
    Click(form->Check1);
    form->Text3->clear();
    QTest::keyClicks(form->Text3, "12");
    QCOMPARE(form->Text3->text(), "1");
    const QString longName(300, u'n');
    QTest::keyClicks(form->Text2, longName);
    QCOMPARE(form->Text2->text(), longName);
}

void TestForm1::inputMethodStaysOffInTheDigitBoxes() {
    for (int toggle = 0; toggle < 3; ++toggle) {
        QVERIFY(!form->Text1->testAttribute(Qt::WA_InputMethodEnabled));
        QVERIFY(!form->Text3->testAttribute(Qt::WA_InputMethodEnabled));
        QVERIFY(form->Text2->testAttribute(Qt::WA_InputMethodEnabled));
        Click(form->Check1);
    }
}

void TestForm1::tabWalksTheControlsInOrder() {
    const QList<QWidget*> order = {form->Text1,       form->Text3,       form->Check1,
                                   form->Check2,      form->Command1[0], form->Command1[1],
                                   form->Command1[2], form->Text2};
    for (QWidget* next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), form->Command1[2]);
}

void TestForm1::controlsLieInsideAndApart() {
    const QList<QWidget*> controls = form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    QCOMPARE(controls.size(), 12);
    for (QWidget* control : controls) {
        QVERIFY2(form->rect().contains(control->geometry()), qPrintable(control->objectName()));
        for (QWidget* other : controls) {
            if (other == control || !control->geometry().intersects(other->geometry()))
                continue;
            // A label may lie under the box it names.
            const bool labelUnderBox =
                qobject_cast<QLabel*>(control) && static_cast<QLabel*>(control)->buddy() == other;
            const bool boxOverLabel =
                qobject_cast<QLabel*>(other) && static_cast<QLabel*>(other)->buddy() == control;
            // The buttons stand 24 pixels apart and are 25 high: each one's
            // bottom row lies under the next one's top row.
            const QRect common = control->geometry() & other->geometry();
            const bool buttonsTouch = qobject_cast<QPushButton*>(control) &&
                                      qobject_cast<QPushButton*>(other) && common.height() == 1;
            QVERIFY2(labelUnderBox || boxOverLabel || buttonsTouch,
                     qPrintable(control->objectName() + " overlaps " + other->objectName()));
        }
    }
    // The buttons' column ends level with the picture.
    QCOMPARE(form->Command1[2]->geometry().bottom(), form->Picture1->geometry().bottom());
}

void TestForm1::captionsAndDigitsFitTheirBoxes() {
    for (QCheckBox* box : {form->Check1, form->Check2})
        QVERIFY2(box->sizeHint().width() <= box->width(), qPrintable(box->text()));
    for (QLabel* label : {form->Label1, form->Label2, form->Label3})
        QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(label->text()));
    for (QPushButton* button : form->Command1)
        QVERIFY2(button->sizeHint().width() <= button->width(), qPrintable(button->text()));
    // Twelve of the widest digit, with room for the cursor.
    const int digits = form->Text1->fontMetrics().horizontalAdvance(QString(12, u'8'));
    QVERIFY2(digits + 6 <= form->Text1->width(), qPrintable(QString::number(digits)));
}

void TestForm1::keepOnTopSwitchesTheHintInPlace() {
    const QRect before = form->geometry();
    Click(form->Check2);
    QVERIFY(form->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(form->windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    QVERIFY(form->isVisible());
    Click(form->Check2);
    QVERIFY(!(form->windowFlags() & Qt::WindowStaysOnTopHint));
    QVERIFY(!(form->windowHandle()->flags() & Qt::WindowStaysOnTopHint));
    QVERIFY(form->isVisible());
    QCOMPARE(form->geometry(), before);
}

void TestForm1::wrongCheckDigitShowsRedWithTheRightOne_data() {
    QTest::addColumn<bool>("automatic");
    QTest::addColumn<QString>("typed");        // twelve digits and a check digit
    QTest::addColumn<QStringList>("offered");  // the codes the tooltip names
    QTest::newRow("wrong, six swaps valid")
        << false << "4091234567894"
        << QStringList{"4091234567892", "0491234567894", "4901234567894", "4091324567894",
                       "4091235467894", "4091234576894", "4091234567984"};
    QTest::newRow("wrong, no swap valid")
        << false << "4901234567890" << QStringList{"4901234567894"};
    QTest::newRow("right") << false << "4901234567894" << QStringList();
    QTest::newRow("computed") << true << "4091234567894" << QStringList();
}

void TestForm1::wrongCheckDigitShowsRedWithTheRightOne() {
    QFETCH(bool, automatic);
    QFETCH(QString, typed);
    QFETCH(QStringList, offered);
    if (!automatic)
        Click(form->Check1);
    QTest::keyClicks(form->Text1, typed.left(12));
    form->Text3->selectAll();
    QTest::keyClicks(form->Text3, typed.right(1));

    QStringList named;
    for (const auto& match : QRegularExpression("\\d{13}").globalMatch(form->Text3->toolTip()))
        named << match.captured();
    QCOMPARE(named, offered);
    // Red shows in the box exactly when the digit is wrong.
    QCOMPARE(ShowsRed(form->Text3), !offered.isEmpty());
}

void TestForm1::pasteKeepsToWhatTheBoxesTake_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("before");  // | stands for the cursor
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("after");
    QTest::newRow("controls among the digits")
        << "Text1"
        << "|" << QString("\t4901\t23") + QChar(0) + "4567\x1b" + "89\r\n"
        << "490123456789";
    QTest::newRow("thirteen digits keep twelve") << "Text1"
                                                 << "|"
                                                 << "4901234567894"
                                                 << "490123456789";
    QTest::newRow("into a full box") << "Text1"
                                     << "4901|23456789"
                                     << "55"
                                     << "490123456789";
    QTest::newRow("two places left") << "Text1"
                                     << "49|01234567"
                                     << "7\t78"
                                     << "497701234567";
    QTest::newRow("check digit behind a line feed") << "Text3"
                                                    << "|"
                                                    << "\n7"
                                                    << "7";
    QTest::newRow("ten million characters of name")
        << "Text2"
        << "|" << QString(10'000'000, u'n') << QString(1000, u'n');
}

void TestForm1::pasteKeepsToWhatTheBoxesTake() {
    QFETCH(QString, box);
    QFETCH(QString, before);
    QFETCH(QString, pasted);
    QFETCH(QString, after);
    Click(form->Check1);  // the check-digit box takes typing
    auto* edit = form->findChild<QLineEdit*>(box);
    edit->setFocus();
    edit->setText(QString(before).remove(u'|'));
    edit->setCursorPosition(int(before.indexOf(u'|')));
    QApplication::clipboard()->setText(pasted);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edit->text(), after);
}

// A code pasted whole: the box keeps its twelve digits and the picture is the
// one a paste of those twelve draws, but a thirteenth digit that is not their
// check digit is shown red in the check-digit box, the right code named in
// its tooltip, until the code is edited. 4901234567894 is a published JAN;
// ...895 has its last digit slipped.
void TestForm1::pastedThirteenthDigitIsToldWhenWrong_data() {
    QTest::addColumn<bool>("automatic");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("shown");  // in the check-digit box
    QTest::addColumn<bool>("told");
    QTest::newRow("automatic, slipped") << true << "4901234567895"
                                        << "5" << true;
    QTest::newRow("automatic, right") << true << "4901234567894"
                                      << "4" << false;
    QTest::newRow("automatic, spreadsheet cell") << true << "4901234567895\r\n"
                                                 << "5" << true;
    // Typed, a thirteenth key is refused as ever, silently.
    QTest::newRow("automatic, typed") << true << "4901234567895 typed"
                                      << "4" << false;
    // By hand the box keeps the digit typed into it, 4.
    QTest::newRow("by hand, slipped") << false << "4901234567895"
                                      << "4" << true;
    QTest::newRow("by hand, right") << false << "4901234567894"
                                    << "4" << false;
}

void TestForm1::pastedThirteenthDigitIsToldWhenWrong() {
    QFETCH(bool, automatic);
    QFETCH(QString, pasted);
    QFETCH(QString, shown);
    QFETCH(bool, told);
    // The same window given only the twelve.
    Form1 twelve;
    for (Form1* window : {form, &twelve})
        if (!automatic) {
            Click(window->Check1);
            QTest::keyClicks(window->Text3, "4");
        }
    Paste(twelve.Text1, pasted.left(12));

    if (pasted.endsWith(" typed"))
        QTest::keyClicks(form->Text1, pasted.left(13));
    else
        Paste(form->Text1, pasted);
    QCoreApplication::processEvents();
    QCOMPARE(form->Text1->text(), pasted.left(12));
    QCOMPARE(form->Picture1->Image(), twelve.Picture1->Image());
    QCOMPARE(form->Text3->text(), shown);
    QCOMPARE(ShowsRed(form->Text3), told);
    QCOMPARE(form->Text3->toolTip().contains("4901234567894"), told);
    QCOMPARE(form->Text3->toolTip().contains(pasted.left(13)), told);
    if (!told)
        return;
    // An edit of the name leaves it; one of the code takes it away.
    QTest::keyClicks(form->Text2, "x");
    QVERIFY(ShowsRed(form->Text3));
    QTest::keyClick(form->Text1, Qt::Key_Backspace);
    QVERIFY(!form->Text3->toolTip().contains(pasted.left(13)));
    QCOMPARE(ShowsRed(form->Text3), !automatic);
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
