// Converts 8-bit text in a Windows code page to UTF-8 through the C library's iconv.
#include "sheet/biff/CodePage.h"

#include <iconv.h>

#include <cerrno>

#include "sheet/container/Utf16.h"

namespace quorvex::sheet::biff {

std::string_view CodePageName(std::uint16_t id) {
  switch (id) {
    case 437:
      return "CP437";
    case 850:
      return "CP850";
    case 852:
      return "CP852";
    case 866:
      return "CP866";
    case 874:
      return "CP874";
    case 932:
      return "CP932";
    case 936:
      return "CP936";
    case 949:
      return "CP949";
    case 950:
      return "CP950";
    case 1250:
      return "CP1250";
    case 1251:
      return "CP1251";
    case 1252:
      return "CP1252";
    case 1253:
      return "CP1253";
    case 1254:
      return "CP1254";
    case 1255:
      return "CP1255";
    case 1256:
      return "CP1256";
    case 1257:
      return "CP1257";
    case 1258:
      return "CP1258";
    case 10000:
    case 32768:  // Apple Roman as BIFF writers label it
      return "MACINTOSH";
    case 32769:
      return "CP1252";  // "ANSI Latin I" of BIFF2-5
    case 367:
      return "ASCII";
    default:
      return {};
  }
}

CodePage::CodePage(std::uint16_t id) : id_(id) {
  std::string_view name = CodePageName(id);
  if (name.empty()) name = "CP1252";
  // iconv_open's failure value is (iconv_t)-1: an integer made a pointer is its documented API.
  const auto failed = reinterpret_cast<iconv_t>(-1);  // NOLINT(performance-no-int-to-ptr)
  iconv_t handle = iconv_open("UTF-8", std::string(name).c_str());
  if (handle == failed) handle = iconv_open("UTF-8", "CP1252");
  if (handle != failed) converter_ = handle;
}

CodePage::~CodePage() {
  if (converter_ != nullptr) iconv_close(static_cast<iconv_t>(converter_));
}

void CodePage::Append(std::string_view bytes, std::string& out) const {
  if (converter_ == nullptr) {
    container::AppendLatin1(bytes, out);
    return;
  }
  iconv_t handle = static_cast<iconv_t>(converter_);
  iconv(handle, nullptr, nullptr, nullptr, nullptr);
  char* in = const_cast<char*>(bytes.data());
  std::size_t in_left = bytes.size();
  char chunk[1024];
  while (in_left > 0) {
    char* target = chunk;
    std::size_t out_left = sizeof chunk;
    const std::size_t result = iconv(handle, &in, &in_left, &target, &out_left);
    out.append(chunk, sizeof chunk - out_left);
    if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
      // An undefined byte, or a lead byte with its trail missing: replace it and go on.
      container::AppendCodePoint(0xFFFD, out);
      ++in;
      --in_left;
      iconv(handle, nullptr, nullptr, nullptr, nullptr);
    }
  }
  // Code pages with combining marks (1255, 1258) hold back the last character: flush it.
  char* target = chunk;
  std::size_t out_left = sizeof chunk;
  iconv(handle, nullptr, nullptr, &target, &out_left);
  out.append(chunk, sizeof chunk - out_left);
}

}  // namespace quorvex::sheet::biff
