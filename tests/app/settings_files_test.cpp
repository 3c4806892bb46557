// The customization, logo timing and option files: format, validation,
// applying, writing, the Files menu and atomic writes.
#include <QAbstractButton>
#include <QMenu>
#include <csignal>
#include <sys/resource.h>

#include "app/customization_file.h"
#include "app/main_menus.h"
#include "app/recent_files.h"
#include "app_test_support.h"
#include "app/pending_windows.h"
#include "tools/serialportmenu.h"
#include "widgets/tsmallcombo.h"

using namespace zelvan::app;

namespace {
QStringList withValue(QStringList lines, const QString& key, const QString& value) {
  for (QString& l : lines)
    if (l.startsWith(key + QLatin1Char('='))) l = key + QLatin1Char('=') + value;
  return lines;
}

QStringList without(QStringList lines, const QString& key) {
  QStringList out;
  for (const QString& l : lines)
    if (!l.startsWith(key + QLatin1Char('='))) out << l;
  return out;
}

QStringList fileLines(const QByteArray& bytes) {
  QString text = QString::fromLatin1(bytes);
  EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n")));
  text.chop(2);
  return text.split(QStringLiteral("\r\n"));
}
}  // namespace

// ---------------------------------------------------------------- format

TEST(IniLinesTest, LookupIgnoresCaseFirstWinsAndTakesEverythingAfterFirstEquals) {
  const IniLines l = IniLines::fromBytes("port=COM2\r\nPORT=COM3\nA=b=c\rnoequals\r\nEmpty=\r\n");
  EXPECT_EQ(l.value(QStringLiteral("Port")), QStringLiteral("COM2"));
  EXPECT_EQ(l.value(QStringLiteral("a")), QStringLiteral("b=c"));
  EXPECT_TRUE(l.has(QStringLiteral("Empty")));
  EXPECT_EQ(l.value(QStringLiteral("Empty")), QString());
  EXPECT_FALSE(l.has(QStringLiteral("noequals")));
  EXPECT_EQ(l.value(QStringLiteral("missing")), QString());
}

TEST(IniLinesTest, NumbersAndBinaryContent) {
  EXPECT_EQ(parseSettingsInt(QStringLiteral("42")), 42);
  EXPECT_EQ(parseSettingsInt(QStringLiteral("-7")), -7);
  EXPECT_FALSE(parseSettingsInt(QStringLiteral("12a")).has_value());
  EXPECT_FALSE(parseSettingsInt(QString()).has_value());
  EXPECT_FALSE(parseSettingsInt(QStringLiteral("99999999999")).has_value());
  QByteArray binary(300, '\0');
  for (int i = 0; i < binary.size(); ++i) binary[i] = char(i);
  const IniLines l = IniLines::fromBytes(binary);
  EXPECT_FALSE(l.lines().isEmpty());
  EXPECT_EQ(l.value(QStringLiteral("Tempo")), QString());
}

