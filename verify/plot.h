#pragma once

// The middle scan line's reflectance profile as a picture.

#include <QImage>

namespace verify {

struct Verification;

// The profile with its element edges, the global threshold, Rmin and Rmax,
// each element's width in modules, and every scan line's grade.
QImage DrawPlot(const Verification& v);

}  // namespace verify
