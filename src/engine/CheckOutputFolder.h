// Settles the output directory of a conversion run.
#pragma once

#include "engine/Controls.h"
#include "engine/EngineState.h"

namespace quorvex::engine {

/// Reads the output directory box and sets OutputRoot to it with exactly one trailing '/'.
/// A typed directory that does not exist is created (one level); a picked one must exist.
/// Shows its own message and returns false when the box is empty, a picked folder is gone,
/// or the creation fails.
bool CheckOutputFolder(EngineState& state, Controls& controls);

}  // namespace quorvex::engine
