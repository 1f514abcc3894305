# Builds the files of data/ (the rows a new installation receives) into
# korva_core: a C++ source generated in the build folder holds their bytes and
# DadoEmbutido() (src/reference/DadosEmbutidos.h) hands them out. The source is
# generated again whenever a file of data/ changes, is added or is removed.
file(GLOB KORVA_DADOS_ARQUIVOS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/*.csv)
set(KORVA_DADOS_FONTE ${CMAKE_BINARY_DIR}/gerado/DadosEmbutidos.cpp)
add_custom_command(
  OUTPUT ${KORVA_DADOS_FONTE}
  COMMAND ${CMAKE_COMMAND} -DPASTA=${CMAKE_SOURCE_DIR}/data -DSAIDA=${KORVA_DADOS_FONTE}
          -P ${CMAKE_SOURCE_DIR}/cmake/GeraDadosEmbutidos.cmake
  DEPENDS ${KORVA_DADOS_ARQUIVOS} ${CMAKE_SOURCE_DIR}/cmake/GeraDadosEmbutidos.cmake
  COMMENT "Embutindo os arquivos de data/"
  VERBATIM)
target_sources(korva_core PRIVATE ${KORVA_DADOS_FONTE})
