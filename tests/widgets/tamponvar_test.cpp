#include <gtest/gtest.h>

#include <vector>

#include "widgets/ttamponvar.h"

namespace {

// The main window's use of a buffer for one paced register: a slider
// position is sent at once when nothing is outstanding and always queued;
// each report of the register releases the next queued position.
struct PacedSlider {
  TTamponVar buf;
  std::vector<int> sent;

  void move(int p) {
    if (buf.Vide()) sent.push_back(p);
    buf.setAjout(p);
  }
  void report() {
    if (!buf.Vide()) sent.push_back(buf.ExtraitReadOnly());
  }
};

}  // namespace

TEST(TamponVar, SingleAppendIsSentTwiceThenStops) {
  PacedSlider s;
  s.move(42);
  EXPECT_FALSE(s.buf.Vide());
  s.report();
  EXPECT_TRUE(s.buf.Vide());
  s.report();
  EXPECT_EQ(s.sent, (std::vector<int>{42, 42}));
  EXPECT_EQ(s.buf.Pointeur_Read(), 1u);
  EXPECT_EQ(s.buf.Pointeur_Write(), 1u);
}

TEST(TamponVar, SkipsAheadAndEndsOnTheLastPosition) {
  PacedSlider s;
  for (int p : {10, 20, 30, 40}) s.move(p);
  for (int i = 0; i < 5; ++i) s.report();
  // p1 at once, then p1 again, p3, p4, and nothing more.
  EXPECT_EQ(s.sent, (std::vector<int>{10, 10, 30, 40}));
  EXPECT_TRUE(s.buf.Vide());
}

TEST(TamponVar, ReadPointerStepsAThirdWithHalvesToEven) {
  TTamponVar b;
  for (int i = 0; i < 9; ++i) b.setAjout(i * 10);
  // (9 - 0) / 3 + 0.5 = 3.5 -> 4 (even)
  EXPECT_EQ(b.ExtraitReadOnly(), 0);
  EXPECT_EQ(b.Pointeur_Read(), 4u);
  // (9 - 4) / 3 + 0.5 = 2.17 -> 2
  EXPECT_EQ(b.ExtraitReadOnly(), 40);
  EXPECT_EQ(b.Pointeur_Read(), 6u);
  // (9 - 6) / 3 + 0.5 = 1.5 -> 2 (even)
  EXPECT_EQ(b.ExtraitReadOnly(), 60);
  EXPECT_EQ(b.Pointeur_Read(), 8u);
  EXPECT_FALSE(b.Vide());
  EXPECT_EQ(b.ExtraitReadOnly(), 80);
  EXPECT_TRUE(b.Vide());
}

TEST(TamponVar, EventsFireInOrder) {
  TTamponVar b;
  std::vector<std::string> log;
  b.ONPointeur_Writechange = [&](QObject* s) { log.push_back(s == &b ? "write" : "?"); };
  b.ONTableauViderchange = [&](QObject*) { log.push_back(b.Vide() ? "vide" : "full"); };
  b.ONPointeur_Readchange = [&](QObject*) { log.push_back("read"); };
  b.setAjout(1);
  b.ExtraitReadOnly();
  EXPECT_EQ(log, (std::vector<std::string>{"write", "full", "read", "vide"}));
  // Writing Vide changes nothing but announces it.
  log.clear();
  b.setAjout(2);
  log.clear();
  b.setVide(true);
  EXPECT_FALSE(b.Vide());
  EXPECT_EQ(log, (std::vector<std::string>{"full"}));
}

TEST(TamponVar, EmptyExtractionRepeatsTheLastValue) {
  TTamponVar b;
  EXPECT_EQ(b.ExtraitReadOnly(), 0);
  b.setAjout(5);
  b.setAjout(6);
  while (!b.Vide()) b.ExtraitReadOnly();
  const uint32_t r = b.Pointeur_Read();
  int reads = 0;
  b.ONPointeur_Readchange = [&](QObject*) { ++reads; };
  EXPECT_EQ(b.ExtraitReadOnly(), 6);
  EXPECT_EQ(b.Pointeur_Read(), r);
  EXPECT_EQ(reads, 0);
  EXPECT_TRUE(b.Vide());
}

TEST(TamponVar, WriteWrapsAfter65535Appends) {
  TTamponVar b;
  int maxWrite = 0;
  b.ONMAX_Pointeur_Writechange = [&](QObject*) { ++maxWrite; };
  for (int i = 0; i < 65535; ++i) b.setAjout(i);
  EXPECT_EQ(b.Pointeur_Write(), 65535u);
  EXPECT_EQ(maxWrite, 0);
  b.setAjout(-7);
  EXPECT_EQ(maxWrite, 1);
  EXPECT_EQ(b.MAX_pointeur_Write(), 65535u);
  EXPECT_EQ(b.Pointeur_Write(), 1u);
  // The reader still at slot 0 finds the newest value there.
  EXPECT_EQ(b.ExtraitReadOnly(), -7);
  EXPECT_TRUE(b.Vide());
}

TEST(TamponVar, ReadWrapsAndSendsTheNewValueNotAStaleSlot) {
  PacedSlider s;
  int maxRead = 0;
  s.buf.ONMAX_Pointeur_Readchange = [&](QObject* sender) {
    EXPECT_EQ(sender, &s.buf);
    ++maxRead;
  };
  // A slider that never gets ahead of the device: the reader follows the
  // writer to the end of the slots.
  for (int i = 1; i <= 65535; ++i) {
    s.move(i);
    s.report();
  }
  EXPECT_EQ(s.buf.Pointeur_Read(), 65535u);
  EXPECT_TRUE(s.buf.Vide());
  s.sent.clear();
  s.move(99999);  // wraps the writer
  s.report();
  EXPECT_EQ(maxRead, 1);
  EXPECT_EQ(s.buf.MAX_pointeur_Read(), 65535u);
  EXPECT_EQ(s.sent, (std::vector<int>{99999, 99999}));
  EXPECT_TRUE(s.buf.Vide());
}

TEST(TamponVar, LaggingReaderAcrossTheWrapStillEndsOnTheLastPosition) {
  PacedSlider s;
  for (int i = 0; i < 65535; ++i) s.move(i);
  s.report();  // reader now about a third of the way
  ASSERT_GT(s.buf.Pointeur_Read(), 1u);
  s.move(123456);  // writer wraps to slot 0
  int reports = 0;
  while (!s.buf.Vide() && reports < 20) {
    s.report();
    ++reports;
  }
  EXPECT_TRUE(s.buf.Vide());
  EXPECT_LT(reports, 5);
  EXPECT_EQ(s.sent.back(), 123456);
}

TEST(TamponVar, LongDragAlwaysEndsOnTheFinalPosition) {
  // Bursts of slider positions between device reports, across a wrap.
  PacedSlider s;
  int value = 0;
  for (int round = 0; round < 30000; ++round) {
    for (int k = 0; k < 1 + round % 4; ++k) s.move(++value);
    s.report();
  }
  int guard = 0;
  while (!s.buf.Vide() && guard++ < 50) s.report();
  EXPECT_TRUE(s.buf.Vide());
  EXPECT_GE(s.buf.MAX_pointeur_Write(), 65535u);
  EXPECT_EQ(s.sent.back(), value);
}
