// A whole play on the silent device: the module registered into a running
// player by name through zkplay.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

TEST(DsoundZkplay, PlaysTheDemoTrackByNameToTheEnd) {
    const std::string command = std::string("ZELKOR_AUDIO=null LD_LIBRARY_PATH='") + DSOUND_LIBRARY_DIR + "' '" +
                                DSOUND_ZKPLAY +
                                "' -v -e OUTPUT.DIRECTSOUND.WINDOW=1"
                                " -m dsound_output_module_register@libzk_dsound_output.so -o /dev/dsound/0 '" +
                                TAERIN_DEMO_TRACK + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char chunk[4096];
    while (size_t n = fread(chunk, 1, sizeof chunk, pipe)) output.append(chunk, n);
    EXPECT_EQ(pclose(pipe), 0) << output;
    // The plug-in's caps show that it is the output in use.
    EXPECT_NE(output.find("output caps [67108799]"), std::string::npos) << output;
    EXPECT_NE(output.find("DirectSound buffer played out"), std::string::npos) << output;
    EXPECT_EQ(output.find("error"), std::string::npos) << output;
}

} // namespace
