// Debug console: the command buttons' settings file, script transfer and
// Force Connect.
#include "debug_console_test_support.h"

using namespace debug_console_test;

namespace {


TEST_F(DebugConsoleTest, SettingsFileRoundTrip) {
  make();
  const QString path = dir.filePath(QStringLiteral("debug Zelvan remote control.ini"));
  EXPECT_EQ(form->settingsFilePath(), path);
  form->setCommandButton(1, QStringLiteral("Query all"), QStringLiteral("#"));
  form->setCommandButton(26, QStringLiteral("Dévelop"), QStringLiteral("5H3V"));
  form->show();
  form->close();  // closing writes the file
  ASSERT_TRUE(QFile::exists(path));
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QList<QByteArray> lines = f.readAll().split('\n');
  EXPECT_EQ(lines[0], QByteArray("desc1=Query all\r"));
  EXPECT_EQ(lines[1], QByteArray("adon1=#\r"));
  EXPECT_EQ(lines[2], QByteArray("desc2=..@..> Click\r"));
  EXPECT_EQ(lines[3], QByteArray("adon2=\r"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);  // no temporary file left

  form.reset();
  make();
  EXPECT_EQ(form->commandCaption(1), QStringLiteral("Query all"));
  EXPECT_EQ(form->commandText(1), QStringLiteral("#"));
  EXPECT_EQ(form->commandCaption(26), QStringLiteral("Dévelop"));
  EXPECT_EQ(child<QPushButton>("BitBtn_ADBG_26")->toolTip(), QStringLiteral("5H3V"));
  EXPECT_EQ(form->commandCaption(2), QStringLiteral("..@..> Click"));
}

TEST_F(DebugConsoleTest, HostileSettingsFilesGiveTheDefaults) {
  const QString name = QStringLiteral("debug Zelvan remote control.ini");
  // Truncated, with junk lines, out-of-range keys, control characters and a Latin-1 text.
  writeFile(name,
            "desc3=Gamma\r\nnonsense\r\n=x\r\ndesc0=zero\r\ndesc27=far\r\nadon3=1\x01"
            "2\tV\r\n"
            "desc3=second\r\ndesc5=caf\xe9\r\nadon5=5H\r\nadon7=7");
  make();
  EXPECT_EQ(form->commandCaption(3), QStringLiteral("Gamma"));
  EXPECT_EQ(form->commandText(3), QStringLiteral("12V"));
  EXPECT_EQ(form->commandCaption(5), QStringLiteral("café"));
  EXPECT_EQ(form->commandText(5), QStringLiteral("5H"));
  EXPECT_EQ(form->commandText(7), QStringLiteral("7"));
  EXPECT_EQ(form->commandCaption(1), QStringLiteral("..@..> Click"));
  EXPECT_TRUE(logLines().isEmpty());

  // A binary file: defaults, and the log says why.
  form.reset();
  writeFile(name, QByteArray("desc1=x\r\n\0\0\0\x7f", 13));
  make();
  EXPECT_EQ(form->commandCaption(1), QStringLiteral("..@..> Click"));
  ASSERT_EQ(logLines().size(), 1);
  EXPECT_TRUE(logLines().first().contains(QStringLiteral("texte")));

  // An oversized file: defaults.
  form.reset();
  writeFile(name, "desc1=big\r\n" + QByteArray(int(kMaxSettingsFileSize), 'a'));
  make();
  EXPECT_EQ(form->commandCaption(1), QStringLiteral("..@..> Click"));
  EXPECT_EQ(logLines().size(), 1);

  // Very long values are cut.
  form.reset();
  writeFile(name, "desc1=" + QByteArray(5000, 'c') + "\r\nadon1=" + QByteArray(9000, 'd') + "\r\n");
  make();
  EXPECT_EQ(form->commandCaption(1).size(), kMaxCaptionLength);
  EXPECT_EQ(form->commandText(1).size(), kMaxCommandLength);
}

TEST_F(DebugConsoleTest, UnwritableSettingsFileIsReported) {
  make();
  zelvan::ui::ScriptedDialogs dialogs;
  form->setSettingsFilePath(dir.filePath(QStringLiteral("missing-dir/debug.ini")));
  EXPECT_FALSE(form->SaveSettings());
  ASSERT_EQ(dialogs.messages().size(), 1);
  EXPECT_EQ(dialogs.shown[0].kind, zelvan::ui::MessageKind::Error);
}

// --------------------------------------------------------- script transfer

TEST_F(DebugConsoleTest, ShortFirstLineSendsOneLinePerTick) {
  attachSink();
  make();
  zelvan::ui::ScriptedDialogs dialogs;
  writeFile(QStringLiteral("s.txt"), "5H\r\n3V\n\nEND1\n");
  dialogs.fileAnswers = {dir.filePath(QStringLiteral("s.txt"))};
  auto* bar = child<QScrollBar>("ScrollBar_duration");
  bar->setValue(100);
  form->Envoyerunfichiertexte1Click();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_TRUE(dialogs.shown[0].text.contains(QStringLiteral("*.txt")));
  EXPECT_EQ(form->windowTitle(), QStringLiteral("DEBUG  ") + dir.filePath(QStringLiteral("s.txt")));
  EXPECT_TRUE(form->scriptRunning());
  EXPECT_TRUE(form->scriptLineMode());
  EXPECT_EQ(form->scriptDelay(), 130);
  EXPECT_FALSE(bar->isEnabled());

  // Driven tick by tick: one line each, without terminator.
  form->Timer_transfertTimer();
  form->Timer_transfertTimer();
  ASSERT_TRUE(sink.waitForCount(2));
  EXPECT_EQ(sink.datagrams(), QList<QByteArray>({"5H", "3V"}));
  form->Timer_transfertTimer();  // the empty line sends nothing
  form->Timer_transfertTimer();
  ASSERT_TRUE(sink.waitForCount(3));
  EXPECT_EQ(sink.datagrams().last(), QByteArray("END1"));
  EXPECT_TRUE(form->scriptRunning());
  form->Timer_transfertTimer();  // nothing left
  EXPECT_FALSE(form->scriptRunning());
  EXPECT_TRUE(bar->isEnabled());
  EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(DebugConsoleTest, LongFirstLineSendsOneCharacterPerTickAtTheScaledPace) {
  attachSink();
  make();
  writeFile(QStringLiteral("c.txt"), "0123456789AB\nZ");
  form->setPaceScale(1);
  ASSERT_TRUE(form->startScript(dir.filePath(QStringLiteral("c.txt"))));
  EXPECT_FALSE(form->scriptLineMode());
  EXPECT_EQ(form->scriptDelay(), 10);
  EXPECT_EQ(form->scriptInterval(), 1);
  ASSERT_TRUE(pumpUntil([&] { return !form->scriptRunning(); }));
  QByteArray joined;
  const auto got = sink.settle();
  for (const QByteArray& d : got) {
    EXPECT_EQ(d.size(), 1);
    joined += d;
  }
  EXPECT_EQ(joined, QByteArray("0123456789AB\r\nZ\r\n"));
}

TEST_F(DebugConsoleTest, StopEndsTheTransferAndUnlocksThePace) {
  attachSink();
  make();
  QByteArray many;
  for (int i = 0; i < 200; ++i) many += "1H\n";
  writeFile(QStringLiteral("long.txt"), many);
  ASSERT_TRUE(form->startScript(dir.filePath(QStringLiteral("long.txt"))));
  auto* bar = child<QScrollBar>("ScrollBar_duration");
  EXPECT_FALSE(bar->isEnabled());
  form->Timer_transfertTimer();
  form->findChild<QAction*>(QStringLiteral("Stop1"))->trigger();
  EXPECT_FALSE(form->scriptRunning());
  EXPECT_TRUE(bar->isEnabled());
  form->Timer_transfertTimer();  // a late tick after Stop sends nothing
  EXPECT_EQ(sink.settle().size(), 1);
  // Moving the pace while the file is loaded re-applies the rule of its mode.
  bar->setValue(500);
  EXPECT_EQ(form->scriptDelay(), 530);
  EXPECT_EQ(child<QLabel>("Label_duration")->text(), QStringLiteral("500"));
}

TEST_F(DebugConsoleTest, ClosingTheWindowLeavesTheScriptRunning) {
  attachSink();
  make();
  writeFile(QStringLiteral("run.txt"), "1H\n2H\n3H\n");
  form->show();
  ASSERT_TRUE(form->startScript(dir.filePath(QStringLiteral("run.txt"))));
  form->Timer_transfertTimer();
  form->close();  // writes the settings file, but only the end or Stop ends a transfer
  EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("debug Zelvan remote control.ini"))));
  EXPECT_TRUE(form->scriptRunning());
  EXPECT_FALSE(child<QScrollBar>("ScrollBar_duration")->isEnabled());
  form->Timer_transfertTimer();
  form->Timer_transfertTimer();
  ASSERT_TRUE(sink.waitForCount(3));
  EXPECT_EQ(sink.datagrams(), QList<QByteArray>({"1H", "2H", "3H"}));
  form->Timer_transfertTimer();
  EXPECT_FALSE(form->scriptRunning());
  EXPECT_TRUE(child<QScrollBar>("ScrollBar_duration")->isEnabled());
}

