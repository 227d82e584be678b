// The program's random source: a generator initialised from the clock before every draw.
#pragma once

#include "engine/RandomSource.h"

namespace quorvex::engine {

class ClockRandomSource : public RandomSource {
 public:
  /// Initialises a fresh generator from the current clock reading and draws one number.
  double Draw() override;
};

}  // namespace quorvex::engine
