// Shared by the tool tests, which run in one binary: the application object
// is created once, by whichever test comes first.
#pragma once

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "device/comports.h"

// The tool tests run in a scratch working directory whose "Option.ini" maps
// COM1 .. COM16 to a path there that does not exist: a link switched to
// RS-232 must not open a real serial device (COMn is /dev/ttyS<n-1> without
// the file). Tests that change directory themselves come back to it.
inline void enterNoDeviceWorkingDir() {
  static bool entered = false;
  if (entered) return;
  entered = true;
  static QTemporaryDir dir;
  if (!dir.isValid()) qFatal("tool tests: no scratch directory: %s", qPrintable(dir.errorString()));
  QByteArray lines;
  for (int n = 1; n <= zelvan::kComPortCount; ++n)
    lines += "COM" + QByteArray::number(n) + '=' +
             QFile::encodeName(dir.filePath(QStringLiteral("no-such-port/COM%1").arg(n))) + "\r\n";
  QFile f(dir.filePath(QStringLiteral("Option.ini")));
  if (!f.open(QIODevice::WriteOnly) || f.write(lines) != lines.size() || !f.flush() ||
      !QDir::setCurrent(dir.path()))
    qFatal("tool tests: cannot set up the scratch working directory %s", qPrintable(dir.path()));
}

inline QApplication* ensureApp() {
  enterNoDeviceWorkingDir();
  static int argc = 1;
  static char name[] = "tools_tests";
  static char* argv[] = {name, nullptr};
  if (!qApp) new QApplication(argc, argv);
  return qobject_cast<QApplication*>(qApp);
}
