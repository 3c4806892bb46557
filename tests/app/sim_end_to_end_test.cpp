// The application against the device simulator zelvan-sim over TCP: the
// simulator runs as its own process on a free loopback port, twenty times
// faster than the device; the application connects from its customization
// file, identifies the model and becomes ready. Then the operator's
// everyday controls go through the wire and back: an input click switches
// Preview, TAKE swaps Main and Preview, a format choice reaches the device
// and comes back to the status grid.
#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QMenu>
#include <QProcess>
#include <QTableWidget>
#include <QTest>

#include <QEnterEvent>
#include <QPlainTextEdit>

#include "app/main_menus.h"
#include "tools/tabout_graphic_install.h"
#include "tools/tform_debug.h"
#include "app/signal_feature.h"
#include "app_test_support.h"
#include "sim_app_support.h"
#include "panel/signal/output_format.h"
#include "panel/signal/output_panel.h"
#include "panel/signal/signal_common.h"
#include "panel/signal/signal_tables.h"
#include "panel/signal/signal_panels.h"
#include "widgets/tsmallcombo.h"

#ifdef ZELVAN_SIM_PATH

namespace {
using SimEndToEnd = SimAppTest;
}  // namespace

TEST_F(SimEndToEnd, IdentifiesTheSimulatedDeviceAndBecomesReady) {
  ASSERT_NO_FATAL_FAILURE(startConnected());
  TZelvan_main* m = main();
  EXPECT_EQ(link()->DEV(), 36u);
  EXPECT_EQ(m->connection()->text(), QStringLiteral("    Device connected"));
  EXPECT_FALSE(m->Image_connected()->isHidden());
  EXPECT_TRUE(m->Image_not_connected()->isHidden());
  EXPECT_EQ(m->modelLayout().LastAppliedModel, 36u);
  EXPECT_EQ(m->windowTitle(), QStringLiteral("DMR Zelvan remote control     (Mixer mode)  TCP - Zelvan_USR.ini"));
  EXPECT_TRUE(m->menus()->EmbeddedSE->isEnabled());
  EXPECT_TRUE(m->BitBtn_initial_please()->isHidden());
}

TEST_F(SimEndToEnd, InputClickTakeAndFormatGoThroughTheDevice) {
  ASSERT_NO_FATAL_FAILURE(startConnected());
  TZelvan_main* m = main();
  const uint32_t mainBefore = link()->ICHM();
  const int wanted = mainBefore == 3 ? 4 : 3;

  // Input click: the simulator switches Preview, the row follows its report.
  auto* input = m->findControl<QAbstractButton>(QStringLiteral("label_input%1").arg(wanted));
  ASSERT_TRUE(input);
  QTest::mouseClick(input, Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return link()->ICHP() == uint32_t(wanted); }, 5000)) << "ICHP " << link()->ICHP();
  EXPECT_EQ(zelvan::signal::captionColor(input), zelvan::signal::colorPreview());
  EXPECT_FALSE(input->isChecked());  // pressed means on Main
  EXPECT_EQ(link()->ICHM(), mainBefore);

  // TAKE: Main and Preview swap once the transition has run.
  auto* take = control<QAbstractButton>("BitBtn_Take");
  ASSERT_TRUE(take);
  ASSERT_TRUE(QTest::qWaitFor([&] { return take->isEnabled(); }, 5000));
  QTest::mouseClick(take, Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return link()->ICHM() == uint32_t(wanted) && link()->ICHP() == mainBefore && !link()->EFFON(); }, 10000))
      << "ICHM " << link()->ICHM() << " ICHP " << link()->ICHP() << " EFFON " << link()->EFFON();
  auto* onMain = m->findControl<QAbstractButton>(QStringLiteral("label_input%1").arg(wanted));
  EXPECT_TRUE(onMain->isChecked());
  EXPECT_TRUE(onMain->font().bold());
  EXPECT_EQ(zelvan::signal::captionColor(onMain), zelvan::signal::colorMain());
  EXPECT_EQ(m->StringGrid1()->item(1, 1)->text(), onMain->text());

  // Format: choosing another output format reaches the device, which
  // reports the new code; the status grid's format row follows.
  zelvan::signal::TOutputFormatSide* side = m->feature<zelvan::app::TSignalFeature>()->panels()->output()->side(1);
  TSmallCombo* formats = side->ComboBox_follow();
  const uint32_t codeBefore = link()->OFMTM();
  const int target = formats->ItemIndex() == 2 ? 5 : 2;
  formats->DropDown();
  QMenu* menu = formats->ActiveMenu();
  ASSERT_TRUE(menu);
  ASSERT_GT(menu->actions().size(), target);
  const QString chosen = menu->actions().at(target)->text();
  menu->actions().at(target)->trigger();
  menu->hide();
  ASSERT_TRUE(QTest::qWaitFor([&] { return link()->OFMTM() != codeBefore; }, 5000)) << "OFMTM " << codeBefore;
  ASSERT_TRUE(QTest::qWaitFor([&] { return formats->ItemIndex() == target; }, 2000));
  EXPECT_EQ(m->StringGrid1()->item(10, 1)->text(), formats->Text());
  EXPECT_EQ(formats->Text(), QString(chosen).remove(QLatin1Char('&')));
}

TEST_F(SimEndToEnd, ConsoleTalksToTheDeviceAndAboutShowsItsVersions) {
  ASSERT_NO_FATAL_FAILURE(startConnected());
  TZelvan_main* m = main();
  TForm_debug* console = m->windows().debug;
  ASSERT_TRUE(console);
  // Ctrl+Insert with the pointer over the connection label opens the console.
  m->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(m));
  QEnterEvent enter(QPointF(4, 4), QPointF(4, 4), QPointF(4, 4));
  QCoreApplication::sendEvent(m->connection(), &enter);
  QTest::keyClick(m, Qt::Key_Insert, Qt::ControlModifier);
  ASSERT_TRUE(console->isVisible());

  // A raw command typed in the console reaches the device; its report is
  // logged and followed by the link.
  const uint32_t wanted = link()->ICHP() == 5 ? 6 : 5;
  auto* memo = console->findChild<QPlainTextEdit*>(QStringLiteral("Memo_env"));
  auto* log = console->findChild<QPlainTextEdit*>(QStringLiteral("Memo_recu"));
  ASSERT_TRUE(memo && log);
  QTest::keyClicks(memo, QStringLiteral("%1cn").arg(wanted));  // pending Preview input
  QTest::keyClick(memo, Qt::Key_Return);
  ASSERT_TRUE(QTest::qWaitFor([&] { return link()->ICHP() == wanted; }, 5000));
  EXPECT_TRUE(log->toPlainText().contains(QStringLiteral("ch%1\t").arg(wanted))) << log->toPlainText().right(300).toStdString();

  // The About window shows the versions the device reported.
  TAbout_Graphic_install* about = m->windows().about;
  ASSERT_TRUE(about);
  auto* k = about->findChild<QLabel*>(QStringLiteral("label_k"));
  ASSERT_TRUE(k);
  EXPECT_EQ(link()->VERK(), 0xA1u);  // the simulator's checksum K
  EXPECT_EQ(k->text(), QStringLiteral("K = 00A1"));
  console->hide();
}

#endif
