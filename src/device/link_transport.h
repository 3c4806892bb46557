// What the link's three transports (RS-232, UDP, TCP client) have in
// common: they are opened and closed by the link, send the link's bytes to
// the device and hand every received chunk to the link at once, on the
// event thread, in arrival order.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <cstdint>
#include <cstring>
#include <functional>

class TLinkTransport : public QObject {
 public:
  // A received chunk. It may be empty (a datagram or read that starts with
  // a zero byte): that still tells the link the device is there.
  using ReceiveHandler = std::function<void(const char* data, qsizetype size)>;
  // The transport failed; text is the socket's own description. The
  // transport leaves it to the handler to close it.
  using ErrorHandler = std::function<void(const QString& text)>;

  // The largest chunk a network transport sends or reads at once.
  static constexpr qsizetype kIoBuffer = 8192;

  explicit TLinkTransport(QObject* parent = nullptr) : QObject(parent) {}
  ~TLinkTransport() override = default;

  // Starts the transport; does nothing while it is open or on its way.
  // A failure to open leaves it closed and says nothing.
  virtual void open() = 0;
  virtual void close() = 0;
  // Carries bytes now.
  virtual bool isOpen() const = 0;
  // Neither open nor on its way to being open.
  virtual bool isIdle() const { return !isOpen(); }
  // Sends bytes to the device; dropped while the transport is not open.
  virtual void send(const QByteArray& bytes) = 0;

  ReceiveHandler onReceived;
  ErrorHandler onError;

 protected:
  void received(const char* data, qsizetype size) {
    if (onReceived) onReceived(data, size);
  }
  void failed(const QString& text) {
    if (onError) onError(text);
  }

  static bool validPort(int32_t p) { return p >= 0 && p <= 65535; }
  // Only the bytes before the first zero byte of a datagram or a read count.
  static qsizetype cutAtZero(const char* data, qsizetype n) {
    const void* z = std::memchr(data, 0, static_cast<size_t>(n));
    return z ? static_cast<const char*>(z) - data : n;
  }
};
