#pragma once
// The pictures and the help page carried in the program.

namespace delist {

// Registers them; safe to call any number of times.
void ensure_shell_resources();

}  // namespace delist
