// The process's standard streams, for a command-line program whose data must stay apart from
// everything else it (or a library it uses) prints.
#pragma once

#include <cstdio>

namespace vf::platform {

// From here on, whatever anyone writes to standard output lands on standard error, and the
// returned stream writes to what standard output was. Call once, before any thread writes to
// standard output. Returns stdout itself when the streams cannot be rearranged.
// The returned stream passes its bytes on as written (the line ends are the caller's own). On
// Windows, UTF-8 bound for a console, on either stream, is shown there as UTF-16.
std::FILE *DivertStdoutToStderr();

// Whether standard input is a terminal (a person can be asked a question there).
bool StdinIsTerminal();

}  // namespace vf::platform
