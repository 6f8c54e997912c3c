// zkplay: plays or decodes MPEG audio files and streams with the Zelkor
// engine, driving it by control messages only.
#include "options.h"
#include "session.h"

#include <cstdio>

int main(int argc, char** argv) {
    zkplay::Options options;
    std::string error;
    if (!zkplay::parse_options(argc, argv, options, error)) {
        if (!error.empty()) std::fprintf(stderr, "zkplay: %s\n", error.c_str());
        std::fputs(zkplay::kUsage, error.empty() ? stdout : stderr);
        return error.empty() ? 0 : 2;
    }
    zkplay::Session session(options);
    return session.run();
}
