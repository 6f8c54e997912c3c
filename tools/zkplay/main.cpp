// zkplay: plays or decodes MPEG audio files and streams with the Zelkor
// engine, driving it by control messages only.
#include "options.h"
#include "session.h"
#include "zelkor.h"

#include <cstdio>

int main(int argc, char** argv) {
    zkplay::Options options;
    std::string error;
    switch (zkplay::parse_options(argc, argv, options, error)) {
    case zkplay::ParseResult::Help: std::fputs(zkplay::kUsage, stdout); return 0;
    case zkplay::ParseResult::Version:
        std::printf("zkplay %s (Zelkor engine %s)\n", ZKPLAY_VERSION, decoder_version(nullptr, nullptr, nullptr));
        return 0;
    case zkplay::ParseResult::Error:
        std::fprintf(stderr, "zkplay: %s\n", error.c_str());
        std::fputs(zkplay::kUsage, stderr);
        return 2;
    case zkplay::ParseResult::Run: break;
    }
    zkplay::Session session(options);
    return session.run();
}
