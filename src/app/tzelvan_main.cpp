// Construction of the main window: the device link and its router, the
// controls of the frame (page control, status grid, connection indication,
// notices), the menus, the features and the shell's own report routines.
#include "app/tzelvan_main.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

#include "app/app_info.h"
#include "app/config_progress.h"
#include "app/controls_menu.h"
#include "app/frame_indicators.h"
#include "app/main_menus.h"
#include "app/main_files.h"
#include "app/main_tick.h"
#include "app/memory_lists.h"
#include "app/model_layout.h"
#include "app/pending_windows.h"
#include "app/effects_feature.h"
#include "app/keying_feature.h"
#include "app/signal_feature.h"
#include "app/tools_feature.h"
#include "app/tstatus.h"
#include "device/zelvan_d.h"
#include "panel/signal/status_grid.h"
#include "tools/serialportmenu.h"
#include "tools/tabout_graphic_install.h"
#include "tools/tipconfigdlg.h"
#include "tools/trs232landlg.h"
#include "widgets/tconversion.h"
#include "widgets/uidialogs.h"

namespace {
// The eleven pages of the main page control: object name and tab caption.
struct PageDef {
  const char* name;
  const char* caption;
};
constexpr PageDef kPages[] = {
    {"Input", "Input"},
    {"Output", "Output"},
    {"Image_Main", "Image main"},
    {"Image_Preview", "Image preview"},
    {"new_logos_Main", "Logo && Frame main"},
    {"new_logos_preview", "Logo && Frame preview"},
    {"Effects", "Effects"},
    {"TabSheet_Optional_video_output_Main", "Optional video output Main"},
    {"TabSheet_Optional_video_output_Preview", "Optional video output Preview"},
    {"TabSheet_audio", "Audio"},
    {"TabSheet_transition", "Transition"},
};

}  // namespace

TZelvan_main::TZelvan_main(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("TZelvan_main"));
  setWindowTitle(state_.TitlePrefixes[0] + QStringLiteral("    COM?"));

  // The device link, as the main window's instance is created: RS-232,
  // local and remote port 10500, the device at 192.168.0.10, last command "?".
  Zelvan_d1_ = new TZelvan_d(this);
  Zelvan_d1_->setObjectName(QStringLiteral("Zelvan_d1"));
  Zelvan_d1_->setIpLocalPort(10500);
  Zelvan_d1_->setIpRemotePort(10500);
  Zelvan_d1_->setIpRemoteAddress(QStringLiteral("192.168.0.10"));
  Zelvan_d1_->setSentString(QStringLiteral("?"));
  Zelvan_d1_->setConType(CON_RS232);
  // From here on the router is the link's only event handler.
  router_.install(*Zelvan_d1_);

  Conversion1_ = new TConversion(this);
  Conversion1_->setObjectName(QStringLiteral("Conversion1"));

  Menus_ = new TMainMenus(menuBar(), this);
  model_ = std::make_unique<zelvan::app::TModelLayout>(*this);
  tick_ = std::make_unique<zelvan::app::TMainTick>(*this);
  files_ = std::make_unique<zelvan::app::TMainFiles>(*this);
  lists_ = std::make_unique<zelvan::app::TMemoryLists>(*this);
  buildControls();
  wireMenus();
  addShellRoutes();
  // The features, in the order their routines share a position.
  addFeature(std::make_unique<zelvan::app::TSignalFeature>());
  addFeature(std::make_unique<zelvan::app::TKeyingFeature>());
  addFeature(std::make_unique<zelvan::app::TEffectsFeature>());
  addFeature(std::make_unique<zelvan::app::TToolsFeature>());

  tick_->Timer1()->start();
  ConfigProgress_ = new TConfigProgress(this);
  ConfigProgress_->FinLoadconfig = [this] { files_->FinLoadconfig(); };
}

TZelvan_main::~TZelvan_main() {
  // The link's events point at this window: the link goes first, before
  // the controls its handlers touch.
  router_.uninstall(*Zelvan_d1_);
  delete Zelvan_d1_;
  Zelvan_d1_ = nullptr;
  // Features go before the controls they built (the window's children).
  features_.clear();
}

