#include "render/NetworkSets.h"

#include "render/NetworkFile.h"
#include "render/PictureEncoder.h"
#include "render/ProfileTargets.h"

#include <QFile>
#include <QStandardPaths>
#include <algorithm>

// Outside any namespace, as Q_INIT_RESOURCE needs: the data lives in a static
// library, where nothing registers its resources by itself.
static void RegisterNetworkData() {
    Q_INIT_RESOURCE(networks);
}

namespace {

constexpr char kShippedFile[] = ":/trellica/networks.json";
constexpr char kUserFile[] = "/trellica/networks.json";
constexpr char kClassicSource[] = "the largest of the network's targets of 2012";

NetworkFileContents Shipped() {
    static const NetworkFileContents shipped = [] {
        RegisterNetworkData();
        QFile file{QLatin1String(kShippedFile)};
        return file.open(QIODevice::ReadOnly) ? NetworkFile::Parse(file.readAll())
                                              : NetworkFileContents{{}, file.errorString()};
    }();
    return shipped;
}

// The shipped networks with the user's in place of those of the same id and
// the user's new ones after them.
QList<Network> Amended(QList<Network> networks, const QList<Network>& users) {
    for (const Network& user : users) {
        auto same = std::find_if(networks.begin(), networks.end(),
                                 [&](const Network& network) { return network.id == user.id; });
        if (same != networks.end()) {
            *same = user;
        } else {
            networks << user;
        }
    }
    return networks;
}

} // namespace

QStringList NetworkSets::Keys() {
    return {QLatin1String(kClassicKey), QLatin1String(kTodayKey)};
}

LoadedNetworkSet NetworkSets::Load(const QString& key) {
    if (key == QLatin1String(kClassicKey)) {
        return {Classic(), QString()};
    }
    if (key == QLatin1String(kTodayKey)) {
        return Today();
    }
    return {NetworkSet{}, QStringLiteral("No such network set: %1 (the sets are %2)")
                              .arg(key, Keys().join(QStringLiteral(", ")))};
}

NetworkSet NetworkSets::Classic() {
    NetworkSet set{QLatin1String(kClassicKey), QStringLiteral("Networks of 2012"), {}};
    for (const ProfileTarget* target : ProfileTargets::SavedTargets()) {
        const QString id = QLatin1String(target->network);
        // The window of 2012 names each network by its id and shows it round.
        set.networks << Network{id,
                                id,
                                int(target->size),
                                NetworkShape::Circle,
                                0,
                                PictureEncoder::Formats(),
                                QLatin1String(kClassicSource)};
    }
    return set;
}

LoadedNetworkSet NetworkSets::Today() {
    const NetworkFileContents shipped = Shipped();
    LoadedNetworkSet loaded{
        NetworkSet{QLatin1String(kTodayKey), QStringLiteral("Networks of today"), shipped.networks},
        QString()};
    if (!shipped.error.isEmpty()) {
        loaded.message = QStringLiteral("%1: %2").arg(QLatin1String(kShippedFile), shipped.error);
        return loaded; // only a broken build gets here
    }
    const QString path = UserFilePath();
    const NetworkFileContents users = NetworkFile::Read(path);
    if (!users.error.isEmpty()) {
        loaded.message =
            QStringLiteral("%1: %2; using the shipped networks").arg(path, users.error);
    } else {
        loaded.set.networks = Amended(loaded.set.networks, users.networks);
    }
    return loaded;
}

QString NetworkSets::UserFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QLatin1String(kUserFile);
}
