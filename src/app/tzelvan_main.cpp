// Construction of the main window: the device link, the controls of the
// frame (page control, status grid, connection indication, notices), the
// menus, the timers and the wiring of the link's events.
#include "app/tzelvan_main.h"

#include <QAction>
#include <QComboBox>
#include <QCursor>
#include <QEvent>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

#include "app/app_info.h"
#include "app/config_progress.h"
#include "app/main_menus.h"
#include "app/pending_windows.h"
#include "app/tstatus.h"
#include "device/zelvan_d.h"
#include "panel/signal/input_row.h"
#include "panel/signal/signal_panels.h"
#include "tools/serialportmenu.h"
#include "tools/tabout_graphic_install.h"
#include "tools/tipconfigdlg.h"
#include "tools/trs232landlg.h"
#include "widgets/tconversion.h"
#include "widgets/tsmallcombo.h"
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

// The Mixer-mode columns of the memory strip.
constexpr int kStripColumns[8] = {3, 85, 168, 251, 333, 416, 499, 582};

QPixmap statusPicture(const QColor& colour) {
  QPixmap pm(24, 24);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(colour);
  p.drawEllipse(3, 3, 18, 18);
  return pm;
}
}  // namespace

TZelvan_main::TZelvan_main(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("TZelvan_main"));
  // The title before any device has answered and before the customization
  // has chosen the port.
  TitlePrefixes = {zelvan::app::defaultMixerPrefix(), zelvan::app::defaultMatrixPrefix(),
                   zelvan::app::softEdgePrefix()};
  setWindowTitle(TitlePrefixes[0] + QStringLiteral("    COM?"));
  for (int i = 0; i < zelvan::app::kMemoryLabelCount; ++i) MemoryLabels[size_t(i)] = zelvan::app::defaultMemoryLabel(i);
  for (int n = 1; n <= zelvan::app::kAudioCount; ++n) AudioLabels[size_t(n - 1)] = zelvan::app::defaultAudioName(n);
  OutputLabels = {zelvan::app::defaultOutputName(1), zelvan::app::defaultOutputName(2)};
  CustomizationFileName = zelvan::app::kDefaultCustomizationFile;
  LogoSettingsFileName = zelvan::app::logo_settings::kFileName;
  cursorPosition = [] { return QCursor::pos(); };

  // The device link, as the main window's instance is created: RS-232,
  // local and remote port 10500, the device at 192.168.0.10, last command "?".
  Zelvan_d1 = new TZelvan_d(this);
  Zelvan_d1->setObjectName(QStringLiteral("Zelvan_d1"));
  Zelvan_d1->setIpLocalPort(10500);
  Zelvan_d1->setIpRemotePort(10500);
  Zelvan_d1->setIpRemoteAddress(QStringLiteral("192.168.0.10"));
  Zelvan_d1->setSentString(QStringLiteral("?"));
  Zelvan_d1->setConType(CON_RS232);

  Conversion1 = new TConversion(this);
  Conversion1->setObjectName(QStringLiteral("Conversion1"));

  Menus = new TMainMenus(menuBar(), this);
  buildControls();
  buildSignalPanels();
  wireMenus();
  wireLinkEvents();

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(1000);
  connect(Timer1, &QTimer::timeout, this, &TZelvan_main::Timer1Timer);
  Timer1->start();

  ConfigProgress = new TConfigProgress(this);
  ConfigProgress->FinLoadconfig = [this] { FinLoadconfig(); };
}

TZelvan_main::~TZelvan_main() {
  // The link's events point at this window: the link goes first, before
  // the controls its handlers touch.
  delete Zelvan_d1;
  Zelvan_d1 = nullptr;
}

