#pragma once

#include "render/NetworkSet.h"

#include <QString>
#include <QStringList>

// A set as loaded, and what was wrong with the user's file: empty when it is
// fine or absent; else one line naming the file and the fault, and the set is
// the shipped one whole.
struct LoadedNetworkSet {
    NetworkSet set;
    QString message;
};

// The two network sets. The classic one is the five networks of the thirteen
// targets; today's is a data file compiled in (NetworkFile tells its
// format), which the user's networks.json amends: a network of the same id
// replaces the shipped one whole, a new id is added after the shipped ones.
class NetworkSets {
public:
    NetworkSets() = delete;

    static constexpr char kClassicKey[] = "2012";
    static constexpr char kTodayKey[] = "today";

    // "2012", "today".
    static QStringList Keys();
    // The set of that key; an unknown key gives an empty set and a message.
    static LoadedNetworkSet Load(const QString& key);

    // The five networks in the order their files are written, each with its
    // largest target's size, no byte limit, every writable format.
    static NetworkSet Classic();
    // The shipped networks amended by the user's file.
    static LoadedNetworkSet Today();
    // Where the user's file is looked for: $XDG_CONFIG_HOME/trellica/networks.json.
    static QString UserFilePath();
};
