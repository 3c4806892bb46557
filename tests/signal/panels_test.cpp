// TSignalPanels as a whole: the wiring table, their place among the
// routines of the report router, construction without pages, and hostile
// reports.
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
  // Nothing hangs on PEDGC's plain change event.
  EXPECT_TRUE(router.routineNames(zelvan::Reg::PEDGC).isEmpty());
}

TEST(SignalPanelsWiring, ShellRoutineRunsBeforeThePanels) {
  TZelvan_d link;
  link.SetRanges(zelvan::acceptedRanges());
  FakeHost host;
  std::vector<QString> order;
  QString captionWhenMainWindowRan;
  TSignalPanels panels(link, host, {});
  zelvan::app::TReportRouter router;
  // Added after the panels' routines, at the shell's earlier position.
  zelvan::app::addSignalRoutes(router, panels);
  router.add(zelvan::Reg::ICHM, zelvan::app::RoutePos::Shell, QStringLiteral("main window"), [&] {
    order.push_back("main window");
    captionWhenMainWindowRan = zelvan::signal::cell(panels.context().StringGrid1, 1, 1);
  });
  router.install(link);
  link.ProcessReceived(QByteArray("CH3\r\n"));
  ASSERT_EQ(order.size(), 1u);
  EXPECT_EQ(captionWhenMainWindowRan, "");
  EXPECT_EQ(zelvan::signal::cell(panels.context().StringGrid1, 1, 1), "Input 3");
  EXPECT_EQ(router.routineNames(zelvan::Reg::ICHM), QStringList({"main window", "TInputRow::Zelvan_d1ICHMchange"}));
}

TEST(SignalPanelsWiring, PanelsWithoutPagesAndWithoutAMatrixWindow) {
  TZelvan_d link;
  link.SetRanges(zelvan::acceptedRanges());
  FakeHost host;
  host.withMatrix = false;
  int mainWindowCalls = 0;
  zelvan::app::TReportRouter router;
  router.add(zelvan::Reg::ICHM, zelvan::app::RoutePos::Shell, QStringLiteral("main window"), [&] { ++mainWindowCalls; });
  auto panels = std::make_unique<TSignalPanels>(link, host, zelvan::signal::TSignalPages{});
  zelvan::app::addSignalRoutes(router, *panels);
  router.install(link);
  link.ProcessReceived(QByteArray("CH1\r\nch2\r\nchn3\r\nMTRX1\r\nPCH0\r\nPEN1\r\nLDYS1\r\nFRZ1\r\nTKEV0\r\n"));
  panels->tick();
  EXPECT_EQ(panels->inputRow()->inputButton(1)->font().bold(), true);
  EXPECT_EQ(zelvan::signal::cell(panels->StringGrid2(), 1, 1), "Input 2");
  EXPECT_EQ(mainWindowCalls, 1);
  // The link outlives the panels: later reports reach no panel, while the
  // shell's routine keeps running and the link keeps its mirror.
  panels.reset();
  link.ProcessReceived(QByteArray("CH2\r\nPCH1\r\nPEN0\r\n"));
  EXPECT_EQ(mainWindowCalls, 2);
  EXPECT_EQ(link.ICHM(), 2u);
  EXPECT_FALSE(link.PENA());
}

