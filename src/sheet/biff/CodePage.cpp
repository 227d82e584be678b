// Converts 8-bit text in a Windows code page to UTF-8 through the system's converter.
#include "sheet/biff/CodePage.h"

#include "platform/CodePageDecoder.h"
#include "sheet/container/Utf16.h"

namespace quorvex::sheet::biff {
namespace {

// The Windows code page behind a CODEPAGE record's number; 0 for those not known.
std::uint16_t SystemCodePage(std::uint16_t id) {
  switch (id) {
    case 437:
    case 850:
    case 852:
    case 866:
    case 874:
    case 932:
    case 936:
    case 949:
    case 950:
    case 1250:
    case 1251:
    case 1252:
    case 1253:
    case 1254:
    case 1255:
    case 1256:
    case 1257:
    case 1258:
    case 10000:
      return id;
    case 32768:
      return 10000;  // Apple Roman as BIFF writers label it
    case 32769:
      return 1252;  // "ANSI Latin I" of BIFF2-5
    case 367:
      return 20127;  // US-ASCII
    default:
      return 0;
  }
}

}  // namespace

CodePage::CodePage(std::uint16_t id) : id_(id) {
  const std::uint16_t system = SystemCodePage(id);
  if (system != 0) decoder_ = std::make_unique<platform::CodePageDecoder>(system);
  if (!decoder_ || !decoder_->valid()) decoder_ = std::make_unique<platform::CodePageDecoder>(1252);
  if (!decoder_->valid()) decoder_.reset();
}

CodePage::~CodePage() = default;

void CodePage::Append(std::string_view bytes, std::string& out) const {
  if (decoder_) {
    decoder_->Append(bytes, out);
  } else {
    container::AppendLatin1(bytes, out);
  }
}

}  // namespace quorvex::sheet::biff
