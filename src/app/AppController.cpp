#include "app/AppController.h"

#include "app/Artwork.h"
#include "app/ForwardingTextField.h"
#include "app/GameHelper.h"
#include "app/PictureDropFilter.h"
#include "app/PreviewFader.h"
#include "app/Sheets.h"
#include "app/TouchTextField.h"
#include "image/PictureReader.h"
#include "image/PixelMath.h"
#include "render/ProfileFiles.h"
#include "ui_MainWindow.h"
#include "views/ColorWell.h"
#include "views/CropImageView.h"
#include "views/ImageView.h"
#include "views/PositionView.h"

#include <QAction>
#include <QDebug>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QUndoStack>
#include <cstring>
#include <exception>
#include <functional>

namespace {

// The slider moves in tenths of a size step, so its value reads as a float.
constexpr float kSliderStepsPerUnit = 10.0f;
// A sheet's return code for "confirmed".
constexpr int32_t kConfirmed = 1;
// Undo steps that merge while the user keeps going.
constexpr int kTypingSteps = 1;
constexpr int kTextSizeSteps = 2;

QString Text(const char* line) {
    return QString::fromUtf8(line);
}

// The crop view's selection (y-up values in a QRectF) as a picture rectangle.
FloatRect ToFloatRect(const QRectF& selection) {
    return FloatRect{float(selection.x()), float(selection.y()), float(selection.width()),
                     float(selection.height())};
}

// The picture's representation, in Qt's own words.
QString Describe(const QImage& picture) {
    QString description;
    QDebug(&description).nospace() << picture;
    return description;
}

void OpenAddress(const char* address) {
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(address)));
}

// The window's own file format: its names are the ones the files always had.
constexpr char kTiff[] = "tif";

// The path with the extension of the chosen format in place of its own.
QString InFormat(const QString& path, const QString& format) {
    return ProfileFiles::RemoveExtension(path) + QLatin1Char('.') + format;
}

bool Is(const char* network, const char* name) {
    return network != nullptr && std::strcmp(network, name) == 0;
}

} // namespace

AppController::AppController(const QUrl& versionEndpoint, QObject* parent)
    : QObject(parent), _ui(std::make_unique<Ui::MainWindow>()),
      _window(std::make_unique<QMainWindow>()), _versionEndpoint(versionEndpoint) {
    _ui->setupUi(_window.get());
    ConnectReferences();
    MakeActions();
    ConnectControls();
    awakeFromNib();
}

AppController::~AppController() = default;

QMainWindow* AppController::window() const {
    return _window.get();
}

void AppController::ConnectReferences() {
    _theWindow = _window.get();
    _baseImageView = _ui->baseImageView;
    for (size_t row = 0; row < ProfileTargets::kTargetCount; ++row) {
        _previews[row] = _theWindow->findChild<ImageView*>(
            QLatin1String(ProfileTargets::Targets()[row].objectName));
    }
    _logoView = _ui->logoView;
    _colorizeWell = _ui->colorizeWell;
    _theTextField = _ui->theTextField;
    _textSizeSlider = _ui->textSizeSlider;
    _textSizeSliderVal = _ui->textSizeSliderVal;
    _textColorWell = _ui->textColorWell;
    _textBackgroundColorWell = _ui->textBackgroundColorWell;
    _busyIndicator = _ui->busyIndicator;
    _positionView = _ui->positionView;
    QSizePolicy keepPlace = _busyIndicator->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    _busyIndicator->setSizePolicy(keepPlace);
    _busyIndicator->hide();

    // What the form can't hold: the pictures the views show when the window opens.
    _baseImageView->setImage(Artwork::DefaultPicture());
    _baseImageView->SetSizeLabels(_ui->txtWidth, _ui->txtHeight);
    _baseImageView->SetPhotoPixelLabel(_ui->photoPixels);
    _logoView->setImage(Artwork::Logo());
    _positionView->setImage(Artwork::PositionBackdrop());
}

