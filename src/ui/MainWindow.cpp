// The main window form1: controls at their fixed places, the menus, start-up and option rules.
#include "ui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>
#include <exception>
#include <memory>

#include "engine/ApplicationSession.h"
#include "settings/SavedLists.h"
#include "ui/BackgroundRun.h"
#include "ui/FormLayout.h"
#include "ui/OptionLists.h"
#include "ui/StatusLabel.h"
#include "ui/Twips.h"

namespace quorvex::ui {

namespace {

constexpr int kClientWidth = 9705;
constexpr int kClientHeight = 8550;

// Shares of the extra width and height when the window is larger than the form: the input list
// takes a third of the extra height and the two check-box lists the rest; the lists, the option
// panel's drop-down lists and the output row take the extra width.
constexpr double kThird = 1.0 / 3.0;
constexpr FormLayout::Share kFixed{};
constexpr FormLayout::Share kInputList{0, 0, 1, kThird};
constexpr FormLayout::Share kBesideInputList{1, 0, 0, 0};
constexpr FormLayout::Share kPanelLeft{0, kThird, 0, 0};
constexpr FormLayout::Share kPanelLeftField{0, kThird, 0.5, 0};
constexpr FormLayout::Share kPanelRight{0.5, kThird, 0, 0};
constexpr FormLayout::Share kPanelRightField{0.5, kThird, 0.5, 0};
constexpr FormLayout::Share kWorkbookList{0, kThird, 0.5, 1 - kThird};
constexpr FormLayout::Share kWorksheetList{0.5, kThird, 0.5, 1 - kThird};
constexpr FormLayout::Share kBottomLeft{0, 1, 0, 0};
constexpr FormLayout::Share kBottomWide{0, 1, 1, 0};
constexpr FormLayout::Share kBottomRight{1, 1, 0, 0};

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

QToolButton* BigButton(QWidget* parent, const char* name, const QString& caption,
                       QStyle::StandardPixmap icon) {
  auto* button = Named(new QToolButton(parent), name);
  button->setText(caption);
  button->setIcon(parent->style()->standardIcon(icon));
  button->setIconSize(QSize(32, 32));
  button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  button->setAutoRaise(false);
  return button;
}

QTreeWidget* ListView(QWidget* parent, const char* name) {
  auto* list = Named(new QTreeWidget(parent), name);
  list->setColumnCount(1);
  list->setRootIsDecorated(false);
  list->setUniformRowHeights(true);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // The one column spans the list, however wide the window is.
  list->header()->setStretchLastSection(true);
  list->header()->setSectionsMovable(false);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  return list;
}

QLabel* Label(QWidget* parent, const char* name, const QString& caption) {
  auto* label = Named(new QLabel(caption, parent), name);
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  return label;
}

QComboBox* DropDown(QWidget* parent, const char* name) {
  auto* combo = Named(new QComboBox(parent), name);
  combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  return combo;
}

}  // namespace

MainWindow::MainWindow(WindowServices services, QWidget* parent)
    : QMainWindow(parent),
      services_(std::move(services)),
      context_{state_, *this, services_.application_factory, random_} {
  setObjectName(QStringLiteral("form1"));
  setWindowTitle(QStringLiteral("Quorvex"));
  CreateControls();
  CreateMenus();
  CreateListMenus();
  ConnectControls();
  ConnectLists();
  Load();
  // A session that ends without closing the window still keeps the lists.
  connect(qApp, &QCoreApplication::aboutToQuit, this, &MainWindow::SaveListsOnce);
}

MainWindow::~MainWindow() {
  // The run is cancelled and waited for before the controls it reports to go away.
  run_.reset();
  if (busy_) {
    QApplication::restoreOverrideCursor();
  }
}

void MainWindow::CreateControls() {
  auto* client = Named(new QWidget(this), "client");
  QFont arial(QStringLiteral("Arial"));
  arial.setPointSize(8);
  client->setFont(arial);
  setCentralWidget(client);

  Command1 = BigButton(client, "Command1", "Add Excel", QStyle::SP_FileIcon);
  Command5 = BigButton(client, "Command5", "Add Folder", QStyle::SP_DirIcon);
  Command2 = BigButton(client, "Command2", "Remove File", QStyle::SP_TrashIcon);
  Command6 = BigButton(client, "Command6", "Convert", QStyle::SP_DialogApplyButton);
  Command8 = BigButton(client, "Command8", "Help", QStyle::SP_DialogHelpButton);
  Command7 = BigButton(client, "Command7", "HomePage", QStyle::SP_DirHomeIcon);
  Command9 = BigButton(client, "Command9", "Exit", QStyle::SP_DialogCloseButton);

  ListView1 = ListView(client, "ListView1");
  ListView1->setAcceptDrops(true);
  ListView1->viewport()->setAcceptDrops(true);
  Command3 = Named(new QToolButton(client), "Command3");
  Command3->setArrowType(Qt::UpArrow);
  Command3->setToolTip(QStringLiteral("Move the selected entry up"));
  Command4 = Named(new QToolButton(client), "Command4");
  Command4->setArrowType(Qt::DownArrow);
  Command4->setToolTip(QStringLiteral("Move the selected entry down"));

  Label4 = Label(client, "Label4", "File Format:");
  Combo3 = DropDown(client, "Combo3");
  Label2 = Label(client, "Label2", "File Name:");
  Combo1 = DropDown(client, "Combo1");
  Label3 = Label(client, "Label3", "HTML Type:");
  Combo2 = DropDown(client, "Combo2");
  Label5 = Label(client, "Label5", "Page Title:");
  Combo4 = DropDown(client, "Combo4");
  Option2 = Named(new QRadioButton(QStringLiteral("Convert each Sheet to html file"), client), "Option2");
  Option1 = Named(new QRadioButton(QStringLiteral("Entire Workbook"), client), "Option1");
  Label6 = Label(client, "Label6", "File Extension Name:");
  Frame1 = Named(new QFrame(client), "Frame1");
  Frame1->setFrameShape(QFrame::StyledPanel);
  Option3 = Named(new QRadioButton(QStringLiteral("htm"), Frame1), "Option3");
  Option3->setGeometry(TwipsRect(120, 120, 1090, 250));
  Option4 = Named(new QRadioButton(QStringLiteral("html"), Frame1), "Option4");
  Option4->setGeometry(TwipsRect(1320, 120, 970, 250));

  ListView2 = ListView(client, "ListView2");
  ListView3 = ListView(client, "ListView3");

  Label1 = Named(new StatusLabel(client), "Label1");
  CancelRun = Named(new QPushButton(QStringLiteral("Cancel"), client), "CancelRun");
  CancelRun->setToolTip(QStringLiteral("Stop the conversion after the sheet being written (Esc)"));
  CancelRun->setEnabled(false);
  Label7 = Label(client, "Label7", "Select  output directory:");
  Combo5 = DropDown(client, "Combo5");
  Combo5->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  Combo5->setEditable(true);
  Combo5->setInsertPolicy(QComboBox::NoInsert);
  Command10 = Named(new QPushButton(QStringLiteral("Browse"), client), "Command10");
  Command11 = Named(new QPushButton(QStringLiteral("View"), client), "Command11");
  ProgressBar1 = Named(new QProgressBar(client), "ProgressBar1");
  ProgressBar1->setRange(0, 1);
  ProgressBar1->setValue(0);
  ProgressBar1->setTextVisible(false);

  auto* layout = new FormLayout(QSize(Twips(kClientWidth), Twips(kClientHeight)));
  PlaceControls(*layout);
  client->setLayout(layout);

  // Tab order follows the form from top to bottom.
  QWidget* order[] = {Command1, Command5, Command2,  Command6,  Command8,  Command7, Command9,  ListView1,
                      Command3, Command4, Combo3,    Combo1,    Combo2,    Combo4,   Option2,   Option1,
                      Option3,  Option4,  ListView2, ListView3, CancelRun, Combo5,   Command10, Command11};
  for (std::size_t i = 1; i < std::size(order); ++i) {
    setTabOrder(order[i - 1], order[i]);
  }
}

void MainWindow::PlaceControls(FormLayout& layout) {
  const auto place = [&layout](QWidget* widget, int left, int top, int width, int height,
                               FormLayout::Share share, bool fit = false) {
    layout.Place(widget, TwipsRect(left, top, width, height), share, fit);
  };
  place(Command1, 120, 0, 1210, 975, kFixed);
  place(Command5, 1440, 0, 1210, 975, kFixed);
  place(Command2, 2760, 0, 1330, 975, kFixed);
  place(Command6, 5040, 0, 1090, 975, kFixed);
  place(Command8, 6240, 0, 970, 975, kFixed);
  place(Command7, 7320, 0, 1090, 975, kFixed);
  place(Command9, 8520, 0, 970, 975, kFixed);
  place(ListView1, 120, 1080, 9015, 2175, kInputList);
  place(Command3, 9240, 1320, 370, 610, kBesideInputList);
  place(Command4, 9240, 2160, 370, 610, kBesideInputList);
  // Labels are as tall as their fields, so that captions and field texts line up.
  place(Label4, 120, 3360, 850, 330, kPanelLeft, true);
  place(Combo3, 1080, 3360, 3855, 330, kPanelLeftField, true);
  // The form's labels on the right overlap their fields by a few twips; they end before them.
  place(Label2, 5040, 3360, 825, 330, kPanelRight, true);
  place(Combo1, 5880, 3360, 3495, 330, kPanelRightField, true);
  place(Label3, 120, 3720, 855, 330, kPanelLeft, true);
  place(Combo2, 1080, 3720, 3855, 330, kPanelLeftField, true);
  place(Label5, 5040, 3720, 825, 330, kPanelRight, true);
  place(Combo4, 5880, 3720, 3495, 330, kPanelRightField, true);
  place(Option2, 120, 4200, 2655, 250, kPanelLeft, true);
  place(Option1, 2880, 4200, 1815, 250, kPanelLeft, true);
  place(Label6, 5040, 4080, 1545, 405, kPanelRight, true);
  // Two pixels right of the form's place, so that the caption beside it fits in Arial.
  place(Frame1, 6630, 4080, 2775, 405, kPanelRight);
  place(ListView2, 120, 4560, 4575, 2895, kWorkbookList);
  place(ListView3, 4920, 4560, 4575, 2895, kWorksheetList);
  place(Label1, 120, 7560, 8175, 255, kBottomWide);
  place(CancelRun, 8415, 7500, 1200, 390, kBottomRight);
  place(Label7, 120, 7920, 1935, 330, kBottomLeft, true);
  place(Combo5, 2160, 7920, 5505, 330, kBottomWide);  // ends before "Browse", which the form overlaps
  place(Command10, 7680, 7920, 975, 325, kBottomRight);
  place(Command11, 8760, 7920, 855, 325, kBottomRight);
  place(ProgressBar1, 120, 8280, 9495, 255, kBottomWide);
}

void MainWindow::CreateMenus() {
  const auto add = [this](QMenu* menu, const char* name, const QString& caption, const QKeySequence& keys,
                          void (MainWindow::*handler)()) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(keys);
    connect(action, &QAction::triggered, this, handler);
    return action;
  };
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("FileMenu"));
  add(file, "AddExcel", "Add Excel", QKeySequence::Open, &MainWindow::AddExcelClick);
  add(file, "AddFolder", "Add Folder", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O),
      &MainWindow::AddFolderClick);
  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  edit->setObjectName(QStringLiteral("EditMenu"));
  add(edit, "RemoveItem", "Remove Item", QKeySequence::Delete, &MainWindow::RemoveFileClick);
  add(edit, "RemoveAll", "Remove All Items", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete),
      &MainWindow::RemoveAllClick);
  add(edit, "Removeoutput", "Remove Current Output Directory", QKeySequence(),
      &MainWindow::RemoveOutputClick);
  add(edit, "RemoveAllOutput", "Remove All Output Directory", QKeySequence(),
      &MainWindow::RemoveAllOutputClick);
  QMenu* actions = menuBar()->addMenu(QStringLiteral("&Actions"));
  actions->setObjectName(QStringLiteral("ActionsMenu"));
  add(actions, "Separate", "Convert", QKeySequence(Qt::Key_F5), &MainWindow::ConvertClick);
  QAction* settings = menuBar()->addAction(QStringLiteral("&Settings"));
  settings->setObjectName(QStringLiteral("Settings"));
  settings->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
  connect(settings, &QAction::triggered, this, &MainWindow::SettingsClick);
  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  help->setObjectName(QStringLiteral("HelpMenu"));
  add(help, "Help1", "Help", QKeySequence::HelpContents, &MainWindow::HelpClick);
  add(help, "HomePage", "HomePage", QKeySequence(), &MainWindow::HomePageClick);
  add(help, "About", "About", QKeySequence(), &MainWindow::AboutClick);

  auto* quit = new QShortcut(QKeySequence::Quit, this);
  connect(quit, &QShortcut::activated, this, &MainWindow::ExitClick);
  // Esc cancels a run; the shortcut is live only while one is going.
  cancel_shortcut_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  cancel_shortcut_->setEnabled(false);
  connect(cancel_shortcut_, &QShortcut::activated, this, &MainWindow::CancelClick);
}

