// The logo framing windows: a small window per rectangle (logo 1 and logo
// 2 of each output, and the capture window of each output) in which the
// operator drags the rectangle, or resizes the capture window, with the
// mouse. One pixel of the paint box is one register step. Writes are paced
// by the device's answers (TFramingDrag): at most one write per register
// is outstanding and the rectangle converges on the pointer's last place.
#pragma once

#include <QPointer>
#include <QWidget>

#include "panel/keying/framing_drag.h"

class QLabel;
class QMouseEvent;
class QPainter;
class TZelvan_d;

namespace zelvan::keying {

// The registers a framing window uses (register indices, Reg::...).
struct TFramingRegisters {
  int hpos, vpos;      // position Ph, Pv
  int hsiz, vsiz;      // size Sh, Sv
  int mode;            // LMODEM / LMODEP
  int family, aspect;  // IFAMM / IFAMP, IASPM / IASPP
};

class TFramingPaintBox;

class TLogoFramingWindow : public QWidget {
  Q_OBJECT
 public:
  TLogoFramingWindow(TZelvan_d* link, const TFramingRegisters& regs, const QString& caption,
                     QWidget* parent = nullptr);

  // The window centres itself over this window each time it is shown.
  void setCentreOver(QWidget* w);
  const TFramingRegisters& registers() const { return regs_; }

  // The device answered a write of the position (tableau_logo_LHPOS1Mchange,
  // tableau_logo_LVPOS1Mchange ... after the window's own registers) or of
  // the size (tableau_logo_LHSIZchange, tableau_logo_LVSIZchange).
  void positionAnswered(bool horizontal);
  void sizeAnswered(bool horizontal);
  void tableau_logo_LHSIZchange() { sizeAnswered(true); }
  void tableau_logo_LVSIZchange() { sizeAnswered(false); }
  // tableau_logo_IASPchange: repaint only.
  void tableau_logo_IASPchange();
  // Sends what the answers allow and repaints.
  void cadragereception();
  // Repaint: the paint box and the window take the size the device's
  // values call for, then the paint box is redrawn.
  void refresh();

  // The paint box size for the device's current values: (Sh + 257) x
  // (Sv + 257) in mode 0, otherwise 257 x 257.
  QSize paintBoxSize() const;
  // The drag state (cursor, queues, answer flags).
  const TFramingDrag& drag() const { return drag_; }

  QWidget* PaintBox1 = nullptr;
  QLabel* Label_x = nullptr;
  QLabel* Label_y = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;

  TZelvan_d* link_;
  TFramingRegisters regs_;

 private:
  friend class TFramingPaintBox;
  void PaintBox1Paint(QPainter& p);
  void PaintBox1MouseDown(QMouseEvent* e);
  void PaintBox1MouseMove(QMouseEvent* e);
  void PaintBox1MouseUp(QMouseEvent* e);
  void applyCursor();
  void centre();

  TFramingDrag drag_;
  QPointer<QWidget> centreOver_;
  FramingCursor shownCursor_ = FramingCursor::Arrow;
  bool refreshQueued_ = false;
};

// The six windows, named after their classes.
class TCadre_logo_1M : public TLogoFramingWindow {
  Q_OBJECT
 public:
  explicit TCadre_logo_1M(TZelvan_d* link, QWidget* parent = nullptr);
  void tableau_logo_LHPOS1Mchange() { positionAnswered(true); }
  void tableau_logo_LVPOS1Mchange() { positionAnswered(false); }
};
class TCadre_logo_2M : public TLogoFramingWindow {
  Q_OBJECT
 public:
  explicit TCadre_logo_2M(TZelvan_d* link, QWidget* parent = nullptr);
  void tableau_logo_LHPOS2Mchange() { positionAnswered(true); }
  void tableau_logo_LVPOS2Mchange() { positionAnswered(false); }
};
class TCadre_logo_1P : public TLogoFramingWindow {
  Q_OBJECT
 public:
  explicit TCadre_logo_1P(TZelvan_d* link, QWidget* parent = nullptr);
  void tableau_logo_LHPOS1Pchange() { positionAnswered(true); }
  void tableau_logo_LVPOS1Pchange() { positionAnswered(false); }
};
class TCadre_logo_2P : public TLogoFramingWindow {
  Q_OBJECT
 public:
  explicit TCadre_logo_2P(TZelvan_d* link, QWidget* parent = nullptr);
  void tableau_logo_LHPOS2Pchange() { positionAnswered(true); }
  void tableau_logo_LVPOS2Pchange() { positionAnswered(false); }
};
class TCadre_logo_Memo_MAIN : public TLogoFramingWindow {
  Q_OBJECT
 public:
  explicit TCadre_logo_Memo_MAIN(TZelvan_d* link, QWidget* parent = nullptr);
  void tableau_logo_LHPCAPMchange() { positionAnswered(true); }
  void tableau_logo_LVPCAPMchange() { positionAnswered(false); }
};
class TCadre_logo_Memo_PREVIEW : public TLogoFramingWindow {
  Q_OBJECT
 public:
  explicit TCadre_logo_Memo_PREVIEW(TZelvan_d* link, QWidget* parent = nullptr);
  void tableau_logo_LHPCAPPchange() { positionAnswered(true); }
  void tableau_logo_LVPCAPPchange() { positionAnswered(false); }
};

}  // namespace zelvan::keying
