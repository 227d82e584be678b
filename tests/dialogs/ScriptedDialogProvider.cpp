// Dialogs answered from a script without showing anything; every request is recorded.
#include "dialogs/ScriptedDialogProvider.h"

#include <stdexcept>

namespace quorvex::testing {

void ScriptedDialogProvider::Shown(QWidget* owner) {
  owners.push_back(owner);
  if (throw_next_) {
    throw_next_ = false;
    throw std::runtime_error("the dialog could not be shown");
  }
}

template <typename T>
T ScriptedDialogProvider::Next(std::deque<T>& answers, T cancelled) {
  if (answers.empty()) {
    return cancelled;
  }
  T answer = answers.front();
  answers.pop_front();
  return answer;
}

std::optional<std::string> ScriptedDialogProvider::OpenFile(QWidget* owner,
                                                            const dialogs::OpenFileRequest& request) {
  open_requests.push_back(request);
  open_several.push_back(false);
  Shown(owner);
  const std::vector<std::string> files = Next(open_answers_, std::vector<std::string>());
  return files.empty() ? std::nullopt : std::optional<std::string>(files.front());
}

std::vector<std::string> ScriptedDialogProvider::OpenFiles(QWidget* owner,
                                                           const dialogs::OpenFileRequest& request) {
  open_requests.push_back(request);
  open_several.push_back(true);
  Shown(owner);
  return Next(open_answers_, std::vector<std::string>());
}

std::optional<std::string> ScriptedDialogProvider::SaveFile(QWidget* owner,
                                                            const dialogs::SaveFileRequest& request) {
  save_requests.push_back(request);
  Shown(owner);
  return Next(save_answers_, std::optional<std::string>());
}

std::optional<std::string> ScriptedDialogProvider::Folder(QWidget* owner, const std::string& title,
                                                          const std::string& initial_folder) {
  folder_titles.push_back(title);
  folder_starts.push_back(initial_folder);
  Shown(owner);
  return Next(folder_answers_, std::optional<std::string>());
}

std::optional<std::uint32_t> ScriptedDialogProvider::Color(QWidget* owner, std::uint32_t initial,
                                                           bool full_open) {
  color_requests.emplace_back(initial, full_open);
  Shown(owner);
  return Next(color_answers_, std::optional<std::uint32_t>());
}

std::optional<dialogs::FontChoice> ScriptedDialogProvider::Font(QWidget* owner,
                                                                const dialogs::FontChoice& initial) {
  font_requests.push_back(initial);
  Shown(owner);
  return Next(font_answers_, std::optional<dialogs::FontChoice>());
}

bool ScriptedDialogProvider::Printer(QWidget* owner) {
  ++printer_requests;
  Shown(owner);
  return Next(printer_answers_, false);
}

bool ScriptedDialogProvider::PrinterProperties(QWidget* owner) {
  ++properties_requests;
  Shown(owner);
  return Next(properties_answers_, false);
}

}  // namespace quorvex::testing
