// Turns the engine's failures into the application interface's one error type.
#pragma once

#include <new>
#include <string>
#include <utility>

#include "automation/AutomationError.h"
#include "platform/Utf8Path.h"
#include "sheet/model/SheetError.h"

namespace quorvex::automation {

/// The reason of `error` for a message beginning `what`: its sentence with the part it happened in,
/// unless that part is a file `what` names already (quoted, by path or by name).
inline std::string ReasonAfter(const std::string& what, const sheet::SheetError& error) {
  const std::string& part = error.part();
  if (part.empty()) return error.what();
  const std::string name = platform::FileNameOf(part);
  const bool named =
      what.find('"' + part + '"') != std::string::npos || what.find('"' + name + '"') != std::string::npos;
  return named ? error.sentence() : error.what();
}

/// Runs `work`; a SheetError or exhausted memory becomes AutomationError("<what>: <reason>").
template <typename Work>
decltype(auto) TranslateErrors(const std::string& what, Work&& work) {
  try {
    return std::forward<Work>(work)();
  } catch (const sheet::SheetError& error) {
    throw AutomationError(what + ": " + ReasonAfter(what, error));
  } catch (const std::bad_alloc&) {
    throw AutomationError(what + ": not enough memory.");
  }
}

}  // namespace quorvex::automation
