// Logo keying and placement: assignment lists, transparency slider, paced
// position and size sliders, edit boxes, fades, format rows, the page
// layout by mode and the answers the framing windows hear.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSlider>
#include <QTest>
#include <QWheelEvent>

#include "keying_test_support.h"
#include "panel/keying/logo_memories.h"
#include "panel/keying/logo_placement.h"
#include "panel/signal/signal_common.h"
#include "widgets/uidialogs.h"

using namespace keying_test;

namespace {

struct Answer {
  TLogoFramingWindow* window;
  bool size;
  bool horizontal;
  bool operator==(const Answer& o) const {
    return window == o.window && size == o.size && horizontal == o.horizontal;
  }
};

class PlacementTest : public KeyingTest {
 protected:
  void SetUp() override {
    KeyingTest::SetUp();
    for (int o = 1; o <= 2; ++o) {
      areas[size_t(o - 1)] = new QWidget(host->pages[size_t(o - 1)]);
      areas[size_t(o - 1)]->setGeometry(0, 40, 740, 240);
    }
    for (int k = 1; k <= 8; ++k) {
      auto* b = new QPushButton(QStringLiteral("ON"), host->strips[0]);
      b->setObjectName(QStringLiteral("BitBtn_Input_%1").arg(k));
      display[size_t(k - 1)] = b;
    }
    common = std::make_unique<TLogoCommonControls>(ctx);
    ctx.common = common.get();
    common->build(areas[0], areas[1]);
    common->addRoutes(router);
    for (int o = 1; o <= 2; ++o) {
      auto& p = placement[size_t(o - 1)];
      p = std::make_unique<TLogoPlacement>(ctx, o);
      ctx.placement[size_t(o - 1)] = p.get();
      p->build(host->pages[size_t(o - 1)], areas[size_t(o - 1)]);
      p->addRoutes(router);
      p->startUp();
      p->framingAnswered = [this](TLogoFramingWindow* w, bool size, bool h) {
        answers.push_back({w, size, h});
      };
    }
    sent.clear();
  }

