#pragma once
// The social-security bases of a calculation (table D): one amount per month,
// typed in or gathered from the month rows of one item ("Buscar dados dos
// parâmetros").
#include <functional>
#include <optional>
#include <string>

#include "parameters/BasesMensais.h"

namespace korva {

class BasesINSS : public BasesMensais {
public:
    static constexpr const char* TituloPergunta = "KORVA";
    static constexpr const char* PerguntaItem = "Informe o código do item:";
    static constexpr const char* RespostaPadrao = "0";
    static constexpr const char* MsgItemInvalido = "Item de Cálculo inválido ou inexistente!";
    static constexpr const char* PerguntaAcumular =
        "Já existem valores informados para a Base de Cálculo do INSS. Deseja acumular os valores?";
    static constexpr const char* MsgEmEdicao = "Grave ou cancele a linha em edição antes de buscar os dados.";

    // "KORVA - Bases de Cálculo do INSS (" + table name + ")".
    static std::string Titulo(const std::string& nomeTabela);
    static void EsqueceLinhaLembrada();

    // The item code typed in the input box: trimmed and read as an integer; 0
    // when it is not a number or the box was cancelled (nullopt).
    static int CodigoDaResposta(const std::optional<std::string>& resposta);

    // Tables relative to the private database's folder: D and the month grid B.
    BasesINSS(Banco& privado, std::string tabelaD, std::string tabelaB);

    // Answers the accumulate question (Yes = true).
    using Pergunta = std::function<bool(const std::string& texto)>;

    // "Buscar dados dos parâmetros": sums the month rows of item `codigo` by
    // month and writes each sum into D, all in one transaction. A code below 0
    // fails with MsgItemInvalido; 0 does nothing. The first existing month met
    // asks `acumular` once: Yes adds the sums to the existing values, No
    // replaces them. A last month whose sum is not above 0 is not written.
    // Refused while a row is being edited. Returns the months written.
    int buscaDadosParametros(int codigo, const Pergunta& acumular);

private:
    std::string tabelaB_;
};

}  // namespace korva