TEST(CustomizationFormatTest, DefaultFileHasTheKeyOrderAndNumbering) {
  CustomizationState s;
  for (int i = 0; i < 8; ++i) s.inputNames[size_t(i)] = defaultInputName(i + 1);
  for (int i = 0; i < 15; ++i) s.memoryLabels[size_t(i)] = defaultMemoryLabel(i);
  for (int i = 0; i < 8; ++i) s.audioNames[size_t(i)] = defaultAudioName(i + 1);
  s.outputNames = {defaultOutputName(1), defaultOutputName(2)};
  s.remoteIp = QStringLiteral("192.168.0.10");
  s.remotePort = 10500;
  s.localPort = 10500;
  const QStringList l = customizationLines(s);
  // 30 header lines, 12 blocks of 28, the six saved-value families for
  // keys 1..6 and 101..106, 8 audio and 2 output names.
  ASSERT_EQ(l.size(), 448);
  EXPECT_EQ(l[0], QStringLiteral("VERSION_INI_FILE=V0005"));
  EXPECT_EQ(l[1], QStringLiteral("Port=COM1"));
  EXPECT_EQ(l[2], QStringLiteral("IP_ENABLE=0"));
  EXPECT_EQ(l[5], QStringLiteral("LOCAL_PORT_ENTRY=10500"));
  EXPECT_EQ(l[6], QStringLiteral("CallNameInput1=Input 1"));
  EXPECT_EQ(l[14], QStringLiteral("FrAndLo9=None"));
  EXPECT_EQ(l[15], QStringLiteral("FrAndLo10=Frame 1"));
  EXPECT_EQ(l[17], QStringLiteral("FrAndLo12=Logo 1"));
  EXPECT_EQ(l[28], QStringLiteral("FrAndLo23=Frame 6"));
  EXPECT_EQ(l[29], QStringLiteral("ButtonEffect=1"));
  EXPECT_EQ(l[30], QStringLiteral("NumEffByNumKey24=0"));
  EXPECT_EQ(l[31], QStringLiteral("EFFDUR25=20"));
  EXPECT_EQ(l[38], QStringLiteral("EFFPG32=255"));
  EXPECT_EQ(l[57], QStringLiteral("EFFECT_OPEN_DISABLED51="));
  EXPECT_EQ(l[58], QStringLiteral("NumEffByNumKey53=1"));
  EXPECT_EQ(l[30 + 6 * 28], QStringLiteral("NumEffByNumKey198=4"));  // key 101: PiP
  EXPECT_EQ(l[365], QStringLiteral("EFFECT_OPEN_DISABLED370="));
  EXPECT_EQ(l[366], QStringLiteral("OLD_DUR_1=15"));
  EXPECT_EQ(l[371], QStringLiteral("OLD_DUR_6=15"));
  EXPECT_EQ(l[372], QStringLiteral("OLD_EFFPC_1=128"));
  EXPECT_EQ(l[396], QStringLiteral("OLD_EFFOPT_1=0"));
  EXPECT_EQ(l[401], QStringLiteral("OLD_EFFOPT_6=0"));
  EXPECT_EQ(l[402], QStringLiteral("OLD_DUR_101=15"));
  EXPECT_EQ(l[437], QStringLiteral("OLD_EFFOPT_106=0"));
  EXPECT_EQ(l[438], QStringLiteral("AUDIO1=Audio 1"));
  EXPECT_EQ(l[445], QStringLiteral("AUDIO8=Audio 8"));
  EXPECT_EQ(l[446], QStringLiteral("OUTPUT1=Output 1"));
  EXPECT_EQ(l[447], QStringLiteral("OUTPUT2=Output 2"));
}

// ------------------------------------------------------------ validation

TEST_F(ShellTest, ValidCustomizationIsApplied) {
  QStringList lines = validCustomizationLines();
  lines << QStringLiteral("ButtonEffect=3") << QStringLiteral("NumEffByNumKey53=14") << QStringLiteral("EFFDUR54=abc")
        << QStringLiteral("EFFPQ73=77") << QStringLiteral("EFFECT_OPEN_DISABLED80=RadioButton_Open6")
        << QStringLiteral("OLD_DUR_102=33") << QStringLiteral("AUDIO1=Mic") << QStringLiteral("AUDIO2=")
        << QStringLiteral("OUTPUT1=Left") << QStringLiteral("OUTPUT2=Right");
  writeFile(path(QStringLiteral("Zelvan_USR.ini")), joinLines(lines));
  bool takenOver = false;
  createApp(false);
  addRecordingFeature(main())->onEffectMemories = [&] { takenOver = true; };
  app_->start(false);
  TZelvan_main* m = main();
  EXPECT_TRUE(takenOver);
  EXPECT_EQ(link()->ConType(), CON_RS232);
  EXPECT_EQ(link()->Port(), QStringLiteral("COM3"));
  EXPECT_EQ(m->serialPorts()->CheckedPort(), 3);
  EXPECT_EQ(link()->IpRemoteAddress(), QStringLiteral("10.1.2.3"));
  EXPECT_EQ(link()->IpRemotePort(), 1234);
  EXPECT_EQ(link()->IpLocalPort(), 4321);
  EXPECT_EQ(m->memoryLists().InputLabelList[7]->text(), QStringLiteral("Cam 8"));
  EXPECT_EQ(m->state().MemoryLabels[0], QStringLiteral("Mem 9"));
  EXPECT_EQ(m->state().MemoryLabels[14], QStringLiteral("Mem 23"));
  EXPECT_EQ(m->memoryLists().FRAME_Combologo[0]->ItemText(1), QStringLiteral("Mem 10"));
  EXPECT_EQ(m->state().EffectMemory.ButtonEffect(), 3);
  const EffectSlot& key2 = m->state().EffectMemory.slot(2);
  EXPECT_EQ(key2.kind, 14);
  EXPECT_EQ(key2.EFFDUR, 15);  // not a number: default
  EXPECT_EQ(key2.EFFPQ, 77);
  EXPECT_EQ(key2.EFFPR, 128);  // missing: default
  EXPECT_EQ(key2.openDisabled, QStringLiteral("RadioButton_Open6"));
  EXPECT_EQ(m->state().EffectMemory.slot(102).OLD_DUR, 33);
  EXPECT_EQ(m->state().AudioLabels[0], QStringLiteral("Mic"));
  EXPECT_EQ(m->state().AudioLabels[1], QString());
  EXPECT_EQ(m->state().OutputLabels[1], QStringLiteral("Right"));
  EXPECT_EQ(m->windowTitle(), QStringLiteral("Zelvan remote control     (Mixer mode)  Port: COM3 - Zelvan_USR.ini"));
}

