// Debug console: logging and watch-list filter, command entry, value panel,
// command buttons and their settings file, script transfer, Force Connect.
#include "debug_console_test_support.h"

using namespace debug_console_test;

namespace {

// ------------------------------------------------------------ text helpers

TEST(DebugFormat, HexadecimalAndBitString) {
  EXPECT_EQ(bitString(QStringLiteral("0003")), QStringLiteral("0000.0000.0000.0011b"));
  EXPECT_EQ(hexAtLeast4(161), QStringLiteral("00A1"));
  EXPECT_EQ(bitStringOf(0xA5F0), QStringLiteral("1010.0101.1111.0000b"));
  EXPECT_EQ(hexAtLeast4(0x12345), QStringLiteral("12345"));
  EXPECT_EQ(bitStringOf(0x12345), QStringLiteral("0001.0010.0011.0100.0101b"));
  EXPECT_EQ(bitString(QString()), QString());
}

TEST(DebugFormat, SplitsDigitsWhereverTheyStand) {
  const DigitSplit s = splitDigits(QStringLiteral("I_5x2"));
  EXPECT_EQ(s.digits, QStringLiteral("52"));
  EXPECT_EQ(s.name, QStringLiteral("I_x"));
  EXPECT_EQ(digitsValue(QStringLiteral("00042")), 42u);
  EXPECT_EQ(digitsValue(QStringLiteral("18446744073709551615")), UINT64_MAX);
  EXPECT_FALSE(digitsValue(QStringLiteral("18446744073709551616")).has_value());
  EXPECT_FALSE(digitsValue(QString()).has_value());
}

TEST(DebugFormat, LogLineSeparatorDependsOnLength) {
  EXPECT_EQ(formatLogLine(QStringLiteral("HP3"), 3), QStringLiteral("HP3\t\t0003h   0000.0000.0000.0011b"));
  EXPECT_EQ(formatLogLine(QStringLiteral("VERU1234"), 1234),
            QStringLiteral("VERU1234\t\t04D2h   0000.0100.1101.0010b"));
  EXPECT_EQ(formatLogLine(QStringLiteral("VERU12345"), 12345),
            QStringLiteral("VERU12345 \t3039h   0011.0000.0011.1001b"));
}

TEST(DebugFormat, BackspaceTrimsTrailingBlanks) {
  EXPECT_EQ(backspacePending(QStringLiteral("5 H")), QStringLiteral("5"));
  EXPECT_EQ(backspacePending(QStringLiteral("12   x")), QStringLiteral("12"));
  EXPECT_EQ(backspacePending(QStringLiteral("5H")), QStringLiteral("5"));
  EXPECT_EQ(backspacePending(QStringLiteral(" ")), QString());
  EXPECT_EQ(backspacePending(QString()), QString());
}

// ------------------------------------------------------------ register list

TEST(DebugRegisterList, HasTheListedLinesOnly) {
  const auto& lines = registerLines();
  ASSERT_EQ(lines.size(), 313u);
  EXPECT_EQ(lines.front().text, QStringLiteral("#          #        envoie de toutes les variable"));
  QStringList texts;
  QStringList names;
  for (const auto& l : lines) {
    texts << l.text;
    names << l.name;
    EXPECT_EQ(l.text.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty), l.code);
    EXPECT_EQ(l.text.section(QLatin1Char(' '), 1, 1, QString::SectionSkipEmpty), l.name);
  }
  EXPECT_TRUE(texts.contains(QStringLiteral("@          ADBG     pointeur de debugage")));
  EXPECT_TRUE(texts.contains(QStringLiteral("?          DEV      device type")));
  EXPECT_TRUE(texts.contains(QStringLiteral("U          UNIT     measuring freqency in kHz")));
  EXPECT_TRUE(texts.contains(QStringLiteral("PS         PSOG     entree possible en SOG")));
  for (const char* gone : {"TCP", "EDGM", "EDCH", "EFPS", "$"})
    EXPECT_FALSE(names.contains(QLatin1String(gone))) << gone;
  auto nameOfCode = [&](const QString& code) {
    for (const auto& l : lines)
      if (l.code == code) return l.name;
    return QString();
  };
  EXPECT_EQ(nameOfCode(QStringLiteral("eB")), QStringLiteral("EDGB"));
  EXPECT_EQ(nameOfCode(QStringLiteral("eu")), QStringLiteral("EFPN"));
  EXPECT_EQ(nameOfCode(QStringLiteral("H")), QStringLiteral("HP"));
  // Catalogue order: ADBG comes right after the opening line.
  EXPECT_EQ(lines[1].name, QStringLiteral("ADBG"));
}