void MainWindow::ConnectControls() {
  connect(Command1, &QToolButton::clicked, this, &MainWindow::AddExcelClick);
  connect(Command5, &QToolButton::clicked, this, &MainWindow::AddFolderClick);
  connect(Command2, &QToolButton::clicked, this, &MainWindow::RemoveFileClick);
  connect(Command3, &QToolButton::clicked, this, &MainWindow::MoveUpClick);
  connect(Command4, &QToolButton::clicked, this, &MainWindow::MoveDownClick);
  connect(Command6, &QToolButton::clicked, this, &MainWindow::ConvertClick);
  connect(Command7, &QToolButton::clicked, this, &MainWindow::HomePageClick);
  connect(Command8, &QToolButton::clicked, this, &MainWindow::HelpClick);
  connect(Command9, &QToolButton::clicked, this, &MainWindow::ExitClick);
  connect(Command10, &QPushButton::clicked, this, &MainWindow::BrowseClick);
  connect(Command11, &QPushButton::clicked, this, &MainWindow::ViewClick);
  connect(CancelRun, &QPushButton::clicked, this, &MainWindow::CancelClick);
  // A drop-down list shows its whole choice in a tooltip, should the window be narrow.
  for (QComboBox* combo : {Combo1, Combo2, Combo3, Combo4, Combo5}) {
    connect(combo, &QComboBox::currentTextChanged, combo,
            [combo](const QString& text) { combo->setToolTip(text); });
  }
  connect(Combo3, &QComboBox::currentIndexChanged, this, &MainWindow::ApplyFormatRule);
  connect(Option1, &QRadioButton::toggled, this, [this](bool on) {
    if (on) {
      ApplyWebModeRule(true);
    }
  });
  connect(Option2, &QRadioButton::toggled, this, [this](bool on) {
    if (on) {
      ApplyWebModeRule(false);
    }
  });
}

