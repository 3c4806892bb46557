// The keying panels of both outputs, built together: the memories and
// store cycle, the per-input keying and placement, the shared controls.
// The owner builds them into the host's pages, adds their report routines
// and tick steps, and tells them about start-up and label changes. They
// answer the signal panels' keying calls (TKeyingPeer).
#pragma once

#include <QObject>
#include <memory>

#include "panel/keying/keying_context.h"
#include "panel/signal/signal_host.h"

class QWidget;

namespace zelvan::app {
class TReportRouter;
class TTickSchedule;
}

namespace zelvan::keying {

class TKeyingPanels : public QObject, public zelvan::signal::TKeyingPeer {
  Q_OBJECT
 public:
  TKeyingPanels(TZelvan_d& link, TKeyingHost& host, QObject* parent = nullptr);
  ~TKeyingPanels() override;

  // Builds every control into the host's pages, strips and windows.
  void build();
  void addRoutes(zelvan::app::TReportRouter& router);
  void addTickSteps(zelvan::app::TTickSchedule& tick);
  // The memory lists exist: connect them, then rewrite the memory texts.
  void startUp();
  // A memory label changed: every memory list is rewritten.
  void labelsChanged();
  // The model layout or the operating mode changed: the assignment combos
  // of both outputs follow their rules again.
  void refreshComboEnabling();
  // The page control changed page: both tab controls go back to "Use".
  void logoTabsReset();

  TKeyingContext& context() { return ctx_; }
  TLogoMemories& memories(int output) const { return ctx_.memoriesOf(output); }
  TLogoMemoryShared& memoryShared() const { return *ctx_.memoryShared; }
  TLogoPlacement& placement(int output) const { return ctx_.placementOf(output); }
  TLogoCommonControls& common() const { return *ctx_.common; }

  // ---- TKeyingPeer ----
  void refreshLogoIndicators(int output) override;
  void setLogoTabAvailable(int output, bool available) override;
  void refreshLogoFormatRows(int output) override;
  void refreshLogoFraming(int output) override;

 private:
  TKeyingContext ctx_;
};

}  // namespace zelvan::keying
