// A buffered output file written under a temporary name and renamed into place on Commit.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "sheet/writers/OutputStream.h"
#include "sheet/writers/WriteBehind.h"

namespace quorvex::sheet {

/// Until Commit succeeds the destination is untouched, so a failed save never leaves a half file
/// that looks complete. The temporary file is remembered for RemoveTemporaryFiles, so that an
/// interrupted program removes it too. Throws SheetError (kIo) naming the file and the system's
/// reason. A file that grows past one buffer is written on a thread of its own (WriteBehind), so
/// that writing it overlaps with making it; an error there is thrown by a later write or Commit.
class OutputFile : public OutputStream {
 public:
  explicit OutputFile(std::string path);
  ~OutputFile() override;  // removes the temporary file unless committed

  /// Throws away everything written so far, to write the file again from its start.
  void Restart();
  /// Flushes, closes and renames the temporary file over the destination (replacing it).
  void Commit();
  const std::string& path() const { return path_; }

 protected:
  void Emit(std::string_view bytes) override;

 private:
  [[noreturn]] void Fail(const std::string& what, int error) const;
  void StartWriteBehind();

  std::string path_;
  std::string temp_path_;
  int fd_ = -1;
  int temp_slot_ = -1;
  bool committed_ = false;
  bool committing_ = false;              // Commit's last flush: no thread is started for it
  std::unique_ptr<WriteBehind> behind_;  // from the first full buffer on
};

}  // namespace quorvex::sheet
