#include "ui/document/recovery_keeper.h"

#include <QFile>
#include <QLockFile>
#include <QUuid>
#include <string>
#include <utility>

#include "core/document/document_writer.h"
#include "core/document/file_io.h"
#include "gfx/display_text.h"
#include "ui/document/log_document.h"
#include "ui/document/recovery_copies.h"

namespace vimbo {

namespace {

// How soon a write waits again for the one before it to finish.
constexpr std::chrono::milliseconds kBusyDelay{100};

}  // namespace

RecoveryKeeper::RecoveryKeeper(LogDocument& document, QString folder, std::chrono::milliseconds delay, QObject* parent)
    : QObject(parent),
      document_(document),
      folder_(std::move(folder)),
      id_(QUuid::createUuid().toString(QUuid::WithoutBraces)),
      delay_(delay) {
  writer_.setMaxThreadCount(1);
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &RecoveryKeeper::WriteCopy);
  connect(&document_, &LogDocument::replaced, this, &RecoveryKeeper::DocumentChanged);
  connect(&document_, &LogDocument::changed, this, &RecoveryKeeper::DocumentChanged);
  connect(&document_, &LogDocument::modifiedChanged, this, &RecoveryKeeper::DocumentChanged);
  connect(&document_, &LogDocument::fileNameChanged, this, &RecoveryKeeper::DocumentChanged);
  if (document_.IsModified()) DocumentChanged();
}

RecoveryKeeper::~RecoveryKeeper() { RemoveCopy(); }

QString RecoveryKeeper::CopyPath() const { return RecoveryDocumentPath(folder_, id_); }

void RecoveryKeeper::DocumentChanged() {
  if (!document_.IsModified()) {
    RemoveCopy();
    return;
  }
  changed_ = QDateTime::currentDateTimeUtc();
  dirty_ = true;
  // Not restarted by each change: under steady typing the copy would
  // otherwise never be written.
  if (!timer_.isActive()) timer_.start(delay_);
}

void RecoveryKeeper::WriteCopy() {
  if (!dirty_ || folder_.isEmpty()) return;
  // A write still under way has the older content; the new one follows it
  // rather than queueing up copies of a large document.
  if (writing_ > 0) {
    timer_.start(kBusyDelay);
    return;
  }
  if (!lock_) {
    auto lock = std::make_unique<QLockFile>(RecoveryLockPath(folder_, id_));
    lock->setStaleLockTime(0);
    // A copy nobody can tell is alive would be offered while this program
    // still runs.
    if (!lock->tryLock(0)) return;
    lock_ = std::move(lock);
  }
  dirty_ = false;
  auto data = std::make_shared<const DocumentData>(document_.Data());
  const std::string documentPath = LocalPath(RecoveryDocumentPath(folder_, id_));
  const std::string infoPath = LocalPath(RecoveryInfoPath(folder_, id_));
  std::string info = RecoveryInfoText(document_.IsNamed() ? document_.FileName() : QString(), changed_);
  ++writing_;
  writer_.start([this, data, documentPath, infoPath, info = std::move(info)] {
    // The document first: a description always has its document beside it.
    const bool written = WriteFileAtomically(documentPath, DocumentText(*data)) && WriteFileAtomically(infoPath, info);
    written_ = written;
    --writing_;
    // A failed write (a full disk) is tried again, as after a change; the
    // call is dropped when the keeper is gone by then.
    if (!written) QMetaObject::invokeMethod(this, &RecoveryKeeper::WriteFailed, Qt::QueuedConnection);
  });
}

void RecoveryKeeper::WriteFailed() {
  if (!lock_ || !document_.IsModified()) return;
  dirty_ = true;
  if (!timer_.isActive()) timer_.start(delay_);
}

bool RecoveryKeeper::Flush() {
  timer_.stop();
  writer_.waitForDone();
  WriteCopy();
  writer_.waitForDone();
  return lock_ && !dirty_ && written_;
}

void RecoveryKeeper::RemoveCopy() {
  timer_.stop();
  dirty_ = false;
  writer_.waitForDone();
  if (!lock_) return;
  QFile::remove(RecoveryInfoPath(folder_, id_));
  QFile::remove(RecoveryDocumentPath(folder_, id_));
  lock_.reset();
}

}  // namespace vimbo
