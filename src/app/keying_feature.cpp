#include "app/keying_feature.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFrame>
#include <QMenu>

#include "app/app_info.h"
#include "app/effects_feature.h"
#include "app/main_menus.h"
#include "app/main_tick.h"
#include "app/memory_lists.h"
#include "app/model_layout.h"
#include "app/model_table.h"
#include "app/pending_windows.h"
#include "app/settings_files.h"
#include "app/signal_feature.h"
#include "app/tstatus.h"
#include "app/tzelvan_main.h"
#include "panel/keying/framing_window.h"
#include "panel/keying/keying_panels.h"
#include "panel/signal/input_row.h"
#include "panel/signal/signal_context.h"
#include "panel/signal/signal_panels.h"

namespace zelvan::app {

using zelvan::keying::Framing;
using zelvan::keying::TKeyingPanels;
using zelvan::keying::TLogoFramingWindow;

// The store progress window as the store cycle drives it.
class TKeyingFeature::Progress : public zelvan::keying::TStoreProgress {
 public:
  explicit Progress(TZelvan_main& shell) : shell_(shell) {}
  void setMaximum(int64_t max) override {
    if (Tstatus* s = status()) s->setMaxValue(max);
  }
  void setPosition(int64_t position) override {
    if (Tstatus* s = status()) s->setProgress(position);
  }
  void showProgress() override {
    if (Tstatus* s = status()) s->show();
  }
  void closeProgress() override {
    if (Tstatus* s = status()) s->close();
  }
  bool isShowing() const override {
    Tstatus* s = status();
    return s && s->isVisible();
  }

