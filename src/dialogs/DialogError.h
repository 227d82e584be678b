// The one error the dialog wrapper's show methods pass to their callers.
#pragma once

#include <stdexcept>
#include <string>

namespace quorvex::dialogs {

class DialogError : public std::runtime_error {
 public:
  explicit DialogError(const std::string& description) : std::runtime_error(description) {}
};

}  // namespace quorvex::dialogs
