#include <gtest/gtest.h>

#include <QAction>
#include <QFocusEvent>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <memory>

#include "widgets/tsmallbitbtn.h"
#include "widgets/tsmallcombo.h"

namespace {

struct Counters {
  int change = 0, click = 0, dropDown = 0;
  void attach(TSmallCombo& c) {
    c.OnChange = [this](QObject*) { ++change; };
    c.OnClick = [this](QObject*) { ++click; };
    c.OnDropDown = [this](QObject*) { ++dropDown; };
  }
};

void fill(TSmallCombo& c, std::initializer_list<const char*> texts) {
  for (const char* t : texts) c.AddItem(QString::fromLatin1(t));
}

QAction* actionAt(QMenu* m, int i) { return m->actions().at(i); }

}  // namespace

TEST(SmallCombo, ItemIndexAndText) {
  TSmallCombo c;
  Counters n;
  n.attach(c);
  EXPECT_EQ(c.size(), QSize(145, 21));
  EXPECT_EQ(c.ItemIndex(), -1);
  EXPECT_TRUE(c.Text().isEmpty());
  EXPECT_TRUE(c.Edit()->isReadOnly());

  fill(c, {"None", "Logo 1", "Logo 2"});
  EXPECT_EQ(c.ItemIndex(), -1);  // adding keeps the choice
  EXPECT_EQ(n.change, 0);
  c.SetItemIndex(1);
  EXPECT_EQ(c.Text(), "Logo 1");
  EXPECT_EQ(n.change, 1);
  c.SetItemIndex(1);
  EXPECT_EQ(n.change, 1);  // same index: no event

  c.SetItemIndex(5);
  EXPECT_EQ(c.ItemIndex(), -1);
  EXPECT_TRUE(c.Text().isEmpty());
  EXPECT_EQ(n.change, 2);
  c.SetItemIndex(5);
  EXPECT_EQ(n.change, 2);  // was -1 already
  c.SetItemIndex(-3);
  EXPECT_EQ(c.ItemIndex(), -1);

  c.SetItemIndex(2);
  c.AddItem("Logo 3");  // re-applied: still item 2
  EXPECT_EQ(c.ItemIndex(), 2);
  EXPECT_EQ(c.Text(), "Logo 2");
  c.Clear();
  EXPECT_EQ(c.ItemIndex(), -1);
  EXPECT_EQ(c.ItemCount(), 0);
}

