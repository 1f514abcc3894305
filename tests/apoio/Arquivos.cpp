#include "apoio/Arquivos.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace korva::teste {

std::string LeArquivo(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void GravaArquivo(const std::filesystem::path& p, const std::string& bytes) {
    if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string RodaComando(const std::string& linha, int* status) {
    FILE* f = popen(linha.c_str(), "r");
    std::string out;
    if (!f) {
        if (status) *status = -1;
        return out;
    }
    std::array<char, 4096> buf{};
    while (size_t n = fread(buf.data(), 1, buf.size(), f)) out.append(buf.data(), n);
    const int st = pclose(f);
    if (status) *status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return out;
}

std::string RodaCli(const std::string& args, int* status) {
#ifdef KORVA_CLI
    return RodaComando(std::string(KORVA_CLI) + " " + args + " 2>&1", status);
#else
    (void)args;
    if (status) *status = -1;
    return "korva-cli desconhecido";
#endif
}

}  // namespace korva::teste
