#include "EventQueue.h"

#include "Platform.h"

#include <deque>

namespace {

std::deque<SDL_Event>& queue() {
    static std::deque<SDL_Event> events;
    return events;
}

void collect() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) queue().push_back(event);
}

bool popFront(SDL_Event& event) {
    if (queue().empty()) return false;
    event = queue().front();
    queue().pop_front();
    return true;
}

}  // namespace

bool takeEvent(SDL_Event& event) {
    collect();
    return popFront(event);
}

bool waitEvent(SDL_Event& event) {
    collect();
    if (popFront(event)) return true;
    return waitForEvent(event);
}

void putBack(const SDL_Event& event) {
    queue().push_front(event);
}
