// SimHub: one simulator run. It owns the device, the transports, the fault
// injection and the transcript; it parses what each peer sends, runs the
// device's clock from a real one, and sends every report to every peer.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <deque>
#include <map>
#include <memory>

#include "sim/command_parser.h"
#include "sim/fault_injector.h"
#include "sim/sim_device.h"
#include "sim/sim_options.h"
#include "sim/transcript_log.h"

namespace zsim {

class TcpTransport;
class UdpTransport;
class PtyTransport;
class Transport;

class SimHub : public QObject {
 public:
  // Replies held back by --delay are capped here; beyond it they are dropped.
  static constexpr qsizetype kMaxDelayedBytes = 1 << 20;
  // Output one received chunk may cause (counting reports that a fault
  // drops); the rest of a flood is ignored so that a chunk of "#" or "?"
  // cannot make the event thread work for minutes.
  static constexpr qsizetype kMaxOutputPerChunk = 256 * 1024;
  // Received bytes are parsed and executed in slices of this size.
  static constexpr qsizetype kParseSlice = 4096;

  explicit SimHub(const SimSettings& settings, QObject* parent = nullptr);
  ~SimHub() override;

  // Opens the transports; on failure nothing stays open and error says why.
  bool start(QString* error);

  quint16 tcpPort() const;
  quint16 udpPort() const;
  QString serialPath() const;
  // The lines a script waits for: "tcp: PORT", "udp: PORT", "serial: PATH".
  QStringList readinessLines() const;

  SimDevice& device() { return m_device; }
  const FaultInjector& faults() const { return m_faults; }
  uint64_t floodIgnored() const { return m_floodIgnored; }
  const SimSettings& settings() const { return m_settings; }
  // Milliseconds since the simulator started: the clock of the fault
  // injection (mute windows) and of the delayed replies.
  int64_t now() const { return m_clock.elapsed(); }

 private:
  void attach(Transport* t);
  void received(const QString& source, const QByteArray& bytes);
  void reply(const std::string& line);
  void pump();
  void flush();
  void broadcast(const QByteArray& bytes);
  void arm();

  SimSettings m_settings;
  SimDevice m_device;
  FaultInjector m_faults;
  TranscriptLog m_log;
  QElapsedTimer m_clock;
  QTimer m_timer;
  std::map<QString, CommandParser> m_parsers;
  QByteArray m_pending;
  std::deque<std::pair<int64_t, QByteArray>> m_delayed;
  qsizetype m_delayedBytes = 0;
  bool m_delayOverflow = false;
  uint64_t m_floodIgnored = 0;
  // Report bytes produced since the current chunk began, whether they go
  // out, are dropped or are held back by a mute: bounds the work of a chunk.
  qsizetype m_chunkOutput = 0;
  std::unique_ptr<TcpTransport> m_tcp;
  std::unique_ptr<UdpTransport> m_udp;
  std::unique_ptr<PtyTransport> m_pty;
};

}  // namespace zsim
