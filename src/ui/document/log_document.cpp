#include "ui/document/log_document.h"

#include <QApplication>
#include <QFileInfo>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "core/document/document_loader.h"
#include "core/document/document_writer.h"
#include "core/document/file_io.h"
#include "core/editing/document_merge.h"
#include "gfx/display_text.h"
#include "ui/document/merge_bases.h"
#include "ui/kit/prompter.h"

namespace vimbo {

namespace {

constexpr const char* kLoadError = "Error loading file.";
constexpr int kSettleMilliseconds = 300;

}  // namespace

LogDocument::LogDocument(Prompter& prompter, QObject* parent) : QObject(parent), prompter_(prompter) {
  settle_.setSingleShot(true);
  settle_.setInterval(kSettleMilliseconds);
  connect(&settle_, &QTimer::timeout, this, &LogDocument::CheckOutsideChange);
  connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] { settle_.start(); });
  connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { settle_.start(); });
}

QString LogDocument::Title() const { return fileName_.isEmpty() ? QStringLiteral("Untitled") : fileName_; }

// A document once named "Untitled" by hand is as unnamed as a new one.
bool LogDocument::IsNamed() const { return !fileName_.isEmpty() && fileName_ != QLatin1String("Untitled"); }

QString LogDocument::FileFilter() { return QStringLiteral("%1;;All Files (*.*)").arg(QLatin1String(kDocumentFilter)); }

QString LogDocument::DefaultExtension() { return QLatin1String(kDocumentExtension); }

void LogDocument::Announce(const DocumentChanges& changes, bool wasModified) {
  emit changed(changes);
  if (IsModified() != wasModified) emit modifiedChanged(IsModified());
}

bool LogDocument::Undo() {
  const bool wasModified = IsModified();
  const std::optional<DocumentChanges> changes = editor_.Undo();
  if (changes) Announce(*changes, wasModified);
  return changes.has_value();
}

bool LogDocument::Redo() {
  const bool wasModified = IsModified();
  const std::optional<DocumentChanges> changes = editor_.Redo();
  if (changes) Announce(*changes, wasModified);
  return changes.has_value();
}

void LogDocument::AnnounceReplaced(bool wasModified, bool upgraded) {
  // The file on disk still has the old version: no undo makes the document
  // match it again.
  if (upgraded) editor_.History().ForgetSaved();
  emit replaced();
  if (IsModified() != wasModified) emit modifiedChanged(IsModified());
}

void LogDocument::New() {
  const bool wasModified = IsModified();
  lock_.reset();
  known_ = DiskState();
  declined_.reset();
  SetReadOnly(false);
  DocumentData& data = editor_.ContentToReplace();
  data.Clear();
  data.AddDefaultContactTypes();
  SetFileName(QString());
  AnnounceReplaced(wasModified, false);
}

void LogDocument::Replace(DocumentData data) {
  const bool wasModified = IsModified();
  editor_.ContentToReplace() = std::move(data);
  AnnounceReplaced(wasModified, false);
}

LogDocument::DiskState LogDocument::StateOf(const QString& path) {
  const QFileInfo file(path);
  DiskState state;
  state.exists = file.isFile();
  if (state.exists) {
    state.size = file.size();
    state.modified = file.lastModified();
  }
  return state;
}

// Size and time tell most changes at once; a file that was only touched
// still has the bytes read, which its hash tells. A file that is gone is
// written back by the save.
bool LogDocument::ChangedOnDisk() const {
  if (!known_.exists || fileName_.isEmpty()) return false;
  const DiskState now = StateOf(fileName_);
  if (!now.exists) return false;
  if (now.size == known_.size && now.modified == known_.modified) return false;
  if (!known_.hash || now.size != known_.size) return true;
  const std::optional<std::string> bytes = ReadFileText(LocalPath(fileName_));
  return !bytes || std::hash<std::string_view>()(*bytes) != *known_.hash;
}

void LogDocument::SetReadOnly(bool readOnly) {
  if (readOnly_ == readOnly) return;
  readOnly_ = readOnly;
  emit readOnlyChanged(readOnly_);
}

