#pragma once

// A scan reflectance profile: reflectance along one scan line, each point
// the mean over a circular aperture centred on it.

#include <QImage>
#include <QList>

#include "finder.h"

namespace verify {

struct Profile {
    double start = 0;  // s of the first point, in pixels
    double step = 0;   // between points, in pixels
    QList<double> r;   // reflectance, 0 to 1: grey level / 255

    double S(qsizetype i) const { return start + double(i) * step; }
};

// The profile at t from s0 to s1 through an aperture of diameter pixels.
// The picture is taken as a grid of uniform square pixels, so each point is
// the aperture's area-weighted mean of the pixels under it (sampled on a grid
// of a sixteenth of the aperture or a quarter pixel, the finer). Beyond its
// edges the picture's outermost pixels go on, as a file cropped to the
// symbol's own quiet zones means.
// A profile that would hold more points than kMaxProfilePoints is returned
// empty.
inline constexpr double kMaxProfilePoints = 1 << 22;
Profile SampleProfile(const QImage& grey, const Frame& frame, double t, double s0, double s1,
                      double diameter);

}  // namespace verify
