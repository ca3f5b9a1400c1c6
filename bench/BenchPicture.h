#pragma once

#include <QImage>

// An opaque picture with gradients and fine texture in every channel, the same
// for every benchmark that needs a photograph of a given size.
QImage BenchPhoto(int width, int height);

// A real photograph (one of Debian's opencv-doc pictures) scaled up to the
// given size, with a camera sensor's fine grain (±3 in each channel, fixed
// seed), so that a codec sees a photograph's detail and noise.
QImage CameraPhoto(int width, int height);
