#include "app/PreviewFader.h"

#include <QGraphicsOpacityEffect>
#include <QPropertyAnimation>
#include <QWidget>

namespace {

// The view's opacity effect and its animation, made on first use.
QPropertyAnimation* Fade(QWidget* view) {
    auto* effect = qobject_cast<QGraphicsOpacityEffect*>(view->graphicsEffect());
    if (effect == nullptr) {
        effect = new QGraphicsOpacityEffect(view);
        effect->setOpacity(1.0);
        view->setGraphicsEffect(effect);
    }
    auto* fade = effect->findChild<QPropertyAnimation*>();
    if (fade == nullptr) {
        fade = new QPropertyAnimation(effect, "opacity", effect);
        fade->setDuration(PreviewFader::kFadeMilliseconds);
    }
    fade->stop();
    return fade;
}

} // namespace

void PreviewFader::FadeTo(QWidget* view, double opacity) {
    QPropertyAnimation* fade = Fade(view);
    fade->setStartValue(fade->targetObject()->property("opacity"));
    fade->setEndValue(opacity);
    fade->start();
}

void PreviewFader::SetOpacity(QWidget* view, double opacity) {
    Fade(view)->targetObject()->setProperty("opacity", opacity);
}