Outcome LogDocument::Load(const QString& path) {
  // The lock is asked for first, and the document open now keeps its own
  // until the new one is in.
  std::optional<LockChoice> lock = AskForLock(path);
  if (!lock) return Outcome::Cancelled();
  // Not const: the loader takes the text over rather than a copy of it.
  std::optional<std::string> text = ReadFileText(LocalPath(path));
  if (!text) return Outcome::Failed(kLoadError);
  DiskState read = StateOf(path);
  read.hash = std::hash<std::string_view>()(*text);
  const bool wasModified = IsModified();
  DocumentData& data = editor_.ContentToReplace();
  data.Clear();
  const LoadResult result = LoadDocumentText(data, std::move(*text));
  if (!result.Ok()) {
    if (result.status == LoadResult::Status::kParseError) TellParseError(static_cast<int>(result.errorLine));
    New();
    return Outcome::Failed(kLoadError);
  }
  Adopt(path, std::move(*lock), read);
  AnnounceReplaced(wasModified, result.upgraded);
  return Outcome::Done();
}

bool LogDocument::WriteTo(const QString& path) {
  if (Write(editor_.Data(), LocalPath(path)).IsFailed()) return false;
  known_ = StateOf(path);
  declined_.reset();
  goneTold_ = false;
  merge_bases::Keep(path);
  const bool wasModified = IsModified();
  editor_.History().MarkSaved();
  if (wasModified) emit modifiedChanged(false);
  return true;
}

void LogDocument::SetFileName(const QString& path) {
  if (fileName_ == path) return;
  fileName_ = path;
  Watch();
  emit fileNameChanged(fileName_);
}

Outcome LogDocument::Open(QWidget* owner) {
  const std::optional<QString> path = prompter_.OpenFileName(owner, FileFilter(), DefaultExtension());
  if (!path) return Outcome::Cancelled();
  return Load(*path);
}

Outcome LogDocument::Save(QWidget* owner) {
  // A read-only document is written only under a name the user gives.
  if (!IsNamed() || readOnly_) return SaveAs(owner);
  if (!IsModified()) return Outcome::Done();
  if (ChangedOnDisk()) return ResolveOutsideChange(owner);
  return SaveWithRetry(owner, fileName_);
}

// A merge writes nothing: the user looks at the joined document first, so
// the command that asked does not go on.
Outcome LogDocument::ResolveOutsideChange(QWidget* owner) {
  const int choice = prompter_.Choose(
      owner, QStringLiteral("%1 was changed by another program since you opened it.").arg(Title()),
      QStringLiteral("Vimbo"), Prompter::Icon::kWarning,
      {QStringLiteral("Merge"), QStringLiteral("Save As..."), QStringLiteral("Overwrite"), QStringLiteral("Cancel")});
  switch (choice) {
    case 0: {
      Outcome merged = MergeFrom(fileName_);
      return merged.IsDone() ? Outcome::Cancelled() : merged;
    }
    case 1: return SaveAs(owner);
    case 2: return SaveWithRetry(owner, fileName_);
    default: return Outcome::Cancelled();
  }
}

Outcome LogDocument::SaveAs(QWidget* owner) {
  const std::optional<QString> path = prompter_.SaveFileName(owner, FileFilter(), DefaultExtension(), Title());
  if (!path) return Outcome::Cancelled();
  Outcome saved = SaveWithRetry(owner, *path);
  if (saved.IsDone()) {
    // The copy is this window's own now.
    if (!lock_ || !lock_->Holds(*path)) {
      lock_ = std::make_unique<DocumentLock>();
      lock_->Take(*path);
    }
    SetReadOnly(false);
    SetFileName(*path);
  }
  return saved;
}

Outcome LogDocument::SaveWithRetry(QWidget* owner, const QString& path) {
  for (;;) {
    if (WriteTo(path)) return Outcome::Done();
    // The box names the document as the title shows it, before a Save As
    // gives it the new name.
    const QString text = QStringLiteral("Error saving %1.").arg(Title());
    if (prompter_.Message(owner, text, QStringLiteral("Vimbo"), Prompter::Icon::kError,
                          Prompter::Buttons::kRetryCancel) != Prompter::Answer::kRetry)
      return Outcome::Failed(text.toStdString());
  }
}

