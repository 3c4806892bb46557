// Start-up sequence, model layout, device identity and the window titles.
#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QShortcut>
#include <QTest>
#include <QTimer>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>

#include "app/main_menus.h"
#include "app/model_table.h"
#include "app/pending_windows.h"
#include "app_test_support.h"
#include "tools/serialportmenu.h"
#include "tools/tabout_graphic_install.h"
#include "tools/tform_debug.h"
#include "tools/trs232landlg.h"
#include "widgets/tconversion.h"
#include "widgets/tsmallcombo.h"

using namespace zelvan::app;

namespace {
QStringList comboItems(const TSmallCombo* c) {
  QStringList out;
  for (int i = 0; i < c->ItemCount(); ++i) out << c->ItemText(i);
  return out;
}
}  // namespace

TEST_F(ShellTest, WindowsAreCreatedOnceInOrderAndHidden) {
  createApp();
  const QStringList expected = {"TZelvan_main",          "TAbout_Graphic_install", "TMatrix_Zelvan_main",
                                "TForm_Settings_Matrix", "Tstatus",                "TRs232LanDlg",
                                "TIPConfigDlg",          "TCadre_logo_Memo_MAIN",  "TCadre_logo_Memo_PREVIEW",
                                "TCadre_logo_1M",        "TCadre_logo_1P",         "TCadre_logo_2M",
                                "TCadre_logo_2P",        "TForm_debug",            "TForm_Embedded_Softedge"};
  QStringList names;
  for (QWidget* w : app_->all()) {
    names << w->objectName();
    EXPECT_TRUE(w->isWindow()) << w->objectName().toStdString();
    EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
  }
  EXPECT_EQ(names, expected);
}

TEST_F(ShellTest, StartWithoutCustomizationSelectsCom1) {
  createApp();
  EXPECT_EQ(link()->ConType(), CON_RS232);
  EXPECT_EQ(link()->Port(), QStringLiteral("COM1"));
  EXPECT_EQ(main()->serialPorts()->CheckedPort(), 1);
  EXPECT_EQ(main()->windowTitle(), QStringLiteral("Zelvan remote control     (Mixer mode)  Port: COM1 - Zelvan_USR.ini"));
  EXPECT_EQ(main()->windows().matrix->windowTitle(),
            QStringLiteral("Zelvan remote control     (Matrix mode)  Port: COM1 - Zelvan_USR.ini"));
  EXPECT_EQ(main()->windows().softEdge->windowTitle(),
            QStringLiteral("Zelvan remote control     (Embedded Softedge)  Port: COM1 - Zelvan_USR.ini"));
  // The default labels stay.
  ASSERT_EQ(main()->memoryLists().InputLabelList.size(), 8);
  EXPECT_EQ(main()->memoryLists().InputLabelList[2]->text(), QStringLiteral("Input 3"));
  EXPECT_EQ(main()->state().CustomizationFileName, QStringLiteral("Zelvan_USR.ini"));
}

TEST_F(ShellTest, TitleBeforeStartupShowsUnknownPort) {
  createApp(false);
  EXPECT_EQ(main()->windowTitle(), QStringLiteral("Zelvan remote control     (Mixer mode)    COM?"));
  EXPECT_EQ(link()->ConType(), CON_RS232);
  EXPECT_EQ(link()->IpLocalPort(), 10500);
  EXPECT_EQ(link()->IpRemotePort(), 10500);
  EXPECT_EQ(link()->IpRemoteAddress(), QStringLiteral("192.168.0.10"));
  EXPECT_EQ(link()->sentString(), QStringLiteral("?"));
}

