#include "ui/shell/main_frame.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <algorithm>

#include "ui/form/command_state.h"
#include "ui/form/main_view.h"
#include "ui/kit/artwork.h"
#include "ui/kit/command_ids.h"
#include "ui/kit/control_ids.h"
#include "ui/kit/program_texts.h"
#include "ui/kit/prompter.h"
#include "ui/shell/about_dialog.h"
#include "ui/shell/command_table.h"
#include "ui/shell/print_preview.h"
#include "ui/shell/settings_store.h"
#include "ui/shell/splash_window.h"

namespace vimbo {

using namespace command;

namespace {

constexpr const char* kCaption = "Vimbo";

}  // namespace

MainFrame::MainFrame(Prompter& prompter, Options options)
    : prompter_(prompter),
      document_(prompter),
      help_(options.helpFolder.isEmpty() ? ProgramHelpFolder() : options.helpFolder),
      printing_(prompter),
      openUrl_([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
  setWindowIcon(ProgramIcon());
  CreateActions();
  CreateMenus();
  if (options.showSplash) {
    SplashWindow splash;
    prompter_.RunDialog(splash);
  }
  CreateToolbars();
  CreateStatusBar();

  {
    auto settings = OpenSettings();
    recent_.ReadFromRegistry(*settings);
  }

  // The client is the form, or the print preview in its place.
  client_ = new QStackedWidget(this);
  view_ = new MainView(client_);
  view_->SetServices(prompter_, help_);
  preview_ = new PrintPreview(client_);
  client_->addWidget(view_);
  client_->addWidget(preview_);
  setCentralWidget(client_);
  connect(view_, &MainView::HelpRequested, this, &MainFrame::ShowFormHelp);
  connect(view_, &MainView::FindBarToggled, this, &MainFrame::MakeRoomForFindBar);
  connect(view_, &MainView::CommandKeyPressed, this, &MainFrame::OnCommand);

  actions_.value(kToolbar)->setChecked(true);
  actions_.value(kStatusBar)->setChecked(true);

  // The enabled state of every command follows the document and the form;
  // it is worked out whenever the program has nothing else to do.
  idleConnection_ = connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
                            &MainFrame::UpdateCommandStates);

  FitToForm();

  document_.New();
  view_->SetDocument(document_);
  document_.UpdateAllViews();
  SetTitle();
  UpdateCommandStates();
}

MainFrame::~MainFrame() {
  disconnect(idleConnection_);
  document_.DetachAll();
}

// ---- building the window --------------------------------------------------------

void MainFrame::CreateActions() {
  for (const CommandInfo& info : Commands()) {
    if (info.id == kRecentFirst) continue;  // the recent-file list makes its own items
    auto* action = new QAction(QString::fromLatin1(info.menuText), this);
    action->setData(static_cast<int>(info.id));
    action->setStatusTip(QString::fromLatin1(info.statusText));
    action->setToolTip(QString::fromLatin1(info.tooltip));
    action->setIcon(CommandIcon(info.id));
    action->setIconVisibleInMenu(false);
    const CommandId id = info.id;
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    actions_.insert(id, action);
    // Accelerators reach their command even while its menu item is
    // disabled: Ctrl+S on an unnamed, unmodified document asks for a name.
    for (const QString& keys : QString::fromLatin1(info.shortcut).split(u';', Qt::SkipEmptyParts)) {
      auto* shortcut = new QShortcut(QKeySequence(keys), this);
      connect(shortcut, &QShortcut::activated, this, [this, id] { OnCommand(id); });
    }
  }
  actions_.value(kToolbar)->setCheckable(true);
  actions_.value(kStatusBar)->setCheckable(true);
}

void MainFrame::CreateMenus() {
  QMenuBar* bar = menuBar();
  const auto add = [this](QMenu* menu, CommandId id) { menu->addAction(actions_.value(id)); };

  QMenu* file = bar->addMenu(QStringLiteral("&File"));
  add(file, kNew);
  add(file, kOpen);
  add(file, kSave);
  add(file, kSaveAs);
  file->addSeparator();
  QMenu* import = file->addMenu(QStringLiteral("&Import"));
  add(import, kImportPersons);
  add(import, kImportVCard);
  QMenu* exportMenu = file->addMenu(QStringLiteral("&Export"));
  add(exportMenu, kExportPersons);
  add(exportMenu, kExportContacts);
  add(exportMenu, kExportVCard);
  file->addSeparator();
  add(file, kPageSetup);
  add(file, kPrintSetup);
  file->addSeparator();
  QMenu* recentMenu = file->addMenu(QStringLiteral("Recent &Files"));
  const CommandInfo* placeholderInfo = FindCommand(kRecentFirst);
  auto* placeholder = recentMenu->addAction(QString::fromLatin1(placeholderInfo->menuText));
  placeholder->setStatusTip(QString::fromLatin1(placeholderInfo->statusText));
  recent_.AttachMenu(recentMenu, placeholder, [this](CommandId id) { OnCommand(id); });
  file->addSeparator();
  add(file, kExit);

  QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
  add(edit, kUndo);
  add(edit, kRedo);
  edit->addSeparator();
  add(edit, kEditUser);
  add(edit, kEditContactTypes);

  contactMenu_ = bar->addMenu(QStringLiteral("&Contact"));
  for (CommandId id : {kContactAdd, kContactEdit, kContactDelete, kContactUpdate, kContactCancel})
    add(contactMenu_, id);

  personMenu_ = bar->addMenu(QStringLiteral("&Person"));
  for (CommandId id : {kPersonAdd, kPersonEdit, kPersonDelete, kPersonUpdate, kPersonCancel}) add(personMenu_, id);
  personMenu_->addSeparator();
  add(personMenu_, kPersonFind);

  QMenu* reports = bar->addMenu(QStringLiteral("&Reports"));
  add(reports, kReportAddressBook);
  add(reports, kReportContacts);
  add(reports, kReportEnvelopes);
  reports->addSeparator();
  add(reports, kReportFont);

  QMenu* view = bar->addMenu(QStringLiteral("&View"));
  add(view, kToolbar);
  add(view, kStatusBar);

  QMenu* helpMenu = bar->addMenu(QStringLiteral("&Help"));
  add(helpMenu, kHelpTopics);
  add(helpMenu, kAbout);
  helpMenu->addSeparator();
  add(helpMenu, kCheckForUpdate);
}

void MainFrame::CreateToolbars() {
  constexpr auto kSeparator = static_cast<CommandId>(0);
  const auto fill = [this](QToolBar* toolbar, std::initializer_list<CommandId> ids) {
    for (CommandId id : ids) {
      if (id == kSeparator)
        toolbar->addSeparator();
      else
        AddToolbarButton(toolbar, id);
    }
    // The one button without a command shows those a narrow window has no
    // room for: "More Toolbar Buttons", "More Print Preview Buttons".
    for (QToolButton* button : toolbar->findChildren<QToolButton*>())
      if (button->accessibleName().isEmpty())
        button->setAccessibleName(QStringLiteral("More %1 Buttons").arg(toolbar->windowTitle()));
  };

  previewToolbar_ = new QToolBar(QStringLiteral("Print Preview"), this);
  previewToolbar_->setObjectName(QStringLiteral("PreviewToolbar"));
  previewToolbar_->setMovable(false);
  fill(previewToolbar_, {kPreviousPage, kNextPage, kSeparator, kPrint, kPageSetup, kSeparator, kZoomIn, kZoomOut,
                         kSeparator, kClosePreview});
  previewToolbar_->setToolButtonStyle(Qt::ToolButtonIconOnly);

  mainToolbar_ = new QToolBar(QStringLiteral("Toolbar"), this);
  mainToolbar_->setObjectName(QStringLiteral("MainToolbar"));
  mainToolbar_->setMovable(false);
  mainToolbar_->setIconSize(QSize(16, 16));
  // The context-menu request over a toolbar would otherwise offer to hide it
  // behind the View menu's back.
  mainToolbar_->toggleViewAction()->setVisible(false);
  fill(mainToolbar_, {kNew, kSeparator, kOpen, kSave, kSeparator, kPersonAdd, kPersonDelete, kPersonEdit, kPersonUpdate,
                      kPersonCancel, kSeparator, kContactAdd, kContactDelete, kContactEdit, kContactUpdate,
                      kContactCancel, kSeparator, kHelpMode});

  addToolBar(Qt::TopToolBarArea, mainToolbar_);
  addToolBarBreak(Qt::TopToolBarArea);
  addToolBar(Qt::TopToolBarArea, previewToolbar_);
  previewToolbar_->hide();
}

// Every toolbar button has a name of its own for assistive technology,
// though the Person and Contact commands share their menu texts.
void MainFrame::AddToolbarButton(QToolBar* toolbar, CommandId id) {
  toolbar->addAction(actions_.value(id));
  toolbar->widgetForAction(actions_.value(id))->setAccessibleName(SpokenName(*FindCommand(id)));
}

void MainFrame::CreateStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setSizeGripEnabled(true);
  bar->showMessage(QStringLiteral("Ready"));
  // When a menu item's status text goes away, the bar says "Ready" again.
  connect(bar, &QStatusBar::messageChanged, this, [bar](const QString& message) {
    if (message.isEmpty()) bar->showMessage(QStringLiteral("Ready"));
  });
}

