// Serial side of the simulator: a pseudo-terminal in raw mode. The link
// opens its slave side (the path printed at start) like a serial port; the
// simulator reads and writes the master side.
#pragma once

#include <QByteArray>
#include <QSocketNotifier>
#include <QString>
#include <QTimer>
#include <memory>

#include "sim/transport.h"

namespace zsim {

class PtyTransport : public Transport {
 public:
  // Reports waiting for a slow reader (or for none: a serial line without a
  // listener loses what is sent) are capped here; the excess is dropped.
  static constexpr qsizetype kMaxQueuedBytes = 16 * 1024;

  explicit PtyTransport(QObject* parent = nullptr);
  ~PtyTransport() override;

  bool open(QString* error);
  QString path() const { return m_path; }
  void send(const QByteArray& bytes) override;

 private:
  void readMaster();
  void writeMaster();
  void closeAll();

  int m_master = -1;
  int m_slave = -1;  // kept open so the master never sees a hang-up between clients
  QString m_path;
  QByteArray m_out;
  bool m_overflowing = false;  // reports are being dropped (noted once per episode)
  std::unique_ptr<QSocketNotifier> m_readNotifier;
  std::unique_ptr<QSocketNotifier> m_writeNotifier;
  QTimer m_retry;  // re-arms reading after a read error
};

}  // namespace zsim