TEST_F(ShellTest, StartupFillsMemoryCombosGridAndPages) {
  createApp();
  TZelvan_main* m = main();
  for (TSmallCombo* c : m->memoryLists().FRAME_Combologo) {
    EXPECT_EQ(comboItems(c), QStringList({"None", "Frame 1", "Frame 2", "Frame 3", "Frame 4", "Frame 5", "Frame 6"}));
    EXPECT_EQ(c->ItemIndex(), 0);
  }
  for (TSmallCombo* c : m->memoryLists().LINDEX2_Combologo) {
    EXPECT_EQ(c->ItemCount(), 9);
    EXPECT_EQ(c->ItemText(8), QStringLiteral("Logo 8"));
  }
  EXPECT_EQ(m->findChild<QWidget*>(QStringLiteral("ComboBox_lstore_main")), m->memoryLists().ComboBox_lstore_main);
  EXPECT_EQ(m->StringGrid1()->item(0, 0)->text(), QStringLiteral("                INPUT"));
  EXPECT_EQ(m->StringGrid1()->item(0, 1)->text(), QStringLiteral("STATUS:"));
  EXPECT_EQ(m->StringGrid1()->item(2, 0)->text(), QStringLiteral("XGA(ifamm)"));
  EXPECT_EQ(m->StringGrid1()->item(9, 0)->text(), QStringLiteral("            OUTPUT"));
  EXPECT_EQ(m->StringGrid1()->item(15, 0)->text(), QStringLiteral("Output sync:"));
  EXPECT_EQ(m->StringGrid1()->selectionMode(), QAbstractItemView::NoSelection);
  // Eleven tabs with their names; Input active and highlighted.
  EXPECT_EQ(m->PageControl1()->count(), 11);
  EXPECT_EQ(m->PageControl1()->currentWidget()->objectName(), QStringLiteral("Input"));
  EXPECT_TRUE(m->page(QStringLiteral("Input"))->property("Highlighted").toBool());
  EXPECT_NE(m->page(QStringLiteral("TabSheet_transition")), nullptr);
  EXPECT_EQ(m->state().MainPageIndex[6], m->PageControl1()->indexOf(m->page(QStringLiteral("Effects"))));
  m->PageControl1()->setCurrentWidget(m->page(QStringLiteral("Effects")));
  EXPECT_FALSE(m->page(QStringLiteral("Input"))->property("Highlighted").toBool());
  EXPECT_TRUE(m->page(QStringLiteral("Effects"))->property("Highlighted").toBool());
  // Ranges are installed: a PCHAN report of 9 is dropped.
  report("PCH9\r\n");
  EXPECT_EQ(link()->PCHAN(), 0u);
  EXPECT_EQ(m->conversion()->PositionAffichage(-128), 0);
}

TEST_F(ShellTest, EffectNameTableNamesChooserItems) {
  createApp();
  const TEffectNameTable& t = main()->state().EffectNameTable;
  EXPECT_EQ(t.objectName(0, 5), QStringLiteral("menuitem_Cut"));
  EXPECT_EQ(t.objectName(6, 0), QStringLiteral("menuitem_HorizontalWipeLefttoRight"));
  EXPECT_EQ(t.objectName(6, 2), QStringLiteral("menuitem_HorizontalSlideLeftToRight"));
  EXPECT_EQ(t.caption(7, 3), QStringLiteral("Horizontal Slide Right to Left"));
  EXPECT_EQ(t.objectName(8, 14), QStringLiteral("menuitem_SquareToCenter"));
  EXPECT_EQ(t.objectName(12, 14), QStringLiteral("menuitem_SquareToCenter"));
  EXPECT_EQ(t.objectName(13, 15), QStringLiteral("menuitem_SquareFromCenter"));
  EXPECT_EQ(t.objectName(10, 4), QStringLiteral("menuitem_VerticalSlideUp"));
  EXPECT_EQ(t.objectName(11, 5), QStringLiteral("menuitem_VerticalSlideDown"));
  EXPECT_EQ(t.objectName(11, 4), QStringLiteral("menuitem_VerticalWipeDown"));
  EXPECT_EQ(t.caption(14, 9), QStringLiteral("Double PiP"));
  EXPECT_EQ(t.item(15, 0), nullptr);
  EXPECT_EQ(t.item(3, 16), nullptr);
  const TEffectNameTable& se = main()->state().SoftEdgeEffectNameTable;
  EXPECT_EQ(se.caption(4, 7), QStringLiteral("PiP"));
  EXPECT_EQ(se.caption(14, 0), QStringLiteral("Double PiP"));
  EXPECT_EQ(se.item(1, 0), nullptr);
  EXPECT_NE(se.item(4, 0), t.item(4, 0));  // the soft-edge window's own item
}