void MainFrame::FitToForm() {
  ensurePolished();
  view_->adjustSize();
  const QSize form = view_->sizeHint();
  const int height = form.height() + menuBar()->sizeHint().height() + mainToolbar_->sizeHint().height() +
                     statusBar()->sizeHint().height();
  resize(form.width(), height);
  setMinimumSize(form.width(), height);
  formMinimumHeight_ = height;
}

// The find bar takes its height from the window rather than from the form:
// the window grows by it while it is open, and gives back what it grew.
void MainFrame::MakeRoomForFindBar(int extra) {
  // Measured before the new least height, which may resize the window itself.
  if (extra > 0 && findBarGrowth_ == 0) findBarGrowth_ = std::max(0, formMinimumHeight_ + extra - height());
  setMinimumHeight(formMinimumHeight_ + extra);
  if (extra > 0) {
    resize(width(), std::max(height(), formMinimumHeight_ + extra));
  } else if (findBarGrowth_ > 0) {
    resize(width(), std::max(formMinimumHeight_, height() - findBarGrowth_));
    findBarGrowth_ = 0;
  }
}

// ---- commands --------------------------------------------------------------------

void MainFrame::OnCommand(CommandId id) {
  if (id >= kRecentFirst && id <= kRecentLast) {
    FileRecent(id);
    return;
  }
  switch (id) {
    case kNew: FileNew(); break;
    case kOpen: FileOpen(); break;
    case kSave: FileSave(); break;
    case kSaveAs: FileSaveAs(); break;
    case kExit: FileExit(); break;
    case kToolbar: ToggleToolbar(); break;
    case kStatusBar: ToggleStatusBar(); break;
    case kHelpTopics: help_.ShowContents(this); break;
    case kAbout: ShowAbout(); break;
    case kCheckForUpdate: CheckForUpdate(); break;
    case kHelpMode: view_->EnterHelpMode(); break;
    case kPrintPreview:
    case kClosePreview:
      if (IsEnabled(id)) TogglePreview();
      break;
    case kNextPage:
      if (IsEnabled(id)) ShowPreviewPage(printing_.PreviewPage() + 1);
      break;
    case kPreviousPage:
      if (IsEnabled(id)) ShowPreviewPage(printing_.PreviewPage() - 1);
      break;
    case kZoomIn:
    case kZoomOut:
      if (IsEnabled(id)) Zoom(id == kZoomIn);
      break;
    case kPageSetup: PageSetup(); break;
    case kPrintSetup: printing_.PrintSetup(this); break;
    case kPrint:
      if (IsEnabled(id)) Print();
      break;
    case kReportFont: printing_.ChooseFont(this); break;
    case kUndo:
    case kRedo:
      if (IsEnabled(id)) StepHistory(id);
      break;
    default:
      // The form's commands run only while enabled: an accelerator or a
      // stale menu must not start an edit the form is not ready for.
      if (IsEnabled(id) && !RunDialogCommand(id)) view_->OnCommand(id);
      break;
  }
}

