#include "ui/document/log_document.h"

#include <QFileInfo>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "core/document/document_loader.h"
#include "core/document/document_writer.h"
#include "core/document/file_io.h"
#include "gfx/display_text.h"
#include "ui/kit/prompter.h"

namespace vimbo {

LogDocument::LogDocument(Prompter& prompter, QObject* parent) : QObject(parent), prompter_(prompter) {}

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
  // until the new one is in; a file this window has open is its own.
  const bool ours = lock_ && lock_->Holds(path);
  auto lock = std::make_unique<DocumentLock>();
  bool readOnly = false;
  if (!ours && !lock->Take(path)) {
    const int choice = prompter_.Choose(
        nullptr, QStringLiteral("%1 is open in another Vimbo window (%2).").arg(path, DocumentLock::Holder(path)),
        QStringLiteral("Vimbo"), Prompter::Icon::kWarning,
        {QStringLiteral("Open Read-Only"), QStringLiteral("Open Anyway"), QStringLiteral("Cancel")});
    if (choice != 0 && choice != 1) return Outcome::Cancelled();
    readOnly = choice == 0;
  }
  constexpr const char* kLoadError = "Error loading file.";
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
    if (result.status == LoadResult::Status::kParseError)
      prompter_.Message(nullptr, QString::fromStdString(ParseErrorMessage(result.errorLine)),
                        QLatin1String(kParseErrorCaption), Prompter::Icon::kError, Prompter::Buttons::kOk);
    New();
    return Outcome::Failed(kLoadError);
  }
  if (!ours) lock_ = std::move(lock);
  known_ = read;
  SetReadOnly(readOnly);
  SetFileName(path);
  AnnounceReplaced(wasModified, result.upgraded);
  return Outcome::Done();
}

bool LogDocument::WriteTo(const QString& path) {
  if (Write(editor_.Data(), LocalPath(path)).IsFailed()) return false;
  known_ = StateOf(path);
  const bool wasModified = IsModified();
  editor_.History().MarkSaved();
  if (wasModified) emit modifiedChanged(false);
  return true;
}

void LogDocument::SetFileName(const QString& path) {
  if (fileName_ == path) return;
  fileName_ = path;
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
  if (ChangedOnDisk()) {
    const int choice =
        prompter_.Choose(owner, QStringLiteral("%1 was changed by another program since you opened it.").arg(Title()),
                         QStringLiteral("Vimbo"), Prompter::Icon::kWarning,
                         {QStringLiteral("Save As..."), QStringLiteral("Overwrite"), QStringLiteral("Cancel")});
    if (choice == 0) return SaveAs(owner);
    if (choice != 1) return Outcome::Cancelled();
  }
  return SaveWithRetry(owner, fileName_);
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

}  // namespace vimbo
