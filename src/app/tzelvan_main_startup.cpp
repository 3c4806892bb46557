// Start-up sequence, model layout, device identity, connection and
// readiness, version displays, operating-mode menu, page control and
// shutdown of the main window.
#include <QAbstractButton>
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

#include "app/app_info.h"
#include "app/config_progress.h"
#include "app/main_menus.h"
#include "app/model_table.h"
#include "app/pending_windows.h"
#include "app/tzelvan_main.h"
#include "device/comports.h"
#include "device/zelvan_d.h"
#include "tools/serialportmenu.h"
#include "tools/tabout_graphic_install.h"
#include "tools/tform_debug.h"
#include "tools/trs232landlg.h"
#include "widgets/tconversion.h"
#include "widgets/tsmallcombo.h"

using namespace zelvan::app;

namespace {
constexpr const char* kMainPages[7] = {"Input",          "Output",            "Image_Main", "Image_Preview",
                                       "new_logos_Main", "new_logos_preview", "Effects"};

// Appends an item to a compact combo or a standard combo box and selects
// the first item.
void appendAndSelectFirst(QWidget* w, const QString& text) {
  if (auto* sc = qobject_cast<TSmallCombo*>(w)) {
    sc->AddItem(text);
    sc->SetItemIndex(0);
  } else if (auto* cb = qobject_cast<QComboBox*>(w)) {
    cb->addItem(text);
    cb->setCurrentIndex(0);
  }
}

void setBold(QWidget* w, bool bold) {
  QFont f = w->font();
  f.setBold(bold);
  w->setFont(f);
}

void setTabs(QTabBar* bar, const QStringList& tabs) {
  if (!bar) return;
  while (bar->count() > tabs.size()) bar->removeTab(bar->count() - 1);
  for (int i = 0; i < tabs.size(); ++i) {
    if (i < bar->count())
      bar->setTabText(i, tabs[i]);
    else
      bar->addTab(tabs[i]);
  }
}
}  // namespace

// ------------------------------------------------------------------ start-up

void TZelvan_main::DEMARRAGE_SOFT() {
  ensureSerialPorts();
  // 1. The page indices the mode layout switches pages with.
  for (int i = 0; i < 7; ++i) MainPageIndex[size_t(i)] = PageControl1->indexOf(page(QLatin1String(kMainPages[i])));
  // 2. The accepted ranges of the 316 registers.
  Zelvan_d1->SetRanges(zelvan::acceptedRanges());
  // 3. The effect name tables.
  EffectNameTable.fillMain(this);
  SoftEdgeEffectNameTable.fillSoftEdge(wins_.softEdge);
  // 4. Settings file names.
  CustomizationFileName = kDefaultCustomizationFile;
  LogoSettingsFileName = logo_settings::kFileName;
  // 5. On a wide desktop the window takes the size of its content, fixed.
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen && screen->geometry().width() > 800) {
    adjustSize();
    setFixedSize(size());
  }
  // 6. The size lock's list, then the effect memories to their defaults
  //    (no send: the link is not connected yet).
  SizeLockObjects.clear();
  EffectMemory.initDefaults();
  // 7. The input label buttons.
  ensureInputLabels();
  CustomizationFileName = kDefaultCustomizationFile;
  // 8.
  open();
  // 9. Connecting panel, Input page.
  BitBtn_initial_please->move(276, 245);
  PageControl1->setCurrentIndex(MainPageIndex[0]);
  PageControl1Change();
  // 10. Ctrl+Insert is bound at construction (HotKey, application-wide).
  // 11. The memory combos.
  ensureMemoryCombos();
  for (int i = 0; i < kMemoryLabelCount; ++i) {
    const QString& label = MemoryLabels[size_t(i)];
    if (i <= 2 || i >= 11)
      for (TSmallCombo* c : FRAME_Combologo) appendAndSelectFirst(c, label);
    if (i == 0 || (i >= 3 && i <= 10)) {
      for (TSmallCombo* c : LINDEX1_Combologo) appendAndSelectFirst(c, label);
      for (TSmallCombo* c : LINDEX2_Combologo) appendAndSelectFirst(c, label);
    }
    if (i >= 3 && i <= 10) {
      appendAndSelectFirst(ComboBox_lstore_main, label);
      appendAndSelectFirst(ComboBox_lstore_preview, label);
    }
  }
  // 12.
  if (hooks.refreshInputHints) hooks.refreshInputHints();
  // 13. The PIP switch timer (the input row's: its tick disables itself and
  //     releases both switch buttons).
  Timer_pippop->setInterval(5000);
  Timer_pippop->stop();
  // 14.
  for (const char* name : {"BitBtn_Notwhenback_main", "BitBtn_Notwhenback_preview"})
    if (auto* w = findControl<QWidget>(QLatin1String(name))) w->move(0, w->y());
  // 15. Static captions of the status grid.
  struct Caption {
    int row;
    const char* c0;
    const char* c1;
    const char* c2;
  };
  static constexpr Caption kCaptions[] = {
      {0, "                INPUT", "STATUS:", ""}, {1, "computer", nullptr, nullptr},
      {2, "XGA(ifamm)", nullptr, nullptr},      {3, "Line freq:", nullptr, nullptr},
      {4, "Fram freq:", nullptr, nullptr},      {5, "Sync:", nullptr, nullptr},
      {6, "                INPUT", "REF:", ""},    {7, "Internal ref.", nullptr, nullptr},
      {9, "            OUTPUT", "STATUS:", ""},    {10, "Output format:", nullptr, nullptr},
      {11, "Logo or Frame(1):", nullptr, nullptr}, {12, "Logo or Frame(2):", nullptr, nullptr},
      {13, "................", nullptr, nullptr}, {14, "Frame freq:", nullptr, nullptr},
      {15, "Output sync:", nullptr, nullptr},
  };
  for (const Caption& c : kCaptions) {
    StringGrid1->item(c.row, 0)->setText(QLatin1String(c.c0));
    if (c.c1) StringGrid1->item(c.row, 1)->setText(QLatin1String(c.c1));
    if (c.c2) StringGrid1->item(c.row, 2)->setText(QLatin1String(c.c2));
  }
  StringGrid1->setCurrentItem(nullptr);
  StringGrid1->clearSelection();
  // 16.
  Conversion1->setValMinDriver(0);
  Conversion1->setValMaxDriver(255);
  Conversion1->setValMinAffichage(-128);
  Conversion1->setValMaxAffichage(127);
  ConfigProgress->hide();
  // 17.
  loadAnimationStrip();
  // 18.
  if (option_file::embeddedOnly(QDir::currentPath())) {
    Menus->Matrix1->setVisible(false);
    Menus->Mixer1->setVisible(false);
  }
}