TEST_F(DebugConsoleTest, BuildsItsControls) {
  make();
  EXPECT_EQ(form->windowTitle(), QStringLiteral("DEBUG"));
  EXPECT_EQ(child<QLabel>("Label1")->text(), QStringLiteral("-> RS232"));
  auto* combo = child<QComboBox>("_");
  EXPECT_EQ(combo->count(), 313);
  EXPECT_EQ(combo->maxVisibleItems(), 46);
  ASSERT_EQ(watch()->count(), 313);
  EXPECT_EQ(watch()->item(1)->text(), QStringLiteral("@->ADBG"));
  for (int i = 0; i < watch()->count(); ++i) ASSERT_EQ(watch()->item(i)->checkState(), Qt::Checked) << i;
  for (int n = 1; n <= 26; ++n) {
    auto* b = child<QPushButton>(QStringLiteral("BitBtn_ADBG_%1").arg(n).toLatin1().constData());
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->text(), QStringLiteral("..@..> Click"));
  }
  for (int n = 1; n <= 16; ++n)
    EXPECT_EQ(child<QLineEdit>(QStringLiteral("Edit%1").arg(n).toLatin1().constData())->toolTip(),
              QStringLiteral("Click pour inverser le bit"));
  EXPECT_TRUE(child<QWidget>("Panel1")->isHidden());
  auto* bar = child<QScrollBar>("ScrollBar_duration");
  EXPECT_EQ(bar->minimum(), 0);
  EXPECT_EQ(bar->maximum(), 1024);
  EXPECT_EQ(form->width(), 605);
  EXPECT_EQ(disableAll()->text(), QStringLiteral("Disable all"));
  EXPECT_FALSE(form->filterActive());
}

// ------------------------------------------------------------------ logging

TEST_F(DebugConsoleTest, LogsMatchedRepliesWithTheirValue) {
  make();
  receive("HP3\r\nVERU12345\r\n");
  EXPECT_EQ(logLines(), QStringList({QStringLiteral("HP3\t\t0003h   0000.0000.0000.0011b"),
                                     QStringLiteral("VERU12345 \t3039h   0011.0000.0011.1001b")}));
}

TEST_F(DebugConsoleTest, LinesLoggedWhileHiddenShowUpWhenTheWindowOpens) {
  make();
  auto* memo = form->findChild<QPlainTextEdit*>(QStringLiteral("Memo_recu"));
  ASSERT_NE(memo, nullptr);
  ASSERT_FALSE(form->isVisible());
  QByteArray flood;
  for (int i = 0; i < TForm_debug::kMaxLogLines + 7; ++i) flood += "HP" + QByteArray::number(i % 256) + "\r\n";
  receive(flood);
  EXPECT_TRUE(memo->toPlainText().isEmpty());  // nothing laid out while hidden
  form->show();
  const QStringList lines = memo->toPlainText().split(QLatin1Char('\n'));
  EXPECT_EQ(lines.size(), TForm_debug::kMaxLogLines);  // the newest ones
  EXPECT_TRUE(lines.last().startsWith(QStringLiteral("HP%1\t").arg((TForm_debug::kMaxLogLines + 6) % 256)));
  // Visible, a line goes straight in.
  receive("HP3\r\n");
  EXPECT_TRUE(memo->toPlainText().endsWith(QStringLiteral("HP3\t\t0003h   0000.0000.0000.0011b")));
}

TEST_F(DebugConsoleTest, LineWithoutDigitIsNeverLogged) {
  make();
  receive("TAKE\r\n");
  EXPECT_TRUE(logLines().isEmpty());
  disableAll()->click();
  tick(QStringLiteral("TAKE"), true);
  ASSERT_TRUE(form->filterNames().contains(QStringLiteral("TAKE")));
  receive("TAKE\r\nTAKE1\r\n");
  EXPECT_EQ(logLines(), QStringList({formatLogLine(QStringLiteral("TAKE1"), 1)}));
}

