#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <functional>

#include "device/catalogue.h"
#include "device/zelvan_d.h"
#include "tools/tipconfigdlg.h"
#include "tools/trs232landlg.h"
#include "widgets/uidialogs.h"
#include "tools_test_support.h"

namespace {

// Runs `during` once the modal dialog has started, then makes sure the
// dialog closes even when `during` left it open.
void whileModal(QDialog& dlg, std::function<void()> during) {
  QTimer::singleShot(0, &dlg, [&dlg, during] {
    during();
    if (dlg.isVisible()) dlg.reject();
  });
}

// A link that sends (through no transport) and records every command.
struct RecordingLink {
  TZelvan_d link;
  QStringList sent;
  RecordingLink() {
    link.SetRanges(zelvan::acceptedRanges());
    link.setForceConn(true);
    link.SupervisorTick();
    link.OnSentString = [this](QObject*, int) { sent << link.sentString(); };
  }
  void report(const char* lines) { link.ProcessReceived(QByteArray(lines)); }
};

QString labelFor(QWidget* dlg, QWidget* field) {
  for (QLabel* l : dlg->findChildren<QLabel*>())
    if (l->buddy() == field) return l->text();
  return {};
}

class LanDialogs : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ensureApp(); }
  zelvan::ui::ScriptedDialogs boxes;
};

}  // namespace

// ------------------------------------------------------------ link setup

TEST_F(LanDialogs, LinkSetupControls) {
  TIPConfigDlg d;
  EXPECT_EQ(d.windowTitle(), "LAN Setup");
  auto* udp = d.findChild<QRadioButton*>("RBUdp");
  auto* tcp = d.findChild<QRadioButton*>("RBTcp");
  ASSERT_TRUE(udp && tcp);
  EXPECT_EQ(udp->text(), "Udp");
  EXPECT_EQ(tcp->text(), "Tcp");
  auto* group = qobject_cast<QGroupBox*>(udp->parentWidget());
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->title(), "Connection Mode");
  auto* addr = d.findChild<QLineEdit*>("ERemoteAddr");
  auto* rport = d.findChild<QLineEdit*>("ERemotePort");
  auto* lport = d.findChild<QLineEdit*>("ELocalPort");
  ASSERT_TRUE(addr && rport && lport);
  EXPECT_EQ(addr->text(), "192.168.0.1");
  EXPECT_EQ(rport->text(), "1000");
  EXPECT_EQ(lport->text(), "10100");
  EXPECT_EQ(labelFor(&d, addr), "Remote IP Address :");
  EXPECT_EQ(labelFor(&d, rport), "Remote Port :");
  EXPECT_EQ(labelFor(&d, lport), "Local Port :");
  EXPECT_EQ(d.findChild<QPushButton*>("BOk")->text(), "Apply");
  EXPECT_EQ(d.findChild<QPushButton*>("BCancel")->text(), "Cancel");
}

