// The report router: one handler per link event, routines in their named
// order, and the order of every event that more than one feature follows.
#include <QLineEdit>
#include <QRadioButton>
#include <map>
#include <set>

#include "app/report_router.h"
#include "app_test_support.h"
#include "tools/trs232landlg.h"

using zelvan::app::LinkEvent;
using zelvan::app::RoutePos;
using zelvan::app::TReportRouter;
namespace Reg = zelvan::Reg;

TEST(ReportRouter, RunsRoutinesByPositionThenByArrival) {
  TZelvan_d link;
  link.SetRanges(zelvan::acceptedRanges());
  TReportRouter router;
  std::vector<std::string> order;
  router.add(Reg::EFFON, RoutePos::Effects, QStringLiteral("effects"), [&] { order.push_back("effects"); });
  router.add(Reg::EFFON, RoutePos::Signal, QStringLiteral("t-bar"), [&] { order.push_back("t-bar"); });
  router.add(Reg::EFFON, RoutePos::Effects, QStringLiteral("effects 2"), [&] { order.push_back("effects 2"); });
  router.add(Reg::EFFON, RoutePos::Shell, QStringLiteral("shell"), [&] { order.push_back("shell"); });
  router.install(link);
  link.ProcessReceived(QByteArray("EON1\r\n"));
  EXPECT_EQ(order, (std::vector<std::string>{"shell", "t-bar", "effects", "effects 2"}));
  EXPECT_EQ(router.routineNames(Reg::EFFON), QStringList({"shell", "t-bar", "effects", "effects 2"}));
  // A routine added while the event's routines run takes its place next time.
  order.clear();
  router.add(Reg::ICHM, RoutePos::Signal, QStringLiteral("adds"), [&] {
    order.push_back("adds");
    if (order.size() == 1) router.add(Reg::ICHM, RoutePos::Shell, QStringLiteral("late"), [&] { order.push_back("late"); });
  });
  link.ProcessReceived(QByteArray("CH1\r\n"));
  EXPECT_EQ(order, (std::vector<std::string>{"adds"}));
  link.ProcessReceived(QByteArray("CH2\r\n"));
  EXPECT_EQ(order, (std::vector<std::string>{"adds", "late", "adds"}));
  // Out-of-range events and empty routines are refused.
  router.add(-1, RoutePos::Shell, QStringLiteral("x"), [] {});
  router.add(zelvan::app::kLinkEventCount, RoutePos::Shell, QStringLiteral("x"), [] {});
  router.add(Reg::DEV, RoutePos::Shell, QStringLiteral("empty"), {});
  EXPECT_TRUE(router.routineNames(Reg::DEV).isEmpty());
  router.uninstall(link);
  link.ProcessReceived(QByteArray("EON0\r\n"));
  EXPECT_EQ(order.size(), 3u);
}

TEST(ReportRouter, InstallsOneHandlerOnEveryLinkEvent) {
  TZelvan_d link;
  TReportRouter router;
  router.install(link);
  for (int i = 0; i < zelvan::kRegisterCount; ++i) {
    if (TZelvanNotifyEvent* ev = link.changeEvent(i)) {
      EXPECT_TRUE(static_cast<bool>(*ev)) << i;
    }
  }
  EXPECT_TRUE(static_cast<bool>(link.OnConnected));
  EXPECT_TRUE(static_cast<bool>(link.OnPEDGC_Zelvan_change));
  EXPECT_TRUE(static_cast<bool>(link.OnNETMASKchange));
  // Every received line is the debug console's own.
  EXPECT_FALSE(static_cast<bool>(link.OnRecString));
  EXPECT_EQ(TReportRouter::eventName(Reg::ICHM), QStringLiteral("ICHM"));
  EXPECT_EQ(TReportRouter::eventName(zelvan::app::eventId(LinkEvent::PEDGC_Zelvan_change)),
            QStringLiteral("PEDGC_Zelvan_change"));
  for (int e = zelvan::kRegisterCount; e < zelvan::app::kLinkEventCount; ++e)
    EXPECT_FALSE(TReportRouter::eventName(e).isEmpty()) << e;
}

