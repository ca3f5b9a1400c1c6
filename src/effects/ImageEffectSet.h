#pragma once

#include <QString>

// Settings of the final-effects compositor: a plain value record.
class ImageEffectSet {
public:
    ImageEffectSet() = default; // all zero / false, as InitFromFile leaves it

    static ImageEffectSet InitEmpty();
    static ImageEffectSet InitFromFile(const QString& path);
    void BaseInit();
    void SaveToFile(const QString& path) const;

    bool DropShadow() const { return _dropShadow; }
    float DropShadowX() const { return _dropShadowX; }
    float DropShadowY() const { return _dropShadowY; }
    float DropShadowSoftness() const { return _dropShadowSoftness; }
    bool HasFrame() const { return _hasFrame; }
    float BGRed() const { return _bgRed; }
    float BGGreen() const { return _bgGreen; }
    float BGBlue() const { return _bgBlue; }
    bool Reflection() const { return _reflection; }
    bool Photomat() const { return _photomat; }
    float PhotomatDelta() const { return _photomatDelta; }

    void setDropShadow(bool v) { _dropShadow = v; }
    void setDropShadowX(float v) { _dropShadowX = v; }
    void setDropShadowY(float v) { _dropShadowY = v; }
    void setDropShadowSoftness(float v) { _dropShadowSoftness = v; }
    void setHasFrame(bool v) { _hasFrame = v; }
    void setBGRed(float v) { _bgRed = v; }
    void setBGGreen(float v) { _bgGreen = v; }
    void setBGBlue(float v) { _bgBlue = v; }
    void setReflection(bool v) { _reflection = v; }
    void setPhotomat(bool v) { _photomat = v; }
    void setPhotomatDelta(float v) { _photomatDelta = v; }

private:
    bool _dropShadow = false;
    float _dropShadowX = 0.0f;
    float _dropShadowY = 0.0f;
    float _dropShadowSoftness = 0.0f;
    bool _hasFrame = false;
    float _bgRed = 0.0f;
    float _bgGreen = 0.0f;
    float _bgBlue = 0.0f;
    bool _reflection = false;
    bool _photomat = false;
    float _photomatDelta = 0.0f;
};
