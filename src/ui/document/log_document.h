#pragma once
// The one open contact log: its records and their undo history, its file
// name, and the file commands New, Open, Save and Save As. Every change goes
// through here, an operation, an undo, a redo or a new content, and the views
// hear of it once, afterwards, through the signals below. Whether the
// document is modified is the history's answer: it differs from the point
// last saved or opened.

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>
#include <cstddef>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "core/editing/document_editor.h"
#include "core/editing/merge_conflict.h"
#include "core/records/document_data.h"
#include "core/records/outcome.h"
#include "ui/document/document_lock.h"

class QWidget;

namespace vimbo {

class Prompter;

class LogDocument : public QObject {
  Q_OBJECT

 public:
  explicit LogDocument(Prompter& prompter, QObject* parent = nullptr);

  const DocumentData& Data() const { return editor_.Data(); }
  const EditHistory& History() const { return editor_.History(); }
  bool IsModified() const { return !editor_.History().AtSavedPoint(); }
  // The file name, or "Untitled" when the document has none.
  QString Title() const;
  const QString& FileName() const { return fileName_; }
  bool IsNamed() const;
  // Opened read-only, beside another window that has it open: no change
  // and no Save, but Save As.
  bool IsReadOnly() const { return readOnly_; }
  Prompter& GetPrompter() const { return prompter_; }

  // Runs one of the editor's operations: when it is done it is kept for
  // Undo and the views are told what it changed; a refused one changes
  // nothing and tells nobody.
  template <typename... Params, typename... Args>
  OperationResult Run(OperationResult (DocumentEditor::*operation)(Params...), Args&&... args) {
    const bool wasModified = IsModified();
    OperationResult result = (editor_.*operation)(std::forward<Args>(args)...);
    if (result.Done()) Announce(result.changes, wasModified);
    return result;
  }
  // False when there was nothing to undo or redo.
  bool Undo();
  bool Redo();

  // A new document: no name, the default contact types, an empty history.
  void New();
  // Puts `data` in place of the whole content, unmodified, with an empty
  // history; the name stays.
  void Replace(DocumentData data);
  // Reads the file and names the document after it, locking it for this
  // window. A file another running Vimbo has open asks whether to open it
  // read-only, open it anyway, or not at all (cancelled). A file that
  // cannot be read leaves the document as it was (failed); a rejected one
  // (not well-formed, not a Vimbo document) says why and leaves a new,
  // unnamed document, so a later Save can never overwrite that file with
  // the emptied content (failed).
  Outcome Load(const QString& path);
  // Writes the document to `path` without asking anything; the document is
  // then unmodified, under its old name.
  bool WriteTo(const QString& path);
  void SetFileName(const QString& path);

  // The file dialogs' filter, in Qt's form, and the extension they add.
  static QString FileFilter();
  static QString DefaultExtension();

  // Open asks for a file and loads it; a file that cannot be read fails
  // without a word (the caller says "Error loading file.").
  Outcome Open(QWidget* owner);
  // Save writes to the document's name, asking for one when it has none;
  // an unmodified named document writes nothing. A file changed by another
  // program since it was opened or saved here is not overwritten without
  // asking: Merge (which joins the file in and writes nothing, so the
  // user looks at the result first), Save As..., Overwrite or Cancel. Save
  // As always asks. A failed write says "Error saving FILE." with Retry,
  // which writes again, and Cancel, which gives up (failed).
  Outcome Save(QWidget* owner);
  Outcome SaveAs(QWidget* owner);
  // The save-changes question before anything replaces or closes the
  // document: true when the command may go on.
  bool QuerySave(QWidget* owner, const QString& caption);

  // Joins the copy at `path`, edited apart from this one, into the
  // document as one undoable step, against the version both started from
  // when a kept copy is one. The views hear of the conflicts through
  // merged(). A file that cannot be read changes nothing (failed).
  Outcome MergeFrom(const QString& path);
  // Looks at the file as it is now; the watcher calls it after each change
  // it sees. Changed outside and unmodified here: read again. Changed
  // outside and modified here: the question Save asks. Gone: said once, and
  // the document becomes modified, so a Save writes it back.
  void CheckOutsideChange();

  // Puts changes recovered after a crash in place of the whole content,
  // named after `originalPath` (unnamed when it is empty) and modified, as
  // nothing on disk holds them yet; the file itself is not touched. The
  // file's lock is taken, or asked about, as Load does (cancelled).
  Outcome Recover(DocumentData data, const QString& originalPath);

 signals:
  // The whole content was replaced (New, Open, Replace): an edit in
  // progress ends, and every view refills.
  void replaced();
  // An operation, an undo or a redo changed what `changes` names.
  void changed(const vimbo::DocumentChanges& changes);
  void modifiedChanged(bool modified);
  void fileNameChanged(const QString& fileName);
  void readOnlyChanged(bool readOnly);
  // The file was changed outside and read again: views keep showing the
  // records they showed, where those are still there.
  void reloaded();
  // A merge is in; `conflicts` lists what it could not join by itself.
  void merged(const std::vector<vimbo::MergeConflict>& conflicts);
  // A line for the status bar.
  void notice(const QString& text);

 private:
  // The file as this window last read or wrote it: its size and time, and
  // the hash of its bytes when it was read.
  struct DiskState {
    bool exists = false;
    qint64 size = 0;
    QDateTime modified;
    std::optional<std::size_t> hash;
  };
  static DiskState StateOf(const QString& path);
  static bool SameState(const DiskState& a, const DiskState& b);
  // Whether another program has written the document's file since.
  bool ChangedOnDisk() const;
  // A copy of a document read from its file, with the file's state then.
  struct ReadCopy {
    DocumentData data;
    DiskState state;
    QString contentHash;
    bool upgraded = false;
  };
  // Nothing when the file cannot be read or parsed; `tell` says why a
  // rejected file was rejected.
  std::optional<ReadCopy> ReadFile(const QString& path, bool tell) const;
  void TellParseError(int line) const;
  Outcome ResolveOutsideChange(QWidget* owner);
  void Reload();
  void TellGone();
  // Follows the file and its folder: a save by another program usually
  // puts a new file in the old one's place.
  void Watch();

  void SetReadOnly(bool readOnly);
  // The lock a document about to be opened gets: none to change when this
  // window holds it already, a new one taken, or, when another window
  // holds it, the user's choice to open it read-only or anyway. Nothing
  // when the user cancels.
  struct LockChoice {
    std::unique_ptr<DocumentLock> lock;
    bool readOnly = false;
  };
  std::optional<LockChoice> AskForLock(const QString& path);
  // The document is now the one of `path` (none when empty), as the file
  // was at `known`: named, locked, watched, and kept as a merge base.
  void Adopt(const QString& path, LockChoice lock, const DiskState& known);
  void Announce(const DocumentChanges& changes, bool wasModified);
  // Replaces the content and tells the views; `upgraded` content matches
  // no file, so it starts modified.
  void AnnounceReplaced(bool wasModified, bool upgraded);
  Outcome SaveWithRetry(QWidget* owner, const QString& path);

  Prompter& prompter_;
  DocumentEditor editor_;
  QString fileName_;
  // The lock of the file this window has open, when it holds one.
  std::unique_ptr<DocumentLock> lock_;
  bool readOnly_ = false;
  DiskState known_;
  QFileSystemWatcher watcher_;
  // Changes come in bursts (a temporary file, a rename): the file is looked
  // at once they settle.
  QTimer settle_;
  bool asking_ = false;
  bool goneTold_ = false;
  // The outside change the user chose to leave for now, not asked again.
  std::optional<DiskState> declined_;
};

}  // namespace vimbo