void TZelvan_main::loadAnimationStrip() {
  ImageList_animation_effects.clear();
  const QString path = QDir(applicationDir()).filePath(QStringLiteral("AnimationEffects.bmp"));
  if (!QFileInfo::exists(path)) return;
  // The strip is a row of 64 x 64 pictures; a file claiming a larger picture
  // than 256 of them is not decoded at all.
  QImageReader reader(path);
  const QSize size = reader.size();
  if (!size.isValid() || size.width() > 64 * 256 || size.height() > 1024) return;
  QImage strip;
  if (!reader.read(&strip) || strip.height() < 64) return;
  const int frames = qMin(strip.width() / 64, 256);
  for (int i = 0; i < frames; ++i) ImageList_animation_effects.append(QPixmap::fromImage(strip.copy(i * 64, 0, 64, 64)));
}

void TZelvan_main::open() {
  ensureSerialPorts();
  // 1. The logo timing file of the application's directory; a missing one
  //    is ignored here, an invalid one repaired.
  const QString logoDir = logoSettingsDir();
  const QString logoPath = QDir(logoDir).filePath(LogoSettingsFileName);
  if (QFileInfo::exists(logoPath))
    Verif_fichier_ini(IniLines::readFile(logoPath).value_or(IniLines{}), LogoSettingsFileName);
  // 2. The customization file.
  const auto lines = IniLines::readFile(CustomizationFileName);
  if (lines && Verif_fichier_ini(*lines, CustomizationFileName))
    LoadButtonName(*lines);
  else
    SerialPorts->comClick(1);
  // 3.
  if (auto* w = findControl<QWidget>(QStringLiteral("Panel_notavailble_M"))) w->move(0, w->y());
  if (hooks.refreshInputLabels) hooks.refreshInputLabels();
  Historique_registre();
  StoreAborted = false;
}

// ----------------------------------------------------------- model layout