bool MainFrame::IsEnabled(CommandId id) const {
  CommandContext context;
  context.form = view_->State();
  context.modified = document_.IsModified();
  context.printable = PrintEnabled();
  context.previewShown = previewShown_;
  context.previewPage = printing_.PreviewPage();
  context.previewPages = printing_.PageCount();
  context.canZoomIn = printing_.CanZoomIn();
  context.canZoomOut = printing_.CanZoomOut();
  context.canUndo = document_.History().CanUndo();
  context.canRedo = document_.History().CanRedo();
  return CommandEnabled(id, context);
}

void MainFrame::StepHistory(CommandId id) {
  if (id == kUndo)
    document_.Undo();
  else
    document_.Redo();
  SetTitle();
}

// "&Undo Delete Person", or plain "&Undo" with nothing to undo.
void MainFrame::UpdateUndoTexts() {
  const auto text = [](const char* verb, const std::string& step, const char* keys) {
    QString menu = QString::fromLatin1(verb);
    if (!step.empty()) menu += u' ' + QString::fromStdString(step);
    return menu + u'\t' + QString::fromLatin1(keys);
  };
  const EditHistory& history = document_.History();
  const QString undo = text("&Undo", history.UndoName(), "Ctrl+Z");
  const QString redo = text("&Redo", history.RedoName(), "Ctrl+Shift+Z");
  if (actions_.value(kUndo)->text() != undo) actions_.value(kUndo)->setText(undo);
  if (actions_.value(kRedo)->text() != redo) actions_.value(kRedo)->setText(redo);
}

