// The one error the spreadsheet application interface raises: a description of what failed.
#pragma once

#include <stdexcept>
#include <string>

namespace quorvex::automation {

class AutomationError : public std::runtime_error {
 public:
  explicit AutomationError(const std::string& description) : std::runtime_error(description) {}
  std::string description() const { return what(); }
};

}  // namespace quorvex::automation
