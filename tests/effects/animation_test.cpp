// The effect animation: the opening and closing buttons with their
// defaults, the durations, the key description and the preview, the
// picture strip (drawn, loaded, refused), the panel slides, the Double PiP
// values and background frames, and the PiP switch buttons.
#include <QBuffer>
#include <QColor>
#include <QDataStream>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "effects_test_support.h"
#include "panel/signal/signal_common.h"
#include "panel/signal/signal_tables.h"

namespace effects_test {
namespace {

class AnimationTest : public EffectsTest {
 protected:
  // Key `key` with an effect, selected.
  EffectSlot& selectKey(int key, int kind, const char* hint, int opening, int closing) {
    EffectSlot& s = memory().slot(key);
    s.kind = kind;
    s.openDisabled = QLatin1String(hint);
    s.EFFOPEN = opening;
    s.EFFCLOSE = closing;
    memory().setButtonEffect(key);
    return s;
  }
  int enabledOpenings() {
    int n = 0;
    for (int v = 0; v < 16; ++v) n += animation().RadioButton_Open(v)->isEnabled() ? 1 : 0;
    return n;
  }
  // The commands sent to one register ("2eu" for EFFOPEN 2).
  QStringList sentTo(const char* code) {
    const QRegularExpression command(QStringLiteral("^\\d+%1$").arg(QLatin1String(code)));
    return sent.filter(command);
  }
};

// ----------------------------------------------------------- the buttons

TEST_F(AnimationTest, ButtonsCarryTheirValuesAndCaptions) {
  auto* open15 = find<QRadioButton>("RadioButton_Open15");
  EXPECT_EQ(open15, animation().RadioButton_Open(15));
  EXPECT_EQ(open15->property("Tag").toInt(), 15);
  EXPECT_EQ(open15->text(), QStringLiteral("Wipe H && V from Center"));
  // Closing value 2 "Slide to Right" sits on RadioButton_Close3.
  auto* close3 = find<QRadioButton>("RadioButton_Close3");
  EXPECT_EQ(close3, animation().RadioButton_Close(2));
  EXPECT_EQ(close3->property("Tag").toInt(), 2);
  EXPECT_EQ(close3->text(), QStringLiteral("Slide to Right"));
  EXPECT_EQ(find<QGroupBox>("GroupBox_Effect_Opening")->title(), QStringLiteral("Effect Opening"));
  EXPECT_EQ(find<QGroupBox>("GroupBox_Effect_Closing")->title(), QStringLiteral("Effect Closing"));
  EXPECT_EQ(animation().Label_Opening_Duration()->text(), QStringLiteral("Opening Duration"));
  EXPECT_EQ(animation().Label_Closing_Duration()->text(), QStringLiteral("Closing Duration"));
  EXPECT_EQ(animation().Image_animation_effect()->toolTip(), QStringLiteral("Effect animation demo"));
  EXPECT_EQ(animation().Image_animation_effect()->geometry(), QRect(410, 34, 32, 32));
}

TEST_F(AnimationTest, WipeKeyOffersOneOpeningOnANarrowPanel) {
  // Horizontal Wipe Left to Right: its slide is ruled out by the hint.
  selectKey(3, 6, "RadioButton_Open2", 6, 6);
  animation().refreshAnimationButtons();
  EXPECT_EQ(enabledOpenings(), 1);
  EXPECT_TRUE(animation().RadioButton_Open(6)->isEnabled());
  EXPECT_FALSE(animation().RadioButton_Open(2)->isEnabled());
  EXPECT_TRUE(animation().RadioButton_Open(6)->isChecked());
  EXPECT_TRUE(animation().GroupBox_Effect_Closing()->isHidden());
  EXPECT_TRUE(animation().ScrollBar_Opening_Duration()->isHidden());
  EXPECT_TRUE(animation().Edit_Closing_Duration()->isHidden());
  EXPECT_EQ(animation().Panel_Animation_Effect()->width(), 144);
  EXPECT_EQ(animation().Panel_Animation_Effect()->x(), 737 - 144);
  // The key holds what its kind wants: nothing to correct, nothing sent,
  // however often the page refreshes.
  animation().refreshAnimationButtons();
  EXPECT_TRUE(sent.isEmpty()) << sent.join(' ').toStdString();

  selectKey(3, 2, "", 0, 0);  // Title: opening and closing with durations
  animation().refreshAnimationButtons();
  EXPECT_FALSE(animation().GroupBox_Effect_Closing()->isHidden());
  EXPECT_FALSE(animation().Label_Closing_Duration()->isHidden());
  EXPECT_EQ(animation().Panel_Animation_Effect()->width(), 289);
  EXPECT_EQ(animation().Panel_Animation_Effect()->x(), 737 - 289);
  EXPECT_EQ(animation().BitBtn_DOWN_panel_Effect_Animation()->width(), 289);
  EXPECT_EQ(enabledOpenings(), 6);
}

TEST_F(AnimationTest, PipCenterWipesAreMirroredBetweenOpeningsAndClosings) {
  selectKey(5, 4, "", 0, 0);
  animation().refreshAnimationButtons();
  EXPECT_FALSE(animation().RadioButton_Open(8)->isEnabled());  // "Wipe H. to Center"
  EXPECT_TRUE(animation().RadioButton_Open(9)->isEnabled());   // "Wipe H. from Center"
  QRadioButton* closeTo = animation().RadioButton_Close(8);
  QRadioButton* closeFrom = animation().RadioButton_Close(9);
  EXPECT_EQ(closeTo->text(), QStringLiteral("Wipe H. to Center"));
  EXPECT_EQ(closeTo->objectName(), QStringLiteral("RadioButton_Close9"));
  EXPECT_TRUE(closeTo->isEnabled());
  EXPECT_FALSE(closeFrom->isEnabled());
  EXPECT_TRUE(sent.isEmpty());
}

TEST_F(AnimationTest, DisabledValuesAreReplacedStoredAndSent) {
  // PiP with "Wipe H. to Center" as opening: Cut In instead.
  EffectSlot& pip = selectKey(5, 4, "", 8, 1);
  animation().refreshAnimationButtons();
  EXPECT_TRUE(animation().RadioButton_Open(0)->isChecked());
  EXPECT_EQ(pip.EFFOPEN, 0);
  EXPECT_EQ(sent, QStringList{QStringLiteral("0eu")});
  EXPECT_TRUE(animation().RadioButton_Close(1)->isChecked());

  // A slide (its wipe ruled out) keeps being a slide: Slide from Left, not the wipe.
  sent.clear();
  EffectSlot& slide = selectKey(2, 6, "RadioButton_Open6", 0, 6);
  animation().refreshAnimationButtons();
  EXPECT_TRUE(animation().RadioButton_Open(2)->isChecked());
  EXPECT_EQ(slide.EFFOPEN, 2);
  EXPECT_EQ(sentTo("eu"), QStringList{QStringLiteral("2eu")});

  // A Title closing with a value Title does not offer: Cut Out.
  sent.clear();
  EffectSlot& title = selectKey(3, 2, "", 1, 9);
  animation().refreshAnimationButtons();
  EXPECT_TRUE(animation().RadioButton_Close(0)->isChecked());
  EXPECT_EQ(title.EFFCLOSE, 0);
  EXPECT_EQ(sent, QStringList{QStringLiteral("0ev")});

  // A wipe's default closing lives on a hidden button: set once, then kept.
  sent.clear();
  EffectSlot& wipe = selectKey(4, 7, "RadioButton_Open3", 7, 0);
  animation().refreshAnimationButtons();
  EXPECT_EQ(wipe.EFFCLOSE, 7);
  EXPECT_EQ(sent, QStringList{QStringLiteral("7ev")});
  animation().refreshAnimationButtons();
  EXPECT_EQ(sent.size(), 1);
}

TEST_F(AnimationTest, DeviceMirrorShowsDefaultsWithoutCorrectingThem) {
  // Slot 7 from a partial burst: PiP with values PiP does not offer.
  EffectSlot& current = selectKey(7, 4, "", 8, 9);
  animation().refreshAnimationButtons();
  EXPECT_TRUE(animation().RadioButton_Open(0)->isChecked());
  EXPECT_TRUE(animation().RadioButton_Close(0)->isChecked());
  EXPECT_EQ(current.EFFOPEN, 8);
  EXPECT_EQ(current.EFFCLOSE, 9);
  EXPECT_TRUE(sent.isEmpty()) << sent.join(' ').toStdString();
}

TEST_F(AnimationTest, ClicksAndDurationsStoreAndSend) {
  EffectSlot& title = selectKey(3, 2, "", 0, 0);
  title.EFFOPNDUR = 25;
  title.EFFCLSDUR = 7;
  animation().refreshAnimationButtons();
  animation().loadValues();
  EXPECT_EQ(animation().ScrollBar_Opening_Duration()->value(), 25);
  EXPECT_EQ(animation().Edit_Opening_Duration()->text(), QStringLiteral("2.5"));
  EXPECT_EQ(animation().Edit_Closing_Duration()->text(), QStringLiteral("0.7"));
  EXPECT_TRUE(sent.isEmpty());

  animation().RadioButton_Open(3)->click();
  EXPECT_EQ(title.EFFOPEN, 3);
  animation().RadioButton_Close(4)->click();
  EXPECT_EQ(title.EFFCLOSE, 4);
  EXPECT_EQ(sent, (QStringList{QStringLiteral("3eu"), QStringLiteral("4ev")}));
  // The click also sets the preview to the key's effect.
  EXPECT_EQ(animation().previewState().opening, 3);
  EXPECT_EQ(animation().previewState().closing, 4);

  sent.clear();
  animation().ScrollBar_Opening_Duration()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(title.EFFOPNDUR, 26);
  EXPECT_EQ(animation().Edit_Opening_Duration()->text(), QStringLiteral("2.6"));
  animation().ScrollBar_Closing_Duration()->triggerAction(QAbstractSlider::SliderSingleStepSub);
  EXPECT_EQ(title.EFFCLSDUR, 6);
  EXPECT_EQ(sent, (QStringList{QStringLiteral("26es"), QStringLiteral("6et")}));

  // While an effect runs the groups and durations are locked.
  animation().setEffectRunning(true);
  EXPECT_FALSE(animation().GroupBox_Effect_Opening()->isEnabled());
  EXPECT_FALSE(animation().GroupBox_Effect_Closing()->isEnabled());
  EXPECT_FALSE(animation().ScrollBar_Closing_Duration()->isEnabled());
  EXPECT_FALSE(animation().Edit_Opening_Duration()->isEnabled());
  animation().setEffectRunning(false);
  EXPECT_TRUE(animation().GroupBox_Effect_Opening()->isEnabled());
  EXPECT_TRUE(animation().ScrollBar_Closing_Duration()->isEnabled());
}

// ---------------------------------------------------- description, preview

TEST_F(AnimationTest, HoverDescribesTheKeyAndLeavesThePreview) {
  selectKey(3, 2, "", 2, 0);
  animation().Button_test(3, false);
  const auto before = animation().previewState();
  selectKey(5, 4, "", 0, 1);
  EXPECT_EQ(animation().effectDescription(5), QStringLiteral("PiP : Cut In -> Fade Out"));
  animation().Button_test(5, true);
  const auto after = animation().previewState();
  EXPECT_EQ(after.kind, before.kind);
  EXPECT_EQ(after.opening, before.opening);
  EXPECT_EQ(after.closing, before.closing);
  // Without hovering the preview takes the key; a PiP closing "Fade Out" plays.
  animation().Button_test(5, false);
  EXPECT_EQ(animation().previewState().kind, 4);
  EXPECT_EQ(animation().previewState().closing, 1);
  // Kinds without opening and closing are named alone.
  selectKey(1, 1, "", 1, 1);
  EXPECT_EQ(animation().effectDescription(1), QStringLiteral("Fade"));
}

// Needs the effect keys (their hint): passes once TEffectKeys is in.
TEST_F(AnimationTest, KeyHintNamesTheEffect) {
  QToolButton* key5 = keys().SpeedButton_Effet(5);
  ASSERT_NE(key5, nullptr);
  selectKey(5, 4, "", 0, 1);
  animation().Button_test(5, true);
  EXPECT_EQ(key5->toolTip(), QStringLiteral("Push TAKE to Validate PiP : Cut In -> Fade Out"));
  // A doubled ampersand is shown as one.
  selectKey(5, 4, "", 15, 14);
  animation().Button_test(5, true);
  EXPECT_EQ(key5->toolTip(),
            QStringLiteral("Push TAKE to Validate PiP : Wipe H & V from Center -> Wipe H & V to Center"));
}

TEST_F(AnimationTest, TitlePreviewSlidesInThenHolds) {
  selectKey(3, 2, "", 2, 0);  // Slide from Left, Cut Out
  animation().Button_test(3, false);
  std::vector<int> shown;
  for (int i = 0; i < 67; ++i) {
    animation().ANIMATION_EFFECT();
    const int index = animation().previewState().shownIndex;
    shown.push_back(index);
    if (i == 0 || i == 20 || i == 40) {
      const QImage picture = animation().Image_animation_effect()->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
      EXPECT_EQ(picture, host->strip.frame(index)) << "frame " << index;
    }
  }
  std::vector<int> expected;
  for (int c = 0; c <= 32; ++c) expected.push_back(33 + c);
  for (int c = 0; c <= 32; ++c) expected.push_back(32);
  expected.push_back(33);  // and again
  EXPECT_EQ(shown, expected);

  // Fade: in 0..32, out 32..0.
  selectKey(2, 1, "", 1, 1);
  animation().Button_test(2, false);
  shown.clear();
  for (int i = 0; i < 66; ++i) {
    animation().ANIMATION_EFFECT();
    shown.push_back(animation().previewState().shownIndex);
  }
  EXPECT_EQ(shown.front(), 0);
  EXPECT_EQ(shown[32], 32);
  EXPECT_EQ(shown[33], 32);
  EXPECT_EQ(shown.back(), 0);
}

TEST_F(AnimationTest, PreviewIsBlankPastTheStripOrWithoutIt) {
  selectKey(5, 4, "", 2, 14);  // PiP: frames 432.. and 794..762
  animation().Button_test(5, false);
  host->strip = TAnimationStrip::fromImage(drawAnimationStrip(400));  // a short strip
  animation().ANIMATION_EFFECT();
  EXPECT_EQ(animation().previewState().shownIndex, -1);
  EXPECT_TRUE(animation().Image_animation_effect()->pixmap().isNull());
  host->strip = TAnimationStrip();
  for (int i = 0; i < 70; ++i) animation().ANIMATION_EFFECT();
  EXPECT_TRUE(animation().Image_animation_effect()->pixmap().isNull());
  // A value out of range shows nothing either.
  selectKey(5, 4, "", 99, 99);
  animation().Button_test(5, false);
  host->strip = TAnimationStrip::fromImage(drawAnimationStrip(kStripMinimumFrames));
  animation().ANIMATION_EFFECT();
  EXPECT_EQ(animation().previewState().shownIndex, -1);
}

TEST_F(AnimationTest, PreviewTimerRunsOnlyOnTheEffectsPage) {
  QTimer* timer = animation().Timer_Animation_EFFECTS();
  EXPECT_EQ(timer->objectName(), QStringLiteral("Timer_Animation_EFFECTS"));
  EXPECT_EQ(timer->interval(), 25);
  EXPECT_FALSE(timer->isActive());
  panels->pageChanged(host->page);
  EXPECT_TRUE(timer->isActive());
  QTRY_VERIFY_WITH_TIMEOUT(animation().previewState().framesShown > 0, 1000);
  panels->pageChanged(host->inputPage);
  EXPECT_FALSE(timer->isActive());
  const int frames = animation().previewState().framesShown;
  QTest::qWait(40);
  EXPECT_EQ(animation().previewState().framesShown, frames);
}

// -------------------------------------------------------------- the strip

// The full picture of a block's end is the same in every block, so the
// preview cuts seamlessly from a block to the still frame of the other phase.
TEST(AnimationStrip, DrawnBlocksShowWhatTheyAreNamed) {
  const QImage strip = drawAnimationStrip(kStripMinimumFrames);
  ASSERT_EQ(strip.size(), QSize(50880, 64));
  auto frame = [&strip](int i) { return strip.copy(i * 64, 0, 64, 64); };
  auto white = [](const QImage& f, int x, int y) { return f.pixel(x, y) == qRgb(255, 255, 255); };
  QImage blank(64, 64, QImage::Format_RGB32);
  blank.fill(Qt::white);
  // Nothing at the start of the openings, the whole picture at their end.
  for (int i : {0, 33, 66, 99, 164, 165, 198, 231, 264, 297, 330, 363, 396, 397}) EXPECT_EQ(frame(i), blank) << i;
  const QImage full = frame(32);
  EXPECT_NE(full, blank);
  for (int i : {65, 98, 131, 132, 197, 230, 263, 296, 329, 362, 395}) EXPECT_EQ(frame(i), full) << i;
  // Half way: slides and wipes from the left show on the left, from the right on the right.
  EXPECT_FALSE(white(frame(49), 10, 40));
  EXPECT_TRUE(white(frame(49), 54, 40));
  EXPECT_TRUE(white(frame(82), 10, 40));
  EXPECT_FALSE(white(frame(82), 54, 40));
  EXPECT_FALSE(white(frame(181), 10, 40));
  EXPECT_TRUE(white(frame(181), 54, 40));
  EXPECT_TRUE(white(frame(214), 10, 40));
  EXPECT_FALSE(white(frame(214), 54, 40));
  // From the bottom / from the top.
  EXPECT_FALSE(white(frame(247), 32, 60));
  EXPECT_TRUE(white(frame(247), 32, 4));
  EXPECT_FALSE(white(frame(280), 32, 4));
  EXPECT_TRUE(white(frame(280), 32, 60));
  // From the centre: a band, a band, a square.
  EXPECT_FALSE(white(frame(313), 32, 4));
  EXPECT_TRUE(white(frame(313), 4, 32));
  EXPECT_FALSE(white(frame(346), 4, 32));
  EXPECT_TRUE(white(frame(346), 32, 4));
  EXPECT_FALSE(white(frame(379), 32, 32));
  EXPECT_TRUE(white(frame(379), 32, 4));
  EXPECT_TRUE(white(frame(379), 4, 32));
  // PiP: the larger picture alone, then the small one over it.
  const QImage pipNone = frame(398), pipFull = frame(431);
  EXPECT_FALSE(white(pipNone, 2, 2));
  EXPECT_NE(pipNone.pixel(44, 18), pipFull.pixel(44, 18));
  EXPECT_EQ(pipNone.pixel(4, 60), pipFull.pixel(4, 60));  // outside the small picture
  for (int i : {464, 497, 530, 531, 596, 629, 662, 695, 728, 761, 794}) EXPECT_EQ(frame(i), pipFull) << i;
  for (int i : {432, 465, 498, 563, 564, 597, 630, 663, 696, 729, 762}) EXPECT_EQ(frame(i), pipNone) << i;
  // Past the table: white; out of bounds counts: no strip.
  EXPECT_EQ(drawAnimationStrip(800).copy(797 * 64, 0, 64, 64), blank);
  EXPECT_TRUE(drawAnimationStrip(0).isNull());
  EXPECT_TRUE(drawAnimationStrip(TAnimationStrip::kMaxFrames + 1).isNull());
}

QByteArray bmpHeader(int32_t width, int32_t height, uint16_t bits) {
  QByteArray b;
  QDataStream s(&b, QIODevice::WriteOnly);
  s.setByteOrder(QDataStream::LittleEndian);
  s.writeRawData("BM", 2);
  s << uint32_t(54) << uint32_t(0) << uint32_t(54);
  s << uint32_t(40) << width << height << uint16_t(1) << bits << uint32_t(0) << uint32_t(0) << int32_t(2835)
    << int32_t(2835) << uint32_t(0) << uint32_t(0);
  return b;
}

bool writeFile(const QString& path, const QByteArray& data) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

TEST(AnimationStrip, HostileOrShortFilesGiveBlankFrames) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  auto path = [&dir](const char* name) { return dir.filePath(QLatin1String(name)); };
  auto blank = [](const TAnimationStrip& s) {
    return s.isEmpty() && s.frame(0).isNull() && s.frame(794).isNull() && s.frame(-1).isNull();
  };
  EXPECT_TRUE(blank(TAnimationStrip::load(path("missing.bmp"))));
  ASSERT_TRUE(writeFile(path("empty.bmp"), {}));
  EXPECT_TRUE(blank(TAnimationStrip::load(path("empty.bmp"))));
  ASSERT_TRUE(writeFile(path("junk.bmp"), QByteArray("BM") + QByteArray(50, '\xff')));
  EXPECT_TRUE(blank(TAnimationStrip::load(path("junk.bmp"))));

