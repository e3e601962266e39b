#pragma once
// The document object the shell holds for the one open document: its file
// name, modified flag and attached views, and the file operations New, Open,
// Save and Save As. TouchDocument fills in what a Vimbo document is.

#include <QString>
#include <vector>

#include "core/records/document_data.h"

class QWidget;

namespace vimbo {

class DocumentView;
class Prompter;

class Document {
 public:
  explicit Document(Prompter& prompter) : prompter_(prompter) {}
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;
  virtual ~Document();

  void SetModified(bool modified, bool notify);
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
  // Each sets `error` when it failed (a message is due) rather than being
  // cancelled (nothing is shown).
  virtual bool Open(bool& error, QWidget* owner);
  virtual bool Save(bool& error, QWidget* owner);
  virtual bool SaveAs(bool& error, QWidget* owner);

  void Attach(DocumentView& view);
  void UpdateAllViews();
  void DetachAll();
  void SetPathName(const QString& path);

  Prompter& GetPrompter() const { return prompter_; }

 private:
  Prompter& prompter_;
  QString fileName_;
  bool modified_ = false;
  std::vector<DocumentView*> views_;
};

class TouchDocument : public Document {
 public:
  using Document::Document;

  DocumentData& Data() { return data_; }
  const DocumentData& Data() const { return data_; }

  void Clear() override;
  QString FileFilter() const override;
  QString DefaultExtension() const override;
  bool New() override;
  bool LoadFromFile(const QString& path) override;
  bool SaveToFile(const QString& path) override;

 private:
  DocumentData data_;
};

}  // namespace vimbo
