// Backup, restore and verification of a private database with 500
// calculations in five calculation folders: 2,000 table files (A, B, C and E
// of each calculation, B with 300 month rows) besides the root tables.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "PastaBench.h"
#include "maintenance/CopiaSeguranca.h"
#include "maintenance/ReparaBD.h"
#include "storage/Banco.h"
#include "storage/Conexao.h"
#include "storage/Esquemas.h"

namespace fs = std::filesystem;
using namespace korva;

namespace {

void Sql(const fs::path& arquivo, const std::string& sql) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(arquivo.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    RegistraColacao(db);
    sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

struct Base {
    bench::Pasta pasta;
    fs::path banco = pasta.p / "Privado";

    Base() {
        fs::create_directories(banco / "modelos");
        Banco b("CalcPriv", banco);
        for (const auto& nome : TabelasFixasPrivadas()) b.criaTabela(nome, *EsquemaFixoPrivado(nome));
        // One filled table of each kind, copied for every calculation.
        const int tipos[] = {0, 1, 2, 4};
        for (int t : tipos) b.criaTabela("modelos/" + std::string(1, LetraDoTipo(t)) + ".db", ReceitaConjunto(t));
        std::string sql = "BEGIN;";
        for (int i = 1; i <= 300; ++i)
            sql += "INSERT INTO Tabela(Codigo, Item, Mes, Ano, Valor, VFM, CodDataBasePadrao, DtBase, Calculado, INSS) "
                   "VALUES(" + std::to_string(i) + ", " + std::to_string(10 + i % 5 * 10) + ", " +
                   std::to_string(1 + i % 12) + ", " + std::to_string(2000 + i / 12) + ", 1234.56, 'V', 1, "
                   "'2010-01-01', 1, 'S');";
        Sql(banco / "modelos/B.db", sql + "COMMIT;");
        sql = "BEGIN;";
        for (int i = 1; i <= 5; ++i)
            sql += "INSERT INTO Tabela(Codigo, Nome, Dependentes, TipoParte, Sequencial, TipoDocumento, Documento) "
                   "VALUES(" + std::to_string(i) + ", 'Reclamante " + std::to_string(i) + "', 0, 1, " +
                   std::to_string(i) + ", 1, '12345678900');";
        Sql(banco / "modelos/C.db", sql + "COMMIT;");
        for (int c = 1; c <= 500; ++c) {
            char sub[16];
            std::snprintf(sub, sizeof sub, "Sub%05d", 1 + (c - 1) / 100);
            fs::create_directories(banco / sub);
            for (char letra : {'A', 'B', 'C', 'E'}) {
                char nome[16];
                std::snprintf(nome, sizeof nome, "%c%07d.db", letra, c);
                fs::copy_file(banco / "modelos" / (std::string(1, letra) + ".db"), banco / sub / nome);
            }
        }
        fs::remove_all(banco / "modelos");
    }
};

Base& Dados() {
    static Base b;
    return b;
}

void BM_BackupPrivado(benchmark::State& state) {
    Base& b = Dados();
    const fs::path destino = b.pasta.p / "Copia";
    size_t tabelas = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(destino);
        state.ResumeTiming();
        tabelas = ExecutaCopiaSeguranca(OperacaoCopia::Backup, "CalcPriv", b.banco, destino).tabelas;
    }
    state.counters["tabelas"] = static_cast<double>(tabelas);
}
BENCHMARK(BM_BackupPrivado)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_VerificacaoPrivado(benchmark::State& state) {
    Base& b = Dados();
    size_t verificadas = 0;
    for (auto _ : state)
        verificadas = VerificaBancoDeDados("CalcPriv", b.banco, false, [](const std::string&) {}).verificadas;
    state.counters["tabelas"] = static_cast<double>(verificadas);
}
BENCHMARK(BM_VerificacaoPrivado)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RestauracaoPrivado(benchmark::State& state) {
    Base& b = Dados();
    const fs::path copia = b.pasta.p / "CopiaRestauracao";
    if (!fs::exists(copia / kArquivoMarcaCopia))
        ExecutaCopiaSeguranca(OperacaoCopia::Backup, "CalcPriv", b.banco, copia);
    for (auto _ : state) ExecutaCopiaSeguranca(OperacaoCopia::Restauracao, "CalcPriv", b.banco, copia);
}
BENCHMARK(BM_RestauracaoPrivado)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
