#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QDir>
#include <csignal>

#include <QFile>
#include <QTemporaryDir>

#include "device/zelvan_d.h"
#include "test_support.h"

using namespace zelvan;
using testing_support::Counter;

namespace {
QList<QByteArray> snapshotLines(TZelvan_d& link) {
  QByteArray text = link.SnapshotText();
  EXPECT_TRUE(text.endsWith("\r\n"));
  text.chop(1);  // the last LF; every line keeps its CR
  return text.split('\n');
}

void writeFile(const QString& path, const QByteArray& data) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(data);
}
}  // namespace

TEST(SnapshotSave, FormatAndOrder) {
  TZelvan_d link;
  link.ProcessReceived(QByteArray("PCH3\r\nPEN1\r\nMTRX1\r\nCHN4\r\nOFTM4294967295\r\nPCH8\r\nPVIS1\r\n"));
  const auto lines = snapshotLines(link);
  ASSERT_EQ(lines.size(), 294);
  for (const auto& l : lines) EXPECT_TRUE(l.endsWith('\r'));
  EXPECT_EQ(lines[0], "1PC\r");
  EXPECT_EQ(lines[1], "0PE\r");
  EXPECT_EQ(lines[4], "3PC\r");
  EXPECT_EQ(lines[5], "-1PE\r");
  EXPECT_EQ(lines[7], "0PE\r");
  EXPECT_EQ(lines[16], "1PC\r");
  EXPECT_EQ(lines[17], "0PL\r");
  EXPECT_EQ(lines[80], "-1MM\r") << "MTRXMOD follows the five per-channel blocks";
  EXPECT_TRUE(lines.contains("4CN\r"));
  EXPECT_TRUE(lines.contains("-1FM\r"));
  EXPECT_TRUE(lines.contains("-1PV\r")) << "PVISC is written once, from channel 8";
  EXPECT_EQ(link.PCHAN(), 8u) << "the save leaves PCHAN at the last channel";
}

TEST(SnapshotSave, WritesAtomicallyAndReportsFailure) {
  QTemporaryDir dir;
  TZelvan_d link;
  QStringList errors;
  link.OnErrorMessage = [&](const QString& t) { errors << t; };
  const QString path = dir.filePath("a.USR.Zelvan");
  ASSERT_TRUE(link.setPropertyVarSaveMiniConfigToFile(path));
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), link.SnapshotText());
  f.close();
  // A write that fails half-way (here: a file size limit, which stops root
  // too) is reported and leaves the previous file as it was.
  writeFile(dir.filePath("keep.USR.Zelvan"), "old contents");
  signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit tiny = saved;
  tiny.rlim_cur = 100;
  setrlimit(RLIMIT_FSIZE, &tiny);
  const bool wrote = link.setPropertyVarSaveMiniConfigToFile(dir.filePath("keep.USR.Zelvan"));
  setrlimit(RLIMIT_FSIZE, &saved);
  EXPECT_FALSE(wrote);
  EXPECT_EQ(errors.size(), 1);
  QFile k(dir.filePath("keep.USR.Zelvan"));
  ASSERT_TRUE(k.open(QIODevice::ReadOnly));
  EXPECT_EQ(k.readAll(), "old contents");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2) << "no temporary file left behind";
}

TEST(SnapshotSave, MissingDirectoryIsReported) {
  TZelvan_d link;
  QStringList errors;
  link.OnErrorMessage = [&](const QString& t) { errors << t; };
  EXPECT_FALSE(link.setPropertyVarSaveMiniConfigToFile("/nonexistent-zelvan-dir/x.USR.Zelvan"));
  EXPECT_EQ(errors.size(), 1);
}

