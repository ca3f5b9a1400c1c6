#include "app/AppController.h"

#include "app/Artwork.h"
#include "app/CardPanel.h"
#include "app/ControlNames.h"
#include "app/ForwardingTextField.h"
#include "app/GameHelper.h"
#include "app/MoreLooksPanel.h"
#include "app/PictureDropFilter.h"
#include "app/Sheets.h"
#include "app/StatusLines.h"
#include "app/StraightenDialog.h"
#include "app/TodayPanel.h"
#include "app/TouchTextField.h"
#include "app/WindowActions.h"
#include "app/WindowPresenter.h"
#include "ui_MainWindow.h"
#include "views/ColorWell.h"
#include "views/CropImageView.h"
#include "views/PositionView.h"

#include <QAction>
#include <QClipboard>
#include <QDebug>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QUndoStack>
#include <exception>

namespace {

using Colour = ProfileDocument::Colour;

// The slider moves in tenths of a point.
constexpr float kSliderStepsPerPoint = 10.0f;
// A sheet's return code for "confirmed".
constexpr int32_t kConfirmed = 1;

QString Text(const char* line) {
    return QString::fromUtf8(line);
}

void OpenAddress(const char* address) {
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(address)));
}

} // namespace

AppController::AppController(const QUrl& versionEndpoint, QObject* parent)
    : QObject(parent), _initialPicture(Artwork::DefaultPicture()),
      _ui(std::make_unique<Ui::MainWindow>()), _window(std::make_unique<QMainWindow>()),
      _versionEndpoint(versionEndpoint) {
    _ui->setupUi(_window.get());
    _presenter = std::make_unique<WindowPresenter>(*_ui, _window.get());
    ConnectReferences();
    MakeActions();
    ConnectControls();
    BindDocument();
    new TodayPanel(*_ui, _theWindow, _document); // the window owns these
    new MoreLooksPanel(*_ui, _theWindow, _document);
    new CardPanel(*_ui, _theWindow, _document);
    awakeFromNib();
}

AppController::~AppController() = default;

QMainWindow* AppController::window() const {
    return _window.get();
}

void AppController::ConnectReferences() {
    _theWindow = _window.get();
    _baseImageView = _ui->baseImageView;
    _logoView = _ui->logoView;
    _wells = {_ui->colorizeWell, _ui->textColorWell, _ui->textBackgroundColorWell};
    _theTextField = _ui->theTextField;
    _textSizeSlider = _ui->textSizeSlider;
    _textSizeSliderVal = _ui->textSizeSliderVal;
    _busyIndicator = _ui->busyIndicator;
    _positionView = _ui->positionView;

    // What the form can't hold: the pictures the views show when the window opens.
    _baseImageView->setImage(_initialPicture);
    _baseImageView->SetSizeLabels(_ui->txtWidth, _ui->txtHeight);
    _baseImageView->SetPhotoPixelLabel(_ui->photoPixels);
    _logoView->setImage(Artwork::Logo());
    _positionView->setImage(Artwork::PositionBackdrop());
}

void AppController::MakeActions() {
    WindowActions::MakeMenus(*this, _theWindow);
    const FaceFinder& faces = _document.Faces();
    if (!faces.IsAvailable()) {
        _theWindow->findChild<QAction*>(QStringLiteral("findFaceAction"))->setEnabled(false);
        _ui->findFaceButton->setEnabled(false);
        _ui->findFaceButton->setToolTip(faces.UnavailableReason());
    }
}

