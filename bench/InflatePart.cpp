// quorvex_inflate: inflates one zip part with the converter's own entry reader and discards it.
#include <cstdint>
#include <cstring>
#include <exception>
#include <iostream>
#include <memory>

#include "sheet/container/DeflateStream.h"
#include "sheet/container/FileSource.h"
#include "sheet/container/XmlLimits.h"
#include "sheet/container/ZipArchive.h"

namespace container = quorvex::sheet::container;

// The time the built-in engine spends reading and inflating a part (CRC and size checks and the
// bomb limits included) without parsing it: the floor under converting that part. Reads in the
// chunk size the XML parser asks for, on one thread, with the build's fastest inflater or, with
// --zlib, with zlib's. Usage: quorvex_inflate [--zlib] ARCHIVE PART; prints the byte count.
int main(int argc, char** argv) {
  const bool zlib = argc == 4 && std::strcmp(argv[1], "--zlib") == 0;
  if (argc != 3 && !zlib) {
    std::cerr << "usage: quorvex_inflate [--zlib] ARCHIVE PART\n";
    return 2;
  }
  const char* path = argv[argc - 2];
  const char* part = argv[argc - 1];
  try {
    container::ZipArchive archive(std::make_unique<container::FileSource>(path), {},
                                  zlib ? container::Inflater::kZlib : container::FastestInflater());
    const auto* entry = archive.Find(part);
    if (entry == nullptr) {
      std::cerr << "quorvex_inflate: " << path << " has no part " << part << '\n';
      return 1;
    }
    auto reader = archive.OpenEntry(*entry);
    const std::size_t chunk = container::XmlLimits{}.buffer_size;
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
