#include "device/link_serial.h"

#include <QSerialPort>

#include "device/comports.h"

TSerialTransport::TSerialTransport(QObject* parent) : TLinkTransport(parent), m_port(new QSerialPort(this)) {
  connect(m_port, &QSerialPort::readyRead, this, &TSerialTransport::readPending);
}

bool TSerialTransport::isOpen() const { return m_port->isOpen(); }

void TSerialTransport::open() {
  if (m_name.isEmpty() || m_port->isOpen()) return;
  m_port->setPortName(zelvan::resolveComPort(m_name));
  // A port that is missing or in use simply stays closed.
  if (!m_port->open(QIODevice::ReadWrite)) return;
  m_port->setBaudRate(QSerialPort::Baud9600);
  m_port->setDataBits(QSerialPort::Data8);
  m_port->setParity(QSerialPort::NoParity);
  m_port->setStopBits(QSerialPort::OneStop);
  m_port->setFlowControl(QSerialPort::NoFlowControl);
  m_port->clear(QSerialPort::AllDirections);
  // Some ports (pseudo-terminals) have no modem lines; that is no failure.
  m_port->setDataTerminalReady(false);
  m_port->setRequestToSend(false);
  m_port->clearError();
}

void TSerialTransport::close() {
  if (m_port->isOpen()) m_port->close();
}

void TSerialTransport::send(const QByteArray& bytes) {
  if (m_port->isOpen()) m_port->write(bytes);
}

void TSerialTransport::readPending() {
  // Always drained, so nothing piles up while another transport is selected.
  const QByteArray data = m_port->readAll();
  if (!data.isEmpty()) received(data.constData(), data.size());
}
