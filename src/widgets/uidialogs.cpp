#include "widgets/uidialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace zelvan::ui {

namespace {
Dialogs* g_current = nullptr;

template <typename T>
T takeFront(std::deque<T>& q, const T& fallback) {
  if (q.empty()) return fallback;
  const T v = q.front();
  q.pop_front();
  return v;
}
}  // namespace

Dialogs& dialogs() {
  static QtDialogs real;
  return g_current ? *g_current : real;
}

Dialogs* setDialogs(Dialogs* d) {
  Dialogs* prev = g_current;
  g_current = d;
  return prev;
}

void QtDialogs::message(QWidget* parent, MessageKind kind, const QString& title, const QString& text) {
  switch (kind) {
    case MessageKind::Warning: QMessageBox::warning(parent, title, text); break;
    case MessageKind::Error: QMessageBox::critical(parent, title, text); break;
    case MessageKind::Confirmation:
      QMessageBox::question(parent, title, text, QMessageBox::StandardButtons(QMessageBox::Ok));
      break;
    case MessageKind::Information: QMessageBox::information(parent, title, text); break;
  }
}

bool QtDialogs::confirm(QWidget* parent, const QString& title, const QString& text) {
  return QMessageBox::question(parent, title, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel) ==
         QMessageBox::Ok;
}

QString QtDialogs::openFile(QWidget* parent, const QString& title, const QString& dir, const QString& filter) {
  return QFileDialog::getOpenFileName(parent, title, dir, filter);
}

QString QtDialogs::saveFile(QWidget* parent, const QString& title, const QString& dir, const QString& filter,
                            const QString& defaultSuffix) {
  QFileDialog dlg(parent, title, dir, filter);
  dlg.setAcceptMode(QFileDialog::AcceptSave);
  dlg.setDefaultSuffix(defaultSuffix);
  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
  return dlg.selectedFiles().front();
}

std::optional<QString> QtDialogs::inputText(QWidget* parent, const QString& title, const QString& prompt,
                                            const QString& initial) {
  bool ok = false;
  const QString s = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, initial, &ok);
  if (!ok) return std::nullopt;
  return s;
}

std::optional<QColor> QtDialogs::chooseColor(QWidget* parent, const QColor& initial) {
  const QColor c = QColorDialog::getColor(initial, parent);
  if (!c.isValid()) return std::nullopt;
  return c;
}

QStringList ScriptedDialogs::messages() const {
  QStringList out;
  for (const auto& s : shown)
    if (s.what == QLatin1String("message") || s.what == QLatin1String("confirm")) out << s.text;
  return out;
}

void ScriptedDialogs::message(QWidget*, MessageKind kind, const QString& title, const QString& text) {
  shown.push_back({QStringLiteral("message"), kind, title, text});
}

bool ScriptedDialogs::confirm(QWidget*, const QString& title, const QString& text) {
  shown.push_back({QStringLiteral("confirm"), MessageKind::Confirmation, title, text});
  return takeFront(confirmAnswers, defaultConfirm);
}

QString ScriptedDialogs::openFile(QWidget*, const QString& title, const QString&, const QString& filter) {
  shown.push_back({QStringLiteral("openFile"), MessageKind::Information, title, filter});
  return takeFront(fileAnswers, QString());
}

QString ScriptedDialogs::saveFile(QWidget*, const QString& title, const QString&, const QString& filter,
                                  const QString&) {
  shown.push_back({QStringLiteral("saveFile"), MessageKind::Information, title, filter});
  return takeFront(fileAnswers, QString());
}

std::optional<QString> ScriptedDialogs::inputText(QWidget*, const QString& title, const QString& prompt,
                                                  const QString&) {
  shown.push_back({QStringLiteral("inputText"), MessageKind::Information, title, prompt});
  return takeFront(textAnswers, std::optional<QString>());
}

std::optional<QColor> ScriptedDialogs::chooseColor(QWidget*, const QColor&) {
  shown.push_back({QStringLiteral("chooseColor"), MessageKind::Information, QString(), QString()});
  return takeFront(colorAnswers, std::optional<QColor>());
}

}  // namespace zelvan::ui
