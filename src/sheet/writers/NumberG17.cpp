// Numbers as printf's "%.17g" writes them: exact integer arithmetic for the usual range, the
// standard library's to_chars for the rest.
#include "sheet/writers/NumberG17.h"

#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>

namespace quorvex::sheet {
namespace {

// A 64 by 64 bit product needs 128 bits; GCC and Clang have the type, as an extension.
__extension__ using Uint128 = unsigned __int128;

constexpr int kDigits = 17;
constexpr std::uint64_t kLowest17Digits = 10'000'000'000'000'000;  // 10^16
constexpr std::uint64_t kPast17Digits = 100'000'000'000'000'000;   // 10^17

// Powers of five up to the largest that fits in 64 bits.
constexpr int kMaxPowerOfFive = 27;
constexpr std::array<std::uint64_t, kMaxPowerOfFive + 1> kPowersOfFive = [] {
  std::array<std::uint64_t, kMaxPowerOfFive + 1> powers{};
  powers[0] = 1;
  for (std::size_t i = 1; i < powers.size(); ++i) powers[i] = powers[i - 1] * 5;
  return powers;
}();

// mantissa * 2^binary_exponent * 10^scale rounded to an integer, ties to even, exactly; 0 when
// the result would not fit in 64 bits. 0 <= scale <= kMaxPowerOfFive.
std::uint64_t ScaledRounded(std::uint64_t mantissa, int binary_exponent, int scale) {
  // x * 10^s = x * 5^s * 2^s, so only the power of five needs a multiplication.
  const Uint128 product = Uint128{mantissa} * kPowersOfFive[static_cast<std::size_t>(scale)];
  const int shift = -(binary_exponent + scale);
  if (shift <= 0) {
    if (-shift >= 64 || (product >> (64 + shift)) != 0) return 0;
    return static_cast<std::uint64_t>(product << -shift);
  }
  if (shift >= 128) return 0;
  Uint128 quotient = product >> shift;
  const Uint128 rest = product - (quotient << shift);
  const Uint128 half = Uint128{1} << (shift - 1);
  if (rest > half || (rest == half && (quotient & 1) != 0)) ++quotient;
  if ((quotient >> 64) != 0) return 0;
  return static_cast<std::uint64_t>(quotient);
}

// The 17 significant digits of a positive, normal `value` and the decimal exponent of the first;
// false when they are outside what ScaledRounded can work out.
bool SignificantDigits(std::uint64_t bits, std::uint64_t& digits, int& exponent) {
  const auto biased = static_cast<int>(bits >> 52);
  const std::uint64_t mantissa = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  const int binary_exponent = biased - 1075;  // value = mantissa * 2^binary_exponent
  // floor(log10(2) * e) for the value's power of two 2^e: the value's own exponent or one less.
  exponent = ((biased - 1023) * 78913) >> 18;
  for (int attempt = 0; attempt < 2; ++attempt) {
    const int scale = kDigits - 1 - exponent;
    if (scale < 0 || scale > kMaxPowerOfFive) return false;
    digits = ScaledRounded(mantissa, binary_exponent, scale);
    if (digits == 0) return false;
    if (digits < kPast17Digits) return true;
    if (digits == kPast17Digits) {  // rounded up to the next power of ten
      digits = kLowest17Digits;
      ++exponent;
      return true;
    }
    ++exponent;
  }
  return false;
}

// "00" to "99", so digits go out two at a time.
constexpr std::array<char, 200> kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (std::size_t i = 0; i < 100; ++i) {
    pairs[2 * i] = static_cast<char>('0' + i / 10);
    pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

void WriteFourDigits(char* out, std::uint32_t value) {
  std::memcpy(out, &kDigitPairs[std::size_t{value / 100} * 2], 2);
  std::memcpy(out + 2, &kDigitPairs[std::size_t{value % 100} * 2], 2);
}

void WriteEightDigits(char* out, std::uint32_t value) {
  WriteFourDigits(out, value / 10000);
  WriteFourDigits(out + 4, value % 10000);
}

// The 17 digits of 10^16 <= `digits` < 10^17.
void Write17Digits(char* out, std::uint64_t digits) {
  constexpr std::uint64_t kEightDigits = 100'000'000;
  out[0] = static_cast<char>('0' + digits / kLowest17Digits);
  const std::uint64_t rest = digits % kLowest17Digits;
  WriteEightDigits(out + 1, static_cast<std::uint32_t>(rest / kEightDigits));
  WriteEightDigits(out + 9, static_cast<std::uint32_t>(rest % kEightDigits));
}

char* WriteExponent(char* out, int exponent) {
  *out++ = 'e';
  *out++ = exponent < 0 ? '-' : '+';
  const int magnitude = exponent < 0 ? -exponent : exponent;
  if (magnitude < 10) *out++ = '0';
  return std::to_chars(out, out + 4, magnitude).ptr;
}

// Lays out the 17 digits of `digits` (the first at decimal `exponent`) as "%.17g" does.
char* WriteDigits(char* out, std::uint64_t digits, int exponent) {
  char text[kDigits];
  Write17Digits(text, digits);
  int length = kDigits;
  while (length > 1 && text[length - 1] == '0') --length;
  if (exponent < -4 || exponent >= kDigits) {
    *out++ = text[0];
    if (length > 1) {
      *out++ = '.';
      std::memcpy(out, text + 1, static_cast<std::size_t>(length - 1));
      out += length - 1;
    }
    return WriteExponent(out, exponent);
  }
  if (exponent < 0) {
    *out++ = '0';
    *out++ = '.';
    for (int i = -1; i > exponent; --i) *out++ = '0';
    std::memcpy(out, text, static_cast<std::size_t>(length));
    return out + length;
  }
  const int whole = exponent + 1;  // digits before the point, zeros among them kept
  std::memcpy(out, text, static_cast<std::size_t>(whole));
  out += whole;
  if (length > whole) {
    *out++ = '.';
    std::memcpy(out, text + whole, static_cast<std::size_t>(length - whole));
    out += length - whole;
  }
  return out;
}

}  // namespace

char* WriteNumberG17(char* out, double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const std::uint64_t magnitude = bits & ~(std::uint64_t{1} << 63);
  const auto biased = static_cast<int>(magnitude >> 52);
  if (magnitude == 0) {  // the commonest number of all
    if (bits != magnitude) *out++ = '-';
    *out++ = '0';
    return out;
  }
  std::uint64_t digits = 0;
  int exponent = 0;
  // Zero aside: subnormals, infinities, NaN and far exponents go the general way.
  if (biased != 0 && biased != 0x7FF && SignificantDigits(magnitude, digits, exponent)) {
    if (bits != magnitude) *out++ = '-';
    return WriteDigits(out, digits, exponent);
  }
  return std::to_chars(out, out + kNumberG17Size, value, std::chars_format::general, kDigits).ptr;
}

}  // namespace quorvex::sheet
