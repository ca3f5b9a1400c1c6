// AppController's editing aids: undo and redo, finding the face, the
// clipboard and round previews.
#include "app/AppController.h"
#include "app/EditCommand.h"
#include "app/ForwardingTextField.h"
#include "image/PictureReader.h"
#include "render/SelectionProposals.h"
#include "ui_MainWindow.h"
#include "views/ColorWell.h"
#include "views/CropImageView.h"
#include "views/ImageView.h"
#include "views/PositionView.h"

#include <QAbstractButton>
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSignalBlocker>
#include <QSlider>
#include <QUndoStack>
#include <functional>

namespace {

constexpr int kUndoLimit = 100;

// A menu entry with the platform's keys and the one every desktop user
// expects (Ctrl+Shift+Z is not Redo everywhere).
QAction* AddEntry(QMenu* menu, QAction* action, QKeySequence::StandardKey key,
                  QKeyCombination fallback) {
    QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    if (!keys.contains(QKeySequence(fallback))) {
        keys.append(QKeySequence(fallback));
    }
    action->setShortcuts(keys);
    menu->addAction(action);
    return action;
}

} // namespace

void AppController::MakeStudioMenus() {
    _undoStack = std::make_unique<QUndoStack>();
    // Each step may keep a picture alive; older steps go.
    _undoStack->setUndoLimit(kUndoLimit);
    QMenu* edit = _theWindow->menuBar()->addMenu(tr("&Edit"));
    AddEntry(edit, _undoStack->createUndoAction(this, tr("&Undo")), QKeySequence::Undo,
             Qt::CTRL | Qt::Key_Z);
    AddEntry(edit, _undoStack->createRedoAction(this, tr("&Redo")), QKeySequence::Redo,
             Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
    edit->addSeparator();
    const struct {
        const char* text;
        QKeySequence::StandardKey key;
        QKeyCombination fallback;
        std::function<void()> action;
    } entries[] = {
        {"&Copy picture", QKeySequence::Copy, Qt::CTRL | Qt::Key_C, [this] { CopyPicture(); }},
        {"&Paste picture", QKeySequence::Paste, Qt::CTRL | Qt::Key_V, [this] { PastePicture(); }},
        {"&Find face", QKeySequence::Find, Qt::CTRL | Qt::Key_F, [this] { FindFace(); }},
    };
    for (const auto& entry : entries) {
        QAction* action = new QAction(tr(entry.text), this);
        connect(action, &QAction::triggered, this, entry.action);
        AddEntry(edit, action, entry.key, entry.fallback);
    }
    QAction* findFace = edit->actions().last();
    connect(_ui->findFaceButton, &QAbstractButton::clicked, this, [this] { FindFace(); });
    if (!_faceFinder.IsAvailable()) {
        findFace->setEnabled(false);
        _ui->findFaceButton->setEnabled(false);
        _ui->findFaceButton->setToolTip(_faceFinder.UnavailableReason());
    }
    QAction* round = _theWindow->menuBar()->addMenu(tr("&View"))->addAction(tr("&Round previews"));
    round->setObjectName(QStringLiteral("roundPreviews"));
    round->setCheckable(true);
    connect(round, &QAction::toggled, this, &AppController::SetRoundPreviews);
}

// --- undo and redo -----------------------------------------------------------------

EditState AppController::CaptureState() const {
    EditState state;
    state.picture = _theImage;
    state.photoSize = _baseImageView->PhotoSize();
    state.crop = {_baseImageView->CropCoordsLeft(), _baseImageView->CropCoordsRight(),
                  _baseImageView->CropCoordsTop(), _baseImageView->CropCoordsBottom()};
    state.looks = _options;
    state.colorize = _colorizeWell->color();
    state.textColour = _textColorWell->color();
    state.textBackground = _textBackgroundColorWell->color();
    state.text = _theTextField->text();
    state.textSize = _textSizeSlider->value();
    state.useBackground = _useBG;
    state.position = _positionView->Position();
    state.rendered = _useCached;
    // A rendered state renders again when restored; only the others keep what
    // the previews showed, so the steps stay small.
    for (size_t row = 0; row < ProfileTargets::kTargetCount && !state.rendered; ++row) {
        state.previews[row] = _previews[row]->image();
    }
    return state;
}

void AppController::RestoreState(const EditState& state) {
    _recording = false;
    if (state.picture.cacheKey() != _theImage.cacheKey()) {
        ShowSource(state.picture, state.photoSize);
    }
    _baseImageView->SetPhotoSize(state.photoSize);
    _baseImageView->SetSelectionFractions(state.crop[0], state.crop[1], state.crop[2],
                                          state.crop[3]);
    _options = state.looks;
    for (size_t row = 0; row < ProfileTargets::kLookCount; ++row) {
        _theWindow
            ->findChild<QAbstractButton*>(QLatin1String(ProfileTargets::Looks()[row].buttonName))
            ->setChecked(_options[row]);
    }
    _colorizeWell->setColor(state.colorize);
    _textColorWell->setColor(state.textColour);
    _textBackgroundColorWell->setColor(state.textBackground);
    {
        // Set, not typed or dragged: no edit of their own.
        const QSignalBlocker text(_theTextField);
        const QSignalBlocker size(_textSizeSlider);
        _theTextField->setText(state.text);
        _textSizeSlider->setValue(state.textSize);
    }
    ShowTextSize(TextSizeValue());
    _useBG = state.useBackground;
    _ui->textBackgroundToggle->setChecked(_useBG);
    _positionView->SetPosition(state.position);
    SetChangeFlag();
    if (state.rendered) {
        FinishCropping();
    } else {
        for (size_t row = 0; row < ProfileTargets::kTargetCount; ++row) {
            _previews[row]->setImage(state.previews[row]);
        }
    }
    _lastState = CaptureState();
    _recording = true;
}

void AppController::RecordEdit(const QString& name, int mergeKey) {
    if (!_recording) {
        return;
    }
    EditState now = CaptureState();
    if (now.SameEdits(_lastState)) {
        _lastState = std::move(now); // the previews may have changed all the same
        return;
    }
    auto* step = new EditCommand(name, _lastState, now, mergeKey,
                                 [this](const EditState& state) { RestoreState(state); });
    _lastState = std::move(now);
    _undoStack->push(step);
}

// --- finding the face, the clipboard, round previews ---------------------------------------

void AppController::FindFace() {
    const std::optional<SelectionProposal> square =
        SelectionProposals::FaceSquare(_theImage, _faceFinder);
    if (!square) {
        ShowStatus(tr("No face found"));
        return;
    }
    const FloatRect& s = square->picture;
    const float width = float(_theImage.width());
    const float height = float(_theImage.height());
    _baseImageView->SetSelectionFractions(s.x / width, (s.x + s.width) / width, s.y / height,
                                          (s.y + s.height) / height);
    SetChangeFlag();
    FinishCropping();
    RecordEdit(tr("Find face"));
}

void AppController::PastePicture() {
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    QImage picture =
        mime != nullptr && mime->hasImage() ? qvariant_cast<QImage>(mime->imageData()) : QImage();
    if (picture.isNull()) {
        ShowStatus(tr("The clipboard holds no picture to paste"));
        return;
    }
    // Held within the same budget as an opened photo.
    const QSize photoSize = picture.size();
    const QSize held = PictureReader::HeldSize(photoSize);
    if (held != photoSize) {
        picture = picture.scaled(held, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    ShowSource(picture, photoSize);
    ShowStatus(StatusLines::Pasted(photoSize));
    RecordEdit(tr("Paste picture"));
}

void AppController::CopyPicture() {
    if (!_useCached) {
        FinishCropping();               // what is copied is what the window shows now
        RecordEdit(tr("Copy picture")); // no step: only the previews are new
    }
    const QImage picture =
        croppedImage().isNull() ? QImage() : _renderer.WholePicture(CurrentTextLine());
    if (picture.isNull()) {
        ShowStatus(tr("Nothing to copy: the selection gives no picture"));
        return;
    }
    QGuiApplication::clipboard()->setImage(picture);
    ShowStatus(tr("Copied the picture — %1 × %2 pixels")
                   .arg(QString::number(picture.width()), QString::number(picture.height())));
}

void AppController::SetRoundPreviews(bool round) {
    for (ImageView* view : _previews) {
        view->SetRound(round);
    }
}
