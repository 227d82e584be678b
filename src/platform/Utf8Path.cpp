// UTF-8 strings to std::filesystem::path and back, through char8_t so no code page is involved.
#include "platform/Utf8Path.h"

namespace quorvex::platform {

std::filesystem::path PathFromUtf8(std::string_view text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::string FileNameOf(std::string_view path) {
  return Utf8FromPath(PathFromUtf8(path).filename());
}

std::string StemOf(std::string_view path) {
  return Utf8FromPath(PathFromUtf8(path).stem());
}

std::string ExtensionOf(std::string_view path) {
  return Utf8FromPath(PathFromUtf8(path).extension());
}

}  // namespace quorvex::platform