void TZelvan_main::addFeature(std::unique_ptr<zelvan::app::TFeature> feature) {
  zelvan::app::TFeature& f = *feature;
  features_.push_back(std::move(feature));
  f.build(*this);
  f.addRoutes(router_);
  f.addTickSteps(tick_->schedule());
}

zelvan::app::TTickSchedule& TZelvan_main::tickSchedule() { return tick_->schedule(); }

void TZelvan_main::buildControls() {
  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("Panel_main"));
  central->setMinimumSize(968, 539);
  setCentralWidget(central);

  Panel_ichmp_ = new QFrame(central);
  Panel_ichmp_->setObjectName(QStringLiteral("Panel_ichmp"));
  Panel_ichmp_->setGeometry(0, 0, 740, 120);
  // The input buttons and the memory strip new_Panel1 inside Panel_ichmp_
  // are the input row's (buildSignalPanels).

  PageControl1_ = new QTabWidget(central);
  PageControl1_->setObjectName(QStringLiteral("PageControl1"));
  PageControl1_->setGeometry(0, 122, 740, 376);
  for (const PageDef& p : kPages) {
    auto* w = new QWidget;
    w->setObjectName(QLatin1String(p.name));
    w->setProperty("Highlighted", false);
    PageControl1_->addTab(w, QLatin1String(p.caption));
  }
  // The Preview page of the optional video output is normally hidden.
  PageControl1_->setTabVisible(8, false);
  connect(PageControl1_, &QTabWidget::currentChanged, this, [this](int) {
    PageControl1Changing();
    PageControl1Change();
  });
  previousPage_ = PageControl1_->currentIndex();

  StringGrid1_ = zelvan::signal::makeStatusGrid(central, "StringGrid1", 1);
  StringGrid1_->setGeometry(744, 122, 219, 260);

  indication_ = new zelvan::app::TConnectionIndication(central);

  Label_Wait_storing_setting_ = new QLabel(QStringLiteral("WAIT STORING SETTING"), central);
  Label_Wait_storing_setting_->setObjectName(QStringLiteral("Label_Wait_storing_setting"));
  Label_Wait_storing_setting_->setGeometry(827, 493, 140, 18);
  Label_Wait_storing_setting_->hide();

  notice_ = new zelvan::app::TUpdateNotice(central);
  // The connecting panel lies over the pages and the notice.
  indication_->BitBtn_initial_please->raise();

  RRLMDProgressFill_ = makeGradientProgressBar(central);
  RRLMDProgressFill_->hide();

  // TAKE, the T-bar, the freeze buttons and the PIP switch buttons, in a
  // column at the right of the status grid (the Mixer places of the
  // connection indication and the notices stay where they are).
  Panel_controls_ = new QFrame(central);
  Panel_controls_->setObjectName(QStringLiteral("Panel_controls"));
  Panel_controls_->setGeometry(968, 0, 124, 474);
  central->setMinimumSize(1096, 539);
}

void TZelvan_main::wireMenus() {
  TMainMenus* m = Menus_;
  files_->wireMenu(*m);
  connect(m->Exit1, &QAction::triggered, this, [this] { Exit1Click(); });
  connect(m->AboutOkrimLOGO, &QAction::triggered, this, [this] { AboutOkrimLOGOClick(); });
  connect(m->Mixer1, &QAction::triggered, this, [this] { Mixer1Click(); });
  connect(m->Matrix1, &QAction::triggered, this, [this] { Matrix1Click(); });
  connect(m->EmbeddedSE, &QAction::triggered, this, [this] { EmbeddedSEClick(); });
  connect(m->Setting1, &QAction::triggered, this, [this] { Setting1Click(); });
  connect(m->OkrimLANStatus1, &QAction::triggered, this, [this] {
    if (wins_.lanDialog) wins_.lanDialog->Execute(*Zelvan_d1_);
  });

  controls_ = std::make_unique<zelvan::app::TControlsMenu>(*Menus_, *Zelvan_d1_, this);
  controls_->addRoutes(router_);

  // Application-wide Ctrl+Insert. The shortcut belongs to the connection
  // label: it is live in whichever window shows the label (the main window,
  // or the Matrix window while the main window is hidden).
  HotKey_ = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Insert), indication_->connection);
  HotKey_->setObjectName(QStringLiteral("HotKey_debug"));
  HotKey_->setContext(Qt::ApplicationShortcut);
  connect(HotKey_, &QShortcut::activated, this, [this] { dbg(); });
}

