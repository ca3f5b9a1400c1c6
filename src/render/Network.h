#pragma once

#include <QString>
#include <QStringList>

// How a network shows a profile picture.
enum class NetworkShape { Circle, Rounded, Square };

// One network of a set: its square upload and what its files must meet.
struct Network {
    static constexpr NetworkShape kShapes[] = {NetworkShape::Circle, NetworkShape::Rounded,
                                               NetworkShape::Square};

    QString id;   // letters a-z, digits and '-': names its file ("me_<id>.jpg") and its views
    QString name; // for people: "Microsoft Teams"
    int size = 0; // side of the square upload in pixels
    NetworkShape shape = NetworkShape::Circle;
    qint64 maxBytes = 0; // largest file it takes; 0 none
    QStringList formats; // extensions it accepts ("jpg", "png", "gif", ...); "jpg" always
    QString source;      // where the figures come from

    // The format its file is written in when the user chose `chosen`: that
    // one if the network takes it, else JPEG, which every network takes.
    QString FormatFor(const QString& chosen) const;

    // The shape's name in the data file and in tables: "circle", "rounded", "square".
    static QString ShapeName(NetworkShape shape);
};
