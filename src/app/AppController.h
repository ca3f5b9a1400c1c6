#pragma once

#include "app/EditState.h"
#include "app/StatusLines.h"
#include "app/WebAddresses.h"
#include "render/FaceFinder.h"
#include "render/ProfileTargets.h"
#include "render/RenderRequest.h"
#include "render/Renderer.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <array>
#include <bitset>
#include <cstdint>
#include <memory>

class ColorWell;
class CropImageView;
class ForwardingTextField;
class GameHelper;
class ImageView;
class PositionView;
class QAbstractButton;
class QAction;
class QFileDialog;
class QLabel;
class QMainWindow;
class QMessageBox;
class QProgressBar;
class QSlider;
class QUndoStack;
class TouchTextField;
namespace Ui {
class MainWindow;
}

struct RenderResult;

// The application's controller: builds and owns the main window, keeps the
// option state, turns the window's state into a render request after every
// edit and shows what the renderer gives, opens pictures, saves the profile
// pictures and reports a newer version.
class AppController : public QObject {
    Q_OBJECT

public:
    // Builds the window from its form, connects every control and sets the
    // initial state (awakeFromNib). versionEndpoint is where the version check asks.
    explicit AppController(
        const QUrl& versionEndpoint = QUrl(QString::fromLatin1(WebAddresses::kVersionEndpoint)),
        QObject* parent = nullptr);
    ~AppController() override;

    QMainWindow* window() const;

    // Lifecycle.
    void awakeFromNib();
    void applicationDidFinishLaunching();
    void applicationWillTerminate();

    // The rendering pipeline.
    void FinishCropping();
    void AsyncCropFinished();
    void SetChangeFlag();
    void AcceptImageCropping();
    void CancelImageCropping();
    bool AnyOptionsActive() const;
    void HideImages();
    // Shows a run's target pictures in their previews.
    void PropagatePics(const RenderResult& result);

    // Saving.
    void SaveSingleFile(const QString& base, const ProfileTarget& target);
    void SaveOriginal(const QString& chosenPath);

    // The processed picture of the last full run, and whether it is up to date.
    const QImage& croppedImage() const { return _renderer.Processed(); }
    bool useCached() const { return _useCached; }
    const QImage& theImage() const { return _theImage; }
    // What a run would be asked for now.
    RenderRequest Request() const;
    // The looks that are on and the save boxes that are on, by row.
    const LookSet& options() const { return _options; }
    const std::bitset<ProfileTargets::kSaveBoxCount>& saveOptions() const { return _save; }
    // Every edit since launch, for undo and redo.
    QUndoStack* UndoStack() const { return _undoStack.get(); }

public slots:
    // The window's actions; each takes the control that sent it.
    void LoadUserPic(QObject* sender = nullptr);
    // Completion of the open sheet: the chosen path and the sheet's return code
    // (1 confirmed).
    void filePanelDidEnd(const QString& chosenPath, int32_t returnCode,
                         void* contextInfo = nullptr);
    void SaveUserPic(QObject* sender = nullptr);
    // Completion of the save sheet.
    void sfilePanelDidEnd(const QString& chosenPath, int32_t returnCode,
                          void* contextInfo = nullptr);
    // A look's button (its row in ProfileTargets::Looks()) was clicked.
    void ChangeFilterOption(size_t look);
    // A save box (its row in ProfileTargets::SaveBoxes()) was clicked.
    void ChangeSaveOption(size_t box);
    void ColorWellChanged(QObject* sender);
    void TextSizeSliderValueChanged(QObject* sender);
    void textDidChange(const QString& notification);
    void USBGChanged(QObject* sender);
    void ChangedTextPosition();
    void ResetCroping(QObject* sender = nullptr);
    void LabelTouched(QObject* sender);
    void NewVersionClick(QObject* sender = nullptr);
    // Selects a square around the largest face; "No face found" leaves the selection.
    void FindFace();
    // The clipboard's picture becomes the source picture, as an opened file.
    void PastePicture();
    // Copies the processed picture with its text line.
    void CopyPicture();
    void SetRoundPreviews(bool round);

    // The version check found a newer release: shows the alert sheet.
    Q_INVOKABLE void NewVersionFound();
    // Completion of the alert: returnCode 1 for "Yes", 0 for "No".
    void alertDidEnd(QMessageBox* alert, int32_t returnCode, void* contextInfo = nullptr);

private:
    void ConnectReferences();
    void MakeActions();
    void ConnectControls();
    void SetBusy(bool busy);
    float TextSizeValue() const;
    TextLine CurrentTextLine() const;
    bool Saves(const char* network) const;
    static void Log(const QString& line);
    void ShowStatus(const QString& line);
    void ShowTextSize(float value);
    void ShowSource(const QImage& picture, QSize photoSize);
    // --- the studio's additions (AppControllerStudio.cpp) ----------------------
    void MakeStudioMenus();
    EditState CaptureState() const;
    void RestoreState(const EditState& state);
    // One undo step from the state after the last one to now, unless nothing
    // changed or a step is being restored. mergeKey > 0: quick repeats of the
    // same control (letters, slider moves) merge into one step.
    void RecordEdit(const QString& name, int mergeKey = 0);

    // --- pipeline state ------------------------------------------------------
    QImage _theImage;
    // The looks and save boxes that are on, by row; each row names its flag
    // (_option_Sepia, _save_linked, ...).
    LookSet _options;
    std::bitset<ProfileTargets::kSaveBoxCount> _save;
    bool _useBG = true;
    bool _useCached = false;
    Renderer _renderer;
    // What the current save tried to write, for its status line.
    QList<StatusLines::SavedFile> _savedFiles;
    // The file format the save sheet chose, by its extension.
    QString _saveFormat = QStringLiteral("tif");
    FaceFinder _faceFinder;
    std::unique_ptr<QUndoStack> _undoStack;
    EditState _lastState;    // after the last recorded edit
    bool _recording = false; // from launch on, except while a step is restored

    // --- references into the window --------------------------------------------
    CropImageView* _baseImageView = nullptr;
    QMainWindow* _theWindow = nullptr;
    std::array<ImageView*, ProfileTargets::kTargetCount> _previews{}; // by target row
    TouchTextField* _logoView = nullptr;
    ColorWell* _colorizeWell = nullptr;
    ForwardingTextField* _theTextField = nullptr;
    QSlider* _textSizeSlider = nullptr;
    QLabel* _textSizeSliderVal = nullptr;
    ColorWell* _textColorWell = nullptr;
    ColorWell* _textBackgroundColorWell = nullptr;
    QProgressBar* _busyIndicator = nullptr;
    PositionView* _positionView = nullptr;

    // --- owned -----------------------------------------------------------------
    std::unique_ptr<Ui::MainWindow> _ui;
    std::unique_ptr<QMainWindow> _window;
    std::unique_ptr<GameHelper> _gameHelper;
    QUrl _versionEndpoint;
};