TEST_F(ShellTest, EffectValuesOutOfRangeReadAsMissing) {
  // Kinds, animations and options index the effect tables; a selected key
  // that does not exist selects key 1.
  QStringList lines = validCustomizationLines();
  lines << QStringLiteral("ButtonEffect=50") << QStringLiteral("NumEffByNumKey24=15") << QStringLiteral("EFFOPT37=7")
        << QStringLiteral("EFFOPEN46=16") << QStringLiteral("EFFCLOSE48=-1") << QStringLiteral("NumEffByNumKey53=-3")
        << QStringLiteral("EFFOPEN75=15") << QStringLiteral("OLD_EFFOPT_1=99");
  writeFile(path(QStringLiteral("Zelvan_USR.ini")), joinLines(lines));
  createApp();
  const auto& memory = main()->state().EffectMemory;
  EXPECT_EQ(memory.ButtonEffect(), 1);
  const EffectSlot& key1 = memory.slot(1);
  EXPECT_EQ(key1.kind, 0);
  EXPECT_EQ(key1.EFFOPT, 0);
  EXPECT_EQ(key1.EFFOPEN, 0);
  EXPECT_EQ(key1.EFFCLOSE, 0);
  EXPECT_EQ(key1.OLD_EFFOPT, 0);
  EXPECT_EQ(memory.slot(2).kind, 0);
  EXPECT_EQ(memory.slot(2).EFFOPEN, 15);  // in range: kept
}

TEST_F(ShellTest, EmptyFirstAudioAndOutputNamesRestoreDefaults) {
  QStringList lines = validCustomizationLines();
  lines << QStringLiteral("AUDIO1=") << QStringLiteral("AUDIO2=Mic") << QStringLiteral("OUTPUT1=")
        << QStringLiteral("OUTPUT2=Right");
  writeFile(path(QStringLiteral("Zelvan_USR.ini")), joinLines(lines));
  createApp();
  EXPECT_EQ(main()->state().AudioLabels[1], QStringLiteral("Audio 2"));
  EXPECT_EQ(main()->state().OutputLabels[1], QStringLiteral("Output 2"));
}

TEST_F(ShellTest, FileWithoutEffectKeysTakesEffectDefaults) {
  writeFile(path(QStringLiteral("Zelvan_USR.ini")), joinLines(validCustomizationLines()));
  createApp();
  TZelvan_main* m = main();
  EXPECT_EQ(link()->Port(), QStringLiteral("COM3"));
  // No selected key in the file: key 1.
  EXPECT_EQ(m->state().EffectMemory.ButtonEffect(), 1);
  for (int key : kStoredEffectKeys) {
    const EffectSlot& s = m->state().EffectMemory.slot(key);
    EXPECT_EQ(s.kind, 0);
    EXPECT_EQ(s.EFFDUR, 15);
    EXPECT_EQ(s.EFFPA, 128);
    EXPECT_EQ(s.EFFPH, 128);
    EXPECT_EQ(s.EFFPI, 0);
    EXPECT_EQ(s.EFFPS, 128);
    EXPECT_EQ(s.EFFOPNDUR, 10);
    EXPECT_EQ(s.EFFCLSDUR, 10);
    EXPECT_EQ(s.OLD_EFFPN, 128);
  }
}

namespace {
struct Rejection {
  const char* what;
  QStringList lines;
};
}  // namespace

