#include <gtest/gtest.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>

#include "device/comports.h"
#include "device/zelvan_d.h"
#include "tools/serialportmenu.h"
#include "tools/tipconfigdlg.h"
#include "widgets/uidialogs.h"
#include "tools_test_support.h"

namespace {

class SerialPortMenu : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ensureApp(); }
  void SetUp() override {
    ports.Fill(&menu);
    ports.OnTitlesChanged = [this](const QString& part) { titles << part; };
  }
  void TearDown() override { link.setConType(CON_NONE); }

  TZelvan_d link;
  TIPConfigDlg dialog;
  QMenu menu;
  TSerialPortMenu ports{&link, &dialog};
  QStringList titles;
  zelvan::ui::ScriptedDialogs boxes;
};

// Runs the test body inside a scratch working directory (the port names
// resolve through "Option.ini" there).
class ScratchDir {
 public:
  ScratchDir() : old_(QDir::currentPath()) { QDir::setCurrent(dir_.path()); }
  ~ScratchDir() { QDir::setCurrent(old_); }
  void writeOptions(const QByteArray& text) {
    QFile f(dir_.filePath("Option.ini"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
  }
  QString path() const { return dir_.path(); }

 private:
  QTemporaryDir dir_;
  QString old_;
};

// A pseudo-terminal whose slave side stands for a port that exists.
struct PseudoTerminal {
  int master = -1;
  QString slave;
  PseudoTerminal() {
    master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0) slave = QString::fromLocal8Bit(ptsname(master));
  }
  ~PseudoTerminal() {
    if (master >= 0) ::close(master);
  }
};

}  // namespace

TEST_F(SerialPortMenu, FillsTheMenu) {
  EXPECT_EQ(menu.title(), "&RS232/LAN Setup");
  EXPECT_EQ(menu.objectName(), "Serialport1");
  EXPECT_FALSE(menu.icon().isNull());
  const QList<QAction*> items = menu.actions();
  ASSERT_EQ(items.size(), 17);
  for (int n = 1; n <= 16; ++n) {
    QAction* a = items[n - 1];
    EXPECT_EQ(a->objectName(), QStringLiteral("COM%1").arg(n));
    EXPECT_EQ(a->text(), QStringLiteral("COM%1").arg(n));
    EXPECT_EQ(a->data().toInt(), n);
    EXPECT_TRUE(a->isCheckable());
    EXPECT_EQ(ports.PortItem(n), a);
  }
  EXPECT_EQ(items[16]->objectName(), "MIPConfig");
  EXPECT_EQ(items[16]->text(), "LAN/Setup");
  EXPECT_EQ(ports.MIPConfig(), items[16]);
  EXPECT_EQ(ports.PortItem(0), nullptr);
  EXPECT_EQ(ports.PortItem(17), nullptr);
  EXPECT_EQ(ports.CheckedPort(), 0);
  EXPECT_EQ(ports.CheckedPortName(), "COM1");
}

TEST_F(SerialPortMenu, ChoosingCom12) {
  ports.PortItem(12)->trigger();
  EXPECT_EQ(link.Port(), "\\\\.\\COM12");
  EXPECT_EQ(link.ConType(), CON_RS232);
  EXPECT_TRUE(ports.PortItem(12)->isChecked());
  EXPECT_EQ(ports.CheckedPort(), 12);
  EXPECT_EQ(ports.CheckedPortName(), "COM12");
  EXPECT_EQ(titles, QStringList{"Port: COM12"});
  EXPECT_EQ(TSerialPortMenu::WindowTitle("ARL Zelvan remote control     (Mixer mode)", titles.last(), "Zelvan_USR.ini"),
            "ARL Zelvan remote control     (Mixer mode)  Port: COM12 - Zelvan_USR.ini");

  // Choosing the checked item again keeps it checked.
  ports.PortItem(12)->trigger();
  EXPECT_TRUE(ports.PortItem(12)->isChecked());
  ports.PortItem(3)->trigger();
  EXPECT_EQ(link.Port(), "COM3");
  EXPECT_FALSE(ports.PortItem(12)->isChecked());
  EXPECT_EQ(titles.last(), "Port: COM3");
}

TEST_F(SerialPortMenu, ProbeEnablesFreePortsAndKeepsThePortInUse) {
  QSet<int> free = {2, 4, 16};
  QStringList probed;
  ports.Probe = [&](const QString& name) {
    probed << name;
    return free.contains(zelvan::comPortNumber(name));
  };
  ports.comClick(7);  // in use: the probe cannot open it
  ports.PortItem(9)->setIcon(ports.SerialPortIcon());  // a stale mark
  ports.Serialport1Click();
  ASSERT_EQ(probed.size(), 16);
  EXPECT_EQ(probed[0], "COM1");
  EXPECT_EQ(probed[9], "\\\\.\\COM10");
  EXPECT_EQ(probed[15], "\\\\.\\COM16");
  for (int n = 1; n <= 16; ++n) {
    QAction* a = ports.PortItem(n);
    const bool expectEnabled = free.contains(n) || n == 7;
    EXPECT_EQ(a->isEnabled(), expectEnabled) << n;
    EXPECT_EQ(!a->icon().isNull(), n == 7) << n;
  }
  EXPECT_TRUE(ports.MIPConfig()->isEnabled());

  // Opening the menu probes again.
  free = {7};
  probed.clear();
  menu.popup(QPoint(0, 0));
  EXPECT_EQ(probed.size(), 16);
  EXPECT_TRUE(ports.PortItem(7)->isEnabled());
  EXPECT_TRUE(ports.PortItem(7)->icon().isNull());  // free again: no mark
  EXPECT_FALSE(ports.PortItem(2)->isEnabled());
  menu.hide();
}