TEST(SnapshotLoad, ReplayIsPacedByReports) {
  QTemporaryDir dir;
  const QString path = dir.filePath("r.USR.Zelvan");
  writeFile(path, "1PC\r\n-1PE\n-1MM\r\r\n7H\r\n");  // CR LF, lone LF, lone CR, an empty line
  TZelvan_d link;
  QList<uint32_t> progress;
  link.OnVarNroLigneMiniConfigOfFile = [&](QObject*, int) { progress << link.PropertyVarNroLigneMiniConfigOfFile(); };
  link.setPropertyVarLoadMiniConfigToFile(path);
  ASSERT_TRUE(link.SnapshotLoadInProgress());
  EXPECT_EQ(progress, QList<uint32_t>({20}));  // 1 of 5 lines
  link.ProcessReceived(QByteArray("HP1\r\n"));  // not the awaited PCH
  EXPECT_EQ(progress.size(), 1);
  link.ProcessReceived(QByteArray("PCH1\r\n"));
  EXPECT_EQ(progress.last(), 40u);
  // A report dropped by the range check still advances the replay.
  link.SetRanges(acceptedRanges());
  link.ProcessReceived(QByteArray("PEN1\r\n"));
  EXPECT_EQ(progress.last(), 60u);
  link.ProcessReceived(QByteArray("MTRX5\r\n"));  // out of range 0..1
  EXPECT_EQ(progress.last(), 80u);
  EXPECT_FALSE(link.MTRXMOD());
  // The empty line sends nothing and keeps waiting for MTRX.
  link.ProcessReceived(QByteArray("MTRX1\r\n"));
  EXPECT_EQ(progress.last(), 100u);
  link.ProcessReceived(QByteArray("HP7\r\n"));
  EXPECT_EQ(progress.size(), 6);
  EXPECT_EQ(progress.last(), 100u);
  EXPECT_TRUE(link.SnapshotLoadInProgress()) << "finished but still listening";
  // Abandon: an index above the count ends the replay at the next step.
  link.setPropertyVarNroLigneMiniConfigOfFile(0xFFFFFFFFu);
  link.ProcessReceived(QByteArray("HP7\r\n"));
  EXPECT_FALSE(link.SnapshotLoadInProgress());
  EXPECT_EQ(progress.last(), 100u);
  const int n = int(progress.size());
  link.ProcessReceived(QByteArray("HP7\r\n"));
  EXPECT_EQ(progress.size(), n);
}

TEST(SnapshotLoad, ProgressSteps) {
  QTemporaryDir dir;
  QByteArray fifty, threeHundred;
  for (int i = 0; i < 50; ++i) fifty += "1H\r\n";
  for (int i = 0; i < 300; ++i) threeHundred += "1H\r\n";
  writeFile(dir.filePath("50"), fifty);
  writeFile(dir.filePath("300"), threeHundred);
  TZelvan_d link;
  QList<uint32_t> progress;
  link.OnVarNroLigneMiniConfigOfFile = [&](QObject*, int) { progress << link.PropertyVarNroLigneMiniConfigOfFile(); };
  link.setPropertyVarLoadMiniConfigToFile(dir.filePath("50"));
  for (int i = 0; i < 49; ++i) link.ProcessReceived(QByteArray("HP1\r\n"));
  ASSERT_EQ(progress.size(), 50);
  for (int i = 0; i < 50; ++i) EXPECT_EQ(progress[i], uint32_t(2 * (i + 1)));
  progress.clear();
  link.setPropertyVarLoadMiniConfigToFile(dir.filePath("300"));
  EXPECT_EQ(progress, QList<uint32_t>({0}));
}

TEST(SnapshotLoad, UnreadableOrEmptyFileStartsNothing) {
  QTemporaryDir dir;
  writeFile(dir.filePath("empty"), "");
  TZelvan_d link;
  Counter steps;
  link.OnVarNroLigneMiniConfigOfFile = steps.handler();
  link.setPropertyVarLoadMiniConfigToFile(dir.filePath("empty"));
  link.setPropertyVarLoadMiniConfigToFile(dir.filePath("missing"));
  link.setPropertyVarLoadMiniConfigToFile(dir.path());  // a directory
  EXPECT_EQ(steps.n, 0);
  EXPECT_FALSE(link.SnapshotLoadInProgress());
  // Binary junk is just lines that await nothing known: no crash.
  QByteArray junk;
  for (int i = 0; i < 5000; ++i) junk += char((i * 7919) & 0xFF);
  writeFile(dir.filePath("junk"), junk);
  link.setPropertyVarLoadMiniConfigToFile(dir.filePath("junk"));
  EXPECT_TRUE(link.SnapshotLoadInProgress());
  EXPECT_EQ(steps.n, 1);
}

