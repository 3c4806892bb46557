#include "tools/trs232landlg.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "device/zelvan_d.h"
#include "tools/lan_fields.h"
#include "widgets/uidialogs.h"

using zelvan::lanfields::makeField;
using zelvan::lanfields::parsePort;
using zelvan::lanfields::setFieldEnabled;

TRs232LanDlg::TRs232LanDlg(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Rs232LanDlg"));
  setWindowTitle(QStringLiteral("LAN Setup"));
  setModal(true);

  auto* modeBox = new QGroupBox(QStringLiteral("Connection Mode"), this);
  modeBox->setObjectName(QStringLiteral("GroupBoxMode"));
  RBRs232 = new QRadioButton(QStringLiteral("Rs232"), modeBox);
  RBRs232->setObjectName(QStringLiteral("RBRs232"));
  RBTcp = new QRadioButton(QStringLiteral("Tcp"), modeBox);
  RBTcp->setObjectName(QStringLiteral("RBTcp"));
  RBUdp = new QRadioButton(QStringLiteral("Udp"), modeBox);
  RBUdp->setObjectName(QStringLiteral("RBUdp"));
  auto* modeLayout = new QHBoxLayout(modeBox);
  modeLayout->addWidget(RBRs232);
  modeLayout->addWidget(RBTcp);
  modeLayout->addWidget(RBUdp);

  ELocalAddr = makeField(this, "ELocalAddr", "192.168.0.1");
  ELocalPort = makeField(this, "ELocalPort", "10100");
  EGatewayAddr = makeField(this, "EGatewayAddr", "192.168.0.1");
  ENetMask = makeField(this, "ENetMask", "255.255.255.0");
  ERemoteAddr = makeField(this, "ERemoteAddr", "192.168.0.1");
  ERemotePort = makeField(this, "ERemotePort", "1000");
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Local Address :"), ELocalAddr);
  form->addRow(QStringLiteral("Local Port :"), ELocalPort);
  form->addRow(QStringLiteral("Gateway :"), EGatewayAddr);
  form->addRow(QStringLiteral("NetMask :"), ENetMask);
  form->addRow(QStringLiteral("Remote Address :"), ERemoteAddr);
  form->addRow(QStringLiteral("Remote Port :"), ERemotePort);

  BOk = new QPushButton(QStringLiteral("Apply"), this);
  BOk->setObjectName(QStringLiteral("BOk"));
  BOk->setDefault(true);
  BCancel = new QPushButton(QStringLiteral("Exit"), this);
  BCancel->setObjectName(QStringLiteral("BCancel"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BOk);
  buttons->addWidget(BCancel);

  auto* top = new QVBoxLayout(this);
  top->addWidget(modeBox);
  top->addLayout(form);
  top->addLayout(buttons);

  connect(RBRs232, &QRadioButton::clicked, this, [this] { RBRs232Click(); });
  connect(RBTcp, &QRadioButton::clicked, this, [this] { RBTcpClick(); });
  connect(RBUdp, &QRadioButton::clicked, this, [this] { RBUdpClick(); });
  connect(BOk, &QPushButton::clicked, this, [this] { BOkClick(); });
  connect(BCancel, &QPushButton::clicked, this, [this] { BCancelClick(); });

  SetMode(kModeRs232);
  // Until the link reports connected there is nothing to apply to.
  BOk->setVisible(false);
}

void TRs232LanDlg::SetMode(int mode) {
  mode_ = mode;
  switch (mode) {
    case kModeUdp: RBUdp->setChecked(true); break;
    case kModeTcp: RBTcp->setChecked(true); break;
    default: RBRs232->setChecked(true); break;
  }
  const bool lan = mode == kModeUdp || mode == kModeTcp;
  setFieldEnabled(ELocalAddr, lan);
  setFieldEnabled(ELocalPort, lan);
  setFieldEnabled(EGatewayAddr, lan);
  setFieldEnabled(ENetMask, lan);
  setFieldEnabled(ERemoteAddr, mode == kModeUdp);
  setFieldEnabled(ERemotePort, mode == kModeUdp);
}

void TRs232LanDlg::RBRs232Click() { SetMode(kModeRs232); }
void TRs232LanDlg::RBTcpClick() { SetMode(kModeTcp); }
void TRs232LanDlg::RBUdpClick() { SetMode(kModeUdp); }

void TRs232LanDlg::SetConnected(bool connected) { BOk->setVisible(connected); }

void TRs232LanDlg::LoadFromLink(const TZelvan_d& link) {
  applied_ = false;
  SetMode(!link.LANENABLE() ? kModeRs232 : (link.TCPIP() ? kModeTcp : kModeUdp));
  ELocalAddr->setText(link.LOCAL_IP());
  ERemoteAddr->setText(link.REMOTE_IP());
  EGatewayAddr->setText(link.GATEWAY_IP());
  ELocalPort->setText(QString::number(link.LOCAL_PORT()));
  ERemotePort->setText(QString::number(link.REMOTE_PORT()));
  ENetMask->setText(link.NETMASK());
  SetConnected(link.Connected());
}

void TRs232LanDlg::BOkClick() {
  auto refuse = [this](const char* text) {
    zelvan::ui::dialogs().message(this, zelvan::ui::MessageKind::Error, QStringLiteral("Error"),
                                  QString::fromLatin1(text));
  };
  const auto local = parsePort(ELocalPort->text());
  if (!local) {
    refuse("Choose a Local Port <0-65535>");
    return;
  }
  const auto remote = parsePort(ERemotePort->text());
  if (!remote) {
    refuse("Choose a Remote Port <0-65535>");
    return;
  }
  // Addresses and netmask go as typed: the link sends only valid ones.
  localAddr_ = ELocalAddr->text();
  remoteAddr_ = ERemoteAddr->text();
  gatewayAddr_ = EGatewayAddr->text();
  netMask_ = ENetMask->text();
  localPort_ = *local;
  remotePort_ = *remote;
  applied_ = true;
  accept();
}

void TRs232LanDlg::BCancelClick() {
  applied_ = false;
  reject();
}

void TRs232LanDlg::ApplyToLink(TZelvan_d& link) const {
  if (!applied_) return;
  if (mode_ != kModeUdp && mode_ != kModeTcp) {
    link.setLANENABLE(false);
    return;
  }
  link.setTCPIP(mode_ == kModeTcp);
  link.setLOCAL_IP(localAddr_);
  link.setREMOTE_IP(remoteAddr_);
  link.setGATEWAY_IP(gatewayAddr_);
  link.setLOCAL_PORT(localPort_);
  link.setREMOTE_PORT(remotePort_);
  link.setNETMASK(netMask_);
  link.setLANSTORE(true);
  link.setLANENABLE(true);
}

bool TRs232LanDlg::Execute(TZelvan_d& link) {
  LoadFromLink(link);
  exec();
  ApplyToLink(link);
  return applied_;
}

void TRs232LanDlg::LocalIpChanged(const TZelvan_d& link) { ELocalAddr->setText(link.LOCAL_IP()); }
void TRs232LanDlg::RemoteIpChanged(const TZelvan_d& link) { ERemoteAddr->setText(link.REMOTE_IP()); }
void TRs232LanDlg::GatewayIpChanged(const TZelvan_d& link) { EGatewayAddr->setText(link.GATEWAY_IP()); }
void TRs232LanDlg::LocalPortChanged(const TZelvan_d& link) { ELocalPort->setText(QString::number(link.LOCAL_PORT())); }
void TRs232LanDlg::RemotePortChanged(const TZelvan_d& link) {
  ERemotePort->setText(QString::number(link.REMOTE_PORT()));
}
void TRs232LanDlg::NetmaskChanged(const TZelvan_d& link) { ENetMask->setText(link.NETMASK()); }
void TRs232LanDlg::TcpipChanged(const TZelvan_d& link) { SetMode(link.TCPIP() ? kModeTcp : kModeUdp); }

