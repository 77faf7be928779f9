// The office's own reports over the taxpayer register of the data folder: the fees to charge
// (sheet 11), the register listings and address labels (kind 12), the paying sources' income
// statements (sheet 12) and the diskette labels (sheet 13).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "console/honorarios.h"
#include "print/impressao.h"
#include "print/trabalho.h"
#include "rt/db/table.h"
#include "rt/text/date.h"
#include "store/contexto.h"

namespace print {

// One register row, as the office reports read it.
struct LinhaCadastro {
  std::uint32_t registro = 0;  // record number: the last key of every order
  std::string CPF, NOMECONTR, TELEFO, TIPOEND, ENDERECO, NUMERO, COMPLEM, BAIRRO, CEP, MUNICIPIO, UF, SENACESSO, IMPRE;
  rt::text::Decimal ESTATUS, IMPPGRE, I13_29, VALOREC, CODACESSO, TEM_USO, TAM_USO;
  rt::text::Date NASCIMENTO;
};

// The register's row the table stands on.
LinhaCadastro daLinha(const rt::db::Table& reg);
// The register's live rows in record order.
std::vector<LinhaCadastro> leCadastro(rt::db::Table& reg);

// The choices of a register listing (asked once, then read by the rows).
struct EscolhasCadastro {
  int OPC_IND = 1;                                  // order: 1 CPF, 2 name, 3 status, 4 birth month,
                                                    // 5 tax to pay, 6 fee charged
  int QUESTAT = 1, STAT_INIC = 1, STAT_FINAL = 99;  // 2: statuses STAT_INIC..STAT_FINAL only
  int SEPIMP = 1;                                   // 2 exempt, 3 refunds, 4 tax to pay only
  int QUEMES = 1, MES_INIC = 1, MES_FINAL = 12;     // birth months of order 4
  std::string OPC_CAD = "2";                        // "1" short, "2" complete listing
};

// The rows the choices keep, in the chosen order: a stable sort on the key, rows of equal
// keys in record order. Nothing is written beside the register.
std::vector<LinhaCadastro> selecionaCadastro(std::vector<LinhaCadastro> linhas, const EscolhasCadastro& e, int QUECON);

// The listing or labels of `linhas` (QUEMOD 1 labels, else the listing); how many were printed.
int imprimeCadastro(store::Contexto& ctx, Impressao& imp, const Escolhas& esc, const EscolhasCadastro& e,
                    const std::vector<LinhaCadastro>& linhas);

// IMPR_CAD: asks the order and the filters, then prints the register; false when a choice was
// cancelled (nothing printed).
bool IMPR_CAD(store::Contexto& ctx, Impressao& imp, const Escolhas& esc);

// The office's prices from the program's settings (table DEFINE); the seeded ones when the
// table cannot be read.
console::PrecosEscritorio precosDoEscritorio(store::Contexto& ctx);

// FAZ_PRECO: the fees to charge for the declarations of the register.
void FAZ_PRECO(store::Contexto& ctx, Impressao& imp, const Escolhas& esc);

// FAZ_COMPROV: the income statements of paying sources kept for the taxpayer in FOLHAPG.
void FAZ_COMPROV(store::Contexto& ctx, Impressao& imp, const std::string& CNOMERES);

// FAZ_ETI: the diskette labels of model QUEMOD.
void FAZ_ETI(store::Contexto& ctx, Impressao& imp, const Escolhas& esc);

}  // namespace print
