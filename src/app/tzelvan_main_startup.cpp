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
#include "app/frame_indicators.h"
#include "app/main_files.h"
#include "app/main_tick.h"
#include "app/memory_lists.h"
#include "app/model_layout.h"
#include "app/main_menus.h"
#include "app/model_table.h"
#include "app/signal_feature.h"
#include "app/pending_windows.h"
#include "app/tzelvan_main.h"
#include "device/comports.h"
#include "device/zelvan_d.h"
#include "tools/serialportmenu.h"
#include "tools/tabout_graphic_install.h"
#include "tools/tform_debug.h"
#include "widgets/tconversion.h"
#include "panel/signal/status_grid.h"

using namespace zelvan::app;

namespace {
constexpr const char* kMainPages[7] = {"Input",          "Output",            "Image_Main", "Image_Preview",
                                       "new_logos_Main", "new_logos_preview", "Effects"};


}  // namespace

// ------------------------------------------------------------------ start-up

void TZelvan_main::DEMARRAGE_SOFT() {
  ensureSerialPorts();
  // 1. The page indices the mode layout switches pages with.
  for (int i = 0; i < 7; ++i) state_.MainPageIndex[size_t(i)] = PageControl1_->indexOf(page(QLatin1String(kMainPages[i])));
  // 2. The accepted ranges of the 316 registers.
  Zelvan_d1_->SetRanges(zelvan::acceptedRanges());
  // 3. The effect name tables.
  state_.EffectNameTable.fillMain(this);
  state_.SoftEdgeEffectNameTable.fillSoftEdge(wins_.softEdge);
  // 4. Settings file names.
  state_.CustomizationFileName = kDefaultCustomizationFile;
  state_.LogoSettingsFileName = logo_settings::kFileName;
  // 5. On a wide desktop the window takes the size of its content, fixed.
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen && screen->geometry().width() > 800) {
    adjustSize();
    setFixedSize(size());
  }
  // 6. The effect memories to their defaults (no send: the link is not
  //    connected yet). The size lock's state is the Effects page's own.
  state_.EffectMemory.initDefaults();
  // 7. The input label buttons.
  lists_->ensureInputLabels();
  state_.CustomizationFileName = kDefaultCustomizationFile;
  // 8.
  open();
  // 9. Connecting panel, Input page.
  indication_->BitBtn_initial_please->move(276, 245);
  PageControl1_->setCurrentIndex(state_.MainPageIndex[0]);
  PageControl1Change();
  // 10. Ctrl+Insert is bound at construction (HotKey_, application-wide).
  // 11. The memory combos.
  lists_->ensureMemoryCombos();
  lists_->fillWithLabels();
  // 12. and 13. The features' start-up (the input buttons' hints, the PIP
  //     switch timer).
  forEachFeature([](zelvan::app::TFeature& f) { f.startUp(); });
  // 14.
  for (const char* name : {"BitBtn_Notwhenback_main", "BitBtn_Notwhenback_preview"})
    if (auto* w = findControl<QWidget>(QLatin1String(name))) w->move(0, w->y());
  // 15. Static captions of the status grid.
  zelvan::signal::writeStatusGridCaptions(StringGrid1_, 1);
  StringGrid1_->setCurrentItem(nullptr);
  StringGrid1_->clearSelection();
  // 16.
  Conversion1_->setValMinDriver(0);
  Conversion1_->setValMaxDriver(255);
  Conversion1_->setValMinAffichage(-128);
  Conversion1_->setValMaxAffichage(127);
  ConfigProgress_->hide();
  // 17.
  state_.ImageList_animation_effects =
      zelvan::keying::TAnimationStrip::load(QDir(applicationDir()).filePath(QStringLiteral("AnimationEffects.bmp")));
  // 18.
  if (option_file::embeddedOnly(QDir::currentPath())) {
    Menus_->Matrix1->setVisible(false);
    Menus_->Mixer1->setVisible(false);
  }
}

void TZelvan_main::open() {
  ensureSerialPorts();
  // 1. The logo timing file of the application's directory; a missing one
  //    is ignored here, an invalid one repaired.
  const QString logoDir = logoSettingsDir();
  const QString logoPath = QDir(logoDir).filePath(state_.LogoSettingsFileName);
  if (QFileInfo::exists(logoPath))
    files_->Verif_fichier_ini(IniLines::readFile(logoPath).value_or(IniLines{}), state_.LogoSettingsFileName);
  // 2. The customization file.
  const auto lines = IniLines::readFile(state_.CustomizationFileName);
  if (lines && files_->Verif_fichier_ini(*lines, state_.CustomizationFileName))
    files_->LoadButtonName(*lines);
  else
    SerialPorts_->comClick(1);
  // 3.
  if (auto* signal = feature<zelvan::app::TSignalFeature>()) signal->resetNotAvailablePanel();
  labelsChanged();
  files_->Historique_registre();
  state_.StoreAborted = false;
}

// ----------------------------------------------------------- model layout

void TZelvan_main::visible_or_not_visible(uint32_t dev) { model_->visible_or_not_visible(dev); }
void TZelvan_main::reapplyModelLayout() { model_->forceModelLayout(true); }