void TZelvan_main::visible_or_not_visible(uint32_t dev) {
  if (dev == LastAppliedModel) return;
  TMainMenus* m = Menus;

  // 1. The smallest layout.
  m->EmbeddedSE->setEnabled(false);
  for (TSmallCombo* c : allFrameCombos())
    for (int k = 3; k <= 6; ++k) c->SetItemVisible(k, false);
  for (int k = 3; k <= 6; ++k) {
    QAction* frame = m->Frame[size_t(k - 1)];
    frame->setEnabled(false);
    frame->setText(QStringLiteral(" "));
    m->FadeFrame_Output1[size_t(k - 1)]->setVisible(false);
    m->FadeFrame_output2[size_t(k - 1)]->setVisible(false);
    m->Frame_Alert_Frame[size_t(k - 1)]->setVisible(false);
    for (const QString& name : {QStringLiteral("RadioButton_Frame%1").arg(k),
                                QStringLiteral("RadioButton_TranstionFrame%1_M").arg(k),
                                QStringLiteral("RadioButton_TranstionFrame%1_P").arg(k)})
      if (auto* w = findControl<QWidget>(name)) w->setVisible(false);
  }
  if (auto* w = findControl<QWidget>(QStringLiteral("Panel_unvisible_frame_effect_pour_edseb")))
    w->resize(w->width(), 57);
  if (wins_.about) wins_.about->SetLinesACVisible(false);
  for (const char* name : {"HDTV_SDI_2", "SDTV_SDI_2"})
    if (QAction* a = findAction(QLatin1String(name))) a->setVisible(false);
  const QStringList threeTabs = {QStringLiteral("        Use        "), QStringLiteral("        Record frame        "),
                                 QStringLiteral("        Record logo        ")};
  for (const char* name : {"TabControl_logo_M", "TabControl_logo_P"}) setTabs(findControl<QTabBar>(QLatin1String(name)), threeTabs);
  m->Mixer1->setVisible(true);
  m->Matrix1->setVisible(true);
  m->EmbeddedSE->setVisible(true);

  // 2. and 3. The model row and its frames.
  const int index = modelIndexOf(dev);
  if (index > 0) {
    applyModelRow(index);
    unlockFrames(index);
  }

  // 4. Titles.
  setWindowTitles(connectionPart());

  // 5. Remember the frame combos' visible positions, then the soft-edge handler.
  const QList<TSmallCombo*> combos = allFrameCombos();
  for (int i = 0; i < combos.size() && i < 16; ++i)
    for (int p = 0; p < kMemoryPositions; ++p) SavedFrameComboVisible[size_t(i)][size_t(p)] = combos[i]->GetItemVisible(p);
  if (hooks.embeddedSoftEdgeHandler) hooks.embeddedSoftEdgeHandler();

  // 6.
  LastAppliedModel = dev;
}

void TZelvan_main::forceModelLayout(bool skipSelectableMemoriesOnce) {
  const uint32_t saved = LastAppliedModel;
  LastAppliedModel = 0;
  if (skipSelectableMemoriesOnce) SkipSelectableMemoriesOnce = true;
  visible_or_not_visible(saved);
}

void TZelvan_main::applyModelRow(int index) {
  const ModelRow& row = modelRow(index);
  const QString name = QString::fromLatin1(row.name);
  TMainMenus* m = Menus;
  if (wins_.about) {
    wins_.about->SetModel(row.aboutPicture, name);
    wins_.about->SetVersionLineOrder(int(row.dev));
    wins_.about->SetLinesACVisible(row.aboutLinesAC);
  }
  m->OkrimLANStatus1->setText(name + QStringLiteral(" LAN Setup"));
  m->AboutOkrimLOGO->setText(QStringLiteral("About ") + name + QStringLiteral("..."));
  BitBtn_initial_please->setText(QStringLiteral("Connecting to ") + name);
  if (wins_.lanDialog) wins_.lanDialog->setWindowTitle(QString::fromLatin1(row.lanCaption));
  if (SkipSelectableMemoriesOnce)
    SkipSelectableMemoriesOnce = false;
  else if (hooks.refreshSelectableMemories)
    hooks.refreshSelectableMemories();
  TitlePrefixes[0] = mixerPrefixFor(index);
  TitlePrefixes[1] = matrixPrefixFor(index);
  auto show = [](MenuShow s, auto apply) {
    if (s != MenuShow::Unchanged) apply(s == MenuShow::Shown);
  };
  show(row.modeMenu, [m](bool v) { m->Mode1->menuAction()->setVisible(v); });
  show(row.mixerItem, [m](bool v) { m->Mixer1->setVisible(v); });
  show(row.matrixItem, [m](bool v) { m->Matrix1->setVisible(v); });
  show(row.embeddedItem, [m](bool v) { m->EmbeddedSE->setVisible(v); });
  m->EmbeddedSE->setEnabled(row.embeddedEnabled);
}