// Every event that more than one feature follows, with the order its
// routines run in. A new feature that joins an event someone else already
// follows must add the event here: the test fails until it does.
TEST_F(ShellTest, RoutineOrderOfEverySharedEvent) {
  createApp();
  const TReportRouter& router = main()->router();
  const std::map<int, QStringList> expected = {
      {zelvan::app::eventId(LinkEvent::Connected), {"TZelvan_main::Zelvan_d1Connected", "TRs232LanDlg::SetConnected"}},
      // The T-bar turns round first, then the effect controls lock or unlock.
      {Reg::EFFON, {"TTransitionPanel::TBar_EFFONchange", "TEffectKeys::Zelvan_d1EFFONchange"}},
      {Reg::TAKE, {"TTransitionPanel::Zelvan_d1TAKEchange", "TEffectAnimation::activation_des_boutons_choix_pip_pop"}},
      {zelvan::app::eventId(LinkEvent::Ready), {"TZelvan_main::Zelvan_d1Ready", "TEffectKeys::Zelvan_d1Ready"}},
  };
  std::set<int> shared;
  for (int event : router.routedEvents()) {
    const auto positions = router.routinePositions(event);
    std::set<int> features;
    for (RoutePos p : positions) features.insert(int(p));
    if (features.size() > 1) shared.insert(event);
  }
  for (int event : shared) {
    const auto it = expected.find(event);
    ASSERT_NE(it, expected.end()) << "no stated order for " << TReportRouter::eventName(event).toStdString();
    EXPECT_EQ(router.routineNames(event), it->second) << TReportRouter::eventName(event).toStdString();
  }
  EXPECT_EQ(shared.size(), expected.size());
  // The routines of single owners keep their documented order within the feature.
  EXPECT_EQ(router.routineNames(Reg::UNITy),
            QStringList({"TSignalStatus::freq_ligne_trame_M, TSignalStatus::freq_ligne_trame_P"}));
  EXPECT_EQ(router.routineNames(Reg::EFFPR),
            QStringList({"TEffectKeys::currentEffectReported", "TEffectKeys::Zelvan_d1EFFPRchange"}));
  EXPECT_EQ(router.routineNames(Reg::EFFPI),
            QStringList({"TEffectKeys::currentEffectReported", "TEffectsPage::Zelvan_d1EFFPIchange"}));
  EXPECT_EQ(router.routineNames(Reg::VERK), QStringList({"TAbout_Graphic_install::SetVERK"}));
  EXPECT_EQ(router.routineNames(Reg::DEV), QStringList({"TZelvan_main::Zelvan_d1DEVchange"}));
}

// The device LAN dialog follows the device's LAN reports through the router,
// shown or not.
TEST_F(ShellTest, DeviceLanFollowsReports) {
  createApp();
  TRs232LanDlg& d = *main()->windows().lanDialog;
  d.RBRs232->click();
  report("TCP0\r\n");
  EXPECT_EQ(d.Mode(), 2);
  EXPECT_TRUE(d.RBUdp->isChecked());
  EXPECT_TRUE(d.ERemoteAddr->isEnabled());
  report("TCP1\r\n");
  EXPECT_EQ(d.Mode(), 3);
  EXPECT_FALSE(d.ERemoteAddr->isEnabled());
  report("ADIP1\r\nIPA_172\r\nIPB_16\r\nIPC_0\r\nIPD_5\r\n");
  EXPECT_EQ(d.ELocalAddr->text(), "172.16.0.5");
  report("ADIP2\r\nPORT2222\r\n");
  EXPECT_EQ(d.ERemotePort->text(), "2222");
  report("ADIP1\r\nPORT3333\r\n");
  EXPECT_EQ(d.ELocalPort->text(), "3333");
  report("NTMK16\r\n");
  EXPECT_EQ(d.ENetMask->text(), link()->NETMASK());
}

// Every feature hears the shell's moments, in the shell's order.
TEST_F(ShellTest, FeaturesHearTheShellsMoments) {
  createApp(false);
  TZelvan_main* m = main();
  RecordingFeature* f = addRecordingFeature(m);
  app_->start(false);
  // Start-up: the labels are carried to their places (open), the Input page
  // is shown, then the features' own start-up runs.
  EXPECT_EQ(f->moments, (std::vector<std::string>{"labels", "page Input", "startUp"}));
  f->moments.clear();
  report("DEV36\r\n");
  EXPECT_EQ(f->moments, (std::vector<std::string>{"layout 4 refresh", "layout done"}));
  f->moments.clear();
  // A test-pattern report applies the layout again without the refresh.
  report("PAT2\r\n");
  EXPECT_EQ(f->moments, (std::vector<std::string>{"layout 4 no refresh", "layout done"}));
  f->moments.clear();
  m->PageControl1()->setCurrentWidget(m->page(QStringLiteral("Effects")));
  EXPECT_EQ(f->moments, (std::vector<std::string>{"page Effects"}));
  f->moments.clear();
  ASSERT_FALSE(QFile::exists(QStringLiteral("Zelvan_USR.ini")));
  m->close();
  // The features close before the customization is written.
  EXPECT_EQ(f->moments, (std::vector<std::string>{"shutdown"}));
  EXPECT_TRUE(QFile::exists(QStringLiteral("Zelvan_USR.ini")));
}
