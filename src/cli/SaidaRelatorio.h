#pragma once
// Where the report commands write: a PDF file (laid out with the report
// fonts' real metrics and drawn by the Qt renderer on the "offscreen"
// platform, so no display is needed) or a text file (laid out at a fixed
// pitch and drawn by the plain-text renderer). The form follows the file's
// extension, ".pdf" or ".txt". Files are written under a temporary name and
// renamed when complete, so a failure never leaves half a report behind.
#include <filesystem>
#include <memory>
#include <string>

#include "reports/Medidor.h"
#include "reports/Pagina.h"

namespace korva::cli {

class SaidaRelatorio {
public:
    // Fails with a Portuguese message for an extension other than .pdf or
    // .txt, and for PDF in a build without the Qt renderer.
    explicit SaidaRelatorio(std::filesystem::path arquivo);
    ~SaidaRelatorio();

    // The measurer the layout must use for this output.
    const Medidor& medidor() const { return *medidor_; }
    bool pdf() const { return pdf_; }
    const std::filesystem::path& arquivo() const { return arquivo_; }

    // Writes the document; a document without pages is refused and no file
    // is written. Returns the page count.
    int grava(const Documento& documento, const std::string& titulo);

private:
    struct Qt;
    std::filesystem::path arquivo_;
    bool pdf_ = false;
    std::unique_ptr<Qt> qt_;
    std::unique_ptr<Medidor> medidor_;
};

inline constexpr const char* kMsgRelatorioSemPaginas = "O relatório não tem páginas; nenhum arquivo foi gravado.";

}  // namespace korva::cli