void TZelvan_main::unlockFrames(int index) {
  // In embedded soft-edge mode the frames 3 to 6 are offered only with the
  // optimized frame quality.
  const bool enabled = !Zelvan_d1->EDSEB() || Zelvan_d1->LQTY() == 1;
  const QList<TSmallCombo*> combos = allFrameCombos();
  TMainMenus* m = Menus;
  bool any = false;
  for (int k = 3; k <= 6; ++k) {
    if (!modelUnlocksFrame(index, k)) continue;
    any = true;
    for (TSmallCombo* c : combos) {
      c->SetItemVisible(k, true);
      c->SetItemEnabled(k, enabled);
    }
    QAction* frame = m->Frame[size_t(k - 1)];
    frame->setEnabled(true);
    frame->setText(QStringLiteral("Frame %1").arg(k));
    for (QAction* a : {m->FadeFrame_Output1[size_t(k - 1)], m->FadeFrame_output2[size_t(k - 1)],
                       m->Frame_Alert_Frame[size_t(k - 1)]}) {
      a->setVisible(true);
      a->setEnabled(enabled);
    }
    for (const QString& name : {QStringLiteral("RadioButton_Frame%1").arg(k),
                                QStringLiteral("RadioButton_TranstionFrame%1_M").arg(k),
                                QStringLiteral("RadioButton_TranstionFrame%1_P").arg(k)}) {
      if (auto* w = findControl<QWidget>(name)) {
        w->setVisible(true);
        w->setEnabled(enabled);
      }
    }
  }
  if (!any) return;
  if (wins_.about) wins_.about->SetLinesACVisible(true);
  for (const char* name : {"HDTV_SDI_2", "SDTV_SDI_2"})
    if (QAction* a = findAction(QLatin1String(name))) a->setVisible(true);
  const QStringList fourTabs = {QStringLiteral("        Use        "), QStringLiteral("        Record frame        "),
                                QStringLiteral("        Record logo        "), QStringLiteral("        Frame quality      ")};
  for (const char* name : {"TabControl_logo_M", "TabControl_logo_P"}) setTabs(findControl<QTabBar>(QLatin1String(name)), fourTabs);
}

QString TZelvan_main::connectionPart() const {
  switch (Zelvan_d1->ConType()) {
    case CON_RS232: {
      const int n = zelvan::comPortNumber(Zelvan_d1->Port());
      return QStringLiteral("Port: ") + (n > 0 ? QStringLiteral("COM%1").arg(n) : Zelvan_d1->Port());
    }
    case CON_TCP:
      return QStringLiteral("TCP");
    default:
      return QStringLiteral("UDP");
  }
}

void TZelvan_main::setWindowTitles(const QString& part) {
  const QString tail = QStringLiteral("  ") + part + QStringLiteral(" - ") + CustomizationFileName;
  setWindowTitle(TitlePrefixes[0] + tail);
  if (wins_.matrix) wins_.matrix->setWindowTitle(TitlePrefixes[1] + tail);
  if (wins_.softEdge) wins_.softEdge->setWindowTitle(TitlePrefixes[2] + tail);
}

// --------------------------------------------- identity, connection, ready

void TZelvan_main::setConnectionLabel(bool connected) {
  connection->setText(connected ? QStringLiteral("    Device connected") : QStringLiteral("Device NOT connected"));
  setBold(connection, !connected);
  setConnectedPictures(connected);
}

void TZelvan_main::setConnectedPictures(bool connected) {
  Image_connected->setVisible(connected);
  Image_not_connected->setVisible(!connected);
}

void TZelvan_main::Zelvan_d1DEVchange(QObject*, int) {
  const uint32_t dev = Zelvan_d1->DEV();
  if (isKnownModel(dev)) {
    setConnectionLabel(true);
    visible_or_not_visible(dev);
  } else {
    if (!Timer1->isActive()) Timer1->start();
    setConnectionLabel(false);
  }
}

void TZelvan_main::Zelvan_d1Connected(QObject*, int) {
  const bool connected = Zelvan_d1->Connected();
  if (wins_.lanDialog) wins_.lanDialog->SetConnected(connected);
  if (connected) {
    BitBtn_initial_please->setCursor(Qt::WaitCursor);
    BitBtn_initial_please->setToolTip(QStringLiteral("PLEASE WAIT"));
    BitBtn_initial_please->setEnabled(true);
    BitBtn_initial_please->show();
    BitBtn_initial_please->raise();
  } else {
    BitBtn_initial_please->hide();
    BitBtn_initial_please->setEnabled(false);
  }
}

