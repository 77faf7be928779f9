// The printing state of one terminal for the whole run: its printer record and control
// strings, the output device, and the variables a print job shares with the report sheets.
// One lives beside the program state (made where the menu items are bound) and is passed by
// reference.
#pragma once

#include <functional>
#include <string>

#include "platform/printer.h"
#include "print/destino.h"
#include "print/sequencias.h"
#include "rt/dev/printer.h"

namespace print {

// What a job's questions chose, for the sheets to read; reset at the start of every job.
struct VariaveisTrabalho {
  std::string CSOPAG = "N";  // "S": the payments only, codes NDESINI..NDESFIM
  int NDESINI = 0, NDESFIM = 0;
  std::string NOMCART;       // the letter's name as typed
  std::string arquivoCarta;  // the letter's file found for it
  int QUESTAT = 1, STAT_INIC = 1, STAT_FINAL = 99;  // 2: statuses STAT_INIC..STAT_FINAL only
  int QUEMES = 1, MES_INIC = 1, MES_FINAL = 12;     // 1 all months, 2 one, 3 a range
  std::string AVANCA_PAG = "S", CALC_SALD = "N", IMPR_RESU = "N";
  std::string CNOMERES = std::string(40, ' ');  // the person in charge, for the income statements
  // The register listing's order, tax filter and kind, asked once a job (JASELEC); with every
  // folder the later ones are printed with the first one's choices. OPC_IND 7: cancelled.
  bool JASELEC = false;
  int OPC_IND = 1, SEPIMP = 1;
  std::string OPC_CAD = "2";
};

struct Impressao {
  ConfImp conf;
  Sequencias seq;  // STRING0..STRING4 and TEM_LASER
  rt::dev::Printer dispositivo;

  std::string ARQ_IMP = " ";  // the file, device or queue routed to; " " not routed yet
  bool CAN_IMP = false;       // the user abandoned the job
  // A routing has been made in the running job: routing again appends to a file target
  // instead of emptying what the job already wrote.
  bool roteadoNoTrabalho = false;
  int QLIN = 0;
  std::string LIN_DIV1, LIN_DIV2, LIN_DIV3;
  VariaveisTrabalho job;
  std::string FEZ_TES = "N";  // "S": pre-printed slips pause for a fine alignment

  // The devices and the spooler's commands (tests give their own).
  platform::PortMap portas;
  std::string lp = "lp";
  std::string lpstat = "lpstat";
  std::function<bool(const std::string& dispositivo)> prontoParalela = [](const std::string& d) {
    return platform::deviceReady(d);
  };

  // MUDAIMP(n): STRINGn at the print head.
  void MUDAIMP(int n) {
    if (n >= 0 && n <= 4) dispositivo.control(seq.STRING[static_cast<std::size_t>(n)]);
  }
};

}  // namespace print
