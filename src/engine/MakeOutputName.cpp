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

// The lower-case partner of a capital letter of the Latin, Greek or Cyrillic blocks; any other
// code point is its own.
char32_t LowerCodePoint(char32_t cp) {
  const bool even = cp % 2 == 0;
  if (cp >= U'A' && cp <= U'Z') return cp + 0x20;
  if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) return cp + 0x20;
  if (cp == 0x130) return U'i';
  if (cp == 0x178) return 0xFF;
  if ((cp >= 0x100 && cp <= 0x137 && even) || (cp >= 0x139 && cp <= 0x148 && !even) ||
      (cp >= 0x14A && cp <= 0x177 && even) || (cp >= 0x179 && cp <= 0x17E && !even)) {
    return cp + 1;
  }
  if (cp == 0x386) return 0x3AC;
  if (cp >= 0x388 && cp <= 0x38A) return cp + 0x25;
  if (cp == 0x38C) return 0x3CC;
  if (cp == 0x38E || cp == 0x38F) return cp + 0x3F;
  if (cp >= 0x391 && cp <= 0x3AB && cp != 0x3A2) return cp + 0x20;
  if (cp >= 0x400 && cp <= 0x40F) return cp + 0x50;
  if (cp >= 0x410 && cp <= 0x42F) return cp + 0x20;
  if (cp == 0x4C0) return 0x4CF;
  if ((cp >= 0x460 && cp <= 0x481 && even) || (cp >= 0x48A && cp <= 0x4BF && even) ||
      (cp >= 0x4C1 && cp <= 0x4CE && !even) || (cp >= 0x4D0 && cp <= 0x4FF && even)) {
    return cp + 1;
  }
  return cp;
}

void AppendUtf8(std::string& text, char32_t cp) {
  if (cp < 0x80) {
    text.push_back(static_cast<char>(cp));
  } else {
    text.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    text.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// Lower-cases the letters of UTF-8 text as the naming rule compares them; the letters mapped
// all lie below U+0800, so any longer or malformed sequence is copied unchanged.
std::string ToLower(const std::string& text) {
  std::string lower;
  lower.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      AppendUtf8(lower, LowerCodePoint(lead));
      continue;
    }
    const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0u;
    if (lead >= 0xC2 && lead <= 0xDF && (next & 0xC0) == 0x80) {
      AppendUtf8(lower, LowerCodePoint(static_cast<char32_t>(((lead & 0x1F) << 6) | (next & 0x3F))));
      ++i;
      continue;
    }
    lower.push_back(text[i]);
  }
  return lower;
}

// The number of characters (code points) of UTF-8 text: every byte but continuation bytes.
std::size_t CharacterCount(const std::string& text) {
  std::size_t count = 0;
  for (const char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
      ++count;
    }
  }
  return count;
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
      name = ToLower(sheet_name) == ToLower(workbook) ? workbook + "_" + sheet_name : sheet_name;
      break;
    case kNamedByWorkbookAndSheet:
      name = workbook + "_" + sheet_name;
      break;
    case kNumbered: {
      const std::int32_t counter = context.state.SequenceCounter();
      if (counter == std::numeric_limits<std::int32_t>::max()) {
        throw std::overflow_error("Overflow: the file number would pass 2147483647");
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
  if (name != rule_name && CharacterCount(name) < 2) {
    name += RandomNumberText(context.random, 100);
  }
  return name;
}

}  // namespace quorvex::engine
