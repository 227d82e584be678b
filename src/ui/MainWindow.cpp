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

#include "automation/Application.h"
#include "settings/SavedLists.h"
#include "ui/OptionLists.h"
#include "ui/Twips.h"

namespace quorvex::ui {

namespace {

constexpr int kClientWidth = 9705;
constexpr int kClientHeight = 8550;

template <typename Widget>
Widget* Place(Widget* widget, const char* name, const QRect& geometry) {
  widget->setObjectName(QString::fromLatin1(name));
  widget->setGeometry(geometry);
  return widget;
}

QToolButton* BigButton(QWidget* parent, const char* name, const QString& caption, QStyle::StandardPixmap icon,
                       int left, int width) {
  auto* button = Place(new QToolButton(parent), name, TwipsRect(left, 0, width, 975));
  button->setText(caption);
  button->setIcon(parent->style()->standardIcon(icon));
  button->setIconSize(QSize(32, 32));
  button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  button->setAutoRaise(false);
  return button;
}

QTreeWidget* ListView(QWidget* parent, const char* name, const QRect& geometry) {
  auto* list = Place(new QTreeWidget(parent), name, geometry);
  list->setColumnCount(1);
  list->setRootIsDecorated(false);
  list->setUniformRowHeights(true);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->header()->setStretchLastSection(false);
  list->header()->setSectionsMovable(false);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  return list;
}

// A label keeps its place; it grows to the right when its caption would otherwise be clipped.
void FitLabel(QLabel* label) {
  const int form_width = label->property("formWidth").toInt();
  label->resize(std::max(form_width, label->sizeHint().width()), label->height());
}

QLabel* Label(QWidget* parent, const char* name, const QString& caption, const QRect& geometry) {
  auto* label = Place(new QLabel(caption, parent), name, geometry);
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  label->setProperty("formWidth", geometry.width());
  FitLabel(label);
  return label;
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
  // The form has a fixed layout: the window takes the client area plus the menu bar, no more.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  ConnectControls();
  Load();
  // A session that ends without closing the window still keeps the lists.
  connect(qApp, &QCoreApplication::aboutToQuit, this, &MainWindow::SaveListsOnce);
}

MainWindow::~MainWindow() {
  if (busy_) {
    QApplication::restoreOverrideCursor();
  }
}

void MainWindow::CreateControls() {
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  client->setFixedSize(Twips(kClientWidth), Twips(kClientHeight));
  QFont arial(QStringLiteral("Arial"));
  arial.setPointSize(8);
  client->setFont(arial);
  setCentralWidget(client);

  Command1 = BigButton(client, "Command1", "Add Excel", QStyle::SP_FileIcon, 120, 1210);
  Command5 = BigButton(client, "Command5", "Add Folder", QStyle::SP_DirIcon, 1440, 1210);
  Command2 = BigButton(client, "Command2", "Remove File", QStyle::SP_TrashIcon, 2760, 1330);
  Command6 = BigButton(client, "Command6", "Convert", QStyle::SP_DialogApplyButton, 5040, 1090);
  Command8 = BigButton(client, "Command8", "Help", QStyle::SP_DialogHelpButton, 6240, 970);
  Command7 = BigButton(client, "Command7", "HomePage", QStyle::SP_DirHomeIcon, 7320, 1090);
  Command9 = BigButton(client, "Command9", "Exit", QStyle::SP_DialogCloseButton, 8520, 970);

  ListView1 = ListView(client, "ListView1", TwipsRect(120, 1080, 9015, 2175));
  ListView1->setAcceptDrops(true);
  ListView1->viewport()->setAcceptDrops(true);
  ListView1->viewport()->installEventFilter(this);
  ListView1->installEventFilter(this);
  Command3 = Place(new QToolButton(client), "Command3", TwipsRect(9240, 1320, 370, 610));
  Command3->setArrowType(Qt::UpArrow);
  Command3->setToolTip(QStringLiteral("Move the selected entry up"));
  Command4 = Place(new QToolButton(client), "Command4", TwipsRect(9240, 2160, 370, 610));
  Command4->setArrowType(Qt::DownArrow);
  Command4->setToolTip(QStringLiteral("Move the selected entry down"));

  Label4 = Label(client, "Label4", "File Format:", TwipsRect(120, 3360, 850, 250));
  Combo3 = Place(new QComboBox(client), "Combo3", TwipsRect(1080, 3360, 3855, 330));
  Label2 = Label(client, "Label2", "File Name:", TwipsRect(5040, 3360, 850, 260));
  Combo1 = Place(new QComboBox(client), "Combo1", TwipsRect(5880, 3360, 3495, 330));
  Label3 = Label(client, "Label3", "HTML Type:", TwipsRect(120, 3720, 855, 255));
  Combo2 = Place(new QComboBox(client), "Combo2", TwipsRect(1080, 3720, 3855, 330));
  Label5 = Label(client, "Label5", "Page Title:", TwipsRect(5040, 3720, 850, 250));
  Combo4 = Place(new QComboBox(client), "Combo4", TwipsRect(5880, 3720, 3495, 330));

  Option2 = Place(new QRadioButton(QStringLiteral("Convert each Sheet to html file"), client), "Option2",
                  TwipsRect(120, 4200, 2655, 250));
  Option1 = Place(new QRadioButton(QStringLiteral("Entire Workbook"), client), "Option1",
                  TwipsRect(2880, 4200, 1815, 250));
  Label6 = Label(client, "Label6", "File Extension Name:", TwipsRect(5040, 4200, 1575, 255));
  Frame1 = Place(new QFrame(client), "Frame1", TwipsRect(6600, 4080, 2775, 405));
  Frame1->setFrameShape(QFrame::StyledPanel);
  Option3 = Place(new QRadioButton(QStringLiteral("htm"), Frame1), "Option3", TwipsRect(120, 120, 1090, 250));
  Option4 = Place(new QRadioButton(QStringLiteral("html"), Frame1), "Option4", TwipsRect(1320, 120, 970, 250));

  ListView2 = ListView(client, "ListView2", TwipsRect(120, 4560, 4575, 2895));
  ListView3 = ListView(client, "ListView3", TwipsRect(4920, 4560, 4575, 2895));
  ListView2->installEventFilter(this);

  Label1 = Label(client, "Label1", QString(), TwipsRect(120, 7560, 6975, 255));
  Label7 = Label(client, "Label7", "Select  output directory:", TwipsRect(120, 7920, 1935, 255));
  Combo5 = Place(new QComboBox(client), "Combo5", TwipsRect(2160, 7920, 5535, 330));
  Combo5->setEditable(true);
  Combo5->setInsertPolicy(QComboBox::NoInsert);
  Command10 = Place(new QPushButton(QStringLiteral("Browse"), client), "Command10",
                    TwipsRect(7680, 7920, 975, 325));
  Command11 = Place(new QPushButton(QStringLiteral("View"), client), "Command11",
                    TwipsRect(8760, 7920, 855, 325));
  ProgressBar1 = Place(new QProgressBar(client), "ProgressBar1", TwipsRect(120, 8280, 9495, 255));
  ProgressBar1->setRange(0, 1);
  ProgressBar1->setValue(0);
  ProgressBar1->setTextVisible(false);

  // Tab order follows the form from top to bottom.
  QWidget* order[] = {Command1, Command5, Command2, Command6, Command8, Command7, Command9, ListView1,
                      Command3, Command4, Combo3,   Combo1,   Combo2,   Combo4,   Option2,  Option1,
                      Option3,  Option4,  ListView2, ListView3, Combo5, Command10, Command11};
  for (std::size_t i = 1; i < std::size(order); ++i) {
    setTabOrder(order[i - 1], order[i]);
  }
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
  add(edit, "Removeoutput", "Remove Current Output Directory", QKeySequence(), &MainWindow::RemoveOutputClick);
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
  connect(ListView1, &QTreeWidget::itemClicked, this, &MainWindow::InputItemClick);
  connect(ListView2, &QTreeWidget::itemClicked, this, &MainWindow::WorkbookItemClick);
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
  ListView1->setColumnWidth(0, Twips(8600));
  ListView2->setHeaderLabels({QStringLiteral("WorkBooks")});
  ListView2->setColumnWidth(0, Twips(4150));
  ListView3->setHeaderLabels({QStringLiteral("WorkSheets")});
  ListView3->setColumnWidth(0, Twips(4100));

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
  for (QWidget* control : {static_cast<QWidget*>(Option3), static_cast<QWidget*>(Option4),
                           static_cast<QWidget*>(Combo2), static_cast<QWidget*>(Combo4),
                           static_cast<QWidget*>(Option1), static_cast<QWidget*>(Option2)}) {
    control->setEnabled(false);
  }
  state_.SetReadSheetsFromWorkbook(true);
}

void MainWindow::ReadExcelVersion() {
  // Without an application the shorter lists are offered, as for version 12 and later.
  excel_major_version_ = 12;
  std::unique_ptr<automation::Application> application;
  try {
    application = services_.application_factory(automation::kExcelApplication);
    if (!application) {
      throw std::runtime_error("The spreadsheet application could not be started.");
    }
    std::string version;
    try {
      version = application->Version();
    } catch (...) {
      // The instance is quit on this path too; the version error is the one reported.
      try {
        application->Quit();
      } catch (...) {
      }
      throw;
    }
    application->Quit();
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
    for (int i = 0; i < FormatEntryCount(excel_major_version_); ++i) {
      if (services_.exporters.Offers(i, false) || services_.exporters.Offers(i, true)) {
        Combo3->addItem(QString::fromUtf8(kFormatEntries[static_cast<std::size_t>(i)]), i);
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
    FitLabel(Label3);
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
