#include "ui/document/state_folder.h"

#include <QDir>

namespace vimbo {

QString StateSubfolder(const QString& name) {
  QString base = qEnvironmentVariable("XDG_STATE_HOME");
  // The base folder's rules ask for an absolute path; anything else is
  // ignored as if unset.
  if (base.isEmpty() || QDir::isRelativePath(base)) base = QDir::homePath() + QStringLiteral("/.local/state");
  const QString folder = base + QStringLiteral("/vimbo/") + name;
  return QDir().mkpath(folder) ? folder : QString();
}

}  // namespace vimbo
