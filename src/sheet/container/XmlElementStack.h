// The qualified names of the open elements of an XML document, for matching its end tags.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace quorvex::sheet::container {

/// A stack of element names kept in storage that only grows: pushing and popping, once per
/// element of every part, copy the name and move two counts, without a container's bookkeeping.
class XmlElementStack {
 public:
  std::size_t depth() const { return depth_; }
  bool empty() const { return depth_ == 0; }

  void Push(std::string_view name) {
    if (depth_ == starts_.size()) starts_.resize(2 * depth_ + 16);
    if (names_.size() - used_ < name.size()) names_.resize(2 * names_.size() + name.size());
    starts_[depth_++] = static_cast<std::uint32_t>(used_);
    char* out = names_.data() + used_;
    if (name.size() == 1) {  // most element names of a sheet: a call to memcpy costs more
      *out = name[0];
    } else {
      std::memcpy(out, name.data(), name.size());
    }
    used_ += name.size();
  }

  /// The innermost open element's name; the stack must not be empty.
  std::string_view Top() const {
    const std::uint32_t start = starts_[depth_ - 1];
    return std::string_view(names_.data() + start, used_ - start);
  }

  /// Removes the innermost open element; the stack must not be empty.
  void Pop() { used_ = starts_[--depth_]; }

 private:
  std::vector<char> names_;  // the names, concatenated in their first used_ bytes
  std::size_t used_ = 0;
  std::vector<std::uint32_t> starts_;  // where each name begins, in the first depth_ entries
  std::size_t depth_ = 0;
};

}  // namespace quorvex::sheet::container
