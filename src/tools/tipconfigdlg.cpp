#include "tools/tipconfigdlg.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "device/numbers.h"
#include "device/zelvan_d.h"
#include "tools/lan_fields.h"
#include "widgets/uidialogs.h"

using zelvan::lanfields::makeField;
using zelvan::lanfields::parsePort;
using zelvan::lanfields::setFieldEnabled;

TIPConfigDlg::TIPConfigDlg(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("IPConfigDlg"));
  setWindowTitle(QStringLiteral("LAN Setup"));
  setModal(true);

  auto* modeBox = new QGroupBox(QStringLiteral("Connection Mode"), this);
  modeBox->setObjectName(QStringLiteral("GroupBoxMode"));
  RBUdp = new QRadioButton(QStringLiteral("Udp"), modeBox);
  RBUdp->setObjectName(QStringLiteral("RBUdp"));
  RBTcp = new QRadioButton(QStringLiteral("Tcp"), modeBox);
  RBTcp->setObjectName(QStringLiteral("RBTcp"));
  auto* modeLayout = new QHBoxLayout(modeBox);
  modeLayout->addWidget(RBUdp);
  modeLayout->addWidget(RBTcp);

  ERemoteAddr = makeField(this, "ERemoteAddr", "192.168.0.1");
  ERemotePort = makeField(this, "ERemotePort", "1000");
  ELocalPort = makeField(this, "ELocalPort", "10100");
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Remote IP Address :"), ERemoteAddr);
  form->addRow(QStringLiteral("Remote Port :"), ERemotePort);
  form->addRow(QStringLiteral("Local Port :"), ELocalPort);

  BOk = new QPushButton(QStringLiteral("Apply"), this);
  BOk->setObjectName(QStringLiteral("BOk"));
  BOk->setDefault(true);
  BCancel = new QPushButton(QStringLiteral("Cancel"), this);
  BCancel->setObjectName(QStringLiteral("BCancel"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BOk);
  buttons->addWidget(BCancel);

  auto* top = new QVBoxLayout(this);
  top->addWidget(modeBox);
  top->addLayout(form);
  top->addLayout(buttons);

  connect(RBUdp, &QRadioButton::clicked, this, [this] { RBUdpClick(); });
  connect(RBTcp, &QRadioButton::clicked, this, [this] { RBTcpClick(); });
  connect(BOk, &QPushButton::clicked, this, [this] { BOkClick(); });
  connect(BCancel, &QPushButton::clicked, this, [this] { BCancelClick(); });

  SetMode(kModeTcp);
}

void TIPConfigDlg::SetMode(int mode) {
  mode_ = mode;
  const bool udp = mode == kModeUdp;
  if (udp)
    RBUdp->setChecked(true);
  else if (mode == kModeTcp)
    RBTcp->setChecked(true);
  setFieldEnabled(ELocalPort, udp);
}

void TIPConfigDlg::RBUdpClick() { SetMode(kModeUdp); }
void TIPConfigDlg::RBTcpClick() { SetMode(kModeTcp); }

void TIPConfigDlg::showEvent(QShowEvent* e) {
  if (mode_ != kModeUdp && mode_ != kModeTcp) SetMode(kModeTcp);
  QDialog::showEvent(e);
}

void TIPConfigDlg::LoadFromLink(const TZelvan_d& link) {
  applied_ = false;
  SetMode(link.ConType() == CON_UDP ? kModeUdp : kModeTcp);
  ERemoteAddr->setText(link.IpRemoteAddress());
  ERemotePort->setText(QString::number(link.IpRemotePort()));
  ELocalPort->setText(QString::number(link.IpLocalPort()));
}

void TIPConfigDlg::BOkClick() {
  using zelvan::ui::MessageKind;
  auto warn = [this](const char* text) {
    zelvan::ui::dialogs().message(this, MessageKind::Warning, QStringLiteral("Warning"), QString::fromLatin1(text));
  };
  const auto local = parsePort(ELocalPort->text());
  if (!local) {
    warn("Choose a Local Port <0-65535>");
    return;
  }
  ELocalPort->setText(QString::number(*local));
  const auto remote = parsePort(ERemotePort->text());
  if (!remote) {
    warn("Choose a Remote Port <0-65535>");
    return;
  }
  const QString address = ERemoteAddr->text();
  if (!zelvan::parseDotted(address.toStdString())) {
    warn("Remote IP address not Valid");
    return;
  }
  // The local port is kept with the others: the link receives all three.
  localPort_ = *local;
  remotePort_ = *remote;
  ERemotePort->setText(QString::number(*remote));
  remoteAddr_ = address;
  applied_ = true;
  accept();
}

void TIPConfigDlg::BCancelClick() {
  applied_ = false;
  reject();
}

void TIPConfigDlg::ApplyToLink(TZelvan_d& link) const {
  if (!applied_) return;
  link.setIpRemoteAddress(remoteAddr_);
  link.setIpRemotePort(remotePort_);
  link.setIpLocalPort(localPort_);
  link.setConType(mode_ == kModeUdp ? CON_UDP : CON_TCP);
}

bool TIPConfigDlg::Execute(TZelvan_d& link) {
  LoadFromLink(link);
  exec();
  ApplyToLink(link);
  return applied_;
}
