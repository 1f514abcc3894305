#include "reference/ExportaIndicesDbf.h"

#include <shapefil.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <system_error>
#include <vector>

#include "storage/Banco.h"
#include "util/Data.h"
#include "util/Erros.h"

namespace korva {
namespace {

constexpr int kLarguraIndice = 19;
constexpr int kDecimaisIndice = 10;

[[noreturn]] void Falha(const std::string& texto) { throw ErroBanco(CodigoBanco::ErroDeES, texto); }

// The table being written; removed unless it was put in its place.
class ArquivoTemporario {
public:
    explicit ArquivoTemporario(std::filesystem::path p) : caminho_(std::move(p)) {}
    ~ArquivoTemporario() {
        if (h_) DBFClose(h_);
        if (!entregue_) {
            std::error_code ec;
            std::filesystem::remove(caminho_, ec);
        }
    }
    const std::filesystem::path& caminho() const { return caminho_; }
    DBFHandle h_ = nullptr;
    bool entregue_ = false;

private:
    std::filesystem::path caminho_;
};

std::string DataDbf(Data d) {
    char t[16];
    std::snprintf(t, sizeof t, "%04d%02d%02d", d.ano(), d.mes(), d.dia());
    return t;
}

}  // namespace

size_t ExportaIndicesDbf(Banco& compartilhado, int codIndice, const std::filesystem::path& destino) {
    const std::filesystem::path alvo = destino.empty() ? compartilhado.pasta() / kArquivoIndicesDbf : destino;
    const std::string nomeAlvo = alvo.filename().string();

    // The series in date order, with the stored index.
    const auto linhas = compartilhado.consulta("select Data, Indice from Diario where CodIndice=:C order by Data",
                                               {"Diario.DB"}, {{"C", codIndice}});

    // Same folder, so the rename never crosses file systems. shapelib names
    // the file after the stem it is given, with ".dbf".
    ArquivoTemporario tmp(alvo.parent_path() / ("~" + alvo.stem().string() + "-exportacao.dbf"));
    {
        std::error_code ec;
        std::filesystem::remove(tmp.caminho(), ec);
    }
    tmp.h_ = DBFCreateEx(tmp.caminho().string().c_str(), nullptr);
    if (!tmp.h_) Falha("Não foi possível criar a tabela " + nomeAlvo + " em " + alvo.parent_path().string() + ".");
    if (DBFAddNativeFieldType(tmp.h_, "DATA", 'D', 8, 0) < 0 ||
        DBFAddNativeFieldType(tmp.h_, "INDICE", 'N', kLarguraIndice, kDecimaisIndice) < 0)
        Falha("Não foi possível criar os campos da tabela " + nomeAlvo + ".");

    int registro = 0;
    for (const LinhaConsulta& l : linhas) {
        const Data d = l["Data"].comoData();
        const double indice = l["Indice"].comoNumero();
        // A value wider than the field would be written as asterisks.
        if (!std::isfinite(indice) || std::fabs(indice) >= 1e8)
            Falha("O índice de " + d.dma() + " não cabe no campo INDICE da tabela " + nomeAlvo + ".");
        std::string data = DataDbf(d);
        if (!DBFWriteAttributeDirectly(tmp.h_, registro, 0, data.data()) ||
            !DBFWriteDoubleAttribute(tmp.h_, registro, 1, indice))
            Falha("Erro ao gravar o registro " + std::to_string(registro + 1) + " da tabela " + nomeAlvo + ".");
        ++registro;
    }
    DBFClose(tmp.h_);
    tmp.h_ = nullptr;

    // What was written is read back before it takes the place of the old table.
    {
        DBFHandle confere = DBFOpen(tmp.caminho().string().c_str(), "rb");
        const int lidos = confere ? DBFGetRecordCount(confere) : -1;
        if (confere) DBFClose(confere);
        if (lidos != registro) Falha("Erro ao gravar a tabela " + nomeAlvo + ": a gravação ficou incompleta.");
    }
    std::error_code ec;
    std::filesystem::rename(tmp.caminho(), alvo, ec);
    if (ec) Falha("Não foi possível substituir a tabela " + alvo.string() + ": " + ec.message());
    tmp.entregue_ = true;
    return static_cast<size_t>(registro);
}

}  // namespace korva
