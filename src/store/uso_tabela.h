// A table in its work area for as long as the guard lives: opened by the opener when it was not
// open (and closed again at the end), left as it is when the caller had it open. The area
// selected before comes back at the end, on every way out.
#pragma once

#include "rt/db/table.h"
#include "store/areas.h"
#include "store/contexto.h"
#include "workareas/selecao.h"

namespace store {

class UsoTabela {
 public:
  UsoTabela(Contexto& ctx, Area area);
  ~UsoTabela();
  UsoTabela(const UsoTabela&) = delete;
  UsoTabela& operator=(const UsoTabela&) = delete;

  // False when the table could not be had (the opener has told the user).
  bool ok() const { return tabela_ != nullptr; }
  rt::db::Table& operator*() const { return *tabela_; }
  rt::db::Table* operator->() const { return tabela_; }

 private:
  // Declared first, so the selection comes back after the table is closed.
  SelecaoGuardada selecao_;
  Contexto& ctx_;
  Area area_;
  bool abriu_ = false;
  rt::db::Table* tabela_ = nullptr;
};

}  // namespace store
