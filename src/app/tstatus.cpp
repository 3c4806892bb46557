#include "app/tstatus.h"

#include <QCloseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "device/zelvan_d.h"

Tstatus::Tstatus(TZelvan_d* link, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      link_(link) {
  setObjectName(QStringLiteral("Tstatus"));
  setWindowTitle(QStringLiteral("Please Wait ....."));
  setCursor(Qt::WaitCursor);
  setFixedSize(516, 88);

  Gauge_store = new QProgressBar(this);
  Gauge_store->setObjectName(QStringLiteral("Gauge_store"));
  Gauge_store->setGeometry(8, 8, 500, 33);
  Gauge_store->setTextVisible(true);

  BitBtn1 = new QPushButton(QStringLiteral("Abort"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setGeometry(221, 50, 75, 28);
  BitBtn1->setCursor(Qt::ArrowCursor);
  connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });

  runOut_ = new QTimer(this);
  runOut_->setObjectName(QStringLiteral("Timer_runout"));
  runOut_->setInterval(1);
  connect(runOut_, &QTimer::timeout, this, &Tstatus::runOutTick);
  updateBar();
}

void Tstatus::setMaxValue(int64_t m) {
  max_ = m;
  updateBar();
}

void Tstatus::setProgress(int64_t p) {
  progress_ = p;
  updateBar();
}

int64_t Tstatus::percent() const {
  if (max_ <= 0) return 100;
  return progress_ * 100 / max_;
}

void Tstatus::updateBar() {
  // The bar works in per-mille of the store so that any maximum fits its int range.
  Gauge_store->setRange(0, 1000);
  int64_t v = max_ <= 0 ? 1000 : progress_ * 1000 / max_;
  if (v < 0) v = 0;
  if (v > 1000) v = 1000;
  Gauge_store->setValue(static_cast<int>(v));
  Gauge_store->setFormat(QStringLiteral("%1 %").arg(v / 10));
}

bool Tstatus::runOutActive() const { return runOut_->isActive(); }
void Tstatus::setRunOutInterval(int ms) { runOut_->setInterval(ms < 1 ? 1 : ms); }

void Tstatus::BitBtn1Click() {
  if (link_) {
    if (link_->LSTOREP())
      link_->setLABORTP(true);
    else
      link_->setLABORTM(true);
  }
  if (setStoreAborted) setStoreAborted();
}

void Tstatus::runOutTick() {
  if (percent() >= 100) {
    runOut_->stop();
    closingFromRunOut_ = true;
    close();
    closingFromRunOut_ = false;
    return;
  }
  addProgress(2);
}

void Tstatus::showEvent(QShowEvent* e) {
  if (anchor_) move(anchor_->x() + 252, anchor_->y() + 413);
  QWidget::showEvent(e);
}

void Tstatus::closeEvent(QCloseEvent* e) {
  const bool aborted = isStoreAborted && isStoreAborted();
  if (closingFromRunOut_ || percent() >= 100 || aborted) {
    runOut_->stop();
    e->accept();
    return;
  }
  e->ignore();
  if (!runOut_->isActive()) runOut_->start();
}
