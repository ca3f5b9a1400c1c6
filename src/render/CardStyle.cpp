#include "render/CardStyle.h"

#include "image/ImageTools.h"

ImageEffectSet CardStyle::EffectSet() const {
    ImageEffectSet set = ImageEffectSet::InitEmpty();
    set.setDropShadow(shadow);
    set.setPhotomat(strip);
    set.setHasFrame(frame);
    set.setReflection(reflection);
    set.setBGRed(static_cast<float>(background.redF()));
    set.setBGGreen(static_cast<float>(background.greenF()));
    set.setBGBlue(static_cast<float>(background.blueF()));
    return set;
}

QImage CardStyle::Card(const QImage& whole) const {
    return whole.isNull() ? QImage() : ImageTools::DoFinalEffects(whole, EffectSet());
}

const std::array<CardSwitch, 4>& CardStyle::Switches() {
    static const std::array<CardSwitch, 4> switches{{
        {"shadow", "Drop shadow", &CardStyle::shadow},
        {"strip", "Photo strip", &CardStyle::strip},
        {"frame", "White frame", &CardStyle::frame},
        {"reflection", "Reflection", &CardStyle::reflection},
    }};
    return switches;
}
