#pragma once

#include "batch/BatchOptions.h"
#include "batch/JobList.h"
#include "render/Renderer.h"

#include <QString>

class FaceFinder;

// What became of one picture.
struct JobOutcome {
    int files = 0;   // files written
    QString error;   // why the picture failed, one line; empty when it didn't
    QString warning; // what went otherwise than asked; the files are written all the same
};

// Makes the files of one photo after another: reads it, renders it as the
// window would, writes its files, and keeps nothing of it afterwards. One per
// worker thread.
class PictureJob {
public:
    // finder, shared by every job, finds faces for --select face.
    explicit PictureJob(const BatchOptions& options, const FaceFinder* finder = nullptr);

    JobOutcome Run(const BatchJob& job);

private:
    QString Refusal(const BatchJob& job) const;
    RenderRequest Request(const QImage& picture, const FloatRect& selection) const;

    const BatchOptions& _options;
    const FaceFinder* _finder;
    Renderer _renderer;
};
