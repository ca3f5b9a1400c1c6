#pragma once

#include <QDialog>

class ProfileDocument;
class QLabel;
class QSlider;

// Image > Straighten…: a slider from -45° to +45° in tenths of a degree that
// straightens the document's picture. While it is dragged the crop view shows
// the result from a small copy; letting go (or a key, or Reset) is one edit.
class StraightenDialog : public QDialog {
    Q_OBJECT

public:
    // The slider moves in tenths of a degree.
    static constexpr int kStepsPerDegree = 10;

    StraightenDialog(QWidget* window, ProfileDocument& document);

    // Opens the window-modal sheet; it deletes itself when closed.
    static StraightenDialog* Show(QWidget* window, ProfileDocument& document);

private:
    void Moved(int value);
    void ShowAngle();

    ProfileDocument& _document;
    QSlider* _slider;
    QLabel* _angle;
};