void TZelvan_main::buildControls() {
  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("Panel_main"));
  central->setMinimumSize(968, 515);
  setCentralWidget(central);

  Panel_ichmp = new QFrame(central);
  Panel_ichmp->setObjectName(QStringLiteral("Panel_ichmp"));
  Panel_ichmp->setGeometry(0, 0, 740, 120);
  // The input buttons and the memory strip new_Panel1 inside Panel_ichmp
  // are the input row's (buildSignalPanels).

  PageControl1 = new QTabWidget(central);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  PageControl1->setGeometry(0, 122, 740, 352);
  for (const PageDef& p : kPages) {
    auto* w = new QWidget;
    w->setObjectName(QLatin1String(p.name));
    w->setProperty("Highlighted", false);
    PageControl1->addTab(w, QLatin1String(p.caption));
  }
  // The Preview page of the optional video output is normally hidden.
  PageControl1->setTabVisible(8, false);
  connect(PageControl1, &QTabWidget::currentChanged, this, [this](int) {
    PageControl1Changing();
    PageControl1Change();
  });
  previousPage_ = PageControl1->currentIndex();

  buildStatusGrid();
  StringGrid1->setParent(central);
  StringGrid1->setGeometry(744, 122, 219, 260);

  Image_connected = new QLabel(central);
  Image_connected->setObjectName(QStringLiteral("Image_connected"));
  Image_connected->setPixmap(statusPicture(QColor(0, 170, 0)));
  Image_connected->setGeometry(8, 481, 24, 24);
  Image_connected->hide();
  Image_not_connected = new QLabel(central);
  Image_not_connected->setObjectName(QStringLiteral("Image_not_connected"));
  Image_not_connected->setPixmap(statusPicture(QColor(200, 0, 0)));
  Image_not_connected->setGeometry(8, 481, 24, 24);

  connection = new QLabel(QStringLiteral("Device NOT connected"), central);
  connection->setObjectName(QStringLiteral("connection"));
  connection->setGeometry(36, 481, 260, 24);
  connection->setMouseTracking(true);
  connection->installEventFilter(this);
  QFont f = connection->font();
  f.setBold(true);
  connection->setFont(f);

  Label_Wait_storing_setting = new QLabel(QStringLiteral("WAIT STORING SETTING"), central);
  Label_Wait_storing_setting->setObjectName(QStringLiteral("Label_Wait_storing_setting"));
  Label_Wait_storing_setting->setGeometry(827, 493, 140, 18);
  Label_Wait_storing_setting->hide();

  Panel_updater = new QFrame(central);
  Panel_updater->setObjectName(QStringLiteral("Panel_updater"));
  Panel_updater->setGeometry(328, 48, 473, 57);
  Panel_updater->setFrameShape(QFrame::Panel);
  Panel_updater->setFrameShadow(QFrame::Raised);
  Panel_updater->setAutoFillBackground(true);
  Label_updater = new QLabel(Panel_updater);
  Label_updater->setObjectName(QStringLiteral("Label_updater"));
  Label_updater->setGeometry(4, 4, 465, 22);
  Button_ok_updater = new QPushButton(QStringLiteral("OK"), Panel_updater);
  Button_ok_updater->setObjectName(QStringLiteral("Button_ok_updater"));
  Button_ok_updater->setGeometry(199, 29, 75, 24);
  connect(Button_ok_updater, &QPushButton::clicked, this, [this] { Button_ok_updaterClick(); });
  Panel_updater->hide();

  BitBtn_initial_please = new QPushButton(QStringLiteral("Connecting..."), central);
  BitBtn_initial_please->setObjectName(QStringLiteral("BitBtn_initial_please"));
  BitBtn_initial_please->setGeometry(276, 245, 420, 73);
  BitBtn_initial_please->hide();
  BitBtn_initial_please->setEnabled(false);

  RRLMDProgressFill = makeGradientProgressBar(central);
  RRLMDProgressFill->hide();

  // TAKE, the T-bar, the freeze buttons and the PIP switch buttons, in a
  // column at the right of the status grid (the Mixer places of the
  // connection indication and the notices stay where they are).
  Panel_controls = new QFrame(central);
  Panel_controls->setObjectName(QStringLiteral("Panel_controls"));
  Panel_controls->setGeometry(968, 0, 124, 474);
  central->setMinimumSize(1096, 515);
}

void TZelvan_main::buildSignalPanels() {
  zelvan::signal::TSignalPages pages;
  pages.Panel_ichmp = Panel_ichmp;
  pages.controlArea = Panel_controls;
  pages.Input = page(QStringLiteral("Input"));
  pages.Output = page(QStringLiteral("Output"));
  pages.Image_Main = page(QStringLiteral("Image_Main"));
  pages.Image_Preview = page(QStringLiteral("Image_Preview"));
  pages.TabSheet_audio = page(QStringLiteral("TabSheet_audio"));
  pages.TabSheet_transition = page(QStringLiteral("TabSheet_transition"));
  pages.Effects = page(QStringLiteral("Effects"));
  pages.StringGrid1 = StringGrid1;
  pages.controlsMenu = Menus->Controls1;
  pages.menuBar = menuBar();
  pages.Conversion1 = Conversion1;
  Signal = new zelvan::signal::TSignalPanels(*Zelvan_d1, *this, pages, this);
  Signal->setObjectName(QStringLiteral("SignalPanels"));
  new_Panel1 = Panel_ichmp->findChild<QFrame*>(QStringLiteral("new_Panel1"));
  Timer_pippop = Signal->findChild<QTimer*>(QStringLiteral("Timer_pippop"));
  hooks.refreshInputHints = [this] { Signal->inputRow()->hinthinthint_ichm(); };
  Menus->adoptSignalMenus(this);
}

