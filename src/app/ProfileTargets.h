#pragma once

#include "image/Geometry.h"

#include <QColor>
#include <array>

class AppController;
class ImageView;
class QAbstractButton;
class QuorelImage;

// Where a profile target's picture comes from.
enum class TargetSource {
    ProcessedPicture,   // the processed picture of the run
    UpperSquareOfFirst, // the upper 200 x 200 square of the first target's picture
};

// One profile target: a network and a size, its preview view and, for the
// largest of each network, the flag and suffix of its file.
struct ProfileTarget {
    const char* network;
    float size;                      // S: text size and position scale with it
    FloatSize box;                   // the picture is fitted into this box
    const char* objectName;          // the preview view in the window
    ImageView* AppController::*view; // the controller's reference to it
    TargetSource source;
    bool AppController::*saveFlag; // nullptr: a preview only, never saved
    const char* fileSuffix;        // appended to the chosen name without extension
    int saveOrder;                 // 1.. the order files are written; 0 never
};

// One look: its flag, its button and the filter operation that carries it out.
struct ProfileLook {
    const char* name; // the button's label
    bool AppController::*flag;
    const char* buttonName; // the button's objectName
    QAbstractButton* AppController::*button;
    // The filter; colour is the colorize well's colour at the moment it runs.
    void (*apply)(QuorelImage* image, const QColor& colour);
};

// One save box: the check box and the flag it toggles.
struct SaveBox {
    const char* objectName;
    QAbstractButton* AppController::*check;
    bool AppController::*flag;
};

// Where and how large the text line is drawn on one picture.
struct TextPlacement {
    float fontSize; // pixels on the picture
    float left;     // lower-left corner of the text's box, y-up picture coordinates
    float top;
};

// The tables the window and the rendering pipeline are driven by.
class ProfileTargets {
public:
    ProfileTargets() = delete;

    static constexpr int kTargetCount = 13;
    static constexpr int kLookCount = 13;
    static constexpr int kSaveBoxCount = 6;
    static constexpr int kSavedTargetCount = 5;
    // Side of the upper square the facebook 50 picture is cut from.
    static constexpr float kUpperSquareSide = 200.0f;
    // The text size formula's constants: slider units per size step, 1/512, percent.
    static constexpr float kSliderPerSize = 9.0f;
    static constexpr float kPerPixelOf512 = 0.001953125f;
    static constexpr float kPercent = 100.0f;

    // The thirteen targets in the order a run derives them.
    static const std::array<ProfileTarget, kTargetCount>& Targets();
    // The largest target of each network, in the order their files are written.
    static const std::array<const ProfileTarget*, kSavedTargetCount>& SavedTargets();
    // The thirteen looks in the order a run applies them.
    static const std::array<ProfileLook, kLookCount>& Looks();
    // The save boxes in the order a click is matched against them.
    static const std::array<SaveBox, kSaveBoxCount>& SaveBoxes();

    // The text line on a picture of scale size: font (T / 9) * ((S / 512) * 100),
    // lower-left corner S times the picked fractions (the top one counted upward).
    static TextPlacement PlaceText(float sliderValue, float size, float normalizedLeft,
                                   float normalizedTop);

    // The target whose preview is view, or nullptr.
    static const ProfileTarget* TargetForView(const AppController& controller,
                                              const ImageView* view);
};
