#pragma once
// The engine's own hold on the state it keeps. Only the engine includes
// this (and tests, to set a scene up); everything above reads the const
// view Geraet::st and changes the state through the API.
#include "engine/geraet.h"

namespace qzl {

inline InstrumentState& zustand(Geraet& g) { return g.zustand_; }

}  // namespace qzl
