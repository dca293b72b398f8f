#pragma once

// The exit statuses of stripewell-render, as --help and README.md list them.

namespace render {

enum ExitStatus : int {
    kExitOk = 0,
    // The command line cannot be followed: an unknown option, a missing or
    // out-of-range value, options that do not go together.
    kExitUsage = 1,
    // The digits were refused: a character that is not a digit, a wrong
    // number of digits, or a wrong check digit.
    kExitRefused = 2,
    // Nothing was written: the file exists and --force was not given, the
    // file or folder cannot be written, or the batch list cannot be read. Also
    // a batch stopped by an error that every later line would meet too (a
    // full or read-only file system, a folder it may not write), or whose
    // files could not be made safe on disk at its end.
    kExitNotWritten = 3,
    // A batch ran to its end but at least one of its lines failed; every
    // other line's file was written.
    kExitBatchLinesFailed = 4,
    // 5 to 8 are --verify's: see verify/verify.h.
};

}  // namespace render
