#include "device/atomicfile.h"

#include <QSaveFile>

namespace zelvan {

bool writeFileAtomically(const QString& path, const QByteArray& data, QString* error) {
  QSaveFile f(path);
  // Unbuffered, so that a failing write (disk full, size limit) is seen here:
  // a buffered write that fails only while committing can slip through.
  if (f.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
    qint64 done = 0;
    while (done < data.size()) {
      const qint64 n = f.write(data.constData() + done, data.size() - done);
      if (n <= 0) break;
      done += n;
    }
    if (done == data.size() && f.commit()) return true;
  }
  if (error) *error = f.errorString();
  f.cancelWriting();
  return false;
}

}  // namespace zelvan