TEST_F(ShellTest, ModelTableMapsIdentities) {
  EXPECT_EQ(modelIndexOf(0), 0);
  EXPECT_EQ(modelIndexOf(36), 4);
  EXPECT_EQ(modelIndexOf(39), 7);
  EXPECT_EQ(modelIndexOf(30), -1);
  EXPECT_FALSE(isKnownModel(0));
  EXPECT_TRUE(isKnownModel(31));
  EXPECT_EQ(comboToMemoryIndex(4, 3), 11);
  EXPECT_EQ(comboToMemoryIndex(4, 7), 3);
  EXPECT_EQ(comboToMemoryIndex(1, 3), 3);
  EXPECT_EQ(comboToMemoryIndex(1, 11), 0);
  EXPECT_TRUE(modelHasFrames3to6(4));
  EXPECT_FALSE(modelHasFrames3to6(5));
  EXPECT_EQ(mixerPrefixFor(7), QStringLiteral("CLOr1 Zelvan remote control     (Mixer mode)"));
  EXPECT_EQ(matrixPrefixFor(1), QStringLiteral("ARL Zelvan remote control     (Matrix mode)"));
}

TEST_F(ShellTest, Dev36UnlocksFramesThreeToSix) {
  createApp();
  TZelvan_main* m = main();
  // Logo tab controls of the logo feature are found by name.
  auto* tabs = new QTabBar(m->page(QStringLiteral("new_logos_Main")));
  tabs->setObjectName(QStringLiteral("TabControl_logo_M"));
  tabs->addTab(QStringLiteral("x"));
  report("DEV36\r\n");
  EXPECT_EQ(m->connection()->text(), QStringLiteral("    Device connected"));
  EXPECT_FALSE(m->connection()->font().bold());
  EXPECT_FALSE(m->Image_connected()->isHidden());
  EXPECT_TRUE(m->Image_not_connected()->isHidden());
  EXPECT_EQ(m->modelLayout().LastAppliedModel, 36u);
  for (TSmallCombo* c : m->memoryLists().FRAME_Combologo)
    for (int k = 0; k <= 6; ++k) EXPECT_TRUE(c->GetItemVisible(k)) << k;
  for (int n = 1; n <= 8; ++n) {
    auto* c = m->windows().matrix->findChild<TSmallCombo*>(QStringLiteral("FRAME_Combologo_ichp_%1").arg(n));
    ASSERT_NE(c, nullptr);
    EXPECT_TRUE(c->GetItemVisible(6));
    EXPECT_TRUE(c->GetItemEnabled(3));
  }
  EXPECT_TRUE(m->menus()->Frame[2]->isEnabled());
  EXPECT_EQ(m->menus()->Frame[5]->text(), QStringLiteral("Frame 6"));
  EXPECT_TRUE(m->menus()->FadeFrame_Output1[3]->isVisible());
  EXPECT_TRUE(m->menus()->FadeFrame_output2[5]->isVisible());
  EXPECT_TRUE(m->menus()->Frame_Alert_Frame[2]->isVisible());
  EXPECT_FALSE(m->windows().settings->findChild<QWidget*>(QStringLiteral("RadioButton_TranstionFrame4_P"))->isHidden());
  for (const char* name : {"RadioButton_TranstionFrame3_M", "RadioButton_TranstionFrame6_M"})
    EXPECT_FALSE(m->findControl<QWidget>(QLatin1String(name))->isHidden()) << name;
  for (const char* name : {"HDTV_SDI_2", "SDTV_SDI_2"}) EXPECT_TRUE(m->findAction(QLatin1String(name))->isVisible()) << name;
  EXPECT_TRUE(m->menus()->EmbeddedSE->isEnabled());
  EXPECT_EQ(tabs->count(), 4);
  EXPECT_EQ(tabs->tabText(3), QStringLiteral("        Frame quality      "));
  EXPECT_EQ(m->menus()->OkrimLANStatus1->text(), QStringLiteral("Dumara LAN Setup"));
  EXPECT_EQ(m->menus()->AboutOkrimLOGO->text(), QStringLiteral("About Dumara..."));
  EXPECT_EQ(m->BitBtn_initial_please()->text(), QStringLiteral("Connecting to Dumara"));
  EXPECT_EQ(m->windows().lanDialog->windowTitle(), QStringLiteral("Dumara LAN Setup"));
  EXPECT_EQ(m->windows().about->windowTitle(), QStringLiteral("About Dumara remote control"));
  EXPECT_EQ(m->windows().about->PictureIndex(), 8);
  EXPECT_EQ(m->windowTitle(), QStringLiteral("DMR Zelvan remote control     (Mixer mode)  Port: COM1 - Zelvan_USR.ini"));
  EXPECT_TRUE(m->modelLayout().SavedFrameComboVisible[0][6]);
  EXPECT_TRUE(m->modelLayout().SavedFrameComboVisible[15][3]);
}

