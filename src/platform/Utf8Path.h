// File names are UTF-8 strings everywhere in Quorvex; std::filesystem::path holds them natively.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quorvex::platform {

/// The path named by UTF-8 `text`. Unlike path(std::string), which reads a narrow string in the
/// system's code page on Windows, this keeps every character.
std::filesystem::path PathFromUtf8(std::string_view text);

/// `path` as UTF-8 (on POSIX systems its bytes unchanged).
std::string Utf8FromPath(const std::filesystem::path& path);

/// The parts of the UTF-8 `path` as std::filesystem::path names them: the last component
/// ("Book.v2.xlsx"), that without its extension ("Book.v2") and the extension (".xlsx"). On
/// Windows '\\' separates components too.
std::string FileNameOf(std::string_view path);
std::string StemOf(std::string_view path);
std::string ExtensionOf(std::string_view path);

}  // namespace quorvex::platform
