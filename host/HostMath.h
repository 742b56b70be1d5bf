#pragma once
// Small value types shared by sources and the graphics system.

struct Vect2 {
    float x = 0.0f, y = 0.0f;
    Vect2() = default;
    Vect2(float xIn, float yIn) : x(xIn), y(yIn) {}
};

struct Vect {
    float x = 0.0f, y = 0.0f, z = 0.0f, w = 0.0f;
};

struct Vect4 {
    float x = 0.0f, y = 0.0f, z = 0.0f, w = 0.0f;
};

// Red, green, blue, alpha as floats 0..1.
struct Color4 {
    float x = 0.0f, y = 0.0f, z = 0.0f, w = 0.0f;
    Color4() = default;
    Color4(float r, float g, float b, float a) : x(r), y(g), z(b), w(a) {}
};

struct Matrix {
    Vect X, Y, Z, T;
};

struct XRect {
    int x = 0, y = 0, cx = 0, cy = 0;
};
