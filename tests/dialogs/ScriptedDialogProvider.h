// Dialogs answered from a script without showing anything; every request is recorded.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/DialogProvider.h"

namespace quorvex::testing {

/// Each kind of dialog takes its answers from its own queue, oldest first; an empty queue
/// answers "cancelled". ThrowOnNext makes the next dialog of any kind throw instead.
class ScriptedDialogProvider : public dialogs::DialogProvider {
 public:
  void AnswerOpen(std::optional<std::string> file) {
    open_answers_.push_back(file ? std::vector<std::string>{*file} : std::vector<std::string>{});
  }
  /// An answer for OpenFile or OpenFiles; several files are only given to OpenFiles.
  void AnswerOpenFiles(std::vector<std::string> files) { open_answers_.push_back(std::move(files)); }
  void AnswerSave(std::optional<std::string> file) { save_answers_.push_back(std::move(file)); }
  void AnswerFolder(std::optional<std::string> folder) { folder_answers_.push_back(std::move(folder)); }
  void AnswerColor(std::optional<std::uint32_t> color) { color_answers_.push_back(color); }
  void AnswerFont(std::optional<dialogs::FontChoice> font) { font_answers_.push_back(std::move(font)); }
  void AnswerPrinter(bool confirmed) { printer_answers_.push_back(confirmed); }
  void AnswerPrinterProperties(bool shown) { properties_answers_.push_back(shown); }
  void ThrowOnNext() { throw_next_ = true; }

  std::optional<std::string> OpenFile(QWidget* owner, const dialogs::OpenFileRequest& request) override;
  std::vector<std::string> OpenFiles(QWidget* owner, const dialogs::OpenFileRequest& request) override;
  std::optional<std::string> SaveFile(QWidget* owner, const dialogs::SaveFileRequest& request) override;
  std::optional<std::string> Folder(QWidget* owner, const std::string& title,
                                    const std::string& initial_folder) override;
  std::optional<std::uint32_t> Color(QWidget* owner, std::uint32_t initial, bool full_open) override;
  std::optional<dialogs::FontChoice> Font(QWidget* owner, const dialogs::FontChoice& initial) override;
  bool Printer(QWidget* owner) override;
  bool PrinterProperties(QWidget* owner) override;

  // What was asked, in order per kind, and the owner of every dialog shown.
  std::vector<dialogs::OpenFileRequest> open_requests;
  std::vector<dialogs::SaveFileRequest> save_requests;
  std::vector<std::string> folder_titles;
  std::vector<std::string> folder_starts;
  /// Whether each open-file request allowed several files.
  std::vector<bool> open_several;
  std::vector<std::pair<std::uint32_t, bool>> color_requests;
  std::vector<dialogs::FontChoice> font_requests;
  int printer_requests = 0;
  int properties_requests = 0;
  std::vector<QWidget*> owners;

 private:
  void Shown(QWidget* owner);
  template <typename T>
  static T Next(std::deque<T>& answers, T cancelled);

  std::deque<std::vector<std::string>> open_answers_;
  std::deque<std::optional<std::string>> save_answers_;
  std::deque<std::optional<std::string>> folder_answers_;
  std::deque<std::optional<std::uint32_t>> color_answers_;
  std::deque<std::optional<dialogs::FontChoice>> font_answers_;
  std::deque<bool> printer_answers_;
  std::deque<bool> properties_answers_;
  bool throw_next_ = false;
};

}  // namespace quorvex::testing
