// The framing windows: the drag logic against a device that answers when
// told to (zones, cursors, the paced position and size queues, their
// bounds), then the real windows driven with mouse events through a link
// whose reports are fed back as the device would send them (geometry,
// bands, centring, showing).
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <map>

#include "keying_test_support.h"
#include "panel/keying/framing_drag.h"

namespace {

using namespace zelvan::keying;
namespace Reg = zelvan::Reg;

// ------------------------------------------------------------ drag logic

// A device that takes a write when told to answer it, and records every
// write and how many were outstanding at once per register.
class DragTest : public ::testing::Test {
 protected:
  static constexpr int H = Reg::LHPOS2M, V = Reg::LVPOS2M, SH = Reg::LHSIZ2M, SV = Reg::LVSIZ2M,
                       M = Reg::LMODEM;

  void place(uint32_t ph, uint32_t pv, uint32_t sh, uint32_t sv, uint32_t mode) {
    values[H] = ph;
    values[V] = pv;
    values[SH] = sh;
    values[SV] = sv;
    values[M] = mode;
  }

  // The device takes the write in flight for reg (if any) and reports it.
  // Without a write in flight it is a report caused by someone else.
  void answer(int reg) {
    if (outstanding[reg] > 0) {
      --outstanding[reg];
      values[reg] = inFlight[reg];
    }
    drag.answered(reg == H    ? TFramingDrag::HPos
                  : reg == V  ? TFramingDrag::VPos
                  : reg == SH ? TFramingDrag::HSize
                              : TFramingDrag::VSize);
    drag.cadragereception();
  }
  // Answers every write in flight; false when none was.
  bool answerAll() {
    bool any = false;
    for (int reg : {H, V, SH, SV})
      if (outstanding[reg] > 0) {
        answer(reg);
        any = true;
      }
    return any;
  }
  // Answers until nothing is in flight; the number of rounds.
  int drain() {
    int rounds = 0;
    while (answerAll() && rounds < 1000) ++rounds;
    return rounds;
  }
  std::vector<uint32_t> sentTo(int reg) const {
    std::vector<uint32_t> v;
    for (const auto& [r, value] : sends)
      if (r == reg) v.push_back(value);
    return v;
  }
  int maxOutstanding(int reg) { return peak[reg]; }