TEST_F(DebugConsoleTest, UntickingDevHidesIdentityAnswers) {
  make();
  tick(QStringLiteral("DEV"), false);
  EXPECT_EQ(form->devExclusion(), QStringLiteral("DEV"));
  EXPECT_FALSE(form->filterActive());
  receive("DEV27\r\nHP1\r\n");
  EXPECT_EQ(logLines(), QStringList({formatLogLine(QStringLiteral("HP1"), 1)}));
  tick(QStringLiteral("DEV"), true);
  EXPECT_TRUE(form->devExclusion().isEmpty());
  receive("DEV27\r\n");
  EXPECT_EQ(logLines().size(), 2);
  EXPECT_TRUE(logLines().last().startsWith(QStringLiteral("DEV27\t")));
}

TEST_F(DebugConsoleTest, WatchingUpToFiveNamesFiltersTheLog) {
  make();
  disableAll()->click();
  EXPECT_TRUE(disableAll()->isChecked());
  EXPECT_EQ(disableAll()->text(), QStringLiteral("Disable all 0 / 5"));
  for (int i = 0; i < watch()->count(); ++i) ASSERT_EQ(watch()->item(i)->checkState(), Qt::Unchecked);
  receive("HP1\r\n");
  EXPECT_TRUE(logLines().isEmpty());

  tick(QStringLiteral("CH"), true);
  tick(QStringLiteral("ch"), true);
  EXPECT_EQ(disableAll()->text(), QStringLiteral("Disable all 2 / 5"));
  EXPECT_EQ(form->filterNames(), QStringList({QStringLiteral("CH"), QStringLiteral("ch")}));
  receive("CH3\r\nch4\r\nCHN3\r\nHP5\r\nDEV27\r\n");
  EXPECT_EQ(logLines(),
            QStringList({formatLogLine(QStringLiteral("CH3"), 3), formatLogLine(QStringLiteral("ch4"), 4)}));

  // Ticking a sixth item gives up the filter: everything is logged again.
  for (const char* n : {"HP", "VP", "HW"}) tick(QLatin1String(n), true);
  EXPECT_EQ(disableAll()->text(), QStringLiteral("Disable all 5 / 5"));
  tick(QStringLiteral("VS"), true);
  EXPECT_FALSE(form->filterActive());
  EXPECT_FALSE(disableAll()->isChecked());
  EXPECT_EQ(disableAll()->text(), QStringLiteral("Disable all"));
  for (int i = 0; i < watch()->count(); ++i) ASSERT_EQ(watch()->item(i)->checkState(), Qt::Checked) << i;
  log()->clear();
  receive("CHN3\r\nDEV27\r\nBRG7\r\n");
  EXPECT_EQ(logLines().size(), 3);
}

TEST_F(DebugConsoleTest, ReleasingDisableAllKeepsTheDevChoice) {
  make();
  tick(QStringLiteral("DEV"), false);
  disableAll()->click();
  disableAll()->click();
  EXPECT_FALSE(disableAll()->isChecked());
  EXPECT_EQ(disableAll()->text(), QStringLiteral("Disable all"));
  EXPECT_FALSE(form->watchItemChecked(form->watchRowOfName(QStringLiteral("DEV"))));
  EXPECT_TRUE(form->watchItemChecked(form->watchRowOfName(QStringLiteral("HP"))));
  receive("DEV27\r\nHP2\r\n");
  EXPECT_EQ(logLines(), QStringList({formatLogLine(QStringLiteral("HP2"), 2)}));
}

