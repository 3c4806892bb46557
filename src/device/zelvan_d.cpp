#include "device/zelvan_d.h"

#include <QTimer>
#include <cstring>

#include "device/numbers.h"

using namespace zelvan;

namespace {
constexpr uint32_t kKnownIdentities[] = {27, 29, 31, 36, 37, 38, 39};

bool isKnownIdentity(uint32_t v) {
  for (uint32_t k : kKnownIdentities)
    if (k == v) return true;
  return false;
}

// Change event of each register, by index (nullptr for the six registers
// that fire the address, port and netmask events instead).
using EventMember = TZelvanNotifyEvent TZelvan_d::*;
const std::array<EventMember, kRegisterCount> kChangeEvents = {{
#define ZREG(i, n, c, k, t, lo, hi, w, prop, ev) &TZelvan_d::ev,
#define ZSPECIAL(i, n, c, k, lo, hi, id) nullptr,
#include "device/registers.def"
#undef ZREG
#undef ZSPECIAL
}};

constexpr int kBufferKeep = 10;  // bytes kept while no CR LF has arrived
}  // namespace

TZelvan_d::TZelvan_d(QObject* parent) : QObject(parent) {
  SetRangesAcceptAll();
  m_timer = new QTimer(this);
  m_timer->setInterval(3000);
  connect(m_timer, &QTimer::timeout, this, &TZelvan_d::SupervisorTick);
  m_received.reserve(64);
  initTransports();
}

// ---------------------------------------------------------------- store

uint32_t TZelvan_d::registerValue(int index) const {
  const auto& vals = m_store[static_cast<size_t>(index)];
  if (isPerChannel(registerInfo(index).type)) {
    const uint32_t ch = m_store[Reg::PCHAN][0];
    return vals[ch >= 1 && ch <= 8 ? ch - 1 : 0];
  }
  return vals[0];
}

TZelvanNotifyEvent* TZelvan_d::changeEvent(int index) {
  if (index < 0 || index >= kRegisterCount) return nullptr;
  const EventMember m = kChangeEvents[static_cast<size_t>(index)];
  return m ? &(this->*m) : nullptr;
}

bool TZelvan_d::SetRanges(const std::vector<RangePair>& table) {
  if (table.size() != static_cast<size_t>(kRegisterCount)) return false;
  std::copy(table.begin(), table.end(), m_ranges.begin());
  return true;
}

void TZelvan_d::SetRanges(const RangeTable& table) { m_ranges = table; }

void TZelvan_d::SetRangesAcceptAll() { m_ranges.fill({0u, 0xFFFFFFFFu}); }

void TZelvan_d::StoreReceived(int index, uint32_t value) {
  if (index < 0 || index >= kRegisterCount) return;
  const auto& info = registerInfo(index);
  const RangePair range = m_ranges[static_cast<size_t>(index)];
  if (value >= range.min && value <= range.max) {
    const uint32_t stored = isBool(info.type) ? ((value & 0xFFu) != 0 ? 1u : 0u) : value;
    auto& vals = m_store[static_cast<size_t>(index)];
    switch (info.type) {
      case RegType::U32X8:
      case RegType::BOOLX8: {
        const uint32_t ch = m_store[Reg::PCHAN][0];
        if (ch == 0)
          vals.fill(stored);
        else if (ch <= 8)
          vals[ch - 1] = stored;
        fire(this->*kChangeEvents[static_cast<size_t>(index)]);
        if (index == Reg::PEDGC) {
          fire(OnPEDGC_Zelvan_change);
          fire(OnPEDGC_Softedge_change);
        }
        break;
      }
      case RegType::OCTET:
        storeOctet(index - Reg::IPA_, value);
        break;
      case RegType::PORT:
        storePort(value);
        break;
      case RegType::NTMK:
        storeNetmask(value);
        break;
      default:
        if (index == Reg::DEV) {
          // The supervisor reacts first, then the value is stored and announced.
          if (isKnownIdentity(value) || m_forceConn) {
            if (m_state == Supervisor::Searching) {
              RestartTimer(1);
              m_state = Supervisor::Found;
            } else if (m_state == Supervisor::AwaitingIdentity) {
              m_state = Supervisor::Watching;
            }
          }
          vals[0] = stored;
          fire(OnDEVchange);
          if (m_lastRegister == Reg::DEV || m_rs232busy) fire(ONRS232busy);
        } else {
          vals[0] = stored;
          fire(this->*kChangeEvents[static_cast<size_t>(index)]);
        }
        break;
    }
  }
  m_lastRegister = index;
  if (m_loadActive && index == m_loadAwaited) replayStep();
}

