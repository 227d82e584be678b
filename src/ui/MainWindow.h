// The main window form1: the input list, the option panel, the two check-box lists and the run.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/InputListRows.h"
#include "engine/ClockRandomSource.h"
#include "engine/Controls.h"
#include "engine/EngineContext.h"
#include "engine/EngineState.h"
#include "engine/RunSummary.h"
#include "ui/WindowServices.h"

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QProgressBar;
class QRadioButton;
class QShortcut;
class QToolButton;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace quorvex::ui {

class BackgroundRun;
class FormLayout;

/// The whole user interface. Its controls keep their form names as object names; they are the
/// program's settings store, read by the engine and the catalogue through engine::Controls. The
/// start-up sequence runs in the constructor; closing the window saves the lists as "set.txt"
/// says. Holds no conversion logic: every command calls the engine or the catalogue. A
/// conversion runs on a worker thread (BackgroundRun) while every control that could change it
/// is disabled; "Cancel" (CancelRun) and Esc stop it after the sheet being written.
class MainWindow : public QMainWindow, public engine::Controls, public catalogue::InputListRows {
  Q_OBJECT

 public:
  explicit MainWindow(WindowServices services, QWidget* parent = nullptr);
  ~MainWindow() override;

  /// Adds files and folders as if dropped onto the input list; anything else (a file that is
  /// not a workbook, a missing path) is refused with one message naming them.
  void AddPaths(const std::vector<std::string>& paths);

  // engine::Controls
  std::string SelectedInputEntry() const override;
  int WorkbookRowCount() const override;
  std::string WorkbookRowText(int row) const override;
  bool WorkbookRowChecked(int row) const override;
  int SelectedWorkbookRow() const override;
  void ClearWorkbookRows() override;
  void AddWorkbookRow(const std::string& text, bool checked) override;
  void RepaintWorkbookRows() override;
  int WorksheetRowCount() const override;
  std::string WorksheetRowText(int row) const override;
  bool WorksheetRowChecked(int row) const override;
  void ClearWorksheetRows() override;
  void AddWorksheetRow(const std::string& text, bool checked) override;
  void RepaintWorksheetRows() override;
  int FormatIndex() const override;
  int NamingMode() const override;
  int HtmlTypeIndex() const override;
  int PageTitleIndex() const override;
  bool EntireWorkbook() const override;
  bool ShortExtension() const override;
  std::string OutputDirectoryText() const override;
  bool OutputDirectoryTyped() const override;
  void SetStatus(const std::string& text) override;
  void SetProgressMax(double max) override;
  void SetProgressValue(double value) override;
  void SetBusy(bool busy) override;
  void ShowMessage(const std::string& text, engine::MessageIcon icon) override;
  void OpenInShell(const std::string& path) override;

  // catalogue::InputListRows
  int InputRowCount() const override;
  std::string InputRowText(int row) const override;
  catalogue::InputIcon InputRowIcon(int row) const override;
  int SelectedInputRow() const override;
  void InsertInputRow(int row, const std::string& text, catalogue::InputIcon icon) override;
  void RemoveInputRow(int row) override;
  void SelectInputRow(int row) override;
  void ClearInputRows() override;
  void RepaintInputRows() override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Construction (MainWindow.cpp).
  void CreateControls();
  void PlaceControls(FormLayout& layout);
  void CreateMenus();
  void CreateListMenus();
  void ConnectControls();
  void ConnectLists();
  void Load();
  void ReadExcelVersion();
  void FillOptionLists();
  void ApplyFormatRule();
  void ApplyWebModeRule(bool entire_workbook);

  // Commands (MainWindowCommands.cpp).
  void AddExcelClick();
  void AddFolderClick();
  void RemoveFileClick();
  void MoveUpClick();
  void MoveDownClick();
  void RemoveAllClick();
  void InputItemClick();
  void WorkbookItemClick();
  void TickAll(QTreeWidget* list, bool ticked);
  void ConvertClick();
  void CancelClick();
  void HelpClick();
  void HomePageClick();
  void ExitClick();
  void BrowseClick();
  void ViewClick();
  void RemoveOutputClick();
  void RemoveAllOutputClick();
  void SettingsClick();
  void AboutClick();
  void SaveListsOnce();
  bool OpenOrReport(const QUrl& url, const QString& what);
  int OutputListIndex() const;
  std::vector<std::string> InputTexts() const;
  std::vector<std::string> OutputDirectories() const;

  // The run (MainWindowRun.cpp).
  void RunFinished(const engine::RunSummary& summary, const std::string& error);
  void EnableRunControls(bool enabled);
  void ShowSummary(const engine::RunSummary& summary);

  WindowServices services_;
  engine::EngineState state_;
  engine::ClockRandomSource random_;
  engine::EngineContext context_;
  int excel_major_version_ = 0;
  bool busy_ = false;
  bool saved_ = false;
  std::unique_ptr<BackgroundRun> run_;
  bool close_when_run_ends_ = false;
  // Enabled states to give back when the run ends.
  std::vector<std::pair<QPointer<QObject>, bool>> enabled_before_run_;
  // What the last mouse press on a list did, so that its click acts only when nothing else did.
  bool row_changed_by_press_ = false;
  bool box_changed_by_press_ = false;
  // The folder the last file or folder dialog ended in; the next one starts there.
  std::string last_dialog_folder_;

 private:
  // The controls, named as on the form; tests find them by these object names.
  QToolButton* Command1 = nullptr;
  QToolButton* Command2 = nullptr;
  QToolButton* Command3 = nullptr;
  QToolButton* Command4 = nullptr;
  QToolButton* Command5 = nullptr;
  QToolButton* Command6 = nullptr;
  QToolButton* Command7 = nullptr;
  QToolButton* Command8 = nullptr;
  QToolButton* Command9 = nullptr;
  QPushButton* Command10 = nullptr;
  QPushButton* Command11 = nullptr;
  QPushButton* CancelRun = nullptr;
  QShortcut* cancel_shortcut_ = nullptr;
  QComboBox* Combo1 = nullptr;
  QComboBox* Combo2 = nullptr;
  QComboBox* Combo3 = nullptr;
  QComboBox* Combo4 = nullptr;
  QComboBox* Combo5 = nullptr;
  QRadioButton* Option1 = nullptr;
  QRadioButton* Option2 = nullptr;
  QRadioButton* Option3 = nullptr;
  QRadioButton* Option4 = nullptr;
  QTreeWidget* ListView1 = nullptr;
  QTreeWidget* ListView2 = nullptr;
  QTreeWidget* ListView3 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* Label6 = nullptr;
  QLabel* Label7 = nullptr;
  QProgressBar* ProgressBar1 = nullptr;
  QFrame* Frame1 = nullptr;
};

}  // namespace quorvex::ui
