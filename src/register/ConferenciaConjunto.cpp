#include "register/ConferenciaConjunto.h"

#include <filesystem>
#include <system_error>

#include "storage/Banco.h"
#include "storage/ConjuntoCalculo.h"
#include "storage/Tabela.h"

namespace korva {

void ConfereTabelasConjunto(Banco& privado, int diretorio, int arquivo, std::string_view letras) {
    for (char letra : letras) {
        const std::string nome = ConjuntoCalculo::NomeTabelaDe(diretorio, arquivo, letra);
        const bool sempre = kLetrasSempreNoConjunto.find(letra) != std::string_view::npos;
        if (!sempre) {
            // symlink_status: a link to nothing is something in the table's
            // place, not a table never created.
            std::error_code ec;
            if (!std::filesystem::exists(std::filesystem::symlink_status(privado.caminho(nome), ec))) continue;
        }
        // Opening reads the file's header: the store tells a missing file,
        // a folder and a file that is not a table apart in its message.
        Tabela t(privado, nome);
        t.abre(ModoAbertura::SomenteLeitura);
        t.fecha();
    }
}

}  // namespace korva
