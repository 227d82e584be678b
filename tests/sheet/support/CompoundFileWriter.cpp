// Builds minimal compound files for tests.
#include "CompoundFileWriter.h"

#include <cstdint>
#include <cstring>

namespace quorvex::sheet::test_support {
namespace {

constexpr std::size_t kSector = 512;
constexpr std::uint32_t kFree = 0xFFFFFFFF;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFatSector = 0xFFFFFFFD;

void Set16(std::string& out, std::size_t at, std::uint32_t value) {
  out[at] = static_cast<char>(value & 0xFF);
  out[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

void Set32(std::string& out, std::size_t at, std::uint32_t value) {
  Set16(out, at, value & 0xFFFF);
  Set16(out, at + 2, value >> 16);
}

std::string DirectoryEntry(const std::string& name, std::uint8_t type) {
  std::string entry(128, '\0');
  for (std::size_t i = 0; i < name.size() && i < 31; ++i) {
    Set16(entry, 2 * i, static_cast<unsigned char>(name[i]));
  }
  Set16(entry, 0x40, static_cast<std::uint32_t>(2 * (name.size() + 1)));
  entry[0x42] = static_cast<char>(type);
  Set32(entry, 0x44, kFree);  // siblings and child: none (the names are all a test needs)
  Set32(entry, 0x48, kFree);
  Set32(entry, 0x4C, kFree);
  Set32(entry, 0x74, kEndOfChain);
  return entry;
}

}  // namespace

std::string BuildCompoundFile(const std::vector<std::string>& stream_names) {
  std::string directory = DirectoryEntry("Root Entry", 5);
  for (const std::string& name : stream_names) directory += DirectoryEntry(name, 2);
  while (directory.size() % kSector != 0) directory += std::string(128, '\0');
  const auto directory_sectors = static_cast<std::uint32_t>(directory.size() / kSector);

  std::string header(kSector, '\0');
  std::memcpy(header.data(), "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
  Set16(header, 0x18, 0x3E);
  Set16(header, 0x1A, 3);
  Set16(header, 0x1C, 0xFFFE);
  Set16(header, 0x1E, 9);
  Set16(header, 0x20, 6);
  Set32(header, 0x2C, 1);  // one FAT sector
  Set32(header, 0x30, 1);  // the directory starts in sector 1
  Set32(header, 0x38, 4096);
  Set32(header, 0x3C, kEndOfChain);
  Set32(header, 0x44, kEndOfChain);
  for (std::size_t i = 0; i < 109; ++i) Set32(header, 0x4C + 4 * i, kFree);
  Set32(header, 0x4C, 0);  // the FAT is sector 0

  std::string fat(kSector, '\xFF');
  Set32(fat, 0, kFatSector);
  for (std::uint32_t i = 0; i < directory_sectors; ++i) {
    Set32(fat, 4 * (1 + i), i + 1 == directory_sectors ? kEndOfChain : 2 + i);
  }
  return header + fat + directory;
}

}  // namespace quorvex::sheet::test_support
