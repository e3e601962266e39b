#include "ui/shell/recovery_offer.h"

#include <QDateTime>
#include <QLocale>
#include <utility>

#include "core/records/document_data.h"
#include "ui/document/log_document.h"
#include "ui/document/recovery_copies.h"
#include "ui/document/recovery_keeper.h"
#include "ui/kit/form_text.h"
#include "ui/kit/prompter.h"

namespace vimbo {

namespace {

constexpr const char* kCaption = "Vimbo";

enum Choice { kRecover, kDiscard, kLater };

// Recovers `copy` into `document`; false when it cannot be read or the
// user cancelled the question about the file's lock.
bool Recover(const RecoveryCopy& copy, const QString& file, LogDocument& document, RecoveryKeeper& keeper,
             Prompter& prompter, QWidget* owner) {
  DocumentData data;
  if (!ReadRecoveryCopy(copy, data)) {
    // Left where it is: nothing is thrown away that a later version might
    // still read.
    prompter.Message(owner, QStringLiteral("The unsaved changes to %1 cannot be read.").arg(file),
                     QLatin1String(kCaption), Prompter::Icon::kError, Prompter::Buttons::kOk);
    return false;
  }
  if (!document.Recover(std::move(data), copy.originalPath).IsDone()) return false;
  // The old copy goes only once this program's own holds the changes; one
  // that cannot be written leaves it to be offered again.
  if (keeper.Flush()) DiscardRecoveryCopy(copy);
  return true;
}

}  // namespace

QString RecoveryTimeText(const QDateTime& moment) {
  const QLocale locale;
  return QStringLiteral("%1 %2").arg(locale.toString(moment.date(), PickerDateFormat(locale)),
                                     locale.toString(moment.time(), QLocale::ShortFormat));
}

bool OfferRecovery(LogDocument& document, RecoveryKeeper& keeper, Prompter& prompter, QWidget* owner,
                   const QString& folder) {
  for (const RecoveryCopy& copy : AbandonedRecoveryCopies(folder)) {
    const QString file = copy.originalPath.isEmpty() ? QStringLiteral("Untitled") : copy.originalPath;
    const int choice = prompter.Choose(
        owner, QStringLiteral("Vimbo found unsaved changes to %1 from %2.").arg(file, RecoveryTimeText(copy.changed)),
        QLatin1String(kCaption), Prompter::Icon::kQuestion,
        {QStringLiteral("Recover"), QStringLiteral("Discard"), QStringLiteral("Later")});
    if (choice == kDiscard) DiscardRecoveryCopy(copy);
    if (choice == kRecover && Recover(copy, file, document, keeper, prompter, owner)) return true;
  }
  return false;
}

}  // namespace vimbo