TEST_F(ShellTest, Dev27KeepsFramesHidden) {
  createApp();
  TZelvan_main* m = main();
  auto* tabs = new QTabBar(m->page(QStringLiteral("new_logos_Main")));
  tabs->setObjectName(QStringLiteral("TabControl_logo_M"));
  report("DEV27\r\n");
  for (TSmallCombo* c : m->memoryLists().FRAME_Combologo) {
    EXPECT_TRUE(c->GetItemVisible(2));
    for (int k = 3; k <= 6; ++k) EXPECT_FALSE(c->GetItemVisible(k)) << k;
  }
  EXPECT_FALSE(m->menus()->Frame[2]->isEnabled());
  EXPECT_EQ(m->menus()->Frame[2]->text(), QStringLiteral(" "));
  EXPECT_FALSE(m->menus()->FadeFrame_Output1[2]->isVisible());
  EXPECT_FALSE(m->menus()->Frame_Alert_Frame[5]->isVisible());
  EXPECT_TRUE(m->windows().settings->findChild<QWidget*>(QStringLiteral("RadioButton_TranstionFrame3_P"))->isHidden());
  for (const char* name : {"RadioButton_TranstionFrame3_M", "RadioButton_TranstionFrame6_M"})
    EXPECT_TRUE(m->findControl<QWidget>(QLatin1String(name))->isHidden()) << name;
  EXPECT_FALSE(m->findControl<QWidget>(QStringLiteral("RadioButton_TranstionFrame2_M"))->isHidden());
  for (const char* name : {"HDTV_SDI_2", "SDTV_SDI_2"}) EXPECT_FALSE(m->findAction(QLatin1String(name))->isVisible()) << name;
  EXPECT_FALSE(m->menus()->EmbeddedSE->isEnabled());
  EXPECT_TRUE(m->menus()->EmbeddedSE->isVisible());
  EXPECT_EQ(tabs->count(), 3);
  EXPECT_EQ(m->windowTitle(), QStringLiteral("ARL Zelvan remote control     (Mixer mode)  Port: COM1 - Zelvan_USR.ini"));
  EXPECT_EQ(m->windows().lanDialog->windowTitle(), QStringLiteral("ARLEN LAN Setup"));
  // From a model with frames to one without: positions 3..6 hide again.
  report("DEV36\r\nDEV29\r\n");
  EXPECT_FALSE(m->memoryLists().FRAME_Combologo[0]->GetItemVisible(4));
  EXPECT_EQ(m->windowTitle(), QStringLiteral("BRV Zelvan remote control     (Mixer mode)  Port: COM1 - Zelvan_USR.ini"));
}

TEST_F(ShellTest, FramesInEmbeddedModeFollowFrameQuality) {
  createApp();
  report("EDSB1\r\nLQTY0\r\nDEV36\r\n");
  TSmallCombo* c = main()->memoryLists().FRAME_Combologo[0];
  EXPECT_TRUE(c->GetItemVisible(3));
  EXPECT_FALSE(c->GetItemEnabled(3));
  EXPECT_FALSE(main()->menus()->FadeFrame_Output1[2]->isEnabled());
  report("LQTY1\r\n");
  main()->reapplyModelLayout();
  EXPECT_TRUE(c->GetItemEnabled(3));
}

