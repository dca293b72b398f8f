#pragma once

// The exit statuses of stripewell-render, as --help and README.md list them:
// 0 to 4 for drawing and printing, 5 to 8 for --verify (which also ends with
// 0, 1 and 3).

namespace pipeline {

enum ExitStatus : int {
    // Done; with --verify, the symbol meets the grade, its dimensions and
    // --expect.
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
    // files could not be made safe on disk at its end. With --verify, the plot
    // or the report could not be written.
    kExitNotWritten = 3,
    // A batch ran to its end but at least one of its lines failed; every
    // other line's file was written.
    kExitBatchLinesFailed = 4,
    // --verify: the symbol was graded below 1.5, or it reads other digits
    // than --expect.
    kExitDoesNotMeet = 5,
    // --verify: no single symbol was found: none that reads, one without
    // quiet zones, one too small at the scan's resolution, or several.
    kExitNoSymbol = 6,
    // --verify: the scan could not be read.
    kExitUnreadable = 7,
    // --verify: the grade meets 1.5, but the symbol's dimensions do not meet
    // GS1's for retail: X outside 80 to 200 percent, bars cut short, or a
    // quiet zone too narrow.
    kExitDimensionsShort = 8,
};

}  // namespace pipeline