void MainFrame::UpdateCommandStates() {
  UpdateUndoTexts();
  for (auto it = actions_.cbegin(); it != actions_.cend(); ++it) {
    const bool enabled = IsEnabled(it.key());
    if (it.value()->isEnabled() != enabled) it.value()->setEnabled(enabled);
  }
}

void MainFrame::SetTitle() {
  setWindowTitle(QStringLiteral("%1 [%2]").arg(QLatin1String(texts::kProgramName), document_.DocumentTitle()));
}

void MainFrame::SavePlacement() {
  auto settings = OpenSettings();
  WindowPlacementStore().CaptureAndWrite(*settings, *this);
}

bool MainFrame::RestorePlacement() {
  auto settings = OpenSettings();
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->virtualGeometry() : QRect(0, 0, 1024, 768);
  return WindowPlacementStore().ReadAndApply(*settings, *this, area);
}

void MainFrame::WriteRecentFiles() {
  auto settings = OpenSettings();
  recent_.WriteToRegistry(*settings);
}

void MainFrame::ShowError(const QString& text) {
  prompter_.Message(this, text, QLatin1String(kCaption), Prompter::Icon::Error, Prompter::Buttons::Ok);
}

void MainFrame::OpenStartupFiles(const QStringList& arguments) {
  for (const QString& argument : arguments) {
    // Shown and remembered as the file dialog gives it, so the recent entry
    // still works when the program is later started from another folder.
    const QString path = QDir::cleanPath(QFileInfo(argument).absoluteFilePath());
    if (document_.LoadFromFile(path)) {
      document_.SetPathName(path);
      document_.UpdateAllViews();
      recent_.Add(document_.DocumentTitle());
      WriteRecentFiles();
    } else {
      ShowError(QStringLiteral("Error loading file."));
    }
    SetTitle();
  }
}

void MainFrame::FileNew() {
  if (!view_->QuerySave(this, QLatin1String(kCaption))) return;
  if (document_.New()) {
    SetTitle();
  } else {
    ShowError(QStringLiteral("Error creating new file."));
  }
}

void MainFrame::FileOpen() {
  if (!view_->QuerySave(this, QLatin1String(kCaption))) return;
  const FileResult opened = document_.Open(this);
  if (opened != FileResult::kDone) {
    if (opened == FileResult::kFailed) {
      ShowError(QStringLiteral("Error loading file."));
      // A rejected file left a new, unnamed document behind.
      SetTitle();
    }
    return;
  }
  document_.UpdateAllViews();
  recent_.Add(document_.DocumentTitle());
  WriteRecentFiles();
  SetTitle();
}

void MainFrame::FileRecent(CommandId id) {
  const QString path = recent_.PathOf(id);
  if (path.isEmpty()) return;
  if (!view_->QuerySave(this, QLatin1String(kCaption))) return;
  if (document_.LoadFromFile(path)) {
    document_.UpdateAllViews();
    recent_.MoveToTop(id);
    document_.SetPathName(path);
  } else {
    ShowError(QStringLiteral("Error loading file."));
    recent_.Remove(id);
  }
  SetTitle();
  WriteRecentFiles();
}

