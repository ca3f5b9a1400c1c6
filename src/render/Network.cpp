#include "render/Network.h"

#include "render/PictureEncoder.h"

QString Network::FormatFor(const QString& chosen) const {
    return formats.contains(chosen) ? chosen : QLatin1String(PictureEncoder::kFitFormat);
}

QString Network::ShapeName(NetworkShape shape) {
    switch (shape) {
    case NetworkShape::Rounded:
        return QStringLiteral("rounded");
    case NetworkShape::Square:
        return QStringLiteral("square");
    case NetworkShape::Circle:
        break;
    }
    return QStringLiteral("circle");
}
