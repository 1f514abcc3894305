#include "spreadsheets/GravacaoSegura.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>
#include <vector>

#include "util/Erros.h"

namespace fs = std::filesystem;

namespace korva {

std::string MsgArquivoSomenteLeitura(const fs::path& p) {
    return "O arquivo \"" + p.string() +
           "\" está protegido contra gravação (somente leitura). Escolha outro nome ou retire a proteção.";
}

std::string MsgArquivoEmUso(const fs::path& p) {
    return "O arquivo \"" + p.string() + "\" está aberto em outro programa. Feche-o e tente novamente.";
}

namespace {

// The lock files spreadsheet programs leave beside an open document:
// LibreOffice ".~lock.NAME#", Excel "~$NAME" (long names lose their first
// two characters).
bool AbertoEmOutroPrograma(const fs::path& destino) {
    const fs::path pasta = destino.parent_path().empty() ? fs::path(".") : destino.parent_path();
    const std::string nome = destino.filename().string();
    std::vector<std::string> travas = {".~lock." + nome + "#", "~$" + nome};
    if (nome.size() > 2) travas.push_back("~$" + nome.substr(2));
    std::error_code ec;
    for (const std::string& t : travas)
        if (fs::exists(pasta / t, ec)) return true;
    return false;
}

mode_t PermissoesNovas() {
    const mode_t m = ::umask(0);
    ::umask(m);
    return 0666 & ~m;
}

std::string Falha(const std::string& inicio, int erro) { return inicio + " (" + std::strerror(erro) + ")."; }

}  // namespace

void VerificaDestino(const fs::path& destino) {
    if (destino.empty() || destino.filename().empty())
        throw ErroKorva("Informe o nome do arquivo a gravar.");
    std::error_code ec;
    const fs::path pasta = destino.parent_path().empty() ? fs::path(".") : destino.parent_path();
    if (!fs::is_directory(pasta, ec))
        throw ErroKorva("A pasta \"" + pasta.string() + "\" não existe.");
    const fs::file_status st = fs::status(destino, ec);
    if (!fs::exists(st)) return;
    if (fs::is_directory(st))
        throw ErroKorva("\"" + destino.string() + "\" é uma pasta; informe o nome de um arquivo.");
    if (AbertoEmOutroPrograma(destino)) throw ErroKorva(MsgArquivoEmUso(destino));
    // The owner's write bit is the read-only mark (the administrator may
    // write over anything, which is no reason to).
    if ((st.permissions() & fs::perms::owner_write) == fs::perms::none)
        throw ErroKorva(MsgArquivoSomenteLeitura(destino));
    const int fd = ::open(destino.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == EACCES || errno == EPERM || errno == EROFS) throw ErroKorva(MsgArquivoSomenteLeitura(destino));
        if (errno == ETXTBSY || errno == EBUSY) throw ErroKorva(MsgArquivoEmUso(destino));
        throw ErroKorva(Falha("Não foi possível gravar o arquivo \"" + destino.string() + "\"", errno));
    }
    ::close(fd);
}

void GravaSubstituindo(const fs::path& destino, const std::function<void(const fs::path&)>& escreve) {
    VerificaDestino(destino);
    const fs::path pasta = destino.parent_path().empty() ? fs::path(".") : destino.parent_path();
    std::string modelo = (pasta / ("." + destino.filename().string() + ".XXXXXX")).string();
    std::vector<char> nome(modelo.begin(), modelo.end());
    nome.push_back('\0');
    const int fd = ::mkstemp(nome.data());
    if (fd < 0)
        throw ErroKorva(Falha("Não foi possível gravar na pasta \"" + pasta.string() + "\"", errno));
    std::error_code ec;
    struct stat atual {};
    const mode_t modo = ::stat(destino.c_str(), &atual) == 0 ? (atual.st_mode & 07777) : PermissoesNovas();
    ::fchmod(fd, modo);
    ::close(fd);
    const fs::path temporario(nome.data());
    try {
        escreve(temporario);
        if (::rename(temporario.c_str(), destino.c_str()) != 0) {
            const int e = errno;
            if (e == EACCES || e == EPERM || e == EROFS) throw ErroKorva(MsgArquivoSomenteLeitura(destino));
            if (e == EBUSY || e == ETXTBSY) throw ErroKorva(MsgArquivoEmUso(destino));
            throw ErroKorva(Falha("Não foi possível substituir o arquivo \"" + destino.string() + "\"", e));
        }
    } catch (...) {
        fs::remove(temporario, ec);
        throw;
    }
}

}  // namespace korva