TEST_F(ShellTest, ModeMenuFollowsModel) {
  createApp();
  TZelvan_main* m = main();
  report("DEV31\r\n");
  EXPECT_FALSE(m->menus()->Mode1->menuAction()->isVisible());
  EXPECT_FALSE(m->menus()->Mixer1->isVisible());
  EXPECT_FALSE(m->menus()->EmbeddedSE->isVisible());
  report("DEV39\r\n");
  EXPECT_TRUE(m->menus()->Mode1->menuAction()->isVisible());
  EXPECT_FALSE(m->menus()->Mixer1->isVisible());
  EXPECT_TRUE(m->menus()->Matrix1->isVisible());
  EXPECT_FALSE(m->menus()->EmbeddedSE->isVisible());
  EXPECT_EQ(m->windows().matrix->windowTitle(),
            QStringLiteral("CLOr1 Zelvan remote control     (Matrix mode)  Port: COM1 - Zelvan_USR.ini"));
}

TEST_F(ShellTest, SameDevTwiceDoesNotReapplyLayout) {
  createApp();
  TZelvan_main* m = main();
  report("DEV36\r\n");
  // Something changes the layout after the model was applied...
  m->memoryLists().FRAME_Combologo[0]->SetItemVisible(5, false);
  m->menus()->Mixer1->setVisible(false);
  report("V_27\r\nDEV36\r\n");
  // ...the same identity again leaves it alone but still sets the label.
  EXPECT_FALSE(m->memoryLists().FRAME_Combologo[0]->GetItemVisible(5));
  EXPECT_FALSE(m->menus()->Mixer1->isVisible());
  EXPECT_EQ(m->connection()->text(), QStringLiteral("    Device connected"));
  // A forced re-application does apply it.
  m->reapplyModelLayout();
  EXPECT_TRUE(m->memoryLists().FRAME_Combologo[0]->GetItemVisible(5));
  EXPECT_TRUE(m->menus()->Mixer1->isVisible());
}

TEST_F(ShellTest, UnknownDevShowsNotConnectedAndKeepsLayout) {
  createApp();
  TZelvan_main* m = main();
  report("DEV36\r\n");
  m->tick().Timer1()->stop();
  report("DEV12\r\n");
  EXPECT_EQ(m->connection()->text(), QStringLiteral("Device NOT connected"));
  EXPECT_TRUE(m->connection()->font().bold());
  EXPECT_TRUE(m->Image_connected()->isHidden());
  EXPECT_FALSE(m->Image_not_connected()->isHidden());
  EXPECT_TRUE(m->tick().Timer1()->isActive());
  EXPECT_EQ(m->modelLayout().LastAppliedModel, 36u);
  EXPECT_TRUE(m->memoryLists().FRAME_Combologo[0]->GetItemVisible(6));
}

TEST_F(ShellTest, EmbeddedOnlyHidesMixerAndMatrixUntilAModelIsApplied) {
  writeFile(path(QStringLiteral("Option.ini")), "COM1=/dev/null\r\nEmbeddedOnly=1\r\n" + noDeviceComLines());
  createApp();
  TZelvan_main* m = main();
  EXPECT_FALSE(m->menus()->Mixer1->isVisible());
  EXPECT_FALSE(m->menus()->Matrix1->isVisible());
  EXPECT_TRUE(m->menus()->EmbeddedSE->isVisible());
  report("DEV27\r\n");
  EXPECT_TRUE(m->menus()->Mixer1->isVisible());
  EXPECT_TRUE(m->menus()->Matrix1->isVisible());
  EXPECT_TRUE(m->menus()->EmbeddedSE->isVisible());
  EXPECT_FALSE(m->menus()->EmbeddedSE->isEnabled());
}