void AppController::MakeActions() {
    // Platforms without a binding of their own (Qt's offscreen one, for one)
    // still get the keys every desktop user expects.
    const struct {
        const char* text;
        QKeySequence::StandardKey key;
        QKeyCombination fallback;
        std::function<void()> action;
    } file[] = {
        {"&Open picture…", QKeySequence::Open, Qt::CTRL | Qt::Key_O, [this] { LoadUserPic(); }},
        {"&Save profile pictures…", QKeySequence::Save, Qt::CTRL | Qt::Key_S,
         [this] { SaveUserPic(); }},
        {"&Quit", QKeySequence::Quit, Qt::CTRL | Qt::Key_Q, [this] { _theWindow->close(); }},
    };
    QMenu* menu = _theWindow->menuBar()->addMenu(tr("&File"));
    for (const auto& entry : file) {
        QAction* action = menu->addAction(tr(entry.text), this, entry.action);
        action->setShortcuts(entry.key);
        if (action->shortcuts().isEmpty()) {
            action->setShortcut(QKeySequence(entry.fallback));
        }
    }
    MakeStudioMenus();
    QMenu* help = _theWindow->menuBar()->addMenu(tr("&Help"));
    help->addAction(tr("Trellica &product page"), this, [this] { NewVersionClick(); });
    help->addAction(tr("&About Trellica"), this, [this] { Sheets::AboutBox(_theWindow)->open(); });
}

void AppController::ConnectControls() {
    for (size_t row = 0; row < ProfileTargets::kLookCount; ++row) {
        auto* button = _theWindow->findChild<QAbstractButton*>(
            QLatin1String(ProfileTargets::Looks()[row].buttonName));
        connect(button, &QAbstractButton::clicked, this, [this, row] { ChangeFilterOption(row); });
    }
    for (size_t row = 0; row < ProfileTargets::kSaveBoxCount; ++row) {
        auto* check = _theWindow->findChild<QAbstractButton*>(
            QLatin1String(ProfileTargets::SaveBoxes()[row].objectName));
        connect(check, &QAbstractButton::clicked, this, [this, row] { ChangeSaveOption(row); });
    }
    for (ColorWell* well : {_colorizeWell, _textColorWell, _textBackgroundColorWell}) {
        connect(well, &ColorWell::colorChanged, this, [this, well] { ColorWellChanged(well); });
    }
    connect(_textSizeSlider, &QSlider::valueChanged, this,
            [this] { TextSizeSliderValueChanged(_textSizeSlider); });
    connect(_theTextField, &ForwardingTextField::Edited, this, &AppController::textDidChange);
    QAbstractButton* background = _ui->textBackgroundToggle;
    connect(background, &QAbstractButton::clicked, this,
            [this, background] { USBGChanged(background); });
    connect(_positionView, &PositionView::ChangedTextPosition, this,
            &AppController::ChangedTextPosition);
    connect(_ui->resetButton, &QAbstractButton::clicked, this,
            [this] { ResetCroping(_ui->resetButton); });
    connect(_ui->openButton, &QAbstractButton::clicked, this,
            [this] { LoadUserPic(_ui->openButton); });
    connect(_ui->saveButton, &QAbstractButton::clicked, this,
            [this] { SaveUserPic(_ui->saveButton); });
    connect(_ui->productPageButton, &QAbstractButton::clicked, this,
            [this] { NewVersionClick(_ui->productPageButton); });
    connect(_logoView, &TouchTextField::Clicked, this, [this] { LabelTouched(_logoView); });
    connect(_baseImageView, &CropImageView::CroppingAccepted, this,
            &AppController::AcceptImageCropping);
    connect(_baseImageView, &CropImageView::CroppingCancelled, this,
            &AppController::CancelImageCropping);
    connect(new PictureDropFilter(_theWindow), &PictureDropFilter::Dropped, this,
            [this](const QString& path) { filePanelDidEnd(path, kConfirmed); });
}

// --- lifecycle -------------------------------------------------------------------

void AppController::awakeFromNib() {
    _options.reset();
    _save.set();
    _useBG = true;
    _useCached = false;
    _renderer.Invalidate();
}

void AppController::applicationDidFinishLaunching() {
    _colorizeWell->setColor(QColor(Qt::red));
    _textColorWell->setColor(QColor(Qt::black));
    _textBackgroundColorWell->setColor(QColor(Qt::white));
    Log(Text("BLA??? 123"));
    // From now on a finished selection gesture renders.
    Log(Text("Setting Parent Delegate"));
    connect(_baseImageView, &CropImageView::SelectionFinished, this, [this] {
        SetChangeFlag();
        FinishCropping();
        RecordEdit(tr("Selection"));
    });
    const QImage initial = _baseImageView->image();
    _baseImageView->SetTheImage(initial);
    _theImage = initial;
    // Edits are steps from here on.
    _lastState = CaptureState();
    _recording = true;
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
    SetBusy(true);
    try {
        HideImages();
        if (!_useCached) {
            _renderer.Invalidate();
        }
        PropagatePics(_renderer.Render(Request()));
        _useCached = true;
    } catch (const std::exception& e) {
        Log(QString::fromLocal8Bit(e.what()));
    }
    SetBusy(false);
}

