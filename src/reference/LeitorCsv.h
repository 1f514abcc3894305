#pragma once
// Reader of the delivered data files: UTF-8 text, comma separated, with a
// leading block of "#" comment lines (the sources of the figures), then a
// header row naming the columns, then one row per line. A field may be quoted
// ("a, b"), a doubled quote standing for one quote inside it.
#include <string>
#include <string_view>
#include <vector>

namespace korva {

struct LinhaCsv {
    int numero = 0;  // line number in the file, 1-based, for messages
    std::vector<std::string> campos;
};

struct ArquivoCsv {
    std::string nome;                      // file name, for messages
    std::vector<std::string> comentarios;  // the leading comment lines, without "#" and the blank after it
    std::vector<std::string> colunas;
    std::vector<LinhaCsv> linhas;

    // Position of a column (exact name); -1 when absent.
    int coluna(std::string_view nomeColuna) const;
    // As coluna, failing with ErroDados when the column is absent.
    int exigeColuna(std::string_view nomeColuna) const;
};

// Reads a whole file. Fails with ErroDados (file name and line in the text) on
// a file without header, a quote left open, or a row whose number of fields
// differs from the header's.
ArquivoCsv LeCsv(std::string_view texto, std::string nomeArquivo);

}  // namespace korva
