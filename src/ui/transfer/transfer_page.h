#pragma once
// What the three pages of the text transfer wizard share: the settings they
// fill, the mode, the picture on the left, and the split between the work a
// page does the first time it is shown and the work it does each time it
// becomes current.

#include <QWizardPage>

class QVBoxLayout;

namespace vimbo {

// Which way the wizard moves text: into the document or out of it.
enum class TransferDirection { kImport, kExport };

class Prompter;
struct TextTransferSettings;

class TransferPage : public QWizardPage {
  Q_OBJECT

 public:
  // The wizard's caption while this page is current.
  virtual QString Caption() const = 0;

  // The page became current, going forward or back.
  void Activate();

  // Going back keeps what was entered on the page being left.
  void cleanupPage() override {}

 protected:
  TransferPage(TextTransferSettings& settings, TransferDirection direction, Prompter& prompter, const QString& heading);

  // The column right of the picture that holds the page's controls.
  QVBoxLayout* Content() const { return content_; }

  // Runs once per wizard run, before the first Activated.
  virtual void FirstDisplay() {}
  virtual void Activated() {}

  TextTransferSettings& settings_;
  const bool importMode_;
  Prompter& prompter_;

 private:
  QVBoxLayout* content_;
  bool displayed_ = false;
};

}  // namespace vimbo
