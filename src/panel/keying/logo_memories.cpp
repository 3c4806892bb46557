#include "panel/keying/logo_memories.h"

#include <QComboBox>
#include <QCursor>
#include <QEvent>
#include <QHelpEvent>
#include <QLabel>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPointer>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTableWidget>
#include <QToolButton>
#include <algorithm>
#include <functional>

#include "app/report_router.h"
#include "device/twins.h"
#include "device/zelvan_d.h"
#include "panel/keying/framing_window.h"
#include "panel/signal/signal_common.h"
#include "widgets/tsmallcombo.h"
#include "widgets/uidialogs.h"

namespace zelvan::keying {

namespace {

const QString kTabUse = QStringLiteral("        Use        ");
const QString kTabRecordFrame = QStringLiteral("        Record frame        ");
const QString kTabRecordLogo = QStringLiteral("        Record logo        ");
const QString kQualityHint = QStringLiteral("Mode must be in use.");
const QString kStore = QStringLiteral("STORE");
const QString kStoring = QStringLiteral("STORING");
const QString kEmpty = QStringLiteral("Empty");
const QString kAllErase = QStringLiteral("ALL erase");
const QString kTabFrameQuality = QStringLiteral("        Frame quality      ");

// The "Frame quality" tab the shell's model layout adds on models with
// frames 3 to 6.
constexpr int kQualityTab = 3;

// The store list: a drop-down list that tells when its pop-up closes. The
// close is announced once the event that closed it is done, so that a
// choice made with the same click is already the list's current entry.
class TStoreList : public QComboBox {
 public:
  using QComboBox::QComboBox;
  std::function<void()> onCloseUp;

  void showPopup() override {
    open_ = true;
    QComboBox::showPopup();
  }
  void hidePopup() override {
    QComboBox::hidePopup();
    if (!open_) return;
    open_ = false;
    QPointer<TStoreList> self(this);
    QMetaObject::invokeMethod(
        this,
        [self] {
          if (self && self->onCloseUp) self->onCloseUp();
        },
        Qt::QueuedConnection);
  }

