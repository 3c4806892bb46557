#include "tools/serialportmenu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QPainter>
#include <QPixmap>

#include "device/zelvan_d.h"
#include "tools/tipconfigdlg.h"

namespace {

// The serial-port picture: a 9-pin connector shell seen from the front.
QIcon makeSerialPortIcon() {
  QPixmap pm(16, 16);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QPen(QColor(40, 40, 40), 1));
  p.setBrush(QColor(160, 170, 185));
  const QPointF shell[] = {{1.5, 4.5}, {14.5, 4.5}, {12.5, 11.5}, {3.5, 11.5}};
  p.drawPolygon(shell, 4);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(30, 30, 30));
  for (int i = 0; i < 5; ++i) p.drawEllipse(QPointF(3.8 + i * 2.1, 6.8), 0.7, 0.7);
  for (int i = 0; i < 4; ++i) p.drawEllipse(QPointF(4.8 + i * 2.1, 9.2), 0.7, 0.7);
  p.end();
  return QIcon(pm);
}

}  // namespace

TSerialPortMenu::TSerialPortMenu(TZelvan_d* link, TIPConfigDlg* dialog, QObject* parent)
    : QObject(parent), link_(link), dialog_(dialog), icon_(makeSerialPortIcon()) {}

void TSerialPortMenu::Fill(QMenu* menu) {
  menu_ = menu;
  menu->setTitle(QStringLiteral("&RS232/LAN Setup"));
  menu->setObjectName(QStringLiteral("Serialport1"));
  menu->setIcon(icon_);
  menu->menuAction()->setObjectName(QStringLiteral("Serialport1"));

  group_ = new QActionGroup(menu);
  // One checked item at most, and none at all before a port is chosen.
  group_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  for (int n = 1; n <= zelvan::kComPortCount; ++n) {
    auto* a = new QAction(QStringLiteral("COM%1").arg(n), menu);
    a->setObjectName(QStringLiteral("COM%1").arg(n));
    a->setData(n);
    a->setCheckable(true);
    group_->addAction(a);
    menu->addAction(a);
    ports_[static_cast<size_t>(n - 1)] = a;
    connect(a, &QAction::triggered, this, [this, n] { comClick(n); });
  }
  mipConfig_ = new QAction(QStringLiteral("LAN/Setup"), menu);
  mipConfig_->setObjectName(QStringLiteral("MIPConfig"));
  mipConfig_->setCheckable(true);
  group_->addAction(mipConfig_);
  menu->addAction(mipConfig_);
  connect(mipConfig_, &QAction::triggered, this, [this] { MIPConfigClick(); });
  connect(menu, &QMenu::aboutToShow, this, [this] { Serialport1Click(); });
}

QAction* TSerialPortMenu::PortItem(int n) const {
  return n >= 1 && n <= zelvan::kComPortCount ? ports_[static_cast<size_t>(n - 1)] : nullptr;
}

void TSerialPortMenu::Serialport1Click() {
  if (!ports_[0]) return;
  for (QAction* a : ports_) a->setIcon(QIcon());
  for (int n = 1; n <= zelvan::kComPortCount; ++n) {
    QAction* a = ports_[static_cast<size_t>(n - 1)];
    if (Probe && Probe(zelvan::comPortName(n))) {
      a->setEnabled(true);
    } else if (a->isChecked()) {
      // The port the link holds open cannot be opened a second time; it
      // stays available and marked as the one in use.
      a->setEnabled(true);
      a->setIcon(icon_);
    } else {
      a->setEnabled(false);
    }
  }
}

void TSerialPortMenu::comClick(int n) {
  QAction* a = PortItem(n);
  if (!a) return;
  link_->setPort(zelvan::comPortName(n));
  link_->setConType(CON_RS232);
  setCheckedItem(a);
  announce(QStringLiteral("Port: COM%1").arg(n));
}

void TSerialPortMenu::MIPConfigClick() {
  if (!mipConfig_) return;
  // Triggering the item has already moved (or toggled) the radio check;
  // it belongs on MIPConfig only once the dialog is applied.
  setCheckedItem(checked_);
  if (!dialog_) dialog_ = new TIPConfigDlg(menu_ ? menu_->parentWidget() : nullptr);
  if (dialog_->Execute(*link_)) {
    setCheckedItem(mipConfig_);
    announce(link_->ConType() == CON_TCP ? QStringLiteral("TCP") : QStringLiteral("UDP"));
  }
}

int TSerialPortMenu::CheckedPort() const {
  for (int n = 1; n <= zelvan::kComPortCount; ++n) {
    const QAction* a = ports_[static_cast<size_t>(n - 1)];
    if (a && a->isChecked()) return n;
  }
  return 0;
}

QString TSerialPortMenu::CheckedPortName() const {
  const int n = CheckedPort();
  return QStringLiteral("COM%1").arg(n == 0 ? 1 : n);
}

void TSerialPortMenu::SetMIPConfigChecked(bool checked) {
  if (checked)
    setCheckedItem(mipConfig_);
  else if (checked_ == mipConfig_)
    setCheckedItem(nullptr);
}

void TSerialPortMenu::ClearChecks() { setCheckedItem(nullptr); }

void TSerialPortMenu::setCheckedItem(QAction* item) {
  checked_ = item;
  for (QAction* a : ports_)
    if (a) a->setChecked(a == item);
  if (mipConfig_) mipConfig_->setChecked(mipConfig_ == item);
}

QString TSerialPortMenu::WindowTitle(const QString& prefix, const QString& connectionPart,
                                     const QString& customizationFileName) {
  return prefix + QStringLiteral("  ") + connectionPart + QStringLiteral(" - ") + customizationFileName;
}

void TSerialPortMenu::announce(const QString& part) {
  if (OnTitlesChanged) OnTitlesChanged(part);
}