  // A good strip cut in half: its missing rows would decode black.
  QImage ten(64 * 10, 64, QImage::Format_RGB32);
  ten.fill(Qt::red);
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(ten.save(&buffer, "BMP"));
  ASSERT_TRUE(writeFile(path("truncated.bmp"), buffer.data().left(buffer.data().size() / 2)));
  EXPECT_TRUE(blank(TAnimationStrip::load(path("truncated.bmp"))));
  ASSERT_TRUE(writeFile(path("whole.bmp"), buffer.data()));
  EXPECT_EQ(TAnimationStrip::load(path("whole.bmp")).count(), 10);

  // Headers that claim what the file does not hold, or too much.
  ASSERT_TRUE(writeFile(path("claims.bmp"), bmpHeader(100000, 64, 24)));
  EXPECT_TRUE(blank(TAnimationStrip::load(path("claims.bmp"))));
  ASSERT_TRUE(writeFile(path("huge.bmp"), bmpHeader(1000000, 1000000, 24) + QByteArray(4096, '\0')));
  EXPECT_TRUE(blank(TAnimationStrip::load(path("huge.bmp"))));
  EXPECT_EQ(TAnimationStrip::framesIn(QSize(64 * (TAnimationStrip::kMaxFrames + 1), 64)), 0);
  EXPECT_EQ(TAnimationStrip::framesIn(QSize(1000000, 1000000)), 0);
  EXPECT_EQ(TAnimationStrip::framesIn(QSize(64 * 795, 64)), 795);

