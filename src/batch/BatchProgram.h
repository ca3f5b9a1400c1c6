#pragma once

#include "batch/BatchOptions.h"

#include <QIODevice>
#include <cstdio>

// One run of trellica-batch over its pictures, on options.jobs threads.
class BatchProgram {
public:
    BatchProgram() = delete;

    static constexpr int kAllWritten = 0;
    static constexpr int kSomeFailed = 1;
    static constexpr int kUsageError = 2;

    // Makes every picture's files; the exit status. Paths for "-" come from
    // input; errors, progress and the summary go to errors.
    static int Run(const BatchOptions& options, QIODevice& input, FILE* errors);
    // Keeps freed large blocks in the heap for the next picture: every picture
    // allocates and frees the same large planes, which mapped afresh each time
    // would cost a page fault per page. Once, before the first run.
    static void HoldFreedMemory();
};
