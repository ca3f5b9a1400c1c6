#pragma once

#include "batch/BatchOptions.h"
#include "batch/JobList.h"
#include "render/Renderer.h"

#include <QString>

// What became of one picture.
struct JobOutcome {
    int files = 0; // files written
    QString error; // why the picture failed, one line; empty when it didn't
};

// Makes the files of one photo after another: reads it, renders it as the
// window would, writes its files, and keeps nothing of it afterwards. One per
// worker thread.
class PictureJob {
public:
    explicit PictureJob(const BatchOptions& options);

    JobOutcome Run(const BatchJob& job);

private:
    QString Refusal(const BatchJob& job) const;
    RenderRequest Request(const QImage& picture, const FloatRect& selection) const;

    const BatchOptions& _options;
    Renderer _renderer;
};