  // Not one whole frame high.
  QImage low(64 * 4, 63, QImage::Format_RGB32);
  low.fill(Qt::blue);
  ASSERT_TRUE(low.save(path("low.bmp"), "BMP"));
  EXPECT_TRUE(blank(TAnimationStrip::load(path("low.bmp"))));
  EXPECT_TRUE(TAnimationStrip::fromImage(low).isEmpty());
  EXPECT_TRUE(TAnimationStrip::fromImage(QImage()).isEmpty());
}

TEST(AnimationStrip, RowAndGridStripsAreAccepted) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QImage row = drawAnimationStrip(kStripMinimumFrames);
  const QString rowPath = dir.filePath(QStringLiteral("AnimationEffects.bmp"));
  ASSERT_TRUE(row.save(rowPath, "BMP"));
  const TAnimationStrip fromRow = TAnimationStrip::load(rowPath);
  ASSERT_EQ(fromRow.count(), 795);
  const TAnimationStrip inMemory = TAnimationStrip::fromImage(row);
  for (int i : {0, 32, 431, 794}) {
    EXPECT_EQ(fromRow.frame(i).size(), QSize(32, 32));
    EXPECT_EQ(fromRow.frame(i), inMemory.frame(i)) << i;
  }
  EXPECT_TRUE(fromRow.frame(795).isNull());
  // Each preview pixel is the mean of its 2 x 2 block.
  const QImage cell = row.copy(431 * 64, 0, 64, 64);
  const QRgb a = cell.pixel(40, 20), b = cell.pixel(41, 20), c = cell.pixel(40, 21), d = cell.pixel(41, 21);
  EXPECT_EQ(qRed(fromRow.frame(431).pixel(20, 10)), (qRed(a) + qRed(b) + qRed(c) + qRed(d) + 2) / 4);

