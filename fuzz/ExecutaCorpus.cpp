// Runs saved inputs through a fuzz target without libFuzzer: every regular
// file of the folders (or the files) named on the command line, in name
// order. A property that fails aborts, so the run fails as the fuzzer would.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho);

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    std::vector<fs::path> arquivos;
    for (int i = 1; i < argc; ++i) {
        const fs::path p = argv[i];
        if (fs::is_directory(p)) {
            for (const auto& e : fs::directory_iterator(p))
                if (e.is_regular_file()) arquivos.push_back(e.path());
        } else if (fs::is_regular_file(p)) {
            arquivos.push_back(p);
        } else {
            std::fprintf(stderr, "%s: não encontrado\n", argv[i]);
            return 2;
        }
    }
    std::sort(arquivos.begin(), arquivos.end());
    if (arquivos.empty()) {
        std::fprintf(stderr, "nenhuma entrada para executar\n");
        return 2;
    }
    for (const auto& p : arquivos) {
        std::ifstream in(p, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (!in && !in.eof()) {
            std::fprintf(stderr, "%s: não foi possível ler\n", p.c_str());
            return 2;
        }
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }
    std::printf("%zu entrada(s) executada(s)\n", arquivos.size());
    return 0;
}
