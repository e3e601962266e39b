#pragma once
// A test's setup of an open document's records: what the test writes into
// Content() reaches the document, as a new content the views refill from,
// with Apply(). Content() starts from the document as it is then, and a copy
// read before an edit, an undo or a load is dropped by it, so a later setup
// never brings back what the window changed.

#include <memory>
#include <utility>

#include "core/editing/document_editor.h"
#include "core/records/document_data.h"
#include "ui/document/log_document.h"

namespace vimbo::testing {

class DocumentSetup {
 public:
  explicit DocumentSetup(LogDocument& document) : document_(document) {
    QObject::connect(&document, &LogDocument::changed, &document, [this] { open_ = false; });
    QObject::connect(&document, &LogDocument::replaced, &document, [this] {
      if (!applying_) open_ = false;
    });
  }
  DocumentSetup(const DocumentSetup&) = delete;
  DocumentSetup& operator=(const DocumentSetup&) = delete;

  DocumentData& Content() {
    if (!open_) {
      content_ = document_.Data();
      open_ = true;
    }
    return content_;
  }
  void Apply() {
    if (!open_) content_ = document_.Data();
    applying_ = true;
    document_.Replace(std::move(content_));
    applying_ = false;
    content_ = {};
    open_ = false;
  }

 private:
  LogDocument& document_;
  DocumentData content_;
  bool open_ = false;
  bool applying_ = false;
};

// The setup of the document of a window a fixture makes after its own
// members: `Records()` reaches it once the window is there.
template <typename Window>
class WindowSetup {
 public:
  explicit WindowSetup(const std::unique_ptr<Window>& window) : window_(window) {}
  DocumentSetup& operator()() {
    if (!setup_) setup_ = std::make_unique<DocumentSetup>(window_->Doc());
    return *setup_;
  }

 private:
  const std::unique_ptr<Window>& window_;
  std::unique_ptr<DocumentSetup> setup_;
};

// Makes the document differ from its file by one undoable change to the
// owner's details, as any edit would.
inline void MakeModified(LogDocument& document) {
  User user = document.Data().user;
  user.WebPage = user.WebPage.view() == std::string_view("changed") ? "changed again" : "changed";
  document.Run(&DocumentEditor::UpdateUser, std::move(user));
}

// Makes the document match its file again, as a save would, by taking its
// own content as a new one.
inline void MarkUnmodified(LogDocument& document) { document.Replace(DocumentData(document.Data())); }

}  // namespace vimbo::testing
