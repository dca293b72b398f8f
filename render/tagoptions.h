#pragma once

// The options of price tags and shelf labels: --design, the price and its
// tax, the wording of the price without tax, --label-size and the in-store
// codes.

#include <QString>

#include "options.h"
#include "optiontable.h"

namespace render {

// Reads them into options: a tag design reads its price (single mode) from
// --price or --price-with-tax, a list's from its columns; the symbol design
// takes none of them. An error message, or empty.
QString ReadTags(const OptionTable& o, Options* options);

}  // namespace render
