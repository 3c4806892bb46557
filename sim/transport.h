// What the simulator's three wire transports have in common: they hand
// received bytes (tagged with the peer they came from) to the hub and send
// every report to every peer they have.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>

namespace zsim {

class Transport : public QObject {
 public:
  using ReceiveHandler = std::function<void(const QString& source, const QByteArray& bytes)>;
  using CloseHandler = std::function<void(const QString& source)>;
  using EventHandler = std::function<void(const QString& text)>;

  explicit Transport(QObject* parent = nullptr) : QObject(parent) {}
  ~Transport() override = default;

  // Sends report bytes to every peer of this transport.
  virtual void send(const QByteArray& bytes) = 0;

  ReceiveHandler onReceived;  // bytes from one peer
  CloseHandler onClosed;      // a peer is gone (its parser state can go)
  EventHandler onEvent;       // connections, refusals, overflows: for the transcript

 protected:
  void received(const QString& source, const QByteArray& bytes) {
    if (onReceived) onReceived(source, bytes);
  }
  void closed(const QString& source) {
    if (onClosed) onClosed(source);
  }
  void event(const QString& text) {
    if (onEvent) onEvent(text);
  }
};

}  // namespace zsim