QString TZelvan_main::connectionPart() const {
  switch (Zelvan_d1_->ConType()) {
    case CON_RS232: {
      const int n = zelvan::comPortNumber(Zelvan_d1_->Port());
      return QStringLiteral("Port: ") + (n > 0 ? QStringLiteral("COM%1").arg(n) : Zelvan_d1_->Port());
    }
    case CON_TCP:
      return QStringLiteral("TCP");
    default:
      return QStringLiteral("UDP");
  }
}

void TZelvan_main::setWindowTitles(const QString& part) {
  const QString tail = QStringLiteral("  ") + part + QStringLiteral(" - ") + state_.CustomizationFileName;
  setWindowTitle(state_.TitlePrefixes[0] + tail);
  if (wins_.matrix) wins_.matrix->setWindowTitle(state_.TitlePrefixes[1] + tail);
  if (wins_.softEdge) wins_.softEdge->setWindowTitle(state_.TitlePrefixes[2] + tail);
}

// --------------------------------------------- identity, connection, ready

void TZelvan_main::Zelvan_d1DEVchange() {
  const uint32_t dev = Zelvan_d1_->DEV();
  if (isKnownModel(dev)) {
    indication_->setConnected(true);
    visible_or_not_visible(dev);
  } else {
    enableTick();
    indication_->setConnected(false);
  }
}

void TZelvan_main::Zelvan_d1Connected() { indication_->showConnecting(Zelvan_d1_->Connected()); }

void TZelvan_main::Zelvan_d1Ready() {
  if (!Zelvan_d1_->Ready()) return;
  indication_->hideConnecting();
  // The effect keys' own rule (release unless the selected key holds the
  // device's effect) is the effects feature's routine of the same event.
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

void TZelvan_main::Zelvan_d1VERVchange() {
  const int index = modelIndexOf(Zelvan_d1_->DEV());
  if (index > 0) notice_->firmwareReported(Zelvan_d1_->VERV(), modelRow(index).expectedFirmware);
}

// ------------------------------------------------------ mode menu, page tabs

void TZelvan_main::Mixer1Click() {
  Zelvan_d1_->setEDSEB(false);
  Zelvan_d1_->setMTRXMOD(false);
  if (wins_.settings) wins_.settings->close();
}

void TZelvan_main::Matrix1Click() {
  Zelvan_d1_->setEDSEB(false);
  Zelvan_d1_->setMTRXMOD(true);
}

void TZelvan_main::EmbeddedSEClick() { Zelvan_d1_->setEDSEB(true); }

void TZelvan_main::Setting1Click() {
  if (!wins_.settings) return;
  wins_.settings->show();
  wins_.settings->raise();
}

void TZelvan_main::PageControl1Changing() {
  if (previousPage_ >= 0 && previousPage_ < PageControl1_->count()) {
    PageControl1_->widget(previousPage_)->setProperty("Highlighted", false);
    PageControl1_->tabBar()->setTabTextColor(previousPage_, QColor());
  }
}

void TZelvan_main::PageControl1Change() {
  const int current = PageControl1_->currentIndex();
  for (int i = 0; i < PageControl1_->count(); ++i) {
    const bool active = i == current;
    PageControl1_->widget(i)->setProperty("Highlighted", active);
    PageControl1_->tabBar()->setTabTextColor(i, active ? QColor(Qt::blue) : QColor());
  }
  previousPage_ = current;
  // The logo tab controls go back to their first tab and the effect
  // animation runs only on the Effects page: the features' own reactions.
  QWidget* active = PageControl1_->widget(current);
  forEachFeature([active](zelvan::app::TFeature& f) { f.pageChanged(active); });
}

// ------------------------------------------------------------------ shutdown

void TZelvan_main::dbg() {
  if (!indication_->PointerOverConnectionLabel || !wins_.debug) return;
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
  // 1. The features' own close handling (the debug console's first).
  forEachFeature([](zelvan::app::TFeature& f) { f.shuttingDown(); });
  // 2. Always into "Zelvan_USR.ini".
  state_.CustomizationFileName = kDefaultCustomizationFile;
  files_->save();
  // 3. Release the label list and shut the link down: no more timers, no
  //    more events, the connection closed. The link object itself goes with
  //    the window, after the windows that still point at it.
  lists_->InputLabelList.clear();
  Zelvan_d1_->setConType(CON_NONE);
  tick_->Timer1()->stop();
}

// ------------------------------------------------------- the shell's moments

void TZelvan_main::Timer1Timer() { tick_->Timer1Timer(); }

void TZelvan_main::enableTick() {
  if (!tick_->Timer1()->isActive()) tick_->Timer1()->start();
}

void TZelvan_main::labelsChanged() {
  forEachFeature([](zelvan::app::TFeature& f) { f.labelsChanged(); });
}

void TZelvan_main::memoryLabelsChanged() {
  for (int i = 1; i < kMemoryLabelCount; ++i) forEachFeature([i](zelvan::app::TFeature& f) { f.memoryLabelChanged(i); });
}

void TZelvan_main::effectMemoriesTakenOver() {
  forEachFeature([](zelvan::app::TFeature& f) { f.effectMemoriesTakenOver(); });
}
