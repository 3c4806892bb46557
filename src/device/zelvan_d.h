// TZelvan_d: the device link. It mirrors the device's registers, sends
// commands and queries over the selected transport, cuts received bytes into
// reply lines, stores accepted reports and fires their change events, finds
// and watches the device with the connection supervisor, and saves and
// replays device state snapshot files.
//
// Writing a register property never changes the mirror: it sends the
// command, and the mirror changes when the device reports the register back.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "device/catalogue.h"

class QTimer;
class TLinkTransport;
class TSerialTransport;
class TTcpTransport;
class TUdpTransport;

// Every event of the link: Sender is the link, nroOkrim its Tag.
using TZelvanNotifyEvent = std::function<void(QObject* Sender, int nroOkrim)>;

enum tConnectionType { CON_NONE = 0, CON_RS232 = 1, CON_UDP = 2, CON_TCP = 3 };

#define ZT_U32 uint32_t
#define ZT_BOOL bool
#define ZT_U32X8 uint32_t
#define ZT_BOOLX8 bool

class TZelvan_d : public QObject {
  Q_OBJECT

 public:
  explicit TZelvan_d(QObject* parent = nullptr);
  ~TZelvan_d() override;

  // ---- Register properties (getter, setter for the writable ones, change event) ----
#define ZREG_SETTER_RW(type, prop, i) \
  void set##prop(type v) { SendRegister(i, static_cast<uint32_t>(v)); }
#define ZREG_SETTER_RO(type, prop, i)
#define ZREG(i, n, c, k, t, lo, hi, w, prop, ev)                          \
  ZT_##t prop() const { return static_cast<ZT_##t>(registerValue(i)); } \
  ZREG_SETTER_##w(ZT_##t, prop, i) TZelvanNotifyEvent ev;
#define ZSPECIAL(i, n, c, k, lo, hi, id)
#include "device/registers.def"
#undef ZREG
#undef ZSPECIAL
#undef ZREG_SETTER_RW
#undef ZREG_SETTER_RO

  // Network addresses, ports and netmask, fed by the octet, PORT and NTMK reports.
  QString LOCAL_IP() const { return addressString(0); }
  QString REMOTE_IP() const { return addressString(1); }
  QString GATEWAY_IP() const { return addressString(2); }
  void setLOCAL_IP(const QString& dotted) { sendAddress(1, dotted); }
  void setREMOTE_IP(const QString& dotted) { sendAddress(2, dotted); }
  void setGATEWAY_IP(const QString& dotted) { sendAddress(3, dotted); }
  int32_t LOCAL_PORT() const { return m_localPort; }
  int32_t REMOTE_PORT() const { return m_remotePort; }
  void setLOCAL_PORT(int32_t p) { sendPort(1, p); }
  void setREMOTE_PORT(int32_t p) { sendPort(2, p); }
  QString NETMASK() const { return m_netmask; }
  void setNETMASK(const QString& dotted);
  // One octet (0..3 = A..D) of address set 1..3, as stored.
  int32_t addressOctet(int set, int octet) const { return m_octets[set - 1][octet]; }

  TZelvanNotifyEvent OnLOCAL_IPchange, OnREMOTE_IPchange, OnGATEWAY_IPchange;
  TZelvanNotifyEvent OnLOCAL_PORTchange, OnREMOTE_PORTchange, OnNETMASKchange;
  TZelvanNotifyEvent OnPEDGC_Zelvan_change, OnPEDGC_Softedge_change;

  // ---- Properties that belong to no register ----
  bool Connected() const { return m_connected; }
  bool Ready() const { return m_ready; }
  bool ForceConn() const { return m_forceConn; }
  void setForceConn(bool v);
  tConnectionType ConType() const { return m_conType; }
  void setConType(tConnectionType v);
  QString Port() const { return m_port; }
  void setPort(const QString& name);
  int32_t IpLocalPort() const { return m_ipLocalPort; }
  void setIpLocalPort(int32_t p);
  int32_t IpRemotePort() const { return m_ipRemotePort; }
  void setIpRemotePort(int32_t p);
  QString IpRemoteAddress() const { return m_ipRemoteAddress; }
  void setIpRemoteAddress(const QString& a);
  bool RS232busy() const { return m_rs232busy; }
  void setRS232busy(bool v) { m_rs232busy = v; }
  QString receivedString() const { return QString::fromLatin1(m_received.data(), qsizetype(m_received.size())); }
  QString sentString() const { return m_sentString; }
  void setSentString(const QString& s) { m_sentString = s; }
  void setTrelo_s_plug_and_play(bool v);
  int32_t Tag() const { return m_tag; }
  void setTag(int32_t t) { m_tag = t; }

