// Shared fixture of the shell tests: every test runs in its own temporary
// working directory, with the application's own directory and the per-user
// configuration directory inside it, and with scripted dialogs.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/app_info.h"
#include "app/feature.h"
#include "app/frame_indicators.h"
#include "app/main_files.h"
#include "app/main_tick.h"
#include "app/memory_lists.h"
#include "app/model_layout.h"
#include "app/tzelvan_main.h"
#include "app/settings_files.h"
#include "app/zelvan_application.h"
#include "device/comports.h"
#include "device/zelvan_d.h"
#include "widgets/uidialogs.h"

// Readable QString / QByteArray values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QByteArray& b, std::ostream* os) { *os << '"' << b.toStdString() << '"'; }

// A feature that records the shell's moments and adds the tick steps a
// test gives it: a stand-in for the features built later.
class RecordingFeature : public zelvan::app::TFeature {
 public:
  QString featureName() const override { return QStringLiteral("recording"); }
  void build(TZelvan_main&) override {}
  void addRoutes(zelvan::app::TReportRouter&) override {}
  void addTickSteps(zelvan::app::TTickSchedule& tick) override {
    for (auto& [step, run] : tickSteps) tick.add(step, QStringLiteral("recording"), run);
  }
  void memoryLabelChanged(int index) override {
    if (onMemoryLabel) onMemoryLabel(index);
  }
  void effectMemoriesTakenOver() override {
    if (onEffectMemories) onEffectMemories();
  }
  void startUp() override { moments.push_back("startUp"); }
  void labelsChanged() override { moments.push_back("labels"); }
  void modelLayoutApplied(int modelIndex, bool refreshMemories) override {
    moments.push_back("layout " + std::to_string(modelIndex) + (refreshMemories ? " refresh" : " no refresh"));
  }
  void modelLayoutDone() override { moments.push_back("layout done"); }
  void pageChanged(QWidget* page) override { moments.push_back("page " + page->objectName().toStdString()); }
  void shuttingDown() override {
    moments.push_back(QFile::exists(QStringLiteral("Zelvan_USR.ini")) ? "shutdown after save" : "shutdown");
  }
  std::vector<std::string> moments;
  std::vector<std::pair<zelvan::app::TickStep, std::function<void()>>> tickSteps;
  std::function<void(int)> onMemoryLabel;
  std::function<void()> onEffectMemories;
};

// Adds a recording feature to the main window (tick steps given before).
inline RecordingFeature* addRecordingFeature(
    TZelvan_main* m, std::vector<std::pair<zelvan::app::TickStep, std::function<void()>>> steps = {}) {
  auto f = std::make_unique<RecordingFeature>();
  f->tickSteps = std::move(steps);
  RecordingFeature* raw = f.get();
  m->addFeature(std::move(f));
  return raw;
}

class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(tmp_.isValid());
    previousDir_ = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(tmp_.path()));
    QDir(tmp_.path()).mkpath(QStringLiteral("appdir"));
    QDir(tmp_.path()).mkpath(QStringLiteral("config"));
    zelvan::app::setApplicationDirOverride(path(QStringLiteral("appdir")));
    zelvan::app::setUserConfigDirOverride(path(QStringLiteral("config")));
    writeFile(path(QStringLiteral("Option.ini")), noDeviceComLines());
  }

  void TearDown() override {
    app_.reset();
    zelvan::app::setApplicationDirOverride({});
    zelvan::app::setUserConfigDirOverride({});
    QDir::setCurrent(previousDir_);
  }

  QString path(const QString& name) const { return QDir(tmp_.path()).filePath(name); }

  // "Option.ini" lines mapping COM1 .. COM16 to a path in the scratch
  // directory that does not exist, so no test opens a real serial device
  // (COMn is /dev/ttyS<n-1> without them). SetUp writes them; a test that
  // writes its own Option.ini appends them.
  QByteArray noDeviceComLines() const {
    QByteArray lines;
    for (int n = 1; n <= zelvan::kComPortCount; ++n)
      lines += "COM" + QByteArray::number(n) + '=' +
               QFile::encodeName(path(QStringLiteral("no-such-port/COM%1").arg(n))) + "\r\n";
    return lines;
  }

  // Creates every window; `start` runs the start-up sequence.
  TZelvan_main* createApp(bool start = true) {
    app_ = std::make_unique<TZelvanApplication>();
    if (start) app_->start(false);
    return app_->main();
  }
  TZelvan_main* main() const { return app_->main(); }
  TZelvan_d* link() const { return app_->main()->link(); }

  // Feeds reply lines as if the device sent them.
  void report(const char* lines) { link()->ProcessReceived(QByteArray(lines)); }

  // Makes the link connected without a device (nothing goes out on CON_NONE,
  // but the last command is recorded).
  void connectLink() {
    link()->setConType(CON_NONE);
    link()->setForceConn(true);
    link()->SupervisorTick();
    ASSERT_TRUE(link()->Connected());
  }

  static void writeFile(const QString& file, const QByteArray& bytes) {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  static QByteArray readFile(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
  }

  QAction* action(const char* name) const { return main()->findAction(QLatin1String(name)); }

  QTemporaryDir tmp_;
  QString previousDir_;
  zelvan::ui::ScriptedDialogs dialogs_;
  std::unique_ptr<TZelvanApplication> app_;
};

// A valid customization file as lines (CR LF added by joinLines).
inline QStringList validCustomizationLines() {
  QStringList l = {QStringLiteral("VERSION_INI_FILE=V0005"), QStringLiteral("Port=COM3"),
                   QStringLiteral("IP_ENABLE=0"),            QStringLiteral("REMOTE_IP=10.1.2.3"),
                   QStringLiteral("REMOTE_PORT_ENTRY=1234"), QStringLiteral("LOCAL_PORT_ENTRY=4321")};
  for (int i = 1; i <= 8; ++i) l << QStringLiteral("CallNameInput%1=Cam %1").arg(i);
  for (int i = 9; i <= 23; ++i) l << QStringLiteral("FrAndLo%1=Mem %1").arg(i);
  return l;
}

inline QByteArray joinLines(const QStringList& lines) { return zelvan::app::linesToBytes(lines); }

// A complete customization, as the application writes it, that selects TCP
// to a device on 127.0.0.1:`port`, with the default labels and effect keys.
inline QStringList tcpCustomizationLines(quint16 port) {
  zelvan::app::CustomizationState s;
  s.ipEnable = 2;
  s.remoteIp = QStringLiteral("127.0.0.1");
  s.remotePort = port;
  s.localPort = 4321;
  for (int n = 1; n <= 8; ++n) s.inputNames[size_t(n - 1)] = zelvan::app::defaultInputName(n);
  for (int i = 0; i < 15; ++i) s.memoryLabels[size_t(i)] = zelvan::app::defaultMemoryLabel(i);
  for (int n = 1; n <= 8; ++n) s.audioNames[size_t(n - 1)] = zelvan::app::defaultAudioName(n);
  s.outputNames = {QStringLiteral("Output 1"), QStringLiteral("Output 2")};
  return zelvan::app::customizationLines(s);
}
