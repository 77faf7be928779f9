// The questions a report kind asks before its job: the payments-only choice of page set 6,
// the letter of kind 8, the status range of kind 9 and the months of the cash books. Each
// returns false when the user left it with Esc (or named no letter): the job then ends.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "print/impressao.h"
#include "store/contexto.h"

namespace print {

struct Escolhas;

// A two-digit number asked in a message window ("@z 99"); nullopt for Esc. Values outside
// minimo..maximo are asked again.
std::optional<int> perguntaNumero(store::Contexto& ctx, std::string_view texto, int inicial, int minimo, int maximo);

// PEGA_CARTA: "Nome da Carta:" (upper case, not empty); the letter is a plain base name in
// `pastaCartas`, found whatever the case of its file ("CARTA" finds carta.txt). `mostraCartas`
// is F1 (the letters' list), when given.
bool PEGA_CARTA(store::Contexto& ctx, Impressao& imp, const std::string& pastaCartas,
                const std::function<void()>& mostraCartas = {});

// ESCOLHE_MES: "Todos os mêses", "Somente o Mês" or "Faixa de mêses" into QUEMES, MES_INIC,
// MES_FINAL.
bool ESCOLHE_MES(store::Contexto& ctx, Impressao& imp);
// ESCOLHE_COMO (kind): the month choice and the page and balance questions of the cash books.
// These questions give true when answered, false when the clerk left one with Esc.
bool ESCOLHE_COMO(store::Contexto& ctx, Impressao& imp, int tipo, int AQUECON);

// Steps 3 to 6 of a job for kind esc.QUEIMP.
bool perguntasDoTipo(store::Contexto& ctx, Impressao& imp, const Escolhas& esc, const std::string& pastaCartas,
                     const std::function<void()>& mostraCartas);

}  // namespace print
