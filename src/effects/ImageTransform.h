#pragma once

#include <QImage>

// A new picture with width and height exchanged holding the picture turned by
// the given degrees counter-clockwise about its centre, the turned content
// centred on the new picture whatever the aspect. The rest is transparent.
// A null picture gives a null picture; an angle that is not finite gives the
// transparent picture alone.
QImage imageRotatedByDegrees(const QImage& picture, float degrees);