  std::map<int, uint32_t> values;
  std::vector<std::pair<int, uint32_t>> sends;
  std::map<int, int> outstanding, peak;
  std::map<int, uint32_t> inFlight;
  TFramingDrag drag{{H, V, SH, SV, M},
                    [this](int reg) { return values[reg]; },
                    [this](int reg, uint32_t v) {
                      sends.push_back({reg, v});
                      inFlight[reg] = v;
                      peak[reg] = std::max(peak[reg], ++outstanding[reg]);
                    }};
};

TEST_F(DragTest, PressInTheBodyGrabsAndAMoveSendsTheNewCorner) {
  place(100, 50, 80, 80, 0);
  drag.mouseDown(110, 60, true);
  EXPECT_TRUE(drag.moving());
  EXPECT_EQ(drag.grabX(), 10);
  EXPECT_EQ(drag.grabY(), 10);
  EXPECT_TRUE(sends.empty());

  drag.mouseMove(150, 90, true);
  EXPECT_EQ(sends, (std::vector<std::pair<int, uint32_t>>{{H, 140}, {V, 80}}));
  EXPECT_EQ(drag.cursor(), FramingCursor::Hand);
  EXPECT_EQ(drag.positionCount(), 1);

  // A press outside the body, or with a modifier or another button, grabs nothing.
  drag.mouseUp();
  drag.mouseDown(20, 20, true);
  EXPECT_FALSE(drag.moving());
  drag.mouseDown(110, 60, false);
  EXPECT_FALSE(drag.moving());
}

TEST_F(DragTest, AnswersSendTheSampleHalfwayToTheNewest) {
  place(100, 50, 80, 80, 0);
  drag.mouseDown(110, 60, true);
  for (int i = 0; i <= 8; ++i) drag.mouseMove(110 + i, 60 + 2 * i, true);  // entries 0..8
  ASSERT_EQ(drag.positionCount(), 9);
  EXPECT_EQ(sentTo(H), (std::vector<uint32_t>{100}));
  EXPECT_EQ(sentTo(V), (std::vector<uint32_t>{50}));

  for (int k = 0; k < 4; ++k) answerAll();
  // Entries 0, 5, 7 and 8 follow the first write.
  EXPECT_EQ(sentTo(H), (std::vector<uint32_t>{100, 100, 105, 107, 108}));
  EXPECT_EQ(sentTo(V), (std::vector<uint32_t>{50, 50, 60, 64, 66}));
  EXPECT_EQ(drag.positionCount(), 9);
  // The next answers empty the queue without sending.
  answerAll();
  EXPECT_EQ(drag.positionCount(), 0);
  EXPECT_EQ(sends.size(), 10u);
  EXPECT_EQ(values[H], 108u);
  EXPECT_EQ(values[V], 66u);
}

TEST_F(DragTest, ADragAgainstAnAnsweringDeviceKeepsOneWriteInFlightAndEndsOnThePointer) {
  place(100, 50, 80, 80, 0);
  drag.mouseDown(120, 70, true);
  // The pointer wanders; the device answers after every third sample.
  uint32_t x = 0, y = 0;
  for (int i = 0; i < 600; ++i) {
    const int px = 20 + (i * 7) % 230, py = 20 + (i * 13) % 220;
    drag.mouseMove(px, py, true);
    x = uint32_t(std::min(px - 20, 255));
    y = uint32_t(std::min(py - 20, 255));
    if (i % 3 == 2) answerAll();
  }
  drag.mouseUp();  // the queue drains after the release
  EXPECT_LE(drain(), 20);
  EXPECT_EQ(maxOutstanding(H), 1);
  EXPECT_EQ(maxOutstanding(V), 1);
  EXPECT_EQ(values[H], x);
  EXPECT_EQ(values[V], y);
  EXPECT_EQ(drag.positionCount(), 0);
}

TEST_F(DragTest, CursorFollowsTheZonesAndHoveringSendsNothing) {
  place(100, 50, 80, 80, 1);
  drag.mouseMove(97, 47, false);  // within 7 of the corner
  EXPECT_EQ(drag.cursor(), FramingCursor::FourWay);
  EXPECT_TRUE(drag.hovering());
  drag.mouseMove(130, 80, false);
  EXPECT_EQ(drag.cursor(), FramingCursor::Hand);
  drag.mouseMove(165, 80, false);  // right strip: x >= 100 + 60
  EXPECT_EQ(drag.cursor(), FramingCursor::SizeHorizontal);
  drag.mouseMove(130, 115, false);  // bottom strip: y >= 50 + 60
  EXPECT_EQ(drag.cursor(), FramingCursor::SizeVertical);
  drag.mouseMove(165, 115, false);  // beyond both strips
  EXPECT_EQ(drag.cursor(), FramingCursor::Arrow);
  drag.mouseMove(10, 10, false);
  EXPECT_EQ(drag.cursor(), FramingCursor::Arrow);
  EXPECT_TRUE(sends.empty());

  // Three quarters in real arithmetic: Sh = 81 puts the strip at 160.75.
  values[SH] = 81;
  drag.mouseMove(160, 80, false);
  EXPECT_EQ(drag.cursor(), FramingCursor::Hand);
  drag.mouseMove(161, 80, false);
  EXPECT_EQ(drag.cursor(), FramingCursor::SizeHorizontal);

  // In mode 0 there are no strips.
  values[M] = 0;
  drag.mouseMove(165, 80, false);
  EXPECT_EQ(drag.cursor(), FramingCursor::Arrow);
}

TEST_F(DragTest, DraggingFromTheCornerOrOutsidePutsTheCornerAtThePointer) {
  place(100, 50, 80, 80, 0);
  drag.mouseMove(97, 47, false);
  drag.mouseDown(97, 47, true);  // the corner is not the body: no grab
  EXPECT_FALSE(drag.moving());
  drag.mouseMove(60, 30, true);
  EXPECT_EQ(drag.cursor(), FramingCursor::FourWay);
  EXPECT_EQ(sends, (std::vector<std::pair<int, uint32_t>>{{H, 60}, {V, 30}}));
  drain();
  drag.mouseUp();

  // Outside the rectangle with the arrow, in mode 0 where strips do not exist.
  sends.clear();
  drag.mouseMove(200, 10, true);
  EXPECT_EQ(drag.cursor(), FramingCursor::Arrow);
  EXPECT_EQ(sends, (std::vector<std::pair<int, uint32_t>>{{H, 200}, {V, 10}}));
}

TEST_F(DragTest, NegativeSamplesAreNotTakenAndLargeOnesAreLimited) {
  place(100, 50, 80, 80, 0);
  drag.mouseMove(-1, 10, true);
  drag.mouseMove(10, -3, true);
  EXPECT_TRUE(sends.empty());
  drag.mouseMove(400, 300, true);
  EXPECT_EQ(sends, (std::vector<std::pair<int, uint32_t>>{{H, 255}, {V, 255}}));
  // Without the left button alone nothing is taken.
  sends.clear();
  drain();
  sends.clear();
  drag.mouseMove(20, 20, false);
  EXPECT_TRUE(sends.empty());
}

TEST_F(DragTest, RightStripResizeWaitsForTwoAnswersThenSendsTheLatestSize) {
  place(100, 50, 80, 80, 1);
  drag.mouseMove(170, 70, false);
  drag.mouseMove(180, 70, true);
  EXPECT_TRUE(drag.sizingHorizontally());
  EXPECT_EQ(drag.cursor(), FramingCursor::SizeHorizontal);
  EXPECT_EQ(sends, (std::vector<std::pair<int, uint32_t>>{{SH, 80}}));

  drag.mouseMove(190, 70, true);
  drag.mouseMove(200, 70, true);
  EXPECT_EQ(sends.size(), 1u);
  EXPECT_EQ(drag.pendingSizeH(), 100);
  answer(SH);  // the first answer resends the first sample
  EXPECT_EQ(sentTo(SH), (std::vector<uint32_t>{80, 80}));
  answer(SH);  // the second drains the queue; the pointer's latest size goes out
  EXPECT_EQ(sentTo(SH), (std::vector<uint32_t>{80, 80, 100}));
  EXPECT_EQ(drain(), 2);
  EXPECT_EQ(values[SH], 100u);
  EXPECT_TRUE(drag.sizesH().empty());
  EXPECT_EQ(maxOutstanding(SH), 1);
  EXPECT_TRUE(sentTo(H).empty());
}

TEST_F(DragTest, BottomStripResizesVerticallyAndBlocksPositionsUntilDrained) {
  place(100, 50, 80, 80, 1);
  drag.mouseMove(130, 120, true);  // bottom strip starts at 110
  EXPECT_TRUE(drag.sizingVertically());
  EXPECT_EQ(sends, (std::vector<std::pair<int, uint32_t>>{{SV, 70}}));
  drag.mouseUp();
  // While the size queue waits, a move drag takes no position.
  drag.mouseDown(120, 70, true);
  drag.mouseMove(125, 75, true);
  EXPECT_EQ(sends.size(), 1u);
  answer(SV);
  answer(SV);
  EXPECT_TRUE(drag.sizesV().empty());
  drag.mouseMove(126, 76, true);
  EXPECT_EQ(sentTo(H), (std::vector<uint32_t>{106}));
  EXPECT_EQ(sentTo(V), (std::vector<uint32_t>{56}));
}

TEST_F(DragTest, FastSizeDragEndsOnTheSizeWhereThePointerStoppedEvenAfterRelease) {
  place(100, 50, 80, 80, 1);
  for (int x = 180; x <= 240; x += 5) drag.mouseMove(x, 70, true);
  drag.mouseUp();
  EXPECT_EQ(sentTo(SH), (std::vector<uint32_t>{80}));
  drain();
  EXPECT_EQ(values[SH], 140u);
  EXPECT_EQ(sentTo(SH).back(), 140u);
  EXPECT_EQ(maxOutstanding(SH), 1);
  EXPECT_EQ(drag.pendingSizeH(), -1);
  // Once drained, nothing more is sent.
  const size_t count = sends.size();
  answer(SH);
  EXPECT_EQ(sends.size(), count);
}

TEST_F(DragTest, StaleAnswerFlagsNeverReleaseASecondWrite) {
  place(100, 50, 80, 80, 1);
  // Reports of the registers arrive while no drag runs (a slider, the
  // device's own updates): their flags are set with nothing in flight.
  answer(H);
  answer(V);
  answer(SH);
  ASSERT_TRUE(drag.answerFlag(TFramingDrag::HPos));
  drag.mouseDown(120, 70, true);
  drag.mouseMove(125, 75, true);
  drag.mouseMove(130, 80, true);
  ASSERT_EQ(outstanding[H], 1);
  // The V write is answered; the H write is still in flight.
  answer(V);
  EXPECT_EQ(maxOutstanding(H), 1);
  EXPECT_EQ(sentTo(H).size(), 1u);
  drain();
  EXPECT_EQ(maxOutstanding(H), 1);
  EXPECT_EQ(maxOutstanding(V), 1);
  EXPECT_EQ(values[H], 110u);
  EXPECT_EQ(values[V], 60u);
  drag.mouseUp();

  // The same for a size write: a stale size flag does not resend at once.
  drag.mouseMove(200, 70, true);  // right strip of the rectangle now at 110
  ASSERT_EQ(sentTo(SH), (std::vector<uint32_t>{90}));
  answer(V);  // any refresh runs the answer processing
  EXPECT_EQ(sentTo(SH).size(), 1u);
  EXPECT_EQ(maxOutstanding(SH), 1);
}

TEST_F(DragTest, SeventyThousandUnansweredMovesStayBoundedAndTheLastIsSentLast) {
  place(0, 0, 10, 10, 0);
  for (int i = 0; i < 70000; ++i) drag.mouseMove(i % 251, (i / 251) % 241, true);
  drag.mouseMove(77, 33, true);
  EXPECT_EQ(drag.positionCount(), TStepQueue::kCapacity);
  EXPECT_LE(drag.positionsH().allocated(), size_t(TStepQueue::kCapacity));
  EXPECT_LE(drag.positionsV().allocated(), size_t(TStepQueue::kCapacity));
  EXPECT_EQ(drag.positionsH().last(), 77);
  EXPECT_EQ(drag.positionsV().last(), 33);
  EXPECT_EQ(sends.size(), 2u);

  const int rounds = drain();
  EXPECT_LE(rounds, 20);
  EXPECT_EQ(sentTo(H).back(), 77u);
  EXPECT_EQ(sentTo(V).back(), 33u);
  EXPECT_EQ(values[H], 77u);
  EXPECT_EQ(values[V], 33u);
  EXPECT_EQ(drag.positionCount(), 0);
}

TEST_F(DragTest, AFullQueueStillSendsASampleTakenAfterItsNewestEntryWentOut) {
  place(0, 0, 10, 10, 0);
  for (int i = 0; i < TStepQueue::kCapacity; ++i) drag.mouseMove(i % 200, 5, true);
  // Only H answers: its reads reach the end while V waits.
  for (int k = 0; k < 40 && drag.readH() < drag.positionCount(); ++k) answer(H);
  ASSERT_EQ(drag.readH(), drag.positionCount());
  ASSERT_EQ(inFlight[H], uint32_t((TStepQueue::kCapacity - 1) % 200));
  drag.mouseMove(9, 6, true);  // overwrites the newest entry
  answer(V);
  drain();
  EXPECT_EQ(values[H], 9u);
  EXPECT_EQ(values[V], 6u);
  EXPECT_EQ(maxOutstanding(H), 1);
}

TEST_F(DragTest, DeviceValuesUpToTwoToThe32AreClampedBeforeUse) {
  EXPECT_EQ(TFramingDrag::step(0), 0);
  EXPECT_EQ(TFramingDrag::step(255), 255);
  EXPECT_EQ(TFramingDrag::step(256), 255);
  EXPECT_EQ(TFramingDrag::step(0x80000000u), 255);
  EXPECT_EQ(TFramingDrag::step(0xFFFFFFFFu), 255);

  place(0xFFFFFFFFu, 0x80000000u, 0xFFFFFFFFu, 0xFFFFFFFFu, 1);
  const TFramingGeometry g = drag.geometry();
  EXPECT_EQ(g.ph, 255);
  EXPECT_EQ(g.pv, 255);
  EXPECT_EQ(g.sh, 255);
  EXPECT_EQ(g.sv, 255);
  drag.mouseDown(260, 262, true);  // inside the clamped body (255..446)
  EXPECT_TRUE(drag.moving());
  EXPECT_EQ(drag.grabX(), 5);
  EXPECT_EQ(drag.grabY(), 7);
  drag.mouseMove(250, 250, true);
  EXPECT_EQ(sends, (std::vector<std::pair<int, uint32_t>>{{H, 245}, {V, 243}}));
}

TEST_F(DragTest, ResetEmptiesTheQueuesAndEndsTheGesture) {
  place(100, 50, 80, 80, 1);
  drag.mouseDown(120, 70, true);
  drag.mouseMove(125, 75, true);
  drag.mouseMove(130, 75, true);
  ASSERT_EQ(drag.positionCount(), 2);
  drag.reset();
  EXPECT_EQ(drag.positionCount(), 0);
  EXPECT_TRUE(drag.sizesH().empty());
  EXPECT_TRUE(drag.sizesV().empty());
  EXPECT_EQ(drag.readH(), 1);
  EXPECT_EQ(drag.readV(), 1);
  EXPECT_EQ(drag.readSizeH(), 1);
  EXPECT_EQ(drag.readSizeV(), 1);
  EXPECT_FALSE(drag.moving());
  EXPECT_EQ(drag.cursor(), FramingCursor::Arrow);
  // The next drag starts a new queue at once, though nothing was answered.
  sends.clear();
  drag.mouseMove(40, 30, true);
  EXPECT_EQ(sends, (std::vector<std::pair<int, uint32_t>>{{H, 40}, {V, 30}}));
}

// ---------------------------------------------------------------- windows

class FramingWindowTest : public keying_test::KeyingTest {
 protected:
  // Routes the window's answers as the placement code does.
  void route(TLogoFramingWindow* w) {
    const TFramingRegisters& r = w->registers();
    router.add(r.hpos, zelvan::app::RoutePos::Keying, QStringLiteral("test: h"),
               [w] { w->positionAnswered(true); });
    router.add(r.vpos, zelvan::app::RoutePos::Keying, QStringLiteral("test: v"),
               [w] { w->positionAnswered(false); });
    router.add(r.hsiz, zelvan::app::RoutePos::Keying, QStringLiteral("test: sh"),
               [w] { w->sizeAnswered(true); });
    router.add(r.vsiz, zelvan::app::RoutePos::Keying, QStringLiteral("test: sv"),
               [w] { w->sizeAnswered(false); });
    answering = {r.hpos, r.vpos, r.hsiz, r.vsiz};
  }
  void report(int reg, uint32_t v) {
    const auto name = zelvan::registerInfo(reg).name;
    link.ProcessReceived(QByteArray(name.data(), qsizetype(name.size())) + QByteArray::number(v) + "\r\n");
  }
  // The device answers every command sent so far (not those its answers
  // cause); the number answered.
  int echo() {
    const qsizetype upTo = sent.size();
    int n = 0;
    for (; echoed < upTo; ++echoed) {
      const QString cmd = sent.at(echoed);
      qsizetype digits = 0;
      while (digits < cmd.size() && cmd.at(digits).isDigit()) ++digits;
      for (int reg : answering)
        if (QLatin1String(zelvan::registerInfo(reg).code.data(),
                          qsizetype(zelvan::registerInfo(reg).code.size())) == cmd.mid(digits)) {
          report(reg, cmd.left(digits).toUInt());
          ++n;
        }
    }
    return n;
  }
  int echoUntilQuiet() {
    int rounds = 0;
    while (echo() > 0 && rounds < 100) ++rounds;
    return rounds;
  }
  QStringList sentSince(qsizetype from) const { return sent.mid(from); }

