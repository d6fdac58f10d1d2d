#include "Ship.h"

#include "Game.h"

#include <memory>

const std::string shipImage = "images/ship_sprite/Ship-2_E.bmp";
const std::string missileImage = "images/ship_sprite/photon.bmp";

namespace {

const int kShipHeight = 48;
const int kShipWidth = 45;
const int kMissileHeight = 8;
const int kMissileWidth = 23;

const double kLaunchSpeed = 15.0;
// A missile is launched this many frames ahead of the ship ...
const int kLaunchLead = 2;
// ... and becomes dangerous once it is older than this.
const int kHarmlessAge = 4;
// Held fire launches on every frame whose age is a multiple of this.
const int kAutoFireEvery = 3;

const double kThrust = 0.2;
const int kRespawnFrames = 25;
const int kMaxRespawnSpeed = 5;

double launchDegrees(double radians) {
    return radians * 180.0 / kFinePi;
}

}  // namespace

Ship::Ship(Game* owner)
    : Sprite(true), missiles(), game(owner), thrustWest(false), thrustEast(false),
      thrustNorth(false), thrustSouth(false), firing(false), respawnTimer(kRespawnFrames) {
    setImage(shipImage);
    resize(kShipHeight, kShipWidth);
}

Ship::Ship(const Ship& other)
    : Sprite(other), missiles(), game(other.game), thrustWest(other.thrustWest),
      thrustEast(other.thrustEast), thrustNorth(other.thrustNorth), thrustSouth(other.thrustSouth),
      firing(other.firing), respawnTimer(other.respawnTimer) {
    copyMissilesFrom(other);
}

Ship& Ship::operator=(const Ship& other) {
    if (this == &other) return *this;
    clear();
    game = other.game;
    thrustWest = other.thrustWest;
    thrustEast = other.thrustEast;
    thrustNorth = other.thrustNorth;
    thrustSouth = other.thrustSouth;
    firing = other.firing;
    respawnTimer = other.respawnTimer;
    copyMissilesFrom(other);
    Sprite::operator=(other);
    return *this;
}

Ship::~Ship() {
    clear();
}

void Ship::copyMissilesFrom(const Ship& other) {
    missiles.reserve(other.missiles.size());
    for (const Sprite* missile : other.missiles)
        if (missile) missiles.push_back(new Sprite(*missile));
}

void Ship::handleInput(const SDL_Event* event) {
    if (event->type != SDL_KEYDOWN && event->type != SDL_KEYUP) return;
    const bool pressed = event->type == SDL_KEYDOWN;
    switch (event->key.keysym.sym) {
    case SDLK_LEFT:
    case SDLK_a: thrust(pressed, thrustWest, 180, 'W'); break;
    case SDLK_RIGHT:
    case SDLK_d: thrust(pressed, thrustEast, 0, 'E'); break;
    case SDLK_UP:
    case SDLK_w: thrust(pressed, thrustNorth, 270, 'N'); break;
    case SDLK_DOWN:
    case SDLK_s: thrust(pressed, thrustSouth, 90, 'S'); break;
    case SDLK_SPACE:
    case SDLK_LSHIFT:
        firing = pressed;
        if (pressed) createMissile();
        break;
    default: break;
    }
}

// A press adds its thrust and turns the ship; a release takes the thrust out
// again only while the press's thrust is still part of the acceleration.
void Ship::thrust(bool pressed, bool& flag, double degrees, char letter) {
    if (pressed) {
        pushAcc(kThrust, degrees);
        turn(degrees, letter);
        flag = true;
    } else {
        if (flag) pushAcc(-kThrust, degrees);
        flag = false;
    }
}

Sprite* Ship::createMissile() {
    auto missile = std::make_unique<Sprite>(true);
    missile->setImage(missileImage);
    missile->resize(kMissileHeight, kMissileWidth);
    Velocity launch{};
    launch.magnitude = kLaunchSpeed;
    launch.angle = launchDegrees(pos.facing);
    missile->setVel(launch);
    missile->pushVel(vel.magnitude, launchDegrees(vel.angle));
    missile->setPos(pos);
    for (int i = 0; i < kLaunchLead; ++i) missile->update();
    missile->setVisibility(true);
    missile->setCollid(false);
    missiles.push_back(missile.release());
    return missiles.back();
}

void Ship::update() {
    for (std::size_t i = 0; i < missiles.size(); ++i) {
        Sprite* missile = missiles[i];
        if (!missile || (game && missile->offTheMapDeath(game->console))) {
            missiles.erase(missiles.begin() + static_cast<std::ptrdiff_t>(i));
            delete missile;
            --i;  // the next missile has moved into this place
            continue;
        }
        missile->update();
        if (missile->getAge() > kHarmlessAge) missile->setCollid(true);
    }
    if (firing && getAge() % kAutoFireEvery == 0) createMissile();
    Sprite::update();
}

void Ship::display(SDL_Surface* screen, bool update) {
    for (Sprite* missile : missiles)
        if (missile) missile->display(screen, update);
    Object::display(screen, update);
}

void Ship::kill() {
    setVel(0, 0);
    setAcc(0, 0);
    turn(0, 'E');
    setVisibility(false);
    setCollid(false);
    thrustWest = thrustEast = thrustNorth = thrustSouth = false;
    firing = false;
    respawnTimer = 0;
}

void Ship::unKill() {
    if (respawnTimer < kRespawnFrames) ++respawnTimer;
    if (!isAlive()) return;
    SDL_Surface* screen = game ? game->console.screen : nullptr;
    const int width = screen ? screen->w : 0;
    const int height = screen ? screen->h : 0;
    const int x = randomBelow(width);
    const int y = randomBelow(height);
    setPos(x, y);
    const int speed = randomBelow(kMaxRespawnSpeed);
    const int heading = randomBelow(kFullTurn);
    setVel(speed, heading);
    setVisibility(true);
    setCollid(true);
}

bool Ship::isAlive() const {
    return respawnTimer > kRespawnFrames - 1;
}

bool Ship::isDead() const {
    return respawnTimer == 0;
}

void Ship::animate(Direction) {}

void Ship::clear() {
    while (!missiles.empty()) {
        delete missiles.back();
        missiles.pop_back();
    }
}
