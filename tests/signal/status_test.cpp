// Input status rows of the status grids: frequencies, sync, polarities,
// family row, loss of signal, and the general number format.
#include "panel/signal/signal_status.h"
#include "panel/signal/signal_tables.h"
#include "signal_test_support.h"

using namespace signal_test;
using namespace zelvan::signal;

TEST(FormatGeneral, SignificantDigitsWithoutTrailingZeros) {
  EXPECT_EQ(formatGeneral(50.0, 4), "50");
  EXPECT_EQ(formatGeneral(59.94, 4), "59.94");
  EXPECT_EQ(formatGeneral(59.94, 2), "60");
  EXPECT_EQ(formatGeneral(85.02, 2), "85");
  EXPECT_EQ(formatGeneral(120.4, 3), "120");
  EXPECT_EQ(formatGeneral(76.3149, 4), "76.31");
  EXPECT_EQ(formatGeneral(0.0, 4), "0");
  EXPECT_EQ(formatGeneral(1234.5, 2), "1.2E3");
  EXPECT_EQ(formatGeneral(0.000001, 2), "1E-6");
}

namespace {
class StatusTest : public SignalTest {
 protected:
  QString g2(int r, int c) { return zelvan::signal::cell(panels->StringGrid2(), r, c); }
};
}  // namespace

TEST_F(StatusTest, LineAndFrameFrequencies) {
  feed({"CH1", "PCH1", "PRGB8", "IPS1", "IOO0", "IFA17", "UNIT27000", "ILD5656"});
  EXPECT_EQ(cell(3, 1), "47KHz");
  feed({"IIN1", "IFD625"});
  EXPECT_EQ(cell(4, 1), "76.31Hz");
  EXPECT_EQ(cell(3, 2), "i");
  feed({"IIN0"});
  EXPECT_EQ(cell(4, 1), "76Hz");
  EXPECT_EQ(cell(3, 2), "");
  // The Preview twin reads its own registers and writes StringGrid2.
  feed({"ch1", "ips1", "ioo0", "ild5656", "ifd625", "iin1"});
  EXPECT_EQ(g2(3, 1), "47KHz");
  EXPECT_EQ(g2(4, 1), "76.31Hz");
  EXPECT_EQ(cell(4, 1), "76Hz");
}

TEST_F(StatusTest, LargeTimeUnitDoesNotOverflow) {
  feed({"CH1", "IPS1", "IOO0", "UNIT4294967295", "ILD1"});
  EXPECT_EQ(cell(3, 1), "42949672950KHz");
}

TEST_F(StatusTest, ZeroDurationsLeaveTheTextsAlone) {
  feed({"CH1", "IPS1", "IOO0", "UNIT27000", "ILD5656", "IFD625"});
  const QString frame = cell(4, 1);
  feed({"ILD0"});
  EXPECT_EQ(cell(3, 1), "47KHz");
  EXPECT_EQ(cell(4, 1), frame);
  feed({"IFD0", "ILD2828"});
  EXPECT_EQ(cell(3, 1), "95KHz");
  EXPECT_EQ(cell(4, 1), frame);
}

TEST_F(StatusTest, YuvAtFiftyHidesTheFamilyRow) {
  // 270000 div 5400 = 50 kHz-units; x 1000 div 1000 lines = 50.
  feed({"CH2", "PCH2", "PRGB2", "IPS1", "IOO0", "IFA7", "UNIT27000", "ILD5400", "IFD1000"});
  EXPECT_EQ(cell(2, 0), "");
  EXPECT_EQ(cell(1, 0), "SDTV YUV");
  feed({"IFD833"});  // 50000 div 833 = 60
  EXPECT_EQ(cell(2, 0), "YUV 50Hz");
}

TEST_F(StatusTest, CompositeSyncKeepsTheLastPolarityPair) {
  feed({"CH1", "PCH1", "PRGB8", "IFA17", "IST0", "IHP0", "IVP1", "IPS1", "IOO0"});
  EXPECT_EQ(cell(5, 1), "H & V");
  EXPECT_EQ(cell(5, 2), "H- V+");
  feed({"IST1"});
  EXPECT_EQ(cell(5, 1), "TTL Composite");
  EXPECT_EQ(cell(5, 2), "H- V+");
  feed({"IST2"});
  EXPECT_EQ(cell(5, 1), "SOG");
  feed({"IST3"});
  EXPECT_EQ(cell(5, 1), "Analog Composite");
  EXPECT_EQ(cell(2, 0), "XGA");
}

TEST_F(StatusTest, VideoInputsShowNoSyncRow) {
  feed({"CH3", "PCH3", "PRGB0", "IST0", "IHP1", "IVP1", "IPS1", "IOO0", "IFA3"});
  EXPECT_EQ(cell(5, 1), "");
  EXPECT_EQ(cell(5, 2), "");
  EXPECT_EQ(cell(1, 0), "SDTV Composite");
  EXPECT_EQ(cell(2, 0), "PAL std(4,43/50)");
}

TEST_F(StatusTest, SignalLostEmptiesTheRowsUntilDecodedAgain) {
  feed({"CH1", "PCH1", "PRGB8", "UNIT27000", "IST0", "IHP0", "IVP0", "IPS1", "IOO0", "ILD5656", "IFD625"});
  ASSERT_EQ(cell(3, 1), "47KHz");
  feed({"IPS0"});
  EXPECT_EQ(cell(3, 1), "");
  EXPECT_EQ(cell(4, 1), "");
  EXPECT_EQ(cell(5, 1), "");
  // Type 8 is above 6: the last polarity pair stays.
  EXPECT_EQ(cell(5, 2), "H- V-");
  feed({"ILD2828"});
  EXPECT_EQ(cell(3, 1), "");
  EXPECT_FALSE(panels->status(1)->frequenciesShown());
  feed({"IPS1"});
  EXPECT_EQ(cell(3, 1), "95KHz");

  // Out of range behaves as lost.
  feed({"IOO1"});
  EXPECT_EQ(cell(3, 1), "");
  // A video input loses its polarity pair too.
  feed({"PCH1", "PRGB0"});
  EXPECT_EQ(cell(5, 2), "");
}