TEST(SnapshotLoad, SaveThenReplayRestoresAnotherLink) {
  // What one link saves, replayed into a second link acting as the device
  // (each sent line answered by its report), reproduces the state.
  TZelvan_d source;
  source.ProcessReceived(QByteArray("PCH2\r\nPRGB5\r\nPCH0\r\nALVL9\r\nMTRX1\r\nOFTM12\r\nAVOL40\r\n"));
  QTemporaryDir dir;
  ASSERT_TRUE(source.setPropertyVarSaveMiniConfigToFile(dir.filePath("s")));
  const auto lines = snapshotLines(source);
  TZelvan_d replay;
  replay.setPropertyVarLoadMiniConfigToFile(dir.filePath("s"));
  TZelvan_d target;
  // Answer each line as a device would, feeding the report back to the replay.
  for (int i = 0; i < lines.size() && replay.SnapshotLoadInProgress(); ++i) {
    QByteArray l = lines[i];
    l.chop(1);
    qsizetype k = 0;
    while (k < l.size() && static_cast<unsigned char>(l[k]) <= ':') ++k;
    const int reg = lastRegisterWithCode(std::string_view(l.constData() + k, size_t(l.size() - k)));
    ASSERT_GE(reg, 0);
    const uint32_t v = static_cast<uint32_t>(l.left(k).toLongLong());
    const QByteArray report = QByteArray(registerInfo(reg).name.data()) + QByteArray::number(v) + "\r\n";
    target.ProcessReceived(report);
    replay.ProcessReceived(report);
  }
  EXPECT_EQ(replay.PropertyVarNroLigneMiniConfigOfFile(), 100u);
  EXPECT_EQ(target.channelValue(Reg::PRGBI, 2), 5u);
  EXPECT_EQ(target.channelValue(Reg::ALEV, 7), 9u);
  EXPECT_TRUE(target.MTRXMOD());
  EXPECT_EQ(target.OFMTM(), 12u);
  EXPECT_EQ(target.AMASTM(), 40u);
}

// Lines are replayed unchanged over the live transport; an index moved back
// from outside replays from there again.
TEST(SnapshotLoad, SendsLinesAndFollowsAnIndexMovedBack) {
  testing_support::UdpPeer dev;
  ASSERT_TRUE(dev.bound);
  TZelvan_d link;
  testing_support::attachUdp(link, dev);
  QTemporaryDir dir;
  const QString path = dir.filePath("m.USR.Zelvan");
  writeFile(path, "5H\n\r\n7V\r9S");  // the last line has no line end
  link.setPropertyVarLoadMiniConfigToFile(path);
  ASSERT_TRUE(dev.waitFor("5H"));
  EXPECT_EQ(link.PropertyVarNroLigneMiniConfigOfFile(), 25u);
  link.ProcessReceived(QByteArray("HP5\r\n"));  // the empty line: nothing sent
  EXPECT_EQ(link.PropertyVarNroLigneMiniConfigOfFile(), 50u);
  link.ProcessReceived(QByteArray("HP5\r\n"));
  ASSERT_TRUE(dev.waitFor("7V"));
  link.ProcessReceived(QByteArray("VP7\r\n"));
  ASSERT_TRUE(dev.waitFor("9S"));
  EXPECT_EQ(link.PropertyVarNroLigneMiniConfigOfFile(), 100u);
  link.setPropertyVarNroLigneMiniConfigOfFile(0);
  dev.received.clear();
  link.ProcessReceived(QByteArray("VS9\r\n"));
  ASSERT_TRUE(dev.waitFor("5H"));
  EXPECT_EQ(link.PropertyVarNroLigneMiniConfigOfFile(), 25u);
  link.setPropertyVarNroLigneMiniConfigOfFile(3);
  link.ProcessReceived(QByteArray("HP5\r\n"));
  ASSERT_TRUE(dev.waitFor("9S"));
  EXPECT_EQ(dev.drain(), "5H9S");
  link.setConType(CON_NONE);
}

// A file of the largest accepted size made only of line ends (millions of
// empty lines) must not cost many times its own size in memory.
TEST(SnapshotLoad, MillionsOfEmptyLinesAreCountedAndReplayed) {
  QTemporaryDir dir;
  const QString path = dir.filePath("lines.USR.Zelvan");
  QByteArray text(16 * 1024 * 1024, '\n');
  text[0] = '5';
  text[1] = 'H';
  text[2] = '\n';
  writeFile(path, text);
  text = QByteArray();
  TZelvan_d link;
  link.setPropertyVarLoadMiniConfigToFile(path);
  ASSERT_TRUE(link.SnapshotLoadInProgress());
  EXPECT_EQ(link.PropertyVarNroLigneMiniConfigOfFile(), 0u);
  // "5H" and 16 Mi - 3 empty lines: the line before the last reports 99 %,
  // the last one 100 %.
  constexpr uint32_t kLines = 16 * 1024 * 1024 - 2;
  link.setPropertyVarNroLigneMiniConfigOfFile(kLines - 2);
  link.ProcessReceived(QByteArray("HP5\r\n"));
  EXPECT_EQ(link.PropertyVarNroLigneMiniConfigOfFile(), 99u);
  link.ProcessReceived(QByteArray("HP5\r\n"));
  EXPECT_EQ(link.PropertyVarNroLigneMiniConfigOfFile(), 100u);
  EXPECT_TRUE(link.SnapshotLoadInProgress());
}
