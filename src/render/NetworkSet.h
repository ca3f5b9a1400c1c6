#pragma once

#include "render/Network.h"

#include <QList>
#include <QString>
#include <QStringList>

// A named list of networks, in the order their files are written.
struct NetworkSet {
    // Sides of the processed picture of a run for this set's files.
    static constexpr int kMinProcessedSide = 512;
    static constexpr int kMaxProcessedSide = 2048;

    QString key;  // "2012", "today": as the command line names it
    QString name; // for people: "Networks of today"
    QList<Network> networks;

    // The network with this id, or nullptr.
    const Network* Find(const QString& id) const;
    // The ids in the set's order.
    QStringList Ids() const;
    // The side S of the processed picture for the chosen networks: the largest
    // of their sizes, at least 512 and at most 2048 (512 when none is chosen).
    // Unknown ids are ignored.
    int ProcessedSide(const QStringList& chosenIds) const;
};
