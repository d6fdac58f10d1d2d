#include "GameMain.h"

#include <cmath>

namespace {

// Gravity keeps the finer pi of its own.
const double kGravityPi = 3.1415926535859;
// No pull is stronger than this, however close the body comes.
const double kMaxPull = 50.0;
// Bodies wrap this far inside the right and bottom edges and this far past
// the left and top ones.
const int kWrapMargin = 20;

}  // namespace

void pullGravity(Sprite& body, Sprite& attractor, double strength) {
    const Position from = body.getPos();
    const Position to = attractor.getPos();
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    const double direction = std::atan2(dy, dx) * 180.0 / kGravityPi;
    const double distance = std::sqrt(dx * dx + dy * dy);
    double pull = strength / (distance * distance);
    if (pull >= kMaxPull) pull = kMaxPull;
    body.pushVel(pull, direction);
}

bool collision(Sprite& a, Sprite& b) {
    if (!a.collid()) return false;
    if (!b.collid()) return false;
    return a.is_on_this(b.getRect());
}

void update_wrapAroundScreen(Sprite& body, SDL_Surface* screen) {
    const int w = screen->w;
    const int h = screen->h;
    if (body.getPos().x > w - kWrapMargin)
        body.pushPos(-w, 0);
    else if (body.getPos().x < -kWrapMargin)
        body.pushPos(w, 0);
    if (body.getPos().y > h - kWrapMargin)
        body.pushPos(0, -h);
    else if (body.getPos().y < -kWrapMargin)
        body.pushPos(0, h);
}