TEST(SmallCombo, ItemFlagsAndPrivateMenu) {
  TSmallCombo c;
  Counters n;
  n.attach(c);
  fill(c, {"None", "Frame 1", "Frame 2", "Frame 3"});
  c.SetItemVisible(3, false);
  c.SetItemEnabled(2, false);
  c.SetItemVisible(9, false);  // beyond the list: ignored
  c.SetItemEnabled(-1, false);
  EXPECT_FALSE(c.GetItemVisible(3));
  EXPECT_FALSE(c.GetItemVisible(9));
  EXPECT_TRUE(c.GetItemVisible(0));
  EXPECT_FALSE(c.GetItemEnabled(2));
  c.AddItem("A&B");
  EXPECT_TRUE(c.GetItemVisible(4));
  EXPECT_TRUE(c.GetItemEnabled(4));

  c.DropDown();
  QMenu* m = c.ActiveMenu();
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(n.dropDown, 1);
  EXPECT_TRUE(c.DroppedDown());
  ASSERT_EQ(m->actions().size(), 5);
  EXPECT_FALSE(actionAt(m, 3)->isVisible());
  EXPECT_FALSE(actionAt(m, 2)->isEnabled());
  EXPECT_TRUE(actionAt(m, 4)->isVisible());
  EXPECT_EQ(actionAt(m, 4)->text(), "A&&B");  // shown as typed
  // The menu opens just below the control's left edge.
  EXPECT_EQ(m->pos(), c.mapToGlobal(QPoint(0, c.height())));

  actionAt(m, 4)->trigger();
  EXPECT_EQ(c.ItemIndex(), 4);
  EXPECT_EQ(c.Text(), "A&B");
  EXPECT_EQ(n.change, 1);
  EXPECT_EQ(n.click, 1);
  EXPECT_EQ(c.ActiveMenu(), nullptr);  // private menu discarded
  EXPECT_FALSE(c.DroppedDown());

  // Choosing the same item again: a click, no change.
  c.DropDown();
  actionAt(c.ActiveMenu(), 4)->trigger();
  EXPECT_EQ(n.change, 1);
  EXPECT_EQ(n.click, 2);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(SmallCombo, SharedPopupMenuGoesToTheComboThatOpenedIt) {
  QMenu shared;
  shared.addAction("&Auto");
  shared.addAction("RGB");
  shared.addAction("YUV");
  TSmallCombo a, b;
  Counters na, nb;
  na.attach(a);
  nb.attach(b);
  a.SetPopUpMenu(&shared);
  b.SetPopUpMenu(&shared);
  EXPECT_EQ(a.ItemIndex(), 0);
  EXPECT_EQ(a.Text(), "Auto");  // hot-key marker not shown
  EXPECT_EQ(na.change, 1);

  b.DropDown();
  EXPECT_EQ(nb.dropDown, 1);
  EXPECT_EQ(na.dropDown, 0);
  EXPECT_TRUE(b.DroppedDown());
  EXPECT_FALSE(a.DroppedDown());
  shared.actions().at(2)->trigger();
  EXPECT_EQ(b.ItemIndex(), 2);
  EXPECT_EQ(b.Text(), "YUV");
  EXPECT_EQ(a.ItemIndex(), 0);
  EXPECT_EQ(nb.click, 1);
  EXPECT_EQ(na.click, 0);
  shared.hide();

  a.SetDroppedDown(true);
  EXPECT_EQ(na.dropDown, 1);
  shared.actions().at(1)->trigger();
  EXPECT_EQ(a.ItemIndex(), 1);
  EXPECT_EQ(b.ItemIndex(), 2);
  a.SetDroppedDown(false);
  EXPECT_FALSE(shared.isVisible());

  // An action of a submenu is no item of the menu.
  QMenu* sub = shared.addMenu("More");
  QAction* deep = sub->addAction("Deep");
  a.DropDown();
  deep->trigger();
  EXPECT_EQ(a.ItemIndex(), 1);
  shared.hide();

  // The combo that opened the menu last is gone: a choice reaches nobody.
  {
    TSmallCombo c;
    c.SetPopUpMenu(&shared);
    c.DropDown();
    shared.hide();
  }
  shared.actions().at(0)->trigger();
  EXPECT_EQ(a.ItemIndex(), 1);
  EXPECT_EQ(b.ItemIndex(), 2);

  // Index beyond the menu.
  a.SetItemIndex(4);
  EXPECT_EQ(a.ItemIndex(), -1);
  EXPECT_TRUE(a.Text().isEmpty());
}

TEST(SmallCombo, MenuDestroyedOrReplaced) {
  TSmallCombo c;
  fill(c, {"x", "y"});
  {
    QMenu m;
    m.addAction("one");
    c.SetPopUpMenu(&m);
    EXPECT_EQ(c.Text(), "one");
  }
  // The menu is gone: the own list serves again.
  c.SetItemIndex(1);
  EXPECT_EQ(c.Text(), "y");
  c.DropDown();
  ASSERT_NE(c.ActiveMenu(), nullptr);
  EXPECT_EQ(c.ActiveMenu()->actions().size(), 2);
  // Assigning a menu forgets the private one.
  QMenu m2;
  m2.addAction("alpha");
  m2.addAction("beta");
  c.SetPopUpMenu(&m2);
  EXPECT_EQ(c.ActiveMenu(), &m2);
  EXPECT_EQ(c.Text(), "alpha");
  c.SetPopUpMenu(nullptr);
  EXPECT_EQ(c.Text(), "x");
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(SmallCombo, EnablingGreysAndRestoresTheFontColour) {
  TSmallCombo c;
  c.SetFont(QFont("Sans", 9), QColor(Qt::red));
  EXPECT_EQ(c.FontColor(), QColor(Qt::red));
  EXPECT_EQ(c.Edit()->palette().color(QPalette::Text), QColor(Qt::red));
  c.setEnabled(false);
  EXPECT_EQ(c.Edit()->palette().color(QPalette::Disabled, QPalette::Text), c.palette().color(QPalette::Active, QPalette::Dark));
  c.setEnabled(true);
  EXPECT_EQ(c.Edit()->palette().color(QPalette::Active, QPalette::Text), QColor(Qt::red));
  c.SetColor(QColor(Qt::yellow));
  EXPECT_EQ(c.Color(), QColor(Qt::yellow));
}

TEST(SmallCombo, BorderStyleLayout) {
  TSmallCombo c;
  c.show();  // a hidden widget gets its resize events when shown
  EXPECT_EQ(c.BorderStyle(), TSmallCombo::bsSingle);
  EXPECT_EQ(c.Edit()->geometry(), QRect(0, 0, 145, 21));
  EXPECT_EQ(c.Button()->geometry(), QRect(145 - 2 - 17, 2, 17, 17));
  EXPECT_EQ(c.Button()->FrameWidth(), 2);

  c.SetBorderStyle(TSmallCombo::bsNone);
  EXPECT_EQ(c.Button()->geometry(), QRect(145 - 21, 0, 21, 21));
  EXPECT_EQ(c.Button()->FrameWidth(), 1);
  EXPECT_FALSE(c.Edit()->hasFrame());

  c.resize(100, 30);
  EXPECT_EQ(c.Edit()->geometry(), QRect(0, 0, 100, 30));
  EXPECT_EQ(c.Button()->geometry(), QRect(70, 0, 30, 30));
  // Too small to lay out: the children stay where they were.
  c.resize(100, 4);
  EXPECT_EQ(c.Button()->geometry(), QRect(70, 0, 30, 30));
  c.resize(2, 30);
  EXPECT_EQ(c.Edit()->geometry(), QRect(0, 0, 100, 30));
}

TEST(SmallCombo, ArrowButtonClickOpensTheMenu) {
  TSmallCombo c;
  Counters n;
  n.attach(c);
  fill(c, {"a", "b"});
  c.show();
  TSmallBitBtn* btn = c.Button();
  QTest::mousePress(btn, Qt::LeftButton);
  EXPECT_TRUE(btn->Pressed());
  EXPECT_EQ(n.dropDown, 0);
  QTest::mouseRelease(btn, Qt::LeftButton);
  EXPECT_FALSE(btn->Pressed());
  EXPECT_EQ(n.dropDown, 1);
  ASSERT_NE(c.ActiveMenu(), nullptr);
  EXPECT_TRUE(c.ActiveMenu()->isVisible());
  c.ActiveMenu()->hide();
  // A release outside the button is no click.
  QTest::mousePress(btn, Qt::LeftButton);
  QTest::mouseRelease(btn, Qt::LeftButton, {}, QPoint(btn->width() + 5, 1));
  EXPECT_EQ(n.dropDown, 1);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(SmallCombo, MouseMoveAndFocusEvents) {
  TSmallCombo c;
  int moves = 0, enters = 0, exits = 0;
  QPoint last;
  c.OnMouseMoveChange = [&](QObject* s, Qt::KeyboardModifiers, int x, int y) {
    EXPECT_EQ(s, &c);
    ++moves;
    last = QPoint(x, y);
  };
  c.OnEnter = [&](QObject*) { ++enters; };
  c.OnExit = [&](QObject*) { ++exits; };
  c.show();
  QMouseEvent overEdit(QEvent::MouseMove, QPointF(10, 5), QPointF(10, 5), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(c.Edit(), &overEdit);
  EXPECT_EQ(moves, 1);
  EXPECT_EQ(last, QPoint(10, 5));
  QMouseEvent overButton(QEvent::MouseMove, QPointF(3, 4), QPointF(3, 4), Qt::NoButton, Qt::NoButton,
                         Qt::ShiftModifier);
  QCoreApplication::sendEvent(c.Button(), &overButton);
  EXPECT_EQ(moves, 2);
  EXPECT_EQ(last, c.Button()->pos() + QPoint(3, 4));  // in the combo's coordinates

  QFocusEvent in(QEvent::FocusIn), out(QEvent::FocusOut);
  QCoreApplication::sendEvent(c.Edit(), &in);
  QCoreApplication::sendEvent(c.Edit(), &out);
  EXPECT_EQ(enters, 1);
  EXPECT_EQ(exits, 1);
}

TEST(SmallBitBtn, PaintsFrameAndArrow) {
  TSmallBitBtn b;
  b.resize(17, 17);
  const QRgb face = b.palette().color(QPalette::Button).rgb();
  const QRgb light = b.palette().color(QPalette::Light).rgb();
  const QRgb shadow = b.palette().color(QPalette::Dark).rgb();
  QImage img = b.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(img.pixel(0, 0), light);
  EXPECT_EQ(img.pixel(1, 1), light);
  EXPECT_EQ(img.pixel(16, 16), shadow);
  EXPECT_EQ(img.pixel(15, 15), shadow);
  EXPECT_EQ(img.pixel(2, 2), face);
  // Arrow: rows of 7, 5, 3, 1 pixels from y = 7, centred on x = 8.
  const QRgb black = qRgb(0, 0, 0);
  EXPECT_EQ(img.pixel(5, 7), black);
  EXPECT_EQ(img.pixel(11, 7), black);
  EXPECT_NE(img.pixel(4, 7), black);
  EXPECT_NE(img.pixel(12, 7), black);
  EXPECT_EQ(img.pixel(6, 8), black);
  EXPECT_NE(img.pixel(5, 8), black);
  EXPECT_EQ(img.pixel(8, 10), black);
  EXPECT_NE(img.pixel(7, 10), black);
  EXPECT_NE(img.pixel(8, 11), black);
  EXPECT_NE(img.pixel(8, 6), black);

  // Pressed: no frame.
  QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(8, 8));
  img = b.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(img.pixel(0, 0), face);
  EXPECT_EQ(img.pixel(16, 16), face);
  QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(8, 8));

  // Frame width 1 and tiny sizes paint without an arrow and without fault.
  b.SetFrameWidth(1);
  img = b.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(img.pixel(1, 1), face);
  b.resize(7, 5);
  img = b.grab().toImage().convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) EXPECT_NE(img.pixel(x, y), black);
  b.resize(1, 1);
  EXPECT_FALSE(b.grab().isNull());
  b.resize(0, 0);
  b.grab();
}

TEST(SmallBitBtn, ClickRunsTheOwnersOpen) {
  TSmallBitBtn b;
  b.resize(17, 17);
  int opened = 0;
  b.OnOpen = [&] { ++opened; };
  QTest::mouseClick(&b, Qt::LeftButton);
  EXPECT_EQ(opened, 1);
  QTest::mouseClick(&b, Qt::RightButton);
  EXPECT_EQ(opened, 1);
  b.Click();
  EXPECT_EQ(opened, 2);
  EXPECT_FALSE(b.Pressed());
}

TEST(SmallCombo, PaintsOffscreenInEveryState) {
  TSmallCombo c;
  fill(c, {"Composite", "S-Video"});
  c.show();  // lays out the edit field and the button
  const QImage nothingChosen = c.grab().toImage();
  ASSERT_FALSE(nothingChosen.isNull());
  c.SetItemIndex(1);
  const QImage chosen = c.grab().toImage();
  EXPECT_NE(chosen, nothingChosen) << "the chosen item is drawn";
  c.setEnabled(false);
  const QImage disabled = c.grab().toImage();
  EXPECT_NE(disabled, chosen) << "a disabled combo is drawn greyed";
  c.SetBorderStyle(TSmallCombo::bsNone);
  EXPECT_NE(c.grab().toImage(), disabled) << "the border style shows";
  // Sizes too small to lay out still paint without fault.
  c.resize(3, 5);
  EXPECT_EQ(c.grab().size(), QSize(3, 5));
  c.resize(0, 0);
  c.grab();
}

TEST(SmallCombo, SetItemTextKeepsFlagsAndTheChoice) {
  TSmallCombo c;
  fill(c, {"None", "Frame 1", "Frame 2", "Frame 3"});
  c.SetItemVisible(3, false);
  c.SetItemEnabled(2, false);
  c.SetItemIndex(1);
  Counters n;
  n.attach(c);

  // The chosen item: its text and the field follow, nothing is announced.
  c.SetItemText(1, QStringLiteral("Empty"));
  EXPECT_EQ(c.ItemText(1), QStringLiteral("Empty"));
  EXPECT_EQ(c.Text(), QStringLiteral("Empty"));
  EXPECT_EQ(c.ItemIndex(), 1);
  EXPECT_EQ(n.change, 0);

  // Another item: the field keeps the chosen text; the flags stay.
  c.SetItemText(3, QStringLiteral("Studio & Co"));
  c.SetItemText(2, QStringLiteral("Logo"));
  EXPECT_EQ(c.Text(), QStringLiteral("Empty"));
  EXPECT_FALSE(c.GetItemVisible(3));
  EXPECT_FALSE(c.GetItemEnabled(2));
  EXPECT_TRUE(c.GetItemVisible(2));
  EXPECT_TRUE(c.GetItemEnabled(3));

  // Out of the list: ignored.
  c.SetItemText(-1, QStringLiteral("x"));
  c.SetItemText(4, QStringLiteral("x"));
  EXPECT_EQ(c.ItemCount(), 4);

  // The menu built from the list shows the texts as typed, with the flags.
  c.DropDown();
  QMenu* m = c.ActiveMenu();
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(actionAt(m, 1)->text(), QStringLiteral("Empty"));
  EXPECT_EQ(actionAt(m, 3)->text(), QStringLiteral("Studio && Co"));
  EXPECT_FALSE(actionAt(m, 3)->isVisible());
  EXPECT_FALSE(actionAt(m, 2)->isEnabled());
  // A rewrite while the menu is open reaches the menu too.
  c.SetItemText(0, QStringLiteral("Nothing"));
  EXPECT_EQ(actionAt(m, 0)->text(), QStringLiteral("Nothing"));
  actionAt(m, 0)->trigger();
  EXPECT_EQ(c.Text(), QStringLiteral("Nothing"));
  EXPECT_EQ(n.click, 1);

  // With an assigned menu the field shows the menu's captions, not the list.
  QMenu shared;
  shared.addAction(QStringLiteral("A"));
  c.SetPopUpMenu(&shared);
  c.SetItemText(0, QStringLiteral("B"));
  EXPECT_EQ(c.Text(), QStringLiteral("A"));
  EXPECT_EQ(c.ItemText(0), QStringLiteral("B"));
}
