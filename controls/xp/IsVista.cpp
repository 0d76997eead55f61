#include "controls/xp/IsVista.h"

namespace tarvex {

bool IsVista = false;

}  // namespace tarvex
