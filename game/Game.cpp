#include "Game.h"

namespace {
const int kStartLives = 15;
}

Game::Game()
    : console(), event(), sunOn(true), wrapOn(true), playerMode(0), score(0), lives(kStartLives) {}
