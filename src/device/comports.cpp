#include "device/comports.h"

#include <QFile>
#include <QSerialPort>

namespace zelvan {

QString comPortName(int n) {
  return n >= 10 ? QStringLiteral("\\\\.\\COM%1").arg(n) : QStringLiteral("COM%1").arg(n);
}

int comPortNumber(const QString& name) {
  QString s = name;
  if (s.startsWith(QLatin1String("\\\\.\\"))) s = s.mid(4);
  if (!s.startsWith(QLatin1String("COM"), Qt::CaseInsensitive)) return 0;
  bool ok = false;
  const int n = s.mid(3).toInt(&ok);
  return ok && n >= 1 && n <= 255 ? n : 0;
}

QString resolveComPort(const QString& name, const QString& optionFile) {
  const int n = comPortNumber(name);
  if (n == 0) return name;
  QFile f(optionFile);
  // The option file is small; anything larger is not ours and is ignored.
  if (f.size() <= 1 << 20 && f.open(QIODevice::ReadOnly)) {
    const QByteArray key = "COM" + QByteArray::number(n) + '=';
    while (!f.atEnd()) {
      const QByteArray line = f.readLine(4096).trimmed();
      if (line.startsWith(key)) {
        const QString path = QString::fromLocal8Bit(line.mid(key.size())).trimmed();
        if (!path.isEmpty()) return path;
      }
    }
  }
  return QStringLiteral("/dev/ttyS%1").arg(n - 1);
}

bool probeComPort(const QString& name) {
  QSerialPort port;
  port.setPortName(resolveComPort(name));
  if (!port.open(QIODevice::ReadWrite)) return false;
  port.close();
  return true;
}

}  // namespace zelvan