TEST_F(ShellTest, EmbeddedOnlyOtherValuesHaveNoEffect) {
  writeFile(path(QStringLiteral("Option.ini")), "EmbeddedOnly=yes\r\n" + noDeviceComLines());
  createApp();
  EXPECT_TRUE(main()->menus()->Mixer1->isVisible());
  EXPECT_TRUE(main()->menus()->Matrix1->isVisible());
}

TEST_F(ShellTest, ConnectedAndReadyDriveTheConnectingPanel) {
  createApp();
  TZelvan_main* m = main();
  connectLink();
  EXPECT_FALSE(m->BitBtn_initial_please()->isHidden());
  EXPECT_TRUE(m->BitBtn_initial_please()->isEnabled());
  EXPECT_EQ(m->BitBtn_initial_please()->toolTip(), QStringLiteral("PLEASE WAIT"));
  EXPECT_TRUE(m->windows().lanDialog->BOk->isVisibleTo(m->windows().lanDialog));
  link()->SupervisorTick();  // state 3: asks for everything
  link()->SupervisorTick();  // state 4: ready
  ASSERT_TRUE(link()->Ready());
  EXPECT_TRUE(m->BitBtn_initial_please()->isHidden());
  // Not connected any more: the panel goes away and Apply with it.
  link()->setForceConn(false);
  link()->SupervisorTick();
  link()->SupervisorTick();
  EXPECT_FALSE(link()->Connected());
  EXPECT_TRUE(m->BitBtn_initial_please()->isHidden());
  EXPECT_FALSE(m->BitBtn_initial_please()->isEnabled());
  EXPECT_FALSE(m->windows().lanDialog->BOk->isVisibleTo(m->windows().lanDialog));
}

TEST_F(ShellTest, DeviceLanDialogFollowsTheLinkWhileHidden) {
  createApp();
  TRs232LanDlg* d = main()->windows().lanDialog;
  ASSERT_FALSE(d->isVisible());
  d->RBRs232->click();
  ASSERT_EQ(d->Mode(), 1);
  // The main window's handlers carry every LAN report into the dialog.
  report("TCP0\r\n");
  EXPECT_EQ(d->Mode(), 2);
  EXPECT_TRUE(d->ERemoteAddr->isEnabled());
  report("TCP1\r\n");
  EXPECT_EQ(d->Mode(), 3);
  EXPECT_FALSE(d->ERemoteAddr->isEnabled());
  report("ADIP1\r\nIPA_172\r\nIPB_16\r\nIPC_0\r\nIPD_5\r\nPORT3333\r\n");
  EXPECT_EQ(d->ELocalAddr->text(), QStringLiteral("172.16.0.5"));
  EXPECT_EQ(d->ELocalPort->text(), QStringLiteral("3333"));
  report("ADIP2\r\nIPA_10\r\nIPB_0\r\nIPC_0\r\nIPD_9\r\nPORT2222\r\n");
  EXPECT_EQ(d->ERemoteAddr->text(), QStringLiteral("10.0.0.9"));
  EXPECT_EQ(d->ERemotePort->text(), QStringLiteral("2222"));
  report("ADIP3\r\nIPA_10\r\nIPB_0\r\nIPC_0\r\nIPD_254\r\n");
  EXPECT_EQ(d->EGatewayAddr->text(), QStringLiteral("10.0.0.254"));
  report("NTMK16\r\n");
  EXPECT_EQ(d->ENetMask->text(), link()->NETMASK());
  EXPECT_NE(d->ENetMask->text(), QStringLiteral("255.255.255.0"));
}

TEST_F(ShellTest, ReadyKeepsKeysWhenSelectedKeyMatchesDeviceEffect) {
  createApp();
  auto* key = new QPushButton(main()->page(QStringLiteral("Effects")));
  key->setObjectName(QStringLiteral("SpeedButton_Effet1"));
  key->setCheckable(true);
  key->setChecked(true);
  connectLink();
  report("EFF0\r\n");  // key 1 holds Cut (kind 0)
  link()->SupervisorTick();
  link()->SupervisorTick();
  ASSERT_TRUE(link()->Ready());
  EXPECT_TRUE(key->isChecked());
}

