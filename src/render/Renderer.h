#pragma once

#include "render/RenderRequest.h"
#include "render/RenderResult.h"

#include <QImage>
#include <array>

// The rendering pipeline without a window. A full run cuts the selection out
// of the source, fits it into S x S (512 unless the request says otherwise)
// and applies the looks in table order at the scale S / 512, then the more
// looks in theirs (as they are at any side); a cached run
// reuses the processed picture of the last full run. Either way the thirteen
// targets are fitted from it and get the text line.
//
// A run is full when the source, the selection, the side, any looks or (with
// Colorize on) the colorize colour differ from the last full run, or after
// Invalidate(). Text changes never need a full run. A full run for the same
// source, selection and side reuses the fitted selection: it depends on
// nothing else.
class Renderer {
public:
    static constexpr float kProcessedSide = ProfileTargets::kLookSide;

    Renderer();
    ~Renderer();
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    RenderResult Render(const RenderRequest& request);
    // The processed picture for the request, made by a full run when needed,
    // without the thirteen targets: what a run for one network set's files needs.
    const QImage& Process(const RenderRequest& request);
    // The next run is a full one whatever the request says.
    void Invalidate();

    // The processed picture of the last full run (null before one).
    const QImage& Processed() const { return _processed; }
    // The processed picture at its own size with the text line on it, the text
    // scaled to the picture's width: what is saved as the whole picture. Null
    // before a run.
    QImage WholePicture(const TextLine& text) const;
    // A network's picture: the processed picture fitted into size x size with
    // the text line at that size, as a target of that size gets it. Null
    // before a run.
    QImage NetworkPicture(float size, const TextLine& text) const;

private:
    bool NeedsFullRun(const RenderRequest& request) const;
    void MakeProcessed(const RenderRequest& request);
    void FitTargets();
    QImage Target(size_t row, const TextLine& text, const QImage& first) const;

    // The selection fitted to S x S before the looks, kept while the source,
    // the selection and the side stay: switching a look skips cutting and fitting.
    QImage _selectionFitted;
    qint64 _fittedSourceKey = 0;
    FloatRect _fittedSelection{};
    float _fittedSide = 0.0f;
    QImage _processed;
    // The targets fitted from the processed picture, before any text: a cached
    // run only draws the text.
    std::array<QImage, ProfileTargets::kTargetCount> _fitted;
    bool _targetsFitted = false;
    bool _valid = false;
    qint64 _sourceKey = 0;
    FloatRect _selection{};
    float _side = 0.0f;
    LookSet _looks;
    MoreLookSet _moreLooks;
    QColor _colorize;
};
