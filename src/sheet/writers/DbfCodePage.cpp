// Encoding text in the single-byte code pages of dBASE tables.
#include "sheet/writers/DbfCodePage.h"

#include <cstring>

namespace quorvex::sheet {

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr std::uint64_t kTopBits = 0x8080808080808080ull;
constexpr std::uint64_t kSpaces = 0x2020202020202020ull;

/// Whether `clean` holds for every eight bytes of `text` taken as a word: the last word overlaps
/// the one before it, and a shorter text is padded with spaces, which every test here passes.
/// Most texts in a table are short, and this takes them in one or two steps.
template <typename Clean>
bool AllWords(std::string_view text, Clean clean) {
  std::uint64_t word = kSpaces;
  if (text.size() < sizeof word) {
    std::memcpy(&word, text.data(), text.size());
    return clean(word);
  }
  for (std::size_t i = 0; i + sizeof word < text.size(); i += sizeof word) {
    std::memcpy(&word, text.data() + i, sizeof word);
    if (!clean(word)) return false;
  }
  std::memcpy(&word, text.data() + text.size() - sizeof word, sizeof word);
  return clean(word);
}

}  // namespace

std::optional<std::uint8_t> DbfCodePage::ByteFor(char32_t code_point) const {
  if (code_point < 0x80) return static_cast<std::uint8_t>(code_point);
  // Most code pages keep much of Latin-1 in place (1252 all of 0xA0 to 0xFF): look there first.
  if (code_point < 0x100 && (*upper)[code_point - 0x80] == code_point) {
    return static_cast<std::uint8_t>(code_point);
  }
  for (std::size_t i = 0; i < upper->size(); ++i) {
    if ((*upper)[i] != 0 && (*upper)[i] == code_point) return static_cast<std::uint8_t>(0x80 + i);
  }
  return std::nullopt;
}

bool DbfCodePage::Encode(std::string_view utf8, std::string& out) const {
  return EncodeReplacing(utf8, out) == 0;
}

std::size_t DbfCodePage::EncodeReplacing(std::string_view utf8, std::string& out) const {
  if (IsAscii(utf8)) {
    out.append(utf8);
    return 0;
  }
  std::size_t replaced = 0;
  std::size_t position = 0;
  while (position < utf8.size()) {
    const auto byte = static_cast<unsigned char>(utf8[position]);
    if (byte < 0x80) {
      out.push_back(static_cast<char>(byte));
      ++position;
      continue;
    }
    const std::optional<std::uint8_t> encoded = ByteFor(NextCodePoint(utf8, position));
    replaced += encoded ? 0 : 1;
    out.push_back(encoded ? static_cast<char>(*encoded) : '?');
  }
  return replaced;
}

const DbfCodePage* FindDbfCodePage(int number) {
  for (const DbfCodePage& page : DbfCodePage::Candidates()) {
    if (page.number == number) return &page;
  }
  return nullptr;
}

const DbfCodePage* ChooseDbfCodePage(const std::set<char32_t>& characters) {
  for (const DbfCodePage& page : DbfCodePage::Candidates()) {
    bool holds_all = true;
    for (const char32_t c : characters) {
      if (!page.ByteFor(c)) {
        holds_all = false;
        break;
      }
    }
    if (holds_all) return &page;
  }
  return nullptr;
}

const DbfCodePage& ClosestDbfCodePage(const std::set<char32_t>& characters) {
  const DbfCodePage* best = &DbfCodePage::Candidates().front();
  std::size_t best_count = 0;
  for (const DbfCodePage& page : DbfCodePage::Candidates()) {
    std::size_t count = 0;
    for (const char32_t c : characters) count += page.ByteFor(c) ? 1 : 0;
    if (count > best_count) {
      best = &page;
      best_count = count;
    }
  }
  return *best;
}

char32_t NextCodePoint(std::string_view utf8, std::size_t& position) {
  const auto lead = static_cast<unsigned char>(utf8[position]);
  int extra = 0;
  char32_t value = 0;
  if (lead < 0x80) {
    ++position;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    value = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    value = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    value = lead & 0x07;
  } else {
    ++position;
    return kReplacement;
  }
  if (position + static_cast<std::size_t>(extra) >= utf8.size()) {  // cut short by the end
    ++position;
    return kReplacement;
  }
  for (int i = 1; i <= extra; ++i) {
    const auto next = static_cast<unsigned char>(utf8[position + static_cast<std::size_t>(i)]);
    if ((next & 0xC0) != 0x80) {
      ++position;
      return kReplacement;
    }
    value = (value << 6) | (next & 0x3F);
  }
  position += static_cast<std::size_t>(extra) + 1;
  return value;
}

std::size_t CodePointCount(std::string_view utf8) {
  if (IsAscii(utf8)) return utf8.size();
  std::size_t count = 0;
  for (std::size_t position = 0; position < utf8.size(); ++count) NextCodePoint(utf8, position);
  return count;
}

bool IsAscii(std::string_view text) {
  return AllWords(text, [](std::uint64_t word) { return (word & kTopBits) == 0; });
}

bool IsPrintableAscii(std::string_view text) {
  return AllWords(text, [](std::uint64_t word) {
    // A byte below 0x20 sets its top bit when 0x20 is taken away (a borrow into the bytes above
    // starts at such a byte only); a byte from 0x80 on has it set already.
    return (((word - kSpaces) | word) & kTopBits) == 0;
  });
}

std::string Utf8Of(char32_t c) {
  std::string out;
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
  return out;
}

}  // namespace quorvex::sheet
