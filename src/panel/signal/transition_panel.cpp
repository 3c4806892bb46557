#include "panel/signal/transition_panel.h"

#include <QAbstractButton>
#include <QActionGroup>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "device/twins.h"
#include "device/zelvan_d.h"
#include "panel/signal/input_row.h"
#include "panel/signal/input_table.h"
#include "panel/signal/signal_common.h"
#include "panel/signal/signal_host.h"
#include "panel/signal/signal_tables.h"
#include "widgets/uidialogs.h"

namespace zelvan::signal {

namespace {
// Device memories of frames 1..6.
constexpr std::array<int, 6> kFrameMemories = {1, 2, 11, 12, 13, 14};

int kindPosition(uint32_t code) {
  for (size_t i = 0; i < TTransitionPanel::kKindCodes.size(); ++i)
    if (static_cast<uint32_t>(TTransitionPanel::kKindCodes[i]) == code) return static_cast<int>(i);
  return -1;
}

QString escaped(QString s) { return s.replace(QLatin1Char('&'), QStringLiteral("&&")); }

// Runs a function when the watched widget is clicked.
class ClickFilter : public QObject {
 public:
  ClickFilter(QObject* parent, std::function<void()> fn) : QObject(parent), fn_(std::move(fn)) {}
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) fn_();
    return false;
  }

 private:
  std::function<void()> fn_;
};
}  // namespace

