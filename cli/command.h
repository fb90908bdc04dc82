#pragma once

// The whole of `milten-cli`: reads the command line, runs the command and answers the exit
// status: 0 when every state was found, 1 when a line or point gave no state, 2 for a usage
// error (one line on standard error, nothing written).
namespace cli {

[[nodiscard]] int run(int argc, char** argv);

}  // namespace cli
