#include "render/NetworkFile.h"

#include "render/PictureEncoder.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <cmath>

namespace {

constexpr char kNetworks[] = "networks";
const QStringList kFields{"id", "name", "size", "shape", "maxBytes", "formats", "source"};

NetworkFileContents Fault(const QString& error) {
    NetworkFileContents contents;
    contents.error = error;
    return contents;
}

// Where the parser stopped, as an editor counts: line and column from 1.
QString Position(const QByteArray& data, qsizetype offset) {
    const QByteArray before = data.left(offset);
    const QString line = QString::fromUtf8(before.mid(before.lastIndexOf('\n') + 1));
    return QStringLiteral("line %1, column %2").arg(before.count('\n') + 1).arg(line.size() + 1);
}

QString ReadId(const QJsonObject& object, const QString& where, QString* id) {
    static const QRegularExpression kId(QRegularExpression::anchoredPattern(
        QStringLiteral("[a-z0-9][a-z0-9-]{0,%1}").arg(NetworkFile::kMaxIdLength - 1)));
    *id = object.value("id").toString();
    if (!object.contains("id")) {
        return where + ".id: missing";
    }
    if (!object.value("id").isString() || !kId.match(*id).hasMatch()) {
        return where + QStringLiteral(".id: must be 1 to %1 letters a-z, digits or '-', not "
                                      "starting with '-'")
                           .arg(NetworkFile::kMaxIdLength);
    }
    return QString();
}

QString ReadText(const QJsonObject& object, const QString& where, const char* key, int maxLength,
                 bool required, QString* text) {
    const QJsonValue value = object.value(key);
    *text = value.toString().trimmed();
    if (value.isUndefined() && !required) {
        return QString();
    }
    if (!value.isString() || text->size() > maxLength || (required && text->isEmpty())) {
        return where + QStringLiteral(".%1: must be %2text of at most %3 characters")
                           .arg(key, required ? "a non-empty " : "", QString::number(maxLength));
    }
    return QString();
}

// A whole number from low to high (or 0 when zeroAllowed), or an error.
QString ReadNumber(const QJsonObject& object, const QString& where, const char* key, qint64 low,
                   qint64 high, bool zeroAllowed, qint64* number) {
    const QJsonValue value = object.value(key);
    const double given = value.toDouble(-1.0);
    if (value.isUndefined() && zeroAllowed) {
        *number = 0;
        return QString();
    }
    if (value.isDouble() && given == std::floor(given) &&
        ((given >= double(low) && given <= double(high)) || (zeroAllowed && given == 0.0))) {
        *number = qint64(given);
        return QString();
    }
    return where + QStringLiteral(".%1: must be %2a whole number from %3 to %4")
                       .arg(key, zeroAllowed ? "0 (no limit) or " : "", QString::number(low),
                            QString::number(high));
}

QString ReadShape(const QJsonObject& object, const QString& where, NetworkShape* shape) {
    const QString name = object.value("shape").toString();
    for (NetworkShape known : Network::kShapes) {
        if (object.value("shape").isString() && name == Network::ShapeName(known)) {
            *shape = known;
            return QString();
        }
    }
    return where + QStringLiteral(".shape: must be circle, rounded or square");
}

QString ReadFormats(const QJsonObject& object, const QString& where, QStringList* formats) {
    // Every network takes the format a file falls back to.
    const QString fallback = QLatin1String(PictureEncoder::kFitFormat);
    const QJsonValue value = object.value("formats");
    *formats = QStringList{fallback};
    if (value.isUndefined()) {
        return QString();
    }
    const QString fault = where + QStringLiteral(".formats: must be a list of %1, with %2")
                                      .arg(NetworkFile::KnownFormats().join(", "), fallback);
    formats->clear();
    for (const QJsonValue& format : value.toArray()) {
        if (!NetworkFile::KnownFormats().contains(format.toString())) {
            return fault;
        }
        *formats << format.toString();
    }
    formats->removeDuplicates();
    return value.isArray() && formats->contains(fallback) ? QString() : fault;
}

QString ReadNetwork(const QJsonValue& value, const QString& where, Network* network) {
    if (!value.isObject()) {
        return where + ": must be an object";
    }
    const QJsonObject object = value.toObject();
    for (const QString& key : object.keys()) {
        if (!kFields.contains(key)) {
            return where + QStringLiteral(": unknown field \"%1\"").arg(key);
        }
    }
    // Every field is read; the first fault in this order is the one told.
    qint64 size = 0;
    const QString errors[] = {
        ReadId(object, where, &network->id),
        ReadText(object, where, "name", NetworkFile::kMaxNameLength, true, &network->name),
        ReadNumber(object, where, "size", NetworkFile::kMinSize, NetworkFile::kMaxSize, false,
                   &size),
        ReadShape(object, where, &network->shape),
        ReadNumber(object, where, "maxBytes", NetworkFile::kMinMaxBytes, NetworkFile::kMaxMaxBytes,
                   true, &network->maxBytes),
        ReadFormats(object, where, &network->formats),
        ReadText(object, where, "source", NetworkFile::kMaxSourceLength, false, &network->source),
    };
    network->size = int(size);
    for (const QString& error : errors) {
        if (!error.isEmpty()) {
            return error;
        }
    }
    return QString();
}

} // namespace

const QStringList& NetworkFile::KnownFormats() {
    static const QStringList formats{"jpg", "png", "gif", "webp", "tif", "bmp", "heic"};
    return formats;
}

NetworkFileContents NetworkFile::Parse(const QByteArray& data) {
    QJsonParseError parsed{};
    const QJsonDocument document = QJsonDocument::fromJson(data, &parsed);
    if (parsed.error != QJsonParseError::NoError) {
        return Fault(Position(data, parsed.offset) + ": " + parsed.errorString());
    }
    const QJsonObject top = document.object();
    if (!document.isObject() || !top.value(kNetworks).isArray() || top.size() != 1) {
        return Fault(QStringLiteral("must be an object with one field, a \"networks\" list"));
    }
    const QJsonArray list = top.value(kNetworks).toArray();
    if (list.size() > kMaxNetworks) {
        return Fault(QStringLiteral("networks: at most %1 networks").arg(kMaxNetworks));
    }
    NetworkFileContents contents;
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QString where = QStringLiteral("networks[%1]").arg(i);
        Network network;
        const QString error = ReadNetwork(list[i], where, &network);
        if (!error.isEmpty()) {
            return Fault(error);
        }
        for (qsizetype j = 0; j < contents.networks.size(); ++j) {
            if (contents.networks[j].id == network.id) {
                return Fault(QStringLiteral("%1.id: \"%2\" is already networks[%3]")
                                 .arg(where, network.id, QString::number(j)));
            }
        }
        contents.networks << network;
    }
    return contents;
}

NetworkFileContents NetworkFile::Read(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) {
        return {};
    }
    const QString tooLarge = QStringLiteral("larger than %1 bytes").arg(kMaxFileBytes);
    // A folder, a pipe or a device is never opened: reading one could block.
    if (!info.isFile()) {
        return Fault(QStringLiteral("not a regular file"));
    }
    if (info.size() > kMaxFileBytes) {
        return Fault(tooLarge);
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return Fault(file.errorString());
    }
    const QByteArray data = file.read(kMaxFileBytes + 1);
    return data.size() > kMaxFileBytes ? Fault(tooLarge) : Parse(data);
}
