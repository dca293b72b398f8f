// Grading a 1200-dpi A4 page scan in memory: finding the one retail symbol
// on the page and grading its ten scan lines. Goal: under a second of CPU on
// one core (run under taskset -c 0).

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainter>

#include "symbol/layout.h"
#include "symbol/raster.h"
#include "verify/verify.h"

namespace {

QImage Page() {
    const int dpi = 1200;
    const symbol::Description d =
        symbol::Describe(symbol::Layout::Retail, QStringLiteral("4901234567894"), {});
    const QImage symbol = symbol::PaintRaster(d, 16, 0, int(dpi / 0.0254));
    QImage page(9921, 14031, QImage::Format_Grayscale8);  // A4
    page.fill(QColor(235, 235, 235));
    QPainter(&page).drawImage(4000, 9000, symbol);
    return page;
}

void GradeA4Page(benchmark::State& state) {
    const verify::Scan scan = verify::ScanOf(Page(), 1200);
    for (auto _ : state) {
        const verify::Verification v = verify::Verify(scan);
        if (!v.found.ok || v.grade < 3.5)
            state.SkipWithError("the symbol was not graded A");
        benchmark::DoNotOptimize(v.grade);
    }
}
BENCHMARK(GradeA4Page)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
