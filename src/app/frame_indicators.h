// The main window's indicators around the page control: the connection
// label with its two pictures, the connecting panel shown between the
// connection and the device's readiness, and the update notice that tells
// the operator a newer firmware or application exists.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>

class QFrame;
class QLabel;
class QPushButton;
class QWidget;

namespace zelvan::app {

class TConnectionIndication : public QObject {
  Q_OBJECT

 public:
  // Creates the label, the pictures and the connecting panel in `central`.
  explicit TConnectionIndication(QWidget* central);

  // "    Device connected" or "Device NOT connected" (bold), with its picture.
  void setConnected(bool connected);
  // The not-connected text turns bold and back (one tick).
  void blink();
  // The connecting panel while the link is connected and not yet ready.
  void showConnecting(bool connected);
  void hideConnecting();

  QLabel* connection = nullptr;
  QLabel* Image_connected = nullptr;
  QLabel* Image_not_connected = nullptr;
  QPushButton* BitBtn_initial_please = nullptr;
  // The pointer is over the connection label (the debug console's hot key).
  bool PointerOverConnectionLabel = false;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

class TUpdateNotice : public QObject {
  Q_OBJECT

 public:
  explicit TUpdateNotice(QWidget* central);

  void showUpdateNotice(const QString& text);
  // VERV reported for a known model: a notice when the device's firmware
  // differs from the one this application expects.
  void firmwareReported(uint32_t version, uint32_t expected);
  // One tick: the shown notice counts down and hides itself.
  void tick();
  void Button_ok_updaterClick() { UpdateNoticeCountdown = 0; }

  QFrame* Panel_updater = nullptr;
  QLabel* Label_updater = nullptr;
  QPushButton* Button_ok_updater = nullptr;
  int8_t UpdateNoticeCountdown = 40;
};

}  // namespace zelvan::app
