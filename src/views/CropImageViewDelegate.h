#pragma once

// What the crop view tells its delegate (the application controller).
class CropImageViewDelegate {
public:
    virtual ~CropImageViewDelegate() = default;
    // A selection gesture ended: first the cropped picture is out of date...
    virtual void SetChangeFlag() = 0;
    // ...then render again from the new selection.
    virtual void FinishCropping() = 0;
    // Sent only by CropOk and CropDismiss.
    virtual void AcceptImageCropping() = 0;
    virtual void CancelImageCropping() = 0;
};
