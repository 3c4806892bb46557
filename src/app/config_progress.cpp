#include "app/config_progress.h"

#include <QCloseEvent>
#include <QProgressBar>

TConfigProgress::TConfigProgress(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("Form_config_progress"));
  setWindowTitle(QStringLiteral("Load config...          PLEASE WAIT..."));
}

void TConfigProgress::showProgress(uint32_t percent, QWidget* mainWindow, QProgressBar* bar) {
  if (percent == 0) {
    setWindowTitle(QStringLiteral("Load config...          PLEASE WAIT..."));
    if (mainWindow) move(mainWindow->x() + 488, mainWindow->y());
    resize(500, 100);
    show();
    if (bar) {
      bar->setParent(this);
      bar->setGeometry(0, 0, 500, 20);
      bar->setValue(0);
      bar->setVisible(true);
    }
    adjustSize();
  } else if (percent == 100) {
    close();
  } else if (bar) {
    bar->setValue(static_cast<int>(percent > 100 ? 100 : percent));
  }
}

void TConfigProgress::closeEvent(QCloseEvent* e) {
  e->accept();
  if (FinLoadconfig) FinLoadconfig();
}

QProgressBar* makeGradientProgressBar(QWidget* parent) {
  auto* bar = new QProgressBar(parent);
  bar->setObjectName(QStringLiteral("RRLMDProgressFill"));
  bar->setRange(0, 100);
  bar->setValue(0);
  bar->setTextVisible(true);
  bar->setAlignment(Qt::AlignCenter);
  bar->setFormat(QStringLiteral("%p %"));
  bar->setStyleSheet(QStringLiteral(
      "QProgressBar { border: 2px inset gray; background: white; }"
      "QProgressBar::chunk { background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 white, stop:1 blue); }"));
  return bar;
}