TTransitionPanel::TTransitionPanel(TSignalContext& ctx, QWidget* controlArea, QWidget* transitionPage,
                                   QWidget* effectsPage, QMenu* controlsMenu, QMenuBar* menuBar)
    : QObject(controlArea), ctx_(ctx) {
  // ---- TAKE, T-bar and freeze ----
  auto* takeArea = new QWidget(controlArea);
  takeArea->setObjectName(QStringLiteral("Panel_take"));
  auto* takeLayout = new QVBoxLayout(takeArea);
  take_ = new QPushButton(QStringLiteral("TAKE"), takeArea);
  take_->setObjectName(QStringLiteral("BitBtn_Take"));
  take_->setToolTip(QStringLiteral("Transition"));
  take_->setMinimumHeight(40);
  connect(take_, &QPushButton::clicked, this, [this] { BitBtn_TakeClick(); });
  takeLayout->addWidget(take_);

  tbarPanel_ = new QFrame(takeArea);
  tbarPanel_->setObjectName(QStringLiteral("PanelTBAR"));
  auto* tbarLayout = new QVBoxLayout(tbarPanel_);
  tbarLabel_ = new QLabel(QStringLiteral("TBAR"), tbarPanel_);
  tbarLabel_->setObjectName(QStringLiteral("Label203"));
  tbar_ = new QSlider(Qt::Vertical, tbarPanel_);
  tbar_->setObjectName(QStringLiteral("TBar"));
  tbar_->setRange(0, 255);
  tbar_->setTickInterval(15);
  tbar_->setTickPosition(QSlider::TicksBothSides);
  // Position 0 at the top, as the operator pushes it downwards first.
  tbar_->setInvertedAppearance(true);
  tbar_->setMinimumHeight(120);
  connect(tbar_, &QSlider::valueChanged, this, [this](int v) { TBarChange(v); });
  tbarLayout->addWidget(tbarLabel_);
  tbarLayout->addWidget(tbar_);
  // TAKE and the freeze buttons move to other windows in some modes; the
  // T-bar between them stays, in a slot of its own.
  auto* tbarSlot = new QVBoxLayout;
  tbarSlot->setContentsMargins(0, 0, 0, 0);
  takeLayout->addLayout(tbarSlot);
  tbarSlot->addWidget(tbarPanel_);

  freezeMain_ = new QPushButton(QStringLiteral("FREEZE\nMain"), takeArea);
  freezeMain_->setObjectName(QStringLiteral("BitBtn_Freeze_main"));
  freezePreview_ = new QPushButton(QStringLiteral("FREEZE\nPreview"), takeArea);
  freezePreview_->setObjectName(QStringLiteral("BitBtn_Freeze_preview"));
  for (QPushButton* b : {freezeMain_, freezePreview_}) {
    b->setCheckable(true);
    takeLayout->addWidget(b);
  }
  connect(freezeMain_, &QPushButton::clicked, this, [this] { BitBtn_Freeze_mainClick(); });
  connect(freezePreview_, &QPushButton::clicked, this, [this] { BitBtn_Freeze_previewClick(); });
  addToPage(controlArea, takeArea);

  // ---- Transition tab ----
  QWidget* tPage = transitionPage ? transitionPage : controlArea;
  fadeGroup_ = new QGroupBox(QStringLiteral("Transition"), tPage);
  fadeGroup_->setObjectName(QStringLiteral("ListBox_Fade_output1"));
  auto* fadeLayout = new QVBoxLayout(fadeGroup_);
  const std::array<const char*, 8> radioNames = {
      "RadioButton_TranstionCleanCut_M", "RadioButton_TranstionColor_M",  "RadioButton_TranstionFrame1_M",
      "RadioButton_TranstionFrame2_M",   "RadioButton_TranstionFrame3_M", "RadioButton_TranstionFrame4_M",
      "RadioButton_TranstionFrame5_M",   "RadioButton_TranstionFrame6_M"};
  for (size_t i = 0; i < radios_.size(); ++i) {
    const QString caption = i == 0   ? QStringLiteral("Clean cut ...")
                            : i == 1 ? QStringLiteral("Fade color ...")
                                     : QStringLiteral("Fade frame %1 ...").arg(i - 1);
    auto* rb = new QRadioButton(caption, fadeGroup_);
    rb->setObjectName(QString::fromLatin1(radioNames[i]));
    rb->setAutoExclusive(false);
    const int code = kKindCodes[i];
    rb->setProperty("Tag", code);
    connect(rb, &QRadioButton::pressed, this, [this, code] { transitionRadioMouseDown(code); });
    // The check mark follows the device, not the click.
    connect(rb, &QRadioButton::clicked, this, [this] { showKind(1); });
    fadeLayout->addWidget(rb);
    radios_[i] = rb;
  }
  fadeSample_ = new QLabel(QStringLiteral("Fade Color"), fadeGroup_);
  fadeSample_->setObjectName(QStringLiteral("LMDGraphicLabel_Transition"));
  fadeSample_->setToolTip(QStringLiteral("Click to choose fade color"));
  fadeSample_->installEventFilter(new ClickFilter(this, [this] { LMDGraphicLabel_TransitionClick(); }));
  fadeLayout->addWidget(fadeSample_);
  addToPage(tPage, fadeGroup_);

  // ---- Duration presets on the Effects tab ----
  QWidget* ePage = effectsPage ? effectsPage : controlArea;
  auto* presetRow = new QWidget(ePage);
  presetRow->setObjectName(QStringLiteral("Panel_duration_presets"));
  auto* presetLayout = new QHBoxLayout(presetRow);
  const std::array<int, 3> seconds = {1, 3, 5};
  for (size_t i = 0; i < 3; ++i) {
    auto* b = new QPushButton(QStringLiteral("%1s").arg(seconds[i]), presetRow);
    b->setObjectName(QStringLiteral("Button_%1s").arg(seconds[i]));
    const int tenths = seconds[i] * 10;
    connect(b, &QPushButton::clicked, this, [this, tenths] { durationPreset(tenths); });
    presetLayout->addWidget(b);
    presets_[i] = b;
  }
  addToPage(ePage, presetRow);

  // ---- Menus ----
  menu1_ = controlsMenu ? controlsMenu->addMenu(QStringLiteral("Transition"))
                        : new QMenu(QStringLiteral("Transition"), controlArea);
  menu1_->setObjectName(QStringLiteral("Transition_main_ou_output1"));
  buildTransitionMenu(1, menu1_);
  autotakeMenu_ = controlsMenu ? controlsMenu->addMenu(QStringLiteral("Autotake"))
                               : new QMenu(QStringLiteral("Autotake"), controlArea);
  autotakeMenu_->setObjectName(QStringLiteral("Autotake1"));
  auto* autoGroup = new QActionGroup(autotakeMenu_);
  autoOn_ = autotakeMenu_->addAction(QStringLiteral("On"));
  autoOn_->setObjectName(QStringLiteral("Autotake_On1"));
  autoOff_ = autotakeMenu_->addAction(QStringLiteral("Off"));
  autoOff_->setObjectName(QStringLiteral("Autotake_Off1"));
  for (QAction* a : {autoOn_, autoOff_}) {
    a->setCheckable(true);
    autoGroup->addAction(a);
  }
  connect(autoOn_, &QAction::triggered, this, [this] { Autotake_On1Click(); });
  connect(autoOff_, &QAction::triggered, this, [this] { Autotake_Off1Click(); });

  menu2_ = menuBar ? menuBar->addMenu(QStringLiteral("Transition output 2"))
                   : new QMenu(QStringLiteral("Transition output 2"), controlArea);
  menu2_->setObjectName(QStringLiteral("Transition_output2"));
  buildTransitionMenu(2, menu2_);
  // Shown only in Matrix mode.
  menu2_->menuAction()->setVisible(false);
}

