// Debug console: logging and watch-list filter, command entry, value panel,
// command buttons and their settings file, script transfer, Force Connect.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QNetworkDatagram>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QUdpSocket>
#include <functional>
#include <memory>

#include "device/zelvan_d.h"
#include "tools/debug_format.h"
#include "tools/debug_registers.h"
#include "tools/debug_script.h"
#include "tools/debug_settings.h"
#include "tools/tform_debug.h"
#include "widgets/uidialogs.h"
#include "tools_test_support.h"

using namespace zelvan::debugconsole;

namespace {

bool pumpUntil(const std::function<bool()>& cond, int timeoutMs = 3000) {
  QDeadlineTimer deadline(timeoutMs);
  while (!cond()) {
    if (deadline.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return true;
}

// Plays the device on a loopback UDP port: every SendRaw of the link is one
// datagram here. The link's own identity polls ("?") are left out.
class UdpSink {
 public:
  UdpSink() { sock.bind(QHostAddress::LocalHost, 0); }
  quint16 port() const { return sock.localPort(); }
  QList<QByteArray> datagrams() {
    while (sock.hasPendingDatagrams()) {
      const QByteArray d = sock.receiveDatagram().data();
      if (d != "?") got << d;
    }
    return got;
  }
  bool waitForCount(int n, int timeoutMs = 3000) {
    return pumpUntil([&] { return datagrams().size() >= n; }, timeoutMs);
  }
  // Nothing more arrives within a short while.
  QList<QByteArray> settle(int ms = 60) {
    QDeadlineTimer d(ms);
    while (!d.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return datagrams();
  }
  QUdpSocket sock;
  QList<QByteArray> got;
};

quint16 freeUdpPort() {
  QUdpSocket s;
  s.bind(QHostAddress::LocalHost, 0);
  return s.localPort();
}

// Constructed before the fixture's sockets and windows, which need the application.
struct AppFirst {
  AppFirst() { ensureApp(); }
};

class DebugConsoleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    previousDir = QDir::currentPath();
    QDir::setCurrent(dir.path());
    link = std::make_unique<TZelvan_d>();
    link->SetRanges(zelvan::acceptedRanges());
  }
  void TearDown() override {
    form.reset();
    link.reset();
    QDir::setCurrent(previousDir);
  }

  TForm_debug& make() {
    form = std::make_unique<TForm_debug>(link.get());
    return *form;
  }
  void attachSink() {
    link->setIpRemoteAddress(QStringLiteral("127.0.0.1"));
    link->setIpRemotePort(sink.port());
    link->setIpLocalPort(freeUdpPort());
    link->setConType(CON_UDP);
  }
  void receive(const QByteArray& lines) { link->ProcessReceived(lines); }

  template <typename T>
  T* child(const char* name) {
    T* w = form->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  QPlainTextEdit* log() {
    form->flushLog();
    return child<QPlainTextEdit>("Memo_recu");
  }
  QStringList logLines() {
    QString t = log()->toPlainText();
    return t.isEmpty() ? QStringList() : t.split(QLatin1Char('\n'));
  }
  QListWidget* watch() { return child<QListWidget>("CheckListBox_bloque_reception_rs"); }
  QPushButton* disableAll() { return child<QPushButton>("SpeedButton_Disable_all"); }
  void tick(const QString& name, bool on) { form->setWatchItemChecked(form->watchRowOfName(name), on); }
  void writeFile(const QString& name, const QByteArray& bytes) {
    QFile f(dir.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }

  AppFirst app;
  QTemporaryDir dir;
  QString previousDir;
  std::unique_ptr<TZelvan_d> link;
  std::unique_ptr<TForm_debug> form;
  UdpSink sink;
};

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
