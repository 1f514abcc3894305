#pragma once
// A temporary folder for a test, removed with everything in it on destruction.
#include <filesystem>

namespace korva::teste {

class PastaTemporaria {
public:
    PastaTemporaria();
    ~PastaTemporaria();
    PastaTemporaria(const PastaTemporaria&) = delete;
    PastaTemporaria& operator=(const PastaTemporaria&) = delete;
    const std::filesystem::path& caminho() const { return caminho_; }

private:
    std::filesystem::path caminho_;
};

}  // namespace korva::teste
