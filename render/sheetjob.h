#pragma once

// Labels on sheets from the command line: one code or every line of a list,
// each as many times as asked, into one PDF of A4 pages.

#include "exitstatus.h"
#include "options.h"

namespace render {

// Writes the PDF of options.output. The sheet, the fitted magnification and
// the list's bad lines are reported on standard error; nothing is written
// when the sheet or its labels do not allow a symbol.
ExitStatus RunSheet(const Options& options);

}  // namespace render
