// One keystroke in the digit box, from the key press to the picture box's
// paint: the key press and release go through the application as the window
// system would deliver them, the line edit changes its text, the redraw runs
// on textChanged, and Picture1->repaint() paints the window's dirty widgets
// synchronously, so the paint is inside the timing.
//
// Keystrokes alternate between a digit and Backspace, so the box holds ten or
// eleven digits and never reaches the twelfth (which would move the focus).
//
//   build-bench/bench/bench_keystroke --benchmark_repetitions=10
//   --benchmark_report_aggregates_only=true
//
// KeystrokeNoPaint is the same keystroke without the forced paint, to tell
// the keystroke and the redraw from the paint.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QLineEdit>
#include <QTest>

#include "Form1/Form1.h"
#include "Form1/PictureBox.h"

namespace {

const QString kName = QString::fromUtf16(u"サンプル商品");
const QString kDigits = QStringLiteral("4901234567");

// The main window, shown, with a name and ten digits typed, focus in the digits.
class ShownForm {
public:
    ShownForm() {
        form.show();
        form.activateWindow();
        if (!QTest::qWaitForWindowExposed(&form))
            qFatal("the main window was not exposed");
        form.Text2->setText(kName);
        form.Text1->setText(kDigits);
        form.Text1->setFocus();
        QCoreApplication::processEvents();
    }
    Form1 form;
};

// Types one key into the digit box: a digit on even turns, Backspace on odd ones.
void TypeKey(QLineEdit* box, int turn) {
    if (turn % 2 == 0)
        QTest::keyClick(box, char('0' + (turn / 2) % 10));
    else
        QTest::keyClick(box, Qt::Key_Backspace);
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

// The keystroke must reach the box, the redraw must write the check digit and
// the forced repaint must paint the picture box: a benchmark of keys that are
// dropped or of a paint that never happens would measure nothing.
bool KeystrokesArrive(Form1& form, benchmark::State& state) {
    PaintCounter counter(form.Picture1);
    const QString checkBefore = form.Text3->text();
    TypeKey(form.Text1, 0);
    const bool typed = form.Text1->text() == kDigits + u'0';
    const bool redrawn = form.Text3->text() != checkBefore || !form.Check1->isChecked();
    form.Picture1->repaint();
    const bool painted = counter.paints == 1;
    TypeKey(form.Text1, 1);
    const bool erased = form.Text1->text() == kDigits;
    if (typed && redrawn && painted && erased)
        return true;
    state.SkipWithError("the keystrokes did not reach the digit box, redraw or paint");
    return false;
}

void Keystroke(benchmark::State& state) {
    ShownForm shown;
    Form1& form = shown.form;
    if (!KeystrokesArrive(form, state))
        return;
    int turn = 0;
    for (auto _ : state) {
        TypeKey(form.Text1, turn++);
        form.Picture1->repaint();
    }
    if (form.Text1->text().size() > 11)
        state.SkipWithError("the digit box grew past eleven digits");
    QCoreApplication::processEvents();
}
BENCHMARK(Keystroke);

void KeystrokeNoPaint(benchmark::State& state) {
    ShownForm shown;
    Form1& form = shown.form;
    if (!KeystrokesArrive(form, state))
        return;
    int turn = 0;
    for (auto _ : state)
        TypeKey(form.Text1, turn++);
    if (form.Text1->text().size() > 11)
        state.SkipWithError("the digit box grew past eleven digits");
    QCoreApplication::processEvents();
}
BENCHMARK(KeystrokeNoPaint);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