TEST_F(LanDialogs, LinkSetupModeFollowsTheLink) {
  TZelvan_d link;
  TIPConfigDlg d;
  link.setConType(CON_RS232);
  d.LoadFromLink(link);
  EXPECT_EQ(d.Mode(), TIPConfigDlg::kModeTcp);
  EXPECT_TRUE(d.RBTcp->isChecked());
  EXPECT_FALSE(d.ELocalPort->isEnabled());
  EXPECT_EQ(d.ERemoteAddr->text(), link.IpRemoteAddress());
  EXPECT_EQ(d.ERemotePort->text(), QString::number(link.IpRemotePort()));
  EXPECT_EQ(d.ELocalPort->text(), QString::number(link.IpLocalPort()));
  link.setConType(CON_NONE);

  // Selecting UDP opens the endpoint: keep it on loopback.
  link.setIpRemoteAddress(QStringLiteral("127.0.0.1"));
  link.setIpLocalPort(0);
  link.setConType(CON_UDP);
  d.LoadFromLink(link);
  EXPECT_EQ(d.ERemoteAddr->text(), "127.0.0.1");
  EXPECT_EQ(d.Mode(), TIPConfigDlg::kModeUdp);
  EXPECT_TRUE(d.RBUdp->isChecked());
  EXPECT_TRUE(d.ELocalPort->isEnabled());
  link.setConType(CON_NONE);

  // Clicking the radio buttons switches the mode and the local port field,
  // with the field colours of enabled and disabled fields.
  const QColor enabledColour = d.ELocalPort->palette().color(QPalette::Base);
  d.RBTcp->click();
  EXPECT_EQ(d.Mode(), TIPConfigDlg::kModeTcp);
  EXPECT_FALSE(d.ELocalPort->isEnabled());
  EXPECT_NE(d.ELocalPort->palette().color(QPalette::Base), enabledColour);
  d.RBUdp->click();
  EXPECT_TRUE(d.ELocalPort->isEnabled());
  EXPECT_EQ(d.ELocalPort->palette().color(QPalette::Base), enabledColour);

  // Shown with an unknown mode: TCP.
  d.SetMode(7);
  d.show();
  EXPECT_EQ(d.Mode(), TIPConfigDlg::kModeTcp);
  EXPECT_TRUE(d.RBTcp->isChecked());
  d.hide();
}

TEST_F(LanDialogs, LinkSetupValidatesInOrder) {
  TIPConfigDlg d;
  d.show();
  d.ELocalPort->setText("70000");
  d.ERemotePort->setText("abc");
  d.ERemoteAddr->setText("1.2.3");
  d.BOk->click();
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "Choose a Local Port <0-65535>");
  EXPECT_EQ(boxes.shown[0].kind, zelvan::ui::MessageKind::Warning);
  EXPECT_FALSE(d.Applied());
  EXPECT_TRUE(d.isVisible());
  EXPECT_EQ(d.ELocalPort->text(), "70000");

  d.ELocalPort->setText(" $10");  // number syntax of the device's replies
  d.BOk->click();
  EXPECT_EQ(d.ELocalPort->text(), "16");
  EXPECT_EQ(boxes.messages().last(), "Choose a Remote Port <0-65535>");
  for (const char* bad : {"-1", "65536", "", "1 2"}) {
    d.ERemotePort->setText(bad);
    d.BOk->click();
    EXPECT_EQ(boxes.messages().last(), "Choose a Remote Port <0-65535>") << bad;
  }

  d.ERemotePort->setText("0x10");
  for (const char* bad : {"1.2.3", "1.2.3.256", "1.2.3.4.5", "a.b.c.d", ""}) {
    d.ERemoteAddr->setText(bad);
    d.BOk->click();
    EXPECT_EQ(boxes.messages().last(), "Remote IP address not Valid") << bad;
    EXPECT_FALSE(d.Applied());
  }
  EXPECT_EQ(d.ERemotePort->text(), "0x10");  // rewritten only on success

  d.ERemoteAddr->setText("10.0.0.7");
  const auto before = boxes.shown.size();
  d.BOk->click();
  EXPECT_EQ(boxes.shown.size(), before);
  EXPECT_TRUE(d.Applied());
  EXPECT_FALSE(d.isVisible());
  EXPECT_EQ(d.ERemotePort->text(), "16");
  EXPECT_EQ(d.RemotePort(), 16);
  EXPECT_EQ(d.LocalPort(), 16);
  EXPECT_EQ(d.RemoteAddr(), "10.0.0.7");
  EXPECT_EQ(d.result(), QDialog::Accepted);
}