TEST_F(DebugConsoleTest, HostileReplyLinesStayBounded) {
  make();
  // Digits beyond 64 bits: the line is logged shortened with a notice.
  QByteArray big = "HP" + QByteArray(400, '9') + "\r\n";
  receive(big);
  ASSERT_EQ(logLines().size(), 1);
  EXPECT_LT(logLines().first().size(), 200);
  EXPECT_TRUE(logLines().first().contains(QStringLiteral("trop grande")));
  // Leading zeros make a long but valid number: the value is shown, the text cut.
  log()->clear();
  receive("HP" + QByteArray(1000, '0') + "7\r\n");
  ASSERT_EQ(logLines().size(), 1);
  EXPECT_LT(logLines().first().size(), 320);
  EXPECT_TRUE(logLines().first().endsWith(QStringLiteral("0007h   0000.0000.0000.0111b")));
  // The log keeps a bounded number of lines.
  log()->clear();
  QByteArray flood;
  for (int i = 0; i < TForm_debug::kMaxLogLines + 50; ++i) flood += "HP1\r\n";
  receive(flood);
  EXPECT_LE(log()->document()->blockCount(), TForm_debug::kMaxLogLines);
}

TEST_F(DebugConsoleTest, DestroyedConsoleNoLongerHandlesTheLink) {
  make();
  form.reset();
  receive("HP3\r\n");  // must not reach the destroyed window
  EXPECT_FALSE(static_cast<bool>(link->OnRecString));
}

// ------------------------------------------------------------ command entry

TEST_F(DebugConsoleTest, KeysBuildThePendingCommandAndEnterSendsIt) {
  attachSink();
  make();
  auto* memo = child<QPlainTextEdit>("Memo_env");
  QTest::keyClicks(memo, QStringLiteral("12 x"));
  EXPECT_EQ(form->pendingCommand(), QStringLiteral("12 x"));
  EXPECT_EQ(child<QLabel>("Label1")->text(), QStringLiteral("12 x"));
  QTest::keyClick(memo, Qt::Key_Backspace);
  EXPECT_EQ(form->pendingCommand(), QStringLiteral("12"));
  EXPECT_EQ(child<QLabel>("Label1")->text(), QStringLiteral("12"));
  QTest::keyClicks(log(), QStringLiteral("V"));  // typed in another part of the window
  QTest::keyClick(memo, Qt::Key_Return);
  EXPECT_TRUE(form->pendingCommand().isEmpty());
  ASSERT_TRUE(sink.waitForCount(1));
  EXPECT_EQ(sink.datagrams(), QList<QByteArray>({"12V"}));
  // Enter with nothing pending sends nothing.
  QTest::keyClick(memo, Qt::Key_Return);
  EXPECT_EQ(sink.settle().size(), 1);
}

TEST_F(DebugConsoleTest, PickingARegisterComposesTheCommand) {
  attachSink();
  make();
  QTest::keyClicks(form.get(), QStringLiteral("5"));
  int hRow = -1;
  for (int i = 0; i < int(form->registerList().size()); ++i)
    if (form->registerList()[size_t(i)].code == QLatin1String("H")) hRow = i;
  ASSERT_GE(hRow, 0);
  form->RegisterListClick(hRow);
  EXPECT_EQ(form->pendingCommand(), QStringLiteral("5H"));
  EXPECT_EQ(child<QLabel>("Label1")->text(), QStringLiteral("5H"));
  EXPECT_EQ(child<QPlainTextEdit>("Memo_env")->toPlainText(), QStringLiteral("5H"));
  // A double click on a watch-list item appends its code the same way.
  form->WatchListDblClick(form->watchRowOfName(QStringLiteral("VP")));
  EXPECT_EQ(form->pendingCommand(), QStringLiteral("5HV"));
  QTest::keyClick(form.get(), Qt::Key_Backspace);
  // A double click in the window picks the register list's current line ("#").
  QTest::mouseDClick(form.get(), Qt::LeftButton);
  EXPECT_EQ(form->pendingCommand(), QStringLiteral("5H#"));
  QTest::keyClick(form.get(), Qt::Key_Backspace);
  QTest::keyClick(form.get(), Qt::Key_Enter);
  ASSERT_TRUE(sink.waitForCount(1));
  EXPECT_EQ(sink.datagrams().first(), QByteArray("5H"));
}

