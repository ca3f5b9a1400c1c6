#pragma once

#include <QImage>

// An opaque picture with gradients and fine texture in every channel, the same
// for every benchmark that needs a photograph of a given size.
QImage BenchPhoto(int width, int height);
