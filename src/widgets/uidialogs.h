// Every message box and standard dialog of the application goes through
// this interface, so that tests answer them without a human. The
// application uses the real Qt dialogs (QtDialogs); tests install a
// ScriptedDialogs that records what was shown and answers from a queue.
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>

class QWidget;

namespace zelvan::ui {

enum class MessageKind { Information, Warning, Error, Confirmation };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A modal box with an OK button.
  virtual void message(QWidget* parent, MessageKind kind, const QString& title, const QString& text) = 0;
  // A modal box with OK and Cancel: true for OK.
  virtual bool confirm(QWidget* parent, const QString& title, const QString& text) = 0;
  // File dialogs: the chosen path, or empty when cancelled. The filter uses
  // Qt's syntax ("Configuration files (*.usr);;All files (*)").
  virtual QString openFile(QWidget* parent, const QString& title, const QString& dir, const QString& filter) = 0;
  virtual QString saveFile(QWidget* parent, const QString& title, const QString& dir, const QString& filter,
                           const QString& defaultSuffix) = 0;
  // A text-input box: the text, or nothing when cancelled.
  virtual std::optional<QString> inputText(QWidget* parent, const QString& title, const QString& prompt,
                                           const QString& initial) = 0;
  // A colour chooser: the colour, or nothing when cancelled.
  virtual std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) = 0;
};

// The dialogs in use (the real ones unless a test installed others).
Dialogs& dialogs();
// Installs d (not owned) and returns the previous provider; nullptr restores the real dialogs.
Dialogs* setDialogs(Dialogs* d);

class QtDialogs : public Dialogs {
 public:
  void message(QWidget* parent, MessageKind kind, const QString& title, const QString& text) override;
  bool confirm(QWidget* parent, const QString& title, const QString& text) override;
  QString openFile(QWidget* parent, const QString& title, const QString& dir, const QString& filter) override;
  QString saveFile(QWidget* parent, const QString& title, const QString& dir, const QString& filter,
                   const QString& defaultSuffix) override;
  std::optional<QString> inputText(QWidget* parent, const QString& title, const QString& prompt,
                                   const QString& initial) override;
  std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) override;
};

// For tests: records every dialog and answers from queues. With an empty
// queue a confirmation answers `defaultConfirm`, a file or text dialog is
// cancelled and the colour chooser is cancelled.
class ScriptedDialogs : public Dialogs {
 public:
  struct Shown {
    QString what;  // "message", "confirm", "openFile", "saveFile", "inputText", "chooseColor"
    MessageKind kind = MessageKind::Information;
    QString title;
    QString text;  // message text, prompt, or the file dialog's filter
  };
  std::vector<Shown> shown;
  std::deque<bool> confirmAnswers;
  std::deque<QString> fileAnswers;
  std::deque<std::optional<QString>> textAnswers;
  std::deque<std::optional<QColor>> colorAnswers;
  bool defaultConfirm = true;

  ScriptedDialogs() { previous_ = setDialogs(this); }
  ~ScriptedDialogs() override { setDialogs(previous_); }
  ScriptedDialogs(const ScriptedDialogs&) = delete;
  ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

  // The texts of the message boxes shown so far.
  QStringList messages() const;

  void message(QWidget* parent, MessageKind kind, const QString& title, const QString& text) override;
  bool confirm(QWidget* parent, const QString& title, const QString& text) override;
  QString openFile(QWidget* parent, const QString& title, const QString& dir, const QString& filter) override;
  QString saveFile(QWidget* parent, const QString& title, const QString& dir, const QString& filter,
                   const QString& defaultSuffix) override;
  std::optional<QString> inputText(QWidget* parent, const QString& title, const QString& prompt,
                                   const QString& initial) override;
  std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) override;

 private:
  Dialogs* previous_ = nullptr;
};

}  // namespace zelvan::ui
