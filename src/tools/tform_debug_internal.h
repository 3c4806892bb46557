// Pieces of the debug console shared by its source files (tform_debug*.cpp):
// the two entry widgets it subclasses and the constants more than one file uses.
#pragma once

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QString>
#include <functional>

namespace zelvan::debugconsole {

// The log memo: a read-only text view that reports double clicks after its
// own handling has selected the word under the pointer.
class LogView : public QPlainTextEdit {
 public:
  using QPlainTextEdit::QPlainTextEdit;
  std::function<void(const QPoint&)> onDoubleClick;

 protected:
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    QPlainTextEdit::mouseDoubleClickEvent(e);
    if (onDoubleClick) onDoubleClick(e->position().toPoint());
  }
};

// An entry box of the value panel: Enter applies the entry, and no key
// typed in it reaches the window's command entry.
class PanelEdit : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;
  std::function<void()> onEnter;

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
      if (onEnter) onEnter();
    } else {
      QLineEdit::keyPressEvent(e);
    }
    e->accept();
  }
};

namespace form {
constexpr int kFormWidth = 605;
// Width of the log's left part where a double click opens the value panel.
constexpr int kLogLeftPart = 90;
inline const QString kNoValue = QStringLiteral("Conversion (aucune valeur d'entrer)");
inline const QString kDev = QStringLiteral("DEV");
}  // namespace form

}  // namespace zelvan::debugconsole
