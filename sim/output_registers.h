// The registers that exist once per output: Main (output 1) and Preview
// (output 2) run the same device logic on their own twin registers.
#pragma once

#include "device/catalogue.h"

namespace zsim {

enum class Output { Main = 0, Preview = 1 };

struct OutputRegisters {
  // Input selection and the status of the input on the output.
  int ich, ichn;
  int ild, ilsd, ifd, ifsd, isync, ipsig, ihpol, ivpol, iint, ioor, ifam;
  // Output format and frame reference.
  int ofmt, refreq, refsta, reffam, reffrq;
  // Optional video output reference.
  int scanreq, scansta, scanfam, scanfrq;
  // Logo and frame memory sequencer and the keyed memories.
  int lmode, lstatus, lcurrent, lstore, labort;
  int lplogo1, lplogo2;
  int lpix1, llin1, lsty1, lofmt1, lpix2, llin2, lsty2, lofmt2;
  int lhsiz1, lvsiz1;
  // Picture commands.
  int preset, autocad, freeze;
  int hpos, vpos, hsiz, vsiz, div, phase;
};

inline const OutputRegisters& outputRegisters(Output o) {
  using namespace zelvan;
  static const OutputRegisters main{
      Reg::ICHM, Reg::ICHNM,
      Reg::ILDM, Reg::ILSDM, Reg::IFDM, Reg::IFSDM, Reg::ISYNCM, Reg::IPSIGM, Reg::IHPOLM, Reg::IVPOLM,
      Reg::IINTM, Reg::IOORM, Reg::IFAMM,
      Reg::OFMTM, Reg::REFREQM, Reg::REFSTAM, Reg::REFFAMM, Reg::REFFRQM,
      Reg::SCANREQM, Reg::SCANSTAM, Reg::SCANFAMM, Reg::SCANFRQM,
      Reg::LMODEM, Reg::LSTATUSM, Reg::LCURRENTM, Reg::LSTOREM, Reg::LABORTM,
      Reg::LPLOGO1M, Reg::LPLOGO2M,
      Reg::LPIXELSIZ1M, Reg::LLINESIZ1M, Reg::LSTYLE1M, Reg::LOFMT1M,
      Reg::LPIXELSIZ2M, Reg::LLINESIZ2M, Reg::LSTYLE2M, Reg::LOFMT2M,
      Reg::LHSIZ1M, Reg::LVSIZ1M,
      Reg::PRESETM, Reg::AUTOCADM, Reg::IFRZM,
      Reg::HPOSM, Reg::VPOSM, Reg::HSIZM, Reg::VSIZM, Reg::DIVM, Reg::PHASEM};
  static const OutputRegisters preview{
      Reg::ICHP, Reg::ICHNP,
      Reg::ILDP, Reg::ILSDP, Reg::IFDP, Reg::IFSDP, Reg::ISYNCP, Reg::IPSIGP, Reg::IHPOLP, Reg::IVPOLP,
      Reg::IINTP, Reg::IOORP, Reg::IFAMP,
      Reg::OFMTP, Reg::REFREQP, Reg::REFSTAP, Reg::REFFAMP, Reg::REFFRQP,
      Reg::SCANREQP, Reg::SCANSTAP, Reg::SCANFAMP, Reg::SCANFRQP,
      Reg::LMODEP, Reg::LSTATUSP, Reg::LCURRENTP, Reg::LSTOREP, Reg::LABORTP,
      Reg::LPLOGO1P, Reg::LPLOGO2P,
      Reg::LPIXELSIZ1P, Reg::LLINESIZ1P, Reg::LSTYLE1P, Reg::LOFMT1P,
      Reg::LPIXELSIZ2P, Reg::LLINESIZ2P, Reg::LSTYLE2P, Reg::LOFMT2P,
      Reg::LHSIZ1P, Reg::LVSIZ1P,
      Reg::PRESETP, Reg::AUTOCADP, Reg::IFRZP,
      Reg::HPOSP, Reg::VPOSP, Reg::HSIZP, Reg::VSIZP, Reg::DIVP, Reg::PHASEP};
  return o == Output::Main ? main : preview;
}

inline Output otherOutput(Output o) { return o == Output::Main ? Output::Preview : Output::Main; }

}  // namespace zsim
