#include "app/StraightenDialog.h"

#include "document/ProfileDocument.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>
#include <cmath>

namespace {

float Degrees(int value) {
    return float(value) / float(StraightenDialog::kStepsPerDegree);
}

} // namespace

StraightenDialog::StraightenDialog(QWidget* window, ProfileDocument& document)
    : QDialog(window), _document(document), _slider(new QSlider(Qt::Horizontal, this)),
      _angle(new QLabel(this)) {
    setObjectName(QStringLiteral("straightenDialog"));
    setWindowTitle(tr("Straighten"));
    const int reach = int(PictureTurns::kMaxStraighten) * kStepsPerDegree;
    _slider->setObjectName(QStringLiteral("straightenSlider"));
    _slider->setAccessibleName(tr("Straighten by degrees"));
    _slider->setRange(-reach, reach);
    _slider->setPageStep(kStepsPerDegree);
    _slider->setMinimumWidth(320);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Reset | QDialogButtonBox::Close, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Turn the picture until its horizon is level:"), this));
    layout->addWidget(_slider);
    layout->addWidget(_angle, 0, Qt::AlignHCenter);
    layout->addWidget(buttons);
    ShowAngle();
    connect(_slider, &QSlider::valueChanged, this, &StraightenDialog::Moved);
    connect(_slider, &QSlider::sliderReleased, this,
            [this] { _document.SetStraightening(Degrees(_slider->value())); });
    connect(buttons->button(QDialogButtonBox::Reset), &QPushButton::clicked, this,
            [this] { _slider->setValue(0); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // An undo while the sheet is open moves the slider with it.
    connect(&_document, &ProfileDocument::PictureChanged, this, &StraightenDialog::ShowAngle);
}

StraightenDialog* StraightenDialog::Show(QWidget* window, ProfileDocument& document) {
    auto* dialog = new StraightenDialog(window, document);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->open();
    return dialog;
}

void StraightenDialog::Moved(int value) {
    if (_slider->isSliderDown()) {
        _document.PreviewStraightening(Degrees(value));
        _angle->setText(QStringLiteral("%1°").arg(double(Degrees(value)), 0, 'f', 1));
    } else {
        _document.SetStraightening(Degrees(value), true);
    }
}

void StraightenDialog::ShowAngle() {
    const float degrees = _document.Straightening();
    if (!_slider->isSliderDown()) {
        const QSignalBlocker quiet(_slider);
        _slider->setValue(int(std::lround(degrees * float(kStepsPerDegree))));
    }
    _angle->setText(QStringLiteral("%1°").arg(double(degrees), 0, 'f', 1));
}
