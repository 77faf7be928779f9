// The check pass of the data store, ABERTURA(0): run at start-up, after a reorganisation and
// after a taxpayer's copy is restored. It upgrades old structures of the current data folder,
// creates the program folder's tables and indexes that are missing, closes everything and
// leaves only the terminal's folder register open and selected.
#pragma once

#include "store/contexto.h"
#include "store/recusa.h"

namespace store {

// Failed when one of the tables the program cannot work without (41, 46-49, 51-54, 58) could
// not be opened; that failure has been shown, and the pass still goes through the others and
// opens the folder register, so the program can carry on as far as it can.
rt::Status passaVerificacao(Contexto& ctx);

}  // namespace store