RenderRequest AppController::Request() const {
    const QImage shown = _baseImageView->image();
    const QRectF selection =
        _baseImageView->CropCoords(float(shown.width()), float(shown.height()));
    RenderRequest request;
    request.source = _theImage;
    request.selection = ToFloatRect(selection);
    request.looks = _options;
    request.colorize = _colorizeWell->color();
    request.text = CurrentTextLine();
    return request;
}

TextLine AppController::CurrentTextLine() const {
    return TextLine{_theTextField->text(),
                    TextSizeValue(),
                    _textColorWell->color(),
                    _textBackgroundColorWell->color(),
                    _useBG,
                    _positionView->NormalizedLeftPosition(),
                    _positionView->NormalizedTopPosition()};
}

void AppController::SetChangeFlag() {
    _useCached = false;
}

void AppController::AcceptImageCropping() {}

void AppController::CancelImageCropping() {}

bool AppController::AnyOptionsActive() const {
    return _options.any();
}

void AppController::HideImages() {
    // The facebook previews fade out, the twitter ones vanish at once.
    for (size_t row = 0; row < ProfileTargets::kTargetCount; ++row) {
        const char* network = ProfileTargets::Targets()[row].network;
        if (Is(network, "facebook")) {
            PreviewFader::FadeTo(_previews[row], 0.0);
        } else if (Is(network, "twitter")) {
            PreviewFader::SetOpacity(_previews[row], 0.0);
        }
    }
}

void AppController::PropagatePics(const RenderResult& result) {
    for (size_t row = 0; row < ProfileTargets::kTargetCount; ++row) {
        ImageView* view = _previews[row];
        view->setImage(result.targets[row]);
        view->update();
        PreviewFader::FadeTo(view, 1.0);
    }
}

float AppController::TextSizeValue() const {
    return static_cast<float>(_textSizeSlider->value()) / kSliderStepsPerUnit;
}

void AppController::SetBusy(bool busy) {
    // An empty range makes the bar show its busy animation; idle, it is hidden
    // but keeps its place so the layout doesn't move.
    _busyIndicator->setRange(0, busy ? 0 : 1);
    _busyIndicator->setVisible(busy);
}

// --- saving ------------------------------------------------------------------------

void AppController::SaveUserPic(QObject*) {
    QFileDialog* panel = Sheets::SavePanel(_theWindow);
    connect(panel, &QDialog::finished, this, [this, panel](int result) {
        _saveFormat = Sheets::ChosenFormat(panel);
        sfilePanelDidEnd(panel->selectedFiles().value(0), result);
    });
    panel->open();
}

void AppController::sfilePanelDidEnd(const QString& chosenPath, int32_t returnCode, void*) {
    if (returnCode != kConfirmed) {
        return;
    }
    _savedFiles.clear();
    try {
        const QString base = ProfileFiles::RemoveExtension(chosenPath);
        for (const ProfileTarget* target : ProfileTargets::SavedTargets()) {
            if (Saves(target->network)) {
                SaveSingleFile(base, *target);
            }
        }
        if (Saves(nullptr)) {
            SaveOriginal(chosenPath);
        }
    } catch (const std::exception& e) {
        Log(QString::fromLocal8Bit(e.what()));
        _savedFiles.append(
            {ProfileFiles::OriginalPath(chosenPath), QString::fromLocal8Bit(e.what())});
    }
    ShowStatus(StatusLines::Saved(chosenPath, _savedFiles));
}

bool AppController::Saves(const char* network) const {
    for (size_t row = 0; row < ProfileTargets::kSaveBoxCount; ++row) {
        const char* saved = ProfileTargets::SaveBoxes()[row].network;
        if (network == nullptr ? saved == nullptr : Is(saved, network)) {
            return _save[row];
        }
    }
    return false;
}

void AppController::SaveSingleFile(const QString& base, const ProfileTarget& target) {
    if (base.isEmpty() || target.fileSuffix == nullptr) {
        return;
    }
    // What the preview shows is what is saved.
    const ImageView* view = _previews[size_t(&target - ProfileTargets::Targets().data())];
    const QImage picture = view->image();
    if (picture.isNull()) {
        return;
    }
    const QString path = InFormat(base + QLatin1String(target.fileSuffix), _saveFormat);
    try {
        Log(path);
        Log(Describe(picture));
        QString reason;
        if (!ProfileFiles::WritePicture(path, picture, _saveFormat, &reason)) {
            Log(reason);
            Log(Text("didn't work!"));
        }
        _savedFiles.append({path, reason});
    } catch (const std::exception& e) {
        Log(QString::fromLocal8Bit(e.what()));
        _savedFiles.append({path, QString::fromLocal8Bit(e.what())});
    }
}

