#include "parameters/RelatorioVerbas.h"

#include <cmath>
#include <cstdio>

#include "parameters/CodigosVerba.h"
#include "parameters/VerbasCatalogo.h"
#include "reference/TabelasReferencia.h"
#include "storage/Banco.h"

namespace korva {

std::string FormataNumeroVerba(double valor, int casas, bool milhar) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", casas, std::fabs(valor));
    std::string s(buf);
    const size_t ponto = s.find('.');
    std::string inteira = s.substr(0, ponto);
    const std::string fracao = ponto == std::string::npos ? std::string() : s.substr(ponto + 1);
    if (milhar) {
        for (int i = static_cast<int>(inteira.size()) - 3; i > 0; i -= 3) inteira.insert(static_cast<size_t>(i), ".");
    }
    std::string r = inteira;
    if (!fracao.empty()) r += "," + fracao;
    // A value that rounds to zero shows no sign.
    if (valor < 0 && r.find_first_not_of("0.,") != std::string::npos) r = "-" + r;
    return r;
}

std::vector<LinhaRelatorioVerbas> LinhasRelatorioVerbas(Banco& privado, TabelasReferencia& referencia) {
    std::vector<LinhaRelatorioVerbas> linhas;
    const auto rs = privado.consulta("select Codigo, DescRend, Qtde, Indice, Divisor, Base, INSS, IR from Rendimen "
                                     "order by Codigo",
                                     {kTabelaRendimentos});
    for (const auto& l : rs) {
        LinhaRelatorioVerbas r;
        const auto texto = [&](const char* c) { return l[c].nulo() ? std::string() : l[c].comoTexto(); };
        const auto numero = [&](const char* c, int casas, bool milhar) {
            return l[c].nulo() ? std::string() : FormataNumeroVerba(l[c].comoNumero(), casas, milhar);
        };
        r.verba = CodigoTresDigitos(static_cast<int>(l["Codigo"].comoInteiro())) + "-" + texto("DescRend");
        r.indice = numero("Indice", 4, false);
        r.divisor = numero("Divisor", 2, false);
        r.qtde = numero("Qtde", 4, true);
        r.base = l["Base"].nulo() ? std::string() : CodigoTresDigitos(static_cast<int>(l["Base"].comoInteiro()));
        r.inss = texto("INSS");
        r.baseIR = l["IR"].nulo() ? std::string() : referencia.BasesIR(static_cast<int>(l["IR"].comoInteiro()));
        linhas.push_back(std::move(r));
    }
    return linhas;
}

}  // namespace korva
