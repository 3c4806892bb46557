// TSignalPanels as a whole: the wiring table, chaining with handlers the
// main window already has, construction without pages, and hostile reports.
#include <QCheckBox>
#include <QPushButton>
#include <QRandomGenerator>

#include "panel/signal/input_row.h"
#include "panel/signal/input_table.h"
#include "signal_test_support.h"

using namespace signal_test;
using namespace zelvan::signal;

TEST_F(SignalTest, RoutesDescribeEveryHandledRegisterInOrder) {
  const QStringList lines = panels->describeRoutes();
  EXPECT_TRUE(lines.contains("Zelvan_d1ICHMchange: TInputRow::Zelvan_d1ICHMchange"));
  EXPECT_TRUE(lines.contains("Zelvan_d1UNITYchange: TSignalStatus::freq_ligne_trame_M, TSignalStatus::freq_ligne_trame_P"));
  EXPECT_TRUE(lines.contains("Zelvan_d1IINTMchange: TSignalStatus::signal_M, TSignalStatus::freq_ligne_trame_M"));
  EXPECT_TRUE(lines.contains("Zelvan_d1PEDGC_Zelvan_change: TInputTable::Zelvan_d1PEDGC_Zelvan_change"));
  const auto regs = panels->handledRegisters();
  EXPECT_EQ(static_cast<size_t>(lines.size()), regs.size());
  // Every register appears once.
  std::vector<int> sorted = regs;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end());
}

TEST_F(SignalTest, ExtendIsHandledOnceThroughItsOwnEvent) {
  int handled = 0;
  auto* box = panels->inputTable()->Valid_RGB_YUV_(2);
  QObject::connect(box, &QCheckBox::toggled, [&] { ++handled; });
  feed({"PCH2", "PEDG1"});
  EXPECT_TRUE(box->isChecked());
  EXPECT_EQ(handled, 1);
  EXPECT_FALSE(static_cast<bool>(link.OnPEDGCchange));
}

TEST(SignalPanelsWiring, HandlerAlreadyInstalledRunsFirst) {
  TZelvan_d link;
  link.SetRanges(zelvan::acceptedRanges());
  FakeHost host;
  std::vector<QString> order;
  QString captionWhenMainWindowRan;
  TSignalPanels panels(link, host, {});
  link.OnICHMchange = [&](QObject*, int) {
    order.push_back("main window");
    captionWhenMainWindowRan = zelvan::signal::cell(panels.context().StringGrid1, 1, 1);
  };
  panels.wireLinkEvents(link);
  link.ProcessReceived(QByteArray("CH3\r\n"));
  ASSERT_EQ(order.size(), 1u);
  EXPECT_EQ(captionWhenMainWindowRan, "");
  EXPECT_EQ(zelvan::signal::cell(panels.context().StringGrid1, 1, 1), "Input 3");
}

TEST(SignalPanelsWiring, PanelsWithoutPagesAndWithoutAMatrixWindow) {
  TZelvan_d link;
  link.SetRanges(zelvan::acceptedRanges());
  FakeHost host;
  host.withMatrix = false;
  auto panels = std::make_unique<TSignalPanels>(link, host, zelvan::signal::TSignalPages{});
  panels->wireLinkEvents(link);
  link.ProcessReceived(QByteArray("CH1\r\nch2\r\nchn3\r\nMTRX1\r\nPCH0\r\nPEN1\r\nLDYS1\r\nFRZ1\r\nTKEV0\r\n"));
  panels->tick();
  EXPECT_EQ(panels->inputRow()->inputButton(1)->font().bold(), true);
  EXPECT_EQ(zelvan::signal::cell(panels->StringGrid2(), 1, 1), "Input 2");
  // The link outlives the panels: later reports reach nobody.
  panels.reset();
  link.ProcessReceived(QByteArray("CH2\r\nPCH1\r\nPEN0\r\n"));
}

TEST(SignalPanelsWiring, HostileReportsAreHarmless) {
  // No ranges installed: every value reaches the handlers.
  TZelvan_d link;
  link.setForceConn(true);
  link.setSupervisorTimeScale(1000000);
  link.SupervisorTick();
  FakeHost host;
  TSignalPanels panels(link, host, {});
  panels.wireLinkEvents(link);
  const uint32_t values[] = {0u, 1u, 2u, 7u, 8u, 9u, 10u, 13u, 14u, 42u, 43u, 49u, 50u, 255u, 256u, 65535u,
                             0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu};
  QByteArray burst;
  for (uint32_t v : values)
    for (int reg : panels.handledRegisters()) {
      const auto name = zelvan::registerInfo(reg).name;
      burst += QByteArray("PCH") + QByteArray::number(v % 10) + "\r\n";
      burst += QByteArray(name.data(), qsizetype(name.size())) + QByteArray::number(v) + "\r\n";
    }
  link.ProcessReceived(burst);
  for (int i = 0; i < 5; ++i) panels.tick();
  // Garbage, overlong numbers and a line without an end.
  QByteArray junk;
  auto* rng = QRandomGenerator::global();
  for (int i = 0; i < 2000; ++i) junk += char(rng->bounded(256));
  link.ProcessReceived(junk + "\r\nCH99999999999999999999\r\nHP-5\r\n" + QByteArray(100000, 'X'));
  // The unterminated tail is dropped with the next line end.
  link.ProcessReceived(QByteArray("\r\nCH2\r\n"));
  EXPECT_EQ(zelvan::signal::cell(panels.context().StringGrid1, 1, 1), "Input 2");
}
