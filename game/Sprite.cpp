#include "Sprite.h"

#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

const char* const kDefaultPicture = "images/Bro_Sprite/Bro_front.bmp";
const int kDefaultHeight = 40;
const int kDefaultWidth = 46;
// A body counts as gone once its centre is this far beyond an edge.
const int kOffTheMapMargin = 10;

const std::string kBmp = ".bmp";

bool facesEastOrWest(char letter) {
    return letter == 'E' || letter == 'W';
}

bool facesNorthOrSouth(char letter) {
    return letter == 'N' || letter == 'S';
}

}  // namespace

Sprite::Sprite(bool isCollidable)
    : Object(kDefaultHeight, kDefaultWidth, false), pos(), vel(), acc(), collidable(isCollidable),
      age(0) {
    setImage(kDefaultPicture);
    pos.x = pos.y = 0;
    pos_to_pixels();
    pos.facing = 0;
}

Sprite::Sprite(const Sprite& other)
    : Object(other), pos(other.pos), vel(other.vel), acc(other.acc), collidable(other.collidable),
      age(other.age) {}

Sprite& Sprite::operator=(const Sprite& other) {
    if (this == &other) return *this;
    pos = other.pos;
    pos_to_pixels();
    vel = other.vel;
    acc = other.acc;
    collidable = other.collidable;
    age = other.age;
    Object::operator=(other);
    return *this;
}

Sprite::~Sprite() = default;

void Sprite::update() {
    updateVel();
    updatePos();
    ++age;
}

void Sprite::setPos(int x, int y) {
    pos.x = x;
    pos.y = y;
    pos_to_pixels();
}

void Sprite::setPos(Position p) {
    setPos(static_cast<int>(p.x), static_cast<int>(p.y));
}

void Sprite::pushPos(double dx, double dy) {
    pos.x += dx;
    pos.y += dy;
    pos_to_pixels();
}

void Sprite::pushPos(double dx, double dy, double facing) {
    pos.x += dx;
    pos.y += dy;
    pos.facing = facing;
    pos_to_pixels();
}

void Sprite::pos_to_pixels() {
    moveTo(static_cast<int>(pos.x), static_cast<int>(pos.y));
}

void Sprite::setVel(double magnitude, double degrees) {
    vel.magnitude = magnitude;
    vel.angle = toRadians(degrees);
    vel.x = magnitude * std::cos(vel.angle);
    vel.y = magnitude * std::sin(vel.angle);
}

void Sprite::setVel(Velocity v) {
    setVel(v.magnitude, v.angle);
}

void Sprite::setAcc(double magnitude, double degrees) {
    acc.magnitude = magnitude;
    acc.angle = toRadians(degrees);
}

void Sprite::pushVel(double magnitude, double degrees) {
    const double a = toRadians(degrees);
    vel.x = vel.magnitude * std::cos(vel.angle);
    vel.y = vel.magnitude * std::sin(vel.angle);
    vel.x += magnitude * std::cos(a);
    vel.y += magnitude * std::sin(a);
    vel.angle = std::atan2(vel.y, vel.x);
    vel.magnitude = std::sqrt(vel.x * vel.x + vel.y * vel.y);
}

void Sprite::pushAcc(double magnitude, double degrees) {
    const double a = toRadians(degrees);
    const double ax = acc.magnitude * std::cos(acc.angle) + magnitude * std::cos(a);
    const double ay = acc.magnitude * std::sin(acc.angle) + magnitude * std::sin(a);
    acc.angle = std::atan2(ay, ax);
    acc.magnitude = std::sqrt(ax * ax + ay * ay);
}

void Sprite::updateVel() {
    const double ax = acc.magnitude * std::cos(acc.angle);
    const double ay = acc.magnitude * std::sin(acc.angle);
    vel.x = vel.magnitude * std::cos(vel.angle) + ax;
    vel.y = vel.magnitude * std::sin(vel.angle) + ay;
    vel.angle = std::atan2(vel.y, vel.x);
    vel.magnitude = std::sqrt(vel.x * vel.x + vel.y * vel.y);
}

void Sprite::updatePos() {
    vel.x = vel.magnitude * std::cos(vel.angle);
    vel.y = vel.magnitude * std::sin(vel.angle);
    pos.x += vel.x;
    pos.y += vel.y;
    pos_to_pixels();
}

void Sprite::turn(double degrees, char letter) {
    pos.facing = toRadians(degrees);
    std::string name = filename;
    const std::string::size_type at = name.rfind(kBmp);
    // Pictures of a turning body end in their facing letter and ".bmp".
    const bool hasOldLetter = at != std::string::npos && at > 0;
    const char oldLetter = hasOldLetter ? name[at - 1] : '\0';
    if (at != std::string::npos && at == name.size() - kBmp.size())
        name.erase(hasOldLetter ? at - 1 : at);
    name += letter;
    name += kBmp;
    if (fileExists(name.c_str())) setImage(name);
    const bool changesGroup = (facesEastOrWest(letter) && facesNorthOrSouth(oldLetter)) ||
                              (facesNorthOrSouth(letter) && facesEastOrWest(oldLetter));
    if (changesGroup) std::swap(rect.w, rect.h);
    selected = false;
}

bool Sprite::offTheMapDeath(Console& console) const {
    // Without a screen there is no map to leave.
    if (!console.screen) return false;
    const int right = console.screen->w + kOffTheMapMargin;
    const int bottom = console.screen->h + kOffTheMapMargin;
    const int cx = getx();
    const int cy = gety();
    return cx <= -kOffTheMapMargin || cy <= -kOffTheMapMargin || cx >= right || cy >= bottom;
}

int randomBelow(int bound) {
    const int draw = std::rand();
    return bound > 0 ? draw % bound : 0;
}