int32_t TZelvan_d::ReadRegister(int index) {
  if (index < 0 || index >= kRegisterCount) return 0;
  m_lastRegister = index;
  const uint32_t v = registerValue(index);
  if (isBool(registerInfo(index).type)) return v ? -1 : 0;
  return static_cast<int32_t>(v);
}

// ------------------------------------------------------ addresses, ports, mask

void TZelvan_d::storeOctet(int octet, uint32_t value) {
  const uint32_t set = m_store[Reg::PADIP][0];
  // An octet slot is a signed 32-bit number: larger reports are not stored.
  if (value <= 0x7FFFFFFFu) {
    if (set == 0) {
      for (auto& s : m_octets) s[octet] = static_cast<int32_t>(value);
    } else if (set <= 3) {
      m_octets[set - 1][octet] = static_cast<int32_t>(value);
    }
  }
  m_addressesBuilt = true;
  fire(OnLOCAL_IPchange);
  fire(OnREMOTE_IPchange);
  fire(OnGATEWAY_IPchange);
}

QString TZelvan_d::addressString(int set) const {
  if (!m_addressesBuilt) return {};
  const auto& o = m_octets[set];
  return QStringLiteral("%1.%2.%3.%4").arg(o[0]).arg(o[1]).arg(o[2]).arg(o[3]);
}

void TZelvan_d::storePort(uint32_t value) {
  const uint32_t set = m_store[Reg::PADIP][0];
  if (value <= 0x7FFFFFFFu) {
    const auto p = static_cast<int32_t>(value);
    if (set == 0 || set == 1) m_localPort = p;
    if (set == 0 || set == 2) m_remotePort = p;
  }
  fire(OnLOCAL_PORTchange);
  fire(OnREMOTE_PORTchange);
}

void TZelvan_d::storeNetmask(uint32_t value) {
  // 32 host bits or more have no mask of their own: they read 0.0.0.0.
  const uint32_t m = netmaskFromHostBits(value);
  m_netmask = QStringLiteral("%1.%2.%3.%4").arg(m >> 24).arg((m >> 16) & 0xFF).arg((m >> 8) & 0xFF).arg(m & 0xFF);
  fire(OnNETMASKchange);
}

void TZelvan_d::sendAddress(uint32_t set, const QString& dotted) {
  const auto v = parseDotted(dotted.toStdString());
  if (!v) return;
  SendRegister(Reg::PADIP, set);
  SendRegister(Reg::IPD_, *v & 0xFF);
  SendRegister(Reg::IPC_, (*v >> 8) & 0xFF);
  SendRegister(Reg::IPB_, (*v >> 16) & 0xFF);
  SendRegister(Reg::IPA_, *v >> 24);
}

void TZelvan_d::sendPort(uint32_t set, int32_t p) {
  if (p < 0) return;
  SendRegister(Reg::PADIP, set);
  SendRegister(Reg::PORT_, static_cast<uint32_t>(p));
}

void TZelvan_d::setNETMASK(const QString& dotted) {
  const auto v = parseDotted(dotted.toStdString());
  if (!v) return;
  SendRegister(Reg::NTMK_, static_cast<uint32_t>(netmaskHostBits(*v)));
}

// ---------------------------------------------------------------- protocol

void TZelvan_d::SendRegister(int index, uint32_t value) {
  if (!m_connected || index < 0 || index >= kRegisterCount) return;
  QByteArray cmd = QByteArray::number(value);
  const auto code = registerInfo(index).code;
  cmd.append(code.data(), qsizetype(code.size()));
  SendRaw(cmd);
  m_sentString = QString::fromLatin1(cmd);
  fire(OnSentString);
}

void TZelvan_d::QueryRegister(int index) {
  if (index < 0 || index >= kRegisterCount) return;
  const auto code = registerInfo(index).code;
  const QByteArray cmd(code.data(), qsizetype(code.size()));
  SendRaw(cmd);
  m_sentString = QString::fromLatin1(cmd);
  fire(OnSentString);
}

void TZelvan_d::ProcessReceived(const char* data, qsizetype size) {
  supervisorDataArrived();
  if (size > 0) m_rx.append(data, size);
  // A handler that feeds more data in (a loop-back peer) only appends: the
  // outer pass picks the new lines up in order.
  if (m_processing) return;
  m_processing = true;
  processLines();
  m_processing = false;
}

