#pragma once
// A Prompter for tests: it records every question and answers from a script
// the test wrote beforehand. A question with no scripted answer fails the test.

#include <gtest/gtest.h>

#include <QDialog>
#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "ui/kit/prompter.h"

namespace vimbo::testing {

class ScriptedPrompter : public Prompter {
 public:
  struct Shown {
    QString text;
    QString caption;
    Icon icon;
    Buttons buttons;
    bool owned;
  };

  // Answers, used in order.
  std::deque<Answer> answers;
  std::deque<std::optional<QString>> openNames;
  std::deque<std::optional<QString>> saveNames;
  // Run on the dialog in place of its event loop; returns the result code.
  std::deque<std::function<int(QDialog&)>> dialogs;

  // The buttons chosen in Choose, by index, in order.
  std::deque<int> choices;
  // The buttons each Choose offered.
  std::vector<QStringList> offered;

  // Run in place of the page-setup and print dialogs; false is Cancel.
  std::deque<std::function<bool(QPrinter&, QMarginsF&)>> pageSetups;
  std::deque<std::function<bool(QPrinter&)>> printDialogs;
  std::deque<std::optional<QFont>> fonts;

  // Runs as each message box shows, before it is answered.
  std::function<void(const QString& text)> onMessage;

  // What was asked.
  std::vector<Shown> messages;
  std::vector<QString> proposedSaveNames;
  int openDialogs = 0;

  Answer Message(QWidget* owner, const QString& text, const QString& caption, Icon icon, Buttons buttons) override {
    messages.push_back({text, caption, icon, buttons, owner != nullptr});
    if (onMessage) onMessage(text);
    if (answers.empty()) {
      ADD_FAILURE() << "unexpected message: " << text.toStdString();
      return buttons == Buttons::kOk ? Answer::kOk : Answer::kCancel;
    }
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
  }

  int Choose(QWidget* owner, const QString& text, const QString& caption, Icon icon,
             const QStringList& buttons) override {
    messages.push_back({text, caption, icon, Buttons::kOk, owner != nullptr});
    offered.push_back(buttons);
    if (onMessage) onMessage(text);
    if (choices.empty()) {
      ADD_FAILURE() << "unexpected question: " << text.toStdString();
      return static_cast<int>(buttons.size()) - 1;
    }
    const int choice = choices.front();
    choices.pop_front();
    return choice;
  }

  // The next scripted file name. Taken apart rather than copied whole: GCC
  // warns, wrongly, that a copied std::optional<QString> may be uninitialised.
  static std::optional<QString> TakeFront(std::deque<std::optional<QString>>& names) {
    const bool given = names.front().has_value();
    QString name = names.front().value_or(QString());
    names.pop_front();
    if (!given) return std::nullopt;
    return name;
  }

  std::optional<QString> OpenFileName(QWidget*, const QString&, const QString&) override {
    ++openDialogs;
    if (openNames.empty()) {
      ADD_FAILURE() << "unexpected open-file dialog";
      return std::nullopt;
    }
    return TakeFront(openNames);
  }

  std::optional<QString> SaveFileName(QWidget*, const QString&, const QString&, const QString& proposedName) override {
    proposedSaveNames.push_back(proposedName);
    if (saveNames.empty()) {
      ADD_FAILURE() << "unexpected save-file dialog";
      return std::nullopt;
    }
    return TakeFront(saveNames);
  }

  int RunDialog(QDialog& dialog) override {
    if (dialogs.empty()) {
      ADD_FAILURE() << "unexpected dialog: " << dialog.windowTitle().toStdString();
      return QDialog::Rejected;
    }
    auto run = std::move(dialogs.front());
    dialogs.pop_front();
    return run(dialog);
  }

  bool PageSetup(QWidget*, QPrinter& printer, QMarginsF& margins) override {
    if (pageSetups.empty()) {
      ADD_FAILURE() << "unexpected page-setup dialog";
      return false;
    }
    auto run = std::move(pageSetups.front());
    pageSetups.pop_front();
    return run(printer, margins);
  }

  bool PrintDialog(QWidget*, QPrinter& printer) override {
    if (printDialogs.empty()) {
      ADD_FAILURE() << "unexpected print dialog";
      return false;
    }
    auto run = std::move(printDialogs.front());
    printDialogs.pop_front();
    return run(printer);
  }

  std::optional<QFont> FontDialog(QWidget*, const QFont& initial) override {
    fontDialogInitial = initial;
    if (fonts.empty()) {
      ADD_FAILURE() << "unexpected font dialog";
      return std::nullopt;
    }
    auto font = fonts.front();
    fonts.pop_front();
    return font;
  }
  QFont fontDialogInitial;

  // The texts of the messages shown so far, in order.
  std::vector<QString> Texts() const {
    std::vector<QString> texts;
    for (const Shown& shown : messages) texts.push_back(shown.text);
    return texts;
  }
};

}  // namespace vimbo::testing
