// Tests of the common dialog wrapper: property rules, what each dialog is asked, what comes back.
#include <QCoreApplication>
#include <QTest>
#include <QWidget>
#include <string>

#include "dialogs/CCommonDialogs.h"
#include "dialogs/DialogError.h"
#include "dialogs/ScriptedDialogProvider.h"
#include "support/TempDir.h"

namespace quorvex::dialogs {
namespace {

using testing::ScriptedDialogProvider;

const std::string kWithNul("ab\0cd", 5);

template <typename Call>
bool Throws(Call call) {
  try {
    call();
  } catch (const DialogError&) {
    return true;
  }
  return false;
}

}  // namespace

class CCommonDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void PropertiesStartEmpty() {
    ScriptedDialogProvider provider;
    CCommonDialogs dialog(provider);
    QVERIFY(!dialog.FontUnderline() && !dialog.FontItalic() && !dialog.FontBold());
    QCOMPARE(dialog.FontSize(), std::int16_t{0});
    QCOMPARE(dialog.Color(), 0);
    QVERIFY(dialog.FontName().empty() && dialog.DefExt().empty() && dialog.Title().empty());
    QVERIFY(dialog.Path().empty() && dialog.FileTitle().empty() && dialog.Filter().empty());
    QVERIFY(dialog.FileName().empty());
  }

  void GettersOfTitlePathFileTitleAndFileNameCutAtFirstNul() {
    ScriptedDialogProvider provider;
    CCommonDialogs dialog(provider);
    dialog.SetTitle(kWithNul);
    dialog.SetPath(kWithNul);
    dialog.SetFileTitle(kWithNul);
    dialog.SetFileName(kWithNul);
    QCOMPARE(dialog.Title(), std::string("ab"));
    QCOMPARE(dialog.Path(), std::string("ab"));
    QCOMPARE(dialog.FileTitle(), std::string("ab"));
    QCOMPARE(dialog.FileName(), std::string("ab"));
  }

  void OtherGettersReturnWhatWasStored() {
    ScriptedDialogProvider provider;
    CCommonDialogs dialog(provider);
    dialog.SetFilter(kWithNul);
    dialog.SetDefExt(kWithNul);
    dialog.SetFontName(kWithNul);
    dialog.SetFontSize(-12);
    dialog.SetColor(0x00FF8040);
    dialog.SetFontBold(true);
    QCOMPARE(dialog.Filter(), kWithNul);
    QCOMPARE(dialog.DefExt(), kWithNul);
    QCOMPARE(dialog.FontName(), kWithNul);
    QCOMPARE(dialog.FontSize(), std::int16_t{-12});
    QCOMPARE(dialog.Color(), 0x00FF8040);
    QVERIFY(dialog.FontBold());
  }

  void ShowMethodsWithoutInitRaiseAndShowNothing() {
    ScriptedDialogProvider provider;
    CCommonDialogs dialog(provider);
    QVERIFY(Throws([&] { dialog.ShowOpen(); }));
    QVERIFY(Throws([&] { dialog.ShowFolder(); }));
    QVERIFY(Throws([&] { dialog.ShowSave(); }));
    QVERIFY(Throws([&] { dialog.ShowColor(false); }));
    QVERIFY(Throws([&] { dialog.ShowPrinter(); }));
    QVERIFY(provider.owners.empty());
  }

  void FontAndPrinterPropertiesNeverRaise() {
    ScriptedDialogProvider provider;
    CCommonDialogs dialog(provider);
    provider.ThrowOnNext();
    QVERIFY(!dialog.ShowFont());
    provider.ThrowOnNext();
    QVERIFY(!dialog.ShowPrinterProperties());
    provider.AnswerPrinterProperties(true);
    QVERIFY(dialog.ShowPrinterProperties());
  }

  void ShowOpenOffersOnlyTheExcelFilterWhateverFilterHolds() {
    ScriptedDialogProvider provider;
    CCommonDialogs dialog(provider);
    dialog.Init(&owner_);
    dialog.SetFilter("Text|*.txt");
    dialog.SetTitle("Select Excel File");
    dialog.SetDefExt("xlsx");
    dialog.SetFileName("/start/Here.xls");
    QVERIFY(!dialog.ShowOpen());
    QCOMPARE(provider.open_requests.size(), std::size_t{1});
    const OpenFileRequest& request = provider.open_requests.front();
    QCOMPARE(request.filter_description, std::string("Excel files(*.xls;*.xlsx;*.xlsm;*.xlsb)"));
    QCOMPARE(request.filter_pattern, std::string("*.xl*"));
    QCOMPARE(request.title, std::string("Select Excel File"));
    QCOMPARE(request.default_extension, std::string("xlsx"));
    QCOMPARE(request.initial_file, std::string("/start/Here.xls"));
    QCOMPARE(provider.owners.front(), &owner_);
  }

