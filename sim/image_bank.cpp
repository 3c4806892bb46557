#include "sim/image_bank.h"

#include "device/catalogue.h"

namespace zsim {

using namespace zelvan;

namespace {

constexpr std::array<int, ImageBank::kParams> kMain = {
    Reg::HPOSM, Reg::VPOSM, Reg::HSIZM, Reg::VSIZM, Reg::BRGTM, Reg::CONTRM, Reg::COLORM,
    Reg::HUEM,  Reg::PROCM, Reg::OVERM, Reg::IASPM, Reg::RLVM,  Reg::GLVM,   Reg::BLVM,
    Reg::DIVM,  Reg::PHASEM, Reg::ZMHSZM, Reg::ZMVSZM, Reg::ZMHPM, Reg::ZMVPM};
constexpr std::array<int, ImageBank::kParams> kPreview = {
    Reg::HPOSP, Reg::VPOSP, Reg::HSIZP, Reg::VSIZP, Reg::BRGTP, Reg::CONTRP, Reg::COLORP,
    Reg::HUEP,  Reg::PROCP, Reg::OVERP, Reg::IASPP, Reg::RLVP,  Reg::GLVP,   Reg::BLVP,
    Reg::DIVP,  Reg::PHASEP, Reg::ZMHSZP, Reg::ZMVSZP, Reg::ZMHPP, Reg::ZMVPP};

constexpr int kProc = 8, kOver = 9, kAspect = 10, kClock = 14, kPhase = 15;

// Total pixels per line of each input's format, the sampling clock setting.
constexpr std::array<uint32_t, ImageBank::kInputs> kPixelsPerLine = {1656, 1344, 800, 1688, 2200, 1656, 1656, 1656, 2640};

}  // namespace

uint32_t ImageBank::defaultValue(int input, int param) {
  switch (param) {
    case kProc: case kOver: case kAspect: return 0;
    case kClock: return kPixelsPerLine[slot(input)];
    case kPhase: return 16;
    default: return 128;
  }
}

void ImageBank::resetInput(int input) {
  for (int p = 0; p < kParams; ++p) set(input, p, defaultValue(input, p));
}

void ImageBank::resetAll() {
  for (int i = 0; i < kInputs; ++i) resetInput(i);
}

int ImageBank::paramOf(int index, Output* output) {
  for (int p = 0; p < kParams; ++p) {
    if (kMain[static_cast<size_t>(p)] == index) {
      if (output) *output = Output::Main;
      return p;
    }
    if (kPreview[static_cast<size_t>(p)] == index) {
      if (output) *output = Output::Preview;
      return p;
    }
  }
  return -1;
}

int ImageBank::registerOf(Output o, int param) {
  return (o == Output::Main ? kMain : kPreview)[static_cast<size_t>(param)];
}

}  // namespace zsim
