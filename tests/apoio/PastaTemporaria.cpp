#include "apoio/PastaTemporaria.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace korva::teste {

PastaTemporaria::PastaTemporaria() {
    std::string modelo = (std::filesystem::temp_directory_path() / "korva-teste-XXXXXX").string();
    if (!mkdtemp(modelo.data())) throw std::runtime_error("mkdtemp falhou");
    caminho_ = modelo;
}

PastaTemporaria::~PastaTemporaria() {
    std::error_code ec;
    std::filesystem::permissions(caminho_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(caminho_, ec);
}

}  // namespace korva::teste
