// Everything one engine or catalogue operation works with, bundled for passing around.
#pragma once

#include "automation/ApplicationFactory.h"
#include "engine/Controls.h"
#include "engine/EngineState.h"
#include "engine/RandomSource.h"

namespace quorvex::engine {

/// Borrowed references to the program's state, its controls and its random source, and the
/// factory that starts spreadsheet application instances. The owner keeps all of them alive.
struct EngineContext {
  EngineState& state;
  Controls& controls;
  automation::ApplicationFactory application_factory;
  RandomSource& random;
};

}  // namespace quorvex::engine