TEST_F(LanDialogs, LinkSetupAppliedFromRs232SwitchesToTcp) {
  TZelvan_d link;
  link.setSupervisorTimeScale(1);
  TIPConfigDlg d;
  std::vector<std::string> order;
  link.OnIpRemoteAddresschange = [&](QObject*, int) { order.push_back("addr"); };
  link.OnIpRemotePortchange = [&](QObject*, int) { order.push_back("rport"); };
  link.OnIpLocalPortchange = [&](QObject*, int) { order.push_back("lport"); };
  link.OnConTypechange = [&](QObject*, int) { order.push_back("type"); };
  whileModal(d, [&] {
    EXPECT_TRUE(d.RBTcp->isChecked());
    d.ERemoteAddr->setText("127.0.0.1");
    d.ERemotePort->setText("9");
    d.ELocalPort->setText("0");
    d.BOk->click();
  });
  ASSERT_TRUE(d.Execute(link));
  EXPECT_EQ(link.ConType(), CON_TCP);
  EXPECT_EQ(link.IpRemoteAddress(), "127.0.0.1");
  EXPECT_EQ(link.IpRemotePort(), 9);
  EXPECT_EQ(link.IpLocalPort(), 0);
  EXPECT_EQ(order, (std::vector<std::string>{"addr", "rport", "lport", "type"}));
  link.setConType(CON_NONE);
}

TEST_F(LanDialogs, LinkSetupRefusedOrCancelledChangesNothing) {
  TZelvan_d link;
  const QString addr = link.IpRemoteAddress();
  const int lport = link.IpLocalPort();
  TIPConfigDlg d;
  whileModal(d, [&] {
    d.ELocalPort->setText("70000");
    d.BOk->click();
    EXPECT_TRUE(d.isVisible());
    d.BCancel->click();
  });
  EXPECT_FALSE(d.Execute(link));
  EXPECT_EQ(boxes.messages(), QStringList{"Choose a Local Port <0-65535>"});
  EXPECT_EQ(link.ConType(), CON_NONE);
  EXPECT_EQ(link.IpRemoteAddress(), addr);
  EXPECT_EQ(link.IpLocalPort(), lport);
  // ApplyToLink of an unapplied dialog does nothing either.
  d.ApplyToLink(link);
  EXPECT_EQ(link.ConType(), CON_NONE);
}

// ------------------------------------------------------- device LAN setup

TEST_F(LanDialogs, DeviceLanControls) {
  TRs232LanDlg d;
  const std::pair<const char*, const char*> radios[] = {{"RBRs232", "Rs232"}, {"RBTcp", "Tcp"}, {"RBUdp", "Udp"}};
  for (auto [name, text] : radios) {
    auto* rb = d.findChild<QRadioButton*>(name);
    ASSERT_NE(rb, nullptr) << name;
    EXPECT_EQ(rb->text(), text);
    EXPECT_EQ(qobject_cast<QGroupBox*>(rb->parentWidget())->title(), "Connection Mode");
  }
  const struct {
    const char* name;
    const char* label;
    const char* text;
  } fields[] = {{"ELocalAddr", "Local Address :", "192.168.0.1"}, {"ELocalPort", "Local Port :", "10100"},
                {"EGatewayAddr", "Gateway :", "192.168.0.1"},     {"ENetMask", "NetMask :", "255.255.255.0"},
                {"ERemoteAddr", "Remote Address :", "192.168.0.1"}, {"ERemotePort", "Remote Port :", "1000"}};
  for (const auto& f : fields) {
    auto* e = d.findChild<QLineEdit*>(f.name);
    ASSERT_NE(e, nullptr) << f.name;
    EXPECT_EQ(e->text(), f.text);
    EXPECT_EQ(labelFor(&d, e), f.label);
  }
  EXPECT_EQ(d.BOk->objectName(), "BOk");
  EXPECT_EQ(d.BOk->text(), "Apply");
  EXPECT_EQ(d.BCancel->objectName(), "BCancel");
  EXPECT_EQ(d.BCancel->text(), "Exit");
}