TEST_F(ShellTest, EachValidationRuleRejectsTheFileAndSelectsCom1) {
  const QStringList good = validCustomizationLines();
  const std::vector<Rejection> cases = {
      {"version V0004", withValue(good, QStringLiteral("VERSION_INI_FILE"), QStringLiteral("V0004"))},
      {"no version", without(good, QStringLiteral("VERSION_INI_FILE"))},
      {"port COM17", withValue(good, QStringLiteral("Port"), QStringLiteral("COM17"))},
      {"port com3", withValue(good, QStringLiteral("Port"), QStringLiteral("com3"))},
      {"port COM0", withValue(good, QStringLiteral("Port"), QStringLiteral("COM0"))},
      {"empty input 3", withValue(good, QStringLiteral("CallNameInput3"), QString())},
      {"missing input 8", without(good, QStringLiteral("CallNameInput8"))},
      {"empty memory label 9", withValue(good, QStringLiteral("FrAndLo9"), QString())},
      {"empty memory label 23", withValue(good, QStringLiteral("FrAndLo23"), QString())},
      {"no REMOTE_IP line", without(good, QStringLiteral("REMOTE_IP"))},
      {"no REMOTE_PORT_ENTRY line", without(good, QStringLiteral("REMOTE_PORT_ENTRY"))},
      {"no LOCAL_PORT_ENTRY line", without(good, QStringLiteral("LOCAL_PORT_ENTRY"))},
      {"no IP_ENABLE line", without(good, QStringLiteral("IP_ENABLE"))},
  };
  for (const Rejection& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_FALSE(verifyCustomization(IniLines(c.lines)));
    writeFile(path(QStringLiteral("Zelvan_USR.ini")), joinLines(c.lines));
    createApp();
    EXPECT_EQ(link()->Port(), QStringLiteral("COM1"));
    EXPECT_EQ(link()->ConType(), CON_RS232);
    EXPECT_EQ(main()->memoryLists().InputLabelList[0]->text(), QStringLiteral("Input 1"));
    EXPECT_EQ(link()->IpRemotePort(), 10500);
    app_.reset();
  }
  // Empty values of the link keys are allowed.
  EXPECT_TRUE(verifyCustomization(IniLines(withValue(good, QStringLiteral("REMOTE_IP"), QString()))));
  EXPECT_TRUE(verifyCustomization(IniLines(good)));
}

TEST_F(ShellTest, HugeOrBinaryCustomizationFallsBackToCom1) {
  QByteArray huge = joinLines(validCustomizationLines());
  huge.append(QByteArray(int(kMaxSettingsFileSize), 'x'));
  writeFile(path(QStringLiteral("Zelvan_USR.ini")), huge);
  createApp();
  EXPECT_EQ(link()->Port(), QStringLiteral("COM1"));
  app_.reset();
  QByteArray garbage(4096, '\0');
  for (int i = 0; i < garbage.size(); ++i) garbage[i] = char((i * 37) & 0xFF);
  writeFile(path(QStringLiteral("Zelvan_USR.ini")), garbage);
  createApp();
  EXPECT_EQ(link()->Port(), QStringLiteral("COM1"));
}

TEST_F(ShellTest, UdpFileOpensUdpAndLeavesPortItemsAlone) {
  QStringList lines = withValue(validCustomizationLines(), QStringLiteral("IP_ENABLE"), QStringLiteral("1"));
  lines = withValue(lines, QStringLiteral("Port"), QStringLiteral("COM7"));
  lines = withValue(lines, QStringLiteral("REMOTE_IP"), QStringLiteral("127.0.0.1"));
  lines = withValue(lines, QStringLiteral("LOCAL_PORT_ENTRY"), QStringLiteral("0"));
  writeFile(path(QStringLiteral("Zelvan_USR.ini")), joinLines(lines));
  createApp();
  EXPECT_EQ(link()->ConType(), CON_UDP);
  EXPECT_EQ(main()->serialPorts()->CheckedPort(), 0);
  EXPECT_TRUE(main()->serialPorts()->MIPConfig()->isChecked());
  EXPECT_EQ(main()->windowTitle(), QStringLiteral("Zelvan remote control     (Mixer mode)  UDP - Zelvan_USR.ini"));
  // Written back: UDP is 1, no port item checked gives COM1.
  const CustomizationState s = main()->files().currentCustomization();
  EXPECT_EQ(s.ipEnable, 1);
  EXPECT_EQ(s.port, QStringLiteral("COM1"));
}

TEST_F(ShellTest, TcpFileTitlesSayTcp) {
  QStringList lines = withValue(validCustomizationLines(), QStringLiteral("IP_ENABLE"), QStringLiteral("2"));
  lines = withValue(lines, QStringLiteral("REMOTE_IP"), QStringLiteral("127.0.0.1"));
  lines = withValue(lines, QStringLiteral("REMOTE_PORT_ENTRY"), QStringLiteral("1"));
  writeFile(path(QStringLiteral("Zelvan_USR.ini")), joinLines(lines));
  createApp();
  EXPECT_EQ(link()->ConType(), CON_TCP);
  EXPECT_EQ(main()->windowTitle(), QStringLiteral("Zelvan remote control     (Mixer mode)  TCP - Zelvan_USR.ini"));
  EXPECT_EQ(main()->windows().matrix->windowTitle(),
            QStringLiteral("Zelvan remote control     (Matrix mode)  TCP - Zelvan_USR.ini"));
  EXPECT_EQ(main()->files().currentCustomization().ipEnable, 2);
  report("DEV38\r\n");
  EXPECT_EQ(main()->windowTitle(), QStringLiteral("BRV Zelvan remote control     (Mixer mode)  TCP - Zelvan_USR.ini"));
}

