// Code page text to UTF-8 through the C library's iconv.
#include "platform/CodePageDecoder.h"

#include <iconv.h>

#include <cerrno>

namespace quorvex::platform {
namespace {

// iconv's name of a Windows code page, or nullptr when it is not one iconv is asked for.
const char* IconvName(std::uint16_t code_page) {
  switch (code_page) {
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
      return "MACINTOSH";
    case 20127:
      return "ASCII";
    default:
      return nullptr;
  }
}

// Appends U+FFFD, which stands for each byte that cannot be decoded.
void AppendReplacement(std::string& out) {
  out.append("\xEF\xBF\xBD");
}

}  // namespace

struct CodePageDecoder::State {
  explicit State(iconv_t handle) : handle(handle) {}
  ~State() { iconv_close(handle); }
  State(const State&) = delete;
  State& operator=(const State&) = delete;
  iconv_t handle;
};

CodePageDecoder::CodePageDecoder(std::uint16_t code_page) {
  const char* name = IconvName(code_page);
  if (name == nullptr) return;
  const iconv_t handle = iconv_open("UTF-8", name);
  if (handle != reinterpret_cast<iconv_t>(-1)) state_ = std::make_unique<State>(handle);
}

CodePageDecoder::~CodePageDecoder() = default;

void CodePageDecoder::Append(std::string_view bytes, std::string& out) const {
  if (!state_) return;
  iconv_t handle = state_->handle;
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
      AppendReplacement(out);
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

}  // namespace quorvex::platform
