// Compact drop-down selector: a read-only text field covering the control
// with a small arrow button (TSmallBitBtn) at its right end that opens a
// pop-up menu of choices.
//
// The choices are either the combo's own list (AddItem, each item with a
// visible and an enabled flag) or, once PopUpMenu is assigned, the actions
// of that menu. Several combos may share one QMenu: the combo that opened
// the menu last takes the choice. ItemIndex is the position of the chosen
// item in the list or in the menu's actions() (-1 for none).
//
// Events (std::function, like the device link's) are mirrored by Qt signals
// for code that prefers connect(): OnChange/changed() when ItemIndex takes a
// different value, OnClick/clicked() after the operator chose an item,
// OnDropDown/droppedDown() each time the menu pops up, OnEnter/OnExit when
// the text field gains/loses the focus, OnMouseMoveChange when the mouse
// moves over the field or the button (position in the combo's coordinates).
#pragma once

#include <QColor>
#include <QFont>
#include <QMenu>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <vector>

class QLineEdit;
class QAction;
class TSmallBitBtn;

class TSmallCombo : public QWidget {
  Q_OBJECT

 public:
  enum TBorderStyle { bsNone, bsSingle };

  using TNotifyEvent = std::function<void(QObject* Sender)>;
  using TMouseMoveEvent = std::function<void(QObject* Sender, Qt::KeyboardModifiers Shift, int X, int Y)>;

  // Created at 145 x 21, with no item chosen.
  explicit TSmallCombo(QWidget* parent = nullptr);
  ~TSmallCombo() override;

  // The chosen item, -1 for none. Setting an index out of range chooses
  // none and clears the text. OnChange fires when the index changes.
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int i);

  // The own list (used while no PopUpMenu is assigned).
  void AddItem(const QString& text);
  void Clear();  // empties the own list and chooses none
  int ItemCount() const { return static_cast<int>(items_.size()); }
  QString ItemText(int i) const;
  // Replaces the text of item i (ignored beyond the list), keeping its
  // visible and enabled flags and the chosen item; the text field follows
  // when i is the chosen item.
  void SetItemText(int i, const QString& text);
  // Per-item flags; an index beyond the list is ignored and reads as
  // not visible / not enabled.
  void SetItemVisible(int i, bool visible);
  bool GetItemVisible(int i) const;
  void SetItemEnabled(int i, bool enabled);
  bool GetItemEnabled(int i) const;

  // A menu (not owned, may be shared between combos) whose actions are the
  // choices. Assigning it chooses item 0; nullptr goes back to the own list.
  QMenu* PopUpMenu() const { return popUpMenu_; }
  void SetPopUpMenu(QMenu* menu);

  // The text field's text (read-only).
  QString Text() const;

  // Font and colours of the text field. SetFont also remembers the font
  // colour given, restored when the combo is enabled again (a disabled
  // combo shows its text in the button-shadow colour).
  QFont Font() const;
  void SetFont(const QFont& font);
  void SetFont(const QFont& font, const QColor& fontColor);
  QColor FontColor() const { return fontColor_; }
  void SetFontColor(const QColor& c);
  QColor Color() const;  // background of the text field
  void SetColor(const QColor& c);

  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle b);

  // True while the menu is shown; SetDroppedDown(true) opens it as the
  // arrow button does, false closes it.
  bool DroppedDown() const;
  void SetDroppedDown(bool down);
  // Opens the menu just below the control's left edge (the arrow button's
  // operation).
  void DropDown();

  // The menu currently shown or last built for the own list (nullptr when
  // none); tests and callers use it to pick an item without a mouse.
  QMenu* ActiveMenu() const;

  QLineEdit* Edit() const { return edit_; }
  TSmallBitBtn* Button() const { return button_; }

  QSize sizeHint() const override { return QSize(145, 21); }

  TNotifyEvent OnChange;
  TNotifyEvent OnClick;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TMouseMoveEvent OnMouseMoveChange;

 Q_SIGNALS:
  void changed();
  void clicked();
  void droppedDown();

 protected:
  void resizeEvent(QResizeEvent*) override;
  void changeEvent(QEvent*) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Item {
    QString text;
    bool visible = true;
    bool enabled = true;
  };

  void layoutChildren();
  void applyTextColor();
  void menuItemChosen(QMenu* menu, QAction* action);
  void menuAboutToShow(QMenu* menu);
  void discardPrivateMenu();
  QMenu* buildPrivateMenu();

  QLineEdit* edit_ = nullptr;
  TSmallBitBtn* button_ = nullptr;
  std::vector<Item> items_;
  int itemIndex_ = -1;
  QPointer<QMenu> popUpMenu_;
  QPointer<QMenu> privateMenu_;
  QColor fontColor_;
  TBorderStyle borderStyle_ = bsSingle;
};