TEST_F(ShellTest, PortTwelveIsShownAsCom12) {
  writeFile(path(QStringLiteral("Zelvan_USR.ini")),
            joinLines(withValue(validCustomizationLines(), QStringLiteral("Port"), QStringLiteral("COM12"))));
  createApp();
  EXPECT_EQ(link()->Port(), QStringLiteral("\\\\.\\COM12"));
  EXPECT_EQ(main()->windowTitle(), QStringLiteral("Zelvan remote control     (Mixer mode)  Port: COM12 - Zelvan_USR.ini"));
  EXPECT_EQ(main()->files().currentCustomization().port, QStringLiteral("COM12"));
}

// --------------------------------------------------------------- writing

TEST_F(ShellTest, RoundTripReproducesKeyOrderByteForByte) {
  // A complete file written in reverse order, with mixed-case keys.
  CustomizationState s;
  s.port = QStringLiteral("COM5");
  s.ipEnable = 0;
  s.remoteIp = QStringLiteral("10.0.0.7");
  s.remotePort = 2000;
  s.localPort = 3000;
  for (int i = 0; i < 8; ++i) s.inputNames[size_t(i)] = QStringLiteral("In%1").arg(i + 1);
  for (int i = 0; i < 15; ++i) s.memoryLabels[size_t(i)] = QStringLiteral("M%1").arg(i);
  s.effects.setButtonEffect(104);
  int v = 0;
  for (int key : kStoredEffectKeys) {
    EffectSlot& slot = s.effects.slot(key);
    for (const EffectField& f : effectBlockFields()) slot.*f.member = (v++ % 250);
    slot.openDisabled = QStringLiteral("RadioButton_Open%1").arg(key % 16);
    for (const EffectField& f : effectOldFields()) slot.*f.member = (v++ % 250);
    // Within the ranges the reader checks (kind, animations, options).
    slot.kind %= 15;
    slot.EFFOPEN %= 16;
    slot.EFFCLOSE %= 16;
    slot.EFFOPT %= 7;
    slot.OLD_EFFOPT %= 7;
  }
  for (int i = 0; i < 8; ++i) s.audioNames[size_t(i)] = QStringLiteral("A%1").arg(i + 1);
  s.outputNames = {QStringLiteral("Left"), QStringLiteral("Right")};
  const QStringList canonical = customizationLines(s);
  QStringList scrambled;
  for (auto it = canonical.crbegin(); it != canonical.crend(); ++it) scrambled << *it;
  scrambled[0] = QStringLiteral("output2=Right");  // keys are read without regard to case
  writeFile(path(QStringLiteral("Zelvan_USR.ini")), joinLines(scrambled));

  createApp();
  ASSERT_EQ(link()->Port(), QStringLiteral("COM5"));
  main()->files().save();
  const QByteArray written = readFile(path(QStringLiteral("Zelvan_USR.ini")));
  const QStringList writtenLines = fileLines(written);
  ASSERT_EQ(writtenLines.size(), canonical.size());
  for (int i = 0; i < canonical.size(); ++i) EXPECT_EQ(writtenLines[i], canonical[i]) << "line " << i + 1;
  EXPECT_EQ(written, joinLines(canonical));
}

TEST_F(ShellTest, SaveAfterDefaultStartWritesTheFullFile) {
  createApp();
  main()->files().save();
  const QStringList lines = fileLines(readFile(path(QStringLiteral("Zelvan_USR.ini"))));
  ASSERT_EQ(lines.size(), 448);
  EXPECT_EQ(lines[1], QStringLiteral("Port=COM1"));
  EXPECT_EQ(lines[3], QStringLiteral("REMOTE_IP=192.168.0.10"));
  EXPECT_EQ(lines[4], QStringLiteral("REMOTE_PORT_ENTRY=10500"));
  EXPECT_EQ(lines[8], QStringLiteral("CallNameInput3=Input 3"));
  EXPECT_EQ(lines[31], QStringLiteral("EFFDUR25=20"));
  EXPECT_EQ(lines[59], QStringLiteral("EFFDUR54=20"));
  EXPECT_EQ(lines[87], QStringLiteral("EFFDUR83=255"));
  // The written file loads again.
  EXPECT_TRUE(verifyCustomization(*IniLines::readFile(path(QStringLiteral("Zelvan_USR.ini")))));
}

