// Harness of the effect panel tests: the effect panels built by
// TEffectsPanels around a FakeHost (effects_fake_host.h) on a real device
// link made connected without a device, with a router that records every
// command sent.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QStringList>
#include <QTabWidget>
#include <QToolButton>
#include <array>
#include <memory>
#include <ostream>

#include "../support/operator_actions.h"
#include "app/report_router.h"
#include "device/catalogue.h"
#include "device/zelvan_d.h"
#include "panel/keying/animation_strip.h"
#include "panel/keying/effect_animation.h"
#include "panel/keying/effect_chooser.h"
#include "panel/keying/effect_keys.h"
#include "panel/keying/effect_memory.h"
#include "panel/keying/effect_names.h"
#include "panel/keying/effect_tables.h"
#include "../support/effects_fake_host.h"
#include "panel/keying/effects_page.h"
#include "panel/keying/effects_panels.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace effects_test {

using namespace zelvan::keying;
namespace Reg = zelvan::Reg;

// A connected link without a device, its router, the host and the panels.
class EffectsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    link.SetRanges(zelvan::acceptedRanges());
    link.setSupervisorTimeScale(1000000);
    link.setForceConn(true);
    link.SupervisorTick();
    router.add(zelvan::app::LinkEvent::SentString, zelvan::app::RoutePos::Tools, QStringLiteral("test: sent"),
               [this] { sent << link.sentString(); });
    host = std::make_unique<FakeHost>();
    panels = std::make_unique<TEffectsPanels>(link, *host);
    panels->build();
    panels->addRoutes(router);
    router.install(link);
    sent.clear();
  }
  void TearDown() override {
    router.uninstall(link);
    panels.reset();
  }

  // Feeds reply lines as if the device sent them.
  void feed(std::initializer_list<const char*> lines) { test_support::feedLines(link, lines); }

  template <class T>
  T* find(const QString& name) {
    T* w = host->mainWindow.findChild<T*>(name);
    if (!w) ADD_FAILURE() << "no control " << name.toStdString();
    return w;
  }
  template <class T>
  T* find(const char* name) {
    return find<T>(QString::fromLatin1(name));
  }

  TEffectKeys& keys() { return *panels->keys(); }
  TEffectsPage& page() { return *panels->page(); }
  TEffectAnimation& animation() { return *panels->animation(); }
  EffectKeyMemory& memory() { return host->memory; }

  TZelvan_d link;
  zelvan::app::TReportRouter router;
  std::unique_ptr<FakeHost> host;
  std::unique_ptr<TEffectsPanels> panels;
  QStringList sent;
};

}  // namespace effects_test
