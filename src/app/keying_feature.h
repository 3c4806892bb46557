// Logo and frame keying as a feature of the main window: the memories and
// store cycle, the per-input keying and placement and the framing windows
// (TKeyingPanels) built into the logo pages, the input strips and the
// Matrix window, with their report routines at the router's Keying
// position and their tick steps 3, 4 and 14. It answers what the panels ask
// of the shell, and it is the signal panels' keying peer.
#pragma once

#include <memory>

#include "app/feature.h"
#include "panel/keying/keying_host.h"

namespace zelvan::keying {
class TKeyingPanels;
}

namespace zelvan::app {

class TKeyingFeature : public TFeature, public zelvan::keying::TKeyingHost {
 public:
  TKeyingFeature();
  ~TKeyingFeature() override;

  QString featureName() const override { return QStringLiteral("keying"); }
  void build(TZelvan_main& shell) override;
  void addRoutes(TReportRouter& router) override;
  void addTickSteps(TTickSchedule& tick) override;
  void startUp() override;
  void labelsChanged() override;
  void memoryLabelChanged(int index) override;
  void modelLayoutApplied(int modelIndex, bool refreshMemories) override;
  void modeChanged(OperatingMode mode) override;
  void pageChanged(QWidget* activePage) override;

  zelvan::keying::TKeyingPanels* panels() const { return panels_; }

  // ---- TKeyingHost ----
  int modelIndex(uint32_t dev) const override;
  int memoryAt(int modelIndex, int position) const override;
  bool modelHasExtraFrames(int modelIndex) const override;
  QString memoryLabel(int memoryIndex) const override;
  bool memoryEmpty(int memoryIndex) const override;
  void setMemoryEmpty(int memoryIndex, bool empty) override;
  TSmallCombo* memoryCombo(int output, int kind, int input) const override;
  QList<QAbstractButton*> transitionFrameButtons(int k) const override;
  QAbstractButton* effectFrameButton(int k) const override;
  QAction* syncLossItem(int tag) const override;
  void refreshInputHints() override;
  void forceModelLayout() override;
  QWidget* logoPage(int output) const override;
  QWidget* inputStrip(int output) const override;
  QTableWidget* statusGrid(int output) const override;
  QWidget* window(int output) const override;
  zelvan::keying::TLogoFramingWindow* framingWindow(int output, zelvan::keying::Framing which) const override;
  zelvan::keying::TStoreProgress* storeProgress() override;
  bool storeAborted() const override;
  void setStoreAborted(bool aborted) override;
  bool statusBlink() const override;
  int64_t storeEstimate(uint32_t pixels, uint32_t lines, bool embeddedRecordFrame) override;
  int64_t progressMaximum(int64_t estimate, bool embeddedRecordFrame, bool embeddedOn) override;
  void saveTempo(int64_t tempo, bool embeddedRecordFrame) override;

 private:
  class Progress;
  TZelvan_main* shell_ = nullptr;
  zelvan::keying::TKeyingPanels* panels_ = nullptr;
  std::unique_ptr<Progress> progress_;
};

}  // namespace zelvan::app