TEST_F(ShellTest, FailedWriteLeavesTheOldFileAndTellsTheOperator) {
  createApp();
  const QString file = path(QStringLiteral("Zelvan_USR.ini"));
  writeFile(file, "old contents\r\n");
  // A tiny file size limit makes every write beyond 64 bytes fail, as a full disk would.
  struct rlimit old {};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit tiny = old;
  tiny.rlim_cur = 64;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
  main()->files().save();
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, previousHandler);
  EXPECT_EQ(readFile(file), QByteArray("old contents\r\n"));
  ASSERT_FALSE(dialogs_.messages().isEmpty());
  EXPECT_TRUE(dialogs_.messages().last().contains(QStringLiteral("Zelvan_USR.ini")));
  // No temporary file is left behind.
  EXPECT_EQ(QDir(tmp_.path()).entryList({QStringLiteral("Zelvan_USR.ini*")}, QDir::Files).size(), 1);
  // Once the disk has room again, the save goes through.
  main()->files().save();
  EXPECT_TRUE(readFile(file).startsWith("VERSION_INI_FILE=V0005\r\n"));
}

TEST(AtomicWriteTest, WriteIntoMissingDirectoryFailsWithoutTouchingAnything) {
  QTemporaryDir dir;
  const QString target = QDir(dir.path()).filePath(QStringLiteral("nodir/file.ini"));
  EXPECT_FALSE(writeLinesAtomically(target, {QStringLiteral("a=b")}));
  EXPECT_FALSE(QFile::exists(target));
  const QString ok = QDir(dir.path()).filePath(QStringLiteral("file.ini"));
  EXPECT_TRUE(writeLinesAtomically(ok, {QStringLiteral("a=b"), QStringLiteral("c=d")}));
  QFile f(ok);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), QByteArray("a=b\r\nc=d\r\n"));
}

// -------------------------------------------------------- logo timing file

TEST_F(ShellTest, LogoFileWithTempoZeroBecomesTheDefaultLine) {
  const QString logo = path(QStringLiteral("appdir/Zelvan_LOGO.ini"));
  writeFile(logo, "Tempo=0\r\nTempsDoublerEDSEBLMODE2=True\r\n");
  createApp();
  EXPECT_EQ(readFile(logo), QByteArray("Tempo=240\r\n"));
}

TEST_F(ShellTest, LogoFileValidationRules) {
  const QString dir = path(QStringLiteral("appdir"));
  const QString logo = QDir(dir).filePath(QStringLiteral("Zelvan_LOGO.ini"));
  for (const char* bad : {"Tempo=-5\r\n", "Tempo=abc\r\n", "Other=1\r\n"}) {
    writeFile(logo, bad);
    EXPECT_FALSE(logo_settings::verify(*IniLines::readFile(logo), dir)) << bad;
    EXPECT_EQ(readFile(logo), QByteArray("Tempo=240\r\n")) << bad;
  }
  writeFile(logo, "tempo=300\r\nTempsDoublerEDSEBLMODE2=False\r\n");
  EXPECT_TRUE(logo_settings::verify(*IniLines::readFile(logo), dir));
  EXPECT_EQ(readFile(logo), QByteArray("tempo=300\r\nTempsDoublerEDSEBLMODE2=False\r\n"));
  // A missing logo file is left missing at start-up.
  QFile::remove(logo);
  createApp();
  EXPECT_FALSE(QFile::exists(logo));
}

