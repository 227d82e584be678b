// Which slice of a batch a workbook belongs to, the same on every machine.
#include "cli/Shard.h"

#include "engine/PathHelpers.h"

namespace quorvex::cli {

std::uint64_t Fnv1a64(std::string_view bytes) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ULL;
  }
  return hash;
}

std::string ShardKey(const std::string& relative_folder, const std::string& workbook_file_name) {
  std::string name = engine::RemoveSpacesAndDots(engine::StripExtension(workbook_file_name));
  for (char& c : name) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return relative_folder + "/" + name;
}

bool InShard(const std::string& key, int shard, int shards) {
  return shards <= 1 ||
         Fnv1a64(key) % static_cast<std::uint64_t>(shards) == static_cast<std::uint64_t>(shard - 1);
}

}  // namespace quorvex::cli
