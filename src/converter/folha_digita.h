// Typing income statements in (the income statements menu's "Editar individual"): a CPF, then
// the statement's form; confirmed statements are stored in FOLHAPG and the next CPF is asked.
#pragma once

#include "converter/conversor.h"
#include "converter/folha_transfere.h"
#include "store/contexto.h"

namespace converter {

// PEGACOM: FOLHAPG open and selected.
void PEGACOM(store::Contexto& ctx, Conversor& c);

// GRAVA_DADO: with "N" the statement found for the CPF (JATEM "S") is rewritten under a record
// lock, or a new row made when none; with "S" a new row is appended. All 21 fields written;
// failed, and told, when a write failed.
rt::Status GRAVA_DADO(store::Contexto& ctx, const Lancamento& l, char resposta, std::uint32_t achado);

// CPFCNPJ: the payer's document punctuated (CONTAPONTO) and checked (CPFCGC, mandatory); the
// punctuated form replaces the value when valid.
bool CPFCNPJ(store::Contexto& ctx, std::string& documento);

}  // namespace converter
