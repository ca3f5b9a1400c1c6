#pragma once

#include "views/CropGesture.h"
#include "views/ImageView.h"

#include <QColor>
#include <QFont>
#include <QPointer>
#include <QSize>

class QLabel;
class QPainter;

// The large picture view in which the crop selection is made with the pointer:
// click, move, click to span a rectangle; Shift-click, move, click to move it;
// Control-click, move, click to grow or shrink it about its centre. The pointer
// follows without a button held; pressing does nothing, each release is one
// click. While a gesture runs the view shows the selection lightened, guide
// lines along its edges (green when it is square in whole points) and its
// corner positions; when a gesture ends it says so.
//
// From the keyboard: the view takes the focus by Tab or a click and outlines
// itself while it has it. The arrow keys move the selection by one view point,
// with Shift by ten; with Control, Right and Up grow its width and height by
// the same steps about its centre, Left and Down shrink them. Each key press is
// a whole gesture, reported by SelectionKeyed; keys do nothing while a pointer
// gesture runs. Keys keep the selection on the picture (see CropGesture::Key).
class CropImageView : public ImageView {
    Q_OBJECT

public:
    explicit CropImageView(QWidget* parent = nullptr);

    // The labels that show the selection's width and height in whole points.
    void SetSizeLabels(QLabel* width, QLabel* height);
    // The label that shows the selection in the photo's own pixels.
    void SetPhotoPixelLabel(QLabel* label);
    // The photo's own size when the picture shown is a reduced copy of it;
    // SetTheImage takes the picture's size until then.
    void SetPhotoSize(QSize size);
    // Shows the picture and fits the selection to it; a null picture changes
    // nothing (beyond taking the focus).
    void SetTheImage(const QImage& picture);
    // Fits the selection to the picture shown again; without one does nothing.
    void ResetSelection();
    // Sets the selection from fractions of the picture (left, right, lower,
    // upper; y up) without a gesture; reports nothing.
    void SetSelectionFractions(float left, float right, float lower, float upper);
    QSize PhotoSize() const { return _photoSize; }

    // The selection in picture units for a picture of the given size, y up.
    QRectF CropCoords(float width, float height) const;
    float CropCoordsLeft() const;
    float CropCoordsRight() const;
    float CropCoordsTop() const;
    float CropCoordsBottom() const;
    // The selection in view coordinates (y up).
    QRectF GetSelection() const;
    const CropGesture& Gesture() const { return _gesture; }

    // The picture is drawn where the selection's fitting puts it.
    QRectF FittedRect() const override;

public slots:
    void CropOk();
    void CropDismiss();

signals:
    // A pointer gesture ended (its last click): the selection is new, as
    // fractions of the picture (left, right, lower, upper; y up), as
    // CropCoordsLeft() ... give them.
    void SelectionFinished(float left, float right, float lower, float upper);
    // A key press changed the selection, one signal a press, as a finished
    // gesture would; presses following each other quickly may be merged into
    // one undo step by the receiver.
    void SelectionKeyed(float left, float right, float lower, float upper);
    // Sent only by CropOk and CropDismiss.
    void CroppingAccepted();
    void CroppingCancelled();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct TextAttributes {
        QFont font;
        QColor colour;
    };

    ViewGeometry::ViewPoint ToView(QPointF widgetPosition) const;
    QRectF ToWidget(const ViewGeometry::ViewRect& rect) const;
    QRectF ClipToView(const QRectF& rect) const;
    void Apply(const CropGesture::Reaction& reaction);
    void DrawGuides(QPainter& painter) const;
    void DrawCornerLabels(QPainter& painter) const;
    void DrawFocus(QPainter& painter) const;
    void ShowPhotoPixels();

    QPointer<QLabel> _txtWidth;
    QPointer<QLabel> _txtHeight;
    QPointer<QLabel> _photoPixels;
    QSize _photoSize;
    CropGesture _gesture;
    TextAttributes stanStringAttrib;
};
