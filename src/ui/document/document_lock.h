#pragma once
// Tells other Vimbo windows, on this computer or another one that shares
// the folder, that a document is open here: a small file beside it, in
// QLockFile's form. A normal end of the program removes it; the lock of a
// program that is gone is taken over by the next one to open the document.

#include <QString>
#include <memory>

class QLockFile;

namespace vimbo {

class DocumentLock {
 public:
  DocumentLock();
  ~DocumentLock();
  DocumentLock(const DocumentLock&) = delete;
  DocumentLock& operator=(const DocumentLock&) = delete;

  // The lock file of `document`: ".NAME.lock" in the same folder.
  static QString PathFor(const QString& document);
  // Who holds the lock of `document`: "HOST, since HH:MM".
  static QString Holder(const QString& document);

  // Takes the lock of `document`, giving up any other held; false when a
  // running program holds it (or the folder takes no file, which locks
  // nothing out either).
  bool Take(const QString& document);
  void Release();
  bool Held() const;
  // Whether this lock is the one of `document`, held.
  bool Holds(const QString& document) const;

 private:
  std::unique_ptr<QLockFile> lock_;
  QString path_;
};

}  // namespace vimbo
