// Shared by the tool tests, which run in one binary: the application object
// is created once, by whichever test comes first.
#pragma once

#include <QApplication>

inline QApplication* ensureApp() {
  static int argc = 1;
  static char name[] = "tools_tests";
  static char* argv[] = {name, nullptr};
  if (!qApp) new QApplication(argc, argv);
  return qobject_cast<QApplication*>(qApp);
}