void TZelvan_d::processLines() {
  for (;;) {
    const char* base = m_rx.constData();
    const qsizetype end = m_rx.size();
    // Find the first CR LF from the current position.
    const char* p = base + m_rxPos;
    const char* lineEnd = nullptr;
    for (;;) {
      const void* cr = std::memchr(p, '\r', static_cast<size_t>(base + end - p));
      if (!cr) break;
      const char* c = static_cast<const char*>(cr);
      if (c + 1 < base + end && c[1] == '\n') {
        lineEnd = c;
        break;
      }
      p = c + 1;
    }
    if (!lineEnd) {
      // No complete line: keep at most the last 10 bytes.
      const qsizetype pending = end - m_rxPos;
      if (pending > kBufferKeep) m_rxPos = end - kBufferKeep;
      m_rx.remove(0, m_rxPos);
      m_rxPos = 0;
      return;
    }
    const qsizetype start = m_rxPos;
    const auto len = static_cast<size_t>(lineEnd - (base + start));
    m_rxPos = (lineEnd - base) + 2;
    const std::string_view line(base + start, len);
    const LineMatch m = matchReplyLine(line);
    if (m.index < 0) continue;
    m_received.assign(line.data(), line.size());  // `line` may not outlive the handlers below
    fire(OnRecString);
    if (m.valueValid) {
      StoreReceived(m.index, m.value);
    } else {
      // A negative or over-large number is outside every register's range:
      // dropped like any out-of-range report.
      m_lastRegister = m.index;
      if (m_loadActive && m.index == m_loadAwaited) replayStep();
    }
  }
}

// -------------------------------------------------------------- supervisor

int TZelvan_d::scaled(int ms) const {
  if (ms <= 1) return ms;
  const int v = static_cast<int>(static_cast<long long>(ms) * m_timeScalePercent / 100);
  return v < 1 ? 1 : v;
}

void TZelvan_d::RestartTimer(int ms) {
  m_periodMs = ms;
  m_timer->stop();
  m_timer->setInterval(scaled(ms));
  m_timer->start();
}

int TZelvan_d::SupervisorInterval() const { return m_timer->interval(); }
bool TZelvan_d::SupervisorTimerActive() const { return m_timer->isActive(); }

void TZelvan_d::clearConnectionState() {
  if (m_store[Reg::DEV][0] != 0) {
    m_store[Reg::DEV][0] = 0;
    fire(OnDEVchange);
  }
  if (m_ready) {
    m_ready = false;
    fire(OnReady);
  }
  if (m_connected) {
    m_connected = false;
    fire(OnConnected);
  }
}

void TZelvan_d::SupervisorTick() {
  // SupervisorState() reports the enumerators' positions: keep them in order.
  static_assert(static_cast<int>(Supervisor::AwaitingIdentity) == 6);
  switch (m_state) {
    case Supervisor::Idle:
      if (m_forceConn) {
        m_state = Supervisor::Found;
        RestartTimer(1);
      } else {
        clearConnectionState();
        m_state = Supervisor::Searching;
        RestartTimer(2000);
      }
      break;
    case Supervisor::Searching:
      RestartTimer(2000);
      QueryRegister(Reg::DEV);
      break;
    case Supervisor::Found:
      m_state = Supervisor::Connected;
      RestartTimer(2000);
      if (!m_connected) {
        m_connected = true;
        fire(OnConnected);
      }
      break;
    case Supervisor::Connected:
      m_state = Supervisor::AwaitingState;
      RestartTimer(2000);
      SendRaw(QByteArray("#\r\n"));
      break;
    case Supervisor::AwaitingState:
      m_state = Supervisor::Watching;
      RestartTimer(1);
      if (!m_ready) {
        m_ready = true;
        fire(OnReady);
      }
      break;
    case Supervisor::Watching:
      m_state = Supervisor::AwaitingIdentity;
      RestartTimer(2000);
      QueryRegister(Reg::DEV);
      break;
    case Supervisor::AwaitingIdentity:
      m_state = m_forceConn ? Supervisor::Watching : Supervisor::Idle;
      RestartTimer(1);
      break;
  }
}

void TZelvan_d::supervisorDataArrived() {
  // Any data from the device postpones the next tick while the supervisor
  // searches or watches (not in Idle, nor in Found, which is about to go on).
  if (m_state != Supervisor::Idle && m_state != Supervisor::Found) RestartTimer(2000);
}

void TZelvan_d::setForceConn(bool v) {
  if (v == m_forceConn) return;
  m_forceConn = v;
  if (v) {
    m_state = Supervisor::Found;
    RestartTimer(1);
  } else {
    RestartTimer(1);
    m_state = Supervisor::Idle;
  }
}

void TZelvan_d::setTrelo_s_plug_and_play(bool v) {
  if (v) m_state = Supervisor::Idle;
}
