// What one conversion run did: converted workbooks and files, failures with their causes.
#pragma once

#include <string>
#include <vector>

namespace quorvex::engine {

/// One workbook that was not converted: its workbook-list text and the reason.
struct WorkbookFailure {
  std::string name;
  std::string cause;
  bool operator==(const WorkbookFailure&) const = default;
};

/// The outcome of a run. `started` is false when the run stopped at its checks (no workbook
/// listed, no usable output directory); nothing else is set then.
struct RunSummary {
  bool started = false;
  bool cancelled = false;
  int converted = 0;
  int files = 0;
  std::vector<WorkbookFailure> failures;
  /// What the workbooks warned about (damage worked around, characters written as '?'), in
  /// input order; warnings do not make a workbook fail.
  std::vector<std::string> warnings;
  std::string output_root;

  /// Adds `other`'s counts, failures and warnings to this one (the command line runs once per input).
  void Add(const RunSummary& other);
};

/// "Converted 12 workbooks (57 files), 1 failed", begun by "Cancelled: " when the run was
/// cancelled; the failure count is left out when nothing failed.
std::string SummaryLine(const RunSummary& summary);

/// One failure as the user reads it: the cause, preceded by the workbook's name unless the
/// cause already names it.
std::string FailureText(const WorkbookFailure& failure);

}  // namespace quorvex::engine
