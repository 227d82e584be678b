// Picks the inflater the build holds: ISA-L's when configured with it, else zlib's.
#include "sheet/container/DeflateStream.h"

#include <stdexcept>

#include "sheet/container/ZlibDeflateStream.h"
#if QUORVEX_HAVE_ISAL
#include "sheet/container/IsalDeflateStream.h"
#endif

namespace quorvex::sheet::container {

std::vector<Inflater> BuiltInflaters() {
#if QUORVEX_HAVE_ISAL
  return {Inflater::kIsal, Inflater::kZlib};
#else
  return {Inflater::kZlib};
#endif
}

Inflater FastestInflater() {
  return BuiltInflaters().front();
}

const char* InflaterName(Inflater inflater) {
  return inflater == Inflater::kIsal ? "ISA-L" : "zlib";
}

std::unique_ptr<DeflateStream> DeflateStream::Make(Inflater inflater) {
  switch (inflater) {
    case Inflater::kZlib:
      return std::make_unique<ZlibDeflateStream>();
    case Inflater::kIsal:
#if QUORVEX_HAVE_ISAL
      return std::make_unique<IsalDeflateStream>();
#else
      break;
#endif
  }
  throw std::invalid_argument(std::string("this build has no ") + InflaterName(inflater) + " inflater");
}

}  // namespace quorvex::sheet::container
