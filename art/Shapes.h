#pragma once

#include "Canvas.h"

#include <vector>

// Building blocks for shapes (signed distances) and shaders (gradients).
namespace shapes {

Shape circle(Vec centre, float radius);
Shape ellipse(Vec centre, float rx, float ry);
Shape polygon(std::vector<Vec> corners);
Shape segment(Vec a, Vec b, float halfWidth);
Shape stroke(std::vector<Vec> path, float halfWidth);
Shape rectangle(float x0, float y0, float x1, float y1);

// Combining shapes.
Shape unite(Shape a, Shape b);
Shape subtract(Shape from, Shape cut);
Shape intersect(Shape a, Shape b);
Shape grown(Shape s, float by);
Shape mirroredY(std::vector<Vec> corners);

// A slow shape worked out once at every pixel of `area` and read back by interpolation.
Shape cached(const Shape& s, Box area);

// Points along an elliptic arc, angles in degrees, clockwise on screen from east.
std::vector<Vec> arc(Vec centre, float rx, float ry, float fromDeg, float toDeg, int steps);

// Gradients between two points, or from a centre outwards.
Shader linear(Vec from, Color a, Vec to, Color b);
Shader radial(Vec centre, float radius, Color inner, Color outer);

// Where a drawing made in its own frame lands: turned, scaled and moved.
struct Placement {
    Vec centre;
    float degrees = 0;
    float scale = 1;

    Vec toLocal(Vec world) const;
    Vec toWorld(Vec local) const;
    Shape place(Shape local) const;
    Shader place(Shader local) const;
};

}  // namespace shapes
