#include "receita_fixture.h"

#include <algorithm>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "rt/text/strings.h"
#include "support/saida_de.h"

namespace converter::teste {

void Fala::alerta(std::span<const std::string> linhas) { ditos.insert(ditos.end(), linhas.begin(), linhas.end()); }

bool Fala::pergunta(std::span<const std::string> linhas, bool padrao) {
  ditos.insert(ditos.end(), linhas.begin(), linhas.end());
  if (respostas.empty()) return padrao;
  const bool r = respostas.front();
  respostas.pop_front();
  return r;
}

bool Fala::disse(std::string_view texto) const {
  for (const std::string& d : ditos)
    if (d.find(texto) != std::string::npos) return true;
  return false;
}

bool Fala::desiste() {
  if (escs.empty()) return false;
  const bool e = escs.front();
  escs.pop_front();
  return e;
}

ReceitaFixture::ReceitaFixture() : ContextoFixture("receita") {
  ctx.PASTA_SEMENTE = TAVREN_SEED_DIR;
  ctx.NUSU = "05";
  ctx.defineRelato(&fala);
}

std::string ReceitaFixture::arquivo(std::string_view nome, const std::vector<std::string>& linhas, std::string_view fim) {
  const std::string caminho = origem / nome;
  std::ofstream f(caminho, std::ios::binary);
  for (const std::string& l : linhas) f << l << fim;
  return caminho;
}

namespace {

constexpr const char* kLeitor = R"(import dbfread, sys
t = dbfread.DBF(sys.argv[1], raw=True)
for r in t:
    if r['CPF'].decode('cp860') != sys.argv[2]:
        continue
    print('\x1f'.join(f.name + '=' + r[f.name].decode('cp860').strip() for f in t.fields))
)";


}  // namespace

Linhas ReceitaFixture::tabela(std::string_view nome, std::string_view cpf) {
  const std::string script = trabalho / "le.py";
  std::ofstream(script) << kLeitor;
  Linhas v;
  std::istringstream saida(::teste::saidaDe("/usr/bin/python3 " + script + " " + (dados / (std::string(nome) + ".DBF")) + " " +
                                std::string(cpf)));
  for (std::string linha; std::getline(saida, linha);) {
    std::map<std::string, std::string> m;
    std::size_t i = 0;
    while (i <= linha.size()) {
      std::size_t f = linha.find('\x1f', i);
      if (f == std::string::npos) f = linha.size();
      const std::string par = linha.substr(i, f - i);
      const std::size_t igual = par.find('=');
      m[par.substr(0, igual)] = par.substr(igual + 1);
      i = f + 1;
    }
    v.push_back(std::move(m));
  }
  return v;
}

std::string ReceitaFixture::foto(std::string_view cpf) {
  // One reader for every table: the tables of the folder, each row of the CPF on a line.
  const std::string script = trabalho / "foto.py";
  std::ofstream(script) << R"(import dbfread, glob, os, sys
for nome in sorted(glob.glob(os.path.join(sys.argv[1], 'IMP*.DBF'))):
    t = dbfread.DBF(nome, raw=True)
    for r in t:
        if r['CPF'].decode('cp860') == sys.argv[2]:
            print(os.path.basename(nome), b'|'.join(r[f.name] for f in t.fields).decode('cp860'))
)";
  return ::teste::saidaDe("/usr/bin/python3 " + script + " " + dados.caminho() + " " + std::string(cpf));
}

std::map<std::string, std::string> ReceitaFixture::bytes() const {
  std::map<std::string, std::string> v;
  for (const auto& e : std::filesystem::directory_iterator(dados.caminho())) {
    const std::string nome = e.path().filename().string();
    if (nome.find(".JNL") != std::string::npos) continue;
    std::ifstream f(e.path(), std::ios::binary);
    std::ostringstream o;
    o << f.rdbuf();
    v[nome] = o.str();
  }
  return v;
}

}  // namespace converter::teste
