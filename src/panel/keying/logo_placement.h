// Logo keying and placement of one output: the per-input assignment of
// frames and logos (the memory lists of the input strip), the per-input
// transparency, the positions of logo 1 and logo 2, the capture window and
// its size while recording a logo (each paced by its value buffer), the
// recorded-format rows, the framing windows' refreshes, and which groups
// the logo page shows in each sequencer mode. TLogoCommonControls holds the
// registers both outputs share: luma key, background colour, and the logo
// and frame fade durations.
#pragma once

#include <QAbstractSlider>
#include <QLineEdit>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "panel/keying/keying_context.h"

class QAbstractButton;
class QEvent;
class QLabel;
class QScrollBar;
class QWidget;
class TTamponVar;

namespace zelvan::app {
class TReportRouter;
class TTickSchedule;
}  // namespace zelvan::app

namespace zelvan::keying {

class TLogoFramingWindow;

class TLogoPlacement : public QObject {
  Q_OBJECT
 public:
  TLogoPlacement(TKeyingContext& ctx, int output, QObject* parent = nullptr);

  // Builds the page's groups inside `area` (below the mode bar) and the
  // per-input transparency pictures, row captions and slider in the
  // output's input strip (TKeyingHost::inputStrip).
  void build(QWidget* page, QWidget* area);
  // The memory lists exist from start-up on: their click handlers are
  // connected here.
  void startUp();
  void addRoutes(zelvan::app::TReportRouter& router);
  // The transparency slider follows the pointer (tick).
  void transparencyTick();

  // ---- offered to the other keying panels and the signal panels ----
  // The page layout part of the LMODE change handler.
  void Zelvan_d1LMODEMchange();
  // cacheropenclose_cadrelogo_M / _P.
  void cacheropenclose_cadrelogo();
  // Rows 11 and 12 of the output's status grid and the format labels.
  void refreshFormatRows();
  // The framing windows of the output repaint (aspect changed).
  void refreshFraming();

  // Where the pointer is, in global coordinates (QCursor::pos() unless a
  // test puts its own in).
  std::function<QPoint()> pointerPosition;
  // Hands a device answer to a framing window: `size` tells a size answer
  // from a position answer. By default it calls the window's sizeAnswered /
  // positionAnswered; tests watch which windows hear which answers.
  std::function<void(TLogoFramingWindow* window, bool size, bool horizontal)> framingAnswered;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The paced position and size controls of the page.
  enum Paced { HPos1, VPos1, HPos2, VPos2, HCap, VCap, HSiz, VSiz, kPacedCount };
  struct PacedControl {
    int reg = -1;
    QScrollBar* bar = nullptr;
    QLineEdit* edit = nullptr;
    TTamponVar* buffer = nullptr;
  };
  // Logo 1 or logo 2 position controls: the hideable group and the
  // controls cacheropenclose drives (the Mouse button among them).
  struct LogoGroup {
    QWidget* panel = nullptr;
    QAbstractButton* mouse = nullptr;
    QList<QWidget*> controls;
  };

  // The object name of a control of this output: Main names as given,
  // Preview names with their final output letter M turned into P.
  QString twinName(const char* mainName) const;
  QWidget* buildGroup(QWidget* parent, const char* name, const QString& title, int x, int y, int w, int h);
  void buildRow(QWidget* group, int y, Paced p, int reg, int minimum, const char* label,
                const QString& caption, const char* bar, const char* edit, const char* bevel,
                QList<QWidget*>* controls);
  void buildStrip();

  // ---- paced sliders and their boxes ----
  void pacedScroll(Paced p, int code, int pos);
  void pacedKeyPress(Paced p);
  void pacedReported(Paced p);
  // Position or size answer of `reg` for every showing window that uses it.
  void answerFramingWindows(int reg);
  void sizeReported(int reg);

  // ---- assignment ----
  TSmallCombo* memoryCombo(int kind, int input) const;
  void assignmentClick(int kind, int input);
  // Sets input k's three lists from the mirrored slots.
  void restoreCombos(int input);
  void Zelvan_d1LPLOGO1Mchange();
  void Zelvan_d1LPLOGO2Mchange();
  void slot1Shown(int input, uint32_t v);
  void slot2Shown(int input, uint32_t v);
  // The inputs a per-channel report applies to (1..8 for PCHAN 0).
  std::vector<int> reportedInputs() const;

  // ---- transparency ----
  void Image_Transparence_logo_pchanMouseDown(int input);
  void transparencyScroll(bool released, int pos);
  void transparencyWheel(int delta);
  void Zelvan_d1LPTRANSMchange();
  uint32_t transparencyOf(int input) const;
  void setTransparencyHint();

  // ---- page ----
  void Zelvan_d1LOFMTchange(int which);
  void Logo_by_mouse(int which);
  QAbstractButton* displayButton(int input) const;
  uint32_t mode() const;

  TKeyingContext& ctx_;
  const int output_;
  bool connected_ = false;
  QWidget* area_ = nullptr;
  std::array<PacedControl, kPacedCount> paced_{};
  std::array<LogoGroup, 2> logo_{};
  QWidget* capturePosition_ = nullptr;
  QWidget* captureSize_ = nullptr;
  QWidget* picture_ = nullptr;
  std::array<QLabel*, 2> formatLabels_{};
  std::array<QLabel*, 8> pictures_{};
  QLabel* rowCaptions_ = nullptr;
  QScrollBar* transparency_ = nullptr;
  bool transparencyDragged_ = false;
};

class TLogoCommonControls : public QObject {
  Q_OBJECT
 public:
  explicit TLogoCommonControls(TKeyingContext& ctx, QObject* parent = nullptr);

  // Builds the luma key, background colour and fade controls of both
  // pages inside the two areas; mode layouts show and hide them.
  void build(QWidget* areaMain, QWidget* areaPreview);
  // LLEVEL, LBACKCOLOR, LLOGODUR, LFRAMEDUR.
  void addRoutes(zelvan::app::TReportRouter& router);
  // A frame fade box and slider of another window (Matrix window, Matrix
  // settings window) that follows LFRAMEDUR (slider range 10..50).
  void addFrameFadeMirror(QLineEdit* edit, QAbstractSlider* slider);

  // The groups of an output's page for a sequencer mode: luma key and
  // background colour while recording (1, 2), the logo fade in use (0),
  // the frame fade never; nothing in any other mode.
  void layoutForMode(int output, uint32_t mode);

  // Conv_fade_frame_en_seconde / Conv_fade_logo_en_seconde: duration texts.
  static QString Conv_fade_frame_en_seconde(uint32_t units);
  static QString Conv_fade_logo_en_seconde(uint32_t units);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum Kind { Luma, BackColour, LogoFade, FrameFade, kKindCount };
  struct Control {
    QPointer<QWidget> group;
    QPointer<QAbstractSlider> bar;
    QPointer<QLineEdit> edit;
  };

  void buildPage(int output, QWidget* area);
  void connectSlider(QAbstractSlider* bar, Kind kind);
  void connectEdit(QLineEdit* edit, Kind kind, int frameFadeMinimum);
  void scrolled(QAbstractSlider* bar, Kind kind, bool ended);
  void keyPress(QLineEdit* edit, Kind kind, int frameFadeMinimum);
  void reported(Kind kind);
  static int regOf(Kind kind);
  QString text(Kind kind, uint32_t value) const;

  TKeyingContext& ctx_;
  // [output - 1][kind], then the mirrors of the frame fade.
  std::array<std::array<Control, kKindCount>, 2> pages_{};
  std::vector<Control> frameFadeMirrors_;
};

}  // namespace zelvan::keying
