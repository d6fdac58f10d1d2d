#ifndef ORBITANE_GAME_SPRITE_H
#define ORBITANE_GAME_SPRITE_H

#include "GameDisplay.h"
#include "Object.h"

// Angles go into bodies in degrees and are stored in radians, as getPos(),
// getVel() and getAcc() give them back; bodies convert with this rounded pi.
const double kBodyPi = 3.14159;

inline double toRadians(double degrees) {
    return degrees * kBodyPi / 180.0;
}

// Gravity and the missile launch turn radians back into degrees with a finer pi.
const double kFinePi = 3.1415926535859;

// A full turn, in degrees.
const int kFullTurn = 360;

// A draw from rand() reduced below `bound`; an empty range gives 0. Every
// random number of a match is drawn through it.
int randomBelow(int bound);

// Where a body is and which way it faces (radians).
struct Position {
    double x;
    double y;
    double facing;
};

// A polar velocity with its components cached from the last refresh.
struct Velocity {
    double magnitude;
    double angle;
    double x;
    double y;
};

// A polar acceleration; its components are never stored.
struct Acceleration {
    double magnitude;
    double angle;
};

// A moving screen object: real-valued position and facing, polar velocity and
// acceleration, a collide flag and an age in frames.
class Sprite : public Object {
public:
    explicit Sprite(bool collidable);
    Sprite(const Sprite& other);
    Sprite& operator=(const Sprite& other);
    ~Sprite() override;

    // One frame: acceleration into velocity, velocity into position, age + 1.
    virtual void update();

    Position getPos() const { return pos; }
    Velocity getVel() const { return vel; }
    Acceleration getAcc() const { return acc; }
    int getAge() const { return age; }
    bool collid() const { return collidable; }
    void setCollid(bool isCollidable) { collidable = isCollidable; }

    // Placement. The rectangle follows the position, truncated toward zero.
    void setPos(int x, int y);
    void setPos(Position p);
    void pushPos(double dx, double dy);
    void pushPos(double dx, double dy, double facing);
    void pos_to_pixels();

    // Kinematics. Angles come in as degrees; a negative magnitude points backwards.
    void setVel(double magnitude, double degrees);
    // Reads v.angle in degrees; the components are ignored.
    void setVel(Velocity v);
    void setAcc(double magnitude, double degrees);
    void pushVel(double magnitude, double degrees);
    void pushAcc(double magnitude, double degrees);
    void updateVel();
    void updatePos();

    // Faces the given way and shows the picture for that facing letter (E, S, W, N).
    void turn(double degrees, char letter);

    // True once the centre is 10 pixels or more beyond the console's screen.
    bool offTheMapDeath(Console& console) const;

protected:
    Position pos;
    Velocity vel;
    Acceleration acc;
    bool collidable;
    int age;
};

#endif