TEST_F(LanDialogs, DeviceLanModesEnableFields) {
  TRs232LanDlg d;
  QLineEdit* all[] = {d.ELocalAddr, d.ELocalPort, d.EGatewayAddr, d.ENetMask, d.ERemoteAddr, d.ERemotePort};
  d.RBRs232->click();
  EXPECT_EQ(d.Mode(), 1);
  for (QLineEdit* e : all) EXPECT_FALSE(e->isEnabled()) << e->objectName().toStdString();
  const QColor disabledColour = d.ELocalAddr->palette().color(QPalette::Base);
  d.RBUdp->click();
  EXPECT_EQ(d.Mode(), 2);
  for (QLineEdit* e : all) EXPECT_TRUE(e->isEnabled()) << e->objectName().toStdString();
  EXPECT_NE(d.ELocalAddr->palette().color(QPalette::Base), disabledColour);
  d.RBTcp->click();
  EXPECT_EQ(d.Mode(), 3);
  EXPECT_TRUE(d.ELocalAddr->isEnabled());
  EXPECT_TRUE(d.ELocalPort->isEnabled());
  EXPECT_TRUE(d.EGatewayAddr->isEnabled());
  EXPECT_TRUE(d.ENetMask->isEnabled());
  EXPECT_FALSE(d.ERemoteAddr->isEnabled());
  EXPECT_FALSE(d.ERemotePort->isEnabled());
  EXPECT_EQ(d.ERemoteAddr->palette().color(QPalette::Base), disabledColour);
}

TEST_F(LanDialogs, DeviceLanFilledFromTheRegisters) {
  RecordingLink r;
  TRs232LanDlg d;
  d.LoadFromLink(r.link);
  EXPECT_EQ(d.Mode(), 1);  // LANENABLE false
  EXPECT_TRUE(d.BOk->isVisibleTo(&d));  // connected
  r.report("LANE1\r\nTCP1\r\nADIP1\r\nIPA_10\r\nIPB_1\r\nIPC_2\r\nIPD_3\r\nPORT4000\r\n"
           "ADIP2\r\nIPA_10\r\nIPB_1\r\nIPC_2\r\nIPD_9\r\nPORT5000\r\n"
           "ADIP3\r\nIPA_10\r\nIPB_1\r\nIPC_2\r\nIPD_254\r\nNTMK8\r\n");
  d.LoadFromLink(r.link);
  EXPECT_EQ(d.Mode(), 3);
  EXPECT_EQ(d.ELocalAddr->text(), "10.1.2.3");
  EXPECT_EQ(d.ERemoteAddr->text(), "10.1.2.9");
  EXPECT_EQ(d.EGatewayAddr->text(), "10.1.2.254");
  EXPECT_EQ(d.ELocalPort->text(), "4000");
  EXPECT_EQ(d.ERemotePort->text(), "5000");
  EXPECT_EQ(d.ENetMask->text(), r.link.NETMASK());
  EXPECT_FALSE(r.link.NETMASK().isEmpty());
  r.report("TCP0\r\n");
  d.LoadFromLink(r.link);
  EXPECT_EQ(d.Mode(), 2);

  TZelvan_d offline;
  d.LoadFromLink(offline);
  EXPECT_FALSE(d.BOk->isVisibleTo(&d));
  d.SetConnected(true);
  EXPECT_TRUE(d.BOk->isVisibleTo(&d));
}

TEST_F(LanDialogs, DeviceLanApplyMode1SendsOnlyLanEnableOff) {
  RecordingLink r;
  TRs232LanDlg d;
  whileModal(d, [&] {
    d.RBRs232->click();
    d.BOk->click();
  });
  ASSERT_TRUE(d.Execute(r.link));
  EXPECT_EQ(r.sent, QStringList{"0ne"});
}

TEST_F(LanDialogs, DeviceLanApplyTcpSendsDisabledRemoteFieldsToo) {
  RecordingLink r;
  r.report("LANE1\r\nTCP1\r\n");
  TRs232LanDlg d;
  whileModal(d, [&] {
    EXPECT_EQ(d.Mode(), 3);
    EXPECT_FALSE(d.ERemoteAddr->isEnabled());
    d.ELocalAddr->setText("192.168.1.20");
    d.EGatewayAddr->setText("192.168.1.1");
    d.ENetMask->setText("255.255.255.0");
    d.ERemoteAddr->setText("192.168.1.30");
    d.ELocalPort->setText("10100");
    d.ERemotePort->setText("1000");
    d.BOk->click();
  });
  ASSERT_TRUE(d.Execute(r.link));
  const QStringList expected = {
      "1nt",                                  // TCPIP
      "1na", "20nw", "1nx", "168ny", "192nz",  // LOCAL_IP
      "2na", "30nw", "1nx", "168ny", "192nz",  // REMOTE_IP (disabled, still sent)
      "3na", "1nw",  "1nx", "168ny", "192nz",  // GATEWAY_IP
      "1na", "10100np",                       // LOCAL_PORT
      "2na", "1000np",                        // REMOTE_PORT
      "8nk",                                  // NETMASK: 8 host bits
      "1ns",                                  // LANSTORE
      "1ne",                                  // LANENABLE
  };
  EXPECT_EQ(r.sent, expected);
}

