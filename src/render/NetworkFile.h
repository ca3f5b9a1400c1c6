#pragma once

#include "render/Network.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// What one data file holds: its networks in order, or what is wrong with it.
struct NetworkFileContents {
    QList<Network> networks;
    QString error; // "line 4, column 7: ...", "networks[3].size: ..."; empty when fine
};

// A file of networks, in JSON:
//   {"networks": [{"id": "x", "name": "X", "size": 400, "shape": "circle",
//                  "maxBytes": 2000000, "formats": ["jpg", "png"], "source": "..."}]}
// id, name, size and shape are required; maxBytes (0), formats (["jpg"]) and
// source ("") may be left out; any other field is a fault, so a misspelt one
// is not silently ignored. Networks are counted from 0.
class NetworkFile {
public:
    NetworkFile() = delete;

    // What a network may be. Ids name files and views: letters a-z, digits
    // and '-' (not first), so never '/', '.' or empty.
    static constexpr int kMaxIdLength = 32;
    static constexpr int kMaxNameLength = 64;
    static constexpr int kMaxSourceLength = 300;
    static constexpr int kMinSize = 16;
    static constexpr int kMaxSize = 2048;
    static constexpr qint64 kMinMaxBytes = 1024; // or 0: no limit
    static constexpr qint64 kMaxMaxBytes = 1000000000;
    static constexpr int kMaxNetworks = 64;
    static constexpr qint64 kMaxFileBytes = 1 << 20;

    // The formats a file may list, whether Trellica writes them or not.
    static const QStringList& KnownFormats();

    // The networks of a file's contents.
    static NetworkFileContents Parse(const QByteArray& data);
    // The networks of the file at path: none and no error when there is no
    // file; an error for a folder, a device, a file above 1 MiB or unreadable.
    static NetworkFileContents Read(const QString& path);
};
