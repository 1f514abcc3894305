// A JSON document that is not valid names the line and column (in
// characters) of the fault and says in Portuguese what is wrong there.
#include <gtest/gtest.h>

#include <string>

#include "util/DocumentoJson.h"

using namespace korva;

namespace {

struct Falha {
    int linha = 0, coluna = 0;
    std::string motivo, texto;
};

Falha Le(const std::string& json) {
    try {
        LeDocumentoJson(json);
    } catch (const ErroDocumentoJson& e) {
        return {e.linha(), e.coluna(), e.motivo(), e.what()};
    }
    ADD_FAILURE() << "accepted: " << json;
    return {};
}

}  // namespace

TEST(DocumentoJson, AValidDocumentIsReadAsItIs) {
    const auto j = LeDocumentoJson("\xEF\xBB\xBF{\"Nome\": \"João\", \"Itens\": [1, 2.5, true, null]}\n");
    EXPECT_EQ(j["Nome"], "João");
    EXPECT_EQ(j["Itens"].size(), 4u);
}

TEST(DocumentoJson, StructureFaultsPointAtTheTokenAndSayWhatWasExpected) {
    Falha f = Le("{\"Processo\": ");
    EXPECT_EQ(f.texto, "Documento JSON inválido na linha 1, coluna 14: o documento termina antes do fim; esperava "
                       "um valor.");
    f = Le("");
    EXPECT_EQ(f.linha, 1);
    EXPECT_EQ(f.coluna, 1);

    // A missing comma between two fields, on the next line: the column of the
    // second field's opening quote.
    f = Le("{\n  \"Processo\": {\"Processo\": \"1\"\n                \"CodRecte\": 1}}");
    EXPECT_EQ(f.linha, 3);
    EXPECT_EQ(f.coluna, 17);
    EXPECT_EQ(f.motivo, "esperava ',' ou '}', encontrou um texto");
    EXPECT_EQ(Le("[1 2]").motivo, "esperava ',' ou ']', encontrou um número");

    // Trailing commas.
    f = Le("{\n  \"Processo\": {},\n}");
    EXPECT_EQ(f.linha, 3);
    EXPECT_EQ(f.coluna, 1);
    EXPECT_EQ(f.motivo, "esperava o nome de um campo entre aspas, encontrou '}' (há uma vírgula sobrando antes de '}')");
    EXPECT_EQ(Le("{\"Partes\": [{}, ]}").motivo, "esperava um valor, encontrou ']' (há uma vírgula sobrando antes de ']')");

    EXPECT_EQ(Le("{\"Item\" 12}").motivo, "esperava ':' depois do nome do campo, encontrou um número");
    f = Le("{\"a\": 1} {\"b\": 2}");
    EXPECT_EQ(f.coluna, 10);
    EXPECT_EQ(f.motivo, "há mais texto depois do fim do documento");
    EXPECT_EQ(Le("{} x").coluna, 4);
    // A word cut by the end of the text, after the document.
    f = Le("9n");
    EXPECT_EQ(f.coluna, 2);
    EXPECT_EQ(f.motivo, "há mais texto depois do fim do documento");
    EXPECT_EQ(Le("[1] tr").coluna, 5);
}

TEST(DocumentoJson, LexicalFaultsNameTheBadValue) {
    Falha f = Le("{\"Processo\": {\"AliquotaUnica\": tru}}");
    EXPECT_EQ(f.coluna, 32);
    EXPECT_EQ(f.motivo, "valor inválido 'tru' (esperava true, false, null, um número, um texto entre aspas, '[' ou '{')");
    f = Le("{\"a\": 'x'}");
    EXPECT_EQ(f.coluna, 7);
    EXPECT_EQ(f.motivo, "texto entre apóstrofos (os textos ficam entre aspas duplas)");
    f = Le("{\"Valor\": -}");
    EXPECT_EQ(f.coluna, 11);
    EXPECT_EQ(f.motivo, "número inválido '-': falta um algarismo depois de '-'");
    EXPECT_EQ(Le("[1.]").motivo, "número inválido '1.': falta um algarismo depois do ponto decimal");
    EXPECT_EQ(Le("[1e+]").motivo, "número inválido '1e+': falta um algarismo no expoente");
    f = Le("[1, 1e400]");
    EXPECT_EQ(f.coluna, 5);
    EXPECT_EQ(f.motivo, "o número '1e400' é grande demais");

    f = Le("{\"Nome\": \"sem fim");
    EXPECT_EQ(f.coluna, 10);
    EXPECT_EQ(f.motivo, "texto sem as aspas de fechamento");
    EXPECT_EQ(Le("[\"a\nb\"]").motivo, "caractere de controle U+000A dentro de um texto (escreva-o como \\u000A)");
    EXPECT_EQ(Le("[\"\\q\"]").motivo, "caractere 'q' não permitido depois de '\\' num texto");
    EXPECT_EQ(Le("[\"\\u12G4\"]").motivo, "'\\u' deve ser seguido de quatro algarismos hexadecimais");
    EXPECT_NE(Le("[\"\\uD800\"]").motivo.find("incompleto"), std::string::npos);
    EXPECT_EQ(Le("// nota\n{}").motivo.rfind("valor inválido '/'", 0), 0u);
}

TEST(DocumentoJson, TextThatIsNotUtf8IsToldWithItsCharacterColumn) {
    // A Windows-1252 "ã" after an accented UTF-8 name: columns count characters.
    const Falha f = Le("{\"Descrição\": \"Jo\xE3o\"}");
    EXPECT_EQ(f.linha, 1);
    EXPECT_EQ(f.coluna, 18);
    EXPECT_EQ(f.motivo, "texto com um byte que não é UTF-8 (o documento deve ser gravado em UTF-8)");
    // A byte that is no part of any text, shown escaped so the message stays UTF-8.
    EXPECT_EQ(Le("[\"ab\xE3\x82z\"]").coluna, 5);
    const Falha g = Le("[\xFF]");
    EXPECT_EQ(g.coluna, 2);
    EXPECT_NE(g.motivo.find("'\\xFF'"), std::string::npos) << g.motivo;
}
