#include "batch/BatchProgram.h"

#include "batch/JobList.h"
#include "batch/PictureJob.h"
#include "batch/ProgressLine.h"
#include "batch/WorkerPool.h"
#include "render/FaceFinder.h"

#include <QCoreApplication>
#include <QDir>
#include <malloc.h>
#include <memory>

namespace {

// Larger than the planes of a picture at the largest processed size.
constexpr int kHeldAllocation = 128 << 20;

} // namespace

void BatchProgram::HoldFreedMemory() {
    mallopt(M_MMAP_THRESHOLD, kHeldAllocation);
    mallopt(M_TRIM_THRESHOLD, 4 * kHeldAllocation);
}

int BatchProgram::Run(const BatchOptions& options, QIODevice& input, FILE* errors) {
    const QList<BatchJob> jobs = JobList::Collect(options, input);
    if (!QDir().mkpath(options.outFolder)) {
        std::fprintf(errors, "%s: %s: the output folder can't be made\n",
                     qPrintable(QCoreApplication::applicationName()),
                     qPrintable(options.outFolder));
        return kSomeFailed;
    }
    std::unique_ptr<FaceFinder> finder;
    if (options.selection == SelectionChoice::Face) {
        finder = std::make_unique<FaceFinder>();
        if (!finder->IsAvailable()) {
            std::fprintf(errors, "%s: --select face: %s\n",
                         qPrintable(QCoreApplication::applicationName()),
                         qPrintable(finder->UnavailableReason()));
            return kSomeFailed;
        }
    }
    ProgressLine progress(errors, int(jobs.size()), ProgressLine::IsTerminal(errors),
                          options.quiet);
    const PictureJob::Photos photos = PictureJob::PhotosOf(jobs);
    WorkerPool::Run(int(jobs.size()), options.jobs, [&]() -> WorkerPool::Worker {
        auto job = std::make_shared<PictureJob>(options, photos, finder.get());
        return [job, &jobs, &progress](int i) {
            const JobOutcome outcome = job->Run(jobs[i]);
            if (!outcome.warning.isEmpty()) {
                progress.Warn(jobs[i].path, outcome.warning);
            }
            progress.Done(jobs[i].path, outcome.files, outcome.errors, outcome.skipped);
        };
    });
    progress.Finish();
    return progress.Failed() > 0 ? kSomeFailed : kAllWritten;
}