TEST_F(ShellTest, VersionDisplays) {
  createApp();
  TZelvan_main* m = main();
  TAbout_Graphic_install* about = m->windows().about;
  report("K_161\r\nI_2\r\nVERU1203\r\nMTBX5\r\n");
  EXPECT_EQ(about->findChild<QLabel*>(QStringLiteral("label_k"))->text(), QStringLiteral("K = 00A1"));
  EXPECT_EQ(about->findChild<QLabel*>(QStringLiteral("label_I"))->text(), QStringLiteral("I  = 0002"));
  EXPECT_EQ(about->findChild<QLabel*>(QStringLiteral("label_verupd"))->text(), QStringLiteral("Version : 12.3"));
  EXPECT_EQ(about->findChild<QLabel*>(QStringLiteral("muxout_MTBmax"))->text(), QStringLiteral("1"));
  EXPECT_EQ(about->findChild<QLabel*>(QStringLiteral("muxout_MFX"))->text(), QStringLiteral("0"));
  // The About menu writes the application's own version.
  m->AboutOkrimLOGOClick();
  const FileVersion v = fileVersion();
  EXPECT_EQ(about->findChild<QLabel*>(QStringLiteral("Label_version"))->text(), versionCaption(v));
  EXPECT_TRUE(about->isVisible());
  about->hide();
  EXPECT_EQ(versionCaption(parseFileVersion(QStringLiteral("3.4.0.12"))), QStringLiteral("Version : 3.04.00.12"));
}

TEST_F(ShellTest, FirmwareVersionAgainstModelShowsUpdateNotice) {
  createApp();
  TZelvan_main* m = main();
  report("V_99\r\n");  // no model yet: nothing
  EXPECT_TRUE(m->Panel_updater()->isHidden());
  report("DEV36\r\nV_27\r\n");  // expected firmware of DEV 36
  EXPECT_TRUE(m->Panel_updater()->isHidden());
  report("V_28\r\n");
  EXPECT_FALSE(m->Panel_updater()->isHidden());
  EXPECT_EQ(m->Label_updater()->text(), QStringLiteral("       New ") + fileDescription() +
                                          QStringLiteral(" Software available, download update recommended !"));
  report("DEV27\r\nV_12\r\n");
  EXPECT_EQ(m->Label_updater()->text(), QStringLiteral("        New ") + productName() +
                                          QStringLiteral(" Firmware available, download update recommended !"));
}

TEST_F(ShellTest, HotKeyOpensDebugConsoleOnlyOverConnectionLabel) {
  createApp();
  TZelvan_main* m = main();
  m->dbg();
  EXPECT_FALSE(m->windows().debug->isVisible());
  QEvent enter(QEvent::Enter);
  QCoreApplication::sendEvent(m->connection(), &enter);
  EXPECT_TRUE(m->connectionIndication().PointerOverConnectionLabel);
  m->dbg();
  EXPECT_TRUE(m->windows().debug->isVisible());
  m->windows().debug->hide();
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(m->connection(), &leave);
  m->dbg();
  EXPECT_FALSE(m->windows().debug->isVisible());
  EXPECT_EQ(m->HotKey()->key(), QKeySequence(Qt::CTRL | Qt::Key_Insert));
  EXPECT_EQ(m->HotKey()->context(), Qt::ApplicationShortcut);
  // The key itself, typed in the main window with the pointer over the label.
  m->show();
  m->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(m));
  QCoreApplication::sendEvent(m->connection(), &enter);
  QTest::keyClick(m, Qt::Key_Insert, Qt::ControlModifier);
  EXPECT_TRUE(m->windows().debug->isVisible());
  m->windows().debug->hide();
  m->hide();
}

TEST_F(ShellTest, ModeMenuSendsModeRegisters) {
  createApp();
  connectLink();
  QStringList sent;
  link()->OnSentString = [&](QObject*, int) { sent << link()->sentString(); };
  main()->windows().settings->show();
  main()->Mixer1Click();
  EXPECT_FALSE(main()->windows().settings->isVisible());
  main()->Matrix1Click();
  main()->EmbeddedSEClick();
  EXPECT_EQ(sent, QStringList({"0eB", "0MM", "0eB", "1MM", "1eB"}));
}

