#pragma once
// The check every remote result passes before use. A failed call raises
// UserError with the server's (or the transport's) message, which abandons the
// user's operation; otherwise the payload comes back, checked to be of the kind
// the caller expects:
//
//   flag true,  n 0   data packet, or an array of values (a "variant"
//                     answer, e.g. two packets), or a boolean
//   flag true,  n 3   text of exactly three "0"/"1" characters
//   flag true,  n 12  text with an operator code (at most 12 characters; may be empty)
//   flag true,  n 1   text, empty when there is nothing to report
//   flag false, n 2   text code
//
// Texts come back as text even when the server sent null (read as empty). A
// payload of another kind raises UserError; an unknown (flag, n) combination
// is a programming error and raises DataError.
#include "remote_call.h"

namespace host {

RemoteValue CheckResultServ(const RemoteResult& result, bool flag, int n);

// For the answers used without the check (turned into text directly): raises
// on a failed call like the check, and renders null, text, numbers and
// booleans as text.
QString resultText(const RemoteResult& result);

}  // namespace host
