// One object per command around the standard dialogs: properties in, a show method, properties out.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/DialogProvider.h"

class QWidget;

namespace quorvex::dialogs {

/// The fixed filter of ShowOpen.
inline constexpr const char* kExcelFilterDescription = "Excel files(*.xls;*.xlsx;*.xlsm;*.xlsb)";
inline constexpr const char* kExcelFilterPattern = "*.xl*";
/// The longest FileName ShowOpen accepts.
inline constexpr std::size_t kMaxFileNameLength = 260;

/// Every property starts empty, 0 or false; setters store their argument unchanged, and the
/// getters of Title, Path, FileTitle and FileName cut at the first NUL. ShowOpen, ShowFolder,
/// ShowSave, ShowColor and ShowPrinter throw DialogError when Init was not called (and ShowOpen
/// when FileName is longer than 260 characters); ShowFont and ShowPrinterProperties never throw.
/// A cancelled dialog returns false and leaves the result properties as they were.
class CCommonDialogs {
 public:
  explicit CCommonDialogs(DialogProvider& provider) : provider_(provider) {}

  bool FontUnderline() const { return font_underline_; }
  void SetFontUnderline(bool value) { font_underline_ = value; }
  bool FontItalic() const { return font_italic_; }
  void SetFontItalic(bool value) { font_italic_ = value; }
  bool FontBold() const { return font_bold_; }
  void SetFontBold(bool value) { font_bold_ = value; }
  std::int16_t FontSize() const { return font_size_; }
  void SetFontSize(std::int16_t value) { font_size_ = value; }
  std::string FontName() const { return font_name_; }
  void SetFontName(const std::string& value) { font_name_ = value; }
  std::int32_t Color() const { return color_; }
  void SetColor(std::int32_t value) { color_ = value; }
  std::string DefExt() const { return def_ext_; }
  void SetDefExt(const std::string& value) { def_ext_ = value; }
  std::string Title() const;
  void SetTitle(const std::string& value) { title_ = value; }
  /// The window that owns every dialog this object shows.
  void Init(QWidget* owner_form) { owner_ = owner_form; }
  std::string Path() const;
  void SetPath(const std::string& value) { path_ = value; }
  std::string FileTitle() const;
  void SetFileTitle(const std::string& value) { file_title_ = value; }
  /// Descriptions and patterns in turn, separated by '|'; used by ShowSave only.
  std::string Filter() const { return filter_; }
  void SetFilter(const std::string& value) { filter_ = value; }
  std::string FileName() const;
  void SetFileName(const std::string& value) { file_name_ = value; }
  /// Whether ShowOpen lets the user pick several files.
  void SetMultiSelect(bool value) { multi_select_ = value; }
  /// Every file the last ShowOpen returned, in order; FileName is the first.
  const std::vector<std::string>& file_names() const { return file_names_; }

  /// Open-file dialog with the fixed Excel filter, starting in Path when it is set; sets
  /// file_names, and FileName, FileTitle and Path from the first file.
  bool ShowOpen();
  /// Folder picker with Title as instruction, starting in Path when it is set; sets Path and
  /// empties FileName and FileTitle.
  bool ShowFolder();
  /// Save-file dialog captioned "Save", starting in Path (or the program's folder), offering Filter.
  bool ShowSave();
  /// Colour picker starting from Color; sets Color.
  bool ShowColor(bool full_open);
  /// Font picker starting from the font properties; sets FontName, FontBold, FontItalic, FontSize.
  bool ShowFont();
  /// Print dialog; nothing is read back.
  bool ShowPrinter();
  /// The default printer's properties dialog.
  bool ShowPrinterProperties();

 private:
  QWidget* RequireOwner(const char* method) const;
  void SetFileResult(const std::string& file_name);

  DialogProvider& provider_;
  bool font_underline_ = false;
  bool font_italic_ = false;
  bool font_bold_ = false;
  std::int16_t font_size_ = 0;
  std::string font_name_;
  std::int32_t color_ = 0;
  std::string def_ext_;
  std::string title_;
  QWidget* owner_ = nullptr;
  std::string path_;
  std::string file_title_;
  std::string filter_;
  std::string file_name_;
  bool multi_select_ = false;
  std::vector<std::string> file_names_;
};

}  // namespace quorvex::dialogs
