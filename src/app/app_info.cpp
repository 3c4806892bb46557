#include "app/app_info.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

#ifndef ZELVAN_APP_VERSION
#define ZELVAN_APP_VERSION "0.0.0"
#endif

namespace zelvan::app {
namespace {
QString& appDirOverride() {
  static QString dir;
  return dir;
}
QString& configDirOverride() {
  static QString dir;
  return dir;
}
}  // namespace

QString applicationTitle() { return QStringLiteral("Zelvan remote control"); }
QString fileDescription() { return QStringLiteral("Zelvan remote control"); }
QString productName() { return QStringLiteral("Zelvan"); }

FileVersion parseFileVersion(const QString& text) {
  FileVersion v;
  const QStringList parts = text.trimmed().split(QLatin1Char('.'));
  if (parts.isEmpty() || parts.size() > 4) return v;
  int values[4] = {0, 0, 0, 0};
  for (int i = 0; i < parts.size(); ++i) {
    bool ok = false;
    const int n = parts[i].toInt(&ok);
    if (!ok || n < 0) return v;
    values[i] = n;
  }
  v.major = values[0];
  v.minor = values[1];
  v.release = values[2];
  v.build = values[3];
  v.valid = true;
  return v;
}

FileVersion fileVersion() { return parseFileVersion(QStringLiteral(ZELVAN_APP_VERSION)); }

QString versionCaption(const FileVersion& v) {
  auto two = [](int n) { return n < 10 ? QStringLiteral("0%1").arg(n) : QString::number(n); };
  return QStringLiteral("Version : %1.%2.%3.%4").arg(QString::number(v.major), two(v.minor), two(v.release), two(v.build));
}

QString applicationDir() {
  if (!appDirOverride().isEmpty()) return appDirOverride();
  if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
  return QDir::currentPath();
}

void setApplicationDirOverride(const QString& dir) { appDirOverride() = dir; }

QString logoSettingsDir() {
  const QString own = applicationDir();
  const QFileInfo info(own);
  if (info.isDir() && info.isWritable()) return own;
  QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  if (data.isEmpty()) return own;
  QDir().mkpath(data);
  return data;
}

QString userConfigDir() {
  if (!configDirOverride().isEmpty()) return configDirOverride();
  return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
}

void setUserConfigDirOverride(const QString& dir) { configDirOverride() = dir; }

}  // namespace zelvan::app
