// What the panel tests do as the device and as the operator: feed reply
// lines into a link, and choose an item of a compact list.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QMenu>
#include <initializer_list>

#include "device/zelvan_d.h"
#include "widgets/tsmallcombo.h"

namespace test_support {

// Feeds reply lines as if the device sent them ("ch3" -> "ch3\r\n").
inline void feedLines(TZelvan_d& link, std::initializer_list<const char*> lines) {
  QByteArray bytes;
  for (const char* l : lines) bytes += QByteArray(l) + "\r\n";
  link.ProcessReceived(bytes);
}

// Chooses item i of a compact list as the operator does.
inline void chooseItem(TSmallCombo* combo, int i) {
  combo->DropDown();
  QMenu* menu = combo->ActiveMenu();
  ASSERT_NE(menu, nullptr);
  menu->actions().at(i)->trigger();
  menu->hide();
}

}  // namespace test_support