TEST_F(DebugConsoleTest, AlphabeticalSortRebuildsTheLists) {
  make();
  tick(QStringLiteral("DEV"), false);
  auto* sorted = child<QPushButton>("ABC_Sorted");
  EXPECT_EQ(sorted->text(), QStringLiteral("Alphabetically"));
  sorted->click();
  EXPECT_FALSE(sorted->isEnabled());
  const auto& lines = form->registerList();
  ASSERT_EQ(lines.size(), 313u);
  for (size_t i = 1; i < lines.size(); ++i)
    ASSERT_LE(QString::compare(lines[i - 1].text, lines[i].text, Qt::CaseInsensitive), 0) << i;
  auto* combo = child<QComboBox>("_");
  EXPECT_EQ(combo->itemText(0), lines[0].text);
  for (int i = 0; i < watch()->count(); ++i) {
    ASSERT_EQ(watch()->item(i)->checkState(), Qt::Checked);
    ASSERT_EQ(watch()->item(i)->text(), lines[size_t(i)].code + QStringLiteral("->") + lines[size_t(i)].name);
  }
  EXPECT_TRUE(form->devExclusion().isEmpty());
}

TEST_F(DebugConsoleTest, ClearEmptiesEverythingAndTheShakePutsControlsBack) {
  make();
  form->show();
  QTest::keyClicks(form.get(), QStringLiteral("7"));
  form->RegisterListClick(1);
  receive("HP1\r\n");
  child<QPushButton>("BitBtn_clear")->click();
  EXPECT_TRUE(form->pendingCommand().isEmpty());
  EXPECT_TRUE(child<QLabel>("Label1")->text().isEmpty());
  EXPECT_TRUE(log()->toPlainText().isEmpty());
  EXPECT_TRUE(child<QPlainTextEdit>("Memo_env")->toPlainText().isEmpty());

  receive("HP1\r\n");
  const QPoint home = log()->pos();
  form->setShakeStepMs(1);
  QTest::mouseClick(child<QPushButton>("BitBtn_clear"), Qt::RightButton);
  EXPECT_TRUE(form->shaking());
  ASSERT_TRUE(pumpUntil([&] { return !form->shaking(); }));
  EXPECT_TRUE(log()->toPlainText().isEmpty());
  EXPECT_EQ(log()->pos(), home);
}

// ------------------------------------------------------------- value panel

TEST_F(DebugConsoleTest, ValuePanelConvertsTheSelectedReply) {
  make();
  receive("HP3\r\n");
  QTextCursor c(log()->document());
  c.movePosition(QTextCursor::Start);
  c.movePosition(QTextCursor::Right, QTextCursor::KeepAnchor, 3);
  log()->setTextCursor(c);
  child<QPushButton>("BitBtn_Operation_logique")->click();
  auto* panel = child<QWidget>("Panel1");
  EXPECT_FALSE(panel->isHidden());
  EXPECT_EQ(child<QLabel>("Label_variable")->text(), QStringLiteral("HP"));
  EXPECT_EQ(child<QLabel>("Label_valeur_dec")->text(), QStringLiteral("3"));
  EXPECT_EQ(child<QLineEdit>("Edit_valeur_dec")->text(), QStringLiteral("3"));
  EXPECT_EQ(child<QLabel>("Label_valeur_hex")->text(), QStringLiteral("0003"));
  EXPECT_EQ(child<QLineEdit>("Edit_valeur_hex")->text(), QStringLiteral("0003"));
  EXPECT_EQ(child<QLabel>("Label_valeur_bin")->text(), QStringLiteral("0000.0000.0000.0011b"));
  QString bits;
  for (int n = 1; n <= 16; ++n)
    bits += child<QLineEdit>(QStringLiteral("Edit%1").arg(n).toLatin1().constData())->text();
  EXPECT_EQ(bits, QStringLiteral("0000000000000011"));

  // A click on the first box inverts the most significant bit.
  QTest::mouseClick(child<QLineEdit>("Edit1"), Qt::LeftButton);
  EXPECT_EQ(form->panelValue(), 0x8003u);
  EXPECT_EQ(child<QLineEdit>("Edit_valeur_dec")->text(), QStringLiteral("32771"));
  EXPECT_EQ(child<QLineEdit>("Edit_valeur_hex")->text(), QStringLiteral("8003"));
  EXPECT_EQ(child<QLabel>("Label_valeur_bin")->text(), QStringLiteral("1000.0000.0000.0011b"));
  QTest::mouseClick(child<QLineEdit>("Edit16"), Qt::LeftButton);
  EXPECT_EQ(form->panelValue(), 0x8002u);

  // The toggle button closes it again.
  child<QPushButton>("BitBtn_Operation_logique")->click();
  EXPECT_TRUE(panel->isHidden());
}

