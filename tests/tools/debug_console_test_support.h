// Shared fixture of the debug console tests: a console on a link that
// sends to a local UDP sink, in a scratch working directory.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QNetworkDatagram>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QUdpSocket>
#include <functional>
#include <memory>

#include "device/zelvan_d.h"
#include "tools/debug_format.h"
#include "tools/debug_registers.h"
#include "tools/debug_script.h"
#include "tools/debug_settings.h"
#include "tools/tform_debug.h"
#include "widgets/uidialogs.h"
#include "tools_test_support.h"


namespace debug_console_test {

using namespace zelvan::debugconsole;


inline bool pumpUntil(const std::function<bool()>& cond, int timeoutMs = 3000) {
  QDeadlineTimer deadline(timeoutMs);
  while (!cond()) {
    if (deadline.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return true;
}

// Plays the device on a loopback UDP port: every SendRaw of the link is one
// datagram here. The link's own identity polls ("?") are left out.
class UdpSink {
 public:
  UdpSink() { sock.bind(QHostAddress::LocalHost, 0); }
  quint16 port() const { return sock.localPort(); }
  QList<QByteArray> datagrams() {
    while (sock.hasPendingDatagrams()) {
      const QByteArray d = sock.receiveDatagram().data();
      if (d != "?") got << d;
    }
    return got;
  }
  bool waitForCount(int n, int timeoutMs = 3000) {
    return pumpUntil([&] { return datagrams().size() >= n; }, timeoutMs);
  }
  // Nothing more arrives within a short while.
  QList<QByteArray> settle(int ms = 60) {
    QDeadlineTimer d(ms);
    while (!d.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return datagrams();
  }
  QUdpSocket sock;
  QList<QByteArray> got;
};

inline quint16 freeUdpPort() {
  QUdpSocket s;
  s.bind(QHostAddress::LocalHost, 0);
  return s.localPort();
}

// Constructed before the fixture's sockets and windows, which need the application.
struct AppFirst {
  AppFirst() { ensureApp(); }
};

class DebugConsoleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    previousDir = QDir::currentPath();
    QDir::setCurrent(dir.path());
    link = std::make_unique<TZelvan_d>();
    link->SetRanges(zelvan::acceptedRanges());
  }
  void TearDown() override {
    form.reset();
    link.reset();
    QDir::setCurrent(previousDir);
  }

  TForm_debug& make() {
    form = std::make_unique<TForm_debug>(link.get());
    return *form;
  }
  void attachSink() {
    link->setIpRemoteAddress(QStringLiteral("127.0.0.1"));
    link->setIpRemotePort(sink.port());
    link->setIpLocalPort(freeUdpPort());
    link->setConType(CON_UDP);
  }
  void receive(const QByteArray& lines) { link->ProcessReceived(lines); }

  template <typename T>
  T* child(const char* name) {
    T* w = form->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  QPlainTextEdit* log() {
    form->flushLog();
    return child<QPlainTextEdit>("Memo_recu");
  }
  QStringList logLines() {
    QString t = log()->toPlainText();
    return t.isEmpty() ? QStringList() : t.split(QLatin1Char('\n'));
  }
  QListWidget* watch() { return child<QListWidget>("CheckListBox_bloque_reception_rs"); }
  QPushButton* disableAll() { return child<QPushButton>("SpeedButton_Disable_all"); }
  void tick(const QString& name, bool on) { form->setWatchItemChecked(form->watchRowOfName(name), on); }
  void writeFile(const QString& name, const QByteArray& bytes) {
    QFile f(dir.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }

  AppFirst app;
  QTemporaryDir dir;
  QString previousDir;
  std::unique_ptr<TZelvan_d> link;
  std::unique_ptr<TForm_debug> form;
  UdpSink sink;
};

}  // namespace debug_console_test