void TZelvan_main::Zelvan_d1Ready(QObject*, int) {
  if (!Zelvan_d1->Ready()) return;
  BitBtn_initial_please->hide();
  BitBtn_initial_please->setEnabled(false);
  const int kind = EffectMemory.slot(EffectMemory.ButtonEffect()).kind;
  if (kind >= 0 && uint32_t(kind) == Zelvan_d1->EFFECT()) return;
  for (int k = 1; k <= 6; ++k) {
    if (auto* b = findControl<QAbstractButton>(QStringLiteral("SpeedButton_Effet%1").arg(k))) {
      b->setChecked(false);
      b->setDown(false);
    }
  }
}

// ---------------------------------------------------------- version displays

void TZelvan_main::AboutOkrimLOGOClick() {
  if (!wins_.about) return;
  const FileVersion v = fileVersion();
  if (v.valid) wins_.about->SetSoftwareVersion(v.major, v.minor, v.release, v.build);
  // Modal for the operator without blocking the event thread's callers.
  wins_.about->setWindowModality(Qt::ApplicationModal);
  wins_.about->show();
  wins_.about->raise();
}

void TZelvan_main::showUpdateNotice(const QString& text) {
  Label_updater->setText(text);
  Panel_updater->show();
  Panel_updater->raise();
}

void TZelvan_main::Zelvan_d1VERVchange(QObject*, int) {
  const int index = modelIndexOf(Zelvan_d1->DEV());
  if (index <= 0) return;
  const uint32_t expected = modelRow(index).expectedFirmware;
  const uint32_t v = Zelvan_d1->VERV();
  if (v > expected)
    showUpdateNotice(QStringLiteral("       New ") + fileDescription() +
                     QStringLiteral(" Software available, download update recommended !"));
  else if (v < expected)
    showUpdateNotice(QStringLiteral("        New ") + productName() +
                     QStringLiteral(" Firmware available, download update recommended !"));
}

void TZelvan_main::Zelvan_d1VERUPDchange(QObject*, int) {
  if (wins_.about) wins_.about->SetVERUPD(Zelvan_d1->VERUPD());
}
void TZelvan_main::Zelvan_d1VERKchange(QObject*, int) {
  if (wins_.about) wins_.about->SetVERK(Zelvan_d1->VERK());
}
void TZelvan_main::Zelvan_d1VERIchange(QObject*, int) {
  if (wins_.about) wins_.about->SetVERI(Zelvan_d1->VERI());
}
void TZelvan_main::Zelvan_d1VEREchange(QObject*, int) {
  if (wins_.about) wins_.about->SetVERE(Zelvan_d1->VERE());
}
void TZelvan_main::Zelvan_d1VERFchange(QObject*, int) {
  if (wins_.about) wins_.about->SetVERF(Zelvan_d1->VERF());
}
void TZelvan_main::Zelvan_d1VERPchange(QObject*, int) {
  if (wins_.about) wins_.about->SetVERP(Zelvan_d1->VERP());
}
void TZelvan_main::Zelvan_d1VERAchange(QObject*, int) {
  if (wins_.about) wins_.about->SetVERA(Zelvan_d1->VERA());
}
void TZelvan_main::Zelvan_d1VERCchange(QObject*, int) {
  if (wins_.about) wins_.about->SetVERC(Zelvan_d1->VERC());
}
void TZelvan_main::Zelvan_d1MUXOUTchange(QObject*, int) {
  if (wins_.about) wins_.about->SetMUXOUT(Zelvan_d1->MUXOUT());
}
void TZelvan_main::Zelvan_d1OPTchange(QObject*, int) {
  // The option word's effect on tabs and menus belongs to the mode layout;
  // the About window shows the word and its option lines.
  if (wins_.about) wins_.about->SetOPT(Zelvan_d1->OPT());
}

// ------------------------------------------------------------ Controls menu

void TZelvan_main::Zelvan_d1EPDchange(QObject*, int) {
  (Zelvan_d1->EPD() ? Menus->PullDown_Auto : Menus->PullDown_Off)->setChecked(true);
}

void TZelvan_main::Zelvan_d1DEMOchange(QObject*, int) {
  (Zelvan_d1->DEMO() ? Menus->Demo_Yes : Menus->Demo_No)->setChecked(true);
}

