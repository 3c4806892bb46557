#include "panel/signal/signal_blocks.h"

#include <QFrame>
#include <QGroupBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

#include "panel/signal/audio_panel.h"
#include "panel/signal/image_panel.h"
#include "panel/signal/input_row.h"
#include "panel/signal/input_table.h"
#include "panel/signal/output_panel.h"
#include "panel/signal/signal_common.h"
#include "panel/signal/signal_panels.h"
#include "panel/signal/transition_panel.h"

namespace zelvan::signal {

std::vector<QWidget*> TSignalBlocks::all() const {
  std::vector<QWidget*> v(inputGroups.begin(), inputGroups.end());
  for (QWidget* w : std::initializer_list<QWidget*>{inputButtons, strip, statusGrid, outputGroup, outputSync[0],
                                                    outputSync[1], testPattern[0], testPattern[1], typeOfScreen,
                                                    imagePages[0], imagePages[1], audio, transitionKinds, take,
                                                    freeze[0], freeze[1]})
    v.push_back(w);
  return v;
}

TSignalBlocks TSignalPanels::blocks() const {
  TSignalBlocks b;
  for (int c = TInputTable::Used; c <= TInputTable::Synchronized; ++c)
    b.inputGroups[static_cast<size_t>(c)] = ctx_.inputTable->group(static_cast<TInputTable::Column>(c));
  b.inputButtons = ctx_.inputRow->inputButtonRow();
  b.strip = ctx_.inputRow->new_Panel1();
  b.statusGrid = ctx_.StringGrid1;
  TOutputPanel* out = ctx_.outputPanel;
  b.outputGroup = out->GroupBox_Output();
  for (int o = 1; o <= 2; ++o) {
    b.outputSync[static_cast<size_t>(o - 1)] = out->LMDRadioGroup_osyn(o);
    b.testPattern[static_cast<size_t>(o - 1)] = out->LMDRadioGroup_test_pattern(o);
    b.imagePages[static_cast<size_t>(o - 1)] = image(o)->pageControl();
  }
  b.typeOfScreen = out->LMDRadioGroup_typeofscreen();
  b.audio = ctx_.audio->Panel_audio();
  b.transitionKinds = ctx_.transition->ListBox_Fade_output1();
  b.take = ctx_.transition->BitBtn_Take();
  b.freeze = {ctx_.transition->BitBtn_Freeze_main(), ctx_.transition->BitBtn_Freeze_preview()};
  return b;
}

std::vector<QWidget*> TSignalPanels::movableBlocks() const { return blocks().all(); }

}  // namespace zelvan::signal
