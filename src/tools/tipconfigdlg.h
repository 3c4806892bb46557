// Link setup dialog ("LAN Setup"): how the application reaches the device
// over the network, UDP or TCP, the device's address and port, and the
// local UDP port.
//
// The main window's MIPConfig item (see TSerialPortMenu) runs Execute(link):
// the dialog is filled from the link, shown modally, and when the operator
// applied it, the link's IpRemoteAddress, IpRemotePort, IpLocalPort and
// ConType are written in that order. Checking the menu item and the window
// titles are left to the caller.
#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>

class QLineEdit;
class QRadioButton;
class QPushButton;
class TZelvan_d;

class TIPConfigDlg : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kModeUdp = 2;
  static constexpr int kModeTcp = 3;

  explicit TIPConfigDlg(QWidget* parent = nullptr);

  // Fills the dialog from the link: UDP selects "Udp" (local port field
  // enabled), anything else "Tcp" (local port field disabled); the three
  // fields from IpRemoteAddress, IpRemotePort and IpLocalPort. Clears the
  // applied flag.
  void LoadFromLink(const TZelvan_d& link);
  // Writes an applied dialog to the link: IpRemoteAddress, IpRemotePort,
  // IpLocalPort, then ConType (CON_UDP or CON_TCP). Does nothing unless
  // Applied().
  void ApplyToLink(TZelvan_d& link) const;
  // LoadFromLink, the modal dialog, then ApplyToLink. True when applied.
  bool Execute(TZelvan_d& link);

  // 2 = UDP, 3 = TCP (any other value is turned into TCP when shown).
  int Mode() const { return mode_; }
  void SetMode(int mode);
  QString RemoteAddr() const { return remoteAddr_; }
  int32_t RemotePort() const { return remotePort_; }
  int32_t LocalPort() const { return localPort_; }
  bool Applied() const { return applied_; }

  // Handlers of the buttons (also run by their clicks).
  void BOkClick();
  void BCancelClick();
  void RBUdpClick();
  void RBTcpClick();

  QRadioButton* RBUdp = nullptr;
  QRadioButton* RBTcp = nullptr;
  QLineEdit* ERemoteAddr = nullptr;
  QLineEdit* ERemotePort = nullptr;
  QLineEdit* ELocalPort = nullptr;
  QPushButton* BOk = nullptr;
  QPushButton* BCancel = nullptr;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  int mode_ = kModeTcp;
  QString remoteAddr_ = QStringLiteral("192.168.0.1");
  int32_t remotePort_ = 1000;
  int32_t localPort_ = 10100;
  bool applied_ = false;
};
