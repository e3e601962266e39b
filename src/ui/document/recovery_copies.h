#pragma once
// The recovery copies in the state folder's "recovery" folder. While a
// document has unsaved changes, the program keeps three files there under
// one name of its own, ID: ID.tch, the whole document as it stands; ID.json,
// the file it belongs to and when it was last changed; and ID.lock, held by
// the running program. A copy whose lock can be taken belongs to a program
// that is gone, and is offered at the next start.

#include <QDateTime>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "core/records/document_data.h"

class QLockFile;

namespace vimbo {

// The folder of the recovery copies, made when missing; empty when it
// cannot be made.
QString RecoveryFolder();

// The three files of the copy `id` in `folder`.
QString RecoveryDocumentPath(const QString& folder, const QString& id);
QString RecoveryInfoPath(const QString& folder, const QString& id);
QString RecoveryLockPath(const QString& folder, const QString& id);

// The text of ID.json for a document named `originalPath` (empty when
// untitled) last changed at `changed`.
std::string RecoveryInfoText(const QString& originalPath, const QDateTime& changed);

// A copy left by a program that is gone. Its lock is held by this program
// until the last RecoveryCopy that shares it goes, so two programs started
// at once never offer the same copy.
struct RecoveryCopy {
  QString folder;
  QString id;
  // The document's file, empty when it had none.
  QString originalPath;
  // The last change the copy holds, in local time.
  QDateTime changed;
  std::shared_ptr<QLockFile> lock;
};

// The copies in `folder` whose program is gone, the oldest change first.
// What such a program left without a document (a description, a lock) is
// removed on the way.
std::vector<RecoveryCopy> AbandonedRecoveryCopies(const QString& folder);

// Reads the copy's document into `data`; false when it cannot be read or
// is no Vimbo document.
bool ReadRecoveryCopy(const RecoveryCopy& copy, DocumentData& data);

// Removes the copy's files; its lock goes with the last RecoveryCopy.
void DiscardRecoveryCopy(const RecoveryCopy& copy);

}  // namespace vimbo
