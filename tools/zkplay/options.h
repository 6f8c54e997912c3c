// zkplay's command line.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace zkplay {

struct Options {
    std::string output; // "" = the wave device
    int channels = 0;   // ZK_OUTPUT_CHANNELS_*
    std::vector<std::pair<std::string, std::string>> environment;
    std::vector<std::string> output_modules; // SYMBOL@LIBRARY
    double start_seconds = 0;                // --start: where each input begins
    bool verbose = false;
    bool quiet = false;
    bool list_devices = false;
    std::vector<std::string> inputs;
};

enum class ParseResult {
    Run,
    Help,    // usage asked for
    Version, // --version
    Error,   // the message is in error
};

// Parses argv.
ParseResult parse_options(int argc, char** argv, Options& options, std::string& error);

extern const char* const kUsage;

} // namespace zkplay
