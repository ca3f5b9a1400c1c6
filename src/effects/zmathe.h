#pragma once

// A plain three-float vector with the arithmetic the colour model and the
// geometry of the effects need. The colour operations use it as (hue,
// saturation, brightness) or as (red, green, blue).
//
// The pointer forms keep the interface the effect code was written against; a
// null pointer is treated as "no vector": the operation leaves its target as it
// is and a scalar result is 0.
class zvektor {
public:
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    zvektor() = default;
    explicit zvektor(const zvektor* v);
    zvektor(float x, float y, float z);

    void Null();
    void Set(float x, float y, float z);
    void Set(const zvektor* v);
    void Scale(float factor);
    void Add(const zvektor* v);
    void Add(float x, float y, float z);
    void Sub(const zvektor* v);
    // x*x' + y*y' + z*z', summed left to right.
    float SkalarProdukt(const zvektor* v) const;
    // sqrt(x*x + y*y + z*z), summed left to right.
    float Betrag() const;
    float Length() const;
    // this = a x b (either may be this vector).
    void KreuzProdukt(const zvektor* a, const zvektor* b);
    // this = this x b.
    void KreuzProdukt(const zvektor* b);
    // Divides by the length without a check: a zero vector becomes NaN.
    void Normalisieren();
    void Normalize();
};

float SkalarProdukt(const zvektor* a, const zvektor* b);
// out = a x b (out may be a or b).
void KreuzProdukt(const zvektor* a, const zvektor* b, zvektor* out);
// Divides by the length only when it is above 0: a zero vector stays as it is.
void Normalisieren(zvektor* v);

zvektor operator+(const zvektor& a, const zvektor& b);
zvektor operator-(const zvektor& a, const zvektor& b);
// The scalar product.
float operator*(const zvektor& a, const zvektor& b);
zvektor operator*(const zvektor& v, float factor);
zvektor operator*(float factor, const zvektor& v);
// The cross product.
zvektor operator%(const zvektor& a, const zvektor& b);
zvektor& operator+=(zvektor& a, const zvektor& b);
zvektor& operator-=(zvektor& a, const zvektor& b);
zvektor& operator%=(zvektor& a, const zvektor& b);
zvektor& operator*=(zvektor& v, float factor);
