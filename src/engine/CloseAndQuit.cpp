// Releasing a workbook and its application after a failure.
#include "engine/CloseAndQuit.h"

namespace quorvex::engine {

void CloseAndQuitQuietly(automation::Workbook* workbook, automation::Application* application) {
  if (workbook != nullptr) {
    try {
      workbook->Close();
    } catch (...) {
    }
  }
  if (application != nullptr) {
    try {
      application->Quit();
    } catch (...) {
    }
  }
}

}  // namespace quorvex::engine
