// Device state snapshot commands of the Files menu and the load progress
// window. The link sends over UDP to a local socket so that the test sees
// exactly which lines went out.
#include <QNetworkDatagram>
#include <QProgressBar>
#include <QTest>
#include <QUdpSocket>

#include "app/config_progress.h"
#include "app_test_support.h"

namespace {
// Two hundred snapshot lines, each answered by the device with an "HP"
// report. A load reports the share of lines sent, rounded down, so the
// first step of a file longer than 100 lines reports 0 %: the load started.
constexpr int kLines = 200;
QByteArray snapshotLines() {
  QByteArray out;
  for (int i = 1; i <= kLines; ++i) out += QByteArray::number(i) + "H\r\n";
  return out;
}

// `n` reports of the awaited register.
QByteArray replies(int n) {
  QByteArray out;
  for (int i = 0; i < n; ++i) out += "HP5\r\n";
  return out;
}
}  // namespace

class ConfigLoadTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    ASSERT_TRUE(device_.bind(QHostAddress::LocalHost, 0));
    createApp();
    link()->setIpRemoteAddress(QStringLiteral("127.0.0.1"));
    link()->setIpRemotePort(device_.localPort());
    link()->setIpLocalPort(0);
    link()->setConType(CON_UDP);
    ASSERT_TRUE(link()->UdpActive());
    writeFile(path(QStringLiteral("show.USR.Zelvan")), snapshotLines());
  }

  // The lines the device received so far.
  QStringList received() {
    QTest::qWait(30);
    while (device_.hasPendingDatagrams()) lines_ << QString::fromLatin1(device_.receiveDatagram().data());
    return lines_;
  }

  void startLoad() {
    dialogs_.fileAnswers = {path(QStringLiteral("show.USR.Zelvan"))};
    main()->files().Loadconfig1Click();
  }

  QUdpSocket device_;
  QStringList lines_;
};

TEST_F(ConfigLoadTest, LoadShowsProgressWindowAndFollowsThePercentage) {
  TZelvan_main* m = main();
  main()->move(40, 30);
  startLoad();
  ASSERT_EQ(dialogs_.shown.size(), 1u);
  EXPECT_EQ(dialogs_.shown[0].title, QStringLiteral("Open Your configuration"));
  EXPECT_EQ(dialogs_.shown[0].text, QStringLiteral("Your configuration (*.USR.Zelvan)"));
  TConfigProgress* w = m->configProgress();
  ASSERT_TRUE(w->isVisible());
  EXPECT_EQ(w->windowTitle(), QStringLiteral("Load config...          PLEASE WAIT..."));
  EXPECT_EQ(w->pos(), QPoint(40 + 488, 30));
  EXPECT_EQ(m->RRLMDProgressFill()->parentWidget(), w);
  EXPECT_EQ(m->RRLMDProgressFill()->geometry(), QRect(0, 0, 500, 20));
  EXPECT_TRUE(w->windowFlags() & Qt::Tool);
  EXPECT_EQ(received(), QStringList({"1H"}));
  report("HP1\r\n");  // two lines of 200 sent
  EXPECT_EQ(m->RRLMDProgressFill()->value(), 1);
  report(replies(178).constData());
  EXPECT_EQ(m->RRLMDProgressFill()->value(), 90);
  EXPECT_TRUE(w->isVisible());
  report(replies(20).constData());  // the last line went out: 100 %
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(received().size(), kLines);
  EXPECT_EQ(lines_.last(), QStringLiteral("200H"));
  // The load is over: later reports send nothing.
  report("HP5\r\n");
  EXPECT_FALSE(link()->SnapshotLoadInProgress());
  EXPECT_EQ(received().size(), kLines);

  // A second load reuses the same window and bar.
  startLoad();
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(m->RRLMDProgressFill()->parentWidget(), w);
  EXPECT_EQ(m->RRLMDProgressFill()->value(), 0);
  EXPECT_EQ(received().size(), kLines + 1);
}

TEST_F(ConfigLoadTest, ClosingTheProgressWindowAbandonsTheRest) {
  TZelvan_main* m = main();
  startLoad();
  report(replies(79).constData());
  EXPECT_EQ(m->RRLMDProgressFill()->value(), 40);
  EXPECT_EQ(received().size(), 80);
  EXPECT_EQ(lines_.last(), QStringLiteral("80H"));
  m->configProgress()->close();
  EXPECT_FALSE(m->configProgress()->isVisible());
  report(replies(5).constData());
  EXPECT_EQ(received().size(), 80);
  EXPECT_EQ(link()->PropertyVarNroLigneMiniConfigOfFile(), 100u);
  EXPECT_FALSE(link()->SnapshotLoadInProgress());
}

TEST_F(ConfigLoadTest, CancelledOrUnreadableLoadShowsNoWindow) {
  main()->files().Loadconfig1Click();  // cancelled
  EXPECT_FALSE(main()->configProgress()->isVisible());
  dialogs_.fileAnswers = {path(QStringLiteral("missing.USR.Zelvan"))};
  main()->files().Loadconfig1Click();
  EXPECT_FALSE(main()->configProgress()->isVisible());
  EXPECT_TRUE(received().isEmpty());
}

TEST_F(ShellTest, SaveConfigurationWritesTheSnapshotOrReportsTheFailure) {
  createApp();
  report("HP7\r\n");
  const QString target = path(QStringLiteral("saved.USR.Zelvan"));
  dialogs_.fileAnswers = {target};
  main()->files().Saveconfig1Click();
  ASSERT_FALSE(dialogs_.shown.empty());
  EXPECT_EQ(dialogs_.shown[0].title, QStringLiteral("Save Your configuration"));
  EXPECT_EQ(readFile(target), link()->SnapshotText());
  // A target that cannot be written shows the link's error in a box.
  dialogs_.fileAnswers = {path(QStringLiteral("no/such/dir/x.USR.Zelvan"))};
  main()->files().Saveconfig1Click();
  ASSERT_EQ(dialogs_.messages().size(), 1);
  EXPECT_EQ(dialogs_.shown.back().kind, zelvan::ui::MessageKind::Error);
}