  // 30 frames a row, 27 rows (810 cells), read left to right, top to bottom.
  QImage grid(64 * 30, 64 * 27, QImage::Format_RGB32);
  grid.fill(Qt::white);
  QPainter p(&grid);
  for (int i = 0; i < 795; ++i) p.drawImage((i % 30) * 64, (i / 30) * 64, row, i * 64, 0, 64, 64);
  p.end();
  const QString gridPath = dir.filePath(QStringLiteral("grid.bmp"));
  ASSERT_TRUE(grid.save(gridPath, "BMP"));
  const TAnimationStrip fromGrid = TAnimationStrip::load(gridPath);
  ASSERT_EQ(fromGrid.count(), 810);
  for (int i : {0, 29, 30, 431, 794}) EXPECT_EQ(fromGrid.frame(i), inMemory.frame(i)) << i;

  // Another pixel format: scaled, transparent parts on white.
  QImage clear(64, 64, QImage::Format_ARGB32);
  clear.fill(Qt::transparent);
  const TAnimationStrip fromClear = TAnimationStrip::fromImage(clear);
  ASSERT_EQ(fromClear.count(), 1);
  EXPECT_EQ(fromClear.frame(0).pixel(5, 5), qRgb(255, 255, 255));
}

// ------------------------------------------------------------ the slides

