#include "options.h"

#include "zelkor.h"

#include <cctype>
#include <cerrno>
#include <cstdint>
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
                           "  -q               print nothing but errors\n"
                           "  --list-devices   list the output modules and their devices\n"
                           "  --version        print the version\n"
                           "Exit status: 0 when every input played, 1 when one failed, 2 for a bad\n"
                           "command line or output, 128 + the signal number when interrupted.\n";

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

// "PREFIX:" names of the built-in file output; other names are files or devices.
bool known_output_name(const std::string& name) {
    const size_t colon = name.find(':');
    if (colon == std::string::npos || colon == 0) return true;
    for (size_t i = 0; i < colon; ++i)
        if (!std::isalnum(static_cast<unsigned char>(name[i]))) return true;
    const std::string prefix = name.substr(0, colon);
    return prefix == "raw" || prefix == "wav" || prefix == "aiff" || prefix == "sun";
}

// A value that starts like a number must be a whole 32-bit integer.
bool well_formed_value(const std::string& value) {
    const size_t digits = value.find_first_not_of("+-");
    if (digits > 1 || digits == std::string::npos || !std::isdigit(static_cast<unsigned char>(value[digits])))
        return true;
    char* end = nullptr;
    errno = 0;
    const long long parsed = std::strtoll(value.c_str(), &end, 0);
    return errno == 0 && *end == '\0' && parsed >= INT32_MIN && parsed <= INT32_MAX;
}

} // namespace

ParseResult parse_options(int argc, char** argv, Options& options, std::string& error) {
    bool version = false;
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
            if (!value(options.output)) return ParseResult::Error;
        } else if (arg == "-c") {
            if (!value(text)) return ParseResult::Error;
            if (!channels_of(text, options.channels)) {
                error = "unknown channel selection \"" + text + "\"";
                return ParseResult::Error;
            }
        } else if (arg == "-e") {
            if (!value(text)) return ParseResult::Error;
            size_t equals = text.find('=');
            if (equals == std::string::npos || equals == 0) {
                error = "-e needs NAME=VALUE";
                return ParseResult::Error;
            }
            if (!well_formed_value(text.substr(equals + 1))) {
                error = "-e " + text + ": the value is not a 32-bit integer";
                return ParseResult::Error;
            }
            options.environment.emplace_back(text.substr(0, equals), text.substr(equals + 1));
        } else if (arg == "-m") {
            if (!value(text)) return ParseResult::Error;
            options.output_modules.push_back(text);
        } else if (arg == "--start") {
            if (!value(text)) return ParseResult::Error;
            char* end = nullptr;
            options.start_seconds = std::strtod(text.c_str(), &end);
            if (text.empty() || *end || !(options.start_seconds >= 0) || options.start_seconds > 2147483.0) {
                error = "--start needs a number of seconds, not \"" + text + "\"";
                return ParseResult::Error;
            }
        } else if (arg == "-v") {
            options.verbose = true;
        } else if (arg == "-q") {
            options.quiet = true;
        } else if (arg == "--list-devices") {
            options.list_devices = true;
        } else if (arg == "--version") {
            version = true;
        } else if (arg == "-h" || arg == "--help") {
            return ParseResult::Help;
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "unknown option " + arg;
            return ParseResult::Error;
        } else {
            options.inputs.push_back(arg);
        }
    }
    if (version) return ParseResult::Version;
    if (options.output_modules.empty() && !known_output_name(options.output)) {
        error = "unknown output type in \"" + options.output + "\" (raw:, wav:, aiff:, sun:, a file or a device)";
        return ParseResult::Error;
    }
    if (options.inputs.empty() && !options.list_devices) {
        error = "no input given";
        return ParseResult::Error;
    }
    return ParseResult::Run;
}

} // namespace zkplay
