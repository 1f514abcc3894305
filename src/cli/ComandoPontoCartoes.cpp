// "ponto gerar": the time cards of a schedule's period.
#include <array>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/Sessao.h"
#include "cli/ChaveCalculo.h"
#include "cli/Contexto.h"
#include "reference/TabelasReferencia.h"
#include "register/TrocaCalculo.h"
#include "storage/Banco.h"
#include "storage/ConjuntoCalculo.h"
#include "storage/Tabela.h"
#include "timecards/GeracaoCartoes.h"

namespace korva::cli {

namespace {

struct OpcoesGerar {
    Chave chave;
    std::string jornada, de, ate;
    std::optional<std::string> semana, sabado, domingo;
    bool semFeriados = false, naoSobrepor = false, sabadoUtil = false, inserirSabados = false, domingoUtil = false,
         inserirDomingos = false;
};

Data LeData(const std::string& texto, const char* opcao) {
    if (auto d = Data::lerDMA(texto)) return *d;
    throw ErroKorva(std::string("Data inválida em ") + opcao + ": '" + texto + "' (use DD/MM/AAAA).");
}

// "t1,...,t8": up to eight times; those left out stay 00:00. Each is checked
// by the generation, which names the first that does not read.
std::array<std::string, 8> LeHorarios(const std::string& lista, const char* opcao) {
    std::array<std::string, 8> r{"00:00", "00:00", "00:00", "00:00", "00:00", "00:00", "00:00", "00:00"};
    std::vector<std::string> partes;
    size_t inicio = 0;
    while (true) {
        const size_t virgula = lista.find(',', inicio);
        partes.push_back(lista.substr(inicio, virgula == std::string::npos ? std::string::npos : virgula - inicio));
        if (virgula == std::string::npos) break;
        inicio = virgula + 1;
    }
    if (partes.size() > r.size())
        throw ErroKorva(std::string(opcao) + ": informe no máximo oito horários hh:nn separados por vírgulas.");
    for (size_t i = 0; i < partes.size(); ++i) r[i] = partes[i];
    return r;
}

}  // namespace

void RegistraPontoCartoes(CLI::App& ponto, Contexto& ctx) {
    auto o = std::make_shared<OpcoesGerar>();
    auto* cmd = ponto.add_subcommand("gerar", "Gera os cartões de ponto de um período da jornada de trabalho");
    OpcoesChave(cmd, o->chave);
    cmd->add_option("--jornada", o->jornada, "Início (Dt. Inicio) da jornada, DD/MM/AAAA")->required();
    cmd->add_option("--de", o->de, "Primeiro dia a gerar, DD/MM/AAAA")->required();
    cmd->add_option("--ate", o->ate, "Último dia a gerar, DD/MM/AAAA")->required();
    cmd->add_option("--semana", o->semana, "Horários padrão (Entrada 1,...,Saída 4, hh:nn)");
    cmd->add_option("--sabado", o->sabado, "Horários padrão dos sábados");
    cmd->add_option("--domingo", o->domingo, "Horários padrão dos domingos");
    cmd->add_flag("--sem-feriados", o->semFeriados, "Não observa a tabela de feriados");
    cmd->add_flag("--nao-sobrepor", o->naoSobrepor, "Mantém os cartões já existentes");
    cmd->add_flag("--sabado-util", o->sabadoUtil, "Não cadastra os sábados como dias de folga");
    cmd->add_flag("--inserir-sabados", o->inserirSabados, "Insere marcações de ponto para os sábados");
    cmd->add_flag("--domingo-util", o->domingoUtil, "Não cadastra os domingos como dias de folga");
    cmd->add_flag("--inserir-domingos", o->inserirDomingos, "Insere marcações de ponto para os domingos");
    cmd->callback([&ctx, o] {
        OpcoesGeracaoCartoes g;
        const Data inicioJornada = LeData(o->jornada, "--jornada");
        g.de = LeData(o->de, "--de");
        g.ate = LeData(o->ate, "--ate");
        if (o->semana) g.semana = LeHorarios(*o->semana, "--semana");
        if (o->sabado) g.sabado = LeHorarios(*o->sabado, "--sabado");
        if (o->domingo) g.domingo = LeHorarios(*o->domingo, "--domingo");
        g.observarFeriados = !o->semFeriados;
        g.sobrepor = !o->naoSobrepor;
        g.sabadoFolga = !o->sabadoUtil;
        g.inserirSabados = o->inserirSabados;
        g.domingoFolga = !o->domingoUtil;
        g.inserirDomingos = o->inserirDomingos;

        Sessao sessao(ctx.ambiente());
        Banco& privado = sessao.privado();
        Tabela p(privado, "Processo.DB");
        p.abre(ModoAbertura::SomenteLeitura);
        if (!LocalizaCalculo(p, Maiusculo(o->chave.processo), o->chave.grupo))
            throw ErroKorva(NaoEncontrado(o->chave));
        const int diretorio = static_cast<int>(p.valor("Diretorio").comoInteiro());
        const int arquivo = static_cast<int>(p.valor("Arquivo").comoInteiro());
        p.fecha();

        const std::string tabelaF = ConjuntoCalculo::NomeTabelaDe(diretorio, arquivo, 'F');
        if (!privado.existe(tabelaF)) throw ErroKorva("O cálculo não tem jornadas de trabalho.");
        Data data2;
        {
            Tabela f(privado, tabelaF);
            f.abre(ModoAbertura::SomenteLeitura);
            f.defineIndice("");
            if (!f.localizaChave({Valor(inicioJornada)}))
                throw ErroKorva("Jornada não encontrada: " + inicioJornada.dma() + ".");
            data2 = f.valor("Data2").comoData();
        }
        // The card table is created the first time cards are generated.
        ConjuntoCalculo conjunto(privado, [] { return 100; });
        conjunto.defineAtual(diretorio, arquivo);
        conjunto.CriaTabela(ConjuntoCalculo::NomeCurto('G', arquivo), 6);
        const std::string tabelaG = ConjuntoCalculo::NomeTabelaDe(diretorio, arquivo, 'G');
        if (!privado.existe(tabelaG)) throw ErroKorva("Não foi possível criar a tabela " + tabelaG + ".");

        TabelasReferencia referencia(sessao.compartilhado());
        const ResultadoGeracaoCartoes r = GeraCartoes(privado, tabelaG, inicioJornada, data2, g, referencia);
        if (ctx.json) {
            std::cout << nlohmann::json{{"cartoes", r.total()}, {"inseridos", r.inseridos}, {"alterados", r.alterados}}
                             .dump(2)
                      << "\n";
            return;
        }
        std::cout << r.total() << " cartão(ões) gravado(s): " << r.inseridos << " inserido(s), " << r.alterados
                  << " alterado(s).\n";
    });
}

}  // namespace korva::cli
