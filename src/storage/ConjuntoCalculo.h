#pragma once
// The calculation file set: the tables A..I of one calculation, named by a
// letter and the seven-digit file number, inside the calculation folder
// "Sub" + five-digit folder number of the private database. Chooses the
// folder of a new calculation and creates, copies and deletes its tables.
#include <filesystem>
#include <functional>
#include <string>

namespace korva {

class Banco;

class ConjuntoCalculo {
public:
    // Shown for a database error while creating or deleting a table, which is
    // then not passed on (title, text). Without it the error is passed on.
    using Aviso = std::function<void(const std::string& titulo, const std::string& texto)>;

    // `qtdePorPasta` gives the folder-size setting at the moment it is needed.
    ConjuntoCalculo(Banco& privado, std::function<int()> qtdePorPasta, Aviso aviso = {});

    // The calculation the operations work on (its Diretorio and Arquivo).
    void defineAtual(int diretorio, int arquivo);
    int diretorio() const { return diretorio_; }
    int arquivo() const { return arquivo_; }

    // Folder for a calculation being inserted; creates it when it is new.
    int EscolheDiretorio();
    // Makes sure the calculation folder of that number exists.
    void CriaSubDiretorio(int numero);
    // "Sub00001\": the current calculation's folder relative to the private root.
    std::string NomeDiretorio() const;
    // The absolute folder of the current calculation.
    std::filesystem::path CaminhoDiretorio() const;
    // Table name relative to the private root: NomeDiretorio + letter + seven digits + ".db".
    std::string NomeTabela(char letra) const;
    // The table name of any calculation, as NomeTabela gives it.
    static std::string NomeTabelaDe(int diretorio, int arquivo, char letra);
    // "A0000023": letter and seven-digit file number.
    static std::string NomeCurto(char letra, int arquivo);

    // Creates the table (name without folder and extension, "A0000023") with
    // the recipe of its kind when it does not exist yet, with the initial rows
    // of kinds 4 and 7. An existing table is left as it is.
    void CriaTabela(const std::string& nome, int tipo);
    // Deletes the table file (name with extension) of an absolute folder, when it exists.
    void ExcluiTabela(const std::filesystem::path& pasta, const std::string& nome);
    // Replaces the rows of the destination by those of the source; both are
    // names relative to the private root, the destination of the current calculation.
    void CopiaTabela(const std::string& origem, const std::string& destino);
    // Deletes the tables of a calculation that is being deleted (letters A..I).
    void ExcluiConjunto(int diretorio, int arquivo);

private:
    std::filesystem::path pastaDoNumero(int numero) const;

    Banco& banco_;
    std::function<int()> qtdePorPasta_;
    Aviso aviso_;
    int diretorio_ = 0;
    int arquivo_ = 0;
};

}  // namespace korva