void TZelvan_main::buildStatusGrid() {
  StringGrid1 = new QTableWidget(16, 3);
  StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
  StringGrid1->horizontalHeader()->hide();
  StringGrid1->verticalHeader()->hide();
  StringGrid1->verticalHeader()->setMinimumSectionSize(12);
  StringGrid1->setColumnWidth(0, 118);
  StringGrid1->setColumnWidth(1, 65);
  StringGrid1->setColumnWidth(2, 32);
  for (int r = 0; r < 16; ++r) {
    StringGrid1->setRowHeight(r, 16);
    for (int c = 0; c < 3; ++c) StringGrid1->setItem(r, c, new QTableWidgetItem);
  }
  StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid1->setSelectionMode(QAbstractItemView::NoSelection);
  StringGrid1->setFocusPolicy(Qt::NoFocus);
  StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void TZelvan_main::wireMenus() {
  TMainMenus* m = Menus;
  connect(m->New1, &QAction::triggered, this, [this] { New1Click(); });
  connect(m->Open1, &QAction::triggered, this, [this] { Open1Click(); });
  connect(m->Save1, &QAction::triggered, this, [this] { Save1Click(); });
  connect(m->Saveas1, &QAction::triggered, this, [this] { Saveas1Click(); });
  connect(m->Loadconfig1, &QAction::triggered, this, [this] { Loadconfig1Click(); });
  connect(m->Saveconfig1, &QAction::triggered, this, [this] { Saveconfig1Click(); });
  connect(m->Exit1, &QAction::triggered, this, [this] { Exit1Click(); });
  connect(m->AboutOkrimLOGO, &QAction::triggered, this, [this] { AboutOkrimLOGOClick(); });
  connect(m->Mixer1, &QAction::triggered, this, [this] { Mixer1Click(); });
  connect(m->Matrix1, &QAction::triggered, this, [this] { Matrix1Click(); });
  connect(m->EmbeddedSE, &QAction::triggered, this, [this] { EmbeddedSEClick(); });
  connect(m->Setting1, &QAction::triggered, this, [this] { Setting1Click(); });
  connect(m->OkrimLANStatus1, &QAction::triggered, this, [this] {
    if (wins_.lanDialog) wins_.lanDialog->Execute(*Zelvan_d1);
  });

  // Controls menu: one-shot writes; the device answers with the registers.
  auto send = [this](QAction* a, std::function<void(int)> write) {
    connect(a, &QAction::triggered, this, [a, write] { write(a->data().toInt()); });
  };
  // The radio check stays on the last reported value until the device
  // answers (the menu follows the device, not the click).
  for (QAction* a : {m->PullDown_Auto, m->PullDown_Off})
    send(a, [this](int t) {
      Zelvan_d1->setEPD(t != 0);
      Zelvan_d1EPDchange(Zelvan_d1, 0);
    });
  for (QAction* a : {m->Demo_Yes, m->Demo_No})
    send(a, [this](int t) {
      Zelvan_d1->setDEMO(t != 0);
      Zelvan_d1DEMOchange(Zelvan_d1, 0);
    });
  for (QAction* a : m->Input_Sync_Loss->actions()) send(a, [this](int t) { Zelvan_d1->setFRAMEALERT(uint32_t(t)); });
  connect(m->EraseAllMemories, &QAction::triggered, this, [this] {
    if (zelvan::ui::dialogs().confirm(this, QStringLiteral("Confirmation"),
                                      QStringLiteral("Are you sure you want erase all memories ?")))
      Zelvan_d1->setERAPOS(true);
  });
  connect(m->DefaultValues, &QAction::triggered, this, [this] {
    if (zelvan::ui::dialogs().confirm(this, QStringLiteral("Confirmation"),
                                      QStringLiteral("Are you sure you want default value ?")))
      Zelvan_d1->setFRESET(true);
  });

  // Application-wide Ctrl+Insert. The shortcut belongs to the connection
  // label: it is live in whichever window shows the label (the main window,
  // or the Matrix window while the main window is hidden).
  HotKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Insert), connection);
  HotKey->setObjectName(QStringLiteral("HotKey_debug"));
  HotKey->setContext(Qt::ApplicationShortcut);
  connect(HotKey, &QShortcut::activated, this, [this] { dbg(); });
}

