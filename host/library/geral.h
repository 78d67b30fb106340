#pragma once
// `Geral.ModuloAtiv`: the host module the session works in. The shell sets it
// at start; purchasing until then. Screens show purchasing-only columns and
// tell the server which module asks by it.
namespace host::Geral {

inline constexpr int kModuloCompras = 4;       // "CMP"
inline constexpr int kModuloSuprimentos = 34;  // "SUP"

int ModuloAtiv();
// Only the two modules exist: any other number is a DataError and changes nothing.
void setModuloAtiv(int module);

}  // namespace host::Geral
