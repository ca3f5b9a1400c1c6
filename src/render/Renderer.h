#pragma once

#include "render/RenderRequest.h"
#include "render/RenderResult.h"

#include <QImage>
#include <array>

// The rendering pipeline without a window. A full run cuts the selection out
// of the source, fits it into 512 x 512 and applies the looks in table order;
// a cached run reuses the processed picture of the last full run. Either way
// the thirteen targets are fitted from it and get the text line.
//
// A run is full when the source, the selection, the looks or (with Colorize
// on) the colorize colour differ from the last full run, or after
// Invalidate(). Text changes never need a full run. A full run for the same
// source and selection reuses the fitted selection: it depends on nothing else.
class Renderer {
public:
    static constexpr float kProcessedSide = 512.0f;

    Renderer();
    ~Renderer();
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    RenderResult Render(const RenderRequest& request);
    // The next run is a full one whatever the request says.
    void Invalidate();

    // The processed picture of the last full run (null before one).
    const QImage& Processed() const { return _processed; }
    // The processed picture at its own size with the text line on it, the text
    // scaled to the picture's width: what is saved as the whole picture. Null
    // before a run.
    QImage WholePicture(const TextLine& text) const;

private:
    bool NeedsFullRun(const RenderRequest& request) const;
    void MakeProcessed(const RenderRequest& request);
    void FitTargets();
    QImage Target(size_t row, const TextLine& text, const QImage& first) const;

    // The selection fitted to 512 x 512 before the looks, kept while the source
    // and the selection stay: switching a look skips cutting and fitting.
    QImage _selectionFitted;
    qint64 _fittedSourceKey = 0;
    FloatRect _fittedSelection{};
    QImage _processed;
    // The targets fitted from the processed picture, before any text: a cached
    // run only draws the text.
    std::array<QImage, ProfileTargets::kTargetCount> _fitted;
    bool _valid = false;
    qint64 _sourceKey = 0;
    FloatRect _selection{};
    LookSet _looks;
    QColor _colorize;
};
