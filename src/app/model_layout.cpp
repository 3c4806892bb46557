// The model layout: the smallest layout first, then what the model's row
// of the model table adds, the titles, and the frames 3 to 6 the model has.
#include "app/model_layout.h"

#include "app/effects_feature.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>

#include "app/main_menus.h"
#include "app/memory_lists.h"
#include "app/pending_windows.h"
#include "app/signal_feature.h"
#include "app/tzelvan_main.h"
#include "device/zelvan_d.h"
#include "tools/tabout_graphic_install.h"
#include "tools/trs232landlg.h"
#include "widgets/tsmallcombo.h"

namespace zelvan::app {

namespace {
void setTabs(QTabBar* bar, const QStringList& tabs) {
  if (!bar) return;
  while (bar->count() > tabs.size()) bar->removeTab(bar->count() - 1);
  for (int i = 0; i < tabs.size(); ++i) {
    if (i < bar->count())
      bar->setTabText(i, tabs[i]);
    else
      bar->addTab(tabs[i]);
  }
}
}  // namespace

QList<QWidget*> TModelLayout::frameButtons(int k) const {
  QList<QWidget*> out;
  if (auto* effects = shell_.feature<TEffectsFeature>())
    if (QWidget* w = effects->frameButton(k)) out.append(w);
  if (auto* signal = shell_.feature<TSignalFeature>())
    if (QWidget* w = signal->transitionFrameButton(k)) out.append(w);
  if (TForm_Settings_Matrix* settings = shell_.windows().settings)
    if (QWidget* w = settings->transitionFrameButton(k)) out.append(w);
  return out;
}

QList<QAction*> TModelLayout::secondSdiItems() const {
  auto* signal = shell_.feature<TSignalFeature>();
  return signal ? signal->secondSdiItems() : QList<QAction*>();
}

void TModelLayout::visible_or_not_visible(uint32_t dev) {
  if (dev == LastAppliedModel) return;
  TMainMenus* m = shell_.menus();

  // 1. The smallest layout.
  m->EmbeddedSE->setEnabled(false);
  for (TSmallCombo* c : shell_.memoryLists().allFrameCombos())
    for (int k = 3; k <= 6; ++k) c->SetItemVisible(k, false);
  for (int k = 3; k <= 6; ++k) {
    QAction* frame = m->Frame[size_t(k - 1)];
    frame->setEnabled(false);
    frame->setText(QStringLiteral(" "));
    m->FadeFrame_Output1[size_t(k - 1)]->setVisible(false);
    m->FadeFrame_output2[size_t(k - 1)]->setVisible(false);
    m->Frame_Alert_Frame[size_t(k - 1)]->setVisible(false);
    for (QWidget* w : frameButtons(k)) w->setVisible(false);
  }
  if (auto* w = shell_.findControl<QWidget>(QStringLiteral("Panel_unvisible_frame_effect_pour_edseb")))
    w->resize(w->width(), 57);
  if (shell_.windows().about) shell_.windows().about->SetLinesACVisible(false);
  for (QAction* a : secondSdiItems()) a->setVisible(false);
  const QStringList threeTabs = {QStringLiteral("        Use        "), QStringLiteral("        Record frame        "),
                                 QStringLiteral("        Record logo        ")};
  for (const char* name : {"TabControl_logo_M", "TabControl_logo_P"}) setTabs(shell_.findControl<QTabBar>(QLatin1String(name)), threeTabs);
  m->Mixer1->setVisible(true);
  m->Matrix1->setVisible(true);
  m->EmbeddedSE->setVisible(true);

  // 2. and 3. The model row and its frames.
  const int index = modelIndexOf(dev);
  if (index > 0) {
    applyModelRow(index);
    unlockFrames(index);
  }

  // 4. Titles.
  shell_.setWindowTitles(shell_.connectionPart());

  // 5. Remember the frame combos' visible positions, then the soft-edge handler.
  const QList<TSmallCombo*> combos = shell_.memoryLists().allFrameCombos();
  for (int i = 0; i < combos.size() && i < 16; ++i)
    for (int p = 0; p < kMemoryPositions; ++p) SavedFrameComboVisible[size_t(i)][size_t(p)] = combos[i]->GetItemVisible(p);
  shell_.forEachFeature([](TFeature& f) { f.modelLayoutDone(); });

  // 6.
  LastAppliedModel = dev;
}

void TModelLayout::forceModelLayout(bool skipSelectableMemoriesOnce) {
  const uint32_t saved = LastAppliedModel;
  LastAppliedModel = 0;
  if (skipSelectableMemoriesOnce) SkipSelectableMemoriesOnce = true;
  visible_or_not_visible(saved);
}

void TModelLayout::applyModelRow(int index) {
  const ModelRow& row = modelRow(index);
  const QString name = QString::fromLatin1(row.name);
  TMainMenus* m = shell_.menus();
  if (shell_.windows().about) {
    shell_.windows().about->SetModel(row.aboutPicture, name);
    shell_.windows().about->SetVersionLineOrder(int(row.dev));
    shell_.windows().about->SetLinesACVisible(row.aboutLinesAC);
  }
  m->OkrimLANStatus1->setText(name + QStringLiteral(" LAN Setup"));
  m->AboutOkrimLOGO->setText(QStringLiteral("About ") + name + QStringLiteral("..."));
  shell_.BitBtn_initial_please()->setText(QStringLiteral("Connecting to ") + name);
  if (shell_.windows().lanDialog) shell_.windows().lanDialog->setWindowTitle(QString::fromLatin1(row.lanCaption));
  const bool refreshMemories = !SkipSelectableMemoriesOnce;
  SkipSelectableMemoriesOnce = false;
  shell_.forEachFeature([index, refreshMemories](TFeature& f) { f.modelLayoutApplied(index, refreshMemories); });
  shell_.state().TitlePrefixes[0] = mixerPrefixFor(index);
  shell_.state().TitlePrefixes[1] = matrixPrefixFor(index);
  auto show = [](MenuShow s, auto apply) {
    if (s != MenuShow::Unchanged) apply(s == MenuShow::Shown);
  };
  show(row.modeMenu, [m](bool v) { m->Mode1->menuAction()->setVisible(v); });
  show(row.mixerItem, [m](bool v) { m->Mixer1->setVisible(v); });
  show(row.matrixItem, [m](bool v) { m->Matrix1->setVisible(v); });
  show(row.embeddedItem, [m](bool v) { m->EmbeddedSE->setVisible(v); });
  m->EmbeddedSE->setEnabled(row.embeddedEnabled);
}

void TModelLayout::unlockFrames(int index) {
  // In embedded soft-edge mode the frames 3 to 6 are offered only with the
  // optimized frame quality.
  const bool enabled = !shell_.link()->EDSEB() || shell_.link()->LQTY() == 1;
  const QList<TSmallCombo*> combos = shell_.memoryLists().allFrameCombos();
  TMainMenus* m = shell_.menus();
  bool any = false;
  for (int k = 3; k <= 6; ++k) {
    if (!modelUnlocksFrame(index, k)) continue;
    any = true;
    for (TSmallCombo* c : combos) {
      c->SetItemVisible(k, true);
      c->SetItemEnabled(k, enabled);
    }
    QAction* frame = m->Frame[size_t(k - 1)];
    frame->setEnabled(true);
    frame->setText(QStringLiteral("Frame %1").arg(k));
    for (QAction* a : {m->FadeFrame_Output1[size_t(k - 1)], m->FadeFrame_output2[size_t(k - 1)],
                       m->Frame_Alert_Frame[size_t(k - 1)]}) {
      a->setVisible(true);
      a->setEnabled(enabled);
    }
    for (QWidget* w : frameButtons(k)) {
      w->setVisible(true);
      w->setEnabled(enabled);
    }
  }
  if (!any) return;
  if (shell_.windows().about) shell_.windows().about->SetLinesACVisible(true);
  for (QAction* a : secondSdiItems()) a->setVisible(true);
  const QStringList fourTabs = {QStringLiteral("        Use        "), QStringLiteral("        Record frame        "),
                                QStringLiteral("        Record logo        "), QStringLiteral("        Frame quality      ")};
  for (const char* name : {"TabControl_logo_M", "TabControl_logo_P"}) setTabs(shell_.findControl<QTabBar>(QLatin1String(name)), fourTabs);
}

}  // namespace zelvan::app