class SlideTest : public AnimationTest {
 protected:
  void SetUp() override {
    AnimationTest::SetUp();
    animation().slideTimer()->setInterval(1);
  }
  struct Snapshot {
    QRect inlay, animation, animDown, animUp, inlayDown, frameGroup;
    bool animDownShown, animUpShown, inlayDownShown, inlayUpShown;
    bool operator==(const Snapshot&) const = default;
  };
  Snapshot snapshot() {
    TEffectAnimation& a = animation();
    return {a.panel_incrustation_et_choixframe()->geometry(),
            a.Panel_Animation_Effect()->geometry(),
            a.BitBtn_DOWN_panel_Effect_Animation()->geometry(),
            a.BitBtn_Up_panel_Effect_Animation()->geometry(),
            a.BitBtn_DOWN_panel_incrustation_et_choixframe()->geometry(),
            a.GroupBox_Frame()->geometry(),
            !a.BitBtn_DOWN_panel_Effect_Animation()->isHidden(),
            !a.BitBtn_Up_panel_Effect_Animation()->isHidden(),
            !a.BitBtn_DOWN_panel_incrustation_et_choixframe()->isHidden(),
            !a.BitBtn_UP_panel_incrustation_et_choixframe()->isHidden()};
  }
  // Runs the event loop (only the slide timer is due) until the slides end.
  void waitForSlides() {
    QElapsedTimer t;
    t.start();
    while (animation().animationRequested() && t.elapsed() < 3000)
      QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
    EXPECT_FALSE(animation().animationRequested());
  }
};

