#ifndef ORBITANE_FRAMEWORK_SHAPE_H
#define ORBITANE_FRAMEWORK_SHAPE_H

// Exchanges two values through a temporary.
template <typename T>
void swapem(T& a, T& b) {
    T held = a;
    a = b;
    b = held;
}

// A hit-test area placed by its centre, in whole pixels.
class Shape {
public:
    Shape() = default;
    Shape(const Shape& other) = default;
    Shape& operator=(const Shape& other) = default;

    // True when the point lies on the shape.
    virtual bool on_this(int px, int py) = 0;
    virtual ~Shape() = default;

    int x = 0;
    int y = 0;
};

// A shape outlined by a fixed number of points. The polygon owns its point
// array: point i is at points[2i], points[2i + 1].
class Polygon : public Shape {
public:
    // Throws std::bad_alloc for a negative count, as for one too big to hold.
    explicit Polygon(int n);
    Polygon(const Polygon& other);
    Polygon& operator=(const Polygon& other);
    ~Polygon() override;

    void swap(Polygon& other);

    // Point access; an index past the last point stops the program.
    void set_point(int num, int px, int py);
    int get_point_x(int num);
    int get_point_y(int num);

    int num_points;
    int* points;
};

// An axis-aligned rectangle; its edges belong to it.
class Rect : public Shape {
public:
    bool on_this(int px, int py) override;
    // Rectangles that only share an edge do not overlap.
    bool on_this(const Rect& other);

    int height = 0;
    int width = 0;
};

// A circle; its rim belongs to it, so touching circles overlap.
class Circle : public Shape {
public:
    bool on_this(int px, int py) override;
    bool on_this(const Circle& other);

    int radius = 0;
};

#endif
