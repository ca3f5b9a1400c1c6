#pragma once

class QWidget;

// Fades a preview view in or out through an opacity effect, or sets its
// opacity at once. A new fade replaces the one under way.
class PreviewFader {
public:
    PreviewFader() = delete;

    static constexpr int kFadeMilliseconds = 250;

    static void FadeTo(QWidget* view, double opacity);
    static void SetOpacity(QWidget* view, double opacity);
};
