// Which slice of a batch a workbook belongs to, the same on every machine.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvex::cli {

/// The 64-bit FNV-1a hash of `bytes`.
std::uint64_t Fnv1a64(std::string_view bytes);

/// What a workbook's slice is decided by: its folder relative to the input folder ("" for the
/// input folder itself and for a workbook named as an input), "/", and the name its output gets
/// (the file name without extension, spaces and dots) in lower case. Workbooks whose output
/// folders could take one name (A.xls, A.xlsx, "A .xls") therefore share a slice.
std::string ShardKey(const std::string& relative_folder, const std::string& workbook_file_name);

/// Whether the workbook with `key` is in slice `shard` (1-based) of `shards`.
bool InShard(const std::string& key, int shard, int shards);

}  // namespace quorvex::cli
