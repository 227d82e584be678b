// What one conversion run did: converted workbooks and files, failures with their causes.
#include "engine/RunSummary.h"

namespace quorvex::engine {

namespace {

std::string Count(int count, const char* singular, const char* plural) {
  return std::to_string(count) + " " + (count == 1 ? singular : plural);
}

}  // namespace

void RunSummary::Add(const RunSummary& other) {
  if (!other.started) {
    return;
  }
  started = true;
  cancelled = cancelled || other.cancelled;
  converted += other.converted;
  files += other.files;
  failures.insert(failures.end(), other.failures.begin(), other.failures.end());
  warnings.insert(warnings.end(), other.warnings.begin(), other.warnings.end());
  output_root = other.output_root;
}

std::string SummaryLine(const RunSummary& summary) {
  std::string line = summary.cancelled ? "Cancelled: converted " : "Converted ";
  line +=
      Count(summary.converted, "workbook", "workbooks") + " (" + Count(summary.files, "file", "files") + ")";
  if (!summary.failures.empty()) {
    line += ", " + std::to_string(summary.failures.size()) + " failed";
  }
  return line;
}

std::string FailureText(const WorkbookFailure& failure) {
  if (failure.cause.find(failure.name) != std::string::npos) {
    return failure.cause;
  }
  return failure.name + ": " + failure.cause;
}

}  // namespace quorvex::engine
