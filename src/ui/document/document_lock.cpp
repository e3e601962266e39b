#include "ui/document/document_lock.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include "core/document/document_lock_file.h"
#include "gfx/display_text.h"

namespace vimbo {

DocumentLock::DocumentLock() = default;
DocumentLock::~DocumentLock() = default;

QString DocumentLock::PathFor(const QString& document) {
  return QFile::decodeName(LockFilePath(LocalPath(document)).c_str());
}

QString DocumentLock::Holder(const QString& document) {
  const QString path = PathFor(document);
  QLockFile lock(path);
  qint64 pid = 0;
  QString host;
  QString program;
  lock.getLockInfo(&pid, &host, &program);
  const QDateTime since = QFileInfo(path).lastModified();
  return QStringLiteral("%1, since %2").arg(host, since.toString(QStringLiteral("HH:mm")));
}

bool DocumentLock::Take(const QString& document) {
  Release();
  auto lock = std::make_unique<QLockFile>(PathFor(document));
  // A lock is stale only when its program is gone, never by its age: a
  // document may stay open for days.
  lock->setStaleLockTime(0);
  if (lock->tryLock(0)) {
    lock_ = std::move(lock);
    path_ = PathFor(document);
    return true;
  }
  return lock->error() != QLockFile::LockFailedError;
}

void DocumentLock::Release() { lock_.reset(); }

bool DocumentLock::Held() const { return lock_ != nullptr; }

bool DocumentLock::Holds(const QString& document) const { return lock_ && path_ == PathFor(document); }

}  // namespace vimbo