TEST(LogoSettingsTest, StoreEstimateAndLearning) {
  // 1024 x 768 x 3 = 2359296; >> 16 = 36; x 240 div 100 = 86; + 1.
  EXPECT_EQ(logo_settings::storeEstimate(1024, 768, 240), 87);
  EXPECT_EQ(logo_settings::storeEstimate(1024, 768, -1000), 240);
  // Sizes the device may report beyond 32-bit products: no wrap; a result
  // too large for the progress window counts as 240.
  EXPECT_EQ(logo_settings::storeEstimate(65536, 32768, 240), 235930);
  EXPECT_EQ(logo_settings::storeEstimate(4294967295u, 4294967295u, 240), 240);
  EXPECT_EQ(logo_settings::progressMaximum(87, true, true, QStringLiteral("False")), 348);
  EXPECT_EQ(logo_settings::progressMaximum(87, true, true, QString()), 348);
  // A flag that is neither "True" nor "False" changes nothing.
  EXPECT_EQ(logo_settings::progressMaximum(87, true, true, QStringLiteral("maybe")), 87);
  EXPECT_EQ(logo_settings::progressMaximum(87, false, false, QStringLiteral("maybe")), 87);
  EXPECT_EQ(logo_settings::progressMaximum(87, false, false, QStringLiteral("True")), 21);
  EXPECT_EQ(logo_settings::progressMaximum(87, false, true, QStringLiteral("True")), 87);
  EXPECT_EQ(logo_settings::learnedTempo(37, 1024, 768), (36LL * 100 * 65536) / 2359296);
  EXPECT_FALSE(logo_settings::learnedTempo(37, 0, 768).has_value());

  QTemporaryDir dir;
  // Unreadable file: Tempo 240 and the current state are written first, so
  // the flag matches the state and the estimate is taken as it is.
  EXPECT_EQ(logo_settings::estimateFromFile(dir.path(), 1024, 768, true, true), 87);
  QFile f(QDir(dir.path()).filePath(QStringLiteral("Zelvan_LOGO.ini")));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), QByteArray("Tempo=240\r\nTempsDoublerEDSEBLMODE2=True\r\n"));
  f.close();
  // Learning keeps the other lines.
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("Other=1\r\nTempo=240\r\n");
  f.close();
  EXPECT_TRUE(logo_settings::saveLearned(dir.path(), dir.path(), 100, false));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), QByteArray("Other=1\r\nTempo=100\r\nTempsDoublerEDSEBLMODE2=False\r\n"));
}

// ------------------------------------------------------------ Files menu

TEST_F(ShellTest, OpenSaveAndRecentCustomizations) {
  const QString other = path(QStringLiteral("studio.usr"));
  writeFile(other, joinLines(withValue(validCustomizationLines(), QStringLiteral("CallNameInput1"), QStringLiteral("Studio"))));
  createApp();
  TZelvan_main* m = main();
  int refreshed = 0;
  addRecordingFeature(m)->onMemoryLabel = [&](int) { ++refreshed; };
  dialogs_.fileAnswers = {other};
  m->files().Open1Click();
  ASSERT_EQ(dialogs_.shown.size(), 1u);
  EXPECT_EQ(dialogs_.shown[0].title, QStringLiteral("Open Your Customization"));
  EXPECT_EQ(dialogs_.shown[0].text, QStringLiteral("Your customization (*.usr)"));
  EXPECT_EQ(m->state().CustomizationFileName, other);
  EXPECT_EQ(m->memoryLists().InputLabelList[0]->text(), QStringLiteral("Studio"));
  EXPECT_EQ(refreshed, 14);
  EXPECT_EQ(m->windowTitle(), QStringLiteral("Zelvan remote control     (Mixer mode)  Port: COM3 - ") + other);
  // The recent list has the file, right after "Save as...".
  ASSERT_EQ(m->files().recentItems().size(), 1);
  QAction* recent = m->files().recentItems()[0];
  EXPECT_EQ(recent->toolTip(), QFileInfo(other).absoluteFilePath());
  const QList<QAction*> items = m->menus()->File1->actions();
  EXPECT_EQ(items.indexOf(recent), items.indexOf(m->menus()->Saveas1) + 1);
  EXPECT_TRUE(items[items.indexOf(recent) + 1]->isSeparator());

  // Save writes back to the opened file without a dialog.
  m->memoryLists().InputLabelList[1]->setText(QStringLiteral("Cam B"));
  m->files().Save1Click();
  EXPECT_EQ(dialogs_.shown.size(), 1u);
  EXPECT_TRUE(readFile(other).contains("CallNameInput2=Cam B\r\n"));

  // Closing writes "Zelvan_USR.ini" and leaves the opened file as it was.
  const QByteArray before = readFile(other);
  m->memoryLists().InputLabelList[2]->setText(QStringLiteral("Cam C"));
  m->close();
  EXPECT_EQ(readFile(other), before);
  EXPECT_TRUE(readFile(path(QStringLiteral("Zelvan_USR.ini"))).contains("CallNameInput3=Cam C\r\n"));
  EXPECT_EQ(link()->ConType(), CON_NONE);
}

