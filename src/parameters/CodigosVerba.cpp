#include "parameters/CodigosVerba.h"

#include "util/Literais.h"

namespace korva {

bool CodigoVerbaValido(int codigo) { return codigo >= VerbaMinima && codigo <= VerbaMaxima; }

bool EhItemBasico(int codigo) { return codigo >= 1 && codigo <= 9; }

namespace {
bool TemFamilia(int codigo) { return codigo > 9 && codigo <= VerbaMaxima; }
int Ultimo(int codigo) { return codigo % 10; }
}  // namespace

bool EhItemResultado(int codigo) { return TemFamilia(codigo) && Ultimo(codigo) >= 2; }
bool EhItemDevido(int codigo) { return TemFamilia(codigo) && Ultimo(codigo) == 0; }
bool EhItemPago(int codigo) { return TemFamilia(codigo) && Ultimo(codigo) == 1; }
bool EhItemDiferenca(int codigo) { return TemFamilia(codigo) && Ultimo(codigo) == 2; }
bool TemOpcaoDiferenca(int codigo) { return EhItemDevido(codigo); }

int FamiliaDe(int codigo) { return TemFamilia(codigo) ? codigo - Ultimo(codigo) : 0; }
int ItemDevido(int codigo) { return FamiliaDe(codigo); }
int ItemPago(int codigo) { return TemFamilia(codigo) ? FamiliaDe(codigo) + 1 : 0; }
int ItemDiferenca(int codigo) { return TemFamilia(codigo) ? FamiliaDe(codigo) + 2 : 0; }

bool EhItemFGTS(int codigo) { return codigo == VerbaFGTS || codigo == VerbaMultaFGTS; }
bool EhItemSeguroDesemprego(int codigo) {
    return codigo == VerbaSeguroDesemprego || codigo == VerbaSeguroDesemprego2;
}

bool EhItemValorado(int codigo) {
    return (codigo >= VerbaSalarioMinimo && codigo <= VerbaBasesSalariais) || codigo == VerbaSalarioFamilia2 ||
           codigo == VerbaSalarioFamilia1 || codigo == VerbaValeTransporte;
}

std::string CodigoTresDigitos(int codigo) { return Literais::ZerosEsquerdaInt(codigo, 3); }

}  // namespace korva