  TSmallCombo* combo(int kind, int input, int output = 1) {
    return host->combos[size_t(output - 1)][size_t(kind)][size_t(input - 1)];
  }
  TLogoFramingWindow* framing(int output, Framing f) { return host->framingWindow(output, f); }
  static void enter(QLineEdit* field, const QString& text) {
    field->setText(text);
    QTest::keyClick(field, Qt::Key_Return);
  }
  static void press(QWidget* w) {
    QMouseEvent e(QEvent::MouseButtonPress, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                  Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
  }
  static void release(QWidget* w) {
    QMouseEvent e(QEvent::MouseButtonRelease, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                  Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
  }
  static void wheel(QWidget* w, int dy) {
    QWheelEvent e(QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, dy), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
  }
  // Feeds the device's echo of the last command until nothing more is sent;
  // checks that every answer lets at most one command out.
  void answerUntilQuiet(const char* replyName, const char* code) {
    for (int round = 0; round < 20; ++round) {
      const qsizetype before = sent.size();
      QString last = sent.back();
      ASSERT_TRUE(last.endsWith(QLatin1String(code)));
      last.chop(qsizetype(strlen(code)));
      feed({QByteArray(replyName).append(last.toLatin1()).constData()});
      ASSERT_LE(sent.size(), before + 1);
      if (sent.size() == before) return;
    }
    FAIL() << "the buffer never drained";
  }

  std::array<QWidget*, 2> areas{};
  std::array<QPushButton*, 8> display{};
  std::unique_ptr<TLogoCommonControls> common;
  std::array<std::unique_ptr<TLogoPlacement>, 2> placement;
  std::vector<Answer> answers;
};

// ------------------------------------------------------------------ build

TEST_F(PlacementTest, BuildsTheNamedControlsOfBothPagesAndStrips) {
  for (const char* n : {"BitBtn_mouse_menuitem_cadrelogo_1M",
                        "Label_lhpos_1M",
                        "ScrollBar_hpos_logo_1M",
                        "Edit_lhpos_1M",
                        "Bevel_hpos_logo_1M",
                        "Label_lvpos_1M",
                        "ScrollBar_vpos_logo_1M",
                        "Edit_lvpos_1M",
                        "Bevel_vpos_logo_1M",
                        "BitBtn_mouse_menuitem_cadrelogo_2M",
                        "ScrollBar_hpos_logo_2M",
                        "Edit_lvpos_2M",
                        "new_ScrollBar_hpos_logo_1M",
                        "new_Edit_lhpos_1M",
                        "new_ScrollBar_vpos_logo_1M",
                        "new_Edit_lvpos_1M",
                        "new_ScrollBar_hsiz_logo_1M",
                        "new_ScrollBar_vsiz_logo_1M",
                        "Edit_hsize_logo_1M",
                        "Edit_vsize_logo_1M",
                        "Panel_record_frame_image_M",
                        "Label_outformat_logo_1",
                        "Label_outformat_logo_2",
                        "new_ScrollBar_luma_key_",
                        "new_Edit_luma_key_",
                        "ScrollBar_black_logo",
                        "Edit_black_logo",
                        "ScrollBar_Logo_Fade_duration",
                        "Edit_Logo_Fade_duration",
                        "ScrollBar_Frame_Fade_dration",
                        "Edit_Frame_Fade_duration_M"})
    EXPECT_NE(host->pages[0]->findChild<QWidget*>(QString::fromLatin1(n)), nullptr) << n;
  for (const char* n :
       {"BitBtn_mouse_menuitem_cadrelogo_1P", "ScrollBar_hpos_logo_1P", "Edit_lhpos_1P",
        "ScrollBar_vpos_logo_2P", "new_ScrollBar_hsiz_logo_1P", "Edit_vsize_logo_1P",
        "Panel_record_frame_image_P", "Label_outformat_logo_1_P", "Label_outformat_logo_2_P",
        "new_ScrollBar_luma_key__P", "new_Edit_luma_key__P", "ScrollBar_black_logo_P",
        "Edit_Logo_Fade_duration_P", "ScrollBar_Frame_Fade_dration_P", "Edit_Frame_Fade_duration_P"})
    EXPECT_NE(host->pages[1]->findChild<QWidget*>(QString::fromLatin1(n)), nullptr) << n;

  EXPECT_EQ(find<QScrollBar>("new_ScrollBar_hsiz_logo_1M")->minimum(), 5);
  EXPECT_EQ(find<QScrollBar>("ScrollBar_black_logo")->maximum(), 7);
  EXPECT_EQ(find<QScrollBar>("ScrollBar_Logo_Fade_duration")->minimum(), 15);
  EXPECT_EQ(find<QScrollBar>("ScrollBar_Frame_Fade_dration")->minimum(), 5);
  EXPECT_EQ(find<QScrollBar>("ScrollBar_Frame_Fade_dration")->maximum(), 50);
  EXPECT_EQ(find<QPushButton>("BitBtn_mouse_menuitem_cadrelogo_1M")->text(), "Mouse");

  QStringList buffers;
  for (auto& p : placement)
    for (auto* b : p->findChildren<QObject*>(QRegularExpression("^Tamponvar_"))) buffers << b->objectName();
  buffers.sort();
  EXPECT_EQ(
      buffers,
      (QStringList{"Tamponvar_LHPCAPM", "Tamponvar_LHPCAPP", "Tamponvar_LHPOS1M", "Tamponvar_LHPOS1P",
                   "Tamponvar_LHPOS2M", "Tamponvar_LHPOS2P", "Tamponvar_LHSIZ1M", "Tamponvar_LHSIZ1P",
                   "Tamponvar_LVPCAPM", "Tamponvar_LVPCAPP", "Tamponvar_LVPOS1M", "Tamponvar_LVPOS1P",
                   "Tamponvar_LVPOS2M", "Tamponvar_LVPOS2P", "Tamponvar_LVSIZ1M", "Tamponvar_LVSIZ1P"}));

  const int lefts[] = {59, 141, 224, 307, 389, 472, 555, 638};
  for (int k = 1; k <= 8; ++k) {
    auto* img =
        host->strips[0]->findChild<QWidget*>(QStringLiteral("Image_Transparence_logoM_pchan%1").arg(k));
    ASSERT_NE(img, nullptr);
    EXPECT_EQ(img->geometry(), QRect(lefts[k - 1], 59, 20, 20));
    EXPECT_EQ(img->property("Tag").toInt(), k);
    EXPECT_EQ(img->toolTip(), "Transparency");
    auto* imgP =
        host->strips[1]->findChild<QWidget*>(QStringLiteral("Image_Transparence_logoP_pchan%1").arg(k));
    ASSERT_NE(imgP, nullptr);
    EXPECT_EQ(imgP->toolTip(), "Transparence");
  }
  EXPECT_EQ(find<QLabel>("new_Label_nmbr_logos")->text(), ":Frames\r\n\r\n:Logos\r\n\r\n:Display");
  EXPECT_EQ(host->matrixWindow.findChild<QLabel*>("new_Label_nmbr_logos"), nullptr);
  auto* sliderM = find<QScrollBar>("LMDScrollBar_Transparence_lptransM");
  auto* sliderP = find<QScrollBar>("LMDScrollBar_Transparence_lptransP");
  EXPECT_EQ(sliderM->parentWidget(), &host->mainWindow);
  EXPECT_EQ(sliderP->parentWidget(), &host->matrixWindow);
  EXPECT_TRUE(sliderM->isHidden());
  EXPECT_EQ(sliderM->maximum(), 160);
  EXPECT_EQ(sliderM->orientation(), Qt::Vertical);
}

// ------------------------------------------------------------ assignment

TEST_F(PlacementTest, FrameChoiceSendsSlotsAndTheReportPutsTheLists) {
  feed({"PCH2", "LPGA5", "LPGB6"});
  EXPECT_EQ(combo(1, 2)->ItemIndex(), 3);
  EXPECT_EQ(combo(2, 2)->ItemIndex(), 4);
  sent.clear();
  choose(combo(0, 2), 3);  // Frame 3 on a six-frame model
  EXPECT_EQ(sent, (QStringList{"2PC", "11LA", "0LB"}));
  feed({"LPGA11"});
  EXPECT_EQ(combo(0, 2)->ItemIndex(), 3);
  EXPECT_EQ(combo(1, 2)->ItemIndex(), 0);
  EXPECT_EQ(combo(2, 2)->ItemIndex(), 0);
  EXPECT_EQ(ctx.mirror(1).slot1[2], 11u);
  // Setting the lists from the report sent nothing.
  EXPECT_EQ(sent.size(), 3);
}

TEST_F(PlacementTest, SecondLogoOverAFrameEmptiesSlotOneFirst) {
  feed({"PCH3", "LPGA1"});
  sent.clear();
  choose(combo(2, 3), 4);
  EXPECT_EQ(sent, (QStringList{"3PC", "0LA", "6LB"}));
  // With a logo in slot 1 only slot 2 is written.
  feed({"LPGA5"});
  sent.clear();
  choose(combo(2, 3), 2);
  EXPECT_EQ(sent, (QStringList{"3PC", "4LB"}));
  sent.clear();
  choose(combo(1, 3), 8);
  EXPECT_EQ(sent, (QStringList{"3PC", "10LA"}));
  sent.clear();
  choose(combo(2, 3), 0);
  EXPECT_EQ(sent, (QStringList{"3PC", "0LB"}));
}

TEST_F(PlacementTest, NoneThatSendsNothingPutsTheListsBackOnTheSlots) {
  feed({"PCH4", "LPGA1"});
  combo(2, 4)->SetItemIndex(5);  // a stale list
  sent.clear();
  choose(combo(1, 4), 0);  // logo 1 "None" while slot 1 holds a frame
  EXPECT_TRUE(sent.isEmpty());
  EXPECT_EQ(combo(0, 4)->ItemIndex(), 1);
  EXPECT_EQ(combo(1, 4)->ItemIndex(), 0);
  EXPECT_EQ(combo(2, 4)->ItemIndex(), 0);

  feed({"LPGA7"});  // Logo 5 in slot 1
  sent.clear();
  choose(combo(0, 4), 0);  // frame "None" while slot 1 holds a logo
  EXPECT_TRUE(sent.isEmpty());
  EXPECT_EQ(combo(1, 4)->ItemIndex(), 5);
  // Logo 1 "None" with a logo in slot 1 does send.
  choose(combo(1, 4), 0);
  EXPECT_EQ(sent, (QStringList{"4PC", "0LA"}));
}

TEST_F(PlacementTest, ChoiceWhileDisconnectedPutsTheListBack) {
  feed({"PCH2", "LPGA4"});
  link.setForceConn(false);
  link.SupervisorTick();
  ASSERT_FALSE(link.Connected());
  sent.clear();
  choose(combo(1, 2), 6);
  EXPECT_TRUE(sent.isEmpty());
  EXPECT_EQ(combo(1, 2)->ItemIndex(), 2);
}

TEST_F(PlacementTest, DeviceSlotsSetTheListsByKind) {
  feed({"PCH5", "LPGA6", "LPGB4"});
  EXPECT_EQ(combo(0, 5)->ItemIndex(), 0);
  EXPECT_EQ(combo(1, 5)->ItemIndex(), 4);
  EXPECT_EQ(combo(2, 5)->ItemIndex(), 2);
  feed({"LPGA0"});  // slot 1 emptied: logo 2 stays
  EXPECT_EQ(combo(1, 5)->ItemIndex(), 0);
  EXPECT_EQ(combo(2, 5)->ItemIndex(), 2);
  feed({"LPGA2"});  // a frame clears both logo lists
  EXPECT_EQ(combo(0, 5)->ItemIndex(), 2);
  EXPECT_EQ(combo(2, 5)->ItemIndex(), 0);
  feed({"LPGB9"});  // logo 2 was at None: the frame list goes to None too
  EXPECT_EQ(combo(2, 5)->ItemIndex(), 7);
  EXPECT_EQ(combo(0, 5)->ItemIndex(), 0);
  feed({"LPGB0"});
  EXPECT_EQ(combo(2, 5)->ItemIndex(), 0);
  EXPECT_EQ(ctx.mirror(1).slot2[5], 0u);
  // Other inputs are untouched.
  EXPECT_EQ(combo(0, 6)->ItemIndex(), 0);
  EXPECT_EQ(combo(1, 6)->ItemIndex(), 0);
}

TEST_F(PlacementTest, ReportsWithChannelZeroReachEveryInput) {
  feed({"PCH0", "LPGA12", "lpga7"});
  for (int k = 0; k <= 8; ++k) EXPECT_EQ(ctx.mirror(1).slot1[size_t(k)], 12u) << k;
  for (int k = 1; k <= 8; ++k) {
    EXPECT_EQ(combo(0, k)->ItemIndex(), 4) << k;
    EXPECT_EQ(combo(1, k, 2)->ItemIndex(), 5) << k;
  }
  feed({"PCH0", "LPGB3", "LPTM9"});
  for (int k = 1; k <= 8; ++k) {
    EXPECT_EQ(combo(2, k)->ItemIndex(), 1) << k;
    EXPECT_EQ(ctx.mirror(1).transparency[size_t(k)], 9u) << k;
  }
  // A later None choice reads the slot the broadcast filled.
  sent.clear();
  choose(combo(1, 6), 0);  // slot 1 holds Frame 4, not a logo
  EXPECT_TRUE(sent.isEmpty());
}

TEST_F(PlacementTest, PreviewListsUseThePreviewRegisters) {
  feed({"PCH1", "lpga1"});
  sent.clear();
  choose(combo(2, 1, 2), 1);
  EXPECT_EQ(sent, (QStringList{"1PC", "0lA", "3lB"}));
  EXPECT_EQ(combo(2, 1)->ItemIndex(), 0);  // Main lists are not Preview's
}

// ------------------------------------------------------- paced sliders

TEST_F(PlacementTest, FastDragSendsTheFirstAtOnceAndTheRestOnAnswers) {
  QScrollBar* bar = find<QScrollBar>("ScrollBar_hpos_logo_1M");
  bar->setSliderDown(true);
  for (int pos : {10, 20, 30, 40, 50, 60}) bar->setSliderPosition(pos);
  EXPECT_EQ(sent, QStringList{"10LH"});
  EXPECT_EQ(zelvan::signal::dragMark(bar), 1);
  feed({"LHPA10"});
  EXPECT_EQ(sent.size(), 2);
  EXPECT_EQ(find<QLineEdit>("Edit_lhpos_1M")->text(), "10");
  EXPECT_EQ(bar->value(), 60);  // dragged: the report does not move it
  answerUntilQuiet("LHPA", "LH");
  EXPECT_EQ(sent.back(), "60LH");
  bar->setSliderDown(false);
  release(bar);
  EXPECT_EQ(zelvan::signal::dragMark(bar), 0);
  answerUntilQuiet("LHPA", "LH");
  feed({"LHPA33"});
  EXPECT_EQ(bar->value(), 33);
}

TEST_F(PlacementTest, EveryPacedSliderHasItsOwnBuffer) {
  QScrollBar* h = find<QScrollBar>("new_ScrollBar_hsiz_logo_1M");
  QScrollBar* v = find<QScrollBar>("new_ScrollBar_vpos_logo_1M");
  QScrollBar* p = find<QScrollBar>("ScrollBar_vpos_logo_2P");
  h->setSliderPosition(100);
  h->setSliderPosition(120);
  v->setSliderPosition(7);
  p->setSliderPosition(9);
  EXPECT_EQ(sent, (QStringList{"100LW", "7Lu", "9lv"}));
  feed({"LVCP7"});  // the capture answer leaves the size buffer waiting
  ASSERT_EQ(sent.size(), 4);
  EXPECT_EQ(sent.back(), "7Lu");
  feed({"LVCP7"});
  EXPECT_EQ(sent.size(), 4);
  feed({"LHSA100"});
  EXPECT_EQ(sent.size(), 5);
  answerUntilQuiet("LHSA", "LW");
  EXPECT_EQ(sent.back(), "120LW");
}

TEST_F(PlacementTest, EditBoxesSendOnEnterAndResendTheCurrentValueOutOfRange) {
  zelvan::ui::ScriptedDialogs dialogs;
  QLineEdit* e = find<QLineEdit>("Edit_lhpos_1M");
  feed({"LHPA77"});
  enter(e, "200");
  enter(e, "300");
  enter(e, "-1");
  EXPECT_EQ(sent, (QStringList{"200LH", "77LH", "77LH"}));
  sent.clear();
  enter(e, "12a");
  enter(e, "1.5");
  EXPECT_TRUE(sent.isEmpty());
  EXPECT_EQ(dialogs.messages().size(), 2);
  e->setText("5");
  QTest::keyClick(e, Qt::Key_A);
  EXPECT_TRUE(sent.isEmpty());
  enter(find<QLineEdit>("Edit_vsize_logo_1P"), "64");
  enter(find<QLineEdit>("new_Edit_lhpos_1M"), "256");
  EXPECT_EQ(sent, (QStringList{"64lS", "0LU"}));
}

TEST_F(PlacementTest, DeviceValuesAreClampedBeforeTheyMoveSliders) {
  feed({"LHPA4294967295", "LHSA0", "LVSA4294967295", "LLEV4294967295", "LBKC4294967295", "LLD4294967295",
        "LFD4294967295"});
  EXPECT_EQ(find<QScrollBar>("ScrollBar_hpos_logo_1M")->value(), 255);
  EXPECT_EQ(find<QLineEdit>("Edit_lhpos_1M")->text(), "4294967295");
  EXPECT_EQ(find<QScrollBar>("new_ScrollBar_hsiz_logo_1M")->value(), 5);
  EXPECT_EQ(find<QScrollBar>("new_ScrollBar_vsiz_logo_1M")->value(), 255);
  EXPECT_EQ(find<QScrollBar>("new_ScrollBar_luma_key_")->value(), 255);
  EXPECT_EQ(find<QScrollBar>("new_ScrollBar_luma_key__P")->value(), 255);
  EXPECT_EQ(find<QScrollBar>("ScrollBar_black_logo")->value(), 7);
  EXPECT_EQ(find<QScrollBar>("ScrollBar_Logo_Fade_duration_P")->value(), 255);
  EXPECT_EQ(find<QScrollBar>("ScrollBar_Frame_Fade_dration")->value(), 50);
  feed({"PCH2", "LPTM4294967295"});
  press(find<QWidget>("Image_Transparence_logoM_pchan2"));
  EXPECT_EQ(find<QScrollBar>("LMDScrollBar_Transparence_lptransM")->value(), 160);
}

// ------------------------------------------------------ framing windows

TEST_F(PlacementTest, SizeAnswersReachEveryShowingWindowThatUsesTheRegister) {
  TLogoFramingWindow* capture = framing(1, Framing::Capture);
  TLogoFramingWindow* logo1 = framing(1, Framing::Logo1);
  TLogoFramingWindow* logo2 = framing(1, Framing::Logo2);
  feed({"LHSA40"});
  EXPECT_TRUE(answers.empty());  // nothing showing
  capture->show();
  logo1->show();
  feed({"LHSA40", "LVSA50"});
  EXPECT_EQ(answers,
            (std::vector<Answer>{
                {capture, true, true}, {logo1, true, true}, {capture, true, false}, {logo1, true, false}}));
  answers.clear();
  feed({"LHPA5", "LVCP6", "LHSB7"});  // logo 2 is not showing
  EXPECT_EQ(answers, (std::vector<Answer>{{logo1, false, true}, {capture, false, false}}));
  answers.clear();
  capture->close();
  logo2->show();
  feed({"LHSA40", "LVSB8", "LVPB9"});
  EXPECT_EQ(answers, (std::vector<Answer>{{logo1, true, true}, {logo2, true, false}, {logo2, false, false}}));
  answers.clear();
  TLogoFramingWindow* preview = framing(2, Framing::Capture);
  TLogoFramingWindow* preview1 = framing(2, Framing::Logo1);
  preview->show();
  preview1->show();
  feed({"lhsa12", "lhcp3"});
  EXPECT_EQ(answers,
            (std::vector<Answer>{{preview, true, true}, {preview1, true, true}, {preview, false, true}}));
  for (auto* w : {logo1, logo2, preview, preview1}) w->close();
}

TEST_F(PlacementTest, MouseButtonsOpenTheWindowOfTheMode) {
  feed({"LMOD1"});
  find<QPushButton>("BitBtn_mouse_menuitem_cadrelogo_1M")->click();
  EXPECT_TRUE(framing(1, Framing::Capture)->isVisible());
  EXPECT_FALSE(framing(1, Framing::Logo1)->isVisible());
  framing(1, Framing::Capture)->close();
  feed({"CH1", "PCH1", "LPGA3", "LPGB4", "LMOD0"});
  find<QPushButton>("BitBtn_mouse_menuitem_cadrelogo_1M")->click();
  find<QPushButton>("BitBtn_mouse_menuitem_cadrelogo_2M")->click();
  EXPECT_TRUE(framing(1, Framing::Logo1)->isVisible());
  EXPECT_TRUE(framing(1, Framing::Logo2)->isVisible());
  EXPECT_FALSE(framing(1, Framing::Capture)->isVisible());
  // The on-air input's slot 1 loses its logo: the logo 1 group is disabled
  // and its window closed; logo 2 keeps its own.
  feed({"LPGA0"});
  EXPECT_FALSE(find<QWidget>("ScrollBar_hpos_logo_1M")->isEnabled());
  EXPECT_FALSE(find<QWidget>("BitBtn_mouse_menuitem_cadrelogo_1M")->isEnabled());
  EXPECT_FALSE(framing(1, Framing::Logo1)->isVisible());
  EXPECT_TRUE(framing(1, Framing::Logo2)->isVisible());
  EXPECT_TRUE(find<QWidget>("Edit_lhpos_2M")->isEnabled());
  feed({"LMOD2"});
  EXPECT_FALSE(framing(1, Framing::Logo2)->isVisible());
}

// ------------------------------------------------------------ page layout

TEST_F(PlacementTest, PageLayoutFollowsTheMode) {
  QWidget* logo1 = find<QWidget>("Panel_logo1_position_M");
  QWidget* logo2 = find<QWidget>("Panel_logo2_position_M");
  QWidget* mouse1 = find<QWidget>("BitBtn_mouse_menuitem_cadrelogo_1M");
  QWidget* capture = find<QWidget>("Panel_capture_position_M");
  QWidget* size = find<QWidget>("Panel_capture_size_M");
  QWidget* picture = find<QWidget>("Panel_record_frame_image_M");
  QWidget* luma = find<QWidget>("Panel_luma_key_M");
  QWidget* back = find<QWidget>("Panel_back_colour_M");
  QWidget* logoFade = find<QWidget>("Panel_logo_fade_M");
  QWidget* frameFade = find<QWidget>("Panel_frame_fade_M");
  QWidget* captions = find<QWidget>("new_Label_nmbr_logos");
  auto shown = [](QWidget* w) { return !w->isHidden(); };

  feed({"LMOD0"});
  EXPECT_TRUE(shown(logo1) && shown(logo2) && shown(mouse1) && shown(logoFade));
  EXPECT_FALSE(shown(capture) || shown(size) || shown(picture) || shown(luma) || shown(back) ||
               shown(frameFade));
  EXPECT_EQ(mouse1->pos(), QPoint(8, 100));
  EXPECT_TRUE(captions->isEnabled());
  EXPECT_TRUE(display[3]->isEnabled());
  EXPECT_TRUE(host->strips[0]->isEnabled());
  EXPECT_EQ(comboEnabling, (std::vector<std::pair<int, bool>>{{1, false}, {1, true}}));

  comboEnabling.clear();
  feed({"LMOD1"});
  EXPECT_FALSE(shown(logo1) || shown(logo2) || shown(picture) || shown(logoFade) || shown(frameFade));
  EXPECT_TRUE(shown(mouse1) && mouse1->isEnabled() && shown(capture) && shown(size) && shown(luma) &&
              shown(back));
  EXPECT_EQ(mouse1->pos(), QPoint(328, 100));
  EXPECT_FALSE(captions->isEnabled());
  EXPECT_FALSE(display[0]->isEnabled());
  EXPECT_FALSE(host->strips[0]->isEnabled());
  EXPECT_EQ(comboEnabling, (std::vector<std::pair<int, bool>>{{1, false}}));

  feed({"LMOD2"});
  EXPECT_FALSE(shown(logo1) || shown(mouse1) || shown(capture) || shown(size) || shown(logoFade));
  EXPECT_TRUE(shown(picture) && shown(luma) && shown(back));
  EXPECT_TRUE(host->strips[0]->isEnabled());

  for (const char* m : {"LMOD3", "LMOD4"}) {
    feed({m});
    for (QWidget* w : {logo1, logo2, mouse1, capture, size, picture, luma, back, logoFade, frameFade})
      EXPECT_FALSE(shown(w)) << m << " " << w->objectName().toStdString();
    EXPECT_FALSE(display[7]->isEnabled());
  }

  // The Preview page follows LMODEP alone.
  feed({"lmod1"});
  EXPECT_TRUE(shown(find<QWidget>("Panel_capture_size_P")));
  EXPECT_EQ(find<QWidget>("BitBtn_mouse_menuitem_cadrelogo_1P")->pos(), QPoint(328, 100));
  EXPECT_FALSE(shown(capture));
  EXPECT_FALSE(host->strips[1]->isEnabled());
}

TEST_F(PlacementTest, StoreButtonAndListFollowTheMode) {
  auto* bar = new QWidget(host->pages[0]);
  TLogoMemories memories(ctx, 1);
  memories.build(host->pages[0], bar);
  ctx.memories[0] = &memories;
  QAbstractButton* store = memories.storeButton();
  QComboBox* list = memories.storeList();
  ASSERT_TRUE(store && list);
  store->setText(QStringLiteral("x"));
  feed({"LMOD1"});
  EXPECT_FALSE(store->isHidden());
  EXPECT_EQ(store->text(), "STORE");
  list->show();
  feed({"LMOD0"});
  EXPECT_TRUE(store->isHidden());
  EXPECT_TRUE(list->isHidden());
  feed({"LMOD2"});
  EXPECT_FALSE(store->isHidden());
  list->show();  // the erase list the mode tabs open stays open
  feed({"LMOD3"});
  EXPECT_TRUE(store->isHidden());
  EXPECT_FALSE(list->isHidden());
  ctx.memories[0] = nullptr;
}

TEST_F(PlacementTest, UseModeShowsTheLogoGroupsEnabledOnlyForTheKeyedSlots) {
  feed({"CH3", "PCH3", "LPGB10", "LMOD0"});
  EXPECT_FALSE(find<QWidget>("Edit_lhpos_1M")->isEnabled());
  EXPECT_FALSE(find<QWidget>("ScrollBar_vpos_logo_1M")->isEnabled());
  EXPECT_TRUE(find<QWidget>("Edit_lvpos_2M")->isEnabled());
  EXPECT_TRUE(find<QWidget>("BitBtn_mouse_menuitem_cadrelogo_2M")->isEnabled());
  feed({"CH4"});
  placement[0]->cacheropenclose_cadrelogo();  // the on-air input changed
  EXPECT_FALSE(find<QWidget>("Edit_lvpos_2M")->isEnabled());
  EXPECT_FALSE(find<QWidget>("Edit_lvpos_2M")->isHidden());
}

// ---------------------------------------------------------- transparency

TEST_F(PlacementTest, TransparencyPictureTogglesTheSliderBelowIt) {
  QScrollBar* slider = find<QScrollBar>("LMDScrollBar_Transparence_lptransM");
  QWidget* img3 = find<QWidget>("Image_Transparence_logoM_pchan3");
  feed({"PCH3", "LPTM7"});
  press(img3);
  EXPECT_FALSE(slider->isHidden());
  EXPECT_EQ(slider->property("Tag").toInt(), 3);
  EXPECT_EQ(slider->value(), 70);
  EXPECT_EQ(slider->toolTip(), "7");
  EXPECT_EQ(slider->mapToGlobal(QPoint(0, 0)), img3->mapToGlobal(QPoint(0, img3->height())));
  press(img3);
  EXPECT_TRUE(slider->isHidden());
  press(img3);
  press(find<QWidget>("Image_Transparence_logoM_pchan5"));  // another input: it moves, stays shown
  EXPECT_FALSE(slider->isHidden());
  EXPECT_EQ(slider->property("Tag").toInt(), 5);
  EXPECT_EQ(slider->value(), 0);
  EXPECT_TRUE(sent.isEmpty());
}

TEST_F(PlacementTest, TransparencyScrollSendsTenthsAndHidesOnRelease) {
  QScrollBar* slider = find<QScrollBar>("LMDScrollBar_Transparence_lptransM");
  press(find<QWidget>("Image_Transparence_logoM_pchan2"));
  slider->setSliderDown(true);
  slider->setSliderPosition(75);
  EXPECT_EQ(sent, (QStringList{"2PC", "7LZ"}));
  feed({"PCH2", "LPTM7"});
  slider->setSliderPosition(128);
  EXPECT_EQ(sent.back(), "12LZ");
  EXPECT_EQ(sent.size(), 3);  // PCHAN already 2
  feed({"LPTM3"});            // dragged: the position stays
  EXPECT_EQ(slider->sliderPosition(), 128);
  EXPECT_EQ(slider->toolTip(), "3");
  slider->setSliderDown(false);
  EXPECT_TRUE(slider->isHidden());
  EXPECT_EQ(sent.back(), "12LZ");
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(slider, &leave);
  feed({"LPTM3"});
  EXPECT_EQ(slider->value(), 30);
}

TEST_F(PlacementTest, WheelStepsStayWithinZeroToSixteen) {
  QScrollBar* slider = find<QScrollBar>("LMDScrollBar_Transparence_lptransM");
  feed({"PCH6", "LPTM0"});
  press(find<QWidget>("Image_Transparence_logoM_pchan6"));
  wheel(slider, 120);  // away from the user at 0: nothing
  EXPECT_TRUE(sent.isEmpty());
  wheel(slider, -120);
  EXPECT_EQ(sent, QStringList{"1LZ"});
  feed({"LPTM16"});
  EXPECT_EQ(slider->value(), 160);
  sent.clear();
  wheel(slider, -120);  // at 16: nothing
  EXPECT_TRUE(sent.isEmpty());
  wheel(slider, 120);
  EXPECT_EQ(sent, QStringList{"15LZ"});
  feed({"LPTM4294967295"});
  sent.clear();
  wheel(slider, -120);
  wheel(slider, 120);
  EXPECT_EQ(sent, QStringList{"15LZ"});
  EXPECT_FALSE(slider->isHidden());
}

TEST_F(PlacementTest, TickHidesTheSliderWhenThePointerLeavesPictureAndSlider) {
  QScrollBar* slider = find<QScrollBar>("LMDScrollBar_Transparence_lptransM");
  QWidget* img = find<QWidget>("Image_Transparence_logoM_pchan4");
  QPoint pointer = img->mapToGlobal(QPoint(10, 10));
  placement[0]->pointerPosition = [&pointer] { return pointer; };
  press(img);
  placement[0]->transparencyTick();
  EXPECT_FALSE(slider->isHidden());
  pointer = slider->mapToGlobal(QPoint(5, 60));
  placement[0]->transparencyTick();
  EXPECT_FALSE(slider->isHidden());
  pointer = find<QWidget>("Image_Transparence_logoM_pchan5")->mapToGlobal(QPoint(10, 10));
  placement[0]->transparencyTick();
  EXPECT_TRUE(slider->isHidden());
}

TEST_F(PlacementTest, PreviewTransparencyUsesItsOwnSliderAndRegister) {
  QScrollBar* slider = find<QScrollBar>("LMDScrollBar_Transparence_lptransP");
  press(find<QWidget>("Image_Transparence_logoP_pchan8"));
  EXPECT_FALSE(slider->isHidden());
  EXPECT_TRUE(find<QWidget>("LMDScrollBar_Transparence_lptransM")->isHidden());
  wheel(slider, -120);
  EXPECT_EQ(sent, (QStringList{"8PC", "1lZ"}));
  feed({"PCH8", "LPTP5"});
  EXPECT_EQ(ctx.mirror(2).transparency[8], 5u);
  EXPECT_EQ(ctx.mirror(1).transparency[8], 0u);
  EXPECT_EQ(slider->value(), 50);
}

// ----------------------------------------------------------- format rows

TEST_F(PlacementTest, RecordFormatsFillTheLabelsAndGridRows) {
  feed({"LOFA3", "LOFB36", "lofa12"});
  EXPECT_EQ(find<QLabel>("Label_outformat_logo_1")->text(), "800x600 75 Hz");
  EXPECT_EQ(zelvan::signal::cell(host->grids[0], 11, 1), "800x600");
  EXPECT_EQ(zelvan::signal::cell(host->grids[0], 11, 2), "75 Hz");
  EXPECT_EQ(find<QLabel>("Label_outformat_logo_2")->text(), "1920x1080    16/9 50 Hz");
  EXPECT_EQ(zelvan::signal::cell(host->grids[0], 12, 1), "1920x1080    16/9");
  EXPECT_EQ(find<QLabel>("Label_outformat_logo_1_P")->text(), "1400x1050 50 Hz");
  EXPECT_EQ(zelvan::signal::cell(host->grids[1], 11, 2), "50 Hz");
  EXPECT_EQ(zelvan::signal::cell(host->grids[1], 12, 1), "");
  feed({"lofb38"});
  EXPECT_EQ(find<QLabel>("Label_outformat_logo_2_P")->text(), "720p    SDI  16/9 50 Hz");
}

// ------------------------------------------------------- shared controls

TEST_F(PlacementTest, SharedSlidersSendEveryPositionAndBothPagesFollow) {
  QScrollBar* lumaP = find<QScrollBar>("new_ScrollBar_luma_key__P");
  lumaP->setSliderDown(true);
  lumaP->setSliderPosition(10);
  lumaP->setSliderPosition(20);
  find<QScrollBar>("ScrollBar_black_logo")->setSliderPosition(3);
  EXPECT_EQ(sent, (QStringList{"10LE", "20LE", "3Lb"}));
  EXPECT_EQ(zelvan::signal::dragMark(lumaP), 1);
  feed({"LLEV40", "LBKC5"});
  EXPECT_EQ(lumaP->value(), 20);
  EXPECT_EQ(find<QScrollBar>("new_ScrollBar_luma_key_")->value(), 40);
  EXPECT_EQ(find<QLineEdit>("new_Edit_luma_key__P")->text(), "40");
  EXPECT_EQ(find<QLineEdit>("Edit_black_logo_P")->text(), "5");
  sent.clear();
  enter(find<QLineEdit>("new_Edit_luma_key_"), "256");
  enter(find<QLineEdit>("Edit_black_logo"), "6");
  EXPECT_EQ(sent, (QStringList{"40LE", "6Lb"}));
}

TEST_F(PlacementTest, LogoFadeEntriesAndDisplay) {
  zelvan::ui::ScriptedDialogs dialogs;
  QLineEdit* e = find<QLineEdit>("Edit_Logo_Fade_duration");
  feed({"LLD25"});
  EXPECT_EQ(e->text(), "0.5");
  enter(e, "0");
  enter(e, "6");
  enter(e, "3");
  enter(find<QLineEdit>("Edit_Logo_Fade_duration_P"), "1");
  enter(e, "2.5");
  EXPECT_EQ(sent, (QStringList{"25Ld", "25Ld", "135Ld", "15Ld"}));
  EXPECT_EQ(dialogs.messages().size(), 1);
  feed({"LLD135"});
  EXPECT_EQ(e->text(), "2.7");
  EXPECT_EQ(find<QLineEdit>("Edit_Logo_Fade_duration_P")->text(), "2.7");
  EXPECT_EQ(find<QScrollBar>("ScrollBar_Logo_Fade_duration_P")->value(), 135);
  EXPECT_EQ(TLogoCommonControls::Conv_fade_logo_en_seconde(63), "1.3");
  EXPECT_EQ(TLogoCommonControls::Conv_fade_logo_en_seconde(255), "5.1");
  EXPECT_EQ(TLogoCommonControls::Conv_fade_frame_en_seconde(15), "1.5");
}

TEST_F(PlacementTest, FrameFadeEntriesAreSecondsRoundedToTenths) {
  zelvan::ui::ScriptedDialogs dialogs;
  QLineEdit* e = find<QLineEdit>("Edit_Frame_Fade_duration_M");
  feed({"LFD30"});
  for (const char* t : {"2", "1.5", "0.8", "1.25", "1.249", " 5 ", "0.5"}) enter(e, QString::fromLatin1(t));
  EXPECT_EQ(sent, (QStringList{"20Lf", "15Lf", "8Lf", "13Lf", "12Lf", "50Lf", "5Lf"}));
  sent.clear();
  for (const char* t : {"0.4", "5.1", "100", "-2", "99999999999999"}) enter(e, QString::fromLatin1(t));
  EXPECT_EQ(sent, QStringList(5, QStringLiteral("30Lf")));
  sent.clear();
  for (const char* t : {"abc", "1.2.3", "", "."})
    enter(find<QLineEdit>("Edit_Frame_Fade_duration_P"), QString::fromLatin1(t));
  EXPECT_TRUE(sent.isEmpty());
  EXPECT_EQ(dialogs.messages().size(), 4);
}

TEST_F(PlacementTest, FrameFadeMirrorsFollowAndAcceptTenToFifty) {
  QLineEdit edit;
  QSlider slider(Qt::Horizontal);
  QLineEdit edit2;
  QScrollBar bar(Qt::Horizontal);
  common->addFrameFadeMirror(&edit, &slider);
  common->addFrameFadeMirror(&edit2, &bar);
  EXPECT_EQ(slider.minimum(), 10);
  EXPECT_EQ(bar.maximum(), 50);
  feed({"LFD15"});
  EXPECT_EQ(edit.text(), "1.5");
  EXPECT_EQ(edit2.text(), "1.5");
  EXPECT_EQ(find<QLineEdit>("Edit_Frame_Fade_duration_P")->text(), "1.5");
  EXPECT_EQ(slider.value(), 15);
  EXPECT_EQ(find<QScrollBar>("ScrollBar_Frame_Fade_dration")->value(), 15);
  enter(&edit, "0.8");  // below the mirrors' 1 second
  enter(&edit2, "1");
  EXPECT_EQ(sent, (QStringList{"15Lf", "10Lf"}));
  sent.clear();
  slider.setSliderDown(true);
  slider.setSliderPosition(40);
  EXPECT_EQ(sent, QStringList{"40Lf"});
  feed({"LFD22"});
  EXPECT_EQ(slider.sliderPosition(), 40);  // dragged
  EXPECT_EQ(bar.value(), 22);
  slider.setSliderDown(false);
  feed({"LFD22"});
  EXPECT_EQ(slider.value(), 22);
}

TEST_F(PlacementTest, FadeBoxesSelectTheirWholeTextWhenClicked) {
  for (const char* n : {"Edit_Logo_Fade_duration", "Edit_Frame_Fade_duration_P"}) {
    auto* e = find<QLineEdit>(n);
    e->setText("1.5");
    e->deselect();
    press(e);
    release(e);
    EXPECT_EQ(e->selectedText(), "1.5") << n;
  }
  auto* luma = find<QLineEdit>("new_Edit_luma_key_");
  luma->setText("12");
  luma->deselect();
  press(luma);
  release(luma);
  EXPECT_EQ(luma->selectedText(), "");
}

}  // namespace
