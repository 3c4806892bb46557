// Program entry: the application object, its windows, the start-up
// sequence, and the event loop until the main window closes.
#include <QApplication>

#include "app/app_info.h"
#include "app/zelvan_application.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(zelvan::app::applicationTitle());
  QApplication::setApplicationDisplayName(zelvan::app::applicationTitle());
  QApplication::setOrganizationName(zelvan::app::productName());
  const zelvan::app::FileVersion v = zelvan::app::fileVersion();
  QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3.%4").arg(v.major).arg(v.minor).arg(v.release).arg(v.build));
  // The application ends when the main window closes, also while it is
  // hidden behind the Matrix window.
  QApplication::setQuitOnLastWindowClosed(false);

  TZelvanApplication windows;
  QObject::connect(windows.main(), &TZelvan_main::mainWindowClosed, &app, &QCoreApplication::quit,
                   Qt::QueuedConnection);
  windows.start();
  return app.exec();
}
