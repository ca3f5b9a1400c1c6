#include "render/NetworkSets.h"
#include "support/CaseName.h"
#include "support/TestPictures.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr char kConfigHome[] = "XDG_CONFIG_HOME";

// A scratch configuration folder for the user's file, the previous one restored after.
class UserNetworks {
public:
    UserNetworks()
        : _previous(qgetenv(kConfigHome)), _wasSet(qEnvironmentVariableIsSet(kConfigHome)) {
        qputenv(kConfigHome, _folder.path().toLocal8Bit());
        QDir(_folder.path()).mkdir("trellica");
    }
    ~UserNetworks() { _wasSet ? qputenv(kConfigHome, _previous) : qunsetenv(kConfigHome); }

private:
    QTemporaryDir _folder;
    QByteArray _previous;
    bool _wasSet;
};

std::string Ids(const NetworkSet& set) {
    return set.Ids().join(' ').toStdString();
}

TEST(ShippedNetworks, LoadCleanAndSayWhereTheirFiguresComeFrom) {
    const UserNetworks none;
    const LoadedNetworkSet today = NetworkSets::Today();
    EXPECT_EQ(today.message.toStdString(), "");
    EXPECT_FALSE(today.set.networks.isEmpty());
    for (const Network& network : today.set.networks) {
        EXPECT_FALSE(network.source.isEmpty()) << network.id.toStdString();
    }
    const NetworkSet classic = NetworkSets::Classic();
    EXPECT_EQ(classic.ProcessedSide(classic.Ids()), NetworkSet::kMinProcessedSide);
}

struct FileRow {
    const char* name;
    const char* file;    // the user's networks.json, FIRST for the first shipped id; nullptr none
    const char* message; // what the message says after the file's path; "" when fine
    const char* id;      // a network the file gives, with its size (0: as shipped)
    int size;
};

class UserFile : public ::testing::TestWithParam<FileRow> {};

TEST_P(UserFile, AmendsTheShippedSetOrIsToldAndIgnored) {
    const FileRow& row = GetParam();
    const UserNetworks user;
    const NetworkSet shipped = NetworkSets::Today().set;
    const QString id = QString(row.id).replace("FIRST", shipped.networks[0].id);
    if (row.file != nullptr) {
        TestPictures::Written(
            NetworkSets::UserFilePath(),
            QString(row.file).replace("FIRST", shipped.networks[0].id).replace('\'', '"').toUtf8());
    }
    const LoadedNetworkSet loaded = NetworkSets::Today();
    const QString message =
        NetworkSets::UserFilePath() + ": " + row.message + "; using the shipped networks";
    EXPECT_EQ(loaded.message.toStdString(), *row.message ? message.toStdString() : "");
    const QString added = id.isEmpty() || shipped.Find(id) ? QString() : " " + id;
    EXPECT_EQ(Ids(loaded.set), Ids(shipped) + added.toStdString());
    if (row.size > 0) {
        ASSERT_TRUE(loaded.set.Find(id));
        EXPECT_EQ(loaded.set.Find(id)->size, row.size);
        EXPECT_EQ(loaded.set.ProcessedSide({id}),
                  std::max(row.size, NetworkSet::kMinProcessedSide));
    }
}

// A file of those networks (' for "), and a valid network.
#define FILE_OF(networks) "{'networks': [" networks "]}"
#define VALID "{'id': 'a', 'name': 'A', 'size': 400, 'shape': 'circle'}"

INSTANTIATE_TEST_SUITE_P(
    Networks, UserFile,
    ::testing::Values(
        FileRow{"NoFile", nullptr, "", "", 0}, FileRow{"NoNetworks", FILE_OF(), "", "", 0},
        FileRow{"BadJson", "{'networks': [\n  {'id': 'a',, }\n]}",
                "line 2, column 15: unterminated object", "", 0},
        FileRow{"NoList", "{'network': []}",
                "must be an object with one field, a \"networks\" list", "", 0},
        FileRow{"SizeAsText",
                FILE_OF(VALID ", {'id': 'b', 'name': 'B', 'size': '400', 'shape': 'circle'}"),
                "networks[1].size: must be a whole number from 16 to 2048", "", 0},
        FileRow{"SizeTooLarge",
                FILE_OF("{'id': 'a', 'name': 'A', 'size': 4096, 'shape': 'circle'}"),
                "networks[0].size: must be a whole number from 16 to 2048", "", 0},
        FileRow{"UnknownShape", FILE_OF("{'id': 'a', 'name': 'A', 'size': 400, 'shape': 'oval'}"),
                "networks[0].shape: must be circle, rounded or square", "", 0},
        FileRow{"IdOutOfTheFolder",
                FILE_OF("{'id': '../a', 'name': 'A', 'size': 400, 'shape': 'circle'}"),
                "networks[0].id: must be 1 to 32 letters a-z, digits or '-', not starting with '-'",
                "", 0},
        FileRow{"MissingId", FILE_OF("{'name': 'A', 'size': 400, 'shape': 'circle'}"),
                "networks[0].id: missing", "", 0},
        FileRow{"DuplicateId", FILE_OF(VALID ", " VALID),
                "networks[1].id: \"a\" is already networks[0]", "", 0},
        FileRow{"MisspeltField",
                FILE_OF("{'id': 'a', 'name': 'A', 'size': 400, 'shape': 'circle', 'maxbytes': 1}"),
                "networks[0]: unknown field \"maxbytes\"", "", 0},
        FileRow{"AddedNetwork", FILE_OF(VALID), "", "a", 400},
        FileRow{"ReplacedNetwork",
                FILE_OF("{'id': 'FIRST', 'name': 'Mine', 'size': 2048, 'shape': 'square', "
                        "'maxBytes': 0, 'formats': ['jpg'], 'source': 'me'}"),
                "", "FIRST", 2048}),
    CaseName());

} // namespace
