// The single-byte code pages dBASE tables are written in, and choosing one that holds a text.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace quorvex::sheet {

/// A Windows code page: ASCII below 0x80, its own table above. The language driver byte is what
/// the table header records (offset 29) so that readers know how to decode the text.
struct DbfCodePage {
  using UpperHalf = std::array<char16_t, 128>;

  int number;                    // 1252, 1250, ...
  std::uint8_t language_driver;  // 0x03 for 1252, 0xC8 for 1250, ...
  const UpperHalf* upper;

  /// The byte for `code_point`, or nothing when the code page has none.
  std::optional<std::uint8_t> ByteFor(char32_t code_point) const;
  /// Appends `utf8` encoded in this code page; false when a character has no byte here (it is
  /// written as '?').
  bool Encode(std::string_view utf8, std::string& out) const;
  /// Appends `utf8` encoded in this code page with '?' for every character it has no byte for;
  /// returns how many characters were replaced.
  std::size_t EncodeReplacing(std::string_view utf8, std::string& out) const;

  /// Every code page a table may be written in, in the order they are tried.
  static const std::array<DbfCodePage, 6>& Candidates();
};

/// The candidate numbered `number` (1252, ...), or nullptr.
const DbfCodePage* FindDbfCodePage(int number);

/// The first candidate that holds every one of `characters`, or nullptr when none does.
const DbfCodePage* ChooseDbfCodePage(const std::set<char32_t>& characters);

/// The candidate holding the most of `characters` (the first of equals).
const DbfCodePage& ClosestDbfCodePage(const std::set<char32_t>& characters);

/// Reads the code point starting at `position` of `utf8` and moves past it; a malformed sequence
/// reads as U+FFFD, one byte at a time.
char32_t NextCodePoint(std::string_view utf8, std::size_t& position);

/// The number of code points in `utf8`.
std::size_t CodePointCount(std::string_view utf8);

/// Whether every byte of `text` is ASCII, which every code page and UTF-8 write as it is.
bool IsAscii(std::string_view text);

/// Whether `text` is ASCII without control characters: one character per byte, on one line.
bool IsPrintableAscii(std::string_view text);

/// `code_point` as UTF-8.
std::string Utf8Of(char32_t code_point);

}  // namespace quorvex::sheet
