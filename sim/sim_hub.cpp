#include "sim/sim_hub.h"

#include <algorithm>

#include "sim/announcement.h"
#include "sim/pty_transport.h"
#include "sim/tcp_transport.h"
#include "sim/udp_transport.h"

namespace zsim {

SimHub::SimHub(const SimSettings& settings, QObject* parent)
    : QObject(parent),
      m_settings(settings),
      m_device(settings.device),
      m_faults(settings.faults, settings.seed, settings.timeScalePercent) {
  m_device.scheduler().setTimeScale(settings.timeScalePercent);
  m_device.setReplySink([this](const std::string& line) { reply(line); });
  m_timer.setSingleShot(true);
  m_timer.setTimerType(Qt::PreciseTimer);
  connect(&m_timer, &QTimer::timeout, this, [this] { pump(); });
  m_clock.start();
}

SimHub::~SimHub() {
  m_device.setReplySink(nullptr);
}

void SimHub::attach(Transport* t) {
  t->onReceived = [this](const QString& source, const QByteArray& bytes) { received(source, bytes); };
  t->onClosed = [this](const QString& source) { m_parsers.erase(source); };
  t->onEvent = [this](const QString& text) { m_log.event(text); };
}

bool SimHub::start(QString* error) {
  if (!m_settings.logPath.isEmpty() && !m_log.open(m_settings.logPath, error)) return false;
  if (m_settings.tcpPort >= 0) {
    m_tcp = std::make_unique<TcpTransport>();
    attach(m_tcp.get());
    if (!m_tcp->listen(m_settings.bind, static_cast<quint16>(m_settings.tcpPort), m_settings.faults.refuseTcp, error)) {
      m_tcp.reset();
      return false;
    }
  }
  if (m_settings.udpPort >= 0) {
    m_udp = std::make_unique<UdpTransport>();
    attach(m_udp.get());
    if (!m_udp->bind(m_settings.bind, static_cast<quint16>(m_settings.udpPort), error)) {
      m_udp.reset();
      m_tcp.reset();
      return false;
    }
  }
  if (m_settings.serial) {
    m_pty = std::make_unique<PtyTransport>();
    attach(m_pty.get());
    if (!m_pty->open(error)) {
      m_pty.reset();
      m_udp.reset();
      m_tcp.reset();
      return false;
    }
  }
  m_log.event(QStringLiteral("started: model %1, options 0x%2, %3").arg(m_settings.device.model)
                  .arg(m_settings.device.options, 4, 16, QLatin1Char('0'))
                  .arg(readinessLines().join(QStringLiteral(", "))));
  return true;
}

quint16 SimHub::tcpPort() const { return m_tcp ? m_tcp->port() : 0; }
quint16 SimHub::udpPort() const { return m_udp ? m_udp->port() : 0; }
QString SimHub::serialPath() const { return m_pty ? m_pty->path() : QString(); }

QStringList SimHub::readinessLines() const {
  QStringList lines;
  if (m_tcp) lines << announcement("tcp", QString::number(tcpPort()));
  if (m_udp) lines << announcement("udp", QString::number(udpPort()));
  if (m_pty) lines << announcement("serial", serialPath());
  return lines;
}

void SimHub::received(const QString& source, const QByteArray& bytes) {
  // Tasks that fell due before these bytes arrived run first.
  m_device.scheduler().advanceTo(now());
  CommandParser& parser = m_parsers[source];
  std::vector<Command> cmds;
  uint64_t ignored = 0;
  m_chunkOutput = 0;
  for (qsizetype pos = 0; pos < bytes.size(); pos += kParseSlice) {
    const qsizetype n = std::min(kParseSlice, bytes.size() - pos);
    cmds.clear();
    parser.feed(std::string_view(bytes.constData() + pos, static_cast<size_t>(n)), cmds);
    for (const Command& c : cmds) {
      if (m_chunkOutput >= kMaxOutputPerChunk) {
        ++ignored;
        continue;
      }
      const bool admitted = m_faults.admitCommand(now());
      m_log.received(source, c.text, !admitted);
      if (admitted) m_device.execute(c);
    }
  }
  if (ignored > 0) {
    m_floodIgnored += ignored;
    m_log.event(QStringLiteral("%1: flood, %2 commands ignored").arg(source).arg(ignored));
  }
  flush();
  arm();
}

void SimHub::reply(const std::string& line) {
  m_chunkOutput += static_cast<qsizetype>(line.size()) + 2;
  if (m_faults.muted(now())) {
    m_log.sent(line, "not sent, mute");
    return;
  }
  const auto shaped = m_faults.shapeReply(line);
  if (!shaped) {
    m_log.sent(line, "dropped");
    return;
  }
  if (shaped->size() != line.size() + 2) m_log.sent(std::string_view(*shaped).substr(0, shaped->size() - 2), "garbage added");
  else m_log.sent(line);
  m_pending.append(shaped->data(), static_cast<qsizetype>(shaped->size()));
}

void SimHub::pump() {
  m_device.scheduler().advanceTo(now());
  flush();
  arm();
}

void SimHub::flush() {
  if (!m_pending.isEmpty()) {
    const int64_t delay = m_faults.scaledDelayMs();
    if (delay <= 0) {
      broadcast(m_pending);
    } else if (m_delayedBytes + m_pending.size() <= kMaxDelayedBytes) {
      m_delayedBytes += m_pending.size();
      m_delayed.emplace_back(now() + delay, m_pending);
      m_delayOverflow = false;
    } else if (!m_delayOverflow) {
      m_delayOverflow = true;
      m_log.event(QStringLiteral("delayed replies exceed %1 bytes: replies dropped").arg(kMaxDelayedBytes));
    }
    m_pending.clear();
  }
  while (!m_delayed.empty() && m_delayed.front().first <= now()) {
    m_delayedBytes -= m_delayed.front().second.size();
    broadcast(m_delayed.front().second);
    m_delayed.pop_front();
  }
}

void SimHub::broadcast(const QByteArray& bytes) {
  if (m_tcp) m_tcp->send(bytes);
  if (m_udp) m_udp->send(bytes);
  if (m_pty) m_pty->send(bytes);
}

void SimHub::arm() {
  int64_t next = m_device.scheduler().untilNext();
  if (!m_delayed.empty()) {
    const int64_t d = std::max<int64_t>(0, m_delayed.front().first - now());
    next = next < 0 ? d : std::min(next, d);
  }
  if (next < 0) {
    m_timer.stop();
    return;
  }
  m_timer.start(static_cast<int>(std::min<int64_t>(next, 1 << 30)));
}

}  // namespace zsim
