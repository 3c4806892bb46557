// The maintenance tools as a feature of the main window: the About window
// follows the version, option, multiplexer and checksum reports, the device
// LAN dialog follows the LAN reports and the connection, and the debug
// console closes with the main window. (The console's received-line
// handler is its own: it installs it on the link itself.)
#pragma once

#include "app/feature.h"

namespace zelvan::app {

class TToolsFeature : public TFeature {
 public:
  QString featureName() const override { return QStringLiteral("tools"); }
  void build(TZelvan_main& shell) override { shell_ = &shell; }
  void addRoutes(TReportRouter& router) override;
  void shuttingDown() override;

 private:
  TZelvan_main* shell_ = nullptr;
};

}  // namespace zelvan::app
