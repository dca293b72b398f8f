#pragma once

// Labels on a printer of the system's print service: its own resolution,
// which Qt's print support does not ask, and the module and bar edges on its
// whole dots. The print dialog and stripewell-render --print both print
// through these.

#include "labelplan.h"

class QPageSize;
class QPrinter;
class QString;
struct _ipp_attribute_s;  // the print service's ipp_attribute_t

namespace pipeline {

// The resolution the printer prints at unless told otherwise, as its print
// service says (Qt's print support assumes 1200 dpi for every printer); 0
// when it says none.
int PrinterDpi(const QString& name);

// The dots per inch of the print service's resolution attribute (its
// first value); 0 for none.
int ResolutionDpi(_ipp_attribute_s* attribute);

// For a printer of the print service: print at the resolution the service
// gives for it. Nothing for a printer that writes a PDF file.
void UsePrintersDots(QPrinter* printer);

// Puts page, one of the printer's media or a size of one's own, on the
// printer. Qt writes the page in whole points, and a size of one's own
// named by its media name alone lets the print service pick any medium of
// the printer within 5 points of it (or, with none, the size cut to whole
// points below); its filters centre the page on that, a fraction of a dot
// off the driver's dots, which widens every bar by a dot and narrows every
// space. So a size of one's own is sent as the nearest whole points, asked
// for as the driver's PageSize in those points, page and paper one size.
// False when the printer does not take the page.
bool SetPrintersPage(QPrinter* printer, const QPageSize& page);

// The style's bar edges and the start of the dots of the printer's page.
void FitStyleToPrinter(const QPrinter& printer, LabelStyle* style);

// The same, for a page that may be turned: on a landscape page the dots
// start where the print service turns the paper's first dot to.
void FitStyleToPrintersPage(const QPrinter& printer, LabelStyle* style);

}  // namespace pipeline