void MainWindow::Load() {
  ReadExcelVersion();
  ListView1->setHeaderLabels({QStringLiteral("Please Select the Excel File or Folder to Convert")});
  ListView2->setHeaderLabels({QStringLiteral("WorkBooks")});
  ListView3->setHeaderLabels({QStringLiteral("WorkSheets")});

  for (const settings::InputEntry& entry : settings::LoadInputList(services_.settings_folder)) {
    InsertInputRow(InputRowCount() + 1, entry.text, entry.icon);
  }
  for (const std::string& directory : settings::LoadOutputDirectories(services_.settings_folder)) {
    Combo5->addItem(QString::fromStdString(directory));
  }
  Combo5->setCurrentIndex(Combo5->count() > 0 ? 0 : -1);

  FillOptionLists();
  Option2->setChecked(true);
  Option3->setChecked(true);
  Option3->setText(QStringLiteral("htm"));
  Option4->setText(QStringLiteral("html"));
  for (QWidget* control :
       {static_cast<QWidget*>(Option3), static_cast<QWidget*>(Option4), static_cast<QWidget*>(Combo2),
        static_cast<QWidget*>(Combo4), static_cast<QWidget*>(Option1), static_cast<QWidget*>(Option2)}) {
    control->setEnabled(false);
  }
  state_.SetReadSheetsFromWorkbook(true);
}

