#pragma once
// At start, the unsaved changes that a program now gone left behind are
// offered, one question each: "Vimbo found unsaved changes to FILE from
// DATE TIME." Recover opens the document with the changes, modified and
// under its own name, and writes nothing to its file; Discard removes the
// changes for good; Later (and Esc) leaves them for the next start.

#include <QString>

class QDateTime;
class QWidget;

namespace vimbo {

class LogDocument;
class Prompter;
class RecoveryKeeper;

// Asks about each copy in `folder` whose program is gone, the oldest first,
// until one is recovered into `document`: the window holds one document,
// so the copies not asked about yet wait for the next start. A recovered
// document is in `keeper`'s own copy before the old copy is removed. True
// when one was recovered.
bool OfferRecovery(LogDocument& document, RecoveryKeeper& keeper, Prompter& prompter, QWidget* owner,
                   const QString& folder);

// "DATE TIME" as the question shows a moment: the locale's short date with
// the year in four digits, and its short time.
QString RecoveryTimeText(const QDateTime& moment);

}  // namespace vimbo