void TZelvan_main::addShellRoutes() {
  using zelvan::app::LinkEvent;
  using zelvan::app::RoutePos;
  auto add = [this](int event, const char* name, void (TZelvan_main::*routine)()) {
    router_.add(event, RoutePos::Shell, QLatin1String(name), [this, routine] { (this->*routine)(); });
  };
  add(zelvan::Reg::DEV, "TZelvan_main::Zelvan_d1DEVchange", &TZelvan_main::Zelvan_d1DEVchange);
  add(zelvan::app::eventId(LinkEvent::Connected), "TZelvan_main::Zelvan_d1Connected", &TZelvan_main::Zelvan_d1Connected);
  add(zelvan::app::eventId(LinkEvent::Ready), "TZelvan_main::Zelvan_d1Ready", &TZelvan_main::Zelvan_d1Ready);
  add(zelvan::Reg::VERV, "TZelvan_main::Zelvan_d1VERVchange", &TZelvan_main::Zelvan_d1VERVchange);
  router_.add(LinkEvent::VarNroLigneMiniConfigOfFile, RoutePos::Shell,
              QStringLiteral("TMainFiles::Zelvan_d1VarNroLigneMiniConfigOfFile"),
              [this] { files_->Zelvan_d1VarNroLigneMiniConfigOfFile(); });
  Zelvan_d1_->OnErrorMessage = [this](const QString& text) {
    zelvan::ui::dialogs().message(this, zelvan::ui::MessageKind::Error, zelvan::app::applicationTitle(), text);
  };
}

void TZelvan_main::attachWindows(const Windows& w) {
  wins_ = w;
  if (wins_.status) {
    wins_.status->setLink(Zelvan_d1_);
    wins_.status->setAnchor(this);
    wins_.status->isStoreAborted = [this] { return state_.StoreAborted; };
    wins_.status->setStoreAborted = [this] { state_.StoreAborted = true; };
  }
  ensureSerialPorts();
}

void TZelvan_main::ensureSerialPorts() {
  if (SerialPorts_) return;
  SerialPorts_ = new TSerialPortMenu(Zelvan_d1_, wins_.ipConfigDialog, this);
  SerialPorts_->setObjectName(QStringLiteral("SerialPortMenu"));
  SerialPorts_->Fill(Menus_->Serialport1);
  // In the menu bar the entry shows its caption; the port picture marks the port in use.
  Menus_->Serialport1->menuAction()->setIcon(QIcon());
  SerialPorts_->OnTitlesChanged = [this](const QString& part) { setWindowTitles(part); };
}

QWidget* TZelvan_main::page(const QString& name) const {
  for (int i = 0; i < PageControl1_->count(); ++i)
    if (PageControl1_->widget(i)->objectName() == name) return PageControl1_->widget(i);
  return findControl<QWidget>(name);
}

QList<QObject*> TZelvan_main::searchRoots() const {
  QList<QObject*> roots{const_cast<TZelvan_main*>(this)};
  for (QWidget* w : {static_cast<QWidget*>(wins_.matrix), static_cast<QWidget*>(wins_.settings),
                     static_cast<QWidget*>(wins_.softEdge)})
    if (w) roots.append(w);
  return roots;
}

QAction* TZelvan_main::findAction(const QString& name) const { return findControl<QAction>(name); }

QLabel* TZelvan_main::connection() const { return indication_->connection; }
QLabel* TZelvan_main::Image_connected() const { return indication_->Image_connected; }
QLabel* TZelvan_main::Image_not_connected() const { return indication_->Image_not_connected; }
QPushButton* TZelvan_main::BitBtn_initial_please() const { return indication_->BitBtn_initial_please; }
QFrame* TZelvan_main::Panel_updater() const { return notice_->Panel_updater; }
QLabel* TZelvan_main::Label_updater() const { return notice_->Label_updater; }
QPushButton* TZelvan_main::Button_ok_updater() const { return notice_->Button_ok_updater; }