QMenu* TTransitionPanel::buildTransitionMenu(int output, QMenu* menu) {
  auto* group = new QActionGroup(menu);
  auto& items = output == 1 ? items1_ : items2_;
  for (size_t i = 0; i < items.size(); ++i) {
    const int code = kKindCodes[i];
    QString caption;
    QString objName;
    if (i == 0) {
      caption = QStringLiteral("Clean Cut ...");
      objName = output == 1 ? QStringLiteral("CleanCut_Output1") : QStringLiteral("CleanCut_Output2");
    } else if (i == 1) {
      caption = QStringLiteral("Fade Color ...");
      objName = output == 1 ? QStringLiteral("Logofade_Output1") : QStringLiteral("Logofade_output2");
    } else {
      const int k = static_cast<int>(i) - 1;
      caption = QStringLiteral("Fade Frame %1...").arg(k);
      objName = output == 1 ? QStringLiteral("FadeFrame%1_Output1").arg(k) : QStringLiteral("FadeFrame%1_output2").arg(k);
    }
    QAction* a = menu->addAction(caption);
    a->setObjectName(objName);
    a->setProperty("Tag", code);
    a->setCheckable(true);
    group->addAction(a);
    if (i == 1) {
      connect(a, &QAction::triggered, this, [this, output] {
        if (output == 1)
          LogofadeClick();
        else
          Logofade_output2Click();
      });
    } else {
      connect(a, &QAction::triggered, this, [this, output, code] {
        if (output == 1)
          FramefadeClick(code);
        else
          FadeFrame_output2Click(code);
      });
    }
    items[i] = a;
  }
  connect(menu, &QMenu::aboutToShow, this, [this, output] {
    if (output == 1)
      Transition_main_ou_output1Click();
    else
      Transition_output2Click();
  });
  return menu;
}

QRadioButton* TTransitionPanel::transitionRadio(int code) const {
  const int pos = kindPosition(static_cast<uint32_t>(code));
  return pos < 0 ? nullptr : radios_[static_cast<size_t>(pos)];
}

QAction* TTransitionPanel::transitionItem(int output, int code) const {
  const int pos = kindPosition(static_cast<uint32_t>(code));
  if (pos < 0) return nullptr;
  return (output == 1 ? items1_ : items2_)[static_cast<size_t>(pos)];
}

QPushButton* TTransitionPanel::presetButton(int seconds) const {
  return seconds == 1 ? presets_[0] : seconds == 3 ? presets_[1] : seconds == 5 ? presets_[2] : nullptr;
}

// ------------------------------------------------------------ operator

void TTransitionPanel::BitBtn_TakeClick() { ctx_.link->setTAKE(!ctx_.link->TAKE()); }

void TTransitionPanel::TBarChange(int position) {
  ctx_.link->setTBARPO(static_cast<uint32_t>(tbarDown_ ? 255 - position : position));
}

void TTransitionPanel::Autotake_On1Click() {
  ctx_.link->setTAKEAUTO(true);
  Zelvan_d1TAKEAUTOchange();
}

void TTransitionPanel::Autotake_Off1Click() {
  ctx_.link->setTAKEAUTO(false);
  Zelvan_d1TAKEAUTOchange();
}

void TTransitionPanel::FramefadeClick(int tag) {
  ctx_.link->setLFADEM(static_cast<uint32_t>(tag));
  showKind(1);
}

void TTransitionPanel::FadeFrame_output2Click(int tag) {
  ctx_.link->setLFADEP(static_cast<uint32_t>(tag));
  showKind(2);
}

void TTransitionPanel::LogofadeClick() {
  ctx_.link->setLFADEM(0);
  showKind(1);
  Palette_RGB_Main();
}

void TTransitionPanel::Logofade_output2Click() {
  ctx_.link->setLFADEP(0);
  showKind(2);
  Palette_RGB_Preview();
}

void TTransitionPanel::transitionRadioMouseDown(int code) {
  if (code == 0)
    LogofadeClick();
  else
    FramefadeClick(code);
}

