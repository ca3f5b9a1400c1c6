#pragma once

#include "image/Geometry.h"

#include <QColor>
#include <array>
#include <bitset>
#include <cstddef>

class QuorelImage;

// Where a profile target's picture comes from.
enum class TargetSource {
    ProcessedPicture,   // the processed picture of the run
    UpperSquareOfFirst, // the upper 200 x 200 square of the first target's picture
};

// One profile target: a network and a size and, for the largest of each
// network, the order its file is written in.
struct ProfileTarget {
    const char* network; // also names its file: "_<network>" after the chosen name
    float size;          // S: text size and position scale with it
    FloatSize box;       // the picture is fitted into this box
    TargetSource source;
    int saveOrder; // 1.. the order files are written; 0 never
};

// One look and the filter operation that carries it out.
struct ProfileLook {
    const char* name; // for people: the button's label
    const char* key;  // its short name on a command line
    // The filter; colour is the colorize colour of the run.
    void (*apply)(QuorelImage* image, const QColor& colour);
    const char* flag; // the controller's name for its on/off state
};

// One save box: what it saves, a network's largest target or (network nullptr)
// the whole processed picture.
struct SaveBox {
    const char* network;
    const char* flag; // the controller's name for its on/off state
};

// Where and how large the text line is drawn on one picture.
struct TextPlacement {
    float fontSize; // pixels on the picture
    float left;     // lower-left corner of the text's box, y-up picture coordinates
    float top;
};

// The tables the window, the renderer and the command line are driven by.
// Rows are referred to by their index in these tables.
class ProfileTargets {
public:
    ProfileTargets() = delete;

    static constexpr size_t kTargetCount = 13;
    static constexpr size_t kLookCount = 13;
    static constexpr size_t kSaveBoxCount = 6;
    static constexpr size_t kSavedTargetCount = 5;
    // The side of the processed picture the looks were made for; at another
    // side S they run at the scale S / 512.
    static constexpr float kLookSide = 512.0f;
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
    // The save boxes.
    static const std::array<SaveBox, kSaveBoxCount>& SaveBoxes();

    // The saved target of a network, or nullptr (the whole picture, an unknown name).
    static const ProfileTarget* SavedTarget(const char* network);
    // The look with that command-line key, or -1.
    static int LookIndex(const char* key);
    // Applies the looks of the set rows, in table order, to a picture made at
    // scale x 512 across; at scale 1 exactly the looks' filters. colour is the
    // colorize colour.
    static void ApplyLooks(const std::bitset<kLookCount>& looks, QuorelImage* image,
                           const QColor& colour, float scale);

    // The text line on a picture of scale size: font (T / 9) * ((S / 512) * 100),
    // lower-left corner S times the picked fractions (the top one counted upward).
    static TextPlacement PlaceText(float sliderValue, float size, float normalizedLeft,
                                   float normalizedTop);
};

// Which networks are saved, by their row in ProfileTargets::SavedTargets().
using NetworkChoice = std::bitset<ProfileTargets::kSavedTargetCount>;