TEST_F(SlideTest, PanelsStartFoldedAndIdleStepsChangeNothing) {
  TEffectAnimation& a = animation();
  EXPECT_EQ(a.panel_incrustation_et_choixframe()->property("Tag").toInt(), -151);
  EXPECT_EQ(a.panel_incrustation_et_choixframe()->parentWidget(), a.Panel_Double_PIP());
  EXPECT_EQ(a.panel_incrustation_et_choixframe()->geometry().y(), -151);
  EXPECT_EQ(a.panel_incrustation_et_choixframe()->height(), 170);
  EXPECT_EQ(a.BitBtn_DOWN_panel_incrustation_et_choixframe()->y(), 152);
  EXPECT_EQ(a.BitBtn_DOWN_panel_incrustation_et_choixframe()->text(), QStringLiteral("Background && Inlay"));
  EXPECT_EQ(a.BitBtn_UP_panel_incrustation_et_choixframe()->text(), QStringLiteral("Close"));
  EXPECT_EQ(a.BitBtn_DOWN_panel_Effect_Animation()->text(), QStringLiteral("EFFECT ANIMATION"));
  EXPECT_EQ(a.BitBtn_Up_panel_Effect_Animation()->text(), QStringLiteral("Close"));
  EXPECT_EQ(a.Panel_Animation_Effect()->y(), 32);
  EXPECT_EQ(a.Panel_Animation_Effect()->height(), a.BitBtn_DOWN_panel_Effect_Animation()->height() + 1);
  EXPECT_EQ(a.BitBtn_DOWN_panel_Effect_Animation()->y(), 1);
  EXPECT_FALSE(a.animationRequested());

  const Snapshot folded = snapshot();
  a.ObjectAnimation();
  EXPECT_EQ(snapshot(), folded);
  // Folding folded panels ends at once, where they are.
  a.requestFolds();
  EXPECT_FALSE(a.animationRequested());
  EXPECT_FALSE(a.slideTimer()->isActive());
  EXPECT_EQ(snapshot(), folded);
}

TEST_F(SlideTest, AnimationPanelSlidesOnItsOwnTimer) {
  TEffectAnimation& a = animation();
  a.BitBtn_DOWN_panel_Effect_Animation()->click();
  EXPECT_TRUE(a.animationRequested());
  EXPECT_TRUE(a.slideTimer()->isActive());
  EXPECT_EQ(a.Panel_Animation_Effect()->height(), 314);
  EXPECT_EQ(a.Panel_Animation_Effect()->y(), -254);  // -264 and the first step
  waitForSlides();
  EXPECT_FALSE(a.slideTimer()->isActive());
  EXPECT_EQ(a.Panel_Animation_Effect()->y(), 26);
  EXPECT_TRUE(a.BitBtn_DOWN_panel_Effect_Animation()->isHidden());
  EXPECT_FALSE(a.BitBtn_Up_panel_Effect_Animation()->isHidden());
  EXPECT_EQ(a.BitBtn_Up_panel_Effect_Animation()->y(), 0);
  EXPECT_EQ(a.GroupBox_Effect_Opening()->y(), 17);
  EXPECT_EQ(a.ScrollBar_Opening_Duration()->y(), 291);
  EXPECT_EQ(a.Edit_Closing_Duration()->y(), 291);
  const Snapshot open = snapshot();
  a.ObjectAnimation();
  EXPECT_EQ(snapshot(), open);

  a.BitBtn_Up_panel_Effect_Animation()->click();
  waitForSlides();
  EXPECT_EQ(a.Panel_Animation_Effect()->y(), 32);
  EXPECT_EQ(a.Panel_Animation_Effect()->height(), a.BitBtn_DOWN_panel_Effect_Animation()->height() + 1);
  EXPECT_FALSE(a.BitBtn_DOWN_panel_Effect_Animation()->isHidden());
  EXPECT_TRUE(a.BitBtn_Up_panel_Effect_Animation()->isHidden());
  EXPECT_EQ(a.BitBtn_DOWN_panel_Effect_Animation()->y(), 1);
}

