#include "app/frame_indicators.h"

#include <QEvent>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "app/app_info.h"

namespace zelvan::app {

namespace {
QPixmap statusPicture(const QColor& colour) {
  QPixmap pm(24, 24);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(colour);
  p.drawEllipse(3, 3, 18, 18);
  return pm;
}

void setBold(QWidget* w, bool bold) {
  QFont f = w->font();
  f.setBold(bold);
  w->setFont(f);
}
}  // namespace

// ------------------------------------------------------------ connection

TConnectionIndication::TConnectionIndication(QWidget* central) : QObject(central) {
  Image_connected = new QLabel(central);
  Image_connected->setObjectName(QStringLiteral("Image_connected"));
  Image_connected->setPixmap(statusPicture(QColor(0, 170, 0)));
  Image_connected->setGeometry(8, 505, 24, 24);
  Image_connected->hide();
  Image_not_connected = new QLabel(central);
  Image_not_connected->setObjectName(QStringLiteral("Image_not_connected"));
  Image_not_connected->setPixmap(statusPicture(QColor(200, 0, 0)));
  Image_not_connected->setGeometry(8, 505, 24, 24);

  connection = new QLabel(QStringLiteral("Device NOT connected"), central);
  connection->setObjectName(QStringLiteral("connection"));
  connection->setGeometry(36, 505, 260, 24);
  connection->setMouseTracking(true);
  connection->installEventFilter(this);
  setBold(connection, true);

  BitBtn_initial_please = new QPushButton(QStringLiteral("Connecting..."), central);
  BitBtn_initial_please->setObjectName(QStringLiteral("BitBtn_initial_please"));
  BitBtn_initial_please->setGeometry(276, 245, 420, 73);
  BitBtn_initial_please->hide();
  BitBtn_initial_please->setEnabled(false);
}

void TConnectionIndication::setConnected(bool connected) {
  connection->setText(connected ? QStringLiteral("    Device connected") : QStringLiteral("Device NOT connected"));
  setBold(connection, !connected);
  Image_connected->setVisible(connected);
  Image_not_connected->setVisible(!connected);
}

void TConnectionIndication::blink() { setBold(connection, !connection->font().bold()); }

void TConnectionIndication::showConnecting(bool connected) {
  if (!connected) {
    hideConnecting();
    return;
  }
  BitBtn_initial_please->setCursor(Qt::WaitCursor);
  BitBtn_initial_please->setToolTip(QStringLiteral("PLEASE WAIT"));
  BitBtn_initial_please->setEnabled(true);
  BitBtn_initial_please->show();
  BitBtn_initial_please->raise();
}

void TConnectionIndication::hideConnecting() {
  BitBtn_initial_please->hide();
  BitBtn_initial_please->setEnabled(false);
}

bool TConnectionIndication::eventFilter(QObject* watched, QEvent* event) {
  if (watched == connection) {
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter)
      PointerOverConnectionLabel = true;
    else if (event->type() == QEvent::Leave)
      PointerOverConnectionLabel = false;
  }
  return QObject::eventFilter(watched, event);
}

// ---------------------------------------------------------- update notice

TUpdateNotice::TUpdateNotice(QWidget* central) : QObject(central) {
  Panel_updater = new QFrame(central);
  Panel_updater->setObjectName(QStringLiteral("Panel_updater"));
  Panel_updater->setGeometry(328, 48, 473, 57);
  Panel_updater->setFrameShape(QFrame::Panel);
  Panel_updater->setFrameShadow(QFrame::Raised);
  Panel_updater->setAutoFillBackground(true);
  Label_updater = new QLabel(Panel_updater);
  Label_updater->setObjectName(QStringLiteral("Label_updater"));
  Label_updater->setGeometry(4, 4, 465, 22);
  Button_ok_updater = new QPushButton(QStringLiteral("OK"), Panel_updater);
  Button_ok_updater->setObjectName(QStringLiteral("Button_ok_updater"));
  Button_ok_updater->setGeometry(199, 29, 75, 24);
  connect(Button_ok_updater, &QPushButton::clicked, this, [this] { Button_ok_updaterClick(); });
  Panel_updater->hide();
}

void TUpdateNotice::showUpdateNotice(const QString& text) {
  Label_updater->setText(text);
  Panel_updater->show();
  Panel_updater->raise();
}

void TUpdateNotice::firmwareReported(uint32_t v, uint32_t expected) {
  if (v > expected)
    showUpdateNotice(QStringLiteral("       New ") + fileDescription() +
                     QStringLiteral(" Software available, download update recommended !"));
  else if (v < expected)
    showUpdateNotice(QStringLiteral("        New ") + productName() +
                     QStringLiteral(" Firmware available, download update recommended !"));
}

void TUpdateNotice::tick() {
  if (Panel_updater->isHidden()) return;
  --UpdateNoticeCountdown;
  if (UpdateNoticeCountdown <= 0) {
    UpdateNoticeCountdown = 30;
    Panel_updater->hide();
  }
}

}  // namespace zelvan::app
