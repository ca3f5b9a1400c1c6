#pragma once

#include <QImage>
#include <QRectF>
#include <QWidget>

// The image view Qt lacks: holds one picture and draws it scaled to fit,
// aspect kept, centred. The previews are ImageViews; the crop view and the
// position picker draw their overlays on top of one. Screen readers announce it
// as a graphic under the name given by setAccessibleName (QWidget's own).
class ImageView : public QWidget {
    Q_OBJECT

public:
    // How the picture is drawn: whole, or clipped to the circle or the square
    // with rounded corners that touches the edges of its square.
    enum class Shape { Square, Circle, Rounded };
    // The rounded shape's corner radius, as a share of the picture's side.
    static constexpr double kCornerShare = 1.0 / 6.0;

    explicit ImageView(QWidget* parent = nullptr);

    QImage image() const;
    // Stores the picture and repaints; a null picture shows nothing.
    void setImage(const QImage& image);
    // Where the picture is drawn, in widget coordinates (y down); empty without
    // a picture. Views with their own fitting rule override it.
    virtual QRectF FittedRect() const;
    // Draws the picture in that shape; the picture held stays as it is.
    void SetShape(Shape shape);
    // The circle, or the whole square.
    void SetRound(bool round) { SetShape(round ? Shape::Circle : Shape::Square); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage _image;
    Shape _shape = Shape::Square;
};
