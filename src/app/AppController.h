#pragma once

#include "app/WebAddresses.h"
#include "document/ProfileDocument.h"

#include <QImage>
#include <QObject>
#include <QString>
#include <QUrl>
#include <array>
#include <cstdint>
#include <memory>

class ColorWell;
class CropImageView;
class ForwardingTextField;
class GameHelper;
class PositionView;
class QLabel;
class QMainWindow;
class QMessageBox;
class QProgressBar;
class QSlider;
class QUndoStack;
class TouchTextField;
class WindowPresenter;
namespace Ui {
class MainWindow;
}

// The application's controller: builds and owns the main window and binds its
// controls to the document. A control's edit becomes a call of the document;
// what the document says changed is shown in the controls. It opens and saves
// through the document's sheets' completions and reports a newer version.
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
    ProfileDocument& Document() { return _document; }

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
    void PropagatePics(const ProfileDocument::Previews& previews);

    // Saving.
    void SaveSingleFile(const QString& base, const ProfileTarget& target);
    void SaveOriginal(const QString& chosenPath);

    // The document's state, as the window's tests and benchmarks look at it.
    const QImage& croppedImage() const { return _document.Processed(); }
    bool useCached() const { return _document.UseCached(); }
    const QImage& theImage() const { return _document.Picture(); }
    RenderRequest Request() const { return _document.Request(); }
    const LookSet& options() const { return _document.Looks(); }
    const ProfileDocument::SaveChoice& saveOptions() const { return _document.SaveBoxes(); }
    QUndoStack* UndoStack() { return _document.UndoStack(); }

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
    // A colour well picked a colour.
    void ColorWellChanged(QObject* sender, const QColor& colour);
    void TextSizeSliderValueChanged(QObject* sender, int value);
    void textDidChange(const QString& notification);
    void USBGChanged(QObject* sender);
    void ChangedTextPosition(float left, float top);
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
    // The Image menu: exact turns of the picture, and the straightening sheet.
    void RotateLeft();
    void RotateRight();
    void Flip();
    void Straighten();

    // The version check found a newer release: shows the alert sheet.
    Q_INVOKABLE void NewVersionFound();
    // Completion of the alert: returnCode 1 for "Yes", 0 for "No".
    void alertDidEnd(QMessageBox* alert, int32_t returnCode, void* contextInfo = nullptr);

private:
    void ConnectReferences();
    void MakeActions();
    void ConnectControls();
    void BindDocument();
    static void Log(const QString& line);
    void ShowStatus(const QString& line);

    ProfileDocument _document;
    const QImage _initialPicture;

    // --- references into the window --------------------------------------------
    CropImageView* _baseImageView = nullptr;
    QMainWindow* _theWindow = nullptr;
    TouchTextField* _logoView = nullptr;
    std::array<ColorWell*, 3> _wells{}; // by ProfileDocument::Colour
    ForwardingTextField* _theTextField = nullptr;
    QSlider* _textSizeSlider = nullptr;
    QLabel* _textSizeSliderVal = nullptr;
    QProgressBar* _busyIndicator = nullptr;
    PositionView* _positionView = nullptr;

    // --- owned -----------------------------------------------------------------
    std::unique_ptr<Ui::MainWindow> _ui;
    std::unique_ptr<QMainWindow> _window;
    std::unique_ptr<WindowPresenter> _presenter;
    std::unique_ptr<GameHelper> _gameHelper;
    QUrl _versionEndpoint;
};