  TZelvanNotifyEvent OnConnected, OnReady, OnRecString, OnSentString;
  TZelvanNotifyEvent OnConTypechange, OnIpLocalPortchange, OnIpRemotePortchange, OnIpRemoteAddresschange;
  TZelvanNotifyEvent OnVarNroLigneMiniConfigOfFile, ONRS232busy;

  // Shows an error to the operator (the UDP send error, a failed snapshot
  // save). The application connects it to a modal message box.
  std::function<void(const QString& text)> OnErrorMessage;

  // ---- Protocol ----
  void SendRegister(int index, uint32_t value);
  void QueryRegister(int index);
  void SendRaw(const QByteArray& text);
  void SendRaw(const QString& text) { SendRaw(text.toLatin1()); }
  void ProcessReceived(const QByteArray& bytes) { ProcessReceived(bytes.constData(), bytes.size()); }
  void ProcessReceived(const char* data, qsizetype size);
  void StoreReceived(int index, uint32_t value);
  // Bytes received and not yet cut into lines (at most 10 without a CR LF).
  qsizetype receiveBufferSize() const { return m_rx.size() - m_rxPos; }
  int32_t ReadRegister(int index);

  // ---- Ranges ----
  // Installs a table of exactly 316 pairs in index order; false (and nothing
  // changed) for a table of another size.
  bool SetRanges(const std::vector<zelvan::RangePair>& table);
  void SetRanges(const zelvan::RangeTable& table);
  void SetRangesAcceptAll();
  zelvan::RangePair Range(int index) const { return m_ranges[static_cast<size_t>(index)]; }

  // ---- Generic access by index (debug console, tests, simulator tools) ----
  // The value as the property reads it (per-channel: channel PCHAN or 1).
  uint32_t registerValue(int index) const;
  // The value of one processing channel 1..8 of a per-channel register.
  uint32_t channelValue(int index, int channel) const {
    return m_store[static_cast<size_t>(index)][static_cast<size_t>(channel - 1)];
  }
  TZelvanNotifyEvent* changeEvent(int index);

  // ---- Snapshot file ----
  // Writes the snapshot; on failure reports it through OnErrorMessage and returns false.
  bool setPropertyVarSaveMiniConfigToFile(const QString& path);
  void setPropertyVarLoadMiniConfigToFile(const QString& path);
  uint32_t PropertyVarNroLigneMiniConfigOfFile() const { return m_loadProgress; }
  void setPropertyVarNroLigneMiniConfigOfFile(uint32_t nextIndex) { m_loadNext = nextIndex; }
  QString PropertyVarSaveMiniConfigToFile() const { return m_savePath; }
  QString PropertyVarLoadMiniConfigToFile() const { return m_loadPath; }
  // The snapshot as it would be written (CR LF after each line).
  QByteArray SnapshotText();
  bool SnapshotLoadInProgress() const { return m_loadActive; }

  // ---- Supervisor, exposed for tests and the debug console ----
  // The state's number, 0..6 (see Supervisor below).
  int SupervisorState() const { return static_cast<int>(m_state); }
  void SupervisorTick();
  // Stops the supervisor timer, sets its period to ms (scaled as below) and
  // starts it again: the next tick comes ms milliseconds later.
  void RestartTimer(int ms);
  int SupervisorInterval() const;
  bool SupervisorTimerActive() const;
  // Scales every supervisor period (2000 ms, 3000 ms) by percent/100, at
  // least 1 ms; 100 is the production timing. Tests use a small scale.
  void setSupervisorTimeScale(int percent) { m_timeScalePercent = percent > 0 ? percent : 100; }

