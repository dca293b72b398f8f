// Compares the pictures of two builds' files, pair by pair: equal in every
// pixel, equal but for edge pixels (grey in the first, or next to a pixel of
// another value there, off by at most a quarter of black to white), or
// different. One line per pair and a count at the end; exits 1 when a pair
// differs beyond its edges.
//
//   compare_pictures OLD NEW [OLD NEW ...]     (PNG, PGM, BMP, ...)

#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kEdgePlay = 64;

bool IsEdge(const QImage& reference, int x, int y) {
    const int value = reference.constScanLine(y)[x];
    if (value != 0 && value != 255)
        return true;
    const int steps[][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    for (const auto& step : steps) {
        const int nx = x + step[0], ny = y + step[1];
        if (nx >= 0 && ny >= 0 && nx < reference.width() && ny < reference.height() &&
            reference.constScanLine(ny)[nx] != value)
            return true;
    }
    return false;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QImageReader::setAllocationLimit(1024);
    int same = 0, edges = 0, different = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        const QImage old = QImage(argv[i]).convertToFormat(QImage::Format_Grayscale8);
        const QImage now = QImage(argv[i + 1]).convertToFormat(QImage::Format_Grayscale8);
        long long off = 0, offEdge = 0;
        int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
        if (old.isNull() || old.size() != now.size()) {
            off = 1;
        } else {
            for (int y = 0; y < old.height(); ++y) {
                const uchar* a = old.constScanLine(y);
                const uchar* b = now.constScanLine(y);
                for (int x = 0; x < old.width(); ++x) {
                    const int d = std::abs(a[x] - b[x]);
                    if (d == 0)
                        continue;
                    if (d <= kEdgePlay && IsEdge(old, x, y))
                        ++offEdge;
                    else {
                        ++off;
                        left = std::min(left, x), right = std::max(right, x);
                        top = std::min(top, y), bottom = std::max(bottom, y);
                    }
                }
            }
        }
        const char* verdict = off ? "DIFFERENT" : offEdge ? "edges" : "same";
        (off ? different : offEdge ? edges : same)++;
        std::printf("%s %s: %s (%lld edge pixels, %lld others", argv[i], argv[i + 1], verdict,
                    offEdge, off);
        if (right >= 0)
            std::printf(" from (%d, %d) to (%d, %d)", left, top, right, bottom);
        std::printf(")\n");
    }
    std::printf("pairs: %d same, %d equal but for edges, %d different\n", same, edges, different);
    return different ? 1 : 0;
}
