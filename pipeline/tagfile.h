#pragma once

// One tag as a file of its own: the label painter's tag on a page as large
// as the label, as PDF, SVG, or a PNG or BMP picture of black and white.

#include <QByteArray>
#include <QSizeF>
#include <QString>

#include <optional>

#include "labelplan.h"
#include "price.h"
#include "symbolfile.h"

namespace pipeline {

// One tag as a file of its own, labelMm large: PDF, SVG, or PNG/BMP at
// output.dpi (1-bit). Empty, with the reason in error, when the tag cannot
// be drawn at that size or the file cannot be made; doesNotFit, when
// given, says whether it was the size (the label, its dots, the bar width
// reduction) that refused it.
QByteArray TagFile(const SymbolOutput& output, QSizeF labelMm, const LabelAsk& ask,
                   const QString& name, const symbol::SymbolCode& code,
                   const std::optional<TagPrice>& price, QString* error,
                   bool* doesNotFit = nullptr);

}  // namespace pipeline
