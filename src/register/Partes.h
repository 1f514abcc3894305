#pragma once
// The parties of one calculation: its table C as a dataset with the rules of
// the parties grid attached (insertion values, field checks, the document
// number of type 9), and the import of the parties found by the companion
// program of the court's case-tracking integration.
//
// A window binds to `tabela()` and drives the dataset directly.
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "reference/TabelasReferencia.h"
#include "storage/Tabela.h"

namespace korva {

class Banco;

class Partes {
public:
    // Document type a new party starts with; with it the document number is
    // the text of the sequential number.
    static constexpr int DocumentoSequencial = 9;
    static constexpr int64_t SequencialMaximo = 99999999;
    // Characters of the document number taken from an import line.
    static constexpr size_t DocumentoImportadoMaximo = 1000;

    // `nomeDiretorio` is the calculation's folder relative to the private
    // root ("Sub00001\"), `arquivo` its file number.
    Partes(Banco& privado, std::string nomeDiretorio, std::string processo, int arquivo);
    ~Partes();
    Partes(const Partes&) = delete;
    Partes& operator=(const Partes&) = delete;

    // nomeDiretorio + "C" + seven-digit file number + ".db".
    static std::string NomeTabelaPartes(const std::string& nomeDiretorio, int arquivo);

    const std::string& nomeTabela() const { return nomeTabela_; }
    const std::string& processo() const { return processo_; }
    int arquivo() const { return arquivo_; }
    // "KORVA - Tabela de Partes (" + table name + ")".
    std::string titulo() const;

    // Opens the table ordered by kind of party, then name, with the rules attached.
    void abre();
    // Refused (pending operation) while a row is being edited or inserted.
    void fecha();
    Tabela& tabela() { return *tabela_; }

    // The grid's columns: field and caption.
    static const std::vector<std::pair<std::string, std::string>>& Colunas();
    // The import button is shown only when the setting "Integra Partes" is "S".
    static bool ImportacaoVisivel(const std::string& integraPartes);

    // The code lists of the two drop-downs (TipoParte.db and Documento.db of
    // the shared database), read once when the window is created.
    void carregaCodigos(TabelasReferencia& referencia);
    const std::vector<ItemLista>& tiposParte() const { return tiposParte_; }
    const std::vector<ItemLista>& tiposDocumento() const { return tiposDocumento_; }
    // The text shown for a code ("" when the list does not hold it).
    std::string textoTipoParte(int codigo) const { return Nome(tiposParte_, codigo); }
    std::string textoTipoDocumento(int codigo) const { return Nome(tiposDocumento_, codigo); }

    // ---- import ----
    // Runs "Partes.exe" of `pastaPrograma` through the script "P<arquivo>.bat"
    // of that folder, waits for it (calling `processaEventos` meanwhile), and
    // appends the parties of its result file "P<arquivo>.PAR". The result file
    // and the script are deleted afterwards, whatever the outcome; an old
    // result file is deleted before the program runs, so it can never be
    // taken for the new one. Returns the number of parties added.
    int importa(const std::filesystem::path& pastaPrograma, const std::function<void()>& processaEventos = {});

    // Appends the parties of a result file, in one transaction: a line that
    // cannot be stored refuses the whole file with a message naming the line,
    // and the table is left as it was. A first line beginning with the lawsuit
    // number means nothing was found ("A aplicação de controle não encontrou
    // dados sobre o processo especificado!"). Blank lines carry no party and are
    // skipped; a last line is imported whether or not a line break follows it.
    int importaArquivo(const std::filesystem::path& arquivo);
    // The same over the file's contents (bytes: UTF-8, or Windows-1252).
    int importaTexto(std::string_view conteudo);

private:
    static std::string Nome(const std::vector<ItemLista>& lista, int codigo);
    void aplicaRegras(Tabela& t);
    void gravaLinha(const std::string& linha);

    Banco& banco_;
    std::string processo_;
    int arquivo_;
    std::string nomeTabela_;
    std::unique_ptr<Tabela> tabela_;
    std::vector<ItemLista> tiposParte_, tiposDocumento_;
    bool formatando_ = false;
};

}  // namespace korva