  // ---- Transports ----
  // Each Open/Close works on its own transport whichever is selected.
  // Closing one, and starting one that is not yet open or on its way, send
  // the supervisor back to state 0. Only the transport ConType selects
  // carries bytes: the others' received bytes are read and dropped.
  void OpenSerial();
  void CloseSerial();
  void OpenUdp();
  void CloseUdp();
  void OpenTcp();
  void CloseTcp();
  bool SerialOpen() const;
  bool UdpActive() const;
  bool TcpConnected() const;

 private:
  // The connection supervisor's states. Each state's number is what
  // SupervisorState() returns.
  enum class Supervisor {
    Idle,             // 0: next tick clears the connection state and starts searching
    Searching,        // 1: asks for the identity every 2 s until a known one answers
    Found,            // 2: known identity seen; next tick announces Connected
    Connected,        // 3: next tick asks for the full state
    AwaitingState,    // 4: full state asked; next tick announces Ready
    Watching,         // 5: ready; next tick asks for the identity again
    AwaitingIdentity  // 6: identity asked; an answer returns to 5, silence drops to 0
                      //    (to 5 under ForceConn)
  };

  void fire(const TZelvanNotifyEvent& ev) {
    if (ev) ev(this, m_tag);
  }
  void processLines();
  void supervisorDataArrived();
  int scaled(int ms) const;
  void clearConnectionState();
  void sendAddress(uint32_t set, const QString& dotted);
  void sendPort(uint32_t set, int32_t p);
  QString addressString(int set) const;
  void storeOctet(int octet, uint32_t value);
  void storePort(uint32_t value);
  void storeNetmask(uint32_t value);
  void replayStep();
  QByteArray loadLine(uint32_t index);
  void initTransports();
  TLinkTransport* transportFor(tConnectionType type) const;
  // The three transports, serial, UDP and TCP.
  std::array<TLinkTransport*, 3> transports() const;
  void closeTransport(TLinkTransport& transport);
  void pointTransports(const QString& address, int32_t port);
  void onTcpError();

  // Register store: eight slots for every register; single registers use slot 0.
  std::array<std::array<uint32_t, zelvan::kChannels>, zelvan::kRegisterCount> m_store{};
  zelvan::RangeTable m_ranges{};
  int32_t m_octets[3][4]{};
  bool m_addressesBuilt = false;
  int32_t m_localPort = 0;
  int32_t m_remotePort = 0;
  QString m_netmask;

  bool m_connected = false;
  bool m_ready = false;
  bool m_forceConn = false;
  tConnectionType m_conType = CON_NONE;
  QString m_port;
  int32_t m_ipLocalPort = 10000;
  int32_t m_ipRemotePort = 10500;
  QString m_ipRemoteAddress = QStringLiteral("192.168.0.10");
  bool m_rs232busy = false;
  std::string m_received;
  QString m_sentString;
  int32_t m_tag = 0;
  int m_lastRegister = 0;

  // Receive buffer: bytes from m_rxPos on are not yet consumed.
  QByteArray m_rx;
  qsizetype m_rxPos = 0;
  bool m_processing = false;

  // Supervisor.
  Supervisor m_state = Supervisor::Idle;
  QTimer* m_timer = nullptr;
  int m_periodMs = 3000;  // the supervisor period before scaling
  int m_timeScalePercent = 100;

  // Transports: all three exist (children of the link); m_active is the
  // one ConType selects, nullptr for none. Sends go to m_active only, and
  // only its received bytes reach ProcessReceived.
  TSerialTransport* m_serial = nullptr;
  TUdpTransport* m_udp = nullptr;
  TTcpTransport* m_tcp = nullptr;
  TLinkTransport* m_active = nullptr;

  // Snapshot replay.
  QString m_savePath;
  QString m_loadPath;
  // The file's text is kept as read; lines are found by walking a cursor
  // through it, so a file of millions of tiny lines costs no more memory
  // than its own size.
  QByteArray m_loadText;
  qsizetype m_loadCursorPos = 0;  // start of line m_loadCursorLine in m_loadText
  uint32_t m_loadCursorLine = 0;
  uint32_t m_loadCount = 0;
  uint32_t m_loadNext = 0;
  int m_loadAwaited = 0;
  bool m_loadActive = false;
  uint32_t m_loadProgress = 0;
};
