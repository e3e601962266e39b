#include "ui/document/recovery_copies.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QSet>
#include <algorithm>
#include <optional>
#include <utility>

#include "core/document/document_loader.h"
#include "core/document/file_io.h"
#include "gfx/display_text.h"
#include "ui/document/state_folder.h"

namespace vimbo {

namespace {

constexpr const char* kOriginalKey = "original";
constexpr const char* kChangedKey = "changed";

QString PathIn(const QString& folder, const QString& id, const char* extension) {
  return QStringLiteral("%1/%2.%3").arg(folder, id, QLatin1String(extension));
}

// Fills in the name and the time from ID.json. A copy without one (the
// program was killed between writing the document and its description)
// still holds the changes: it is offered as untitled, from its file's time.
void ReadInfo(RecoveryCopy& copy) {
  copy.changed = QFileInfo(RecoveryDocumentPath(copy.folder, copy.id)).lastModified();
  const std::optional<std::string> text = ReadFileText(LocalPath(RecoveryInfoPath(copy.folder, copy.id)));
  if (!text) return;
  const QJsonObject info = QJsonDocument::fromJson(QByteArray::fromStdString(*text)).object();
  copy.originalPath = info.value(QLatin1String(kOriginalKey)).toString();
  const QDateTime changed = QDateTime::fromString(info.value(QLatin1String(kChangedKey)).toString(), Qt::ISODateWithMs);
  if (changed.isValid()) copy.changed = changed.toLocalTime();
}

}  // namespace

QString RecoveryFolder() { return StateSubfolder(QStringLiteral("recovery")); }

QString RecoveryDocumentPath(const QString& folder, const QString& id) { return PathIn(folder, id, "tch"); }

QString RecoveryInfoPath(const QString& folder, const QString& id) { return PathIn(folder, id, "json"); }

QString RecoveryLockPath(const QString& folder, const QString& id) { return PathIn(folder, id, "lock"); }

std::string RecoveryInfoText(const QString& originalPath, const QDateTime& changed) {
  QJsonObject info;
  info.insert(QLatin1String(kOriginalKey), originalPath);
  info.insert(QLatin1String(kChangedKey), changed.toUTC().toString(Qt::ISODateWithMs));
  return QJsonDocument(info).toJson().toStdString();
}

std::vector<RecoveryCopy> AbandonedRecoveryCopies(const QString& folder) {
  std::vector<RecoveryCopy> copies;
  if (folder.isEmpty()) return copies;
  QSet<QString> ids;
  const QStringList names = QDir(folder).entryList(
      {QStringLiteral("*.tch"), QStringLiteral("*.json"), QStringLiteral("*.lock")}, QDir::Files | QDir::Hidden);
  for (const QString& name : names) ids.insert(QFileInfo(name).completeBaseName());
  for (const QString& id : ids) {
    auto lock = std::make_shared<QLockFile>(RecoveryLockPath(folder, id));
    // Stale only when its program is gone, never by its age: a document
    // may stay modified for days.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) continue;
    if (!QFileInfo::exists(RecoveryDocumentPath(folder, id))) {
      // Its lock goes when `lock` does.
      QFile::remove(RecoveryInfoPath(folder, id));
      continue;
    }
    RecoveryCopy copy{folder, id, QString(), QDateTime(), std::move(lock)};
    ReadInfo(copy);
    copies.push_back(std::move(copy));
  }
  std::sort(copies.begin(), copies.end(),
            [](const RecoveryCopy& a, const RecoveryCopy& b) { return a.changed < b.changed; });
  return copies;
}

bool ReadRecoveryCopy(const RecoveryCopy& copy, DocumentData& data) {
  std::optional<std::string> text = ReadFileText(LocalPath(RecoveryDocumentPath(copy.folder, copy.id)));
  if (!text) return false;
  data.Clear();
  return LoadDocumentText(data, std::move(*text)).Ok();
}

void DiscardRecoveryCopy(const RecoveryCopy& copy) {
  // The description first: a document left alone is still offered.
  QFile::remove(RecoveryInfoPath(copy.folder, copy.id));
  QFile::remove(RecoveryDocumentPath(copy.folder, copy.id));
}

}  // namespace vimbo
