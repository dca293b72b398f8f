#include "profile.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace verify {

namespace {

constexpr double kMinStep = 1.0 / 64;
// The running sums behind a profile: at most a quarter of a GiB.
constexpr double kMaxProfileSums = double(1 << 26);

}  // namespace

Profile SampleProfile(const QImage& grey, const Frame& frame, double t, double s0, double s1,
                      double diameter) {
    Profile profile;
    // However small the aperture (a resolution far too low for the symbol),
    // the grid stays at a sixty-fourth of a pixel and the profile within
    // kMaxProfilePoints, so no count can overflow.
    const double step = std::max(kMinStep, std::min(0.25, diameter / 16));
    const double radius = std::max(0.0, diameter / 2);
    const double span = (s1 - s0) / step;
    const double across = 2 * radius / step + 2;
    if (!std::isfinite(span) || span < 0 || span >= kMaxProfilePoints || !std::isfinite(across) ||
        (span + across) * across > kMaxProfileSums)
        return profile;
    const int reach = int(std::floor(radius / step));
    // Half the aperture's chord, in grid points, at each offset along s.
    std::vector<int> chord(2 * reach + 1);
    int points = 0;
    for (int m = -reach; m <= reach; ++m) {
        const double dv = std::sqrt(std::max(0.0, radius * radius - m * step * (m * step)));
        chord[m + reach] = int(std::floor(dv / step));
        points += 2 * chord[m + reach] + 1;
    }
    const int count = int(std::floor((s1 - s0) / step)) + 1;
    const int columns = count + 2 * reach;
    const int height = 2 * reach + 1;
    // Running sums down each column across the aperture, so that a chord is
    // one difference.
    std::vector<int> sums(size_t(columns) * (height + 1));
    const int w = grey.width(), h = grey.height();
    for (int c = 0; c < columns; ++c) {
        const double s = s0 + (c - reach) * step;
        int* column = &sums[size_t(c) * (height + 1)];
        column[0] = 0;
        for (int k = 0; k < height; ++k) {
            const QPointF p = frame.At(s, t + (k - reach) * step);
            const int x = std::clamp(int(std::floor(p.x())), 0, w - 1);
            const int y = std::clamp(int(std::floor(p.y())), 0, h - 1);
            const int value = grey.constScanLine(y)[x];
            column[k + 1] = column[k] + value;
        }
    }
    profile.start = s0;
    profile.step = step;
    profile.r.resize(count);
    for (int i = 0; i < count; ++i) {
        long total = 0;
        for (int m = 0; m <= 2 * reach; ++m) {
            const int* column = &sums[size_t(i + m) * (height + 1)];
            const int half = chord[m];
            total += column[reach + half + 1] - column[reach - half];
        }
        profile.r[i] = double(total) / (255.0 * points);
    }
    return profile;
}

}  // namespace verify
