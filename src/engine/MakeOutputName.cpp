// The base name of each exported worksheet's output file.
#include "engine/MakeOutputName.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>

#include "engine/PathHelpers.h"

namespace quorvex::engine {

namespace {

constexpr int kNamedBySheet = 0;
constexpr int kNamedByWorkbookAndSheet = 1;
constexpr int kNumbered = 2;

std::string ToLowerAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return text;
}

// Characters a file name cannot carry: the ones the desktop file system refuses, both path
// separators (so no name can leave the workbook's folder) and control characters.
bool IsRemovedCharacter(char c) {
  const auto code = static_cast<unsigned char>(c);
  return c == ':' || c == '"' || c == '<' || c == '>' || c == '|' || c == '/' || c == '\\' || code < 32 ||
         code == 127;
}

std::string Repair(const std::string& name) {
  std::string repaired;
  repaired.reserve(name.size());
  for (const char c : name) {
    if (!IsRemovedCharacter(c)) {
      repaired.push_back(c);
    }
  }
  // "." and ".." name folders, never a file of their own.
  if (repaired == "." || repaired == "..") {
    return std::string();
  }
  return repaired;
}

// The decimal text of floor(r * scale) + 1, a number from 1 to scale.
std::string RandomNumberText(RandomSource& random, int scale) {
  const double r = random.Draw();
  auto value = static_cast<std::int64_t>(std::floor(r * scale)) + 1;
  // A source that strays outside 0 <= r < 1 still gives a number in range.
  if (value < 1) {
    value = 1;
  } else if (value > scale) {
    value = scale;
  }
  return std::to_string(value);
}

std::string WorkbookName(const Controls& controls, int row) {
  const bool listed = row >= 1 && row <= controls.WorkbookRowCount();
  return StripExtension(listed ? controls.WorkbookRowText(row) : std::string());
}

}  // namespace

std::string MakeOutputName(EngineContext& context, int row, const std::string& sheet_name) {
  const std::string workbook = WorkbookName(context.controls, row);

  std::string name;
  switch (context.controls.NamingMode()) {
    case kNamedBySheet:
      name = ToLowerAscii(sheet_name) == ToLowerAscii(workbook) ? workbook + "_" + sheet_name : sheet_name;
      break;
    case kNamedByWorkbookAndSheet:
      name = workbook + "_" + sheet_name;
      break;
    case kNumbered: {
      const std::int32_t counter = context.state.SequenceCounter();
      if (counter == std::numeric_limits<std::int32_t>::max()) {
        throw std::overflow_error("Overflow: the file number would pass 2147483647.");
      }
      context.state.SetSequenceCounter(counter + 1);
      name = std::to_string(counter + 1);
      if (name == workbook) {
        name = workbook + "_" + name;
      }
      break;
    }
    default:
      name = sheet_name;
      break;
  }
  const std::string rule_name = name;

  if (!name.empty()) {
    name = Repair(name);
  }
  if (!name.empty() && name.front() == ' ') {
    name.clear();
  }
  if (name.empty()) {
    name = RandomNumberText(context.random, 1000000);
  }
  if (name != rule_name && name.size() < 2) {
    name += RandomNumberText(context.random, 100);
  }
  return name;
}

}  // namespace quorvex::engine
