#pragma once

#include <functional>
#include <vector>

// A colour with float channels; 0..1 is the visible range, lights may add past it.
struct Color {
    float r = 0;
    float g = 0;
    float b = 0;
};

Color operator+(Color a, Color b);
Color operator*(Color a, float k);
Color operator*(Color a, Color b);
Color mix(Color a, Color b, float t);
// The value between four corners at (tx, ty), each from 0 to 1, across then down.
float bilinear(float topLeft, float topRight, float bottomLeft, float bottomRight, float tx,
               float ty);
// Pi, for every angle the pictures turn through.
constexpr float kPi = 3.14159265f;
constexpr float kDegToRad = kPi / 180;
Color hex(unsigned rgb);

// A point or direction in pixels; pixel (i, j) covers [i, i+1) x [j, j+1).
struct Vec {
    float x = 0;
    float y = 0;
};

Vec operator+(Vec a, Vec b);
Vec operator-(Vec a, Vec b);
Vec operator*(Vec a, float k);
float dot(Vec a, Vec b);
float length(Vec a);

// The pixels a drawing call may touch, end exclusive.
struct Box {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;
};

Box boxAround(Vec centre, float radius);

// A shape is its signed distance in pixels (negative inside); a shader colours a point.
using Shape = std::function<float(Vec)>;
using Shader = std::function<Color(Vec)>;

float clamp01(float v);
float smoothstep(float edge0, float edge1, float v);

// A picture being drawn. It keeps premultiplied colour plus coverage, so the same drawing
// can be saved opaque on black or with a transparent background.
class Canvas {
public:
    Canvas(int width, int height);

    int width() const { return w; }
    int height() const { return h; }
    Box bounds() const { return {0, 0, w, h}; }

    // Reading back: the colour as seen on black, and how much of the pixel is covered.
    Color color(int x, int y) const;
    float alpha(int x, int y) const;

    // Single pixels: paint covers what is underneath, light adds to it.
    void paint(int x, int y, Color c, float coverage = 1);
    void light(int x, int y, Color c);

    // Every pixel inside the shape, anti-aliased along its edge.
    void fill(const Shape& shape, const Shader& shader, Box area);
    void fill(const Shape& shape, const Shader& shader);
    void fill(const Shape& shape, Color c, Box area);
    void fill(const Shape& shape, Color c);

    // Soft light around a point, fading with a Gaussian of the given radius.
    void glow(Vec centre, float radius, Color c);

private:
    bool inside(int x, int y) const;
    Box clipped(Box area) const;

    int w;
    int h;
    std::vector<Color> pixels;
    std::vector<float> coverage;
};