bool LogDocument::QuerySave(QWidget* owner, const QString& caption) {
  if (!IsModified()) return true;
  const auto answer = prompter_.Message(owner, QStringLiteral("Save changes to %1?").arg(Title()), caption,
                                        Prompter::Icon::kWarning, Prompter::Buttons::kYesNoCancel);
  switch (answer) {
    case Prompter::Answer::kYes: return Save(owner).IsDone();
    case Prompter::Answer::kCancel: return false;
    default: return true;
  }
}

void LogDocument::TellParseError(int line) const {
  prompter_.Message(nullptr, QString::fromStdString(ParseErrorMessage(line)), QLatin1String(kParseErrorCaption),
                    Prompter::Icon::kError, Prompter::Buttons::kOk);
}

std::optional<LogDocument::ReadCopy> LogDocument::ReadFile(const QString& path, bool tell) const {
  std::optional<std::string> text = ReadFileText(LocalPath(path));
  if (!text) return std::nullopt;
  ReadCopy copy;
  copy.state = StateOf(path);
  copy.state.hash = std::hash<std::string_view>()(*text);
  copy.contentHash = merge_bases::ContentHash(*text);
  const LoadResult result = LoadDocumentText(copy.data, std::move(*text));
  if (!result.Ok()) {
    if (tell && result.status == LoadResult::Status::kParseError) TellParseError(static_cast<int>(result.errorLine));
    return std::nullopt;
  }
  copy.upgraded = result.upgraded;
  return copy;
}

Outcome LogDocument::MergeFrom(const QString& path) {
  std::optional<ReadCopy> theirs = ReadFile(path, true);
  if (!theirs) return Outcome::Failed(kLoadError);
  const bool sameFile = path == fileName_;
  // The version both started from is a kept copy that is neither side: not
  // the other copy, and not this document as last saved, when it is so now.
  QStringList excluded{theirs->contentHash};
  if (IsNamed() && !sameFile && !IsModified()) {
    if (const std::optional<std::string> ours = ReadFileText(LocalPath(fileName_)))
      excluded.append(merge_bases::ContentHash(*ours));
  }
  std::optional<std::string> baseText = IsNamed() ? merge_bases::Newest(fileName_, excluded) : std::nullopt;
  DocumentData base;
  const bool hasBase = baseText && LoadDocumentText(base, std::move(*baseText)).Ok();
  const MergeResult result = MergeDocuments(hasBase ? &base : nullptr, Data(), theirs->data);
  Run(&DocumentEditor::ReplaceRecords, result.document, "Merge");
  if (sameFile) {
    // The file is joined in: the next Save writes over it without asking,
    // and no undo makes the document match the file any more.
    known_ = theirs->state;
    declined_.reset();
    merge_bases::Keep(fileName_);
    const bool wasModified = IsModified();
    editor_.History().ForgetSaved();
    if (!wasModified) emit modifiedChanged(true);
  }
  emit merged(result.conflicts);
  return Outcome::Done();
}

bool LogDocument::SameState(const DiskState& a, const DiskState& b) {
  return a.exists == b.exists && a.size == b.size && a.modified == b.modified;
}

void LogDocument::Watch() {
  const QStringList watched = watcher_.files() + watcher_.directories();
  if (!watched.isEmpty()) watcher_.removePaths(watched);
  if (!IsNamed()) return;
  const QFileInfo file(fileName_);
  if (file.exists()) watcher_.addPath(fileName_);
  watcher_.addPath(file.absolutePath());
}

