// The application against the device simulator zelvan-sim over TCP: the
// simulator runs as its own process on a free loopback port (twenty times
// faster than the device unless a test asks otherwise); the application
// connects from its customization file, identifies the model and becomes
// ready.
#pragma once

#include <QProcess>
#include <QTest>

#include "../../sim/announcement.h"
#include "app_test_support.h"

#ifdef ZELVAN_SIM_PATH

class SimAppTest : public ShellTest {
 protected:
  void TearDown() override {
    ShellTest::TearDown();
    sim_.kill();
    sim_.waitForFinished(3000);
  }

  // Starts the simulator with its default options and `extra` ones.
  void startSim(const QStringList& extra) {
    sim_.setProgram(QStringLiteral(ZELVAN_SIM_PATH));
    QStringList args{QStringLiteral("--tcp"), QStringLiteral("0"), QStringLiteral("--udp"), QStringLiteral("off"),
                     QStringLiteral("--bind"), QStringLiteral("127.0.0.1"), QStringLiteral("--time-scale"),
                     QStringLiteral("5")};
    sim_.setArguments(args + extra);
    sim_.start();
    ASSERT_TRUE(sim_.waitForStarted(5000)) << sim_.errorString().toStdString();
    // The simulator prints "tcp: PORT" once it listens.
    QByteArray out;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
          out += sim_.readAllStandardOutput();
          const QByteArray port = zsim::announced(out, "tcp");
          if (port.isEmpty()) return false;
          port_ = port.toUShort();
          return true;
        },
        5000))
        << out.toStdString();
    ASSERT_NE(port_, 0);
  }

  // Starts the simulator (options after the defaults: a later --time-scale
  // wins), then the application on TCP towards it, and waits until it is ready.
  void startConnected(const QStringList& simOptions = {}) {
    ASSERT_NO_FATAL_FAILURE(startSim(simOptions));
    writeFile(path(QStringLiteral("Zelvan_USR.ini")), joinLines(tcpCustomizationLines(port_)));
    ASSERT_NO_FATAL_FAILURE(startApp());
  }

  // Closes the application (it saves its customization file) and starts it
  // again towards the same simulator, from the file it wrote.
  void restartApp() {
    main()->close();
    app_.reset();
    ASSERT_NO_FATAL_FAILURE(startApp());
  }

  // Starts the application from the customization file and waits until it is ready.
  void startApp() {
    createApp(false);
    link()->setSupervisorTimeScale(5);
    app_->start(false);
    ASSERT_EQ(link()->ConType(), CON_TCP);
    link()->SupervisorTick();
    main()->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return link()->Ready(); }, 10000))
        << "supervisor state " << link()->SupervisorState() << ", DEV " << link()->DEV();
  }

  template <class T>
  T* control(const char* name) const {
    return main()->findControl<T>(QLatin1String(name));
  }

  QProcess sim_;
  quint16 port_ = 0;
};

#endif