// ------------------------------------------------------- device LAN dialog

void TZelvan_main::Zelvan_d1LOCAL_IPchange(QObject*, int) {
  if (wins_.lanDialog) wins_.lanDialog->LocalIpChanged(*Zelvan_d1);
}
void TZelvan_main::Zelvan_d1REMOTE_IPchange(QObject*, int) {
  if (wins_.lanDialog) wins_.lanDialog->RemoteIpChanged(*Zelvan_d1);
}
void TZelvan_main::Zelvan_d1GATEWAY_IPchange(QObject*, int) {
  if (wins_.lanDialog) wins_.lanDialog->GatewayIpChanged(*Zelvan_d1);
}
void TZelvan_main::Zelvan_d1LOCAL_PORTchange(QObject*, int) {
  if (wins_.lanDialog) wins_.lanDialog->LocalPortChanged(*Zelvan_d1);
}
void TZelvan_main::Zelvan_d1REMOTE_PORTchange(QObject*, int) {
  if (wins_.lanDialog) wins_.lanDialog->RemotePortChanged(*Zelvan_d1);
}
void TZelvan_main::Zelvan_d1NETMASKchange(QObject*, int) {
  if (wins_.lanDialog) wins_.lanDialog->NetmaskChanged(*Zelvan_d1);
}
void TZelvan_main::Zelvan_d1TCPIPchange(QObject*, int) {
  if (wins_.lanDialog) wins_.lanDialog->TcpipChanged(*Zelvan_d1);
}

// ------------------------------------------------------ mode menu, page tabs

void TZelvan_main::Mixer1Click() {
  Zelvan_d1->setEDSEB(false);
  Zelvan_d1->setMTRXMOD(false);
  if (wins_.settings) wins_.settings->close();
}

void TZelvan_main::Matrix1Click() {
  Zelvan_d1->setEDSEB(false);
  Zelvan_d1->setMTRXMOD(true);
}

void TZelvan_main::EmbeddedSEClick() { Zelvan_d1->setEDSEB(true); }

void TZelvan_main::Setting1Click() {
  if (!wins_.settings) return;
  wins_.settings->show();
  wins_.settings->raise();
}

void TZelvan_main::PageControl1Changing() {
  if (previousPage_ >= 0 && previousPage_ < PageControl1->count()) {
    PageControl1->widget(previousPage_)->setProperty("Highlighted", false);
    PageControl1->tabBar()->setTabTextColor(previousPage_, QColor());
  }
}

void TZelvan_main::PageControl1Change() {
  for (const char* name : {"TabControl_logo_M", "TabControl_logo_P"})
    if (auto* bar = findControl<QTabBar>(QLatin1String(name))) bar->setCurrentIndex(0);
  if (hooks.logoTabsReset) hooks.logoTabsReset();
  const int current = PageControl1->currentIndex();
  for (int i = 0; i < PageControl1->count(); ++i) {
    const bool active = i == current;
    PageControl1->widget(i)->setProperty("Highlighted", active);
    PageControl1->tabBar()->setTabTextColor(i, active ? QColor(Qt::blue) : QColor());
  }
  previousPage_ = current;
  if (hooks.effectAnimationTimer)
    hooks.effectAnimationTimer(PageControl1->widget(current) == page(QStringLiteral("Effects")));
}

// ------------------------------------------------------------------ shutdown

void TZelvan_main::dbg() {
  if (!PointerOverConnectionLabel || !wins_.debug) return;
  wins_.debug->show();
  wins_.debug->raise();
  wins_.debug->activateWindow();
}

void TZelvan_main::Exit1Click() { close(); }

void TZelvan_main::closeEvent(QCloseEvent* e) {
  FormClose();
  e->accept();
  emit mainWindowClosed();
}

void TZelvan_main::FormClose() {
  if (closed_) return;
  closed_ = true;
  // 1. The debug console's own close handling.
  if (wins_.debug && wins_.debug->isVisible()) {
    if (hooks.closeDebugConsole)
      hooks.closeDebugConsole();
    else
      wins_.debug->FormClose();
  }
  // 2. Always into "Zelvan_USR.ini".
  CustomizationFileName = kDefaultCustomizationFile;
  save();
  // 3. Release the label list and shut the link down: no more timers, no
  //    more events, the connection closed. The link object itself goes with
  //    the window, after the windows that still point at it.
  InputLabelList.clear();
  Zelvan_d1->setConType(CON_NONE);
  Timer1->stop();
  Timer_pippop->stop();
}