TEST_F(DebugConsoleTest, HostileScriptFilesAreRefusedWithAMessage) {
  make();
  zelvan::ui::ScriptedDialogs dialogs;
  writeFile(QStringLiteral("empty.txt"), "");
  writeFile(QStringLiteral("bin.txt"), QByteArray("5H\0\x01\x02", 5));
  EXPECT_FALSE(form->startScript(dir.filePath(QStringLiteral("empty.txt"))));
  EXPECT_FALSE(form->startScript(dir.filePath(QStringLiteral("bin.txt"))));
  EXPECT_FALSE(form->startScript(dir.filePath(QStringLiteral("nowhere.txt"))));
  EXPECT_EQ(dialogs.messages().size(), 3);
  EXPECT_FALSE(form->scriptRunning());
  EXPECT_TRUE(child<QScrollBar>("ScrollBar_duration")->isEnabled());

  // NUL bytes further on stop the transfer with a message.
  QByteArray late = QByteArray("5H\n") + QByteArray(200 * 1024, 'a') + QByteArray(1, '\0');
  writeFile(QStringLiteral("late.txt"), late);
  ASSERT_TRUE(form->startScript(dir.filePath(QStringLiteral("late.txt"))));
  for (int i = 0; i < 1000 && form->scriptRunning(); ++i) form->Timer_transfertTimer();
  EXPECT_FALSE(form->scriptRunning());
  EXPECT_EQ(dialogs.messages().size(), 4);
}

