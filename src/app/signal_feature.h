// The signal path as a feature of the main window: the input row, Input
// tab, tally, status rows, Output tab, Image tabs, transitions and take,
// and Audio tab (TSignalPanels), built into the main window's pages, with
// their report routines at the router's Signal position and their tick
// steps 2, 5 to 7, 8 and 9. It answers what the panels ask of the shell.
#pragma once

#include <QList>

#include "app/feature.h"
#include "panel/signal/signal_host.h"

class QAction;
class QWidget;

namespace zelvan::signal {
class TSignalPanels;
}

namespace zelvan::app {

// Adds every routine of the panels to the router at the Signal position
// (PEDGC through the link's own OnPEDGC_Zelvan_change).
void addSignalRoutes(TReportRouter& router, zelvan::signal::TSignalPanels& panels);

class TSignalFeature : public TFeature, public TSignalHost {
 public:
  QString featureName() const override { return QStringLiteral("signal"); }
  void build(TZelvan_main& shell) override;
  void addRoutes(TReportRouter& router) override;
  void addTickSteps(TTickSchedule& tick) override;
  void startUp() override;
  void shuttingDown() override;

  zelvan::signal::TSignalPanels* panels() const { return panels_; }
  // The transition radio button of frame 3..6 (RadioButton_TranstionFrame<k>_M).
  QWidget* transitionFrameButton(int k) const;
  // The signal-type items of the second SDI input (SDTV_SDI_2, HDTV_SDI_2).
  QList<QAction*> secondSdiItems() const;
  // The Audio page's captions Label_Audio_1..8 show the audio labels.
  void showAudioLabels();
  // The Main not-available panel goes back to the left edge of its page.
  void resetNotAvailablePanel();

  // ---- TSignalHost ----
  int modelIndex(uint32_t dev) const override;
  QString memoryLabel(int memoryIndex) const override;
  bool memoryEmpty(int memoryIndex) const override;
  QString memoryListText(int kind, int input) const override;
  void setMemoryListHint(int kind, int input, const QString& hint) override;
  void popupRenameMenu(int input, const QPoint& globalPos) override;
  void refreshInputLabels() override;
  void restartNoSignalCountdown() override;
  void reapplyModelLayout() override;
  void setStoringLabelVisible(bool visible) override;
  void enableTick() override;

 private:
  TZelvan_main* shell_ = nullptr;
  zelvan::signal::TSignalPanels* panels_ = nullptr;
};

}  // namespace zelvan::app
