// Feeds arbitrary bytes to the sheet file reader as the text of a sheet
// file. What it accepts must be a sheet that lies on the A4 page with its
// labels apart; what it refuses must say why on one line.

#include <QString>
#include <cstdint>
#include <cstdlib>

#include "pipeline/sheet.h"
#include "require.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const pipeline::SheetFile read = pipeline::ParseSheetText(text, QStringLiteral("fuzz.txt"));
    if (!read.sheet) {
        Require(IsOneLineMessage(read.error));
        return 0;
    }
    const pipeline::SheetTemplate& sheet = *read.sheet;
    Require(read.error.isEmpty() && pipeline::SheetProblem(sheet).isEmpty());
    Require(sheet.columns >= 1 && sheet.rows >= 1 && sheet.LabelsPerPage() <= 999 * 999);
    const QRectF last = sheet.LabelRect(sheet.LabelsPerPage() - 1);
    Require(last.right() <= pipeline::kA4Width + 0.01 &&
            last.bottom() <= pipeline::kA4Height + 0.01);
    Require(sheet.labelWidth > 0 && sheet.labelHeight > 0);
    // Every place of the page is found again from its label's index.
    const pipeline::LabelSlot slot = pipeline::SlotOf(sheet, 0, sheet.LabelsPerPage());
    Require(slot.page == 1 && slot.index == 0);
    return 0;
}
