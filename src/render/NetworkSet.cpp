#include "render/NetworkSet.h"

#include <algorithm>

const Network* NetworkSet::Find(const QString& id) const {
    for (const Network& network : networks) {
        if (network.id == id) {
            return &network;
        }
    }
    return nullptr;
}

QStringList NetworkSet::Ids() const {
    QStringList ids;
    for (const Network& network : networks) {
        ids << network.id;
    }
    return ids;
}

int NetworkSet::ProcessedSide(const QStringList& chosenIds) const {
    int side = kMinProcessedSide;
    for (const QString& id : chosenIds) {
        if (const Network* network = Find(id)) {
            side = std::max(side, network->size);
        }
    }
    return std::min(side, kMaxProcessedSide);
}
