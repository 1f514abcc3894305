// Two processes sharing one database folder, as two workstations do.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "apoio/PastaTemporaria.h"
#include "storage/Banco.h"
#include "storage/Excecoes.h"
#include "storage/Tabela.h"

using namespace korva;

namespace {

DefTabela Linhas() {
    DefTabela d;
    d.campos = {CampoAutoinc("Codigo", true), CampoInteger("Autor", true), CampoInteger("Numero", true),
                CampoFloat("Valor")};
    d.indices = {IndicePrimario({"Codigo"}), IndiceSecundario("IndAutorNumero", {"Autor", "Numero"}, true)};
    return d;
}

// Runs fn in a child process; returns its exit status (0 = success).
int EmOutroProcesso(const std::function<int()>& fn) {
    const pid_t pid = fork();
    if (pid == 0) {
        int r = 1;
        try {
            r = fn();
        } catch (...) {
            r = 2;
        }
        _exit(r);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 99;
}

void Escreve(const std::filesystem::path& pasta, int autor, int quantas) {
    Banco b("T", pasta);
    Tabela t(b, "Linhas.DB");
    t.abre();
    for (int i = 0; i < quantas; ++i) {
        // Small transactions, so both writers keep taking turns.
        Transacao tr(b);
        for (int k = 0; k < 10; ++k) {
            t.insere();
            t["Autor"] = autor;
            t["Numero"] = i * 10 + k;
            t["Valor"] = 1.0;
            t.grava();
        }
        tr.confirma();
    }
}

}  // namespace

TEST(Concorrencia, TwoWritersLoseNoRowsAndNumberThemWithoutClashes) {
    teste::PastaTemporaria p;
    {
        Banco b("T", p.caminho());
        b.criaTabela("Linhas.DB", Linhas());
    }
    const pid_t filho = fork();
    if (filho == 0) {
        int r = 0;
        try {
            Escreve(p.caminho(), 2, 30);
        } catch (...) {
            r = 3;
        }
        _exit(r);
    }
    Escreve(p.caminho(), 1, 30);
    int status = 0;
    waitpid(filho, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);

    Banco b("T", p.caminho());
    const auto r = b.consulta("select Autor, count(*) Qtde, count(distinct Codigo) Codigos from Linhas group by Autor",
                              {"Linhas.DB"});
    ASSERT_EQ(r.size(), 2u);
    for (const auto& l : r) {
        EXPECT_EQ(l["Qtde"].comoInteiro(), 300);
        EXPECT_EQ(l["Codigos"].comoInteiro(), 300);
    }
    EXPECT_EQ(b.consulta("select count(distinct Codigo) N from Linhas", {"Linhas.DB"})[0]["N"].comoInteiro(), 600);
    EXPECT_EQ(b.consulta("pragma integrity_check", {"Linhas.DB"})[0][0].comoTexto(), "ok");
}

TEST(Concorrencia, PostingAnEditOfARowAnotherUserChangedFailsWithMessageTwelve) {
    teste::PastaTemporaria p;
    Banco b("T", p.caminho());
    b.criaTabela("Linhas.DB", Linhas());
    Tabela t(b, "Linhas.DB");
    t.abre();
    t.insere();
    t["Autor"] = 1;
    t["Numero"] = 1;
    t["Valor"] = 10.0;
    t.grava();

    t.edita();  // this user starts editing
    t["Valor"] = 11.0;
    const int filho = EmOutroProcesso([&] {
        Banco outro("T", p.caminho());
        Tabela u(outro, "Linhas.DB");
        u.abre();
        u.edita();
        u["Valor"] = 99.0;
        u.grava();
        return 0;
    });
    ASSERT_EQ(filho, 0);
    int codigo = -1;
    try {
        t.grava();
    } catch (const ErroBanco& e) {
        codigo = e.codigo();
    }
    ASSERT_EQ(codigo, CodigoBanco::RegistroAlterado);
    EXPECT_EQ(TextoMensagem(ClassificaErro(codigo, {})), "Este registro foi atualizado por outro usuário. Reexiba os dados");
    EXPECT_EQ(t.estado(), EstadoTabela::Edicao);  // the user's input is still there
    t.cancela();
    t.atualiza();
    EXPECT_DOUBLE_EQ(t["Valor"].comoNumero(), 99.0);
    // Editing again starts from the stored row and succeeds.
    t.edita();
    t["Valor"] = 12.0;
    t.grava();
}

TEST(Concorrencia, ExclusiveUseFailsWhileAnotherProcessHoldsTheTable) {
    teste::PastaTemporaria p;
    {
        Banco b("T", p.caminho());
        b.criaTabela("Linhas.DB", Linhas());
    }
    int pronto[2], solta[2];
    ASSERT_EQ(pipe(pronto), 0);
    ASSERT_EQ(pipe(solta), 0);
    const pid_t filho = fork();
    if (filho == 0) {
        Banco b("T", p.caminho());
        Tabela u(b, "Linhas.DB");
        u.abre();
        char c = 1;
        (void)!write(pronto[1], &c, 1);
        (void)!read(solta[0], &c, 1);  // hold the table until told
        u.fecha();
        (void)!write(pronto[1], &c, 1);
        _exit(0);
    }
    char c;
    ASSERT_EQ(read(pronto[0], &c, 1), 1);
    Banco b("T", p.caminho());
    Tabela t(b, "Linhas.DB");
    int codigo = -1;
    try {
        t.abre(ModoAbertura::Exclusivo);
    } catch (const ErroBanco& e) {
        codigo = e.codigo();
    }
    EXPECT_EQ(codigo, CodigoBanco::TabelaEmUso);
    EXPECT_FALSE(t.aberta());
    ASSERT_EQ(write(solta[1], &c, 1), 1);
    ASSERT_EQ(read(pronto[0], &c, 1), 1);
    t.abre(ModoAbertura::Exclusivo);
    EXPECT_TRUE(t.aberta());
    // And now the other side is refused shared use.
    const int outro = EmOutroProcesso([&] {
        Banco ob("T", p.caminho());
        Tabela u(ob, "Linhas.DB");
        try {
            u.abre();
        } catch (const ErroBanco& e) {
            return e.codigo() == CodigoBanco::TabelaEmUso ? 0 : 1;
        }
        return 1;
    });
    EXPECT_EQ(outro, 0);
    int status;
    waitpid(filho, &status, 0);
}
