#include "effects/ImageEffectSet.h"

ImageEffectSet ImageEffectSet::InitEmpty() {
    ImageEffectSet set;
    set.BaseInit();
    return set;
}

// Settings are never stored: reading a file gives the all-zero record.
ImageEffectSet ImageEffectSet::InitFromFile(const QString&) {
    return ImageEffectSet();
}

void ImageEffectSet::BaseInit() {
    _dropShadow = false;
    _dropShadowX = -15.0f;
    _dropShadowY = 15.0f;
    _dropShadowSoftness = 5.0f;
    _hasFrame = false;
    _bgRed = 0.5f;
    _bgGreen = 0.5f;
    _bgBlue = 0.5f;
    _reflection = false;
    _photomat = true;
    _photomatDelta = 100.0f;
}

// Settings are never stored: nothing is written.
void ImageEffectSet::SaveToFile(const QString&) const {}
