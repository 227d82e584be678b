// The commands of the input list: add, remove, move, remove all, and a click on an entry.
#include "catalogue/InputListCommands.h"

#include "catalogue/ListWorkbooks.h"
#include "catalogue/ListWorksheets.h"
#include "engine/PathHelpers.h"
#include "platform/Utf8Path.h"

namespace quorvex::catalogue {

namespace {

// Runs `command`, swallowing any error, and always puts the pointer back to default.
template <typename Command>
void Trapped(engine::Controls& controls, Command command) {
  try {
    command();
  } catch (...) {
    // The commands end silently on an error; rows changed so far stay changed.
  }
  controls.SetBusy(false);
}

void AppendAndSelect(InputListRows& rows, const std::string& text, InputIcon icon) {
  const int row = rows.InputRowCount() + 1;
  rows.InsertInputRow(row, text, icon);
  rows.SelectInputRow(row);
}

void ListSelectedWorksheets(engine::EngineContext& context) {
  context.controls.SetBusy(true);
  ListWorksheets(context);
}

}  // namespace

InputIcon InputIconFor(const std::string& path) {
  switch (engine::PathKind(path)) {
    case engine::kFileAtPath:
      return InputIcon::kFile;
    case engine::kFolderAtPath:
      return InputIcon::kFolder;
    default:
      return InputIcon::kMissing;
  }
}

void AddInputFiles(engine::EngineContext& context, InputListRows& rows,
                   const std::vector<std::string>& paths) {
  Trapped(context.controls, [&] {
    if (paths.empty()) {
      return;
    }
    // Only the last file is listed: it is the one left selected.
    for (const std::string& path : paths) {
      AppendAndSelect(rows, path, InputIcon::kFile);
    }
    rows.RepaintInputRows();
    ListWorkbooks(context.state, context.controls, paths.back());
    ListSelectedWorksheets(context);
  });
}

void AddInputFolder(engine::EngineContext& context, InputListRows& rows, const std::string& path) {
  Trapped(context.controls, [&] {
    if (path.empty()) {
      return;
    }
    AppendAndSelect(rows, path, InputIcon::kFolder);
    ListWorkbooks(context.state, context.controls, path);
    rows.RepaintInputRows();
    ListSelectedWorksheets(context);
  });
}

bool AddDroppedPath(engine::EngineContext& context, InputListRows& rows, const std::string& path) {
  switch (engine::PathKind(path)) {
    case engine::kFileAtPath:
      if (!IsWorkbookFileName(platform::FileNameOf(path))) {
        return false;
      }
      AddInputFiles(context, rows, {path});
      return true;
    case engine::kFolderAtPath:
      AddInputFolder(context, rows, path);
      return true;
    default:
      return false;
  }
}

void RemoveSelectedInput(engine::EngineContext& context, InputListRows& rows) {
  Trapped(context.controls, [&] {
    const int count = rows.InputRowCount();
    if (count < 1) {
      return;
    }
    const int removed = rows.SelectedInputRow();
    rows.RemoveInputRow(removed);
    if (count - 1 <= 0) {
      context.state.Table().Clear();
      context.controls.ClearWorkbookRows();
      context.controls.ClearWorksheetRows();
      return;
    }
    rows.SelectInputRow(removed >= 2 ? removed - 1 : 1);
    ListWorkbooks(context.state, context.controls, rows.InputRowText(rows.SelectedInputRow()));
    ListSelectedWorksheets(context);
  });
}

void MoveSelectedInputUp(InputListRows& rows) {
  if (rows.InputRowCount() < 1) {
    return;
  }
  const int row = rows.SelectedInputRow();
  if (row <= 1) {
    return;
  }
  const std::string text = rows.InputRowText(row);
  const InputIcon icon = rows.InputRowIcon(row);
  rows.RemoveInputRow(row);
  rows.InsertInputRow(row - 1, text, icon);
  rows.SelectInputRow(row - 1);
}

void MoveSelectedInputDown(InputListRows& rows) {
  const int count = rows.InputRowCount();
  if (count < 1) {
    return;
  }
  const int row = rows.SelectedInputRow();
  if (row >= count) {
    return;
  }
  const std::string text = rows.InputRowText(row);
  const InputIcon icon = rows.InputRowIcon(row);
  rows.RemoveInputRow(row);
  rows.InsertInputRow(row + 1, text, icon);
  rows.SelectInputRow(row + 1);
}

void RemoveAllInputs(engine::EngineContext& context, InputListRows& rows) {
  context.state.Table().Clear();
  rows.ClearInputRows();
  context.controls.ClearWorkbookRows();
  context.controls.ClearWorksheetRows();
}

void InputListItemClick(engine::EngineContext& context, InputListRows& rows) {
  if (rows.InputRowCount() < 1) {
    return;
  }
  const std::string entry = rows.InputRowText(rows.SelectedInputRow());
  context.controls.ClearWorkbookRows();
  context.controls.ClearWorksheetRows();
  context.controls.SetBusy(true);
  ListWorkbooks(context.state, context.controls, entry);
  ListWorksheets(context);
  context.controls.SetBusy(false);
  context.state.Table().Clear();
}

}  // namespace quorvex::catalogue