TEST_F(DebugConsoleTest, DoubleClickOnTheLogsLeftPartOpensThePanel) {
  make();
  form->show();
  receive("HP3\r\n");
  QWidget* viewport = log()->viewport();
  auto* button = child<QPushButton>("BitBtn_Operation_logique");
  auto moveTo = [&](QPoint p) {
    QMouseEvent move(QEvent::MouseMove, QPointF(p), QPointF(viewport->mapToGlobal(p)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
  };
  const QRect firstLine = log()->cursorRect(QTextCursor(log()->document()));
  moveTo(QPoint(4, firstLine.center().y()));
  EXPECT_EQ(log()->toolTip(), QStringLiteral("Double Cliquer sur la variable"));
  EXPECT_TRUE(button->font().bold());
  EXPECT_EQ(button->palette().color(QPalette::ButtonText), QColor(Qt::red));
  moveTo(QPoint(300, firstLine.center().y()));
  EXPECT_TRUE(log()->toolTip().isEmpty());
  EXPECT_FALSE(button->font().bold());

  QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(4, firstLine.center().y()));
  EXPECT_FALSE(child<QWidget>("Panel1")->isHidden());
  EXPECT_EQ(child<QLabel>("Label_variable")->text(), QStringLiteral("HP"));
  EXPECT_EQ(form->panelValue(), 3u);
}

TEST_F(DebugConsoleTest, ValuePanelEntryBoxes) {
  make();
  QTest::keyClicks(form.get(), QStringLiteral("9"));
  form->BitBtn_Operation_logiqueClick();
  EXPECT_EQ(child<QLabel>("Label_variable")->text(), QStringLiteral("Conversion (aucune valeur d'entrer)"));
  EXPECT_EQ(child<QLabel>("Label_valeur_bin")->text(), QStringLiteral("0000.0000.0000.0000b"));

  auto* dec = child<QLineEdit>("Edit_valeur_dec");
  dec->clear();
  QTest::keyClicks(dec, QStringLiteral("2a5x5"));  // letters are refused
  EXPECT_EQ(dec->text(), QStringLiteral("255"));
  QTest::keyClick(dec, Qt::Key_Return);
  EXPECT_EQ(form->panelValue(), 255u);
  EXPECT_EQ(child<QLineEdit>("Edit_valeur_hex")->text(), QStringLiteral("00FF"));
  EXPECT_EQ(child<QLineEdit>("Edit9")->text(), QStringLiteral("1"));
  EXPECT_EQ(child<QLineEdit>("Edit8")->text(), QStringLiteral("0"));
  EXPECT_EQ(form->pendingCommand(), QStringLiteral("9"));  // the panel's keys are not commands

  auto* hex = child<QLineEdit>("Edit_valeur_hex");
  hex->clear();
  QTest::keyClicks(hex, QStringLiteral("1fz23"));  // at most four hexadecimal digits
  EXPECT_EQ(hex->text(), QStringLiteral("1f23"));
  hex->setText(QStringLiteral("1f"));
  QTest::keyClick(hex, Qt::Key_Return);
  EXPECT_EQ(form->panelValue(), 31u);
  EXPECT_EQ(hex->text(), QStringLiteral("001F"));
  EXPECT_EQ(dec->text(), QStringLiteral("31"));

  // More decimal digits than 32 bits hold are capped, not wrapped.
  dec->setText(QStringLiteral("9999999999"));
  form->Edit_valeur_decEnter();
  EXPECT_EQ(form->panelValue(), UINT32_MAX);

  dec->setText(QStringLiteral("31"));
  form->Edit_valeur_decEnter();
  child<QPushButton>("BitBtn_ok")->click();
  EXPECT_TRUE(child<QWidget>("Panel1")->isHidden());
  EXPECT_EQ(form->pendingCommand(), QStringLiteral("31"));
  EXPECT_EQ(child<QPlainTextEdit>("Memo_env")->toPlainText(), QStringLiteral("31"));

  form->BitBtn_Operation_logiqueClick();
  child<QPushButton>("BitBtn_annuler")->click();
  EXPECT_TRUE(child<QWidget>("Panel1")->isHidden());
}

TEST_F(DebugConsoleTest, ValuePanelSendsToTheNamedRegister) {
  attachSink();
  make();
  zelvan::ui::ScriptedDialogs dialogs;
  receive("VP12\r\n");
  QTextCursor c(log()->document());
  c.movePosition(QTextCursor::Start);
  c.movePosition(QTextCursor::Right, QTextCursor::KeepAnchor, 4);
  log()->setTextCursor(c);
  form->BitBtn_Operation_logiqueClick();
  EXPECT_EQ(form->panelRegisterName(), QStringLiteral("VP"));
  form->BitBox_Click(16);
  child<QPushButton>("BitBtn_envoie")->click();
  ASSERT_TRUE(sink.waitForCount(1));
  EXPECT_EQ(sink.datagrams().first(), QByteArray("13V"));
  EXPECT_TRUE(dialogs.messages().isEmpty());

  // Without a register name nothing goes out and the operator is told.
  form->BitBtn_Operation_logiqueClick();
  log()->moveCursor(QTextCursor::End);
  form->BitBtn_Operation_logiqueClick();
  form->BitBtn_envoieClick();
  EXPECT_EQ(dialogs.messages().size(), 1);
  EXPECT_EQ(sink.settle().size(), 1);
}

TEST_F(DebugConsoleTest, DesactiverReceptionTogglesTheNamedItemWhileFiltering) {
  make();
  receive("HP3\r\n");
  QTextCursor c(log()->document());
  c.movePosition(QTextCursor::Start);
  c.movePosition(QTextCursor::Right, QTextCursor::KeepAnchor, 3);
  log()->setTextCursor(c);
  form->BitBtn_Operation_logiqueClick();
  auto* off = child<QPushButton>("BitBtn_desactiver_reception");
  EXPECT_FALSE(off->isEnabled());  // no filter
  disableAll()->click();
  EXPECT_FALSE(off->isEnabled());  // filter of no name
  tick(QStringLiteral("VP"), true);
  EXPECT_TRUE(off->isEnabled());
  off->click();  // ticks HP
  EXPECT_EQ(form->filterNames(), QStringList({QStringLiteral("HP"), QStringLiteral("VP")}));
  off->click();  // unticks it again
  EXPECT_EQ(form->filterNames(), QStringList({QStringLiteral("VP")}));
}

// --------------------------------------------------------- command buttons

TEST_F(DebugConsoleTest, CommandButtonsAreProgrammedByRightClick) {
  attachSink();
  make();
  zelvan::ui::ScriptedDialogs dialogs;
  dialogs.textAnswers = {QStringLiteral("Input 3"), QStringLiteral("3CC")};
  QTest::mouseClick(child<QPushButton>("BitBtn_ADBG_4"), Qt::RightButton);
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Entrer description d'addressage"));
  EXPECT_EQ(dialogs.shown[1].text, QStringLiteral("Entrer l'addresse et/ou la donnée"));
  auto* b4 = child<QPushButton>("BitBtn_ADBG_4");
  EXPECT_EQ(b4->text(), QStringLiteral("Input 3"));
  EXPECT_EQ(b4->toolTip(), QStringLiteral("3CC"));

  // Cancelling keeps what the button had.
  dialogs.textAnswers = {std::nullopt, std::nullopt};
  QTest::mouseClick(b4, Qt::RightButton);
  EXPECT_EQ(form->commandCaption(4), QStringLiteral("Input 3"));
  EXPECT_EQ(form->commandText(4), QStringLiteral("3CC"));

  QTest::mouseClick(child<QPushButton>("BitBtn_ADBG_1"), Qt::LeftButton);  // empty command
  QTest::mouseClick(b4, Qt::LeftButton);
  ASSERT_TRUE(sink.waitForCount(1));
  EXPECT_EQ(sink.settle(), QList<QByteArray>({"3CC"}));
}

}  // namespace
