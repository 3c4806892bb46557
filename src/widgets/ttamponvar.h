// Slider pacing buffer. A slider moves much faster than the device answers;
// the buffer keeps the positions produced while one command is outstanding
// and, at each report of the register, hands out a position further along
// the queue (about a third of the remaining distance), so that the device
// catches up in a few steps and the last position is always the last sent.
//
// Use with a paced register:
//   slider moved to p:  if (buf.Vide()) link->setX(p);  buf.setAjout(p);
//   register reported:  show it; if (!buf.Vide()) link->setX(buf.ExtraitReadOnly());
#pragma once

#include <QObject>
#include <cstdint>
#include <functional>
#include <vector>

class TTamponVar : public QObject {
  Q_OBJECT

 public:
  // Every event receives the buffer itself.
  using TNotifyEvent = std::function<void(QObject* Sender)>;

  static constexpr uint32_t kSlotCount = 65536;

  explicit TTamponVar(QObject* parent = nullptr);

  // Appends v (the write-only property Ajout). Wraps to slot 0 once 65535
  // slots have been written, firing ONMAX_Pointeur_Writechange.
  void setAjout(int32_t v);
  void Ajout(int32_t v) { setAjout(v); }

  // Takes the next value to send and advances the read pointer. When
  // nothing is queued (Vide() is true) it returns the last value appended
  // (0 if none) and moves nothing.
  int32_t ExtraitReadOnly();

  // True when no queued value remains to be sent.
  bool Vide() const { return vide_; }
  // Writing Vide has no effect; it only fires ONTableauViderchange.
  void setVide(bool);

  uint32_t Pointeur_Write() const { return write_; }
  uint32_t Pointeur_Read() const { return read_; }
  uint32_t MAX_pointeur_Write() const { return maxWrite_; }
  uint32_t MAX_pointeur_Read() const { return maxRead_; }

  TNotifyEvent ONTableauViderchange;
  TNotifyEvent ONPointeur_Writechange;
  TNotifyEvent ONPointeur_Readchange;
  TNotifyEvent ONMAX_Pointeur_Writechange;
  TNotifyEvent ONMAX_Pointeur_Readchange;

 private:
  void fire(const TNotifyEvent& ev) {
    if (ev) ev(this);
  }

  std::vector<int32_t> slots_;
  uint32_t write_ = 0;
  uint32_t read_ = 0;
  uint32_t maxWrite_ = 0;
  uint32_t maxRead_ = 0;
  bool vide_ = true;
};
