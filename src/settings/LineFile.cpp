// Reading and writing the small one-value-per-line text files the window keeps its lists in.
#include "settings/LineFile.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

namespace quorvex::settings {

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string current;
  bool pending = false;  // characters (or an empty line) seen since the last terminator
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(current);
      current.clear();
      pending = false;
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
        ++i;
      }
      continue;
    }
    current.push_back(c);
    pending = true;
  }
  if (pending) {
    lines.push_back(current);
  }
  return lines;
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return {};
  }
  std::ostringstream content;
  content << in.rdbuf();
  return SplitLines(content.str());
}

bool WriteLines(const std::string& path, const std::vector<std::string>& lines) {
  const std::string temporary = path + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) {
      return false;
    }
    for (const std::string& line : lines) {
      out << line << "\r\n";
    }
    out.flush();
    if (!out) {
      out.close();
      std::remove(temporary.c_str());
      return false;
    }
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace quorvex::settings
