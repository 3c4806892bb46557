#include "app/zelvan_application.h"

#include <QWidget>

#include "app/pending_windows.h"
#include "app/tstatus.h"
#include "panel/keying/framing_window.h"
#include "tools/tabout_graphic_install.h"
#include "tools/tform_debug.h"
#include "tools/tipconfigdlg.h"
#include "tools/trs232landlg.h"

TZelvanApplication::TZelvanApplication() {
  main_ = new TZelvan_main;
  TZelvan_d* link = main_->link();
  TZelvan_main::Windows w;
  w.about = new TAbout_Graphic_install(link);
  w.matrix = new TMatrix_Zelvan_main;
  w.settings = new TForm_Settings_Matrix;
  w.status = new Tstatus(link);
  w.lanDialog = new TRs232LanDlg;
  w.ipConfigDialog = new TIPConfigDlg;
  w.cadreMemoMain = new zelvan::keying::TCadre_logo_Memo_MAIN(link);
  w.cadreMemoPreview = new zelvan::keying::TCadre_logo_Memo_PREVIEW(link);
  w.cadre1M = new zelvan::keying::TCadre_logo_1M(link);
  w.cadre1P = new zelvan::keying::TCadre_logo_1P(link);
  w.cadre2M = new zelvan::keying::TCadre_logo_2M(link);
  w.cadre2P = new zelvan::keying::TCadre_logo_2P(link);
  w.debug = new TForm_debug(link);
  w.softEdge = new TForm_Embedded_Softedge;
  order_ = {main_,         w.about,   w.matrix,  w.settings, w.status,  w.lanDialog, w.ipConfigDialog, w.cadreMemoMain,
            w.cadreMemoPreview, w.cadre1M, w.cadre1P, w.cadre2M,  w.cadre2P, w.debug,     w.softEdge};
  // Every window is named after its class.
  for (QWidget* win : order_) {
    QString name = QString::fromLatin1(win->metaObject()->className());
    name = name.mid(name.lastIndexOf(QLatin1Char(':')) + 1);  // without its namespace
    win->setObjectName(name);
  }
  main_->attachWindows(w);
}

TZelvanApplication::~TZelvanApplication() {
  for (auto it = order_.rbegin(); it != order_.rend(); ++it) delete *it;
}

void TZelvanApplication::start(bool showMainWindow) {
  main_->DEMARRAGE_SOFT();
  if (showMainWindow) main_->show();
}
