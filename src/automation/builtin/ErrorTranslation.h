// Turns the engine's failures into the application interface's one error type.
#pragma once

#include <new>
#include <string>
#include <utility>

#include "automation/AutomationError.h"
#include "sheet/model/SheetError.h"

namespace quorvex::automation {

/// Runs `work`; a SheetError or exhausted memory becomes AutomationError("<what>: <reason>").
template <typename Work>
decltype(auto) TranslateErrors(const std::string& what, Work&& work) {
  try {
    return std::forward<Work>(work)();
  } catch (const sheet::SheetError& error) {
    throw AutomationError(what + ": " + error.what());
  } catch (const std::bad_alloc&) {
    throw AutomationError(what + ": not enough memory.");
  }
}

}  // namespace quorvex::automation
