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
    explicit ImageView(QWidget* parent = nullptr);

    QImage image() const;
    // Stores the picture and repaints; a null picture shows nothing.
    void setImage(const QImage& image);
    // Where the picture is drawn, in widget coordinates (y down); empty without
    // a picture. Views with their own fitting rule override it.
    virtual QRectF FittedRect() const;
    // Draws the picture as the circle touching the edges of its square; the
    // picture held stays as it is.
    void SetRound(bool round);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage _image;
    bool _round = false;
};