void AppController::SaveOriginal(const QString& chosenPath) {
    if (chosenPath.isEmpty() || _renderer.Processed().isNull()) {
        return;
    }
    // The whole picture carries the text in proportion to its width.
    const QImage picture = _renderer.WholePicture(CurrentTextLine());
    QString reason;
    const QString path = _saveFormat == QLatin1String(kTiff)
                             ? ProfileFiles::OriginalPath(chosenPath)
                             : InFormat(chosenPath, _saveFormat);
    if (!ProfileFiles::WritePicture(path, picture, _saveFormat, &reason)) {
        Log(reason);
        Log(Text("didn't work!"));
    }
    _savedFiles.append({path, reason});
}

// --- opening a picture ----------------------------------------------------------------

void AppController::LoadUserPic(QObject*) {
    QFileDialog* panel = Sheets::OpenPanel(_theWindow);
    connect(panel, &QDialog::finished, this, [this, panel](int result) {
        filePanelDidEnd(panel->selectedFiles().value(0), result);
    });
    panel->open();
}

void AppController::filePanelDidEnd(const QString& chosenPath, int32_t returnCode, void*) {
    if (returnCode != kConfirmed) {
        return;
    }
    try {
        const PictureReader::Result read = PictureReader::Read(chosenPath);
        if (read.picture.isNull() && !read.reason.isEmpty()) {
            Log(read.reason);
        }
        ShowSource(read.picture, read.photoSize);
        ShowStatus(read.picture.isNull() ? StatusLines::OpenFailed(chosenPath, read.failure)
                                         : StatusLines::Opened(chosenPath, read.photoSize));
        RecordEdit(tr("Open picture"));
    } catch (const std::exception& e) {
        Log(QString::fromLocal8Bit(e.what()));
    }
}

void AppController::ShowSource(const QImage& picture, QSize photoSize) {
    _theImage = picture;
    _baseImageView->setImage(picture);
    _baseImageView->SetTheImage(picture);
    _baseImageView->SetPhotoSize(photoSize);
    // The kept processed picture belongs to the previous picture now.
    SetChangeFlag();
}

// --- the controls' actions ------------------------------------------------------------

void AppController::ChangeFilterOption(size_t look) {
    _options.flip(look);
    SetChangeFlag();
    FinishCropping();
    RecordEdit(tr("Look"));
}

void AppController::ChangeSaveOption(size_t box) {
    _save.flip(box);
}

void AppController::ColorWellChanged(QObject*) {
    SetChangeFlag();
    FinishCropping();
    RecordEdit(tr("Colour"));
}

void AppController::TextSizeSliderValueChanged(QObject* sender) {
    auto* slider = qobject_cast<QSlider*>(sender);
    const float value =
        slider ? static_cast<float>(slider->value()) / kSliderStepsPerUnit : TextSizeValue();
    ShowTextSize(value);
    FinishCropping();
    RecordEdit(tr("Text size"), kTextSizeSteps);
}

void AppController::ShowTextSize(float value) {
    _textSizeSliderVal->setText(QStringLiteral("%1 pt").arg(PixelMath::Truncate(value)));
}

void AppController::textDidChange(const QString&) {
    Log(Text("bla??"));
    FinishCropping();
    RecordEdit(tr("Typing"), kTypingSteps);
}

void AppController::USBGChanged(QObject*) {
    _useBG = !_useBG;
    FinishCropping();
    RecordEdit(tr("Text background"));
}

void AppController::ChangedTextPosition() {
    if (!_theTextField->text().isEmpty()) {
        FinishCropping();
    }
    RecordEdit(tr("Text position"));
}

void AppController::ResetCroping(QObject*) {
    if (!_baseImageView->image().isNull()) {
        _baseImageView->ResetSelection();
    }
    SetChangeFlag();
    FinishCropping();
    RecordEdit(tr("Reset selection"));
}

void AppController::LabelTouched(QObject* sender) {
    if (sender != nullptr && sender == _logoView) {
        OpenAddress(WebAddresses::kHomePage);
    }
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
