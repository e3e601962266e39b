#include "ui/document/document.h"

#include <optional>
#include <string>
#include <utility>

#include "core/document/document_loader.h"
#include "core/document/document_writer.h"
#include "core/document/file_io.h"
#include "gfx/display_text.h"
#include "ui/document/document_view.h"
#include "ui/kit/prompter.h"

namespace vimbo {

// ---- DocumentView -------------------------------------------------------------

// A view may go before its document: the document then forgets it, so that
// no later update or detach reaches a view that is gone.
DocumentView::~DocumentView() {
  if (document_) document_->Forget(*this);
}

bool DocumentView::IsModified() const { return document_ != nullptr && document_->IsModified(); }

bool DocumentView::QuerySave(QWidget* owner, const QString& caption) {
  if (!IsModified()) return true;
  const auto answer =
      document_->GetPrompter().Message(owner, QStringLiteral("Save changes to %1?").arg(document_->DocumentTitle()),
                                       caption, Prompter::Icon::Warning, Prompter::Buttons::YesNoCancel);
  switch (answer) {
    case Prompter::Answer::Yes: return document_->Save(owner) == FileResult::kDone;
    case Prompter::Answer::Cancel: return false;
    default: return true;
  }
}

void DocumentView::Detach() { document_ = nullptr; }

void DocumentView::OnNameChanged(const QString&) {}

void DocumentView::OnContentReplaced() {}

void DocumentView::OnHistoryStep(const DocumentChanges&) { OnUpdate(); }

// ---- Document -----------------------------------------------------------------

Document::~Document() { DetachAll(); }

void Document::SetModified(bool modified, ViewUpdate update) {
  modified_ = modified;
  if (update == ViewUpdate::kUpdateViews) UpdateAllViews();
}

QString Document::DocumentTitle() const { return fileName_.isEmpty() ? QStringLiteral("Untitled") : fileName_; }

void Document::Clear() {
  for (DocumentView* view : views_) view->OnContentReplaced();
  SetModified(false, ViewUpdate::kUpdateViews);
}

QString Document::FileFilter() const { return QStringLiteral("All Files (*.*)"); }

QString Document::DefaultExtension() const { return {}; }

bool Document::SaveToFile(const QString&) {
  SetModified(false, ViewUpdate::kNone);
  return true;
}

bool Document::LoadFromFile(const QString&) {
  SetModified(false, ViewUpdate::kUpdateViews);
  return true;
}

bool Document::New() {
  Clear();
  fileName_.clear();
  return true;
}

FileResult Document::Open(QWidget* owner) {
  const auto path = prompter_.OpenFileName(owner, FileFilter(), DefaultExtension());
  if (!path) return FileResult::kCancelled;
  if (!LoadFromFile(*path)) return FileResult::kFailed;
  SetPathName(*path);
  return FileResult::kDone;
}

FileResult Document::Save(QWidget* owner) {
  if (fileName_.isEmpty() || fileName_ == QLatin1String("Untitled")) return SaveAs(owner);
  if (!modified_) return FileResult::kDone;
  return SaveToFile(fileName_) ? FileResult::kDone : FileResult::kFailed;
}

FileResult Document::SaveAs(QWidget* owner) {
  const auto path = prompter_.SaveFileName(owner, FileFilter(), DefaultExtension(), DocumentTitle());
  if (!path) return FileResult::kCancelled;
  if (!SaveToFile(*path)) return FileResult::kFailed;
  SetPathName(*path);
  return FileResult::kDone;
}

void Document::Attach(DocumentView& view) {
  view.document_ = this;
  views_.push_back(&view);
}

void Document::UpdateAllViews() {
  for (DocumentView* view : views_) view->OnUpdate();
}

void Document::UpdateAllViews(const DocumentChanges& changes) {
  for (DocumentView* view : views_) view->OnHistoryStep(changes);
}

void Document::Forget(const DocumentView& view) { std::erase(views_, &view); }

void Document::DetachAll() {
  for (DocumentView* view : views_) view->Detach();
  views_.clear();
}

void Document::SetPathName(const QString& path) {
  fileName_ = path;
  for (DocumentView* view : views_) view->OnNameChanged(fileName_);
}

// ---- TouchDocument ------------------------------------------------------------

void TouchDocument::Clear() {
  editor_.ContentToReplace().Clear();
  Document::Clear();
}

QString TouchDocument::FileFilter() const {
  return QStringLiteral("%1;;All Files (*.*)").arg(QLatin1String(kDocumentFilter));
}

QString TouchDocument::DefaultExtension() const { return QLatin1String(kDocumentExtension); }

bool TouchDocument::New() {
  Document::New();
  editor_.ContentToReplace().AddDefaultContactTypes();
  // The views were refreshed by the clearing, before the types were there.
  UpdateAllViews();
  return true;
}

bool TouchDocument::LoadFromFile(const QString& path) {
  // Not const: the loader takes the text over rather than a copy of it.
  std::optional<std::string> text = ReadFileText(LocalPath(path));
  if (!text) return false;
  Clear();
  const LoadResult result = LoadDocumentText(editor_.ContentToReplace(), std::move(*text));
  if (!result.Ok()) {
    if (result.status == LoadResult::Status::kParseError)
      GetPrompter().Message(nullptr, QString::fromStdString(ParseErrorMessage(result.errorLine)),
                            QLatin1String(kParseErrorCaption), Prompter::Icon::Error, Prompter::Buttons::Ok);
    // A rejected file (not well-formed, not a Vimbo document, too large for
    // memory) leaves a new, unnamed document, so a later Save can never
    // overwrite that file with the emptied content.
    New();
    return false;
  }
  SetModified(false, ViewUpdate::kUpdateViews);
  if (result.upgraded) {
    // The file on disk still has the old version: no undo makes the
    // document match it again.
    editor_.History().ForgetSaved();
    SetModified(true, ViewUpdate::kNone);
  }
  return true;
}

bool TouchDocument::SaveToFile(const QString& path) {
  if (!Write(editor_.DataForWriting(), LocalPath(path))) return false;
  editor_.History().MarkSaved();
  SetModified(false, ViewUpdate::kNone);
  return true;
}

bool TouchDocument::Undo() {
  const std::optional<DocumentChanges> changes = editor_.Undo();
  AfterHistoryStep(changes);
  return changes.has_value();
}

bool TouchDocument::Redo() {
  const std::optional<DocumentChanges> changes = editor_.Redo();
  AfterHistoryStep(changes);
  return changes.has_value();
}

void TouchDocument::AfterHistoryStep(const std::optional<DocumentChanges>& changes) {
  if (!changes) return;
  SetModified(!editor_.History().AtSavedPoint(), ViewUpdate::kNone);
  UpdateAllViews(*changes);
}

}  // namespace vimbo
