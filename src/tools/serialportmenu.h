// The serial-port menu of the main window ("&RS232/LAN Setup", object name
// Serialport1): one item per port COM1 to COM16 and the item MIPConfig
// ("LAN/Setup"), the seventeen forming one radio group.
//
//   auto* ports = new TSerialPortMenu(link, ipConfigDlg, mainWindow);
//   ports->Fill(menuBar()->addMenu(QString()));
//   ports->OnTitlesChanged = [this](const QString& part) { setTitles(part); };
//
// Each time the menu opens, every port is probed (opened and closed): a
// free port is enabled; one that cannot be opened is disabled, except the
// port in use (the checked item), which stays enabled and shows the
// serial-port icon. Choosing a port sets the link's Port and ConType
// CON_RS232; MIPConfig runs the link setup dialog. After either, the
// connection part of the window titles is announced through
// OnTitlesChanged: "Port: COM12", "TCP" or "UDP". The main window builds
// each title as prefix + "  " + part + " - " + CustomizationFileName
// (WindowTitle does exactly that).
#pragma once

#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>
#include <array>
#include <functional>

#include "device/comports.h"
#include "tools/tipconfigdlg.h"

class QAction;
class QActionGroup;
class TZelvan_d;

class TSerialPortMenu : public QObject {
  Q_OBJECT

 public:
  // `link` (required) and `dialog` are not owned. Without a dialog,
  // MIPConfig creates one on demand, parented to the menu.
  TSerialPortMenu(TZelvan_d* link, TIPConfigDlg* dialog = nullptr, QObject* parent = nullptr);

  // Makes `menu` the serial-port menu: caption "&RS232/LAN Setup", object
  // name "Serialport1", the serial-port icon, and the items COM1 .. COM16
  // (object names "COM1" .. "COM16", port number as the action's data)
  // followed by MIPConfig. Items already in the menu are kept before ours.
  void Fill(QMenu* menu);
  QMenu* Menu() const { return menu_; }

  // The item of port n (1..16), or nullptr.
  QAction* PortItem(int n) const;
  QAction* MIPConfig() const { return mipConfig_; }
  QIcon SerialPortIcon() const { return icon_; }

  // Probes every port and updates the items (run when the menu opens).
  void Serialport1Click();
  // A port item chosen: Port := comPortName(n), ConType := CON_RS232,
  // the item checked, titles announced with "Port: COMn".
  void comClick(int n);
  // MIPConfig chosen: runs the link setup dialog; when applied, checks
  // MIPConfig and announces "TCP" or "UDP". Cancelled: the check stays
  // where it was.
  void MIPConfigClick();

  // The checked port (1..16), 0 when no port item is checked.
  int CheckedPort() const;
  // "COM1" .. "COM16" for the checked port item, "COM1" when none is
  // checked (the customization file's Port value).
  QString CheckedPortName() const;
  // Checks or unchecks MIPConfig without running the dialog (loading a
  // customization file).
  void SetMIPConfigChecked(bool checked);
  // Unchecks every item (a customization naming no valid port).
  void ClearChecks();

  // Title helper: prefix + two blanks + connection part + " - " + file.
  static QString WindowTitle(const QString& prefix, const QString& connectionPart,
                             const QString& customizationFileName);

  // Probe used for each port (default zelvan::probeComPort). Tests may
  // replace it.
  std::function<bool(const QString& portName)> Probe = [](const QString& name) { return zelvan::probeComPort(name); };
  // Receives the connection part of the window titles.
  std::function<void(const QString& connectionPart)> OnTitlesChanged;

 private:
  void announce(const QString& part);
  // Checks `item` alone (nullptr: no item) and remembers it.
  void setCheckedItem(QAction* item);

  TZelvan_d* link_;
  QPointer<TIPConfigDlg> dialog_;
  QPointer<QMenu> menu_;
  QActionGroup* group_ = nullptr;
  std::array<QAction*, zelvan::kComPortCount> ports_{};
  QAction* mipConfig_ = nullptr;
  QAction* checked_ = nullptr;
  QIcon icon_;
};
