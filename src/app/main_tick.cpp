#include "app/main_tick.h"

#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QTimer>

#include "app/frame_indicators.h"
#include "app/model_table.h"
#include "app/tstatus.h"
#include "app/tzelvan_main.h"
#include "device/zelvan_d.h"
#include "tools/tabout_graphic_install.h"

namespace zelvan::app {

TMainTick::TMainTick(TZelvan_main& shell) : QObject(&shell), shell_(shell) {
  timer_ = new QTimer(&shell);
  timer_->setObjectName(QStringLiteral("Timer1"));
  timer_->setInterval(1000);
  connect(timer_, &QTimer::timeout, this, [this] { Timer1Timer(); });
  addShellSteps();
}

void TMainTick::Timer1Timer() { schedule_.run(); }

void TMainTick::addShellSteps() {
  // 1. No device identified: the link counts as busy, the About picture
  //    cycles 5..8 and the not-connected text blinks.
  schedule_.add(TickStep::NoDevice, QStringLiteral("shell: no device"), [this] {
    TZelvan_d* d = shell_.link();
    if (isKnownModel(d->DEV())) return;
    d->setRS232busy(true);
    if (auto* about = shell_.windows().about) about->SetPicture(AboutPictureCursor);
    AboutPictureCursor = AboutPictureCursor >= 8 ? 5 : AboutPictureCursor + 1;
    shell_.connectionIndication().blink();
  });
  // 3. Store progress, once per output storing.
  schedule_.add(TickStep::StoreProgress, QStringLiteral("shell: store progress"), [this] {
    TZelvan_d* d = shell_.link();
    for (bool storing : {d->LSTOREM(), d->LSTOREP()}) {
      if (!storing) continue;
      if (auto* status = shell_.windows().status) status->addProgress(1);
      ++StoreElapsedSeconds;
    }
  });
  // 4. The logo status blinkers follow this flag (their own steps come after).
  schedule_.add(TickStep::LogoStatus, QStringLiteral("shell: status blink"), [this] { StatusBlink = !StatusBlink; });
  // 10. No-signal texts.
  schedule_.add(TickStep::NoSignal, QStringLiteral("shell: no-signal texts"), [this] {
    if (NoSignalCountdown <= 0) return;
    if (NoSignalCountdown == 1) {
      for (const char* name : {"Label_no_signal_Main", "Label_no_signal_Preview"})
        if (auto* l = shell_.findControl<QWidget>(QLatin1String(name))) l->hide();
    }
    --NoSignalCountdown;
  });
  // 11. Update notice.
  schedule_.add(TickStep::UpdateNotice, QStringLiteral("shell: update notice"), [this] { shell_.updateNotice().tick(); });
}

}  // namespace zelvan::app
