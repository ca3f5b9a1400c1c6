#pragma once

#include "image/Orientation.h"
#include "render/CardStyle.h"
#include "render/NetworkSets.h"
#include "render/ProfileTargets.h"
#include "render/RenderRequest.h"

#include <QColor>
#include <QString>
#include <QStringList>
#include <bitset>
#include <optional>

// Where the selection of each photo comes from.
enum class SelectionChoice {
    CenteredSquare, // the largest centred square
    Face,           // around the largest face
    Rectangle,      // the same rectangle on every photo
};

// A rectangle in a photo's pixels, origin top-left, as image editors show it.
// Each number fits 32 bits; sums and products are taken in 64.
struct PhotoRectangle {
    qint64 x = 0;
    qint64 y = 0;
    qint64 width = 0;
    qint64 height = 0;
};

// Everything one run of trellica-batch was asked for. Every default is the
// window's own when it starts.
struct BatchOptions {
    QStringList pictures; // files, folders and "-" as given
    QString outFolder;
    SelectionChoice selection = SelectionChoice::CenteredSquare;
    PhotoRectangle rectangle;
    Orientation orientation; // the photo turned before the selection is made on it
    LookSet looks;
    QColor colorize = QColor(Qt::red);
    TextLine text{QString(), 8.0f, QColor(Qt::black), QColor(Qt::white), true, 0.0f, 0.0f, QFont()};
    // The network set and the ids of its networks written, in the set's order.
    NetworkSet set = NetworkSets::Classic();
    QStringList networks = set.Ids();
    // What was wrong with the user's networks file; the shipped set is used.
    QString setNotice;
    bool whole = true; // the whole processed picture as well
    QString format = QStringLiteral("tif");
    int jobs = 1;
    bool force = false;        // replace existing files
    bool skipExisting = false; // write only the files that are missing
    bool quiet = false;
    MoreLookSet moreLooks; // after the looks, in the window's order
    // The presentation card of the whole picture, written as STEM_card; none at first.
    std::optional<CardStyle> card;
};
