// The application against an in-process device over TCP: the device answers
// the identity query with DEV36 and the full-state request with a few
// reports. The application must identify it, say so, apply the model and
// become ready.
#include <QLabel>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include "app/main_menus.h"
#include "app_test_support.h"
#include "widgets/tsmallcombo.h"

namespace {
class FakeDevice : public QObject {
 public:
  FakeDevice() {
    server_.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&server_, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* s = server_.nextPendingConnection()) {
        QObject::connect(s, &QTcpSocket::readyRead, this, [this, s] { answer(s); });
        ++connections;
      }
    });
  }
  quint16 port() const { return server_.serverPort(); }

  int connections = 0;
  int identityQueries = 0;
  int fullStateRequests = 0;

 private:
  void answer(QTcpSocket* s) {
    const QByteArray in = s->readAll();
    for (char c : in) {
      if (c == '?') {
        ++identityQueries;
        s->write("DEV36\r\n");
      } else if (c == '#') {
        ++fullStateRequests;
        s->write("DEV36\r\nV_27\r\nK_161\r\nVERU1203\r\nPCH0\r\n");
      }
    }
  }
  QTcpServer server_;
};
}  // namespace

TEST_F(ShellTest, IdentifiesTheDeviceOverTcpAndBecomesReady) {
  FakeDevice device;
  ASSERT_NE(device.port(), 0);
  writeFile(path(QStringLiteral("Zelvan_USR.ini")), joinLines(tcpCustomizationLines(device.port())));

  createApp(false);
  TZelvan_main* m = main();
  link()->setSupervisorTimeScale(5);
  bool connectingShown = false;
  const auto connectedHandler = link()->OnConnected;
  link()->OnConnected = [&](QObject* s, int n) {
    connectedHandler(s, n);
    if (link()->Connected()) connectingShown = !m->BitBtn_initial_please()->isHidden();
  };
  app_->start(false);
  ASSERT_EQ(link()->ConType(), CON_TCP);
  // Restart the supervisor so that its first period is scaled too.
  link()->SupervisorTick();

  ASSERT_TRUE(QTest::qWaitFor([&] { return link()->Ready(); }, 5000))
      << "state " << link()->SupervisorState() << ", connections " << device.connections << ", identity queries "
      << device.identityQueries << ", full-state requests " << device.fullStateRequests << ", DEV " << link()->DEV();
  EXPECT_EQ(device.connections, 1);
  EXPECT_GE(device.identityQueries, 1);
  EXPECT_EQ(device.fullStateRequests, 1);
  EXPECT_TRUE(connectingShown);
  EXPECT_EQ(m->connection()->text(), QStringLiteral("    Device connected"));
  EXPECT_FALSE(m->Image_connected()->isHidden());
  EXPECT_EQ(m->modelLayout().LastAppliedModel, 36u);
  EXPECT_EQ(m->windowTitle(), QStringLiteral("DMR Zelvan remote control     (Mixer mode)  TCP - Zelvan_USR.ini"));
  EXPECT_TRUE(m->memoryLists().FRAME_Combologo[0]->GetItemVisible(6));
  EXPECT_TRUE(m->menus()->EmbeddedSE->isEnabled());
  EXPECT_EQ(m->BitBtn_initial_please()->text(), QStringLiteral("Connecting to Dumara"));
  EXPECT_TRUE(m->BitBtn_initial_please()->isHidden());
  EXPECT_TRUE(m->Panel_updater()->isHidden());  // firmware 27 is the expected one
  EXPECT_EQ(link()->VERK(), 161u);

  // The device goes away: the label follows once the supervisor notices.
  link()->setConType(CON_NONE);
  EXPECT_EQ(m->connection()->text(), QStringLiteral("Device NOT connected"));
  EXPECT_TRUE(m->Image_connected()->isHidden());
}
