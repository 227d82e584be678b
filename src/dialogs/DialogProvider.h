// What shows the system's dialogs: Qt's dialogs in the program, a scripted answerer in tests.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QWidget;

namespace quorvex::dialogs {

/// An open-file dialog: one filter entry, an existing file required.
struct OpenFileRequest {
  std::string title;
  std::string filter_description;
  std::string filter_pattern;
  std::string initial_file;
  std::string initial_folder;  // where the dialog starts when no initial file is given
  std::string default_extension;
};

/// A save-file dialog: the filter entries as (description, pattern) pairs.
struct SaveFileRequest {
  std::string title;
  std::string initial_folder;
  std::vector<std::pair<std::string, std::string>> filters;
};

struct FontChoice {
  std::string name;
  int size = 0;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool operator==(const FontChoice&) const = default;
};

/// Each method shows one modal dialog owned by `owner` and returns what the user confirmed, or
/// nothing (false) when the user cancelled.
class DialogProvider {
 public:
  virtual ~DialogProvider() = default;
  virtual std::optional<std::string> OpenFile(QWidget* owner, const OpenFileRequest& request) = 0;
  /// The same dialog letting the user pick several files; none when cancelled.
  virtual std::vector<std::string> OpenFiles(QWidget* owner, const OpenFileRequest& request) = 0;
  virtual std::optional<std::string> SaveFile(QWidget* owner, const SaveFileRequest& request) = 0;
  /// `title` is the instruction text of the folder picker; it starts in `initial_folder` when
  /// that is not empty.
  virtual std::optional<std::string> Folder(QWidget* owner, const std::string& title,
                                            const std::string& initial_folder) = 0;
  /// Colours are RGB values with red in the low byte.
  virtual std::optional<std::uint32_t> Color(QWidget* owner, std::uint32_t initial, bool full_open) = 0;
  virtual std::optional<FontChoice> Font(QWidget* owner, const FontChoice& initial) = 0;
  virtual bool Printer(QWidget* owner) = 0;
  /// The default printer's properties; false when there is no printer or the dialog failed.
  virtual bool PrinterProperties(QWidget* owner) = 0;
};

}  // namespace quorvex::dialogs