void TTransitionPanel::LMDGraphicLabel_TransitionClick() { Palette_RGB_Main(); }

void TTransitionPanel::Palette_RGB_Main() { fadeDialog(1); }
void TTransitionPanel::Palette_RGB_Preview() { fadeDialog(2); }

QColor TTransitionPanel::fadeColour(int output) const {
  auto c = [](uint32_t v) { return static_cast<int>(std::min<uint32_t>(v, 255)); };
  const OutputRegs& r = zelvan::regs(output);
  return QColor(c(ctx_.link->registerValue(r.BCFRED)), c(ctx_.link->registerValue(r.BCFGREEN)),
                c(ctx_.link->registerValue(r.BCFBLUE)));
}

void TTransitionPanel::fadeDialog(int output) {
  const QColor initial = fadeColour(output);
  const auto chosen = zelvan::ui::dialogs().chooseColor(fadeGroup_, initial);
  // The outcome is not consulted: a cancelled dialog sends the colour again.
  const QColor c = chosen ? *chosen : initial;
  const OutputRegs& r = zelvan::regs(output);
  ctx_.link->SendRegister(r.BCFBLUE, static_cast<uint32_t>(c.blue()));
  ctx_.link->SendRegister(r.BCFGREEN, static_cast<uint32_t>(c.green()));
  ctx_.link->SendRegister(r.BCFRED, static_cast<uint32_t>(c.red()));
}

void TTransitionPanel::refreshMenuFrames(int output) {
  const auto& items = output == 1 ? items1_ : items2_;
  for (int k = 1; k <= 6; ++k) {
    QAction* a = items[static_cast<size_t>(k + 1)];
    const int memory = kFrameMemories[static_cast<size_t>(k - 1)];
    if (ctx_.host->memoryEmpty(memory)) {
      a->setText(QStringLiteral("Frame %1 Empty.").arg(k));
      a->setEnabled(false);
    } else {
      a->setText(QStringLiteral("Fade ") + escaped(ctx_.host->memoryLabel(memory)) + QStringLiteral("..."));
      a->setEnabled(true);
    }
  }
}

void TTransitionPanel::Transition_main_ou_output1Click() { refreshMenuFrames(1); }
void TTransitionPanel::Transition_output2Click() { refreshMenuFrames(2); }

void TTransitionPanel::durationPreset(int tenths) {
  if (TEffectsPeer* effects = ctx_.peers.effects) effects->storeEffectDuration(tenths);
  ctx_.link->setEFFDUR(static_cast<uint32_t>(tenths));
}

void TTransitionPanel::BitBtn_Freeze_mainClick() {
  ctx_.link->setIFRZM(!ctx_.link->IFRZM());
  setPressed(freezeMain_, ctx_.link->IFRZM());
}

void TTransitionPanel::BitBtn_Freeze_previewClick() {
  ctx_.link->setIFRZP(!ctx_.link->IFRZP());
  setPressed(freezePreview_, ctx_.link->IFRZP());
}

// ------------------------------------------------------------ reports

void TTransitionPanel::Zelvan_d1TAKEchange() {
  const bool pip = ctx_.inputRow && ctx_.inputRow->pipOnAir();
  if (ctx_.inputRow) {
    ctx_.inputRow->SpeedButton_pippop_main()->setEnabled(pip);
    ctx_.inputRow->SpeedButton_pippop_preview()->setEnabled(pip);
  }
}

void TTransitionPanel::Zelvan_d1TAKEEVAchange() {
  const bool possible = ctx_.link->TAKEEVA();
  take_->setEnabled(possible);
  if (QAbstractButton* mt = ctx_.matrixTake()) mt->setEnabled(possible);
  const QCursor cursor(possible ? Qt::PointingHandCursor : Qt::BusyCursor);
  for (int n = 0; n <= 8; ++n) {
    if (ctx_.inputRow) ctx_.inputRow->inputButton(n)->setCursor(cursor);
    for (int row = 1; row <= 2; ++row)
      if (QAbstractButton* b = ctx_.matrixInput(row, n)) b->setCursor(cursor);
  }
}

void TTransitionPanel::Zelvan_d1TBARAVchange() {
  if (ctx_.link->TBARAV()) {
    tbarPanel_->setEnabled(true);
    tbarLabel_->setEnabled(true);
    tbar_->setEnabled(true);
    tbar_->setTickPosition(QSlider::TicksBothSides);
  } else {
    tbarLabel_->setEnabled(false);
    tbar_->setTickPosition(QSlider::NoTicks);
    tbar_->setEnabled(false);
    tbarPanel_->setEnabled(false);
  }
}