TEST_F(SlideTest, BackgroundAndInlayPanelSlidesAndTheRefreshFoldsIt) {
  TEffectAnimation& a = animation();
  QWidget* inlay = a.panel_incrustation_et_choixframe();
  a.BitBtn_DOWN_panel_incrustation_et_choixframe()->click();
  EXPECT_EQ(inlay->y(), -141);
  waitForSlides();
  EXPECT_EQ(inlay->y(), 0);  // Tag + height - 19
  EXPECT_TRUE(a.BitBtn_DOWN_panel_incrustation_et_choixframe()->isHidden());
  EXPECT_FALSE(a.BitBtn_UP_panel_incrustation_et_choixframe()->isHidden());
  EXPECT_EQ(a.BitBtn_UP_panel_incrustation_et_choixframe()->y(), 0);
  EXPECT_EQ(a.GroupBox_Frame()->y(), 27);

  a.BitBtn_DOWN_panel_Effect_Animation()->click();
  a.requestFolds();  // the page refresh: both fold, whatever they were doing
  waitForSlides();
  EXPECT_EQ(inlay->y(), -151);
  EXPECT_EQ(a.BitBtn_DOWN_panel_incrustation_et_choixframe()->y(), 152);
  EXPECT_FALSE(a.BitBtn_DOWN_panel_incrustation_et_choixframe()->isHidden());
  EXPECT_EQ(a.GroupBox_Frame()->y(), 11);
  EXPECT_EQ(a.Panel_Animation_Effect()->y(), 32);
  EXPECT_FALSE(a.BitBtn_DOWN_panel_Effect_Animation()->isHidden());
}

// ------------------------------------------------------- Double PiP panel

TEST_F(AnimationTest, DoublePipPanelIsPlacedByKind) {
  QWidget* panel = animation().Panel_Double_PIP();
  EXPECT_EQ(find<QWidget>("Panel_Double_PIP"), panel);
  selectKey(4, 14, "", 1, 1);
  animation().Affichage_et_reglage_position_doublePIP(true);
  EXPECT_EQ(panel->geometry(), QRect(0, 32, 737, 334));
  EXPECT_FALSE(panel->isHidden());
  // The Background and Inlay tab and the folded animation button share the
  // strip above the panel: the folded panel lets the tab through.
  QWidget* tab = animation().BitBtn_DOWN_panel_incrustation_et_choixframe();
  QWidget* down = animation().BitBtn_DOWN_panel_Effect_Animation();
  const QRect tabOnArea(tab->mapTo(panels->container(), QPoint(0, 0)), tab->size());
  const QRect downOnArea(down->mapTo(panels->container(), QPoint(0, 0)), down->size());
  EXPECT_FALSE(tabOnArea.intersects(downOnArea));
  EXPECT_FALSE(animation().Panel_Animation_Effect()->mask().isEmpty());
  EXPECT_TRUE(animation().Panel_Animation_Effect()->mask().contains(down->geometry().center()));
  animation().Affichage_et_reglage_position_doublePIP(false);
  EXPECT_EQ(panel->pos(), QPoint(728, 32));
  EXPECT_TRUE(panel->isHidden());
  EXPECT_TRUE(animation().Panel_Animation_Effect()->mask().isEmpty());
}