void TZelvan_main::wireLinkEvents() {
  TZelvan_d* d = Zelvan_d1;
  d->OnDEVchange = [this](QObject* s, int n) { Zelvan_d1DEVchange(s, n); };
  d->OnConnected = [this](QObject* s, int n) { Zelvan_d1Connected(s, n); };
  d->OnReady = [this](QObject* s, int n) { Zelvan_d1Ready(s, n); };
  d->OnVERVchange = [this](QObject* s, int n) { Zelvan_d1VERVchange(s, n); };
  d->OnVERUPDchange = [this](QObject* s, int n) { Zelvan_d1VERUPDchange(s, n); };
  d->OnVERKchange = [this](QObject* s, int n) { Zelvan_d1VERKchange(s, n); };
  d->OnVERIchange = [this](QObject* s, int n) { Zelvan_d1VERIchange(s, n); };
  d->OnVEREchange = [this](QObject* s, int n) { Zelvan_d1VEREchange(s, n); };
  d->OnVERFchange = [this](QObject* s, int n) { Zelvan_d1VERFchange(s, n); };
  d->OnVERPchange = [this](QObject* s, int n) { Zelvan_d1VERPchange(s, n); };
  d->OnVERAchange = [this](QObject* s, int n) { Zelvan_d1VERAchange(s, n); };
  d->OnVERCchange = [this](QObject* s, int n) { Zelvan_d1VERCchange(s, n); };
  d->OnMUXOUTchange = [this](QObject* s, int n) { Zelvan_d1MUXOUTchange(s, n); };
  d->OnOPTchange = [this](QObject* s, int n) { Zelvan_d1OPTchange(s, n); };
  // The About window's checksum lines and test code follow the device.
  auto aboutLine = [this](TZelvanNotifyEvent& event, void (*display)(TAbout_Graphic_install&, const TZelvan_d&)) {
    event = [this, display](QObject*, int) {
      if (wins_.about) display(*wins_.about, *Zelvan_d1);
    };
  };
  using About = TAbout_Graphic_install;
  using Link = TZelvan_d;
  aboutLine(d->OnSCANVKMchange, [](About& a, const Link& l) { a.SetSCANVKM(l.SCANVKM()); });
  aboutLine(d->OnSCANVKPchange, [](About& a, const Link& l) { a.SetSCANVKP(l.SCANVKP()); });
  aboutLine(d->OnSCANVSMchange, [](About& a, const Link& l) { a.SetSCANVSM(l.SCANVSM()); });
  aboutLine(d->OnSCANVSPchange, [](About& a, const Link& l) { a.SetSCANVSP(l.SCANVSP()); });
  aboutLine(d->OnSCANVVMchange, [](About& a, const Link& l) { a.SetSCANVVM(l.SCANVVM()); });
  aboutLine(d->OnSCANVVPchange, [](About& a, const Link& l) { a.SetSCANVVP(l.SCANVVP()); });
  aboutLine(d->OnSCANVFMchange, [](About& a, const Link& l) { a.SetSCANVFM(l.SCANVFM()); });
  aboutLine(d->OnSCANVFPchange, [](About& a, const Link& l) { a.SetSCANVFP(l.SCANVFP()); });
  aboutLine(d->OnDOLLARSchange, [](About& a, const Link& l) { a.SetDOLLARS(l.DOLLARS()); });
  d->OnEPDchange = [this](QObject* s, int n) { Zelvan_d1EPDchange(s, n); };
  d->OnDEMOchange = [this](QObject* s, int n) { Zelvan_d1DEMOchange(s, n); };
  d->OnLOCAL_IPchange = [this](QObject* s, int n) { Zelvan_d1LOCAL_IPchange(s, n); };
  d->OnREMOTE_IPchange = [this](QObject* s, int n) { Zelvan_d1REMOTE_IPchange(s, n); };
  d->OnGATEWAY_IPchange = [this](QObject* s, int n) { Zelvan_d1GATEWAY_IPchange(s, n); };
  d->OnLOCAL_PORTchange = [this](QObject* s, int n) { Zelvan_d1LOCAL_PORTchange(s, n); };
  d->OnREMOTE_PORTchange = [this](QObject* s, int n) { Zelvan_d1REMOTE_PORTchange(s, n); };
  d->OnNETMASKchange = [this](QObject* s, int n) { Zelvan_d1NETMASKchange(s, n); };
  d->OnTCPIPchange = [this](QObject* s, int n) { Zelvan_d1TCPIPchange(s, n); };
  d->OnVarNroLigneMiniConfigOfFile = [this](QObject* s, int n) { Zelvan_d1VarNroLigneMiniConfigOfFile(s, n); };
  d->OnErrorMessage = [this](const QString& text) {
    zelvan::ui::dialogs().message(this, zelvan::ui::MessageKind::Error, zelvan::app::applicationTitle(), text);
  };
  // Every register the signal-path panels follow: their routines run in the
  // order of the panels' report table (PEDGC through its own link event).
  Signal->wireLinkEvents(*d);
}

