// One object per command around the standard dialogs: properties in, a show method, properties out.
#include "dialogs/CCommonDialogs.h"

#include <QCoreApplication>
#include <filesystem>
#include <system_error>
#include <vector>

#include "dialogs/DialogError.h"

namespace quorvex::dialogs {

namespace {

std::string CutAtNul(const std::string& text) {
  return text.substr(0, text.find('\0'));
}

std::string FolderPart(const std::string& file_name) {
  const std::size_t slash = file_name.rfind('/');
  return slash == std::string::npos ? std::string() : file_name.substr(0, slash);
}

std::string NamePart(const std::string& file_name) {
  const std::size_t slash = file_name.rfind('/');
  return slash == std::string::npos ? file_name : file_name.substr(slash + 1);
}

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string ProgramFolder() {
  return QCoreApplication::instance() != nullptr ? QCoreApplication::applicationDirPath().toStdString()
                                                 : std::filesystem::current_path().string();
}

// "a|b|c|d" -> (a, b), (c, d); a description without a pattern gets "*".
std::vector<std::pair<std::string, std::string>> SplitFilter(const std::string& filter) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t bar = filter.find('|', start);
    parts.push_back(filter.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) {
      break;
    }
    start = bar + 1;
  }
  std::vector<std::pair<std::string, std::string>> pairs;
  for (std::size_t i = 0; i < parts.size(); i += 2) {
    pairs.emplace_back(parts[i], i + 1 < parts.size() ? parts[i + 1] : std::string("*"));
  }
  return pairs;
}

}  // namespace

std::string CCommonDialogs::Title() const {
  return CutAtNul(title_);
}
std::string CCommonDialogs::Path() const {
  return CutAtNul(path_);
}
std::string CCommonDialogs::FileTitle() const {
  return CutAtNul(file_title_);
}
std::string CCommonDialogs::FileName() const {
  return CutAtNul(file_name_);
}

QWidget* CCommonDialogs::RequireOwner(const char* method) const {
  if (owner_ == nullptr) {
    throw DialogError(std::string(method) + ": Init was not called with an owner window");
  }
  return owner_;
}

void CCommonDialogs::SetFileResult(const std::string& file_name) {
  file_name_ = file_name;
  file_title_ = NamePart(file_name);
  path_ = FolderPart(file_name);
}

bool CCommonDialogs::ShowOpen() {
  QWidget* owner = RequireOwner("ShowOpen");
  if (file_name_.size() > kMaxFileNameLength) {
    throw DialogError("ShowOpen: FileName is longer than 260 characters");
  }
  OpenFileRequest request;
  request.title = Title();
  request.filter_description = kExcelFilterDescription;
  request.filter_pattern = kExcelFilterPattern;
  request.initial_file = FileName();
  request.initial_folder = Path();
  request.default_extension = def_ext_;
  std::vector<std::string> chosen;
  if (multi_select_) {
    chosen = provider_.OpenFiles(owner, request);
  } else if (std::optional<std::string> file = provider_.OpenFile(owner, request)) {
    chosen.push_back(*file);
  }
  if (chosen.empty()) {
    return false;
  }
  file_names_.clear();
  for (const std::string& file : chosen) {
    file_names_.push_back(CutAtNul(file));
  }
  SetFileResult(file_names_.front());
  return true;
}

bool CCommonDialogs::ShowFolder() {
  QWidget* owner = RequireOwner("ShowFolder");
  const std::optional<std::string> chosen = provider_.Folder(owner, Title(), Path());
  if (!chosen) {
    return false;
  }
  path_ = CutAtNul(*chosen);
  file_name_.clear();
  file_title_.clear();
  return true;
}

bool CCommonDialogs::ShowSave() {
  QWidget* owner = RequireOwner("ShowSave");
  if (Trimmed(path_).empty()) {
    path_ = ProgramFolder();
  } else {
    if (path_.back() != '/') {
      path_ += '/';
    }
    std::error_code error;
    if (!std::filesystem::is_directory(path_, error)) {
      path_ = ProgramFolder();
    }
  }
  SaveFileRequest request;
  request.title = "Save";
  request.initial_folder = path_;
  request.filters = SplitFilter(Trimmed(filter_).empty() ? std::string("*.*|*.*") : filter_);
  const std::optional<std::string> chosen = provider_.SaveFile(owner, request);
  if (!chosen) {
    return false;
  }
  SetFileResult(CutAtNul(*chosen).substr(0, 255));
  return true;
}

bool CCommonDialogs::ShowColor(bool full_open) {
  QWidget* owner = RequireOwner("ShowColor");
  const std::optional<std::uint32_t> chosen =
      provider_.Color(owner, static_cast<std::uint32_t>(color_), full_open);
  if (!chosen) {
    return false;
  }
  color_ = static_cast<std::int32_t>(*chosen);
  return true;
}

bool CCommonDialogs::ShowFont() {
  try {
    FontChoice initial;
    initial.name = font_name_;
    initial.size = font_size_;
    initial.bold = font_bold_;
    initial.italic = font_italic_;
    initial.underline = font_underline_;
    const std::optional<FontChoice> chosen = provider_.Font(owner_, initial);
    if (!chosen) {
      return false;
    }
    font_name_ = CutAtNul(chosen->name);
    font_bold_ = chosen->bold;
    font_italic_ = chosen->italic;
    font_size_ = static_cast<std::int16_t>(chosen->size);
    return true;
  } catch (...) {
    return false;
  }
}

bool CCommonDialogs::ShowPrinter() {
  return provider_.Printer(RequireOwner("ShowPrinter"));
}

bool CCommonDialogs::ShowPrinterProperties() {
  try {
    return provider_.PrinterProperties(owner_);
  } catch (...) {
    return false;
  }
}

}  // namespace quorvex::dialogs
