// Bounds that keep hostile XML from exhausting memory or the stack of its consumers.
#pragma once

#include <cstddef>

namespace quorvex::sheet::container {

struct XmlLimits {
  std::size_t max_token_size = std::size_t{64} << 20;  // one tag, text run or comment
  std::size_t max_depth = 512;
  std::size_t max_name_size = 4096;
  std::size_t max_attributes = 1024;                 // per element
  std::size_t buffer_size = std::size_t{256} << 10;  // initial buffer; grows for long tokens
};

}  // namespace quorvex::sheet::container