void TZelvan_main::attachWindows(const Windows& w) {
  wins_ = w;
  if (wins_.status) {
    wins_.status->setLink(Zelvan_d1);
    wins_.status->setAnchor(this);
    wins_.status->isStoreAborted = [this] { return StoreAborted; };
    wins_.status->setStoreAborted = [this] { StoreAborted = true; };
  }
  ensureSerialPorts();
}

void TZelvan_main::ensureSerialPorts() {
  if (SerialPorts) return;
  SerialPorts = new TSerialPortMenu(Zelvan_d1, wins_.ipConfigDialog, this);
  SerialPorts->setObjectName(QStringLiteral("SerialPortMenu"));
  SerialPorts->Fill(Menus->Serialport1);
  // In the menu bar the entry shows its caption; the port picture marks the port in use.
  Menus->Serialport1->menuAction()->setIcon(QIcon());
  SerialPorts->OnTitlesChanged = [this](const QString& part) { setWindowTitles(part); };
}

QWidget* TZelvan_main::page(const QString& name) const {
  for (int i = 0; i < PageControl1->count(); ++i)
    if (PageControl1->widget(i)->objectName() == name) return PageControl1->widget(i);
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

QList<TSmallCombo*> TZelvan_main::allFrameCombos() const {
  QList<TSmallCombo*> out;
  for (TSmallCombo* c : FRAME_Combologo)
    if (c) out.append(c);
  if (wins_.matrix)
    for (int n = 1; n <= 8; ++n)
      if (auto* c = wins_.matrix->findChild<TSmallCombo*>(QStringLiteral("FRAME_Combologo_ichp_%1").arg(n)))
        out.append(c);
  return out;
}

void TZelvan_main::ensureInputLabels() {
  InputLabelList.clear();
  for (int n = 1; n <= 8; ++n) {
    auto* b = findChild<QAbstractButton*>(QStringLiteral("label_input%1").arg(n));
    if (!b) {
      auto* pb = new QPushButton(zelvan::app::defaultInputName(n), Panel_ichmp);
      pb->setObjectName(QStringLiteral("label_input%1").arg(n));
      pb->setProperty("Tag", n);
      pb->setGeometry(kStripColumns[n - 1], 4, 78, 30);
      b = pb;
    }
    InputLabelList.append(b);
  }
}

void TZelvan_main::ensureMemoryCombos() {
  struct Row {
    const char* name;
    int top;
    std::array<TSmallCombo*, 8>* combos;
  };
  for (const Row& r : {Row{"FRAME_Combologo%1", 1, &FRAME_Combologo}, Row{"LINDEX1_Combologo%1", 20, &LINDEX1_Combologo},
                       Row{"LINDEX2_Combologo%1", 39, &LINDEX2_Combologo}}) {
    for (int n = 1; n <= 8; ++n) {
      const QString name = QString::fromLatin1(r.name).arg(n);
      TSmallCombo* c = (*r.combos)[size_t(n - 1)];
      if (!c) c = findControl<TSmallCombo>(name);
      if (!c) {
        c = new TSmallCombo(new_Panel1);
        c->setObjectName(name);
        c->setProperty("Tag", n);
        c->setGeometry(kStripColumns[n - 1], r.top, 76, 20);
      }
      (*r.combos)[size_t(n - 1)] = c;
    }
  }
  // The store lists of the logo pages (hidden drop-down lists).
  struct Store {
    const char* name;
    const char* page;
    QWidget** slot;
  };
  for (const Store& s : {Store{"ComboBox_lstore_main", "new_logos_Main", &ComboBox_lstore_main},
                         Store{"ComboBox_lstore_preview", "new_logos_preview", &ComboBox_lstore_preview}}) {
    if (!*s.slot) *s.slot = findControl<QWidget>(QLatin1String(s.name));
    if (!*s.slot) {
      auto* combo = new QComboBox(page(QLatin1String(s.page)));
      combo->setObjectName(QLatin1String(s.name));
      combo->setMaxVisibleItems(18);
      combo->hide();
      *s.slot = combo;
    }
  }
}

bool TZelvan_main::eventFilter(QObject* watched, QEvent* event) {
  if (watched == connection) {
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter)
      PointerOverConnectionLabel = true;
    else if (event->type() == QEvent::Leave)
      PointerOverConnectionLabel = false;
  }
  return QMainWindow::eventFilter(watched, event);
}
