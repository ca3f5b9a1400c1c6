#pragma once

#include "views/ViewGeometry.h"

#include <QRectF>
#include <cstdint>

// The crop view's selection and its pointer gestures, without a widget.
//
// A selection is made with clicks, not by dragging: a click sets the anchor,
// the selection then follows the pointer, a second click fixes it. A Shift-click
// starts moving the selection, a Control-click starts growing or shrinking it
// about its centre; the next click ends either. All positions are view
// coordinates (y up) in 32-bit floats; nothing is clamped, so the selection may
// leave the picture and the view.
//
// The keyboard edits the selection too: each key press moves it, or grows or
// shrinks it about its centre, and is a whole gesture of its own.
//
// Each event returns a Reaction telling the view what to do: repaint, show the
// size in its labels, tell its delegate that a gesture ended.
class CropGesture {
public:
    struct Reaction {
        bool repaint = false;
        bool showSize = false; // the size labels show sizeWidth and sizeHeight
        int32_t sizeWidth = 0;
        int32_t sizeHeight = 0;
        bool ended = false; // a gesture ended: SetChangeFlag, then FinishCropping
        bool keyed = false; // ... and it was a key press
    };

    explicit CropGesture(float viewWidth = 0.0f, float viewHeight = 0.0f);

    // Fits the selection to the whole picture as the view shows it (logs the
    // fitted size and the margins). Leaves the gesture state as it is.
    Reaction Fit(float pictureWidth, float pictureHeight, float viewWidth, float viewHeight);
    // After the view changed its size: fits the same picture again and puts the
    // selection and the anchor on the same part of it, so the crop coordinates
    // stay exactly as they were. Does nothing before the first Fit.
    Reaction Refit(float viewWidth, float viewHeight);
    // Puts the selection on that part of the fitted picture, given as fractions
    // of it (y up), as a finished gesture would leave it. Does nothing before
    // the first Fit.
    Reaction Select(float left, float right, float lower, float upper);

    // One click (a button release) with the modifier keys held at that moment.
    Reaction Click(float x, float y, bool shift, bool control);
    // Pointer movement with no button held.
    Reaction Move(float x, float y);
    // One key press: the selection moved by (dx, dy) view points, then its
    // width and height changed by (dw, dh) about its centre; it ends as a
    // gesture. A key never takes an edge beyond the fitted picture, or further
    // beyond it than the pointer had put it, and never shrinks a side below one
    // point (a side the pointer made thinner is not widened). Ignored (an empty
    // reaction) while a pointer gesture runs, which owns the selection until
    // its next click, and before the first Fit.
    Reaction Key(float dx, float dy, float dw, float dh);

    // The selection in the units of a picture of the given size, origin at its
    // lower-left corner, y up.
    QRectF CropCoords(float width, float height) const;
    float CropCoordsLeft() const { return _cropCoordsLeft; }
    float CropCoordsRight() const { return _cropCoordsRight; }
    float CropCoordsTop() const { return _cropCoordsTop; }
    float CropCoordsBottom() const { return _cropCoordsBottom; }

    QRectF GetSelection() const { return selectionPosition.ToQRectF(); }
    const ViewGeometry::ViewRect& Selection() const { return selectionPosition; }
    // (leftMargin, topMargin, realImageWidth, realImageHeight).
    ViewGeometry::ViewRect FittedRect() const;
    ViewGeometry::ViewPoint Anchor() const { return {_startX, _startY}; }
    QRectF ImageRect() const { return imageRect.ToQRectF(); }

    int32_t ClickState() const { return _clickState; }
    bool Shifting() const { return _shifting; }
    bool Scaling() const { return _scaling; }
    bool IsMouseDown() const { return isMouseDown; }
    // A click-move-click gesture is under way.
    bool PointerGesture() const { return _clickState == 1 || _shifting || _scaling; }
    int32_t CurrentWidth() const { return _currentWidth; }
    int32_t CurrentHeight() const { return _currentHeight; }
    // Guide lines are green when the selection is square in whole points.
    bool SquareInWholePoints() const { return _currentWidth == _currentHeight; }

private:
    void SpanFromAnchor(float x, float y);
    void ShiftFromAnchor(float x, float y);
    void ScaleFromAnchor(float x, float y);
    void SetAnchor(float x, float y);
    void UpdateCropCoords();
    Reaction AfterMovement();
    Reaction EndGesture();
    Reaction SizeShown() const; // repaint, labels show the selection's size

    ViewGeometry::ViewRect selectionPosition{10.0f, 10.0f, 100.0f, 100.0f};
    float _startX = 0.0f;
    float _startY = 0.0f;
    [[maybe_unused]] bool _mouseDown = false; // kept for the record; nothing reads it
    ViewGeometry::ViewRect imageRect;
    float realImageWidth = 0.0f;
    float realImageHeight = 0.0f;
    float leftMargin = 0.0f;
    float topMargin = 0.0f;
    float _cropCoordsLeft = 0.0f;
    float _cropCoordsRight = 0.0f;
    float _cropCoordsTop = 0.0f;
    float _cropCoordsBottom = 0.0f;
    bool isMouseDown = false;
    int32_t _clickState = 0;
    int32_t _currentWidth = -2; // -2 against 2: the guides start white
    int32_t _currentHeight = 2;
    bool _shifting = false;
    bool _scaling = false;

    // The size of the picture last fitted, for Refit.
    bool _fitted = false;
    float _pictureWidth = 0.0f;
    float _pictureHeight = 0.0f;
};
