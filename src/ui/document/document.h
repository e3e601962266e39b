#pragma once
// The document object the shell holds for the one open document: its file
// name, modified flag and attached views, and the file operations New, Open,
// Save and Save As. TouchDocument fills in what a Vimbo document is.

#include <QString>
#include <vector>

#include "core/editing/document_editor.h"
#include "core/records/document_data.h"

class QWidget;

namespace vimbo {

class DocumentView;
class Prompter;

// Whether a change of the modified flag also refreshes the attached views.
enum class ViewUpdate { kNone, kUpdateViews };

// How a file command ended: done, cancelled by the user (nothing to say), or
// failed (a message is due).
enum class FileResult { kDone, kCancelled, kFailed };

class Document {
 public:
  explicit Document(Prompter& prompter) : prompter_(prompter) {}
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;
  virtual ~Document();

  void SetModified(bool modified, ViewUpdate update);
  bool IsModified() const { return modified_; }
  // The file name, or "Untitled" when the document has none.
  QString DocumentTitle() const;
  const QString& FileName() const { return fileName_; }

  virtual void Clear();
  // The file dialogs' filter, in Qt's form.
  virtual QString FileFilter() const;
  virtual QString DefaultExtension() const;
  virtual bool SaveToFile(const QString& path);
  virtual bool LoadFromFile(const QString& path);

  virtual bool New();
  FileResult Open(QWidget* owner);
  FileResult Save(QWidget* owner);
  FileResult SaveAs(QWidget* owner);

  void Attach(DocumentView& view);
  void UpdateAllViews();
  // Tells every view what an undo or redo changed.
  void UpdateAllViews(const DocumentChanges& changes);
  void DetachAll();
  void SetPathName(const QString& path);

  Prompter& GetPrompter() const { return prompter_; }

 private:
  friend class DocumentView;
  // Drops a view that is going away without telling it anything.
  void Forget(const DocumentView& view);

  Prompter& prompter_;
  QString fileName_;
  bool modified_ = false;
  std::vector<DocumentView*> views_;
};

class TouchDocument : public Document {
 public:
  using Document::Document;

  const DocumentData& Data() const { return editor_.Data(); }
  // Every change a user makes goes through the editor's operations, which
  // keep it for Undo; the caller then marks the document modified.
  DocumentEditor& Editor() { return editor_; }
  // The whole content, for replacing it (loading, or a test's setup); the
  // undo history starts anew.
  DocumentData& ContentToReplace() { return editor_.ContentToReplace(); }

  // Undo and Redo: the modified flag follows the history, and the views are
  // told what changed. False when there was nothing to undo or redo.
  bool Undo();
  bool Redo();
  const EditHistory& History() const { return editor_.History(); }

  void Clear() override;
  QString FileFilter() const override;
  QString DefaultExtension() const override;
  bool New() override;
  bool LoadFromFile(const QString& path) override;
  bool SaveToFile(const QString& path) override;

 private:
  void AfterHistoryStep(const std::optional<DocumentChanges>& changes);

  DocumentEditor editor_;
};

}  // namespace vimbo
