// One redraw as the main window runs it on every keystroke (a digit typed,
// the name unchanged; and a letter typed into the name), and the
// code-to-pattern part of it alone.
//
//   build/bench/bench_redraw --benchmark_repetitions=10 --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "symbol/canvas.h"
#include "symbol/code.h"
#include "symbol/drawing.h"
#include "symbol/pattern.h"

namespace {

const QString kName = QString::fromUtf16(u"サンプル商品");
const QString kData = QStringLiteral("490123456789");
const QString kCheck = QStringLiteral("4");

QString CodeWithCheckDigit() {
    const QString code = symbol::ComposeCode(kData, kCheck);
    return code.left(12) + QChar(u'0' + symbol::CheckDigit(code));
}

void CodeToPattern(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(symbol::BuildPattern(CodeWithCheckDigit()));
}
BENCHMARK(CodeToPattern);

void Redraw(benchmark::State& state) {
    symbol::Canvas canvas(QSize(135, 87));
    for (auto _ : state) {
        symbol::PrintName(canvas, kName);
        const QString code = CodeWithCheckDigit();
        symbol::DrawSymbol(canvas, code, symbol::BuildPattern(code));
        benchmark::DoNotOptimize(canvas.Image().constBits());
    }
}
BENCHMARK(Redraw);

// A keystroke in the name box: the name differs from the last redraw's.
void RedrawNewName(benchmark::State& state) {
    symbol::Canvas canvas(QSize(135, 87));
    const QString names[] = {kName, kName + u'A'};
    int turn = 0;
    for (auto _ : state) {
        symbol::PrintName(canvas, names[turn ^= 1]);
        const QString code = CodeWithCheckDigit();
        symbol::DrawSymbol(canvas, code, symbol::BuildPattern(code));
        benchmark::DoNotOptimize(canvas.Image().constBits());
    }
}
BENCHMARK(RedrawNewName);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);  // the font database needs it
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
