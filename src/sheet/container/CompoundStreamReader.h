// Reads one stream of a compound file through its checked sector chain, with seeking.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sheet/container/ByteSource.h"

namespace quorvex::sheet::container {

class CompoundFile;

class CompoundStreamReader : public ByteSource {
 public:
  /// `sectors` is the stream's checked chain (in the FAT, or in the mini FAT when `mini`).
  CompoundStreamReader(const CompoundFile& file, std::string name, std::vector<std::uint32_t> sectors,
                       std::uint64_t size, bool mini);

  std::size_t Read(char* buffer, std::size_t size) override;

  /// Moves to byte `offset` of the stream; throws SheetError kCorrupt when it lies past the end.
  void Seek(std::uint64_t offset);
  std::uint64_t position() const { return position_; }
  std::uint64_t size() const { return size_; }
  const std::string& name() const { return name_; }

 private:
  std::size_t ReadRegular(char* buffer, std::size_t size);
  std::size_t ReadMini(char* buffer, std::size_t size);

  const CompoundFile& file_;
  std::string name_;
  std::vector<std::uint32_t> sectors_;
  std::uint64_t size_;
  bool mini_;
  std::uint64_t position_ = 0;
};

}  // namespace quorvex::sheet::container