void MainWindow::ReadExcelVersion() {
  // Without an application the shorter lists are offered, as for version 12 and later.
  excel_major_version_ = 12;
  try {
    engine::ApplicationSession session(services_.application_factory, {});
    const std::string version = session.application().Version();
    session.End();
    excel_major_version_ = MajorVersion(version);
  } catch (const std::exception& error) {
    ShowMessage(std::string("The spreadsheet application could not be started: ") + error.what(),
                engine::MessageIcon::kError);
  }
}

void MainWindow::FillOptionLists() {
  for (const char* text : kNamingEntries) {
    Combo1->addItem(QString::fromUtf8(text));
  }
  Combo1->setCurrentIndex(0);

  for (int i = 0; i < HtmlTypeEntryCount(excel_major_version_); ++i) {
    Combo2->addItem(QString::fromUtf8(kHtmlTypeEntries[static_cast<std::size_t>(i)]));
  }
  Combo2->setCurrentIndex(0);

  // Each entry carries its FormatIndex, so a format without an exporter leaves no gap in meaning.
  {
    const QSignalBlocker blocker(Combo3);
    const engine::ExporterTable& exporters = services_.exporters;
    for (const engine::OutputFormat& format : engine::kOutputFormats) {
      if (ListsFormat(format, excel_major_version_) &&
          (exporters.Offers(format.index, false) || exporters.Offers(format.index, true))) {
        Combo3->addItem(QString::fromStdString(std::string(format.caption)), format.index);
      }
    }
    Combo3->setCurrentIndex(Combo3->count() > 0 ? 0 : -1);
  }
  ApplyFormatRule();

  for (const char* text : kPageTitleEntries) {
    Combo4->addItem(QString::fromUtf8(text));
  }
  Combo4->setCurrentIndex(0);
}

