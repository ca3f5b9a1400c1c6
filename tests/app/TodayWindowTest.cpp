// The window with today's networks: the View menu's choice of set, a preview
// and a save box per network in place of 2012's, the choice kept between
// launches, and today's files, each at its network's size and within its limit.
#include "AppHarness.h"
#include "app/TodayPanel.h"
#include "render/NetworkSets.h"
#include "support/TestPictures.h"
#include "views/ImageView.h"

#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QSettings>
#include <gtest/gtest.h>
#include <optional>

namespace {

QByteArray Name(const char* prefix, const QString& id) {
    return prefix + id.toLatin1();
}

// A window made after the user's networks file (if any) is written; the
// choice of set and the file are forgotten afterwards.
class TodayWindow : public ::testing::Test {
protected:
    void Launch(const QByteArray& userNetworks = {}) {
        if (!userNetworks.isEmpty()) {
            QDir().mkpath(QFileInfo(NetworkSets::UserFilePath()).path());
            TestPictures::Written(NetworkSets::UserFilePath(), userNetworks);
        }
        app.emplace();
    }
    void TearDown() override {
        app.reset();
        TodayPanel::Settings()->remove(QLatin1String(TodayPanel::kSetKey));
        QFile::remove(NetworkSets::UserFilePath());
    }
    void Choose(const char* set) { app->Find<QAction>(set)->trigger(); }

    std::optional<AppHarness> app;
};

TEST_F(TodayWindow, ShowsAPreviewAndASaveBoxPerNetworkAndIsRemembered) {
    Launch();
    EXPECT_TRUE(app->Find<QAction>("classicNetworks")->isChecked());
    app->Open(TestPictures::Solid(64, 64, Qt::red));
    app->Click("resetButton");
    Choose("todayNetworks");
    EXPECT_FALSE(app->Find<QWidget>("facebookGroup")->isVisible());
    EXPECT_FALSE(app->Find<QWidget>("check_original")->isVisible());
    QStringList labels;
    for (const QLabel* label : app->Window()->findChildren<QLabel*>()) {
        labels << label->text();
    }
    for (const Network& network : NetworkSets::Today().set.networks) {
        const auto* view = app->Find<ImageView>(Name("preview_", network.id));
        EXPECT_TRUE(view->isVisible());
        EXPECT_EQ(view->image().size(), QSize(96, 96));
        const QString size = QString::number(network.size);
        EXPECT_EQ(view->accessibleName(), network.name + ' ' + size + " pixels");
        EXPECT_TRUE(labels.contains(network.name + " · " + size + " px"));
        EXPECT_TRUE(app->Find<QCheckBox>(Name("save_", network.id))->isChecked());
    }
    const QImage plain = app->Preview("preview_x");
    app->Type(QStringLiteral("Hi"));
    EXPECT_NE(app->Preview("preview_x"), plain);
    // Round: a rounded square keeps the picture where a circle's edge has passed.
    app->Find<QAction>("roundPreviews")->setChecked(true);
    const auto red = [&](const char* name) {
        auto* view = app->Find<ImageView>(name);
        const QPoint corner = view->FittedRect().toRect().topLeft() + QPoint(12, 12);
        return QColor(view->grab().toImage().pixel(corner)) == QColor(Qt::red);
    };
    EXPECT_TRUE(red("preview_slack"));
    EXPECT_FALSE(red("preview_x"));
    app->Click("saveButton");
    EXPECT_EQ(app->Window()->findChild<QFileDialog*>()->selectedNameFilter(), "JPEG (*.jpg)");

    app.emplace(); // the next launch
    EXPECT_TRUE(app->Find<QAction>("todayNetworks")->isChecked());
    EXPECT_TRUE(app->Find<QWidget>("preview_x")->isVisible());
    Choose("classicNetworks");
    EXPECT_TRUE(app->Find<QWidget>("facebookGroup")->isVisible());
    EXPECT_FALSE(app->Find<QWidget>("preview_x")->isVisible());
}

// Beside the shipped networks: one whose file fits only at a lower quality and
// one whose file fits at no quality.
constexpr char kUserNetworks[] =
    R"({"networks": [{"id": "tight", "name": "Tight", "size": 512, "shape": "square",
                      "maxBytes": 60000},
                     {"id": "nofit", "name": "No fit", "size": 300, "shape": "square",
                      "maxBytes": 1024}]})";

struct SaveRow {
    const char* name;
    const char* format;   // as the save sheet chose it
    const char* unticked; // a network's box cleared, or ""
    int side;             // of the whole picture: the largest ticked network's
};

class TodaySave : public TodayWindow, public ::testing::WithParamInterface<SaveRow> {};

TEST_P(TodaySave, WritesEachTickedNetworkAtItsSizeWithinItsLimit) {
    const SaveRow& row = GetParam();
    Launch(kUserNetworks);
    app->Open(QImage(QStringLiteral("/usr/share/doc/opencv-doc/examples/data/baboon.jpg")));
    app->Click("resetButton");
    Choose("todayNetworks");
    if (*row.unticked) {
        app->Click(Name("save_", row.unticked));
    }
    app->Controller().Document().SetSaveFormat(row.format);
    const QString out = app->Folder() + "/out/";
    ASSERT_TRUE(QDir().mkpath(out));
    app->Controller().sfilePanelDidEnd(out + "me", 1);

    QStringList expected{QStringLiteral("me.") + row.format};
    for (const Network& network : NetworkSets::Today().set.networks) {
        const QStringList files = QDir(out).entryList({"me_" + network.id + ".*"});
        if (network.id == row.unticked || network.id == "nofit") {
            EXPECT_TRUE(files.isEmpty()) << network.id.toStdString();
            continue;
        }
        ASSERT_EQ(files.size(), 1) << network.id.toStdString();
        const QString suffix = QFileInfo(files[0]).suffix();
        EXPECT_TRUE(suffix == network.FormatFor(row.format) || suffix == "jpg")
            << files[0].toStdString();
        EXPECT_EQ(QImage(out + files[0]).size(), QSize(network.size, network.size));
        if (network.maxBytes > 0) {
            EXPECT_LE(QFileInfo(out + files[0]).size(), network.maxBytes) << files[0].toStdString();
        }
        expected << files[0];
    }
    expected.sort();
    EXPECT_EQ(TestPictures::Entries(out), expected);
    EXPECT_EQ(QImage(out + "me." + row.format).size(), QSize(row.side, row.side));
    EXPECT_TRUE(app->Status().contains(
        "Could not save me_nofit.jpg: does not fit in 1,024 bytes even at JPEG quality 50"));
    EXPECT_TRUE(app->Status().contains("Made smaller to fit: ")) << app->Status().toStdString();
    EXPECT_TRUE(app->Status().contains("me_tight.jpg (JPEG quality "));
}

INSTANTIATE_TEST_SUITE_P(Window, TodaySave,
                         ::testing::Values(SaveRow{"JpegEveryNetwork", "jpg", "", 1024},
                                           SaveRow{"PngWithoutSlack", "png", "slack", 1000}),
                         CaseName());

} // namespace
