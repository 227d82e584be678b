// A random source that hands out a scripted list of numbers and counts the draws.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <utility>
#include <vector>

#include "engine/RandomSource.h"

namespace quorvex::testing {

class ScriptedRandomSource : public engine::RandomSource {
 public:
  ScriptedRandomSource() = default;
  explicit ScriptedRandomSource(std::vector<double> values) : values_(std::move(values)) {}

  /// The next scripted number; throws std::logic_error when the script has run out.
  double Draw() override {
    if (draws_ >= values_.size()) {
      throw std::logic_error("ScriptedRandomSource: more draws than scripted numbers");
    }
    return values_[draws_++];
  }
  std::size_t draws() const { return draws_; }

 private:
  std::vector<double> values_;
  std::size_t draws_ = 0;
};

}  // namespace quorvex::testing
