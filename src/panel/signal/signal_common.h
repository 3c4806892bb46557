// Small pieces shared by the signal panels: caption styling of buttons and
// labels, status grid cells, scroll bar notifications in the device's
// terms (step, track, end of scroll), a radio group whose click is the
// operator's only, and the integer reading of edit fields.
#pragma once

#include <QColor>
#include <QGroupBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QRadioButton;
class QAbstractSlider;
class QScrollBar;
class QTableWidget;
class QWidget;

namespace zelvan::signal {

// ---- Caption styling ----
// The caption colour of a button or label (its button-text role).
QColor captionColor(const QWidget* w);
// Sets the caption colour (window-text and button-text roles).
// The object names of a control's Main and Preview copies, spelled out.
struct TwinName {
  const char* main;
  const char* preview;
  const char* of(int output) const { return output == 1 ? main : preview; }
};

void setCaptionColor(QWidget* w, const QColor& c);
// Sets bold / italic, leaving the rest of the font as it is.
void setFontStyle(QWidget* w, bool bold, bool italic = false);
// Regular or bold style with a caption colour in one go.
void setCaption(QWidget* w, const QColor& c, bool bold, bool italic = false);
bool isBold(const QWidget* w);
bool isItalic(const QWidget* w);
// Background colour of a widget (its base and window roles).
void setBackground(QWidget* w, const QColor& c);

// ---- Status grids ----
void setCell(QTableWidget* grid, int row, int column, const QString& text);
QString cell(const QTableWidget* grid, int row, int column);

// ---- Edit fields ----
// The field's text read as a decimal integer (blanks around it allowed).
std::optional<int64_t> readInteger(const QString& text);
// The platform's conversion error for a text that is no integer.
QString notAnIntegerMessage(const QString& text);
// Shows that error in a message box.
void showNotAnInteger(QWidget* parent, const QString& text);

// ---- Scroll bar notifications ----
enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };

// Turns a QScrollBar's activity into the notifications the handlers expect:
// every step or drag movement with the new position, then scEndScroll when
// the operator lets go (mouse or key released; a wheel turn is a step
// followed at once by the end). Setting the bar's value from code notifies
// nothing.
class TScrollBarEvents : public QObject {
 public:
  using Handler = std::function<void(QScrollBar* bar, TScrollCode code, int pos)>;
  // The handler runs only while `context` exists.
  TScrollBarEvents(QScrollBar* bar, QObject* context, Handler handler);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void action(int a);
  void notify(TScrollCode code);
  QScrollBar* bar_;
  QPointer<QObject> context_;
  Handler handler_;
  bool inWheel_ = false;
};
// Installs the notifications on a bar (the helper is owned by the bar).
void onScroll(QScrollBar* bar, QObject* context, TScrollBarEvents::Handler handler);

// The dragging mark of a bar or slider: 1 while the operator moves it, 0
// once the movement has ended (kept as its "Tag" property).
int dragMark(const QAbstractSlider* bar);
void setDragMark(QAbstractSlider* bar, int mark);
// Shows a value on a bar or slider without telling its handlers, held
// within its range (device values reach 2^32 - 1).
void showOnBar(QAbstractSlider* bar, int64_t value);

// ---- Radio group ----
// A captioned group of radio buttons with an item index. Selecting from
// code is silent; itemClicked is emitted only when the operator picks an item.
class TRadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  // Vertical groups may spread their items over `columns` columns (filled
  // top to bottom, then left to right).
  TRadioGroup(const QString& caption, const QStringList& items, QWidget* parent = nullptr,
              Qt::Orientation orientation = Qt::Vertical, int columns = 1);
  int ItemIndex() const;
  void setItemIndex(int i);  // -1 or out of range: nothing selected
  int count() const { return static_cast<int>(buttons_.size()); }
  QRadioButton* button(int i) const;
 Q_SIGNALS:
  // Operator click on item i (after the item is selected).
  void itemClicked(int i);

 private:
  std::vector<QRadioButton*> buttons_;
  QButtonGroup* group_ = nullptr;
};

// Checks exactly button `id` of an exclusive group (none when no button has it).
void checkOnly(QButtonGroup* group, int id);
// Shows a checkable button pressed or released without notifying anybody.
void setPressed(QAbstractButton* b, bool pressed);

// The hint of a widget (tool tip).
void setHint(QWidget* w, const QString& hint);

}  // namespace zelvan::signal
