// A decoder with a debug log, and temporary files, for input layer tests.
#pragma once

#include "fake_input.h"
#include "zelkor.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace zk::test {

class InputTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(decoder_new(&decoder), 0);
        decoder->client = this;
        decoder->debug = [](void* client, int32_t, int32_t, const char* message, const char* detail) {
            static_cast<InputTest*>(client)->debug_lines.push_back(std::string(message) + ": " + detail);
        };
    }
    void TearDown() override {
        decoder_delete(decoder);
        for (const std::string& path : temporary) std::filesystem::remove_all(path);
    }

    int32_t register_file_input() {
        ZK_InputModule module{};
        file_input_module_register(&module);
        return decoder_input_module_register(decoder, &module);
    }
    int32_t register_memory_input() {
        ZK_InputModule module{};
        memory_input_module_register(&module);
        return decoder_input_module_register(decoder, &module);
    }
    std::string temp_path(const std::string& name) {
        temporary.push_back(
            (std::filesystem::temp_directory_path() / ("zk-input-" + std::to_string(::getpid()) + "-" + name))
                .string());
        return temporary.back();
    }
    std::string temp_file(const std::string& name, const std::vector<uint8_t>& bytes) {
        const std::string path = temp_path(name);
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        return path;
    }
    std::string last_debug() const { return debug_lines.empty() ? std::string() : debug_lines.back(); }

    FakeInputScript script; // outlives the decoder's instances
    ZK_Decoder* decoder = nullptr;
    std::vector<std::string> debug_lines;
    std::vector<std::string> temporary;
};

} // namespace zk::test
