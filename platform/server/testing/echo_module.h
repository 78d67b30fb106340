#pragma once
// A module for tests only: echoes every argument kind, writes by-reference
// arguments, fails on request, and touches the database, so the whole call
// path can be proved over each transport.
#include "platform/server/module_registry.h"

namespace platform::server::testing {

inline constexpr char kEchoModule[] = "Teste.rdmEco";

//   Eco(text, dateTime, boolean, integer, number, packet, array, variant) -> array of the 8 arguments
//   Referencias(textRef, dateTimeRef, variantRef, text) -> "feito";
//       textRef := upper(textRef) + "!", dateTimeRef := one day later (null stays null),
//       variantRef := [old variantRef, text]
//   NaoMexe(textRef) -> null, leaves the argument alone
//   Falha(text) -> business failure with that message
//   Quebra() -> std::runtime_error;  QuebraDados() -> DataError;  RespostaInvalida() -> a bad packet
//   QuemSou() -> [operator code, operator name]
//   Dobro(integer) -> [2 * n, number of OPERADOR rows read through this thread's connection]
void registerEchoModule(ModuleRegistry& registry);

}  // namespace platform::server::testing
