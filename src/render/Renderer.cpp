#include "render/Renderer.h"

#include "image/ImageTools.h"
#include "image/QuorelImage.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

bool Same(const FloatRect& a, const FloatRect& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

// The selection cut out and fitted into the processed picture's box.
QImage FittedSelection(const QImage& source, const FloatRect& selection, float side) {
    return ImageTools::ScaleCutOut(source, selection, {side, side});
}

size_t ColorizeRow() {
    static const size_t row = static_cast<size_t>(ProfileTargets::LookIndex("colorize"));
    return row;
}

// The processed picture with the looks applied in table order at its scale,
// then the more looks in theirs, on the same pixel image.
QImage WithLooks(const QImage& picture, const LookSet& looks, const QColor& colorize, float side,
                 const MoreLookSet& moreLooks) {
    if (picture.isNull()) {
        return picture; // nothing to work on: the targets end up empty
    }
    const std::unique_ptr<QuorelImage> image = QuorelImage::InitWithNSImage(picture);
    if (!image) {
        return picture;
    }
    const float scale = side / ProfileTargets::kLookSide;
    ProfileTargets::ApplyLooks(looks, image.get(), colorize, scale);
    for (size_t row = 0; row < MoreLooks::kCount; ++row) {
        if (moreLooks[row]) {
            MoreLooks::Apply(row, image.get());
        }
    }
    return image->Preview();
}

// The upper side x side square of a picture (all of it when smaller).
QImage UpperSquare(const QImage& picture) {
    const float side = ProfileTargets::kUpperSquareSide;
    const float y = std::max(0.0f, static_cast<float>(picture.height()) - side);
    return ImageTools::CutOutImage(picture, {0.0f, y, side, side});
}

// The picture with the text line as a picture of scale size carries it.
QImage WithTextLine(const QImage& picture, float size, const TextLine& line) {
    if (line.text.isEmpty()) {
        return picture;
    }
    const TextPlacement place = ProfileTargets::PlaceText(line.size, size, line.left, line.top);
    if (picture.isNull() || !(place.fontSize > 0.0f)) {
        return picture;
    }
    const QColor background = line.useBackground ? line.background : QColor();
    const FloatRect whole{0.0f, 0.0f, float(picture.width()), float(picture.height())};
    return ImageTools::CutOutImagePlusText(picture, whole, line.text, line.font, place.fontSize,
                                           place.left, place.top, line.colour, background);
}

} // namespace

Renderer::Renderer() = default;

Renderer::~Renderer() = default;

void Renderer::Invalidate() {
    _valid = false;
}

RenderResult Renderer::Render(const RenderRequest& request) {
    RenderResult result;
    result.fullRun = NeedsFullRun(request);
    if (result.fullRun) {
        MakeProcessed(request);
    }
    if (!_targetsFitted) {
        FitTargets();
    }
    result.processed = _processed;
    for (size_t row = 0; row < ProfileTargets::kTargetCount; ++row) {
        result.targets[row] = Target(row, request.text, result.targets[0]);
    }
    return result;
}

const QImage& Renderer::Process(const RenderRequest& request) {
    if (NeedsFullRun(request)) {
        MakeProcessed(request);
    }
    return _processed;
}

bool Renderer::NeedsFullRun(const RenderRequest& request) const {
    const bool colorize = request.looks[ColorizeRow()];
    return !_valid || request.source.cacheKey() != _sourceKey ||
           !Same(request.selection, _selection) || request.processedSide != _side ||
           request.looks != _looks || request.moreLooks != _moreLooks ||
           (colorize && request.colorize != _colorize);
}

void Renderer::MakeProcessed(const RenderRequest& request) {
    _valid = false;
    _processed = QImage(); // the old one's memory goes before the new one is made
    _fitted = {};
    _targetsFitted = false;
    const float side = request.processedSide;
    if (_selectionFitted.isNull() || request.source.cacheKey() != _fittedSourceKey ||
        !Same(request.selection, _fittedSelection) || side != _fittedSide) {
        _selectionFitted = QImage();
        _selectionFitted = FittedSelection(request.source, request.selection, side);
        _fittedSourceKey = request.source.cacheKey();
        _fittedSelection = request.selection;
        _fittedSide = side;
    }
    _processed = _selectionFitted;
    if (request.looks.any() || request.moreLooks.any()) {
        _processed =
            WithLooks(_processed, request.looks, request.colorize, side, request.moreLooks);
    }
    _sourceKey = request.source.cacheKey();
    _selection = request.selection;
    _side = side;
    _looks = request.looks;
    _moreLooks = request.moreLooks;
    _colorize = request.colorize;
    _valid = true;
}

void Renderer::FitTargets() {
    for (size_t row = 0; row < ProfileTargets::kTargetCount; ++row) {
        const ProfileTarget& target = ProfileTargets::Targets()[row];
        const QImage& from =
            target.source == TargetSource::ProcessedPicture ? _processed : UpperSquare(_fitted[0]);
        _fitted[row] = ImageTools::ScaleImage(from, target.box);
    }
    _targetsFitted = true;
}

QImage Renderer::Target(size_t row, const TextLine& text, const QImage& first) const {
    const ProfileTarget& target = ProfileTargets::Targets()[row];
    if (text.text.isEmpty()) {
        return _fitted[row];
    }
    // The text goes onto the upper square's source too, so the small facebook
    // picture shows a piece of the large one's text.
    const QImage fitted = target.source == TargetSource::ProcessedPicture
                              ? _fitted[row]
                              : ImageTools::ScaleImage(UpperSquare(first), target.box);
    return WithTextLine(fitted, target.size, text);
}

QImage Renderer::WholePicture(const TextLine& text) const {
    if (_processed.isNull()) {
        return QImage();
    }
    return WithTextLine(_processed, static_cast<float>(_processed.width()), text);
}

QImage Renderer::NetworkPicture(float size, const TextLine& text) const {
    if (_processed.isNull()) {
        return QImage();
    }
    return WithTextLine(ImageTools::ScaleImage(_processed, {size, size}), size, text);
}