  void ShowOpenConfirmedSetsFileNameFileTitleAndPath() {
    ScriptedDialogProvider provider;
    CCommonDialogs dialog(provider);
    dialog.Init(&owner_);
    provider.AnswerOpen("/Data/Book1.xlsx");
    QVERIFY(dialog.ShowOpen());
    QCOMPARE(dialog.FileName(), std::string("/Data/Book1.xlsx"));
    QCOMPARE(dialog.FileTitle(), std::string("Book1.xlsx"));
    QCOMPARE(dialog.Path(), std::string("/Data"));
  }

  void ShowOpenCancelledKeepsEarlierResultsAndNextStartsFromThem() {
    ScriptedDialogProvider provider;
    CCommonDialogs dialog(provider);
    dialog.Init(&owner_);
    provider.AnswerOpen("/Data/Book1.xlsx");
    QVERIFY(dialog.ShowOpen());
    QVERIFY(!dialog.ShowOpen());
    QCOMPARE(dialog.FileName(), std::string("/Data/Book1.xlsx"));
    QCOMPARE(dialog.FileTitle(), std::string("Book1.xlsx"));
    QCOMPARE(dialog.Path(), std::string("/Data"));
    QCOMPARE(provider.open_requests.back().initial_file, std::string("/Data/Book1.xlsx"));
  }

  void MultiSelectReturnsEveryFileAndDialogsStartInPath() {
    ScriptedDialogProvider provider;
    CCommonDialogs dialog(provider);
    dialog.Init(&owner_);
    dialog.SetMultiSelect(true);
    dialog.SetPath("/Data");
    provider.AnswerOpenFiles({"/Data/A.xlsx", "/Data/B.xls"});
    QVERIFY(dialog.ShowOpen());
    QCOMPARE(provider.open_several, std::vector<bool>{true});
    QCOMPARE(provider.open_requests.back().initial_folder, std::string("/Data"));
    QCOMPARE(dialog.file_names(), (std::vector<std::string>{"/Data/A.xlsx", "/Data/B.xls"}));
    QCOMPARE(dialog.FileName(), std::string("/Data/A.xlsx"));
    QCOMPARE(dialog.Path(), std::string("/Data"));
    QVERIFY(!dialog.ShowFolder());
    QCOMPARE(provider.folder_starts, std::vector<std::string>{"/Data"});
  }

  void ShowOpenRejectsFileNameLongerThan260() {
    ScriptedDialogProvider provider;
    CCommonDialogs dialog(provider);
    dialog.Init(&owner_);
    dialog.SetFileName(std::string(260, 'a'));
    QVERIFY(!Throws([&] { dialog.ShowOpen(); }));
    dialog.SetFileName(std::string(261, 'a'));
    QVERIFY(Throws([&] { dialog.ShowOpen(); }));
  }

  void ShowFolderConfirmedSetsPathAndEmptiesFileNameAndTitle() {
    ScriptedDialogProvider provider;
    CCommonDialogs dialog(provider);
    dialog.Init(&owner_);
    dialog.SetTitle("Output Folder");
    dialog.SetFileName("/a/b.xls");
    dialog.SetFileTitle("b.xls");
    provider.AnswerFolder("/Out/Reports");
    QVERIFY(dialog.ShowFolder());
    QCOMPARE(provider.folder_titles, std::vector<std::string>{"Output Folder"});
    QCOMPARE(dialog.Path(), std::string("/Out/Reports"));
    QVERIFY(dialog.FileName().empty());
    QVERIFY(dialog.FileTitle().empty());
  }

  void ShowFolderCancelledKeepsEverything() {
    ScriptedDialogProvider provider;
    CCommonDialogs dialog(provider);
    dialog.Init(&owner_);
    dialog.SetPath("/keep");
    dialog.SetFileName("/keep/x.xls");
    QVERIFY(!dialog.ShowFolder());
    QCOMPARE(dialog.Path(), std::string("/keep"));
    QCOMPARE(dialog.FileName(), std::string("/keep/x.xls"));
  }

