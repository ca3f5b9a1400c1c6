#include "app/WindowPresenter.h"

#include "app/ControlNames.h"
#include "app/PreviewFader.h"
#include "image/PixelMath.h"
#include "ui_MainWindow.h"
#include "views/ColorWell.h"
#include "views/CropImageView.h"
#include "views/ImageView.h"
#include "views/PositionView.h"

#include <QMainWindow>
#include <QSignalBlocker>
#include <cmath>

namespace {

// The slider moves in tenths of a point.
constexpr float kSliderStepsPerPoint = 10.0f;

// What a screen reader says for the controls that show no text of their own.
constexpr std::pair<const char*, const char*> kSpokenNames[] = {
    {"baseImageView", "Crop selection"}, {"colorizeWell", "Colorize colour"},
    {"theTextField", "Text line"},       {"textSizeSlider", "Text size"},
    {"textColorWell", "Text colour"},    {"textBackgroundColorWell", "Text background colour"},
    {"positionView", "Text position"},   {"logoView", "Trellica home page"},
};

bool Is(const char* network, const char* name) {
    return QLatin1String(network) == QLatin1String(name);
}

} // namespace

WindowPresenter::WindowPresenter(Ui::MainWindow& ui, QMainWindow* window)
    : _ui(ui), _window(window) {
    for (size_t row = 0; row < ProfileTargets::kTargetCount; ++row) {
        const ProfileTarget& target = ProfileTargets::Targets()[row];
        _previews[row] =
            window->findChild<ImageView*>(QLatin1String(ControlNames::Previews()[row]));
        _previews[row]->setAccessibleName(
            QStringLiteral("%1 %2 pixels").arg(QLatin1String(target.network)).arg(target.size));
    }
    for (const auto& [control, spoken] : kSpokenNames) {
        window->findChild<QWidget*>(QLatin1String(control))->setAccessibleName(QWidget::tr(spoken));
    }
    // Idle, the busy indicator keeps its place so the layout doesn't move.
    QSizePolicy keepPlace = _ui.busyIndicator->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    _ui.busyIndicator->setSizePolicy(keepPlace);
    _ui.busyIndicator->hide();
}

void WindowPresenter::Bind(ProfileDocument& document) {
    using Colour = ProfileDocument::Colour;
    const std::array<ColorWell*, 3> wells{_ui.colorizeWell, _ui.textColorWell,
                                          _ui.textBackgroundColorWell};
    QObject::connect(&document, &ProfileDocument::PictureChanged, _window,
                     [this](const QImage& picture, QSize size) { ShowPicture(picture, size); });
    QObject::connect(&document, &ProfileDocument::SelectionChanged, _window,
                     [this](const CropFractions& crop) { ShowSelection(crop); });
    QObject::connect(&document, &ProfileDocument::LooksChanged, _window,
                     [this](const LookSet& looks) { ShowLooks(looks); });
    QObject::connect(&document, &ProfileDocument::ColourChanged, _window,
                     [wells](Colour which, const QColor& c) { wells[size_t(which)]->setColor(c); });
    QObject::connect(&document, &ProfileDocument::TextChanged, _window,
                     [this](const TextLine& text) { ShowText(text); });
}

void WindowPresenter::ShowPicture(const QImage& picture, QSize photoSize) {
    CropImageView* view = _ui.baseImageView;
    view->setImage(picture);
    view->SetTheImage(picture);
    view->SetPhotoSize(photoSize);
    if (!picture.isNull()) {
        _shownSelection = CropFractions{}; // fitted whole
    }
}

void WindowPresenter::ShowSelection(const CropFractions& crop) {
    if (crop == _shownSelection) {
        return; // the view's own, or already there
    }
    _shownSelection = crop;
    if (crop == CropFractions{}) {
        _ui.baseImageView->ResetSelection(); // exactly the fitted picture
    } else {
        _ui.baseImageView->SetSelectionFractions(crop.left, crop.right, crop.lower, crop.upper);
    }
}

void WindowPresenter::ShowLooks(const LookSet& looks) {
    for (size_t row = 0; row < ProfileTargets::kLookCount; ++row) {
        _window->findChild<QAbstractButton*>(QLatin1String(ControlNames::LookButtons()[row]))
            ->setChecked(looks[row]);
    }
}

void WindowPresenter::ShowText(const TextLine& text) {
    _ui.textSizeSliderVal->setText(QStringLiteral("%1 pt").arg(PixelMath::Truncate(text.size)));
    if (_fromControl) {
        return; // the control shows it already
    }
    // Set, not typed or dragged: no edit of their own.
    const QSignalBlocker field(_ui.theTextField);
    const QSignalBlocker size(_ui.textSizeSlider);
    _ui.theTextField->setText(text.text);
    _ui.textSizeSlider->setValue(int(std::lround(text.size * kSliderStepsPerPoint)));
    _ui.textBackgroundToggle->setChecked(text.useBackground);
    _ui.positionView->SetFractions(text.left, text.top);
}

void WindowPresenter::HidePreviews() {
    for (size_t row = 0; row < ProfileTargets::kTargetCount; ++row) {
        const char* network = ProfileTargets::Targets()[row].network;
        if (Is(network, "facebook")) {
            PreviewFader::FadeTo(_previews[row], 0.0);
        } else if (Is(network, "twitter")) {
            PreviewFader::SetOpacity(_previews[row], 0.0);
        }
    }
}

void WindowPresenter::ShowPreviews(const ProfileDocument::Previews& previews) {
    for (size_t row = 0; row < ProfileTargets::kTargetCount; ++row) {
        ImageView* view = _previews[row];
        view->setImage(previews[row]);
        view->update();
        PreviewFader::FadeTo(view, 1.0);
    }
}

void WindowPresenter::ShowRound(bool round) {
    for (ImageView* view : _previews) {
        view->SetRound(round);
    }
}

void WindowPresenter::SetBusy(bool busy) {
    // An empty range makes the bar show its busy animation.
    _ui.busyIndicator->setRange(0, busy ? 0 : 1);
    _ui.busyIndicator->setVisible(busy);
}