TEST(DebugScriptReader, StreamsLongLinesInBoundedPieces) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("big.txt"));
  QByteArray longLine(3 * ScriptReader::kMaxPiece + 17, 'x');
  {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("1H\r\n" + longLine + "\r\n2V\r3V");
  }
  ScriptReader r;
  ASSERT_TRUE(r.open(path));
  EXPECT_EQ(r.mode(), ScriptReader::Mode::Lines);
  QList<QByteArray> pieces;
  QByteArray p;
  while (r.next(&p)) pieces << p;
  EXPECT_TRUE(r.error().isEmpty());
  ASSERT_EQ(pieces.size(), 1 + 4 + 2);
  EXPECT_EQ(pieces[0], QByteArray("1H"));
  QByteArray joined;
  for (int i = 1; i <= 4; ++i) {
    EXPECT_LE(pieces[i].size(), ScriptReader::kMaxPiece);
    joined += pieces[i];
  }
  EXPECT_EQ(joined, longLine);
  EXPECT_EQ(pieces[5], QByteArray("2V"));
  EXPECT_EQ(pieces[6], QByteArray("3V"));
}

TEST(DebugScriptReader, CharacterModeEndsEveryLineWithCrLf) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("c.txt"));
  {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("ABCDEFGHIJKL\rm\n\nn\r\n");
  }
  ScriptReader r;
  ASSERT_TRUE(r.open(path));
  EXPECT_EQ(r.mode(), ScriptReader::Mode::Characters);
  QByteArray all;
  QByteArray p;
  while (r.next(&p)) {
    ASSERT_EQ(p.size(), 1);
    all += p;
  }
  EXPECT_EQ(all, QByteArray("ABCDEFGHIJKL\r\nm\r\n\r\nn\r\n"));
}

// ------------------------------------------------------------ Force Connect

TEST_F(DebugConsoleTest, ForceConnectMenuSwitchesTheLink) {
  make();
  link->setSupervisorTimeScale(1);
  auto* on = form->findChild<QAction*>(QStringLiteral("On1"));
  auto* off = form->findChild<QAction*>(QStringLiteral("Off1"));
  ASSERT_NE(on, nullptr);
  ASSERT_NE(off, nullptr);
  EXPECT_EQ(form->findChild<QAction*>(QStringLiteral("ForceConnect1"))->text(),
            QStringLiteral("Force Connect"));
  form->ForceConnect1Click();
  EXPECT_TRUE(off->isChecked());
  EXPECT_FALSE(on->isChecked());

  on->trigger();
  EXPECT_TRUE(link->ForceConn());
  ASSERT_TRUE(pumpUntil([&] { return link->Connected(); }));
  off->setChecked(true);  // what the menu shows is re-read when it opens
  form->ForceConnect1Click();
  EXPECT_TRUE(on->isChecked());

  off->trigger();
  EXPECT_FALSE(link->ForceConn());
  form->ForceConnect1Click();
  EXPECT_TRUE(off->isChecked());
}

}  // namespace
