#include "render/NetworkSetFiles.h"

#include "render/Renderer.h"

QString FittedFile::FitNote() const {
    if (!encoded.changed) {
        return QString();
    }
    return QStringLiteral("%1 quality %2")
        .arg(PictureEncoder::FormatName(encoded.format), QString::number(encoded.quality));
}

RenderRequest NetworkSetFiles::AtSide(RenderRequest request, const NetworkSet& set,
                                      const QStringList& chosenIds) {
    request.processedSide = float(set.ProcessedSide(chosenIds));
    return request;
}

QImage NetworkSetFiles::Picture(const Renderer& renderer, const NetworkSet& set,
                                const PlannedFile& file, const TextLine& text) {
    const Network* network = set.Find(file.network);
    return network ? renderer.NetworkPicture(float(network->size), text)
                   : renderer.WholePicture(text);
}

FittedFile NetworkSetFiles::Encode(const NetworkSet& set, const PlannedFile& file,
                                   const QImage& picture) {
    const Network* network = set.Find(file.network);
    FittedFile fitted{
        file.path, PictureEncoder::Encode(picture, file.format, network ? network->maxBytes : 0)};
    const EncodedPicture& encoded = fitted.encoded;
    if (!encoded.bytes.isEmpty() && encoded.format != file.format) {
        fitted.path = ProfileFiles::RemoveExtension(file.path) + QLatin1Char('.') + encoded.format;
    }
    return fitted;
}
