#pragma once
// The interface of every view attached to a document.

#include <QString>

class QWidget;

namespace vimbo {

class Document;
struct DocumentChanges;

class DocumentView {
 public:
  virtual ~DocumentView();

  // True when the view is attached to a document and that document is modified.
  bool IsModified() const;

  // The save-changes prompt, run before anything replaces or closes the
  // document: true when the command may go on.
  bool QuerySave(QWidget* owner, const QString& caption);

  // Refreshes everything shown from the document.
  virtual void OnUpdate() = 0;
  // The document's content is about to be thrown away (New, Open, a file
  // that could not be loaded); an OnUpdate follows.
  virtual void OnContentReplaced();

  // An undo or redo changed the document; the default refreshes everything.
  virtual void OnHistoryStep(const DocumentChanges& changes);

  // Forgets the document.
  virtual void Detach();

  // The document's file name changed; most views ignore it.
  virtual void OnNameChanged(const QString& path);

  Document* GetDocument() const { return document_; }

 private:
  friend class Document;
  Document* document_ = nullptr;
};

}  // namespace vimbo
