// CRC-32 as zip records it: ISA-L's carry-less-multiply version when the build has it, else zlib's.
#include "sheet/container/Crc32.h"

#if QUORVEX_HAVE_ISAL
#include <isa-l/crc.h>
#else
#include <zlib.h>

#include <algorithm>
#include <climits>
#endif

namespace quorvex::sheet::container {

std::uint32_t Crc32(std::uint32_t crc, const char* data, std::size_t size) {
#if QUORVEX_HAVE_ISAL
  // The gzip variant is the reflected CRC-32 with the same pre- and post-inversion as zlib's.
  return crc32_gzip_refl(crc, reinterpret_cast<const unsigned char*>(data), size);
#else
  while (size > 0) {
    const uInt piece = static_cast<uInt>(std::min<std::size_t>(size, UINT_MAX));
    crc = static_cast<std::uint32_t>(::crc32(crc, reinterpret_cast<const Bytef*>(data), piece));
    data += piece;
    size -= piece;
  }
  return crc;
#endif
}

}  // namespace quorvex::sheet::container