 private:
  bool open_ = false;
};

// ((elapsed - 1) x 100 x 65536) div (pixels x lines x 3), 0 when it is not
// a positive number. The product of the sizes is kept in 64 bits unsigned
// and may not overflow: a picture larger than that learns nothing.
int64_t learnedTempo(int64_t elapsed, uint32_t pixels, uint32_t lines) {
  if (elapsed <= 1 || pixels == 0 || lines == 0) return 0;
  const uint64_t area = uint64_t(pixels) * uint64_t(lines);
  if (area > UINT64_MAX / 3) return 0;
  const uint64_t bytes = area * 3;
  // elapsed counts seconds of ticks: far below the 64-bit limit.
  const uint64_t scaled = uint64_t(elapsed - 1) * 100u * 65536u;
  return int64_t(scaled / bytes);
}

}  // namespace

TLogoMemories::TLogoMemories(TKeyingContext& ctx, int output, QObject* parent)
    : QObject(parent), ctx_(ctx), output_(output == 1 ? 1 : 2) {}

uint32_t TLogoMemories::value(int reg) const { return ctx_.link->registerValue(reg); }

uint32_t TLogoMemories::mode() const { return value(zelvan::regs(output_).LMODE); }

bool TLogoMemories::storing() const { return storing_ || value(zelvan::regs(output_).LSTORE) != 0; }

// ------------------------------------------------------------------ build

void TLogoMemories::build(QWidget* page, QWidget* bar) {
  page_ = page;
  bar_ = bar;
  const bool main = output_ == 1;
  const QString sfx = main ? QStringLiteral("M") : QStringLiteral("P");

  tabs_ = new QTabBar(bar);
  tabs_->setObjectName(QStringLiteral("TabControl_logo_") + sfx);
  tabs_->setExpanding(false);
  tabs_->setDrawBase(false);
  tabs_->setElideMode(Qt::ElideNone);
  // Wide enough for the "Frame quality" tab the model layout adds on the
  // models with six frames; the Erase and STORE buttons follow it.
  for (const QString& t : {kTabUse, kTabRecordFrame, kTabRecordLogo, kTabFrameQuality}) tabs_->addTab(t);
  const int tabsWidth = std::min(tabs_->sizeHint().width() + 4, 600);
  tabs_->removeTab(kQualityTab);
  tabs_->setGeometry(4, 6, tabsWidth, 26);
  const int eraseLeft = 4 + tabsWidth + 4;
  const int storeLeft = eraseLeft + 64;
  tabs_->setMouseTracking(true);
  tabs_->installEventFilter(this);
  // Only the operator's clicks change the mode: a tab set from a report or
  // by the page control sends nothing. The handler runs once the click is
  // done, when the tab bar has taken the clicked tab, so that putting the
  // tab back on the current mode holds.
  connect(
      tabs_, &QTabBar::tabBarClicked, this,
      [this](int tab) {
        if (tab >= 0) TabControl_logo_MChange(tab);
      },
      Qt::QueuedConnection);

  auto* erase = new QToolButton(bar);
  erase->setObjectName(QStringLiteral("SpeedButton_erase_mode_") + sfx);
  erase->setText(QStringLiteral("Erase"));
  erase->setToolTip(QStringLiteral("TO ERASE FRAME OR LOGO"));
  erase->setCheckable(true);
  erase->setGeometry(eraseLeft, 6, 60, 26);
  connect(erase, &QToolButton::clicked, this, [this] { SpeedButton_erase_mode_MClick(); });
  erase_ = erase;

  auto* store = new QToolButton(bar);
  store->setObjectName(QStringLiteral("new_SpeedButton_store_") + sfx);
  store->setText(kStore);
  store->setCheckable(true);
  store->setGeometry(storeLeft, 6, std::max(736 - storeLeft, 72), 48);
  QFont f = store->font();
  f.setBold(true);
  store->setFont(f);
  // Shown by the page layout of the record modes.
  store->hide();
  connect(store, &QToolButton::clicked, this, [this] { new_SpeedButton_store_MClick(); });
  store_ = store;

  auto* list = new TStoreList(page);
  list->setObjectName(main ? QStringLiteral("ComboBox_lstore_main") : QStringLiteral("ComboBox_lstore_preview"));
  list->setMaxVisibleItems(18);
  list->setGeometry(293, 0, 180, 24);
  list->hide();
  list->onCloseUp = [self = QPointer<TLogoMemories>(this)] {
    if (self) self->ComboBox_lstore_mainCloseUp();
  };
  connect(list, &QComboBox::activated, this, [this](int entry) { ComboBox_lstore_mainClick(entry); });
  list_ = list;
}

void TLogoMemories::addRoutes(zelvan::app::TReportRouter& router) {
  using zelvan::app::RoutePos;
  const zelvan::OutputRegs& r = zelvan::regs(output_);
  const zelvan::OutputRegs& other = zelvan::regs(output_ == 1 ? 2 : 1);
  const QString m = output_ == 1 ? QStringLiteral("M") : QStringLiteral("P");
  router.add(r.LMODE, RoutePos::Keying, QStringLiteral("TLogoMemories::modeTabs"), [this] { modeTabs(); });
  router.add(r.LSTORE, RoutePos::Keying, QStringLiteral("TLogoMemories::Zelvan_d1LSTORE%1change").arg(m),
             [this] { Zelvan_d1LSTOREMchange(); });
  router.add(r.LSTATUS, RoutePos::Keying, QStringLiteral("TLogoMemories::Zelvan_d1LSTATUS%1change").arg(m),
             [this] { Zelvan_d1LSTATUSMchange(); });
  const QString sizes = QStringLiteral("TLogoMemories::Zelvan_d1LPIXEL%1_LLINE%1_SIZ").arg(m);
  router.add(r.LPIXELSIZ1, RoutePos::Keying, sizes, [this] { Zelvan_d1LPIXELM_LLINEM_SIZ(); });
  router.add(r.LLINESIZ1, RoutePos::Keying, sizes, [this] { Zelvan_d1LPIXELM_LLINEM_SIZ(); });
  // The Main rule reads the Preview mode: a change of the other output's
  // mode or status runs this output's rule again.
  const QString rule = QStringLiteral("TLogoMemories::Combologo_rule_%1").arg(m);
  router.add(other.LMODE, RoutePos::Keying, rule, [this] { refreshComboRule(); });
  router.add(other.LSTATUS, RoutePos::Keying, rule, [this] { refreshComboRule(); });
}

bool TLogoMemories::eventFilter(QObject* watched, QEvent* event) {
  if (watched == tabs_) {
    if (event->type() == QEvent::MouseMove)
      TabControl_logo_MouseMove(static_cast<QMouseEvent*>(event)->position().toPoint());
    else if (event->type() == QEvent::ToolTip)
      TabControl_logo_MouseMove(static_cast<QHelpEvent*>(event)->pos());
  }
  return QObject::eventFilter(watched, event);
}

// --------------------------------------------------------------- operator

void TLogoMemories::TabControl_logo_MChange(int tab) {
  const int reg = zelvan::regs(output_).LMODE;
  switch (tab) {
    case 0:
      ctx_.link->SendRegister(reg, 0);
      break;
    case 1:
      ctx_.link->SendRegister(reg, 2);
      break;
    case 2:
      ctx_.link->SendRegister(reg, 1);
      break;
    case kQualityTab:
      if (mode() == 0) {
        if (ctx_.memoryShared) ctx_.memoryShared->popupFrameQuality(QCursor::pos());
      } else if (ctx_.rerunModeHandler) {
        ctx_.rerunModeHandler(output_);
      }
      break;
    default:
      break;
  }
}

void TLogoMemories::TabControl_logo_MouseMove(const QPoint& pos) {
  if (!tabs_) return;
  const QString hint = tabs_->tabAt(pos) == kQualityTab ? kQualityHint : QString();
  if (tabs_->toolTip() != hint) tabs_->setToolTip(hint);
}

void TLogoMemories::SpeedButton_erase_mode_MClick() {
  const bool down = erase_->isChecked();
  ctx_.link->SendRegister(zelvan::regs(output_).LMODE, down ? 3u : 0u);
  // The button shows the device's mode, not the click.
  setEraseDown(mode() == 3);
}

void TLogoMemories::new_SpeedButton_store_MClick() {
  if (storing()) {
    // STORING stays pressed; a click changes nothing.
    setStoreCaption(true);
    return;
  }
  setStoreCaption(false);
  const uint32_t m = mode();
  if (m < 1 || m > 3) return;
  fillStoreList(m);
  placeStoreList(m);
  list_->show();
  list_->raise();
  list_->showPopup();
}

void TLogoMemories::ComboBox_lstore_mainClick(int entry) {
  if (!list_ || entry < 0 || entry >= list_->count()) return;
  const uint32_t m = mode();
  const int memory = entryMemory(entry, m);
  if (memory < 0) {
    // The list no longer fits the device's mode: nothing to act on.
    list_->hide();
    return;
  }
  if (m == 3) {
    const QString text = list_->itemText(entry);
    const QString question = entry == 0 ? QStringLiteral("Confirm ") + text : QStringLiteral("Confirm erase ") + text;
    QWidget* parent = page_ ? page_->window() : nullptr;
    if (!zelvan::ui::dialogs().confirm(parent, QStringLiteral("Warning"), question)) {
      ctx_.link->SendRegister(zelvan::regs(output_).LMODE, 0);
      return;
    }
  }
  startAction(memory);
}

void TLogoMemories::ComboBox_lstore_mainCloseUp() {
  if (!list_) return;
  if (mode() == 3 && list_->currentIndex() < 0) ctx_.link->SendRegister(zelvan::regs(output_).LMODE, 0);
  list_->hide();
}

// ------------------------------------------------------------- store list

QString TLogoMemories::memoryText(int memory) const {
  return ctx_.host->memoryEmpty(memory) ? kEmpty : ctx_.host->memoryLabel(memory);
}

void TLogoMemories::addEntry(const QString& text, int memory) { list_->addItem(text, memory); }

void TLogoMemories::fillStoreList(uint32_t m) {
  TKeyingHost* host = ctx_.host;
  const QSignalBlocker block(list_);
  list_->clear();
  const int model = host->modelIndex(value(Reg::DEV));
  const bool extraFrames = host->modelHasExtraFrames(model);
  if (m == 1) {
    for (int memory = 3; memory <= 10; ++memory) addEntry(memoryText(memory), memory);
  } else if (m == 2) {
    // Row 0 lists the six frames at positions 1 to 6.
    const bool embedded = value(Reg::EDSEB) != 0;
    const bool optimized = value(Reg::LQTY) == 1;
    int frames = 2;
    if (extraFrames) {
      if (!embedded || optimized) frames = 3;
      if (!embedded) frames = optimized ? 6 : 4;
    }
    for (int p = 1; p <= frames; ++p) {
      const int memory = host->memoryAt(0, p);
      if (isFrameMemory(uint32_t(memory))) addEntry(memoryText(memory), memory);
    }
  } else if (m == 3) {
    // The model's row: "ALL erase", the frames it has, the logos. A DEV
    // without a model reads the row of a model without frames 3 to 6.
    addEntry(kAllErase, 0);
    const int last = extraFrames ? 14 : 10;
    for (int p = 1; p <= last; ++p) {
      const int memory = host->memoryAt(model, p);
      // An entry that would read 0 would erase everything: left out.
      if (memory >= 1 && memory <= 14) addEntry(memoryText(memory), memory);
    }
  }
  list_->setCurrentIndex(-1);
  listMode_ = m;
}

void TLogoMemories::placeStoreList(uint32_t m) {
  // In the list's parent's coordinates, wherever the bar has been moved.
  QWidget* parent = list_->parentWidget();
  if (!parent || !bar_) return;
  const QPoint barTop = parent->mapFromGlobal(bar_->mapToGlobal(QPoint(0, 0)));
  if (m == 3) {
    const QPoint eraseLeft = parent->mapFromGlobal(erase_->mapToGlobal(QPoint(0, 0)));
    list_->move(eraseLeft.x(), barTop.y() + 6);
  } else {
    list_->move(293, barTop.y());
  }
}

int TLogoMemories::entryMemory(int entry, uint32_t m) const {
  if (int64_t(m) != listMode_) return -1;
  bool ok = false;
  const int memory = list_->itemData(entry).toInt(&ok);
  if (!ok) return -1;
  if (m == 1) return isLogoMemory(uint32_t(memory)) ? memory : -1;
  if (m == 2) return isFrameMemory(uint32_t(memory)) ? memory : -1;
  if (m == 3) return (entry == 0 && memory == 0) || (memory >= 1 && memory <= 14) ? memory : -1;
  return -1;
}

void TLogoMemories::startAction(int memory) {
  const zelvan::OutputRegs& r = zelvan::regs(output_);
  // The memory first: the start acts on the memory last set.
  ctx_.link->SendRegister(r.LCURRENT, uint32_t(memory));
  list_->hide();
  ctx_.link->SendRegister(r.LSTORE, 1);
}

// ----------------------------------------------------------------- device

void TLogoMemories::selectTab(int tab) {
  if (tabs_ && tab < tabs_->count()) tabs_->setCurrentIndex(tab);
}

void TLogoMemories::setEraseDown(bool down) {
  if (!erase_) return;
  const QSignalBlocker block(erase_);
  erase_->setChecked(down);
}

void TLogoMemories::closeLogoFramingWindows() {
  for (Framing which : {Framing::Logo1, Framing::Logo2}) {
    TLogoFramingWindow* w = ctx_.host->framingWindow(output_, which);
    if (w && w->isVisible()) w->close();
  }
}

void TLogoMemories::modeTabs() {
  // A QTabBar always has a current tab: in erase mode the tabs stay as
  // they are and the pressed Erase button shows the mode.
  switch (mode()) {
    case 1:
      selectTab(2);
      setEraseDown(false);
      break;
    case 2:
      selectTab(1);
      setEraseDown(false);
      closeLogoFramingWindows();
      break;
    case 3:
      setEraseDown(true);
      closeLogoFramingWindows();
      new_SpeedButton_store_MClick();
      break;
    default:
      selectTab(0);
      setEraseDown(false);
      break;
  }
}

void TLogoMemories::setStoreCaption(bool isStoring) {
  if (!store_) return;
  store_->setText(isStoring ? kStoring : kStore);
  const QSignalBlocker block(store_);
  store_->setChecked(isStoring);
}

void TLogoMemories::Zelvan_d1LSTOREMchange() {
  TStoreProgress* progress = ctx_.host->storeProgress();
  if (value(zelvan::regs(output_).LSTORE) != 0) {
    // A repeated report of a running store changes nothing.
    if (storing_) return;
    storing_ = true;
    elapsed_ = 0;
    Zelvan_d1LPIXELM_LLINEM_SIZ();
    setStoreCaption(true);
    if (progress) {
      progress->setPosition(0);
      progress->showProgress();
    }
    return;
  }
  setStoreCaption(false);
  // Only the end of a store this output saw start closes the window and
  // learns: the window may be showing the other output's store.
  if (!storing_) return;
  storing_ = false;
  if (progress && progress->isShowing()) progress->closeProgress();
  if (mode() == 4) ctx_.link->SendRegister(zelvan::regs(output_).LMODE, 0);
  learnTiming();
  ctx_.host->setStoreAborted(false);
}

void TLogoMemories::learnTiming() {
  const zelvan::OutputRegs& r = zelvan::regs(output_);
  const uint32_t m = mode();
  if (m != 1 && m != 2) return;
  const uint32_t pixels = value(r.LPIXELSIZ1);
  const uint32_t lines = value(r.LLINESIZ1);
  if (pixels == 0 || lines == 0 || value(r.LABORT) != 0) return;
  if (ctx_.host->storeAborted()) return;
  const bool embedded = value(Reg::EDSEB) != 0;
  // A Preview measurement is never a doubled one.
  if (output_ == 2 && (m == 2 || embedded)) return;
  const int64_t tempo = learnedTempo(elapsed_, pixels, lines);
  // A store too short to measure would write a Tempo of 0 or less.
  if (tempo <= 0) return;
  ctx_.host->saveTempo(tempo, embedded && m == 2);
}

void TLogoMemories::storeTick() {
  if (storing_) ++elapsed_;
}

int64_t TLogoMemories::calcul_temps() {
  const zelvan::OutputRegs& r = zelvan::regs(output_);
  const bool embeddedRecordFrame = value(Reg::EDSEB) != 0 && mode() == 2;
  return ctx_.host->storeEstimate(value(r.LPIXELSIZ1), value(r.LLINESIZ1), embeddedRecordFrame);
}

void TLogoMemories::Zelvan_d1LPIXELM_LLINEM_SIZ() {
  TStoreProgress* progress = ctx_.host->storeProgress();
  if (!progress) return;
  const bool embedded = value(Reg::EDSEB) != 0;
  const int64_t estimate = calcul_temps();
  progress->setMaximum(ctx_.host->progressMaximum(estimate, embedded && mode() == 2, embedded));
}

// ------------------------------------------------------------ status text

void TLogoMemories::setStatusTexts(const QString& mainText, const QString& matrixText, const QString& c0,
                                   const QString& c1, const QString& c2) {
  const bool shown = ctx_.host->statusBlink();
  if (ctx_.memoryShared) {
    if (QLabel* l = ctx_.memoryShared->StaticText1(1)) {
      l->setText(mainText);
      l->setVisible(shown);
    }
    if (QLabel* l = ctx_.memoryShared->StaticText1(2)) {
      l->setText(matrixText);
      l->setVisible(shown);
    }
  }
  QTableWidget* grid = ctx_.host->statusGrid(output_);
  zelvan::signal::setCell(grid, 13, 0, c0);
  zelvan::signal::setCell(grid, 13, 1, c1);
  zelvan::signal::setCell(grid, 13, 2, c2);
}

void TLogoMemories::clignotantLSTATUS() {
  const zelvan::OutputRegs& r = zelvan::regs(output_);
  const uint32_t status = value(r.LSTATUS);
  switch (status) {
    case 1:
      setStatusTexts(QStringLiteral("Frames\r\n\r\nLogos\r\n\r\nRecall"), QStringLiteral("Recalling"),
                     QStringLiteral("Recalling"), QStringLiteral(" Frame "), QStringLiteral(" Logo "));
      break;
    case 2:
      setStatusTexts(QStringLiteral("Frames\r\n\r\nLogos\r\n\r\nRecord"), QStringLiteral("Recording"),
                     QStringLiteral("Recording"), QStringLiteral(" Frame "), QStringLiteral(" Logo "));
      break;
    case 3: {
      QTableWidget* grid = ctx_.host->statusGrid(output_);
      const uint32_t format = value(r.OFMT);
      if (value(r.LOFMT1) != format) zelvan::signal::setCell(grid, 11, 2, QStringLiteral("<--"));
      if (value(r.LOFMT2) != format) zelvan::signal::setCell(grid, 12, 2, QStringLiteral("<--"));
      if (value(r.LSTYLE1) != 0)
        setStatusTexts(QStringLiteral("Logo format\r\n\r\nmismatch\r\n\r\noutput format"),
                       QStringLiteral("Logo format mismatch output format"), QStringLiteral("Logo format"),
                       QStringLiteral("mismatch"), QStringLiteral("output format"));
      else
        setStatusTexts(QStringLiteral("Frame format\r\n\r\nmismatch\r\n\r\noutput format"),
                       QStringLiteral("Frame format mismatch output format"), QStringLiteral("Frame format"),
                       QStringLiteral("mismatch"), QStringLiteral("output format"));
      break;
    }
    case 4:
      setStatusTexts(QStringLiteral("Logo\r\n\r\nis\r\n\r\nerasing"), QStringLiteral("Logo is erasing"),
                     QStringLiteral("Logo"), QStringLiteral(" is "), QStringLiteral("erasing"));
      break;
    case 5:
      setStatusTexts(QStringLiteral("Flash Error "), QStringLiteral("Flash Error "), QStringLiteral("Flash Error"),
                     QStringLiteral(" "), QStringLiteral(" "));
      break;
    default: {
      // The text is shared: the other output may still be showing a status.
      if (value(Reg::LSTATUSM) == value(Reg::LSTATUSP) && ctx_.memoryShared) {
        for (int o : {1, 2})
          if (QLabel* l = ctx_.memoryShared->StaticText1(o)) l->hide();
      }
      QTableWidget* grid = ctx_.host->statusGrid(output_);
      for (int c = 0; c < 3; ++c) zelvan::signal::setCell(grid, 13, c, QString());
      break;
    }
  }
}

void TLogoMemories::Zelvan_d1LSTATUSMchange() {
  clignotantLSTATUS();
  refreshComboRule();
}

// ------------------------------------------------------- assignment combos

void TLogoMemories::setCombos(bool enabled) {
  for (int kind = 0; kind < 3; ++kind)
    for (int n = 1; n <= 8; ++n)
      if (TSmallCombo* c = ctx_.host->memoryCombo(output_, kind, n)) c->setEnabled(enabled);
}

void TLogoMemories::Combologo_enabled() {
  const zelvan::OutputRegs& r = zelvan::regs(output_);
  if (value(r.LSTATUS) == 1 || value(r.LMODE) != 0) return;
  // In Mixer mode both outputs must be in use mode for the Main lists.
  if (output_ == 1 && value(Reg::MTRXMOD) == 0 && value(Reg::LMODEP) != 0) return;
  setCombos(true);
}

void TLogoMemories::Combologo_disabled() { setCombos(false); }

void TLogoMemories::refreshComboRule() {
  Combologo_disabled();
  if (mode() == 0) Combologo_enabled();
}

}  // namespace zelvan::keying
