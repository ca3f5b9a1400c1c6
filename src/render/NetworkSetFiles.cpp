#include "render/NetworkSetFiles.h"

#include "render/Renderer.h"

QString FittedFile::FitNote() const {
    if (!encoded.changed) {
        return QString();
    }
    return QStringLiteral("%1 quality %2")
        .arg(PictureEncoder::FormatName(encoded.format), QString::number(encoded.quality));
}

namespace {

constexpr int kWholePicture = -1;

} // namespace

NetworkSetFiles::NetworkSetFiles(const Renderer& renderer, const NetworkSet& set,
                                 const TextLine& text)
    : _renderer(renderer), _set(set), _text(text) {}

RenderRequest NetworkSetFiles::AtSide(RenderRequest request, const NetworkSet& set,
                                      const QStringList& chosenIds) {
    request.processedSide = float(set.ProcessedSide(chosenIds));
    return request;
}

int NetworkSetFiles::SideOf(const PlannedFile& file) const {
    const Network* network = _set.Find(file.network);
    return network ? network->size : kWholePicture;
}

QImage NetworkSetFiles::Picture(const PlannedFile& file) {
    const int side = SideOf(file);
    const auto known = _pictures.find(side);
    if (known != _pictures.end()) {
        return known->second;
    }
    const QImage picture = side == kWholePicture ? _renderer.WholePicture(_text)
                                                 : _renderer.NetworkPicture(float(side), _text);
    _pictures.emplace(side, picture);
    return picture;
}

QImage NetworkSetFiles::WholePicture() {
    return Picture(PlannedFile{});
}

FittedFile NetworkSetFiles::Encode(const PlannedFile& file) {
    const Network* network = _set.Find(file.network);
    const qint64 limit = network ? network->maxBytes : 0;
    const auto key = std::make_tuple(SideOf(file), file.format, limit);
    auto known = _encoded.find(key);
    if (known == _encoded.end()) {
        known =
            _encoded.emplace(key, PictureEncoder::Encode(Picture(file), file.format, limit)).first;
    }
    FittedFile fitted{file.path, known->second};
    const EncodedPicture& encoded = fitted.encoded;
    if (!encoded.bytes.isEmpty() && encoded.format != file.format) {
        fitted.path = ProfileFiles::RemoveExtension(file.path) + QLatin1Char('.') + encoded.format;
    }
    return fitted;
}