TEST_F(AnimationTest, DoublePipValuesLoadWithOneToOne) {
  EXPECT_EQ(find<QScrollBar>("ScrollBar__Horizontale_size_EFFP")->minimum(), 30);
  EXPECT_EQ(find<QScrollBar>("ScrollBar__Vertical_Size_EFFP")->maximum(), 255);
  EXPECT_EQ(find<QScrollBar>("ScrollBar_EFFPK")->minimum(), 0);
  EXPECT_EQ(find<QScrollBar>("ScrollBar_EFFPQ")->minimum(), 0);
  EXPECT_EQ(find<QGroupBox>("GroupBox_Mask_EFFP")->title(), QStringLiteral("Mask"));
  EXPECT_EQ(find<QLabel>("Label_EFFPN")->text(), QStringLiteral("Vertical Size."));
  EffectSlot& s = selectKey(4, 14, "", 1, 1);
  s.EFFPK = 10, s.EFFPL = 20, s.EFFPM = 0, s.OLD_EFFPM = 77, s.EFFPN = 200;
  s.EFFPO = 40, s.EFFPP = 50, s.EFFPQ = 60, s.EFFPR = 70, s.EFFPI = 2;
  animation().loadValues();
  EXPECT_EQ(find<QScrollBar>("ScrollBar_EFFPK")->value(), 10);
  EXPECT_EQ(find<QLineEdit>("Edit_EFFPL")->text(), QStringLiteral("20"));
  EXPECT_EQ(find<QLineEdit>("Edit_EFFPR")->text(), QStringLiteral("70"));
  EXPECT_EQ(find<QScrollBar>("ScrollBar_EFFPQ")->value(), 60);
  // EFFPM 0 is 1:1: button down, slider and edit locked, the edit shows the size it gives back.
  EXPECT_TRUE(animation().SpeedButton_Horizontale_size_EFFP()->isChecked());
  EXPECT_FALSE(find<QScrollBar>("ScrollBar__Horizontale_size_EFFP")->isEnabled());
  EXPECT_FALSE(find<QLineEdit>("Edit_EFFPM")->isEnabled());
  EXPECT_EQ(find<QLineEdit>("Edit_EFFPM")->text(), QStringLiteral("77"));
  EXPECT_FALSE(animation().SpeedButton_Vertical_Size_EFFP()->isChecked());
  EXPECT_TRUE(find<QLineEdit>("Edit_EFFPN")->isEnabled());
  EXPECT_EQ(find<QLineEdit>("Edit_EFFPN")->text(), QStringLiteral("200"));
  EXPECT_TRUE(animation().RadioButton_Frame(3)->isChecked());
  s.EFFPI = 9;  // no frame of that number
  s.EFFPM = 90;
  animation().loadValues();
  for (int k = 1; k <= 6; ++k) EXPECT_FALSE(animation().RadioButton_Frame(k)->isChecked());
  EXPECT_FALSE(animation().SpeedButton_Horizontale_size_EFFP()->isChecked());
  EXPECT_TRUE(find<QScrollBar>("ScrollBar__Horizontale_size_EFFP")->isEnabled());
  EXPECT_EQ(find<QLineEdit>("Edit_EFFPM")->text(), QStringLiteral("90"));
  EXPECT_TRUE(sent.isEmpty());
}

TEST_F(AnimationTest, FramePressSendsItsTag) {
  EXPECT_EQ(find<QGroupBox>("GroupBox_Frame")->title(), QStringLiteral("Background"));
  QRadioButton* frame4 = find<QRadioButton>("RadioButton_Frame4");
  EXPECT_EQ(frame4, animation().RadioButton_Frame(4));
  EXPECT_EQ(frame4->text(), QStringLiteral("Frame4"));
  EXPECT_EQ(frame4->property("Tag").toInt(), 3);
  EffectSlot& s = selectKey(4, 14, "", 1, 1);
  QTest::mousePress(frame4, Qt::LeftButton);
  EXPECT_EQ(s.EFFPI, 3);
  EXPECT_EQ(sent, QStringList{QStringLiteral("3ei")});
  QTest::mouseRelease(frame4, Qt::LeftButton);
  QTest::mousePress(animation().RadioButton_Frame(1), Qt::LeftButton);
  EXPECT_EQ(s.EFFPI, 0);
  EXPECT_EQ(sent.last(), QStringLiteral("0ei"));
  // Checking from code is silent.
  sent.clear();
  s.EFFPI = 5;
  animation().loadValues();
  EXPECT_TRUE(animation().RadioButton_Frame(6)->isChecked());
  EXPECT_TRUE(sent.isEmpty());
}

// ---------------------------------------------------- PiP switch buttons

TEST_F(AnimationTest, PipSwitchesNeedAKeyedEffectOnAir) {
  QAbstractButton* main = host->pipSwitch(1);
  QAbstractButton* preview = host->pipSwitch(2);
  feed({"EFF4", "TAKE1"});
  EXPECT_TRUE(main->isEnabled());
  EXPECT_TRUE(preview->isEnabled());
  feed({"TAKE0"});
  EXPECT_FALSE(main->isEnabled());
  EXPECT_FALSE(preview->isEnabled());
  for (const char* kind : {"EFF0", "EFF1", "EFF6", "EFF13", "EFF2", "EFF14"}) {
    feed({kind});
    EXPECT_FALSE(main->isEnabled()) << kind;  // TAKE is still 0
  }
  feed({"TAKE1"});
  EXPECT_TRUE(main->isEnabled());  // Double PiP
  feed({"EFF1"});
  EXPECT_FALSE(main->isEnabled());
  EXPECT_FALSE(preview->isEnabled());
  feed({"EFF3"});
  EXPECT_TRUE(preview->isEnabled());
}

TEST_F(AnimationTest, SwitchClickRestartsTheTimerAndResetsFonts) {
  QAbstractButton* main = host->pipSwitch(1);
  QAbstractButton* preview = host->pipSwitch(2);
  for (QAbstractButton* b : {main, preview}) {
    b->setEnabled(true);
    zelvan::signal::setCaption(b, QColor(255, 0, 0), true);
  }
  preview->click();
  EXPECT_EQ(host->pipTimerRestarts, 1);
  for (QAbstractButton* b : {main, preview}) {
    EXPECT_FALSE(zelvan::signal::isBold(b));
    EXPECT_EQ(zelvan::signal::captionColor(b), zelvan::signal::colorWindowText());
  }
  main->click();
  EXPECT_EQ(host->pipTimerRestarts, 2);
}

}  // namespace
}  // namespace effects_test