void TTransitionPanel::Zelvan_d1TAKEAUTOchange() {
  if (ctx_.link->TAKEAUTO())
    autoOn_->setChecked(true);
  else
    autoOff_->setChecked(true);
}

void TTransitionPanel::showKind(int output) {
  const int code = shownKind_[output == 1 ? 0 : 1];
  const int pos = code < 0 ? -1 : kindPosition(static_cast<uint32_t>(code));
  auto& items = output == 1 ? items1_ : items2_;
  if (pos < 0) {
    // No kind reported yet: nothing is checked.
    for (QAction* a : items) {
      QActionGroup* g = a->actionGroup();
      if (g) g->setExclusive(false);
      a->setChecked(false);
      if (g) g->setExclusive(true);
    }
    if (output == 1)
      for (QRadioButton* rb : radios_) setPressed(rb, false);
    return;
  }
  items[static_cast<size_t>(pos)]->setChecked(true);
  if (output == 1)
    for (size_t i = 0; i < radios_.size(); ++i) setPressed(radios_[i], static_cast<int>(i) == pos);
}

void TTransitionPanel::Zelvan_d1LFADEMchange() {
  if (ctx_.link->LFADEM() > 7) return;
  shownKind_[0] = static_cast<int>(ctx_.link->LFADEM());
  showKind(1);
}

void TTransitionPanel::Zelvan_d1LFADEPchange() {
  if (ctx_.link->LFADEP() > 7) return;
  shownKind_[1] = static_cast<int>(ctx_.link->LFADEP());
  showKind(2);
  if (TSettingsPeer* settings = ctx_.peers.settings) settings->output2TransitionReported(ctx_.link->LFADEP());
}

void TTransitionPanel::Zelvan_d1BCFchange() {
  const QColor main = fadeColour(1);
  QPalette pal = fadeSample_->palette();
  pal.setColor(QPalette::WindowText, main);
  pal.setColor(QPalette::Window, main);
  fadeSample_->setPalette(pal);
  fadeSample_->setProperty("GradientColor", main);
  if (TSettingsPeer* settings = ctx_.peers.settings) {
    settings->fadeColourChanged(1, main);
    settings->fadeColourChanged(2, fadeColour(2));
  }
}

void TTransitionPanel::freezeReported(int output) {
  const bool on = ctx_.link->registerValue(zelvan::regs(output).IFRZ) != 0;
  QPushButton* own = output == 1 ? freezeMain_ : freezePreview_;
  QAbstractButton* matrix = ctx_.matrixFreeze(output);
  setPressed(own, on);
  setPressed(matrix, on);
  if (on) {
    ctx_.host->enableTick();
  } else {
    setCaption(own, colorWindowText(), false);
    if (matrix) setCaption(matrix, colorWindowText(), false);
  }
}

void TTransitionPanel::Zelvan_d1IFRZMchange() { freezeReported(1); }
void TTransitionPanel::Zelvan_d1IFRZPchange() { freezeReported(2); }

void TTransitionPanel::TBar_EFFONchange() {
  if (!ctx_.link->EFFON() && ctx_.link->TBARPO() == 255) {
    tbarDown_ = !tbarDown_;
    ctx_.link->setTBARPO(0);
  }
}

// ------------------------------------------------------------ tick

void TTransitionPanel::freezeBlink(int output) {
  QPushButton* own = output == 1 ? freezeMain_ : freezePreview_;
  QAbstractButton* matrix = ctx_.matrixFreeze(output);
  const bool wasBlue = captionColor(own) == colorBlue();
  for (QWidget* w : {static_cast<QWidget*>(own), static_cast<QWidget*>(matrix)}) {
    if (!w) continue;
    if (wasBlue)
      setCaption(w, colorWindowText(), true, false);
    else
      setCaption(w, colorBlue(), false, true);
  }
}

void TTransitionPanel::clignotantfreeze_M() { freezeBlink(1); }
void TTransitionPanel::clignotantfreeze_P() { freezeBlink(2); }

void TTransitionPanel::cligno_take() {
  if (!ctx_.link->EFFON()) {
    setCaption(take_, colorWindowText(), false);
  } else if (isBold(take_)) {
    setCaption(take_, colorWindowText(), false, true);
  } else {
    setCaption(take_, colorBlue(), true, false);
  }
}

}  // namespace zelvan::signal