void LogDocument::CheckOutsideChange() {
  if (asking_ || !IsNamed() || !known_.exists) return;
  // A question does not break into another dialog; it waits for its end.
  if (QApplication::activeModalWidget()) {
    settle_.start();
    return;
  }
  // A file put in the old one's place is a new one to the watcher.
  if (!watcher_.files().contains(fileName_) && QFileInfo::exists(fileName_)) watcher_.addPath(fileName_);
  const DiskState now = StateOf(fileName_);
  if (!now.exists) {
    TellGone();
    return;
  }
  goneTold_ = false;
  if (!ChangedOnDisk() || (declined_ && SameState(*declined_, now))) return;
  if (!IsModified()) {
    Reload();
    return;
  }
  asking_ = true;
  if (ResolveOutsideChange(nullptr).IsCancelled() && ChangedOnDisk()) declined_ = now;
  asking_ = false;
}

void LogDocument::Reload() {
  std::optional<ReadCopy> copy = ReadFile(fileName_, false);
  // A file caught half written is read again at its next change.
  if (!copy) {
    emit notice(QStringLiteral("%1 was changed by another program and cannot be read.").arg(Title()));
    return;
  }
  const bool wasModified = IsModified();
  editor_.ContentToReplace() = std::move(copy->data);
  if (copy->upgraded) editor_.History().ForgetSaved();
  known_ = copy->state;
  declined_.reset();
  merge_bases::Keep(fileName_);
  emit reloaded();
  if (IsModified() != wasModified) emit modifiedChanged(IsModified());
  emit notice(QStringLiteral("%1 was changed by another program and has been reloaded.").arg(Title()));
}

void LogDocument::TellGone() {
  if (goneTold_) return;
  goneTold_ = true;
  const bool wasModified = IsModified();
  editor_.History().ForgetSaved();
  if (!wasModified) emit modifiedChanged(true);
  asking_ = true;
  prompter_.Message(nullptr,
                    QStringLiteral("%1 was deleted or renamed by another program. It stays open here, and Save "
                                   "writes it back.")
                        .arg(Title()),
                    QStringLiteral("Vimbo"), Prompter::Icon::kWarning, Prompter::Buttons::kOk);
  asking_ = false;
}

Outcome LogDocument::Recover(DocumentData data, const QString& originalPath) {
  std::optional<LockChoice> lock = originalPath.isEmpty() ? LockChoice() : AskForLock(originalPath);
  if (!lock) return Outcome::Cancelled();
  const bool wasModified = IsModified();
  editor_.ContentToReplace() = std::move(data);
  // Compared with the file as it is now, so a later outside change is
  // still noticed by Save.
  DiskState known = originalPath.isEmpty() ? DiskState() : StateOf(originalPath);
  if (known.exists) {
    const std::optional<std::string> bytes = ReadFileText(LocalPath(originalPath));
    if (bytes) known.hash = std::hash<std::string_view>()(*bytes);
  }
  Adopt(originalPath, std::move(*lock), known);
  AnnounceReplaced(wasModified, true);
  return Outcome::Done();
}

std::optional<LogDocument::LockChoice> LogDocument::AskForLock(const QString& path) {
  LockChoice choice;
  // A file this window has open is its own.
  if (lock_ && lock_->Holds(path)) return choice;
  choice.lock = std::make_unique<DocumentLock>();
  if (choice.lock->Take(path)) return choice;
  const int answer = prompter_.Choose(
      nullptr, QStringLiteral("%1 is open in another Vimbo window (%2).").arg(path, DocumentLock::Holder(path)),
      QStringLiteral("Vimbo"), Prompter::Icon::kWarning,
      {QStringLiteral("Open Read-Only"), QStringLiteral("Open Anyway"), QStringLiteral("Cancel")});
  if (answer != 0 && answer != 1) return std::nullopt;
  choice.readOnly = answer == 0;
  return choice;
}

void LogDocument::Adopt(const QString& path, LockChoice lock, const DiskState& known) {
  if (path.isEmpty())
    lock_.reset();
  else if (lock.lock)
    lock_ = std::move(lock.lock);
  known_ = known;
  declined_.reset();
  goneTold_ = false;
  SetReadOnly(lock.readOnly);
  SetFileName(path);
  Watch();
  if (known_.exists) merge_bases::Keep(path);
}

}  // namespace vimbo
