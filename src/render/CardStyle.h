#pragma once

#include "effects/ImageEffectSet.h"

#include <QColor>
#include <QImage>
#include <array>

struct CardSwitch;

// How the presentation card shows the whole processed picture: the switches
// of the final-effects compositor and the colour of its canvas. Everything
// else is the compositor's own default.
struct CardStyle {
    bool shadow = false;     // a drop shadow, the canvas a fifth larger
    bool strip = false;      // a photo strip of four small copies instead of the picture
    bool frame = false;      // white bars along the picture's edges (not with the strip)
    bool reflection = false; // a fading band under it, the canvas twice as high
    QColor background = QColor(Qt::white);

    // The compositor's settings for this style.
    ImageEffectSet EffectSet() const;
    // The card of a whole picture; null when the picture is null.
    QImage Card(const QImage& whole) const;

    // The four switches in the order the controls and the command line list them.
    static const std::array<CardSwitch, 4>& Switches();

    friend bool operator==(const CardStyle&, const CardStyle&) = default;
};

// One switch of the card: its command-line key, its name for people and its field.
struct CardSwitch {
    const char* key;
    const char* name;
    bool CardStyle::*on;
};
