// The small arrow button of TSmallCombo: a custom-painted button face with a
// 3D frame while released and a black down arrow at its centre. A click
// releases the button and calls the owner's open operation (OnOpen).
#pragma once

#include <QWidget>
#include <functional>

class TSmallBitBtn : public QWidget {
  Q_OBJECT

 public:
  explicit TSmallBitBtn(QWidget* parent = nullptr);

  bool Pressed() const { return pressed_; }
  // Width of the 3D frame drawn while released (2 by default).
  int FrameWidth() const { return frameWidth_; }
  void SetFrameWidth(int w);

  // Releases the button and runs the owner's open operation, as a mouse
  // click does.
  void Click();

  // The owner's open operation, run on each click.
  std::function<void()> OnOpen;

 Q_SIGNALS:
  void clicked();

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;

 private:
  bool pressed_ = false;
  int frameWidth_ = 2;
};
