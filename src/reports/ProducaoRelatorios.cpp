#include "reports/ProducaoRelatorios.h"

#include "app/Ambiente.h"
#include "app/Configuracoes.h"
#include "reference/TabelasReferencia.h"
#include "reports/RelatorioCalculo.h"
#include "reports/RelatorioParametros.h"
#include "reports/RelatorioResumo.h"
#include "reports/RelatorioVerbasCalculadas.h"
#include "results/CorrecaoJuros.h"
#include "results/RemessaINSS.h"
#include "storage/Banco.h"

namespace korva {

ProducaoRelatorios::ProducaoRelatorios(Banco& privado, Banco& temp, TabelasReferencia& referencia,
                                       CorrecaoJuros& correcao, const Configuracoes& configuracoes,
                                       DestinoRelatorio& destino)
    : privado_(privado),
      temp_(temp),
      referencia_(referencia),
      correcao_(correcao),
      configuracoes_(configuracoes),
      destino_(destino) {}

void ProducaoRelatorios::entrega(const Documento& d, const std::string& titulo, OpcaoImpressao opcao) {
    destino_.entrega(d, titulo, opcao);
    paginas = static_cast<int>(d.paginas.size());
}

void ProducaoRelatorios::avisa(const std::string& m) {
    if (aviso) aviso(m);
    else avisos.push_back(m);
}

void ProducaoRelatorios::parametros(const ParametrosExecucao& p, const CabecalhoRelatorio& cab) {
    const DadosParametros dados = LeParametrosPeriodo(privado_, p);
    entrega(DiagramaParametros(dados, cab, configuracoes_.versao, destino_.medidor()), kTituloParametros,
            OpcaoImpressao::Parametros);
}

TotaisExecucao ProducaoRelatorios::calculo(OpcaoImpressao tipo, const ParametrosExecucao& p,
                                           const CabecalhoRelatorio& cab, bool adicionarINSSRecte) {
    const TipoRelatorioCalculo t = tipo == OpcaoImpressao::Detalhado  ? TipoRelatorioCalculo::Detalhado
                                   : tipo == OpcaoImpressao::Resumido ? TipoRelatorioCalculo::Resumido
                                                                      : TipoRelatorioCalculo::INSS;
    ParametrosExecucao execucao = p;
    execucao.adicionarINSSRecte = adicionarINSSRecte;
    TotaisExecucao totais;
    const Documento d = ProduzCalculo(t, privado_, referencia_, correcao_, execucao, cab, configuracoes_,
                                      destino_.medidor(), &totais, [this](const std::string& m) { avisa(m); });
    entrega(d, kTituloRelatorioCalculo, tipo);
    return totais;
}

void ProducaoRelatorios::resumo(const ParametrosExecucao& p, const CabecalhoRelatorio& cab,
                                bool adicionarINSSRecte) {
    entrega(ProduzResumo(temp_, privado_, referencia_, correcao_, p, adicionarINSSRecte, cab, configuracoes_.versao,
                         destino_.medidor()),
            kTituloResumo, OpcaoImpressao::ResumoProcesso);
}

void ProducaoRelatorios::verbas(const ParametrosExecucao& p, const CabecalhoRelatorio& cab) {
    entrega(ProduzVerbasCalculadas(privado_, correcao_, p, cab, configuracoes_.versao, destino_.medidor()),
            kTituloVerbasCalculadas, OpcaoImpressao::Verbas);
}

std::unique_ptr<Banco> AbreBancoTemp(const Ambiente& ambiente) {
    return std::make_unique<Banco>("Temp", ambiente.pastaDados);
}

std::filesystem::path ArquivoRemessaCalculo(Banco& privado, const Configuracoes& c, const ParametrosExecucao& p) {
    return PastaRemessa(c.diretorioINSS, privado.pasta()) / NomeArquivoRemessa(p.processo, p.codRecte);
}

int GravaRemessaCalculo(Banco& privado, const Configuracoes& c, const ParametrosExecucao& p) {
    return GravaRemessa(privado, p.processo, p.codRecte, p.diretorio, p.arquivo,
                        PastaRemessa(c.diretorioINSS, privado.pasta()), c.periodoManutencaoArquivos);
}

ContextoImpressao ContextoImpressaoDe(Banco& privado, Banco& temp, TabelasReferencia& referencia,
                                      const Configuracoes& c) {
    ContextoImpressao ci;
    ci.privado = &privado;
    ci.temp = &temp;
    ci.referencia = &referencia;
    ci.configuracoes = &c;
    ci.hoje = Data::hoje();
    ci.gravaRemessa = [&privado, &c](const ParametrosExecucao& e) { return GravaRemessaCalculo(privado, c, e); };
    return ci;
}

}  // namespace korva