  // A move with these buttons and keys held, as the platform delivers it.
  static void mouseMove(QWidget* w, QPoint at, Qt::MouseButtons buttons, Qt::KeyboardModifiers keys) {
    QMouseEvent e(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, buttons, keys);
    QApplication::sendEvent(w, &e);
  }
  // A move without buttons (hovering).
  static void hover(QWidget* w, QPoint at) { mouseMove(w, at, Qt::NoButton, Qt::NoModifier); }
  static int blackInRow(const QImage& img, int y, int x1, int x2) {
    int n = 0;
    for (int x = x1; x <= x2; ++x) n += qGray(img.pixel(x, y)) < 128 ? 1 : 0;
    return n;
  }

  TLogoFramingWindow* window(int output, Framing which) { return host->framingWindow(output, which); }

  std::vector<int> answering;
  qsizetype echoed = 0;
};

TEST_F(FramingWindowTest, EachWindowIsAWhiteFixedToolWindowWithItsRegisters) {
  struct Expect {
    int output;
    Framing which;
    const char* caption;
    int hpos, hsiz, mode, family;
  };
  const Expect expected[] = {
      {1, Framing::Logo1, "Logo mouse driver (Main logo 1)", Reg::LHPOS1M, Reg::LHSIZ1M, Reg::LMODEM,
       Reg::IFAMM},
      {1, Framing::Logo2, "Logo mouse driver (Main logo 2)", Reg::LHPOS2M, Reg::LHSIZ2M, Reg::LMODEM,
       Reg::IFAMM},
      {2, Framing::Logo1, "Logo mouse driver (Preview logo 1)", Reg::LHPOS1P, Reg::LHSIZ1P, Reg::LMODEP,
       Reg::IFAMP},
      {2, Framing::Logo2, "Logo mouse driver (Preview logo 2)", Reg::LHPOS2P, Reg::LHSIZ2P, Reg::LMODEP,
       Reg::IFAMP},
      {1, Framing::Capture, "Logo mouse driver (Main logo 1)", Reg::LHPCAPM, Reg::LHSIZ1M, Reg::LMODEM,
       Reg::IFAMM},
      {2, Framing::Capture, "Logo mouse driver (Preview logo 1)", Reg::LHPCAPP, Reg::LHSIZ1P, Reg::LMODEP,
       Reg::IFAMP},
  };
  for (const Expect& e : expected) {
    TLogoFramingWindow* w = window(e.output, e.which);
    ASSERT_TRUE(w);
    SCOPED_TRACE(e.caption);
    EXPECT_EQ(w->windowTitle(), QString::fromLatin1(e.caption));
    EXPECT_EQ(w->registers().hpos, e.hpos);
    EXPECT_EQ(w->registers().hsiz, e.hsiz);
    EXPECT_EQ(w->registers().mode, e.mode);
    EXPECT_EQ(w->registers().family, e.family);
    EXPECT_EQ(w->windowType(), Qt::Tool);
    EXPECT_TRUE(w->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(w->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(w->minimumSize(), w->maximumSize());
    EXPECT_EQ(w->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_TRUE(w->autoFillBackground());
    QWidget* box = w->findChild<QWidget*>(QStringLiteral("PaintBox1"));
    ASSERT_EQ(box, w->PaintBox1);
    EXPECT_EQ(box->pos(), QPoint(0, 0));
    EXPECT_EQ(box->size(), w->size());
    auto* lx = w->findChild<QLabel*>(QStringLiteral("Label_x"));
    auto* ly = w->findChild<QLabel*>(QStringLiteral("Label_y"));
    ASSERT_TRUE(lx && ly);
    EXPECT_EQ(lx->text(), QStringLiteral("H :=....."));
    EXPECT_EQ(ly->text(), QStringLiteral("V :=....."));
    EXPECT_TRUE(lx->isHidden());
    EXPECT_TRUE(ly->isHidden());
  }
}

TEST_F(FramingWindowTest, MouseDragMovesTheRectangleThroughTheDevice) {
  TLogoFramingWindow* w = window(1, Framing::Logo2);
  route(w);
  feed({"LHPB100", "LVPB50", "LHSB80", "LVSB80", "LMOD0"});
  w->show();
  sent.clear();
  QWidget* box = w->PaintBox1;

  QTest::mousePress(box, Qt::LeftButton, Qt::NoModifier, QPoint(110, 60));
  QTest::mouseMove(box, QPoint(150, 90));
  EXPECT_EQ(sent, (QStringList{"140Lh", "80Lv"}));
  EXPECT_EQ(box->cursor().shape(), Qt::PointingHandCursor);
  QTest::mouseMove(box, QPoint(160, 100));
  QTest::mouseMove(box, QPoint(175, 105));
  EXPECT_EQ(sent.size(), 2);  // one write per register in flight
  QTest::mouseRelease(box, Qt::LeftButton, Qt::NoModifier, QPoint(175, 105));

  EXPECT_LE(echoUntilQuiet(), 6);
  EXPECT_EQ(link.LHPOS2M(), 165u);
  EXPECT_EQ(link.LVPOS2M(), 95u);
  EXPECT_EQ(w->drag().positionCount(), 0);
  EXPECT_EQ(sent.mid(sent.size() - 2), (QStringList{"165Lh", "95Lv"}));
  // A Shift-drag moves nothing.
  const qsizetype before = sent.size();
  QTest::mousePress(box, Qt::LeftButton, Qt::ShiftModifier, QPoint(170, 100));
  mouseMove(box, QPoint(200, 120), Qt::LeftButton, Qt::ShiftModifier);
  QTest::mouseRelease(box, Qt::LeftButton, Qt::ShiftModifier, QPoint(200, 120));
  EXPECT_EQ(sent.size(), before);
  w->close();
}

TEST_F(FramingWindowTest, CaptureWindowResizeByTheStripEndsOnTheLastSize) {
  TLogoFramingWindow* w = window(1, Framing::Capture);
  route(w);
  feed({"LHCP100", "LVCP50", "LHSA80", "LVSA80", "LMOD1"});
  w->show();
  sent.clear();
  QWidget* box = w->PaintBox1;

  hover(box, QPoint(170, 70));
  EXPECT_EQ(box->cursor().shape(), Qt::SizeHorCursor);
  hover(box, QPoint(130, 115));
  EXPECT_EQ(box->cursor().shape(), Qt::SizeVerCursor);
  hover(box, QPoint(101, 51));
  EXPECT_EQ(box->cursor().shape(), Qt::SizeAllCursor);
  hover(box, QPoint(20, 200));
  EXPECT_EQ(box->cursor().shape(), Qt::ArrowCursor);

  hover(box, QPoint(170, 70));
  QTest::mousePress(box, Qt::LeftButton, Qt::NoModifier, QPoint(170, 70));
  QTest::mouseMove(box, QPoint(180, 70));
  EXPECT_EQ(sent, (QStringList{"80LW"}));
  QTest::mouseMove(box, QPoint(205, 70));
  QTest::mouseMove(box, QPoint(230, 71));
  EXPECT_EQ(sent.size(), 1);
  QTest::mouseRelease(box, Qt::LeftButton, Qt::NoModifier, QPoint(230, 71));

  echoUntilQuiet();
  EXPECT_EQ(sent, (QStringList{"80LW", "80LW", "130LW", "130LW"}));
  EXPECT_EQ(link.LHSIZ1M(), 130u);
  EXPECT_TRUE(w->drag().sizesH().empty());
  w->close();
}

TEST_F(FramingWindowTest, PaintBoxFollowsTheModeAndClampedSizes) {
  TLogoFramingWindow* w = window(1, Framing::Logo2);
  feed({"LHPB255", "LVPB10", "LHSB80", "LVSB40", "LMOD0"});
  w->tableau_logo_IASPchange();
  EXPECT_EQ(w->PaintBox1->size(), QSize(337, 297));
  EXPECT_EQ(w->size(), QSize(337, 297));
  // A rectangle at Ph = 255 still shows whole: its right edge is black.
  const QImage img = w->PaintBox1->grab().toImage();
  EXPECT_LT(qGray(img.pixel(335, 30)), 128);
  EXPECT_LT(qGray(img.pixel(290, 50)), 128);
  EXPECT_GT(qGray(img.pixel(300, 30)), 128);  // inside: white

  feed({"LMOD1"});
  w->tableau_logo_IASPchange();
  EXPECT_EQ(w->PaintBox1->size(), QSize(257, 257));
  EXPECT_EQ(w->size(), QSize(257, 257));

  // Sizes up to 2^32 - 1 never make more than a 512 x 512 box.
  feed({"LMOD0", "LHSB4294967295", "LVSB2147483648", "LHPB4294967295"});
  w->tableau_logo_IASPchange();
  EXPECT_EQ(w->PaintBox1->size(), QSize(512, 512));
  EXPECT_FALSE(w->PaintBox1->grab().isNull());
}

TEST_F(FramingWindowTest, SizeChangesWithoutARefreshAreTakenAfterThePaint) {
  TLogoFramingWindow* w = window(1, Framing::Logo2);
  feed({"LHSB80", "LVSB40", "LMOD1"});
  w->tableau_logo_IASPchange();
  ASSERT_EQ(w->PaintBox1->size(), QSize(257, 257));
  feed({"LMOD0"});
  w->PaintBox1->grab();  // paints with the old size, resizes nothing while painting
  EXPECT_EQ(w->PaintBox1->size(), QSize(257, 257));
  QCoreApplication::processEvents();
  EXPECT_EQ(w->PaintBox1->size(), QSize(337, 297));
}

TEST_F(FramingWindowTest, BandsShowWhereA16by9PictureDoesNotReach) {
  TLogoFramingWindow* w = window(1, Framing::Logo1);
  feed({"IFA25", "ASP0", "LMOD1", "LHPA150", "LVPA100", "LHSA20", "LVSA20"});
  w->tableau_logo_IASPchange();
  QImage img = w->PaintBox1->grab().toImage();
  ASSERT_EQ(img.size(), QSize(257, 257));
  for (int y : {1, 16, 32, 224, 240, 255}) EXPECT_GT(blackInRow(img, y, 2, 140), 0) << "row " << y;
  for (int y : {33, 34, 120, 222, 223}) EXPECT_EQ(blackInRow(img, y, 2, 140), 0) << "row " << y;

  // Family 24 (4:3) has none; family 17 has them at aspect 2 only.
  feed({"IFA24"});
  img = w->PaintBox1->grab().toImage();
  EXPECT_EQ(blackInRow(img, 16, 2, 140), 0);
  feed({"IFA17"});
  img = w->PaintBox1->grab().toImage();
  EXPECT_EQ(blackInRow(img, 16, 2, 140), 0);
  feed({"ASP2"});
  img = w->PaintBox1->grab().toImage();
  EXPECT_GT(blackInRow(img, 16, 2, 140), 0);

  // Mode 0 with Sh = Sv = 0: m = (255 - 255000 div 1333) div 2 = 32.
  feed({"LMOD0", "LHSA0", "LVSA0", "LHPA200", "LVPA200"});
  w->tableau_logo_IASPchange();
  img = w->PaintBox1->grab().toImage();
  ASSERT_EQ(img.size(), QSize(257, 257));
  EXPECT_GT(blackInRow(img, 31, 2, 150), 0);
  EXPECT_EQ(blackInRow(img, 32, 2, 150), 0);
  EXPECT_EQ(blackInRow(img, 222, 2, 150), 0);
  EXPECT_GT(blackInRow(img, 223, 2, 150), 0);
  EXPECT_GT(blackInRow(img, 254, 2, 150), 0);

  // A wide box whose bands would be negative draws none.
  feed({"LHSA255", "LVSA0"});
  w->tableau_logo_IASPchange();
  img = w->PaintBox1->grab().toImage();
  EXPECT_EQ(blackInRow(img, 10, 2, 150), 0);
}

TEST_F(FramingWindowTest, ShowingCentresOverTheWindowAndStartsAFreshQueue) {
  TLogoFramingWindow* w = window(1, Framing::Logo2);
  route(w);
  feed({"LHPB100", "LVPB50", "LHSB80", "LVSB80", "LMOD1"});
  host->mainWindow.setGeometry(200, 150, 900, 600);
  w->setCentreOver(&host->mainWindow);
  w->show();
  const QPoint c = host->mainWindow.frameGeometry().center();
  EXPECT_LE((w->frameGeometry().center() - c).manhattanLength(), 2);

  // No answers: the drag only appends.
  sent.clear();
  QWidget* box = w->PaintBox1;
  QTest::mousePress(box, Qt::LeftButton, Qt::NoModifier, QPoint(110, 60));
  QTest::mouseMove(box, QPoint(120, 70));
  QTest::mouseMove(box, QPoint(130, 80));
  EXPECT_EQ(sent.size(), 2);
  w->close();  // closed by a mode change while the button is held
  QTest::mouseRelease(box, Qt::LeftButton, Qt::NoModifier, QPoint(130, 80));

  host->mainWindow.setGeometry(300, 100, 700, 500);
  w->show();
  EXPECT_LE((w->frameGeometry().center() - host->mainWindow.frameGeometry().center()).manhattanLength(), 2);
  EXPECT_EQ(w->drag().positionCount(), 0);
  EXPECT_EQ(w->drag().readH(), 1);
  QTest::mousePress(box, Qt::LeftButton, Qt::NoModifier, QPoint(110, 60));
  QTest::mouseMove(box, QPoint(140, 70));
  EXPECT_EQ(sentSince(2), (QStringList{"130Lh", "60Lv"}));
  QTest::mouseRelease(box, Qt::LeftButton, Qt::NoModifier, QPoint(140, 70));
  w->close();
}

}  // namespace
