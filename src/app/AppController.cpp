#include "app/AppController.h"

#include "app/Artwork.h"
#include "app/ForwardingTextField.h"
#include "app/GameHelper.h"
#include "app/PictureDropFilter.h"
#include "app/PreviewFader.h"
#include "app/ProfileFiles.h"
#include "app/ProfileTargets.h"
#include "app/Sheets.h"
#include "app/TouchTextField.h"
#include "image/BitmapSurface.h"
#include "image/ImageTools.h"
#include "image/PictureReader.h"
#include "image/PixelMath.h"
#include "image/QuorelImage.h"
#include "ui_MainWindow.h"
#include "views/ColorWell.h"
#include "views/CropImageView.h"
#include "views/ImageView.h"
#include "views/PositionView.h"

#include <QAction>
#include <QApplication>
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
#include <algorithm>
#include <exception>
#include <functional>

namespace {

// The processed picture is fitted into this square box.
constexpr float kProcessedSide = 512.0f;
// The slider moves in tenths of a size step, so its value reads as a float.
constexpr float kSliderStepsPerUnit = 10.0f;
// A sheet's return code for "confirmed".
constexpr int32_t kConfirmed = 1;

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
    for (const ProfileTarget& target : ProfileTargets::Targets()) {
        this->*(target.view) = _theWindow->findChild<ImageView*>(QLatin1String(target.objectName));
    }
    for (const ProfileLook& look : ProfileTargets::Looks()) {
        this->*(look.button) =
            _theWindow->findChild<QAbstractButton*>(QLatin1String(look.buttonName));
    }
    for (const SaveBox& box : ProfileTargets::SaveBoxes()) {
        this->*(box.check) = _theWindow->findChild<QAbstractButton*>(QLatin1String(box.objectName));
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
    QMenu* help = _theWindow->menuBar()->addMenu(tr("&Help"));
    help->addAction(tr("Trellica &product page"), this, [this] { NewVersionClick(); });
    help->addAction(tr("&About Trellica"), this, [this] { Sheets::AboutBox(_theWindow)->open(); });
}

void AppController::ConnectControls() {
    for (const ProfileLook& look : ProfileTargets::Looks()) {
        QAbstractButton* button = this->*(look.button);
        connect(button, &QAbstractButton::clicked, this,
                [this, button] { ChangeFilterOption(button); });
    }
    for (const SaveBox& box : ProfileTargets::SaveBoxes()) {
        QAbstractButton* check = this->*(box.check);
        connect(check, &QAbstractButton::clicked, this, [this, check] { ChangeSaveOption(check); });
    }
    for (ColorWell* well : {_colorizeWell, _textColorWell, _textBackgroundColorWell}) {
        connect(well, &ColorWell::colorChanged, this, [this, well] { ColorWellChanged(well); });
    }
    connect(_textSizeSlider, &QSlider::valueChanged, this,
            [this] { TextSizeSliderValueChanged(_textSizeSlider); });
    _theTextField->SetController(this);
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
    _logoView->SetClickDelegate(this);
    connect(new PictureDropFilter(_theWindow), &PictureDropFilter::Dropped, this,
            [this](const QString& path) { filePanelDidEnd(path, kConfirmed); });
}

// --- lifecycle -------------------------------------------------------------------

void AppController::awakeFromNib() {
    for (const ProfileLook& look : ProfileTargets::Looks()) {
        this->*(look.flag) = false;
    }
    for (const SaveBox& box : ProfileTargets::SaveBoxes()) {
        this->*(box.flag) = true;
    }
    _useBG = true;
    _useCached = false;
    _croppedImage = QImage();
}

void AppController::applicationDidFinishLaunching() {
    _colorizeWell->setColor(QColor(Qt::red));
    _textColorWell->setColor(QColor(Qt::black));
    _textBackgroundColorWell->setColor(QColor(Qt::white));
    Log(Text("BLA??? 123"));
    _baseImageView->SetParentDelegate(this);
    const QImage initial = _baseImageView->image();
    _baseImageView->SetTheImage(initial);
    _theImage = initial;
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
        const QImage shown = _baseImageView->image();
        const QRectF selection =
            _baseImageView->CropCoords(float(shown.width()), float(shown.height()));
        if (!_useCached) {
            _croppedImage = QImage();
            _croppedImage =
                ImageTools::ScaleImage(ImageTools::CutOutImage(_theImage, ToFloatRect(selection)),
                                       FloatSize{kProcessedSide, kProcessedSide});
            if (AnyOptionsActive()) {
                ApplyLooks();
            }
        }
        PropagatePics(_croppedImage);
        _useCached = true;
    } catch (const std::exception& e) {
        Log(QString::fromLocal8Bit(e.what()));
    }
    SetBusy(false);
}

