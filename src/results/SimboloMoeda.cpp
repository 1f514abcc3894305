#include "results/SimboloMoeda.h"

namespace korva {

std::string SimboloMoeda(Data data) {
    if (data < Data::de(1986, 2, 1)) return "CR$ ";
    if (data < Data::de(1989, 1, 15)) return "CZ$ ";
    if (data < Data::de(1990, 3, 15)) return "NCZ$ ";
    if (data < Data::de(1994, 7, 1)) return "CR$ ";
    return "R$ ";
}

}  // namespace korva