void MainWindow::ApplyFormatRule() {
  const FormatRuleRow row = FormatRuleFor(FormatIndex());
  if (row.label3_caption) {
    Label3->setText(QString::fromStdString(*row.label3_caption));
  }
  if (row.extension_captions) {
    Option3->setText(QString::fromStdString(row.extension_captions->first));
    Option4->setText(QString::fromStdString(row.extension_captions->second));
  }
  Option1->setEnabled(row.web_mode_buttons);
  Option2->setEnabled(row.web_mode_buttons);
  Combo1->setEnabled(row.combo1);
  Combo2->setEnabled(row.combo2_combo4);
  Combo4->setEnabled(row.combo2_combo4);
  Option3->setEnabled(row.extension_buttons);
  Option4->setEnabled(row.extension_buttons);
  ListView3->setEnabled(row.worksheet_list);
  if (row.web_mode_applies) {
    ApplyWebModeRule(Option1->isChecked());
  }
}

void MainWindow::ApplyWebModeRule(bool entire_workbook) {
  for (QWidget* control : {static_cast<QWidget*>(Combo1), static_cast<QWidget*>(Combo2),
                           static_cast<QWidget*>(Combo4), static_cast<QWidget*>(ListView3)}) {
    control->setEnabled(!entire_workbook);
  }
}

}  // namespace quorvex::ui
