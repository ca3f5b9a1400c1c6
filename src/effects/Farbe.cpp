#include "effects/Farbe.h"

Farbe& Farbe::InitWith(float x, float y, float z) {
    Set(x, y, z);
    return *this;
}

void Farbe::Set(float x, float y, float z) {
    _x = x;
    _y = y;
    _z = z;
}