TEST_F(LanDialogs, DeviceLanInvalidAddressIsNotSentButTheRestIs) {
  RecordingLink r;
  TRs232LanDlg d;
  whileModal(d, [&] {
    d.RBUdp->click();
    d.ELocalAddr->setText("not an address");
    d.ERemoteAddr->setText("10.0.0.2");
    d.EGatewayAddr->setText("10.0.0.1");
    d.ENetMask->setText("255.255.0.0.0");
    d.ELocalPort->setText("7");
    d.ERemotePort->setText("8");
    d.BOk->click();
  });
  ASSERT_TRUE(d.Execute(r.link));
  EXPECT_EQ(d.LocalAddr(), "not an address");
  EXPECT_EQ(d.NetMask(), "255.255.0.0.0");
  const QStringList expected = {
      "0nt",                                // TCPIP off: UDP
      "2na", "2nw", "0nx", "0ny", "10nz",   // the remote address; the local one is skipped
      "3na", "1nw", "0nx", "0ny", "10nz",   // gateway
      "1na", "7np", "2na", "8np",           // ports
      "1ns", "1ne",                         // no netmask: it is invalid
  };
  EXPECT_EQ(r.sent, expected) << r.sent.join(" ").toStdString();
}

TEST_F(LanDialogs, DeviceLanPortsMustBeWholeNumbers) {
  RecordingLink r;
  TRs232LanDlg d;
  d.RBUdp->click();
  d.show();
  for (const char* bad : {"abc", "-5", "70000", ""}) {
    d.ELocalPort->setText(bad);
    d.BOk->click();
    EXPECT_EQ(boxes.messages().last(), "Choose a Local Port <0-65535>") << bad;
    EXPECT_EQ(boxes.shown.back().kind, zelvan::ui::MessageKind::Error);
    EXPECT_FALSE(d.Applied());
    EXPECT_TRUE(d.isVisible());
  }
  d.ELocalPort->setText("1");
  d.ERemotePort->setText("1.5");
  d.BOk->click();
  EXPECT_EQ(boxes.messages().last(), "Choose a Remote Port <0-65535>");
  d.ERemotePort->setText("65535");
  d.BOk->click();
  EXPECT_TRUE(d.Applied());
  EXPECT_EQ(d.RemotePort(), 65535);
  EXPECT_TRUE(r.sent.isEmpty());  // nothing goes out before Execute applies
}

TEST_F(LanDialogs, DeviceLanExitSendsNothing) {
  RecordingLink r;
  TRs232LanDlg d;
  whileModal(d, [&] {
    d.RBUdp->click();
    d.BCancel->click();
  });
  EXPECT_FALSE(d.Execute(r.link));
  EXPECT_TRUE(r.sent.isEmpty());
}

TEST_F(LanDialogs, DeviceLanNotConnectedSendsNothing) {
  TZelvan_d link;
  link.SetRanges(zelvan::acceptedRanges());
  QStringList sent;
  link.OnSentString = [&](QObject*, int) { sent << link.sentString(); };
  TRs232LanDlg d;
  whileModal(d, [&] {
    d.RBUdp->click();
    d.BOkClick();  // the button is hidden; its handler still refuses to send
  });
  EXPECT_TRUE(d.Execute(link));
  EXPECT_TRUE(sent.isEmpty());
}

