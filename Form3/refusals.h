#pragma once

// What the print dialog says when a list cannot be read or a file written.

#include <QString>

#include "pipeline/listfile.h"

// Why the list named path is not read.
QString ListRefusal(const QString& path, const pipeline::ListOpening& opened);

// Why a file could not be written, from the system's errno value.
QString WriteFailure(int err);