void AppController::ConnectControls() {
    for (size_t row = 0; row < ProfileTargets::kLookCount; ++row) {
        auto* button = _theWindow->findChild<QAbstractButton*>(
            QLatin1String(ControlNames::LookButtons()[row]));
        connect(button, &QAbstractButton::clicked, this, [this, row] { ChangeFilterOption(row); });
    }
    for (size_t row = 0; row < ProfileTargets::kSaveBoxCount; ++row) {
        auto* check =
            _theWindow->findChild<QAbstractButton*>(QLatin1String(ControlNames::SaveBoxes()[row]));
        connect(check, &QAbstractButton::clicked, this, [this, row] { ChangeSaveOption(row); });
    }
    for (ColorWell* well : _wells) {
        connect(well, &ColorWell::colorChanged, this,
                [this, well](const QColor& colour) { ColorWellChanged(well, colour); });
    }
    connect(_textSizeSlider, &QSlider::valueChanged, this,
            [this](int value) { TextSizeSliderValueChanged(_textSizeSlider, value); });
    connect(_theTextField, &ForwardingTextField::Edited, this, &AppController::textDidChange);
    QAbstractButton* background = _ui->textBackgroundToggle;
    connect(background, &QAbstractButton::clicked, this,
            [this, background] { USBGChanged(background); });
    connect(_positionView, &PositionView::ChangedTextPosition, this,
            &AppController::ChangedTextPosition);
    const std::pair<QAbstractButton*, void (AppController::*)(QObject*)> buttons[] = {
        {_ui->resetButton, &AppController::ResetCroping},
        {_ui->openButton, &AppController::LoadUserPic},
        {_ui->saveButton, &AppController::SaveUserPic},
        {_ui->productPageButton, &AppController::NewVersionClick},
    };
    for (const auto& entry : buttons) {
        connect(entry.first, &QAbstractButton::clicked, this,
                [this, entry] { (this->*entry.second)(entry.first); });
    }
    connect(_ui->findFaceButton, &QAbstractButton::clicked, this, &AppController::FindFace);
    connect(_logoView, &TouchTextField::Clicked, this, [this] { LabelTouched(_logoView); });
    connect(_baseImageView, &CropImageView::CroppingAccepted, this,
            &AppController::AcceptImageCropping);
    connect(_baseImageView, &CropImageView::CroppingCancelled, this,
            &AppController::CancelImageCropping);
    connect(new PictureDropFilter(_theWindow), &PictureDropFilter::Dropped, this,
            [this](const QString& path) { filePanelDidEnd(path, kConfirmed); });
}

void AppController::BindDocument() {
    _presenter->Bind(_document);
    connect(&_document, &ProfileDocument::RunStarted, this, [this] {
        _presenter->SetBusy(true);
        HideImages();
    });
    connect(&_document, &ProfileDocument::PreviewsChanged, this, &AppController::PropagatePics);
    connect(&_document, &ProfileDocument::RunEnded, this, [this] { _presenter->SetBusy(false); });
    connect(&_document, &ProfileDocument::Opened, this,
            [this](const QString& path, const PictureReader::Result& read) {
                ShowStatus(read.picture.isNull() ? StatusLines::OpenFailed(path, read.failure)
                                                 : StatusLines::Opened(path, read.photoSize));
            });
}

// --- lifecycle -------------------------------------------------------------------

void AppController::awakeFromNib() {
    _document.ResetOptions();
}

void AppController::applicationDidFinishLaunching() {
    Log(Text("BLA??? 123"));
    // From now on a finished selection gesture renders.
    Log(Text("Setting Parent Delegate"));
    for (const bool keyed : {false, true}) {
        connect(_baseImageView,
                keyed ? &CropImageView::SelectionKeyed : &CropImageView::SelectionFinished, this,
                [this, keyed](float left, float right, float lower, float upper) {
                    const CropFractions crop{left, right, lower, upper};
                    _presenter->SelectedInView(crop);
                    _document.SetSelection(crop, keyed);
                });
    }
    _document.Launch(_initialPicture);
    _gameHelper = std::make_unique<GameHelper>(this, _versionEndpoint);
    _gameHelper->CheckForNewVersionAvailable();
}

void AppController::applicationWillTerminate() {
    Log(Text("App will die..."));
}

// --- the rendering pipeline -------------------------------------------------------

void AppController::FinishCropping() {
    AsyncCropFinished();
}

void AppController::AsyncCropFinished() {
    _document.Render();
}

void AppController::SetChangeFlag() {
    _document.MarkStale();
}

void AppController::AcceptImageCropping() {}

void AppController::CancelImageCropping() {}

bool AppController::AnyOptionsActive() const {
    return _document.Looks().any();
}

void AppController::HideImages() {
    _presenter->HidePreviews();
}

void AppController::PropagatePics(const ProfileDocument::Previews& previews) {
    _presenter->ShowPreviews(previews);
}

// --- saving and opening ------------------------------------------------------------

void AppController::SaveUserPic(QObject*) {
    QFileDialog* panel = Sheets::SavePanel(_theWindow, _document.SaveFormat());
    connect(panel, &QDialog::finished, this, [this, panel](int result) {
        _document.SetSaveFormat(Sheets::ChosenFormat(panel));
        sfilePanelDidEnd(panel->selectedFiles().value(0), result);
    });
    panel->open();
}

void AppController::sfilePanelDidEnd(const QString& chosenPath, int32_t returnCode, void*) {
    if (returnCode == kConfirmed) {
        ShowStatus(StatusLines::Saved(chosenPath, _document.Save(chosenPath)));
    }
}

void AppController::SaveSingleFile(const QString& base, const ProfileTarget& target) {
    _document.SaveSingleFile(base, target);
}