void AppController::ApplyLooks() {
    if (_croppedImage.isNull()) {
        return; // nothing to work on: the previews end up empty
    }
    const std::unique_ptr<QuorelImage> image = QuorelImage::InitWithNSImage(_croppedImage);
    if (!image) {
        return;
    }
    for (const ProfileLook& look : ProfileTargets::Looks()) {
        if (this->*(look.flag)) {
            look.apply(image.get(), _colorizeWell->color());
        }
    }
    _croppedImage = image->Preview();
}

void AppController::SetChangeFlag() {
    _useCached = false;
}

void AppController::AcceptImageCropping() {}

void AppController::CancelImageCropping() {}

bool AppController::AnyOptionsActive() const {
    const auto& looks = ProfileTargets::Looks();
    return std::any_of(looks.begin(), looks.end(),
                       [this](const ProfileLook& look) { return this->*(look.flag); });
}

void AppController::HideImages() {
    PreviewFader::FadeTo(_facebook200, 0.0);
    PreviewFader::FadeTo(_facebook50, 0.0);
    for (ImageView* view : {_twitter73, _twitter48, _twitter31, _twitter24}) {
        PreviewFader::SetOpacity(view, 0.0);
    }
}

void AppController::PropagatePics(const QImage& picture) {
    try {
        const ProfileTarget& first = ProfileTargets::Targets().front();
        for (const ProfileTarget& target : ProfileTargets::Targets()) {
            if (target.source == TargetSource::ProcessedPicture) {
                ProPic(this->*(target.view), picture, target.size);
                continue;
            }
            const QImage upper = (this->*(first.view))->image();
            const float side = ProfileTargets::kUpperSquareSide;
            const float y = std::max(0.0f, static_cast<float>(upper.height()) - side);
            ProPic(this->*(target.view), ImageTools::CutOutImage(upper, {0.0f, y, side, side}),
                   target.size);
        }
    } catch (const std::exception& e) {
        Log(QString::fromLocal8Bit(e.what()));
    }
}

void AppController::ProPic(ImageView* view, const QImage& picture, float size) {
    if (view == nullptr) {
        return;
    }
    const ProfileTarget* target = ProfileTargets::TargetForView(*this, view);
    QImage scaled = ImageTools::ScaleImage(picture, target ? target->box : FloatSize{size, size});
    if (!_theTextField->text().isEmpty()) {
        scaled = WithTextLine(scaled, size);
    }
    view->setImage(scaled);
    view->update();
    PreviewFader::FadeTo(view, 1.0);
}

QImage AppController::WithTextLine(const QImage& picture, float size) const {
    const TextPlacement place =
        ProfileTargets::PlaceText(TextSizeValue(), size, _positionView->NormalizedLeftPosition(),
                                  _positionView->NormalizedTopPosition());
    if (picture.isNull() || !(place.fontSize > 0.0f)) {
        return picture;
    }
    QFont font = QApplication::font();
    font.setPointSizeF(place.fontSize);
    const QColor background = _useBG ? _textBackgroundColorWell->color() : QColor();
    const FloatRect whole{0.0f, 0.0f, float(picture.width()), float(picture.height())};
    return ImageTools::CutOutImagePlusText(picture, whole, _theTextField->text(), font, place.left,
                                           place.top, _textColorWell->color(), background);
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
            if (this->*(target->saveFlag)) {
                SaveSingleFile(base, this->*(target->view));
            }
        }
        if (_save_original) {
            SaveOriginal(chosenPath);
        }
    } catch (const std::exception& e) {
        Log(QString::fromLocal8Bit(e.what()));
        _savedFiles.append(
            {ProfileFiles::OriginalPath(chosenPath), QString::fromLocal8Bit(e.what())});
    }
    ShowStatus(StatusLines::Saved(chosenPath, _savedFiles));
}