void MainFrame::FileSave() {
  const QString name = document_.FileName();
  const bool unnamed = name.isEmpty() || name == QLatin1String("Untitled");
  const FileResult saved = document_.Save(this);
  if (saved == FileResult::kFailed) {
    prompter_.Message(this, QStringLiteral("Error saving %1.").arg(document_.DocumentTitle()), QLatin1String(kCaption),
                      Prompter::Icon::Error, Prompter::Buttons::RetryCancel);
    return;
  }
  if (saved == FileResult::kDone && unnamed) AfterNamedSave();
}

void MainFrame::FileSaveAs() {
  const FileResult saved = document_.SaveAs(this);
  if (saved == FileResult::kDone) {
    AfterNamedSave();
  } else if (saved == FileResult::kFailed) {
    prompter_.Message(this, QStringLiteral("Error saving %1.").arg(document_.DocumentTitle()), QLatin1String(kCaption),
                      Prompter::Icon::Error, Prompter::Buttons::RetryCancel);
  }
}

void MainFrame::AfterNamedSave() {
  recent_.Add(document_.DocumentTitle());
  WriteRecentFiles();
  SetTitle();
}

void MainFrame::FileExit() {
  SavePlacement();
  // The close request is posted, so the command returns before the window goes.
  QTimer::singleShot(0, this, &QWidget::close);
}

// The save question is never asked inside a close event: while it waits for
// an answer, Qt counts the window as closing, and a second close request
// (another click on the close box, the session ending) would then end the
// program without one. The event is refused and the question runs from the
// event loop; only its Yes (with a successful save) or No closes the window.
void MainFrame::closeEvent(QCloseEvent* event) {
  if (closeConfirmed_) {
    event->accept();
    return;
  }
  event->ignore();
  if (closeAsked_) return;
  closeAsked_ = true;
  QTimer::singleShot(0, this, &MainFrame::AskAndClose);
}

void MainFrame::AskAndClose() {
  SavePlacement();
  const bool mayClose = view_->QuerySave(this, QLatin1String(kCaption));
  closeAsked_ = false;
  if (!mayClose) return;
  closeConfirmed_ = true;
  close();
  closeConfirmed_ = false;
}

void MainFrame::ToggleToolbar() {
  toolbarVisible_ = !toolbarVisible_;
  mainToolbar_->setVisible(toolbarVisible_);
  actions_.value(kToolbar)->setChecked(toolbarVisible_);
}

void MainFrame::ToggleStatusBar() {
  const bool show = statusBar()->isHidden();
  statusBar()->setVisible(show);
  actions_.value(kStatusBar)->setChecked(show);
}

void MainFrame::ShowAbout() {
  AboutDialog about(this);
  prompter_.RunDialog(about);
}

void MainFrame::CheckForUpdate() {
  if (!openUrl_(QUrl(QLatin1String(texts::kUpdatePage))))
    prompter_.Message(this, QStringLiteral("Error opening web browser"), QStringLiteral("Web Browser Error"),
                      Prompter::Icon::Error, Prompter::Buttons::Ok);
}

void MainFrame::ShowFormHelp(int controlId, const QPoint& globalPos) {
  help_.ShowContextHelp(help::MainForm(), controlId, globalPos, view_);
}

// ---- context menus ---------------------------------------------------------------

QMenu* MainFrame::ContextMenuAt(const QPoint& globalPos) const {
  switch (view_->GroupBoxAt(globalPos)) {
    case main_form::kPersonGroup: return personMenu_;
    case main_form::kContactGroup:
    case main_form::kContactsGroup: return contactMenu_;
    default: return nullptr;
  }
}

void MainFrame::contextMenuEvent(QContextMenuEvent* event) {
  QPoint point = event->globalPos();
  if (event->reason() == QContextMenuEvent::Keyboard) {
    // From the keyboard there is no pointer position: the menu opens at the
    // centre of the control that has the focus.
    QWidget* focus = QApplication::focusWidget();
    if (focus) point = focus->mapToGlobal(focus->rect().center());
  }
  const QWidget* under = childAt(mapFromGlobal(point));
  if (under != view_ && !view_->isAncestorOf(under)) {
    QMainWindow::contextMenuEvent(event);
    return;
  }
  if (QMenu* menu = ContextMenuAt(point)) {
    UpdateCommandStates();
    menu->popup(point);
  }
  event->accept();
}

}  // namespace vimbo
