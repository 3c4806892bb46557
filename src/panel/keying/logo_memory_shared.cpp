#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QLabel>
#include <QPalette>
#include <QMenu>
#include <array>

#include "app/report_router.h"
#include "device/zelvan_d.h"
#include "panel/keying/logo_memories.h"
#include "panel/signal/signal_common.h"
#include "widgets/tsmallcombo.h"
#include "widgets/uidialogs.h"

namespace zelvan::keying {

namespace {

const QString kEmpty = QStringLiteral("Empty");

// A memory name as a caption of a menu item or a button: an ampersand in
// the name is shown, not taken for a hot key.
QString caption(const QString& text) {
  QString c = text;
  c.replace(QLatin1Char('&'), QStringLiteral("&&"));
  return c;
}

// The Input Sync-Loss item of frame k (1..6): FRAMEALERT 1, 2, 12..15.
int syncLossTag(int k) { return k <= 2 ? k : k + 9; }

}  // namespace

TLogoMemoryShared::TLogoMemoryShared(TKeyingContext& ctx, QObject* parent) : QObject(parent), ctx_(ctx) {}

void TLogoMemoryShared::build() {
  QWidget* mainWindow = ctx_.host->window(1);
  quality_ = new QMenu(mainWindow);
  quality_->setObjectName(QStringLiteral("PopupMenu_Frame_Quality"));
  auto* group = new QActionGroup(quality_);
  group->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
  struct Item {
    const char* name;
    const char* text;
    int tag;
    QAction** slot;
  };
  for (const Item& it : {Item{"MenuItem_LQTY_0_native", "Native      (4 Frames)", 0, &native_},
                         Item{"MenuItem_LQTY_1_optimized", "Optimized (6 Frames)", 1, &optimized_}}) {
    QAction* a = quality_->addAction(QString::fromLatin1(it.text));
    a->setObjectName(QString::fromLatin1(it.name));
    a->setCheckable(true);
    a->setData(it.tag);
    group->addAction(a);
    const int tag = it.tag;
    connect(a, &QAction::triggered, this, [this, tag] {
      // The check follows the device's LQTY, not the click.
      showQuality();
      MenuItem_LQTYClick(tag);
    });
    *it.slot = a;
  }

  // The Main status text stands over the row captions of the input strip
  // (":Frames", ":Logos", ":Display"), which it replaces while it shows.
  QWidget* strip = ctx_.host->inputStrip(1);
  statusMain_ = new QLabel(strip ? strip : mainWindow);
  statusMain_->setObjectName(QStringLiteral("StaticText1"));
  if (QWidget* captions = strip ? strip->findChild<QWidget*>(QStringLiteral("new_Label_nmbr_logos")) : nullptr)
    statusMain_->setGeometry(captions->geometry());
  else
    statusMain_->setGeometry(8, 8, 140, 96);
  statusMain_->setAutoFillBackground(true);
  zelvan::signal::setCaption(statusMain_, Qt::red, true);
  // The strip is disabled while a record mode runs, which is when the text
  // matters most: it stays red then.
  QPalette red = statusMain_->palette();
  red.setColor(QPalette::Disabled, QPalette::WindowText, Qt::red);
  statusMain_->setPalette(red);
  statusMain_->hide();
  if (QWidget* matrixWindow = ctx_.host->window(2)) {
    statusMatrix_ = new QLabel(matrixWindow);
    statusMatrix_->setObjectName(QStringLiteral("StaticText1"));
    statusMatrix_->setGeometry(8, 8, 260, 20);
    statusMatrix_->hide();
  }
}

void TLogoMemoryShared::addRoutes(zelvan::app::TReportRouter& router) {
  using zelvan::app::RoutePos;
  router.add(Reg::LEMPTY, RoutePos::Keying, QStringLiteral("TLogoMemoryShared::Zelvan_d1LEMPTYchange"),
             [this] { Zelvan_d1LEMPTYchange(); });
  router.add(Reg::LQTY, RoutePos::Keying, QStringLiteral("TLogoMemoryShared::Zelvan_d1LQTYchange"),
             [this] { Zelvan_d1LQTYchange(); });
  router.add(Reg::FRAMEALERT, RoutePos::Keying, QStringLiteral("TLogoMemoryShared::Zelvan_d1FRAMEALERTchange"),
             [this] { Zelvan_d1FRAMEALERTchange(); });
}

QLabel* TLogoMemoryShared::StaticText1(int output) const { return output == 1 ? statusMain_ : statusMatrix_; }

// --------------------------------------------------------- empty memories

bool TLogoMemoryShared::LEMPTY_de_champs_de_bits(int n) const {
  if (n < 1 || n > 14) return false;
  const uint32_t mask = 1u << (n - 1);
  return (ctx_.link->LEMPTY() & mask) == mask;
}

void TLogoMemoryShared::Zelvan_d1LEMPTYchange() {
  for (int n = 1; n <= 14; ++n) ctx_.host->setMemoryEmpty(n, LEMPTY_de_champs_de_bits(n));
  rewriteMemoryTexts();
}

void TLogoMemoryShared::rewriteMemoryTexts() {
  TKeyingHost* host = ctx_.host;
  auto text = [host](int memory) { return host->memoryEmpty(memory) ? kEmpty : host->memoryLabel(memory); };

  // Rewriting an item may lose a list's choice: every choice is put back.
  std::array<int, 48> chosen{};
  for (int o = 1; o <= 2; ++o)
    for (int kind = 0; kind < 3; ++kind)
      for (int n = 1; n <= 8; ++n) {
        const TSmallCombo* c = host->memoryCombo(o, kind, n);
        chosen[size_t((o - 1) * 24 + kind * 8 + n - 1)] = c ? c->ItemIndex() : -1;
      }

  // 1. Frames: sync-loss item, effect background, transitions, frame lists.
  for (int k = 1; k <= 6; ++k) {
    const int memory = frameMemory(k);
    const bool empty = host->memoryEmpty(memory);
    const QString t = text(memory);
    if (QAction* a = host->syncLossItem(syncLossTag(k))) a->setText(caption(t));
    if (QAbstractButton* b = host->effectFrameButton(k)) b->setText(caption(t));
    const QString fade = empty ? QStringLiteral("Fade Frame %1 (Empty)").arg(k)
                               : QStringLiteral("Fade Frame %1 (").arg(k) + host->memoryLabel(memory) + QLatin1Char(')');
    for (QAbstractButton* b : host->transitionFrameButtons(k))
      if (b) b->setText(caption(fade));
    for (int o = 1; o <= 2; ++o)
      for (int n = 1; n <= 8; ++n)
        if (TSmallCombo* c = host->memoryCombo(o, 0, n)) c->SetItemText(k, t);
  }

  // 2. Logos: both logo lists of every input.
  for (int memory = 3; memory <= 10; ++memory) {
    const QString t = text(memory);
    for (int o = 1; o <= 2; ++o)
      for (int kind = 1; kind <= 2; ++kind)
        for (int n = 1; n <= 8; ++n)
          if (TSmallCombo* c = host->memoryCombo(o, kind, n)) c->SetItemText(memory - 2, t);
  }
  // The store lists: an entry filled by STORE knows its memory; entries
  // without one are the logo list of start-up (position n - 3 is memory n).
  for (TLogoMemories* m : ctx_.memories) {
    QComboBox* list = m ? m->storeList() : nullptr;
    if (!list) continue;
    for (int p = 0; p < list->count(); ++p) {
      bool known = false;
      int memory = list->itemData(p).toInt(&known);
      if (!known) memory = p + 3 <= 10 ? p + 3 : -1;
      if (memory >= 1 && memory <= 14) list->setItemText(p, text(memory));
    }
  }

  // 3. The choices back, then the input buttons' hints.
  for (int o = 1; o <= 2; ++o)
    for (int kind = 0; kind < 3; ++kind)
      for (int n = 1; n <= 8; ++n)
        if (TSmallCombo* c = host->memoryCombo(o, kind, n)) c->SetItemIndex(chosen[size_t((o - 1) * 24 + kind * 8 + n - 1)]);
  host->refreshInputHints();
}

// ----------------------------------------------------------- frame quality

void TLogoMemoryShared::showQuality() {
  if (!native_ || !optimized_) return;
  const uint32_t q = ctx_.link->LQTY();
  native_->setChecked(qualityReported_ && q == 0);
  optimized_->setChecked(qualityReported_ && q == 1);
}

void TLogoMemoryShared::popupFrameQuality(const QPoint& globalPos) {
  if (quality_) quality_->popup(globalPos);
}

void TLogoMemoryShared::MenuItem_LQTYClick(int tag) {
  if (tag != 0 && tag != 1) return;
  if (zelvan::ui::dialogs().confirm(ctx_.host->window(1), QStringLiteral("Confirmation"),
                                    QStringLiteral("Frame & logos will be erased continue ?")))
    ctx_.link->setLQTY(uint32_t(tag));
  // The tab controls go back to the current modes.
  if (ctx_.rerunModeHandler) {
    ctx_.rerunModeHandler(1);
    ctx_.rerunModeHandler(2);
  }
}

void TLogoMemoryShared::Zelvan_d1LQTYchange() {
  qualityReported_ = true;
  showQuality();
  // The number of frames offered depends on the quality.
  ctx_.host->forceModelLayout();
}

// --------------------------------------------------------- sync-loss frame

void TLogoMemoryShared::Zelvan_d1FRAMEALERTchange() {
  const uint32_t v = ctx_.link->FRAMEALERT();
  if (v > 15) return;
  for (int tag = 0; tag <= 15; ++tag)
    if (tag != int(v))
      if (QAction* a = ctx_.host->syncLossItem(tag)) a->setChecked(false);
  if (QAction* a = ctx_.host->syncLossItem(int(v))) a->setChecked(true);
}

}  // namespace zelvan::keying
