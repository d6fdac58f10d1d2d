#pragma once

#include "Canvas.h"

// The colours every picture shares: steel ships, a warm sun, pale text, amber highlights.
namespace palette {

// Ship hull, trim, canopy and engine.
const Color kHullLight = hex(0xE4EAF2);
const Color kHull = hex(0x9AA8BE);
const Color kHullDark = hex(0x46526A);
const Color kTrim = hex(0xE0502A);
const Color kCanopy = hex(0x6FE0FF);
const Color kCanopyDeep = hex(0x143C78);
const Color kEngine = hex(0xFF9A3A);
const Color kEngineHot = hex(0xFFF2C8);

// The sun and everything on fire.
const Color kSunCore = hex(0xFFFDF0);
const Color kSunBody = hex(0xFFE070);
const Color kSunLimb = hex(0xFFA030);
const Color kSunGlow = hex(0xFF7A18);
const Color kFireDeep = hex(0xB02410);
const Color kSmoke = hex(0x2E140C);

// Shots.
const Color kPhotonCore = hex(0xF4FFFF);
const Color kPhotonGlow = hex(0x48D8FF);

// Text and menu.
const Color kText = hex(0xFFF8E4);
const Color kTextWarm = hex(0xF2CF86);
const Color kTextDim = hex(0x4E5876);
const Color kTextShadow = hex(0x1A2244);
const Color kAmber = hex(0xFFB040);
const Color kAmberLight = hex(0xFFE6A8);
const Color kAmberDark = hex(0xB0601A);
const Color kSwitchOn = hex(0x3FB356);
const Color kSwitchOff = hex(0x2C3140);

// Planets and nebulae.
const Color kPlanetLight = hex(0x9ED2E8);
const Color kPlanetMid = hex(0x3E7CB0);
const Color kPlanetDeep = hex(0x1A2E64);
const Color kRing = hex(0xD8C8A0);
const Color kNebulaViolet = hex(0x6A2C9A);
const Color kNebulaTeal = hex(0x1C6A8A);

}  // namespace palette
