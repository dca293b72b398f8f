#include "symbolfile.h"

namespace pipeline {

const char* FormatName(Format format) {
    switch (format) {
        case Format::Bmp:
            return "bmp";
        case Format::Png:
            return "png";
        case Format::Svg:
            return "svg";
        case Format::Pdf:
            return "pdf";
    }
    return "bmp";
}

}  // namespace pipeline