TEST_F(ShellTest, RecentListIsMostRecentFirstAndItemsOpenTheirFile) {
  const QString a = path(QStringLiteral("a.usr"));
  const QString b = path(QStringLiteral("b.usr"));
  writeFile(a, joinLines(withValue(validCustomizationLines(), QStringLiteral("CallNameInput1"), QStringLiteral("From A"))));
  writeFile(b, joinLines(withValue(validCustomizationLines(), QStringLiteral("CallNameInput1"), QStringLiteral("From B"))));
  RecentCustomizations recent;
  recent.add(a);
  recent.add(b);
  recent.add(a);
  EXPECT_EQ(recent.load(), QStringList({QFileInfo(a).absoluteFilePath(), QFileInfo(b).absoluteFilePath()}));
  createApp();
  TZelvan_main* m = main();
  ASSERT_EQ(m->files().recentItems().size(), 2);
  EXPECT_EQ(m->files().recentItems()[1]->text(), QFileInfo(b).absoluteFilePath());
  m->files().recentItems()[1]->trigger();
  EXPECT_EQ(m->state().CustomizationFileName, QFileInfo(b).absoluteFilePath());
  EXPECT_EQ(m->memoryLists().InputLabelList[0]->text(), QStringLiteral("From B"));
  // The menu was rebuilt by the open: still two items, no duplicates.
  EXPECT_EQ(m->files().recentItems().size(), 2);
  int separators = 0;
  for (QAction* x : m->menus()->File1->actions()) separators += x->isSeparator() ? 1 : 0;
  EXPECT_EQ(separators, 3);
}

TEST_F(ShellTest, RecentListSurvivesAGarbledStore) {
  RecentCustomizations recent;
  QDir().mkpath(QFileInfo(recent.storeFile()).absolutePath());
  QByteArray junk;
  for (int i = 0; i < 40; ++i) junk += "/x/file" + QByteArray::number(i) + ".usr\n\n\0\n";
  writeFile(recent.storeFile(), junk);
  const QStringList l = recent.load();
  EXPECT_EQ(l.size(), RecentCustomizations::kMaxEntries);
  EXPECT_EQ(l[0], QStringLiteral("/x/file0.usr"));
}

TEST_F(ShellTest, SaveWithoutAnOpenedFileAsksWhereAndACancelWritesTheCurrentFile) {
  createApp();
  TZelvan_main* m = main();
  m->files().Save1Click();  // dialog cancelled (no answer queued)
  ASSERT_EQ(dialogs_.shown.size(), 1u);
  EXPECT_EQ(dialogs_.shown[0].what, QStringLiteral("saveFile"));
  EXPECT_EQ(dialogs_.shown[0].title, QStringLiteral("Save Your Customization"));
  EXPECT_TRUE(QFile::exists(path(QStringLiteral("Zelvan_USR.ini"))));
  const QString target = path(QStringLiteral("mine.usr"));
  dialogs_.fileAnswers = {target};
  m->files().Saveas1Click();
  EXPECT_EQ(m->state().CustomizationFileName, target);
  EXPECT_TRUE(readFile(target).startsWith("VERSION_INI_FILE=V0005\r\nPort=COM1\r\n"));
  EXPECT_EQ(RecentCustomizations().load().value(0), QFileInfo(target).absoluteFilePath());
}

TEST_F(ShellTest, NewResetsLabelsAndEffectsButKeepsTheFileName) {
  writeFile(path(QStringLiteral("Zelvan_USR.ini")),
            joinLines(validCustomizationLines() << QStringLiteral("ButtonEffect=5") << QStringLiteral("OUTPUT1=L")));
  createApp();
  TZelvan_main* m = main();
  int takenOver = 0;
  addRecordingFeature(m)->onEffectMemories = [&] { ++takenOver; };
  m->files().New1Click();
  EXPECT_EQ(m->memoryLists().InputLabelList[4]->text(), QStringLiteral("Input 5"));
  EXPECT_EQ(m->state().MemoryLabels[0], QStringLiteral("Mem 9"));  // "None" slot is not renamed
  EXPECT_EQ(m->state().MemoryLabels[11], QStringLiteral("Frame 3"));
  EXPECT_EQ(m->state().MemoryLabels[12], QStringLiteral("Frame 4"));
  EXPECT_EQ(m->state().MemoryLabels[3], QStringLiteral("Logo 1"));
  EXPECT_EQ(m->state().OutputLabels[0], QStringLiteral("Output 1"));
  EXPECT_EQ(m->state().EffectMemory.ButtonEffect(), 1);
  EXPECT_EQ(m->state().EffectMemory.slot(3).EFFDUR, 255);
  EXPECT_EQ(takenOver, 1);
  EXPECT_EQ(m->state().CustomizationFileName, QStringLiteral("Zelvan_USR.ini"));
}
