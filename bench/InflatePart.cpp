// quorvex_inflate: inflates one zip part with the converter's own entry reader and discards it.
#include <cstdint>
#include <exception>
#include <iostream>
#include <memory>

#include "sheet/container/XmlLimits.h"
#include "sheet/container/ZipArchive.h"

// The time the built-in engine spends reading and inflating a part (CRC and size checks and the
// bomb limits included) without parsing it: the floor under converting that part. Reads in the
// chunk size the XML parser asks for. Usage: quorvex_inflate ARCHIVE PART; prints the byte count.
int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: quorvex_inflate ARCHIVE PART\n";
    return 2;
  }
  try {
    quorvex::sheet::container::ZipArchive archive(argv[1]);
    const auto* entry = archive.Find(argv[2]);
    if (entry == nullptr) {
      std::cerr << "quorvex_inflate: " << argv[1] << " has no part " << argv[2] << '\n';
      return 1;
    }
    auto reader = archive.OpenEntry(*entry);
    const std::size_t chunk = quorvex::sheet::container::XmlLimits{}.buffer_size;
    const auto buffer = std::make_unique_for_overwrite<char[]>(chunk);
    std::uint64_t total = 0;
    while (const std::size_t got = reader->Read(buffer.get(), chunk)) total += got;
    std::cout << total << '\n';
    return 0;
  } catch (const std::exception& error) {
    std::cerr << "quorvex_inflate: " << error.what() << '\n';
    return 1;
  }
}
