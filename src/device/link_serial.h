// RS-232 transport: the device's serial line at 9600 baud, 8 data bits, no
// parity, one stop bit, no handshake, DTR and RTS held off. Errors of an
// open port are not reported: it stays open until the link closes it.
#pragma once

#include "device/link_transport.h"

class QSerialPort;

class TSerialTransport : public TLinkTransport {
 public:
  explicit TSerialTransport(QObject* parent = nullptr);

  // The port as the operator names it ("COM3", or a device path). It is
  // resolved to a device path on every open, so a changed Option.ini takes
  // effect on the next open.
  void setPortName(const QString& name) { m_name = name; }
  QString portName() const { return m_name; }

  void open() override;
  void close() override;
  bool isOpen() const override;
  void send(const QByteArray& bytes) override;

 private:
  void readPending();

  QSerialPort* m_port = nullptr;
  QString m_name;
};
