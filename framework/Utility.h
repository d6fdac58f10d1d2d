#ifndef ORBITANE_FRAMEWORK_UTILITY_H
#define ORBITANE_FRAMEWORK_UTILITY_H

// Starts the SDL subsystems in `flags` and has SDL shut down at exit; a
// failure, including video with no window system to show it, ends the
// program with status 1. Unless the player has chosen how SDL presents
// frames, SDL is first asked for its cheap software presentation.
void initSDL(unsigned int flags);

#endif
