// Part names inside an OPC package.
#include "sheet/opc/PartNames.h"

#include <vector>

namespace quorvex::sheet::opc {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string PercentDecode(std::string_view text) {
  std::string decoded;
  decoded.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
      decoded.push_back(static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2])));
      i += 2;
    } else {
      decoded.push_back(text[i] == '\\' ? '/' : text[i]);
    }
  }
  return decoded;
}

}  // namespace

std::string RelationshipsPartOf(std::string_view source_part) {
  const std::size_t slash = source_part.rfind('/');
  const std::string_view folder =
      slash == std::string_view::npos ? std::string_view() : source_part.substr(0, slash + 1);
  const std::string_view file = slash == std::string_view::npos ? source_part : source_part.substr(slash + 1);
  return std::string(folder) + "_rels/" + std::string(file) + ".rels";
}

std::optional<std::string> ResolvePartName(std::string_view source_part, std::string_view target) {
  // A fragment or query never names a different part.
  target = target.substr(0, target.find_first_of("#?"));
  if (target.empty()) return std::nullopt;
  std::string path;
  if (target.front() == '/' || target.front() == '\\') {
    path = PercentDecode(target.substr(1));
  } else {
    const std::size_t slash = source_part.rfind('/');
    if (slash != std::string_view::npos) path = std::string(source_part.substr(0, slash + 1));
    path += PercentDecode(target);
  }
  std::vector<std::string_view> segments;
  std::string_view rest(path);
  while (!rest.empty()) {
    const std::size_t slash = rest.find('/');
    const std::string_view segment = rest.substr(0, slash);
    rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
    if (segment.empty() || segment == ".") continue;
    if (segment == "..") {
      // As in URI resolution, ".." at the root stays at the root.
      if (!segments.empty()) segments.pop_back();
      continue;
    }
    segments.push_back(segment);
  }
  if (segments.empty()) return std::nullopt;
  std::string resolved;
  for (const std::string_view segment : segments) {
    if (!resolved.empty()) resolved += '/';
    resolved += segment;
  }
  return resolved;
}

}  // namespace quorvex::sheet::opc
