// Device LAN dialog: the device's own network settings (its address, port,
// gateway and netmask, and the peer it talks to), read from and written to
// the device's LAN registers. The main window sets its caption per model
// ("ARLEN LAN Setup", ...) and shows "Apply" only while the link is
// connected (SetConnected from its connection handler).
//
// The main window's LAN item runs Execute(link): fill from the link's
// registers, show modally, and when applied write the registers.
//
// Following the device: the dialog's fields track the link's reports whether
// it is shown or not. The application's report router calls the matching
// *Changed method for each of the seven LAN events (LOCAL_IP, REMOTE_IP,
// GATEWAY_IP, LOCAL_PORT, REMOTE_PORT, NETMASK and TCPIP).
#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>

class QLineEdit;
class QRadioButton;
class QPushButton;
class TZelvan_d;

class TRs232LanDlg : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kModeRs232 = 1;
  static constexpr int kModeUdp = 2;
  static constexpr int kModeTcp = 3;

  explicit TRs232LanDlg(QWidget* parent = nullptr);

  // Mode 1 when LANENABLE is false, else 3 when TCPIP is true, else 2; the
  // six fields from LOCAL_IP, REMOTE_IP, GATEWAY_IP, LOCAL_PORT,
  // REMOTE_PORT and NETMASK; "Apply" shown when the link is connected.
  // Clears the applied flag.
  void LoadFromLink(const TZelvan_d& link);
  // Writes an applied dialog to the device: mode 1 clears LANENABLE only;
  // modes 2 and 3 write TCPIP, the three addresses, the two ports and the
  // netmask (disabled fields included), then LANSTORE and LANENABLE. Does
  // nothing unless Applied(). The link sends only while connected.
  void ApplyToLink(TZelvan_d& link) const;
  // LoadFromLink, the modal dialog, then ApplyToLink. True when applied.
  bool Execute(TZelvan_d& link);

  // Shows "Apply" only while the link is connected.
  void SetConnected(bool connected);

  void LocalIpChanged(const TZelvan_d& link);      // ELocalAddr := LOCAL_IP
  void RemoteIpChanged(const TZelvan_d& link);     // ERemoteAddr := REMOTE_IP
  void GatewayIpChanged(const TZelvan_d& link);    // EGatewayAddr := GATEWAY_IP
  void LocalPortChanged(const TZelvan_d& link);    // ELocalPort := LOCAL_PORT
  void RemotePortChanged(const TZelvan_d& link);   // ERemotePort := REMOTE_PORT
  void NetmaskChanged(const TZelvan_d& link);      // ENetMask := NETMASK
  void TcpipChanged(const TZelvan_d& link);        // mode 3 if TCPIP, else 2

  // 1 = RS-232 only, 2 = UDP, 3 = TCP; selects the radio button and enables
  // the fields of that mode.
  int Mode() const { return mode_; }
  void SetMode(int mode);

  // The values taken by "Apply".
  QString LocalAddr() const { return localAddr_; }
  QString RemoteAddr() const { return remoteAddr_; }
  QString GatewayAddr() const { return gatewayAddr_; }
  QString NetMask() const { return netMask_; }
  int32_t LocalPort() const { return localPort_; }
  int32_t RemotePort() const { return remotePort_; }
  bool Applied() const { return applied_; }

  void BOkClick();
  void BCancelClick();
  void RBRs232Click();
  void RBTcpClick();
  void RBUdpClick();

  QRadioButton* RBRs232 = nullptr;
  QRadioButton* RBTcp = nullptr;
  QRadioButton* RBUdp = nullptr;
  QLineEdit* ELocalAddr = nullptr;
  QLineEdit* ELocalPort = nullptr;
  QLineEdit* EGatewayAddr = nullptr;
  QLineEdit* ENetMask = nullptr;
  QLineEdit* ERemoteAddr = nullptr;
  QLineEdit* ERemotePort = nullptr;
  QPushButton* BOk = nullptr;
  QPushButton* BCancel = nullptr;

 private:
  int mode_ = kModeRs232;
  QString localAddr_ = QStringLiteral("192.168.0.1");
  QString remoteAddr_ = QStringLiteral("192.168.0.1");
  QString gatewayAddr_ = QStringLiteral("192.168.0.1");
  QString netMask_ = QStringLiteral("255.255.255.0");
  int32_t localPort_ = 10100;
  int32_t remotePort_ = 1000;
  bool applied_ = false;
};
