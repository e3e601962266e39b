#pragma once
// The main window: menus, toolbars and status bar around the main form; the
// one document and the commands that act on it; the recent-file list; help.
// Every command arrives here by its id and is handled here or passed on to
// the main form.

#include <QHash>
#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <optional>
#include <span>

#include "ui/document/log_document.h"
#include "ui/kit/help_system.h"
#include "ui/shell/command_table.h"
#include "ui/shell/printing.h"
#include "ui/shell/recent_file_list.h"

class QAction;
class QMenu;
class QLabel;
class QProgressBar;
class QStackedWidget;
class QTimer;
class QToolBar;
class QUrl;

namespace vimbo {

class MainView;
class PrintPreview;
class Prompter;

class MainFrame : public QMainWindow {
  Q_OBJECT
 public:
  struct Options {
    QString helpFolder;  // the program's own help when empty
    bool showSplash = true;
  };

  MainFrame(Prompter& prompter, const Options& options);
  ~MainFrame() override;

  // Opens each named document in turn, as at start-up.
  void OpenStartupFiles(const QStringList& paths);
  // At start: Today, when anything is due and the user has not turned it off.
  void ShowTodayIfDue();
  // Restores the stored placement; false when there was none to apply.
  bool RestorePlacement();

  // Runs a command as the menu, toolbar or accelerator would: only while
  // it is enabled, but for Save, whose key on an unnamed, unmodified
  // document asks for a name.
  void OnCommand(CommandId id);
  // Sets every command's enabled state and the Undo and Redo texts; runs
  // whenever the document, the form or the preview says something changed.
  void UpdateCommandStates();

  LogDocument& Doc() { return document_; }
  MainView* View() const { return view_; }
  RecentFileList& RecentFiles() { return recent_; }
  HelpSystem& Help() { return help_; }
  QAction* Action(CommandId id) const { return actions_.value(id); }
  QToolBar* MainToolbar() const { return mainToolbar_; }
  QToolBar* PreviewToolbar() const { return previewToolbar_; }
  QMenu* PersonMenu() const { return personMenu_; }
  QMenu* ContactMenu() const { return contactMenu_; }

  // Fixes the day that counts as today, for tests.
  void SetToday(int64_t day) { today_ = day; }
  int64_t Today() const;

  // Where Check For Update opens the page; tests put a fake in its place.
  void SetUrlOpener(std::function<bool(const QUrl&)> opener) { openUrl_ = std::move(opener); }

  // The menu that a context-menu request at `globalPos` over the form
  // shows, or none.
  QMenu* ContextMenuAt(const QPoint& globalPos) const;

  // The print state, kept for the run only.
  QPrinter& Printer() { return printing_.Printer(); }
  const Margins& PageMargins() const { return printing_.PageMargins(); }
  const QString& ReportFace() const { return printing_.ReportFace(); }
  int ReportPoints() const { return printing_.ReportPoints(); }
  bool PreviewShown() const { return previewShown_; }
  PrintPreview* Preview() const { return preview_; }
  int PreviewPage() const { return printing_.PreviewPage(); }
  Report* CurrentReport() const { return printing_.CurrentReport(); }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  friend std::span<const CommandInfo> Commands();

  void CreateActions();
  void CreateMenus();
  void CreateToolbars();
  void AddToolbarButton(QToolBar* toolbar, CommandId id);
  void CreateStatusBar();
  void FitToForm();
  void MakeRoomForFindBar(int extra);

  bool IsEnabled(CommandId id) const;
  // A help-mode click outside the form: a toolbar button shows the page of
  // its command.
  bool ShowCommandHelpAt(const QPoint& globalPos);
  void SetTitle();
  void SavePlacement();
  // Asks about unsaved changes outside any close event, then closes.
  void AskAndClose();
  void WriteRecentFiles();
  void ShowError(const QString& text);

  void FileNew();
  void FileOpen();
  void FileSave();
  void FileSaveAs();
  void FileMerge();
  void ShowToday();
  void ShowLastContacts();
  // "Last contact: 37 days ago" for the current person, in the status bar.
  void ShowLastContact();
  // After a merge: the conflicts in a list, or a word that there were none.
  void ShowMerged(const std::vector<MergeConflict>& conflicts);
  void FileRecent(CommandId id);
  void FileExit();
  void AfterNamedSave();
  // Loads `path` as Open does; false, having said so, when it could not.
  bool LoadAndRemember(const QString& path);
  void ToggleToolbar();
  void ToggleStatusBar();
  void ShowAbout();
  void CheckForUpdate();
  void ShowFormHelp(int controlId, const QPoint& globalPos);

  // Undo and Redo, whose menu texts name the step.
  void UpdateUndoTexts();

  // The editors, transfers and report dialogs, in main_frame_dialogs.cpp.
  void EditUser();
  void EditContactTypes();
  void ImportTextFile();
  void ImportVCard();
  void ExportVCard();
  void Export(CommandId id);
  void ChooseReport(CommandId id);

  // Printing and the preview, in main_frame_print.cpp.
  bool PrintEnabled() const;
  void RenderPreviewPage();
  void TogglePreview();
  void EnterPreview();
  void LeavePreview();
  void ShowPreviewPage(int page);
  void Zoom(bool in);
  void PageSetup();
  void Print();
  // The pages after the first are laid out from the event loop, a slice at
  // a time, with a progress bar in the status bar while that lasts.
  void StartPagination();
  void PaginateSlice();
  void StopPagination();

  Prompter& prompter_;
  LogDocument document_;
  RecentFileList recent_;
  HelpSystem help_;
  MainView* view_ = nullptr;
  QHash<CommandId, QAction*> actions_;
  QMenu* personMenu_ = nullptr;
  QMenu* contactMenu_ = nullptr;
  QToolBar* mainToolbar_ = nullptr;
  QToolBar* previewToolbar_ = nullptr;
  bool toolbarVisible_ = true;
  bool closeAsked_ = false;
  bool closeConfirmed_ = false;

  QStackedWidget* client_ = nullptr;
  PrintPreview* preview_ = nullptr;
  Printing printing_;
  bool previewShown_ = false;
  // The window's least height with the form alone, and what it grew by to
  // make room for the find bar.
  int formMinimumHeight_ = 0;
  int findBarGrowth_ = 0;
  QTimer* paginationTimer_ = nullptr;
  QProgressBar* paginationBar_ = nullptr;
  QLabel* lastContact_ = nullptr;
  // The day Today and the status bar count from; the clock's unless a test
  // fixes one.
  std::optional<int64_t> today_;
  std::function<bool(const QUrl&)> openUrl_;
};

}  // namespace vimbo
