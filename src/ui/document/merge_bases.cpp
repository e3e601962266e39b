#include "ui/document/merge_bases.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThreadPool>

#include "core/document/file_io.h"
#include "gfx/display_text.h"
#include "ui/document/state_folder.h"

namespace vimbo::merge_bases {
namespace {

constexpr int kKeptVersions = 4;

// One folder per document, named after the document's full path.
QString FolderOf(const QString& document) {
  const QFileInfo file(document);
  const QString full = file.canonicalFilePath().isEmpty() ? file.absoluteFilePath() : file.canonicalFilePath();
  return StateSubfolder(QStringLiteral("merge-bases/") +
                        QString::fromLatin1(QCryptographicHash::hash(full.toUtf8(), QCryptographicHash::Sha1).toHex()));
}

QFileInfoList NewestFirst(const QString& folder) {
  return QDir(folder).entryInfoList({QStringLiteral("*.tch")}, QDir::Files, QDir::Time);
}

void CopyNow(const QString& document) {
  const QString folder = FolderOf(document);
  if (folder.isEmpty()) return;
  const std::optional<std::string> bytes = ReadFileText(LocalPath(document));
  if (!bytes) return;
  const QString copy = folder + QLatin1Char('/') + ContentHash(*bytes) + QStringLiteral(".tch");
  if (QFile::exists(copy)) {
    // The same content seen again is the newest version once more.
    QFile file(copy);
    if (file.open(QIODevice::ReadWrite))
      file.setFileTime(QDateTime::currentDateTimeUtc(), QFileDevice::FileModificationTime);
  } else if (!WriteFileAtomically(LocalPath(copy), *bytes)) {
    return;
  }
  const QFileInfoList kept = NewestFirst(folder);
  for (qsizetype i = kKeptVersions; i < kept.size(); ++i) QFile::remove(kept[i].filePath());
}

}  // namespace

QString ContentHash(std::string_view bytes) {
  return QString::fromLatin1(
      QCryptographicHash::hash(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())),
                               QCryptographicHash::Sha1)
          .toHex());
}

void Keep(const QString& document) {
  QThreadPool::globalInstance()->start([document] { CopyNow(document); });
}

std::optional<std::string> Newest(const QString& document, const QStringList& excluded) {
  QThreadPool::globalInstance()->waitForDone();
  const QString folder = FolderOf(document);
  if (folder.isEmpty()) return std::nullopt;
  for (const QFileInfo& copy : NewestFirst(folder)) {
    if (excluded.contains(copy.completeBaseName())) continue;
    if (std::optional<std::string> bytes = ReadFileText(LocalPath(copy.filePath()))) return bytes;
  }
  return std::nullopt;
}

}  // namespace vimbo::merge_bases
