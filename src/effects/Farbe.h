#pragma once

// A colour as three floats, with no fixed meaning of its own.
class Farbe {
public:
    // Sets the three components and returns the object.
    Farbe& InitWith(float x, float y, float z);
    void Set(float x, float y, float z);

    float x() const { return _x; }
    float y() const { return _y; }
    float z() const { return _z; }
    void setX(float value) { _x = value; }
    void setY(float value) { _y = value; }
    void setZ(float value) { _z = value; }

private:
    float _x = 0.0f;
    float _y = 0.0f;
    float _z = 0.0f;
};