void AppController::SaveSingleFile(const QString& base, ImageView* view) {
    if (base.isEmpty() || view == nullptr) {
        return;
    }
    const ProfileTarget* target = ProfileTargets::TargetForView(*this, view);
    if (target == nullptr || target->fileSuffix == nullptr) {
        return;
    }
    const QImage picture = view->image();
    if (picture.isNull()) {
        return;
    }
    const QString path = base + QLatin1String(target->fileSuffix);
    try {
        Log(path);
        Log(Describe(picture));
        QString reason;
        if (!ProfileFiles::WriteTiff(path, picture, &reason)) {
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
    if (chosenPath.isEmpty() || _croppedImage.isNull()) {
        return;
    }
    QImage picture = _croppedImage;
    if (!_theTextField->text().isEmpty()) {
        // The whole picture carries the text in proportion to its width.
        picture = WithTextLine(picture, static_cast<float>(picture.width()));
    }
    QString reason;
    const QString path = ProfileFiles::OriginalPath(chosenPath);
    if (!ProfileFiles::WriteTiff(path, picture, &reason)) {
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
        _theImage = read.picture;
        _baseImageView->setImage(read.picture);
        _baseImageView->SetTheImage(read.picture);
        _baseImageView->SetPhotoSize(read.photoSize);
        // The kept processed picture belongs to the previous picture now.
        SetChangeFlag();
        ShowStatus(read.picture.isNull() ? StatusLines::OpenFailed(chosenPath, read.failure)
                                         : StatusLines::Opened(chosenPath, read.photoSize));
    } catch (const std::exception& e) {
        Log(QString::fromLocal8Bit(e.what()));
    }
}

// --- the controls' actions ------------------------------------------------------------

void AppController::ChangeFilterOption(QObject* sender) {
    for (const ProfileLook& look : ProfileTargets::Looks()) {
        if (sender != nullptr && sender == this->*(look.button)) {
            this->*(look.flag) = !(this->*(look.flag));
            break;
        }
    }
    SetChangeFlag();
    FinishCropping();
}

void AppController::ChangeSaveOption(QObject* sender) {
    for (const SaveBox& box : ProfileTargets::SaveBoxes()) {
        if (sender != nullptr && sender == this->*(box.check)) {
            this->*(box.flag) = !(this->*(box.flag));
            return;
        }
    }
}

void AppController::ColorWellChanged(QObject*) {
    SetChangeFlag();
    FinishCropping();
}

void AppController::TextSizeSliderValueChanged(QObject* sender) {
    auto* slider = qobject_cast<QSlider*>(sender);
    const float value =
        slider ? static_cast<float>(slider->value()) / kSliderStepsPerUnit : TextSizeValue();
    _textSizeSliderVal->setText(QStringLiteral("%1 pt").arg(PixelMath::Truncate(value)));
    FinishCropping();
}

void AppController::textDidChange(const QString&) {
    Log(Text("bla??"));
    FinishCropping();
}

void AppController::USBGChanged(QObject*) {
    _useBG = !_useBG;
    FinishCropping();
}

void AppController::ChangedTextPosition() {
    if (!_theTextField->text().isEmpty()) {
        FinishCropping();
    }
}

void AppController::ResetCroping(QObject*) {
    if (!_baseImageView->image().isNull()) {
        _baseImageView->ResetSelection();
    }
    SetChangeFlag();
    FinishCropping();
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