TEST(SignalPanelsWiring, HostileReportsAreHarmless) {
  // No ranges installed: every value reaches the handlers.
  TZelvan_d link;
  link.setForceConn(true);
  link.setSupervisorTimeScale(1000000);
  link.SupervisorTick();
  FakeHost host;
  TSignalPanels panels(link, host, {});
  zelvan::app::TReportRouter router;
  zelvan::app::addSignalRoutes(router, panels);
  router.install(link);
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

// Every named control of the signal panels exists under its own name, so that
// the main window, the Matrix layout and the tests can find it.
TEST_F(SignalTest, EveryNamedControlExists) {
  QStringList names = {"label_input0", "SpeedButton_pippop_main", "SpeedButton_pippop_preview",
                       "PopupMenu_SIGNAL_TYPE", "PopupMenu_STANDARD", "menuitem_Off", "menuitem_On",
                       "PopupMenu_OFMTM", "ComboBox_follow_Main", "ComboBox_freq_Main", "ComboBox_freq_Main_RACCOURCI",
                       "PopupMenu_OUTPUT_RATE", "reference_trame_voulue", "StaticText_REFREQM",
                       "RefreqM_Label_no_signal_Main_refreq", "LMDRadioGroup_osyn_Main", "LMDRadioGroup_osyn_Preview",
                       "LMDRadioGroup_test_pattern_Main", "LMDRadioGroup_test_pattern_Preview",
                       "LMDRadioGroup_typeofscreen", "BitBtn_Take", "PanelTBAR", "Label203", "TBar",
                       "Autotake_On1", "Autotake_Off1", "CleanCut_Output1", "Logofade_Output1", "CleanCut_Output2",
                       "Logofade_output2", "RadioButton_TranstionCleanCut_M", "RadioButton_TranstionColor_M",
                       "LMDGraphicLabel_Transition", "Button_1s", "Button_3s", "Button_5s", "BitBtn_Freeze_main",
                       "BitBtn_Freeze_preview", "Tamponvar_ABAL"};
  for (int n = 1; n <= 8; ++n) {
    for (const char* f : {"label_input%1", "BitBtn_Input_%1", "Label_input_%1", "ComboBox_signaltype%1",
                          "ComboBox_standard%1", "CheckBox_PProc_pchan_%1", "LMDRadioButton_HiZ%1", "CheckBox_Input%1",
                          "Valid_RGB_YUV_%1", "Radiobutton_audio_ACHANM_%1", "Radiobutton_audio_ACHANP_%1",
                          "ScrollBar_ALEV_PCHAN%1", "Edit_ALEV_PCHAN%1", "ScrollBar_ABAL_PCHAN%1", "Edit_ABAL_PCHAN%1",
                          "Label_Audio_%1"})
      names << QString::fromLatin1(f).arg(n);
  }
  for (int k = 1; k <= 3; ++k) names << QStringLiteral("choix_tally%1_entree_ichm").arg(k) << QStringLiteral("StaticText_TA%1ON").arg(k);
  for (int k = 1; k <= 6; ++k)
    names << QStringLiteral("FadeFrame%1_Output1").arg(k) << QStringLiteral("FadeFrame%1_output2").arg(k)
          << QStringLiteral("RadioButton_TranstionFrame%1_M").arg(k);
  for (const char* s : {"M", "P"})
    for (const char* f : {"LMDRadioButton_AMODE%1", "ScrollBar_AMAST%1", "Edit_AMAST%1", "SpeedButton_AMUTE%1",
                          "SpeedButton_AAUXM%1", "SpeedButton_AMONO%1"})
      names << QString::fromLatin1(f).arg(QString::fromLatin1(s));
  for (const char* s : {"M", "P"})
    for (const char* f : {"ScrollBar_hpos_%1_video", "Edit_hpos_%1", "ScrollBar_vpos_%1_video", "Edit_vpos_%1",
                          "ScrollBar_hsiz_%1_video", "Edit_hsize_%1", "ScrollBar_vsiz_%1_video", "Edit_vsize_%1",
                          "ScrollBar_brightness_%1", "Edit_brightness_%1", "ScrollBar_blacklevel_%1",
                          "Edit_blacklevel_%1", "ScrollBar_contrast_%1", "Edit_contrast_%1", "ScrollBar_color_%1",
                          "Edit_color_%1", "ScrollBar_hue_%1", "Edit_hue_%1", "ScrollBar_redlevel_%1",
                          "Edit_redlevel_%1", "ScrollBar_greenlevel_%1", "Edit_greenlevel_%1",
                          "ScrollBar_bluelevel_%1", "Edit_bluelevel_%1", "ScrollBar_clock_%1", "Edit_clock_%1",
                          "ScrollBar_dphase_%1", "Edit_dphase_%1", "ScrollBar_hpos_zoom_%1", "Edit_hpos_zoom_%1",
                          "ScrollBar_vpos_zoom_%1", "Edit_vpos_zoom_%1", "ScrollBar_hsiz_zoom_%1",
                          "Edit_hsiz_zoom_%1", "ScrollBar_vsiz_zoom_%1", "Edit_vsiz_zoom_%1", "RadioGroup_IASP%1",
                          "RadioGroup_over_under_scan_%1", "ComboBox_process_%1", "BitBtn_alignment_%1",
                          "BitBtn_preset_%1", "BitBtn_Store_%1", "BitBtn_Recall_%1", "SpeedButton_H_smooth_%1",
                          "SpeedButton_V_smooth_%1", "Panel_notavailble_%1", "Label5_%1"})
      names << QString::fromLatin1(f).arg(QString::fromLatin1(s));
  names << "TabSheet_image_normal_Main" << "TabSheet_image_zoom_Main";
  for (const QString& name : names) {
    const bool found = window.findChild<QObject*>(name) || panels->findChild<QObject*>(name);
    EXPECT_TRUE(found) << "no control " << name.toStdString();
  }
}
