#include "app/TodayPanel.h"

#include "app/ControlNames.h"
#include "ui_MainWindow.h"
#include "views/ImageView.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kColumns = 4;
constexpr int kSaveColumns = 2;
constexpr int kSpacing = 10;
// A preview's frame: one pixel around the view, as the previews of 2012 have.
constexpr int kFrameSide = int(ProfileDocument::kTodayPreviewSide) + 2;
// Wide enough for "Instagram · 320 px" on one line.
constexpr int kCellWidth = 124;
// Beyond this the previews scroll (a user's file may add many networks).
constexpr int kMostPreviewHeight = 720;
constexpr char kFrameStyle[] =
    "QFrame[previewFrame=\"true\"] { border: 1px solid #b4b4b4; background: #fbfbfb; }";

ImageView::Shape ViewShape(NetworkShape shape) {
    switch (shape) {
    case NetworkShape::Rounded:
        return ImageView::Shape::Rounded;
    case NetworkShape::Square:
        return ImageView::Shape::Square;
    case NetworkShape::Circle:
        break;
    }
    return ImageView::Shape::Circle;
}

QAction* ActionOf(QMainWindow* window, const char* objectName) {
    return window->findChild<QAction*>(QLatin1String(objectName));
}

} // namespace

TodayPanel::TodayPanel(Ui::MainWindow& ui, QMainWindow* window, ProfileDocument& document)
    : QObject(window), _ui(ui), _window(window), _document(document) {
    connect(&document, &ProfileDocument::NetworkSetChanged, this, &TodayPanel::ShowSet);
    connect(&document, &ProfileDocument::TodayPreviewsChanged, this, &TodayPanel::ShowPreviews);
    connect(ActionOf(window, "roundPreviews"), &QAction::toggled, this, [this](bool round) {
        _round = round;
        ShowShapes();
    });
    const bool today = Settings()->value(QLatin1String(kSetKey)).toString() ==
                       QLatin1String(NetworkSets::kTodayKey);
    ActionOf(window, today ? "todayNetworks" : "classicNetworks")->setChecked(true);
    if (!document.NetworksMessage().isEmpty()) {
        window->statusBar()->showMessage(document.NetworksMessage());
    }
}

TodayPanel::~TodayPanel() = default;

std::unique_ptr<QSettings> TodayPanel::Settings() {
    return std::make_unique<QSettings>(QStringLiteral("trellica"), QStringLiteral("trellica"));
}

void TodayPanel::ShowSet(const NetworkSet& set) {
    const bool today = set.key == QLatin1String(NetworkSets::kTodayKey);
    if (today && _previewArea == nullptr) {
        Build(set);
    }
    for (QWidget* group : {_ui.facebookGroup, _ui.twitterGroup, _ui.linkedinGroup, _ui.googleGroup,
                           _ui.skypeGroup}) {
        group->setVisible(!today);
    }
    for (const char* name : ControlNames::SaveBoxes()) {
        _window->findChild<QWidget*>(QLatin1String(name))->setVisible(!today);
    }
    if (_previewArea != nullptr) {
        _previewArea->setVisible(today);
        _saveBoxes->setVisible(today);
    }
    Settings()->setValue(QLatin1String(kSetKey), set.key);
}

void TodayPanel::Build(const NetworkSet& set) {
    auto* grid = new QGridLayout;
    grid->setSpacing(kSpacing);
    for (qsizetype i = 0; i < set.networks.size(); ++i) {
        grid->addWidget(PreviewCell(set.networks[i]), int(i) / kColumns, int(i) % kColumns);
        _shapes << set.networks[i].shape;
    }
    auto* cells = new QWidget;
    cells->setLayout(grid);
    cells->setStyleSheet(QLatin1String(kFrameStyle));
    auto* scroll = new QScrollArea;
    scroll->setWidget(cells);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const QSize all = cells->sizeHint();
    scroll->setMinimumSize(all.width() + scroll->verticalScrollBar()->sizeHint().width(),
                           std::min(all.height(), kMostPreviewHeight));
    auto* group = new QGroupBox(set.name);
    group->setObjectName(QStringLiteral("todayPreviews"));
    group->setAccessibleName(tr("Previews for the %1").arg(set.name.toLower()));
    (new QVBoxLayout(group))->addWidget(scroll);
    _previewArea = group;
    _ui.previewGrid->addWidget(group, 0, 0, 3, 2);
    _saveBoxes = SaveBoxes(set);
    _ui.saveGrid->addWidget(_saveBoxes, 0, 0, 3, 2);
    ShowShapes();
}

QWidget* TodayPanel::PreviewCell(const Network& network) {
    auto* view = new ImageView;
    view->setObjectName(QStringLiteral("preview_") + network.id);
    view->setFixedSize(kFrameSide - 2, kFrameSide - 2);
    view->setAccessibleName(tr("%1 %2 pixels").arg(network.name, QString::number(network.size)));
    _previews << view;
    auto* frame = new QFrame;
    frame->setProperty("previewFrame", true);
    frame->setFixedSize(kFrameSide, kFrameSide);
    auto* inFrame = new QVBoxLayout(frame);
    inFrame->setContentsMargins(1, 1, 1, 1);
    inFrame->addWidget(view);
    auto* label =
        new QLabel(QStringLiteral("%1 · %2 px").arg(network.name, QString::number(network.size)));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(true);
    label->setFixedWidth(kCellWidth);
    auto* cell = new QWidget;
    auto* column = new QVBoxLayout(cell);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(3);
    column->addWidget(frame, 0, Qt::AlignHCenter);
    column->addWidget(label);
    column->addStretch();
    return cell;
}

QWidget* TodayPanel::SaveBoxes(const NetworkSet& set) {
    auto* boxes = new QWidget;
    auto* grid = new QGridLayout(boxes);
    grid->setContentsMargins(0, 0, 0, 0);
    const auto add = [grid](QCheckBox* box, const char* objectName, const QString& name) {
        box->setObjectName(QLatin1String(objectName) + name);
        box->setChecked(true);
        const int at = grid->count();
        grid->addWidget(box, at / kSaveColumns, at % kSaveColumns);
    };
    for (const Network& network : set.networks) {
        auto* box = new QCheckBox(network.name);
        box->setAccessibleName(tr("Save the %1 picture").arg(network.name));
        add(box, "save_", network.id);
        const QString id = network.id;
        connect(box, &QCheckBox::clicked, this, [this, id] { _document.ToggleNetwork(id); });
    }
    auto* whole = new QCheckBox(tr("Whole picture"));
    whole->setAccessibleName(tr("Save the whole picture"));
    add(whole, "save_whole", QString());
    connect(whole, &QCheckBox::clicked, this, [this] { _document.ToggleWhole(); });
    return boxes;
}

void TodayPanel::ShowPreviews(const QList<QImage>& previews) {
    for (qsizetype i = 0; i < _previews.size() && i < previews.size(); ++i) {
        _previews[i]->setImage(previews[i]);
    }
}

void TodayPanel::ShowShapes() {
    for (qsizetype i = 0; i < _previews.size(); ++i) {
        _previews[i]->SetShape(_round ? ViewShape(_shapes[i]) : ImageView::Shape::Square);
    }
}