 private:
  Tstatus* status() const { return shell_.windows().status; }
  TZelvan_main& shell_;
};

TKeyingFeature::TKeyingFeature() = default;
TKeyingFeature::~TKeyingFeature() = default;

void TKeyingFeature::build(TZelvan_main& shell) {
  shell_ = &shell;
  progress_ = std::make_unique<Progress>(shell);
  panels_ = new TKeyingPanels(*shell.link(), *this, &shell);
  panels_->setObjectName(QStringLiteral("KeyingPanels"));
  panels_->build();
  // The signal panels call the keying through their peer.
  if (auto* signal = shell.feature<TSignalFeature>())
    if (signal->panels()) signal->panels()->context().peers.keying = panels_;
}

void TKeyingFeature::addRoutes(TReportRouter& router) { panels_->addRoutes(router); }
void TKeyingFeature::addTickSteps(TTickSchedule& tick) { panels_->addTickSteps(tick); }
void TKeyingFeature::startUp() { panels_->startUp(); }
void TKeyingFeature::labelsChanged() { panels_->labelsChanged(); }
void TKeyingFeature::memoryLabelChanged(int) { panels_->labelsChanged(); }
void TKeyingFeature::modelLayoutApplied(int, bool) { panels_->refreshComboEnabling(); }
void TKeyingFeature::modeChanged(OperatingMode) { panels_->refreshComboEnabling(); }
void TKeyingFeature::pageChanged(QWidget*) { panels_->logoTabsReset(); }

// ---- TKeyingHost ----

int TKeyingFeature::modelIndex(uint32_t dev) const { return modelIndexOf(dev); }

int TKeyingFeature::memoryAt(int model, int position) const {
  if (model < 0) {
    // No model identified: the list of a model without frames 3 to 6.
    for (int i = 0; i < kModelCount; ++i)
      if (!modelHasFrames3to6(i)) return comboToMemoryIndex(i, position);
    return position >= 0 && position <= 10 ? position : 0;
  }
  return comboToMemoryIndex(model, position);
}

bool TKeyingFeature::modelHasExtraFrames(int model) const { return model >= 0 && modelHasFrames3to6(model); }

QString TKeyingFeature::memoryLabel(int i) const { return shell_->state().memoryLabel(i); }
bool TKeyingFeature::memoryEmpty(int i) const { return shell_->state().memoryEmpty(i); }
void TKeyingFeature::setMemoryEmpty(int i, bool empty) { shell_->state().setMemoryEmpty(i, empty); }

TSmallCombo* TKeyingFeature::memoryCombo(int output, int kind, int input) const {
  if (output == 1) return shell_->memoryLists().list(kind, input);
  TMatrix_Zelvan_main* matrix = shell_->windows().matrix;
  return matrix ? matrix->memoryCombo(kind, input) : nullptr;
}

QList<QAbstractButton*> TKeyingFeature::transitionFrameButtons(int k) const {
  QList<QAbstractButton*> out;
  if (k < 1 || k > 6) return out;
  const QString main = QStringLiteral("RadioButton_TranstionFrame%1_M").arg(k);
  if (auto* b = shell_->findControl<QAbstractButton>(main)) out.append(b);
  if (TForm_Settings_Matrix* settings = shell_->windows().settings)
    if (QAbstractButton* b = settings->transitionFrameButton(k)) out.append(b);
  return out;
}

QAbstractButton* TKeyingFeature::effectFrameButton(int k) const {
  auto* effects = shell_->feature<TEffectsFeature>();
  return effects ? effects->frameButton(k) : nullptr;
}

QAction* TKeyingFeature::syncLossItem(int tag) const {
  for (QAction* a : shell_->menus()->Input_Sync_Loss->actions())
    if (a->data().toInt() == tag) return a;
  return nullptr;
}

void TKeyingFeature::refreshInputHints() {
  if (auto* signal = shell_->feature<TSignalFeature>())
    if (signal->panels()) signal->panels()->inputRow()->hinthinthint_ichm();
}

void TKeyingFeature::forceModelLayout() { shell_->modelLayout().forceModelLayout(false); }

QWidget* TKeyingFeature::logoPage(int output) const {
  return shell_->page(output == 1 ? QStringLiteral("new_logos_Main") : QStringLiteral("new_logos_preview"));
}

QWidget* TKeyingFeature::inputStrip(int output) const {
  if (output == 1) return shell_->Panel_ichmp()->findChild<QFrame*>(QStringLiteral("new_Panel1"));
  TMatrix_Zelvan_main* matrix = shell_->windows().matrix;
  return matrix ? matrix->findChild<QFrame*>(QStringLiteral("new_Panel2")) : nullptr;
}

QTableWidget* TKeyingFeature::statusGrid(int output) const {
  if (output == 1) return shell_->StringGrid1();
  auto* signal = shell_->feature<TSignalFeature>();
  return signal && signal->panels() ? signal->panels()->context().grid(2) : nullptr;
}

QWidget* TKeyingFeature::window(int output) const {
  if (output == 1) return shell_;
  return shell_->windows().matrix;
}

TLogoFramingWindow* TKeyingFeature::framingWindow(int output, Framing which) const {
  const TZelvan_main::Windows& w = shell_->windows();
  QWidget* win = nullptr;
  switch (which) {
    case Framing::Capture:
      win = output == 1 ? w.cadreMemoMain : w.cadreMemoPreview;
      break;
    case Framing::Logo1:
      win = output == 1 ? w.cadre1M : w.cadre1P;
      break;
    case Framing::Logo2:
      win = output == 1 ? w.cadre2M : w.cadre2P;
      break;
  }
  return qobject_cast<TLogoFramingWindow*>(win);
}

zelvan::keying::TStoreProgress* TKeyingFeature::storeProgress() { return progress_.get(); }
bool TKeyingFeature::storeAborted() const { return shell_->state().StoreAborted; }
void TKeyingFeature::setStoreAborted(bool aborted) { shell_->state().StoreAborted = aborted; }
bool TKeyingFeature::statusBlink() const { return shell_->tick().StatusBlink; }

int64_t TKeyingFeature::storeEstimate(uint32_t pixels, uint32_t lines, bool embeddedRecordFrame) {
  // The timing file of the application's directory, written anew when it is missing.
  return logo_settings::estimateSeconds(logo_settings::readOrCreate(logoSettingsDir(), embeddedRecordFrame), pixels, lines);
}

int64_t TKeyingFeature::progressMaximum(int64_t estimate, bool embeddedRecordFrame, bool embeddedOn) {
  return logo_settings::progressMaximum(estimate, embeddedRecordFrame, embeddedOn,
                                        logo_settings::doublerFlag(logoSettingsDir()));
}

void TKeyingFeature::saveTempo(int64_t tempo, bool embeddedRecordFrame) {
  if (tempo <= 0) return;
  logo_settings::saveLearned(logoSettingsDir(), logoSettingsDir(), tempo, embeddedRecordFrame);
}

}  // namespace zelvan::app
