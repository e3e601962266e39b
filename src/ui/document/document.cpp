#include "ui/document/document.h"

#include <utility>

#include "core/document/document_loader.h"
#include "core/document/document_writer.h"
#include "core/document/file_io.h"
#include "gfx/display_text.h"
#include "ui/document/document_view.h"
#include "ui/kit/prompter.h"

namespace vimbo {

// ---- DocumentView -------------------------------------------------------------

DocumentView::~DocumentView() = default;

bool DocumentView::IsModified() const { return document_ != nullptr && document_->IsModified(); }

bool DocumentView::QuerySave(QWidget* owner, const QString& caption) {
  if (!IsModified()) return true;
  const auto answer = document_->GetPrompter().Message(
      owner, QStringLiteral("Save changes to %1?").arg(document_->DocumentTitle()), caption,
      Prompter::Icon::Warning, Prompter::Buttons::YesNoCancel);
  switch (answer) {
    case Prompter::Answer::Yes: {
      bool error = false;
      return document_->Save(error, owner);
    }
    case Prompter::Answer::Cancel:
      return false;
    default:
      return true;
  }
}

void DocumentView::Detach() { document_ = nullptr; }

void DocumentView::OnNameChanged(const QString&) {}

void DocumentView::OnContentReplaced() {}

// ---- Document -----------------------------------------------------------------

Document::~Document() { DetachAll(); }

void Document::SetModified(bool modified, bool notify) {
  modified_ = modified;
  if (notify) UpdateAllViews();
}

QString Document::DocumentTitle() const { return fileName_.isEmpty() ? QStringLiteral("Untitled") : fileName_; }

void Document::Clear() {
  for (DocumentView* view : views_) view->OnContentReplaced();
  SetModified(false, true);
}

QString Document::FileFilter() const { return QStringLiteral("All Files (*.*)"); }

QString Document::DefaultExtension() const { return {}; }

bool Document::SaveToFile(const QString&) {
  SetModified(false, false);
  return true;
}

bool Document::LoadFromFile(const QString&) {
  SetModified(false, true);
  return true;
}

bool Document::New() {
  Clear();
  fileName_.clear();
  return true;
}

bool Document::Open(bool& error, QWidget* owner) {
  error = false;
  const auto path = prompter_.OpenFileName(owner, FileFilter(), DefaultExtension());
  if (!path) return false;
  if (!LoadFromFile(*path)) {
    error = true;
    return false;
  }
  SetPathName(*path);
  return true;
}

bool Document::Save(bool& error, QWidget* owner) {
  error = false;
  if (fileName_.isEmpty() || fileName_ == QLatin1String("Untitled")) return SaveAs(error, owner);
  if (!modified_) return true;
  const bool saved = SaveToFile(fileName_);
  error = !saved;
  return saved;
}

bool Document::SaveAs(bool& error, QWidget* owner) {
  error = false;
  const auto path = prompter_.SaveFileName(owner, FileFilter(), DefaultExtension(), DocumentTitle());
  if (!path) return false;
  if (!SaveToFile(*path)) {
    error = true;
    return false;
  }
  SetPathName(*path);
  return true;
}

void Document::Attach(DocumentView& view) {
  view.document_ = this;
  views_.push_back(&view);
}

void Document::UpdateAllViews() {
  for (DocumentView* view : views_) view->OnUpdate();
}

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
  data_.Clear();
  Document::Clear();
}

QString TouchDocument::FileFilter() const {
  return QStringLiteral("%1;;All Files (*.*)").arg(QLatin1String(kDocumentFilter));
}

QString TouchDocument::DefaultExtension() const { return QLatin1String(kDocumentExtension); }

bool TouchDocument::New() {
  Document::New();
  data_.AddDefaultContactTypes();
  // The views were refreshed by the clearing, before the types were there.
  UpdateAllViews();
  return true;
}

bool TouchDocument::LoadFromFile(const QString& path) {
  const auto text = ReadFileText(LocalPath(path));
  if (!text) return false;
  Clear();
  const LoadResult result = LoadDocumentText(data_, std::move(*text));
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
  SetModified(false, true);
  if (result.upgraded) SetModified(true, false);
  return true;
}

bool TouchDocument::SaveToFile(const QString& path) {
  if (!Write(data_, LocalPath(path))) return false;
  SetModified(false, false);
  return true;
}

}  // namespace vimbo