TEST_F(SerialPortMenu, RealProbeOnAPseudoTerminalAndAMissingPath) {
  PseudoTerminal pty;
  ASSERT_FALSE(pty.slave.isEmpty());
  ScratchDir dir;
  // COM3 is the terminal; every other port names a path that does not exist.
  QByteArray options = "COM3=" + pty.slave.toLocal8Bit() + "\r\n";
  for (int n = 1; n <= 16; ++n)
    if (n != 3) options += "COM" + QByteArray::number(n) + "=" + dir.path().toLocal8Bit() + "/no-such-port\r\n";
  dir.writeOptions(options);
  EXPECT_TRUE(zelvan::probeComPort("COM3"));
  EXPECT_FALSE(zelvan::probeComPort("COM5"));
  ports.Serialport1Click();
  for (int n = 1; n <= 16; ++n) EXPECT_EQ(ports.PortItem(n)->isEnabled(), n == 3) << n;

  // The chosen port that cannot be opened stays available and marked.
  ports.comClick(5);
  ports.Serialport1Click();
  EXPECT_TRUE(ports.PortItem(5)->isEnabled());
  EXPECT_FALSE(ports.PortItem(5)->icon().isNull());
  EXPECT_TRUE(ports.PortItem(3)->icon().isNull());
}

TEST_F(SerialPortMenu, LanSetupAppliedChecksMipConfig) {
  link.setSupervisorTimeScale(1);
  ports.comClick(2);
  titles.clear();
  QTimer::singleShot(0, &dialog, [&] {
    EXPECT_TRUE(dialog.RBTcp->isChecked());  // from RS-232: Tcp
    dialog.RBUdp->click();
    dialog.ERemoteAddr->setText("127.0.0.1");
    dialog.ELocalPort->setText("0");
    dialog.BOk->click();
    if (dialog.isVisible()) dialog.reject();
  });
  ports.MIPConfig()->trigger();
  EXPECT_EQ(link.ConType(), CON_UDP);
  EXPECT_TRUE(ports.MIPConfig()->isChecked());
  EXPECT_FALSE(ports.PortItem(2)->isChecked());
  EXPECT_EQ(ports.CheckedPort(), 0);
  EXPECT_EQ(titles, QStringList{"UDP"});

  // Again, choosing TCP; triggering the checked item must not lose the check.
  QTimer::singleShot(0, &dialog, [&] {
    EXPECT_TRUE(dialog.RBUdp->isChecked());
    dialog.RBTcp->click();
    dialog.BOk->click();
    if (dialog.isVisible()) dialog.reject();
  });
  ports.MIPConfig()->trigger();
  EXPECT_EQ(link.ConType(), CON_TCP);
  EXPECT_TRUE(ports.MIPConfig()->isChecked());
  EXPECT_EQ(titles.last(), "TCP");
}

TEST_F(SerialPortMenu, LanSetupCancelledKeepsTheCheck) {
  ports.comClick(4);
  titles.clear();
  QTimer::singleShot(0, &dialog, [&] { dialog.BCancel->click(); });
  ports.MIPConfig()->trigger();
  EXPECT_EQ(link.ConType(), CON_RS232);
  EXPECT_TRUE(ports.PortItem(4)->isChecked());
  EXPECT_FALSE(ports.MIPConfig()->isChecked());
  EXPECT_TRUE(titles.isEmpty());

  // Cancelled while MIPConfig was the checked item: it stays checked.
  ports.SetMIPConfigChecked(true);
  EXPECT_FALSE(ports.PortItem(4)->isChecked());
  QTimer::singleShot(0, &dialog, [&] { dialog.BCancel->click(); });
  ports.MIPConfig()->trigger();
  EXPECT_TRUE(ports.MIPConfig()->isChecked());

  ports.SetMIPConfigChecked(false);
  EXPECT_FALSE(ports.MIPConfig()->isChecked());
  ports.comClick(6);
  ports.ClearChecks();
  EXPECT_EQ(ports.CheckedPort(), 0);
  EXPECT_EQ(ports.CheckedPortName(), "COM1");
}

TEST_F(SerialPortMenu, WithoutADialogOneIsCreated) {
  TZelvan_d other;
  QMenu m;
  QWidget owner;
  TSerialPortMenu p(&other);
  p.Fill(&m);
  bool sawDialog = false;
  QTimer::singleShot(0, &m, [&] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (auto* d = qobject_cast<TIPConfigDlg*>(w); d && d->isVisible()) {
        sawDialog = true;
        d->BCancel->click();
      }
    }
  });
  p.MIPConfigClick();
  EXPECT_TRUE(sawDialog);
  EXPECT_EQ(other.ConType(), CON_NONE);
}
