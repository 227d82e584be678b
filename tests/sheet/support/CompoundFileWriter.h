// Builds minimal compound files (header, one FAT sector, a directory chain) for tests.
#pragma once

#include <string>
#include <vector>

namespace quorvex::sheet::test_support {

/// A compound file with 512-byte sectors whose directory holds a root entry and one empty stream
/// per name, spread over as many directory sectors as needed (four entries each).
std::string BuildCompoundFile(const std::vector<std::string>& stream_names);

}  // namespace quorvex::sheet::test_support
