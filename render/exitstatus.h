#pragma once

// The command line's exit statuses are the program's one list, shared with
// the verifier: see pipeline/exitstatus.h.

#include "pipeline/exitstatus.h"

namespace render {

using pipeline::ExitStatus;
using enum pipeline::ExitStatus;

}  // namespace render
