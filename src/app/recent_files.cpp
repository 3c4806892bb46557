#include "app/recent_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/app_info.h"
#include "app/settings_files.h"

namespace zelvan::app {
namespace {
constexpr qint64 kMaxListFile = 64 * 1024;
constexpr qsizetype kMaxPathLength = 4096;
}  // namespace

RecentCustomizations::RecentCustomizations(QString storeDir) : storeDir_(std::move(storeDir)) {}

QString RecentCustomizations::storeFile() const {
  const QString dir = storeDir_.isEmpty() ? userConfigDir() : storeDir_;
  return QDir(dir).filePath(QStringLiteral("recent_customizations.txt"));
}

QStringList RecentCustomizations::load() const {
  QStringList out;
  QFile f(storeFile());
  if (!f.open(QIODevice::ReadOnly)) return out;
  const QByteArray bytes = f.read(kMaxListFile);
  for (const QByteArray& raw : bytes.split('\n')) {
    const QString path = QString::fromUtf8(raw).trimmed();
    if (path.isEmpty() || path.size() > kMaxPathLength || path.contains(QChar(0))) continue;
    if (out.contains(path)) continue;
    out.append(path);
    if (out.size() >= kMaxEntries) break;
  }
  return out;
}

bool RecentCustomizations::add(const QString& path) const {
  if (path.isEmpty()) return false;
  const QString full = QFileInfo(path).absoluteFilePath();
  QStringList list = load();
  list.removeAll(full);
  list.prepend(full);
  while (list.size() > kMaxEntries) list.removeLast();
  const QString file = storeFile();
  QDir().mkpath(QFileInfo(file).absolutePath());
  return writeFileAtomically(file, list.join(QLatin1Char('\n')).toUtf8() + '\n');
}

}  // namespace zelvan::app
