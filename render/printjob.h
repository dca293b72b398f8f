#pragma once

// stripewell-render --print: labels painted straight onto a printer of the
// system's print service, at the printer's own resolution, through the
// painter of the label sheets, so that every module is a whole number of the
// printer's dots. On a roll of labels the page is the label.

#include <QString>

#include "exitstatus.h"
#include "options.h"

namespace render {

// --printer list: each printer with its resolution and its media; empty,
// with the print service's reason in error, when it cannot be asked.
QString PrinterListText(QString* error);

// Prints the labels of options on options.printer, or on the default printer
// when that is empty. A printer that does not exist, a print service that
// does not answer and a label too small are refused before anything is sent.
ExitStatus RunPrint(const Options& options);

// --print and --printer list, as parsed asks, its note on standard error
// first. The print service's libraries and Qt's print support (which brings
// the widgets) take longer to load than the rest of a run, so
// stripewell-render links none of them: its version of this runs
// stripewell-render-print in its place with the command line it was given
// (commandLine, main's argv before Qt took its own options out), and
// stripewell-render-print, the same program with printing, prints.
ExitStatus RunPrinting(const ParsedCommandLine& parsed, char** commandLine);

}  // namespace render