void AppController::SaveOriginal(const QString& chosenPath) {
    _document.SaveOriginal(chosenPath);
}

void AppController::LoadUserPic(QObject*) {
    QFileDialog* panel = Sheets::OpenPanel(_theWindow);
    connect(panel, &QDialog::finished, this, [this, panel](int result) {
        filePanelDidEnd(panel->selectedFiles().value(0), result);
    });
    panel->open();
}

void AppController::filePanelDidEnd(const QString& chosenPath, int32_t returnCode, void*) {
    if (returnCode == kConfirmed) {
        ShowStatus(StatusLines::Opening(chosenPath));
        _document.Open(chosenPath);
    }
}

// --- the controls' actions ------------------------------------------------------------

void AppController::ChangeFilterOption(size_t look) {
    _document.ToggleLook(look);
}

void AppController::ChangeSaveOption(size_t box) {
    _document.ToggleSaveBox(box);
}

void AppController::ColorWellChanged(QObject* sender, const QColor& colour) {
    for (size_t which = 0; which < _wells.size(); ++which) {
        if (sender == _wells[which]) {
            _document.SetColour(Colour(which), colour);
        }
    }
}

void AppController::TextSizeSliderValueChanged(QObject*, int value) {
    _presenter->FromControl([&] { _document.SetTextSize(float(value) / kSliderStepsPerPoint); });
}

void AppController::textDidChange(const QString& notification) {
    Log(Text("bla??"));
    _presenter->FromControl([&] { _document.SetText(notification); });
}

void AppController::USBGChanged(QObject*) {
    _presenter->FromControl([&] { _document.ToggleTextBackground(); });
}

void AppController::ChangedTextPosition(float left, float top) {
    _presenter->FromControl([&] { _document.SetTextPosition(left, top); });
}

void AppController::ResetCroping(QObject*) {
    _document.ResetSelection();
}

void AppController::LabelTouched(QObject* sender) {
    if (sender != nullptr && sender == _logoView) {
        OpenAddress(WebAddresses::kHomePage);
    }
}

void AppController::FindFace() {
    if (!_document.FindFace()) {
        ShowStatus(tr("No face found"));
    }
}

void AppController::PastePicture() {
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    const QImage picture =
        mime != nullptr && mime->hasImage() ? qvariant_cast<QImage>(mime->imageData()) : QImage();
    if (picture.isNull()) {
        ShowStatus(tr("The clipboard holds no picture to paste"));
        return;
    }
    _document.Paste(picture);
    ShowStatus(StatusLines::Pasted(picture.size()));
}

void AppController::CopyPicture() {
    const QImage picture = _document.CurrentWholePicture();
    if (picture.isNull()) {
        ShowStatus(tr("Nothing to copy: the selection gives no picture"));
        return;
    }
    QGuiApplication::clipboard()->setImage(picture);
    ShowStatus(tr("Copied the picture — %1 × %2 pixels")
                   .arg(QString::number(picture.width()), QString::number(picture.height())));
}

void AppController::SetRoundPreviews(bool round) {
    _presenter->ShowRound(round);
}

void AppController::RotateLeft() {
    _document.Turn(PictureTurns::Turn::Left);
}

void AppController::RotateRight() {
    _document.Turn(PictureTurns::Turn::Right);
}

void AppController::Flip() {
    _document.Turn(PictureTurns::Turn::Flip);
}

void AppController::Straighten() {
    StraightenDialog::Show(_theWindow, _document);
}

// --- the version check -----------------------------------------------------------------

void AppController::NewVersionClick(QObject*) {
    OpenAddress(WebAddresses::kProductPage);
}

void AppController::NewVersionFound() {
    Log(Text("New Version Found Message"));
    QPushButton* yes = nullptr;
    QMessageBox* alert = Sheets::NewVersionAlert(_theWindow, WebAddresses::kProductPage, &yes);
    connect(alert, &QDialog::finished, this,
            [this, alert, yes] { alertDidEnd(alert, alert->clickedButton() == yes ? 1 : 0); });
    alert->open();
}

void AppController::alertDidEnd(QMessageBox*, int32_t returnCode, void*) {
    Log(Text("BLABLABLABLA dingen..."));
    if (returnCode != 0) {
        Log(Text("YES"));
        OpenAddress(WebAddresses::kProductPage);
    } else {
        Log(Text("NO"));
    }
}

void AppController::Log(const QString& line) {
    qInfo().noquote() << line;
}

void AppController::ShowStatus(const QString& line) {
    _theWindow->statusBar()->showMessage(line);
}
