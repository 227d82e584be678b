// Where the naming rules draw their random numbers from.
#pragma once

namespace quorvex::engine {

/// A source of numbers r with 0 <= r < 1. The program uses ClockRandomSource; tests script one.
class RandomSource {
 public:
  virtual ~RandomSource() = default;
  /// Draws the next number, 0 <= r < 1.
  virtual double Draw() = 0;
};

}  // namespace quorvex::engine
