// Builds zip archives in memory for tests, including deliberately damaged ones.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorvex::sheet::test_support {

class ZipWriter {
 public:
  struct Entry {
    std::string name;
    std::string data;
    bool deflate = true;
    std::uint16_t flags = 0;
    std::optional<std::uint16_t> method;                    // overrides the method written
    std::optional<std::uint32_t> declared_size;             // overrides the uncompressed size written
    std::optional<std::uint32_t> declared_crc;              // overrides the CRC-32 written
    std::optional<std::string> raw_compressed;              // written as the entry's data instead
    std::optional<std::uint32_t> declared_compressed_size;  // overrides the compressed size written
    bool data_descriptor = false;  // zeros in the local header, a signed descriptor after the data
  };

  /// Adds a deflated (or stored) entry.
  ZipWriter& Add(std::string name, std::string data, bool deflate = true);
  ZipWriter& Add(Entry entry);

  /// Bytes written before the archive, as a self-extracting stub is; offsets ignore them.
  ZipWriter& Prefix(std::string bytes);

  /// The archive's bytes. With `zip64` the directory uses zip64 records and extra fields.
  std::string Finish(bool zip64 = false) const;

  /// Raw deflate (no zlib header) of `data`.
  static std::string Deflate(const std::string& data);

 private:
  std::vector<Entry> entries_;
  std::string prefix_;
};

}  // namespace quorvex::sheet::test_support
