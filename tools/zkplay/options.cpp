#include "options.h"

#include "zelkor.h"

#include <cstdlib>
#include <cstring>

namespace zkplay {

const char* const kUsage = "usage: zkplay [options] INPUT...\n"
                           "Plays each input (file, \"-\", http://, ftp://, udp:// URL) in turn.\n"
                           "  -o NAME          output: \"wav:FILE\", \"raw:FILE\", \"raw:-\", \"/dev/wave/N\", ...\n"
                           "                   (default: the wave device)\n"
                           "  -c CHANNELS      stereo, left, right or mix\n"
                           "  -e NAME=VALUE    set an engine environment variable (integer or string)\n"
                           "  -m SYMBOL@LIB    register an output module from a library\n"
                           "  --start SECONDS  start each input there (decimals allowed)\n"
                           "  -v               print every notification\n"
                           "  -q               print nothing but errors\n";

namespace {

bool channels_of(const std::string& text, int& channels) {
    static const char* const names[] = {"stereo", "left", "right", "mix"};
    for (int i = 0; i < 4; ++i)
        if (text == names[i]) {
            channels = i;
            return true;
        }
    return false;
}

} // namespace

bool parse_options(int argc, char** argv, Options& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc) {
                error = "option " + arg + " needs a value";
                return false;
            }
            out = argv[++i];
            return true;
        };
        std::string text;
        if (arg == "-o") {
            if (!value(options.output)) return false;
        } else if (arg == "-c") {
            if (!value(text)) return false;
            if (!channels_of(text, options.channels)) {
                error = "unknown channel selection \"" + text + "\"";
                return false;
            }
        } else if (arg == "-e") {
            if (!value(text)) return false;
            size_t equals = text.find('=');
            if (equals == std::string::npos || equals == 0) {
                error = "-e needs NAME=VALUE";
                return false;
            }
            options.environment.emplace_back(text.substr(0, equals), text.substr(equals + 1));
        } else if (arg == "-m") {
            if (!value(text)) return false;
            options.output_modules.push_back(text);
        } else if (arg == "--start") {
            if (!value(text)) return false;
            char* end = nullptr;
            options.start_seconds = std::strtod(text.c_str(), &end);
            if (text.empty() || *end || !(options.start_seconds >= 0) || options.start_seconds > 2147483.0) {
                error = "--start needs a number of seconds, not \"" + text + "\"";
                return false;
            }
        } else if (arg == "-v") {
            options.verbose = true;
        } else if (arg == "-q") {
            options.quiet = true;
        } else if (arg == "-h" || arg == "--help") {
            error = "";
            return false;
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "unknown option " + arg;
            return false;
        } else {
            options.inputs.push_back(arg);
        }
    }
    if (options.inputs.empty()) {
        error = "no input given";
        return false;
    }
    return true;
}

} // namespace zkplay
