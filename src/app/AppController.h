#pragma once

#include "app/StatusLines.h"
#include "app/WebAddresses.h"
#include "views/CropImageViewDelegate.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>
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
class TouchTextField;
namespace Ui {
class MainWindow;
}

// The application's controller: builds and owns the main window, keeps the
// option state, runs the rendering pipeline after every edit, opens pictures,
// saves the profile pictures and reports a newer version.
class AppController : public QObject, public CropImageViewDelegate {
    Q_OBJECT
    friend class ProfileTargets;

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
    void FinishCropping() override;
    void AsyncCropFinished();
    void SetChangeFlag() override;
    void AcceptImageCropping() override;
    void CancelImageCropping() override;
    bool AnyOptionsActive() const;
    void HideImages();
    void PropagatePics(const QImage& picture);
    void ProPic(ImageView* view, const QImage& picture, float size);

    // Saving.
    void SaveSingleFile(const QString& base, ImageView* view);
    void SaveOriginal(const QString& chosenPath);

    // The processed picture of the last full run, and whether it is up to date.
    const QImage& croppedImage() const { return _croppedImage; }
    bool useCached() const { return _useCached; }
    const QImage& theImage() const { return _theImage; }

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
    void ChangeFilterOption(QObject* sender);
    void ChangeSaveOption(QObject* sender);
    void ColorWellChanged(QObject* sender);
    void TextSizeSliderValueChanged(QObject* sender);
    void textDidChange(const QString& notification);
    void USBGChanged(QObject* sender);
    void ChangedTextPosition();
    void ResetCroping(QObject* sender = nullptr);
    void LabelTouched(QObject* sender);
    void NewVersionClick(QObject* sender = nullptr);

    // The version check found a newer release: shows the alert sheet.
    Q_INVOKABLE void NewVersionFound();
    // Completion of the alert: returnCode 1 for "Yes", 0 for "No".
    void alertDidEnd(QMessageBox* alert, int32_t returnCode, void* contextInfo = nullptr);

private:
    void ConnectReferences();
    void MakeActions();
    void ConnectControls();
    void ApplyLooks();
    void SetBusy(bool busy);
    float TextSizeValue() const;
    QImage WithTextLine(const QImage& picture, float size) const;
    static void Log(const QString& line);
    void ShowStatus(const QString& line);

    // --- pipeline state ------------------------------------------------------
    QImage _theImage;
    bool _option_soften = false;
    bool _option_sharpen = false;
    bool _option_bw = false;
    bool _option_frame = false;
    bool _save_facebook = true;
    bool _save_skype = true;
    bool _save_linked = true;
    bool _save_twitter = true;
    bool _save_google = true;
    bool _save_original = true;
    bool _option_Photomat = false;
    bool _option_Instant = false;
    bool _option_FilmStrip = false;
    bool _option_Blurfocus = false;
    bool _option_Toycam = false;
    bool _option_Popart = false;
    bool _option_Sepia = false;
    bool _option_Posterize = false;
    bool _option_Colorize = false;
    bool _useBG = true;
    bool _useCached = false;
    QImage _croppedImage;
    // What the current save tried to write, for its status line.
    QList<StatusLines::SavedFile> _savedFiles;

    // --- references into the window --------------------------------------------
    CropImageView* _baseImageView = nullptr;
    QMainWindow* _theWindow = nullptr;
    ImageView* _facebook200 = nullptr;
    ImageView* _facebook50 = nullptr;
    ImageView* _twitter73 = nullptr;
    ImageView* _twitter48 = nullptr;
    ImageView* _twitter31 = nullptr;
    ImageView* _twitter24 = nullptr;
    ImageView* _linkedin80 = nullptr;
    ImageView* _linkedin40 = nullptr;
    ImageView* _google96 = nullptr;
    ImageView* _google82 = nullptr;
    ImageView* _google40 = nullptr;
    ImageView* _skype96 = nullptr;
    ImageView* _skype48 = nullptr;
    TouchTextField* _logoView = nullptr;
    QAbstractButton* _check_facebook = nullptr;
    QAbstractButton* _check_twitter = nullptr;
    QAbstractButton* _check_google = nullptr;
    QAbstractButton* _check_linkedin = nullptr;
    QAbstractButton* _check_skype = nullptr;
    QAbstractButton* _check_original = nullptr;
    QAbstractButton* _buttonSoften = nullptr;
    QAbstractButton* _buttonSharpen = nullptr;
    QAbstractButton* _buttonBW = nullptr;
    QAbstractButton* _buttonFrame = nullptr;
    QAbstractButton* _buttonPhotomat = nullptr;
    QAbstractButton* _buttonInstant = nullptr;
    QAbstractButton* _buttonFilmStrip = nullptr;
    QAbstractButton* _buttonBlurfocus = nullptr;
    QAbstractButton* _buttonToycam = nullptr;
    QAbstractButton* _buttonPopart = nullptr;
    QAbstractButton* _buttonSepia = nullptr;
    QAbstractButton* _buttonPosterize = nullptr;
    QAbstractButton* _buttonColorize = nullptr;
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
