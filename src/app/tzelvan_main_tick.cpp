// The one-second tick Timer1: everything that blinks or counts down in the
// user interface, in a fixed order.
#include <QAbstractButton>
#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

#include "app/model_table.h"
#include "app/tstatus.h"
#include "app/tzelvan_main.h"
#include "device/zelvan_d.h"
#include "panel/signal/signal_panels.h"
#include "tools/tabout_graphic_install.h"

using namespace zelvan::app;

namespace {
// The screen rectangle of a widget, its far edges included.
QRect screenRect(const QWidget* w) {
  const QPoint topLeft = w->mapToGlobal(QPoint(0, 0));
  return QRect(topLeft, QSize(w->width() + 1, w->height() + 1));
}
}  // namespace

void TZelvan_main::Timer1Timer() {
  TZelvan_d* d = Zelvan_d1;

  // 1. No device identified: the link counts as busy, the About picture
  //    cycles 5..8 and the not-connected text blinks.
  if (!isKnownModel(d->DEV())) {
    d->setRS232busy(true);
    if (wins_.about) wins_.about->SetPicture(AboutPictureCursor);
    AboutPictureCursor = AboutPictureCursor >= 8 ? 5 : AboutPictureCursor + 1;
    QFont f = connection->font();
    f.setBold(!f.bold());
    connection->setFont(f);
  }

  // 2. Freeze buttons.
  Signal->tickFreeze();

  // 3. Store progress, once per output storing.
  for (bool storing : {d->LSTOREM(), d->LSTOREP()}) {
    if (!storing) continue;
    if (wins_.status) wins_.status->addProgress(1);
    ++StoreElapsedSeconds;
  }

  // 4. Logo status blinkers.
  StatusBlink = !StatusBlink;
  if (hooks.blinkLogoStatusMain) hooks.blinkLogoStatusMain();
  if (hooks.blinkLogoStatusPreview) hooks.blinkLogoStatusPreview();

  // 5-7. Matrix output rows, the last pending Main input, the input buttons.
  Signal->tickInputs();

  // 8. TAKE while an effect runs.
  Signal->tickTake();

  // 9. PIP switch buttons during a PIP take.
  Signal->tickPipSwitches();

  // 10. No-signal texts.
  if (NoSignalCountdown > 0) {
    if (NoSignalCountdown == 1) {
      for (const char* name : {"Label_no_signal_Main", "Label_no_signal_Preview"})
        if (auto* l = findControl<QWidget>(QLatin1String(name))) l->hide();
    }
    --NoSignalCountdown;
  }

  // 11. Update notice.
  if (!Panel_updater->isHidden()) {
    --UpdateNoticeCountdown;
    if (UpdateNoticeCountdown <= 0) {
      UpdateNoticeCountdown = 30;
      Panel_updater->hide();
    }
  }

  // 12. Effect animation requests.
  if (hooks.effectAnimationRequested && hooks.effectAnimationRequested() && hooks.effectAnimationStep)
    hooks.effectAnimationStep();

  // 13. Embedded soft-edge TAKE.
  if (d->EDSEB() && hooks.blinkEmbeddedTake) hooks.blinkEmbeddedTake(d->TAKE() && d->TAKEEVA());

  // 14. The Main logo transparency slider stays while the pointer is over it
  //     or over the transparency picture of its channel.
  if (auto* slider = findControl<QWidget>(QStringLiteral("LMDScrollBar_Transparence_lptransM")); slider && !slider->isHidden()) {
    const QPoint pos = cursorPosition ? cursorPosition() : QPoint();
    bool keep = screenRect(slider).contains(pos);
    const int tag = slider->property("Tag").toInt();
    if (auto* picture = findControl<QWidget>(QStringLiteral("Image_Transparence_logoM_pchan%1").arg(tag)))
      keep = keep || screenRect(picture).contains(pos);
    if (!keep) slider->hide();
  }
}

void TZelvan_main::Button_ok_updaterClick() { UpdateNoticeCountdown = 0; }
