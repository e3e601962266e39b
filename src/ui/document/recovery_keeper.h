#pragma once
// Keeps a recovery copy of a document while it has unsaved changes, so that
// a crash, a kill or a power cut loses at most the last moments of work.
// The copy is written at most a second after a change (a second and the
// time one write takes, in all), through the safe writer, on a thread of
// its own, so the window waits no longer than for copying the content. It
// is removed when the document is saved, undone back to what is saved, or
// replaced (New, Open: the changes were discarded), and when the keeper
// goes at a normal end of the program. See recovery_copies.h for the files.

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <memory>

class QLockFile;

namespace vimbo {

class LogDocument;

class RecoveryKeeper : public QObject {
  Q_OBJECT

 public:
  // How long after a change the copy is written: the changes of one
  // second go to disk in one write, and every change is there within two.
  static constexpr std::chrono::milliseconds kDelay{1000};

  // Keeps the copies of `document` in `folder` (nothing when it is empty).
  explicit RecoveryKeeper(LogDocument& document, QString folder, std::chrono::milliseconds delay = kDelay,
                          QObject* parent = nullptr);
  // Waits for a write under way and removes the copy.
  ~RecoveryKeeper() override;
  RecoveryKeeper(const RecoveryKeeper&) = delete;
  RecoveryKeeper& operator=(const RecoveryKeeper&) = delete;

  // Writes at once what is waiting to be written, and returns when the
  // copy is on disk: true when it holds the document as it is now.
  bool Flush();
  // The document file of the copy, whether or not it exists yet.
  QString CopyPath() const;

 private:
  void DocumentChanged();
  void WriteCopy();
  void WriteFailed();
  void RemoveCopy();

  LogDocument& document_;
  QString folder_;
  QString id_;
  std::chrono::milliseconds delay_;
  QTimer timer_;
  // Held while this program keeps a copy.
  std::unique_ptr<QLockFile> lock_;
  // The time of the last change, and whether the copy on disk lacks it.
  QDateTime changed_;
  bool dirty_ = false;
  // Writes queued or under way; one thread, so they reach the disk in order.
  std::atomic<int> writing_{0};
  // Whether the last write reached the disk.
  std::atomic<bool> written_{false};
  QThreadPool writer_;
};

}  // namespace vimbo