TEST_F(ShellTest, ControlsMenuAsksBeforeErasing) {
  createApp();
  connectLink();
  QStringList sent;
  link()->OnSentString = [&](QObject*, int) { sent << link()->sentString(); };
  dialogs_.confirmAnswers = {false, true};
  main()->menus()->EraseAllMemories->trigger();
  EXPECT_TRUE(sent.isEmpty());
  main()->menus()->EraseAllMemories->trigger();
  EXPECT_EQ(sent, QStringList({"1ye"}));
  ASSERT_EQ(dialogs_.shown.size(), 2u);
  EXPECT_EQ(dialogs_.shown[0].text, QStringLiteral("Are you sure you want erase all memories ?"));
  main()->menus()->Frame_Alert_Frame[3]->trigger();  // frame 4: FRAMEALERT 13
  EXPECT_EQ(sent.last(), QStringLiteral("13yF"));
}

TEST_F(ShellTest, PullDownAndDemoItemsFollowTheDevice) {
  createApp();
  connectLink();
  TMainMenus* menus = main()->menus();
  QStringList sent;
  link()->OnSentString = [&](QObject*, int) { sent << link()->sentString(); };
  report("EPD0\r\nDEMO0\r\n");
  EXPECT_TRUE(menus->PullDown_Off->isChecked());
  EXPECT_TRUE(menus->Demo_No->isChecked());
  // Choosing sends the tag; the check stays until the device reports.
  menus->PullDown_Auto->trigger();
  menus->Demo_Yes->trigger();
  EXPECT_EQ(sent, QStringList({"1QE", "1yd"}));
  EXPECT_TRUE(menus->PullDown_Off->isChecked());
  EXPECT_FALSE(menus->PullDown_Auto->isChecked());
  EXPECT_TRUE(menus->Demo_No->isChecked());
  report("EPD1\r\nDEMO1\r\n");
  EXPECT_TRUE(menus->PullDown_Auto->isChecked());
  EXPECT_FALSE(menus->PullDown_Off->isChecked());
  EXPECT_TRUE(menus->Demo_Yes->isChecked());
  EXPECT_FALSE(menus->Demo_No->isChecked());
  report("EPD0\r\n");
  EXPECT_TRUE(menus->PullDown_Off->isChecked());
}

TEST_F(ShellTest, AnimationStripIsCutIntoPicturesAndABadFileIsIgnored) {
  QImage strip(64 * 3, 64, QImage::Format_RGB32);
  strip.fill(Qt::white);
  ASSERT_TRUE(strip.save(path(QStringLiteral("appdir/AnimationEffects.bmp")), "BMP"));
  createApp();
  ASSERT_EQ(main()->state().ImageList_animation_effects.count(), 3);
  // Kept at the preview's size.
  EXPECT_EQ(main()->state().ImageList_animation_effects.frame(2).size(), QSize(32, 32));
  app_.reset();
  writeFile(path(QStringLiteral("appdir/AnimationEffects.bmp")), QByteArray("BM") + QByteArray(50, '\xff'));
  createApp();
  EXPECT_TRUE(main()->state().ImageList_animation_effects.isEmpty());
}

TEST_F(ShellTest, AboutWindowChecksumsAndTestCodeFollowTheDevice) {
  createApp();
  TAbout_Graphic_install* about = main()->windows().about;
  ASSERT_TRUE(about);
  report("SK_4660\r\nsf_255\r\n$42\r\n");
  auto text = [about](const char* name) {
    auto* l = about->findChild<QLabel*>(QLatin1String(name));
    return l ? l->text() : QStringLiteral("<missing>");
  };
  EXPECT_EQ(text("Label_VKM"), QStringLiteral("VKM = 1234"));
  EXPECT_EQ(text("Label_test_code"), QStringLiteral("42"));
  EXPECT_TRUE(text("Label_VFP").endsWith(QStringLiteral("= 00FF"))) << text("Label_VFP").toStdString();
}
