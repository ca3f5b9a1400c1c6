#include "effects/zmathe.h"

#include <cmath>

namespace {

zvektor Cross(const zvektor& a, const zvektor& b) {
    return zvektor(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

float Dot(const zvektor& a, const zvektor& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

} // namespace

zvektor::zvektor(const zvektor* v) {
    Set(v);
}

zvektor::zvektor(float x, float y, float z) : x(x), y(y), z(z) {}

void zvektor::Null() {
    x = y = z = 0.0f;
}

void zvektor::Set(float nx, float ny, float nz) {
    x = nx;
    y = ny;
    z = nz;
}

void zvektor::Set(const zvektor* v) {
    if (v) {
        Set(v->x, v->y, v->z);
    }
}

void zvektor::Scale(float factor) {
    x *= factor;
    y *= factor;
    z *= factor;
}

void zvektor::Add(const zvektor* v) {
    if (v) {
        Add(v->x, v->y, v->z);
    }
}

void zvektor::Add(float ax, float ay, float az) {
    x += ax;
    y += ay;
    z += az;
}

void zvektor::Sub(const zvektor* v) {
    if (v) {
        x -= v->x;
        y -= v->y;
        z -= v->z;
    }
}

float zvektor::SkalarProdukt(const zvektor* v) const {
    return v ? Dot(*this, *v) : 0.0f;
}

float zvektor::Betrag() const {
    return std::sqrt(Dot(*this, *this));
}

float zvektor::Length() const {
    return Betrag();
}

void zvektor::KreuzProdukt(const zvektor* a, const zvektor* b) {
    if (a && b) {
        *this = Cross(*a, *b);
    }
}

void zvektor::KreuzProdukt(const zvektor* b) {
    KreuzProdukt(this, b);
}

void zvektor::Normalisieren() {
    const float length = Betrag();
    x /= length;
    y /= length;
    z /= length;
}

void zvektor::Normalize() {
    Normalisieren();
}

float SkalarProdukt(const zvektor* a, const zvektor* b) {
    return a ? a->SkalarProdukt(b) : 0.0f;
}

void KreuzProdukt(const zvektor* a, const zvektor* b, zvektor* out) {
    if (out) {
        out->KreuzProdukt(a, b);
    }
}

void Normalisieren(zvektor* v) {
    if (v && std::fabs(v->Betrag()) > 0.0f) {
        v->Normalisieren();
    }
}

zvektor operator+(const zvektor& a, const zvektor& b) {
    return zvektor(a.x + b.x, a.y + b.y, a.z + b.z);
}

zvektor operator-(const zvektor& a, const zvektor& b) {
    return zvektor(a.x - b.x, a.y - b.y, a.z - b.z);
}

float operator*(const zvektor& a, const zvektor& b) {
    return Dot(a, b);
}

zvektor operator*(const zvektor& v, float factor) {
    return zvektor(v.x * factor, v.y * factor, v.z * factor);
}

zvektor operator*(float factor, const zvektor& v) {
    return v * factor;
}

zvektor operator%(const zvektor& a, const zvektor& b) {
    return Cross(a, b);
}

zvektor& operator+=(zvektor& a, const zvektor& b) {
    a = a + b;
    return a;
}

zvektor& operator-=(zvektor& a, const zvektor& b) {
    a = a - b;
    return a;
}

zvektor& operator%=(zvektor& a, const zvektor& b) {
    a = Cross(a, b);
    return a;
}

zvektor& operator*=(zvektor& v, float factor) {
    v.Scale(factor);
    return v;
}
