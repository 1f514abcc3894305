#include "maintenance/ReparaBD.h"

#include <algorithm>

#include "maintenance/CopiaSeguranca.h"
#include "maintenance/TKPdxRepair.h"
#include "util/Literais.h"
#include "util/Texto.h"

namespace korva {

std::string LinhaChecando(const std::string& t) { return "Checando tabela: " + t + " ..."; }
std::string LinhaDanificada(const std::string& t) {
    return "Tabela " + t + " está danificada. Executando a reparação ...";
}
std::string LinhaSomenteDanificada(const std::string& t) { return "Tabela " + t + " está danificada."; }
std::string LinhaNaoVerificada(const std::string& t) {
    return "Impossivel verificar a tabela " + t + ". Possivelmente está sendo utilizada.";
}
std::string LinhaOk(const std::string& t) { return "Tabela " + t + " está Ok."; }

void LigaLogReparacao(TKPdxRepair& r, LinhaLog linha, bool repara, ResumoVerificacao& resumo) {
    r.BeforeTableCheck = [linha](const std::string& t) { linha(LinhaChecando(t)); };
    r.OnCheckTable = [linha, repara, &resumo](const std::string& t, int status, int& acao) {
        ++resumo.verificadas;
        switch (status) {
            case TKPdxRepair::StatusDanificada:
                ++resumo.danificadas;
                if (repara) {
                    acao = TKPdxRepair::AcaoReparar;
                    linha(LinhaDanificada(t));
                } else {
                    acao = TKPdxRepair::AcaoContinuar;
                    linha(LinhaSomenteDanificada(t));
                    linha("");
                }
                break;
            case TKPdxRepair::StatusNaoVerificada:
                ++resumo.naoVerificadas;
                acao = TKPdxRepair::AcaoParar;
                linha(LinhaNaoVerificada(t));
                break;
            default:
                ++resumo.integras;
                linha(LinhaOk(t));
                linha("");
        }
    };
    r.BeforeTableRepair = [](const std::string&) {};
    r.OnRepairTable = [linha, &resumo](const std::string&, int status) {
        if (status == TKPdxRepair::Reparada) {
            ++resumo.reparadas;
            linha(MensagensReparacao::kReparada);
        } else {
            ++resumo.falhas;
            linha(MensagensReparacao::kFalhaReparacao);
        }
        linha("");
    };
}

ResumoVerificacao VerificaBancoDeDados(const std::string& alias, const std::filesystem::path& pasta, bool repara,
                                       const LinhaLog& linha) {
    // A restore that was cut off is undone first: its tables are not checked half-swapped.
    RetomaRestauracaoInterrompida(pasta);
    ResumoVerificacao resumo;
    TKPdxRepair reparador;
    LigaLogReparacao(reparador, linha, repara, resumo);
    reparador.SetDatabase(alias, pasta);
    linha(MensagensReparacao::kVerificandoBanco + alias);
    reparador.CheckAll();
    if (EhBancoPrivado(alias)) {
        auto subs = Literais::ListaSubDiretorios(pasta.string(), "Sub*");
        std::sort(subs.begin(), subs.end(),
                  [](const std::string& a, const std::string& b) { return ComparaSemCaixa(a, b) < 0; });
        for (const auto& s : subs) {
            const auto sub = pasta / s;
            reparador.SetDatabase(alias, sub);
            linha(MensagensReparacao::kVerificandoBanco + alias + "\\" + s + " = " + sub.string());
            reparador.CheckAll();
        }
    }
    linha(MensagensReparacao::kConcluida);
    return resumo;
}

}  // namespace korva
