// The program's random source: a generator initialised from the clock before every draw.
#include "engine/ClockRandomSource.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <random>

namespace quorvex::engine {

double ClockRandomSource::Draw() {
  const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
  std::mt19937_64 generator(static_cast<std::uint64_t>(ticks));
  // The top 53 bits scaled by 2^-53 stay strictly below 1.
  return std::ldexp(static_cast<double>(generator() >> 11), -53);
}

}  // namespace quorvex::engine