  void ShowSaveWithEmptyPathStartsInProgramFolderAndKeepsIt() {
    ScriptedDialogProvider provider;
    CCommonDialogs dialog(provider);
    dialog.Init(&owner_);
    dialog.SetPath("   ");
    dialog.SetTitle("ignored");
    QVERIFY(!dialog.ShowSave());
    const std::string program = QCoreApplication::applicationDirPath().toStdString();
    QCOMPARE(provider.save_requests.front().initial_folder, program);
    QCOMPARE(provider.save_requests.front().title, std::string("Save"));
    QCOMPARE(dialog.Path(), program);
  }

  void ShowSaveStartsInExistingPathWithSlashElseProgramFolder() {
    ScriptedDialogProvider provider;
    testing::TempDir dir;
    CCommonDialogs dialog(provider);
    dialog.Init(&owner_);
    dialog.SetPath(dir.path());
    dialog.ShowSave();
    QCOMPARE(provider.save_requests.back().initial_folder, dir.path() + "/");
    dialog.SetPath(dir / "missing");
    dialog.ShowSave();
    QCOMPARE(provider.save_requests.back().initial_folder,
             QCoreApplication::applicationDirPath().toStdString());
  }

  void ShowSaveOffersFilterEntriesOrAllFiles() {
    ScriptedDialogProvider provider;
    CCommonDialogs dialog(provider);
    dialog.Init(&owner_);
    dialog.SetFilter("Text files|*.txt|CSV files|*.csv");
    dialog.ShowSave();
    using Filters = std::vector<std::pair<std::string, std::string>>;
    QCOMPARE(provider.save_requests.back().filters,
             (Filters{{"Text files", "*.txt"}, {"CSV files", "*.csv"}}));
    dialog.SetFilter(" ");
    dialog.ShowSave();
    QCOMPARE(provider.save_requests.back().filters, (Filters{{"*.*", "*.*"}}));
  }

  void ShowSaveConfirmedSetsFileNameFileTitleAndPath() {
    ScriptedDialogProvider provider;
    CCommonDialogs dialog(provider);
    dialog.Init(&owner_);
    provider.AnswerSave("/Out/Sheet.csv");
    QVERIFY(dialog.ShowSave());
    QCOMPARE(dialog.FileName(), std::string("/Out/Sheet.csv"));
    QCOMPARE(dialog.FileTitle(), std::string("Sheet.csv"));
    QCOMPARE(dialog.Path(), std::string("/Out"));
  }

  void ShowColorStartsFromColorAndStoresTheChoice() {
    ScriptedDialogProvider provider;
    CCommonDialogs dialog(provider);
    dialog.Init(&owner_);
    dialog.SetColor(0x0000FF);
    provider.AnswerColor(0x00FF00);
    QVERIFY(dialog.ShowColor(true));
    QCOMPARE(provider.color_requests.front(), (std::pair<std::uint32_t, bool>{0x0000FF, true}));
    QCOMPARE(dialog.Color(), 0x00FF00);
    QVERIFY(!dialog.ShowColor(false));
    QCOMPARE(dialog.Color(), 0x00FF00);
  }

  void ShowFontReadsBackNameBoldItalicAndSizeOnly() {
    ScriptedDialogProvider provider;
    CCommonDialogs dialog(provider);
    dialog.Init(&owner_);
    dialog.SetFontName("Arial");
    dialog.SetFontSize(10);
    dialog.SetFontUnderline(true);
    provider.AnswerFont(FontChoice{"Liberation Serif", 14, true, true, false});
    QVERIFY(dialog.ShowFont());
    QCOMPARE(provider.font_requests.front(), (FontChoice{"Arial", 10, false, false, true}));
    QCOMPARE(dialog.FontName(), std::string("Liberation Serif"));
    QCOMPARE(dialog.FontSize(), std::int16_t{14});
    QVERIFY(dialog.FontBold() && dialog.FontItalic());
    QVERIFY(dialog.FontUnderline());
  }

  void ShowPrinterReportsWhetherConfirmed() {
    ScriptedDialogProvider provider;
    CCommonDialogs dialog(provider);
    dialog.Init(&owner_);
    provider.AnswerPrinter(true);
    QVERIFY(dialog.ShowPrinter());
    QVERIFY(!dialog.ShowPrinter());
    QCOMPARE(provider.printer_requests, 2);
  }

 private:
  QWidget owner_;
};

}  // namespace quorvex::dialogs

QTEST_MAIN(quorvex::dialogs::CCommonDialogsTest)
#include "CCommonDialogsTest.moc"
